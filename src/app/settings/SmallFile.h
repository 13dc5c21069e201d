#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Whole-file reading and replacing for small files of our own, such as the
// settings file. No Qt here.

// The file's bytes when it is a regular file of at most `limit` bytes.
// A missing, unreadable or larger file, and anything that is not a regular
// file (a pipe, a device, a folder), gives nothing. Never blocks.
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit);

// What stands at `path`.
enum class FileState { Missing, Writable, NotWritable };
// A regular file whose permission bits allow writing (any of them, so a file
// marked read-only stays so even for the superuser) is Writable; any other
// thing at the path is NotWritable. Symbolic links are followed.
FileState StateOfFile(const std::string& path);

// Replaces the file at `path` with `bytes` so that it holds either its old
// or its new content whatever happens meanwhile: the bytes go to a temporary
// file in the same folder, which is flushed to disk and then renamed over
// the old one. Missing folders are made; a symbolic link is kept and its
// target replaced; the old file's permissions are kept. False when nothing
// could be written.
bool ReplaceSmallFile(const std::string& path, const std::string& bytes);

#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

// Writing a file of our own whole (the settings file, a saved picture, the
// command-line tool's outputs; never a card file). No Qt here.

// The folder of `path`: "." for a bare name, "/" for a name in the root.
std::string FolderOf(const std::string& path);

// Permissions as a newly created file gets them: 0666 less the umask.
mode_t NewFileMode();

// Puts `bytes` at `target` so that it holds either its old or its new content
// whatever happens meanwhile: the bytes go to a new file made from
// `temporaryPattern` (a mkstemp pattern ending in XXXXXX, in the target's
// folder) with `mode`, flushed to disk when `flush`, which is then renamed over
// `target`. On failure nothing is left behind and errno says why.
bool ReplaceWholeFile(std::string temporaryPattern, const std::string& target, std::string_view bytes,
                      mode_t mode, bool flush);

#pragma once

#include <set>
#include <string>

// Names of the files and folders that `kr80a export` writes.

// `name` made safe as one file name: every "/" and control byte becomes "_",
// and it is cut to at most `maxBytes` bytes without splitting a UTF-8
// character. An empty name becomes "_".
std::string SafeFileName(const std::string& name, std::size_t maxBytes = 255);

// `name`, or `name` with "~2", "~3", ... appended, whichever is not in `taken`
// yet; the result is added to `taken`. Stays within 255 bytes.
std::string UniqueName(const std::string& name, std::set<std::string>& taken);

// "<number>_<data name><extension>": the number zero-padded to `width`
// digits, so that names sort in record order, the data name (UTF-8) without
// the blanks around it and made safe, the whole at most 255 bytes.
std::string RecordFileName(int number, int width, const std::string& dataName, const std::string& extension);

// Digits a folder of `count` records pads its numbers to: at least 3.
int NumberWidth(int count);

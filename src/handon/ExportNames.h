#pragma once

#include "export/FileNames.h"

#include <string>

// Names of the files and folders that `kr80a export` writes.

// "<number>_<data name><extension>": the number zero-padded to `width`
// digits, so that names sort in record order, the data name (UTF-8) without
// the blanks around it and made safe (SafeFileName), the whole at most 255 bytes.
std::string RecordFileName(int number, int width, const std::string& dataName, const std::string& extension);

// Digits a folder of `count` records pads its numbers to: at least 3.
int NumberWidth(int count);

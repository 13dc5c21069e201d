#pragma once

#include <set>
#include <string>

// The one rule by which a text of the card (a data name, a folder name)
// becomes the name of a file or folder we write, shared by the viewer's save
// and kr80a's export. Pictures are handed on through FAT and exFAT sticks and
// Windows shares, so a name is one that those accept too. Names are UTF-8.

// The longest name a Linux folder, or a FAT or exFAT one, holds, in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// `name` made safe as one file name: "/", "\", ":", "*", "?", '"', "<", ">",
// "|" and control bytes become "_"; trailing dots and blanks are dropped
// (Windows drops them itself, so two names would meet); a reserved device
// name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, also with an
// extension, in any letter case) gets "_" after it; it is cut to at most
// `maxBytes` bytes without splitting a UTF-8 character. What is left empty
// becomes "_".
std::string SafeFileName(const std::string& name, std::size_t maxBytes = kMaxFileNameBytes);

// `name`, or `name` with "~2", "~3", ... appended, whichever is not in `taken`
// yet, comparing without regard to ASCII letter case as FAT does; the result
// is added to `taken`. Stays within kMaxFileNameBytes bytes.
std::string UniqueName(const std::string& name, std::set<std::string>& taken);

#pragma once

#include <string>
#include <string_view>

// Card texts stay in the card's bytes (Shift-JIS, code page 932) everywhere in
// the core. These two are the only crossings between those bytes and Unicode.

// UTF-8 for card bytes; a byte that does not decode becomes U+FFFD and
// decoding goes on with the next byte.
std::string DecodeCardText(std::string_view cardBytes);

// Card bytes for a program text written in the source as UTF-8.
std::string EncodeCardText(std::string_view utf8);

// A program text's card bytes, converted on first use and kept for the life of
// the process, so that drawing never converts.
const std::string& ProgramText(std::string_view utf8);

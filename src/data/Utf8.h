#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 as the places that print, store or cut our texts need it. No Qt here.

// Length of the valid UTF-8 sequence that starts at text[i], or 0 for a byte
// that starts none (no overlong forms, surrogates or code points past U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

// The code point of the valid sequence of `length` bytes at text[i].
char32_t Utf8CodePoint(std::string_view text, std::size_t i, std::size_t length);

// The longest start of `text` of at most `maxBytes` bytes that ends on a
// character boundary.
std::string CutUtf8(const std::string& text, std::size_t maxBytes);

// Characters a terminal acts on instead of showing: the C0 controls and DEL,
// the C1 controls (U+0080 to U+009F; U+009B starts an escape sequence as ESC [
// does) and the bidirectional formatting characters, which reorder what
// follows them (U+202E shows "gpj.exe" as "exe.jpg").
bool IsTerminalControl(char32_t c);

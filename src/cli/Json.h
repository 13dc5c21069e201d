#pragma once

#include <string>
#include <string_view>

// `text` (UTF-8) as a JSON string literal with its quotes. Bytes that are not
// valid UTF-8 (a folder name in another encoding) become U+FFFD, so the
// document stays valid.
std::string JsonString(std::string_view text);
// The same literal appended to `out`.
void AppendJsonString(std::string& out, std::string_view text);

#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// kr80a speaks Japanese where the user's locale asks for it and English
// everywhere else. The English texts in the source are the messages; the
// Japanese ones come from the compiled translation built into the program.

// True when the locale categories that choose the language of messages
// (LC_ALL, then LC_MESSAGES, then LANG; the first one set wins) name Japanese.
bool LocaleWantsJapanese();

// Loads the Japanese translation when the locale asks for it. Called once at
// start, before any message is made.
void LoadTranslation();

// The text in the user's language (UTF-8). `context` groups the texts of one
// part of the tool in the translation file; scripts/update-translations.sh
// finds every call by its name, so both arguments are string literals.
std::string Tr(const char* context, const char* source);

// Replaces %1 to %9 in `text` by the arguments in one pass, so that an
// argument holding "%2" stays as it is; a number without an argument stays
// as written. A translated text may put the arguments in another order.
std::string WithArguments(std::string_view text, std::initializer_list<std::string_view> args);

#include "cli/Translation.h"

#include <QString>
#include <QTranslator>

#include <cstdlib>
#include <memory>

namespace {

// Built into the program, so that the installed tool and the one in the build
// folder speak alike.
constexpr const char* kJapaneseTranslation = ":/i18n/kr80a_ja.qm";

std::unique_ptr<QTranslator>& LoadedTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

std::string_view MessagesLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return {};
}

} // namespace

bool LocaleWantsJapanese()
{
    const std::string_view locale = MessagesLocale();
    return locale.starts_with("ja") && (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' ||
                                        locale[2] == '@');
}

void LoadTranslation()
{
    if (!LocaleWantsJapanese() || LoadedTranslator())
        return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QString::fromLatin1(kJapaneseTranslation)))
        LoadedTranslator() = std::move(translator);
}

std::string WithArguments(std::string_view text, std::initializer_list<std::string_view> args)
{
    std::string filled;
    filled.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            filled += *(args.begin() + index);
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

std::string Tr(const char* context, const char* source)
{
    if (const std::unique_ptr<QTranslator>& translator = LoadedTranslator()) {
        const QString translated = translator->translate(context, source);
        if (!translated.isEmpty())
            return translated.toStdString();
    }
    return source;
}

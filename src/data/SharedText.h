#pragma once

#include <memory>
#include <string>

// An unchangeable text whose copies share one buffer. Every record of a
// values file carries that file's path; sharing it keeps a card of hundreds
// of thousands of records from holding as many copies.
class SharedText {
public:
    SharedText() = default;
    SharedText(std::string text) : m_text(std::make_shared<const std::string>(std::move(text))) {}
    SharedText(const char* text) : SharedText(std::string(text)) {}

    const std::string& Str() const { return m_text ? *m_text : Empty(); }
    operator const std::string&() const { return Str(); }

private:
    static const std::string& Empty()
    {
        static const std::string empty;
        return empty;
    }

    std::shared_ptr<const std::string> m_text;
};

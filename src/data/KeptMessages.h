#pragma once

#include "data/Messages.h"

#include <string>
#include <vector>

// Passes every message on and keeps its text, so that what a scan showed can
// be read again once the boxes are gone (or were never shown).
class KeptMessages : public Messages {
public:
    explicit KeptMessages(Messages& shown) : m_shown(shown) {}

    void ShowMessage(const std::string& text) override
    {
        m_texts.push_back(text);
        m_shown.ShowMessage(text);
    }
    bool AskYesNo(const std::string& text) override { return m_shown.AskYesNo(text); }

    const std::vector<std::string>& Texts() const { return m_texts; }
    void Clear() { m_texts.clear(); }

private:
    Messages& m_shown;
    std::vector<std::string> m_texts;
};

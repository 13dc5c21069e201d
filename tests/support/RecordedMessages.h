#pragma once

#include "data/Messages.h"

#include <string>
#include <vector>

// Records every message instead of showing it; answers questions with `m_answer`.
class RecordedMessages : public Messages {
public:
    void ShowMessage(const std::string& text) override { m_shown.push_back(text); }
    bool AskYesNo(const std::string& text) override
    {
        m_shown.push_back(text);
        return m_answer;
    }

    std::vector<std::string> m_shown;
    bool m_answer = true;
};

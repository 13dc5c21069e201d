#pragma once

#include "data/Messages.h"

#include <string>
#include <vector>

// Records every message instead of showing it; answers questions with the
// answers queued in `m_answers`, then with `m_answer`.
class RecordedMessages : public Messages {
public:
    void ShowMessage(const std::string& text) override { m_shown.push_back(text); }
    bool AskYesNo(const std::string& text) override
    {
        m_shown.push_back(text);
        if (m_answers.empty())
            return m_answer;
        const bool answer = m_answers.front();
        m_answers.erase(m_answers.begin());
        return answer;
    }

    std::vector<std::string> m_shown;
    bool m_answer = true;
    std::vector<bool> m_answers;
};

#pragma once

#include "data/Messages.h"

#include <QString>

class QWidget;

// Messages as modal boxes with the warning icon and the application name as
// caption, owned by the active window.
class BoxMessages : public Messages {
public:
    explicit BoxMessages(QString caption) : m_caption(std::move(caption)) {}

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    // Within a batch each box offers "以降のメッセージを表示しない"; once it is
    // checked, the batch's later messages show no box.
    void BeginBatch() override;
    void EndBatch() override;

private:
    QString m_caption;
    bool m_bInBatch = false;
    bool m_bQuiet = false;
};

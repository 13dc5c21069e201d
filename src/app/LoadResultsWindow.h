#pragma once

#include <QString>
#include <QWidget>

class CardTree;
class QLabel;
class QPlainTextEdit;

// What the last card scan left out and every message it showed, in a window
// of its own beside the main window: the boxes of a scan are gone once
// answered (or were silenced), and a technician must still be able to read
// and copy what a card lacked before handing it on.
class LoadResultsWindow : public QWidget {
    Q_OBJECT
public:
    explicit LoadResultsWindow(const CardTree& card, QWidget* parent = nullptr);

    // Reads both lists again from the card's last scan.
    void Refresh();
    // Both lists as plain text under their headings, as the copy button
    // puts them on the clipboard.
    QString Text() const;
    void CopyAll() const;

private:
    QString LeftOutText() const;
    QString MessagesText() const;

    const CardTree& m_card;
    QLabel* m_leftOutHeading = nullptr;
    QPlainTextEdit* m_leftOut = nullptr;
    QLabel* m_messagesHeading = nullptr;
    QPlainTextEdit* m_messages = nullptr;
};

// The line under the tree, for a scan that left out `count` sub-folders or links.
QString LeftOutLine(int count);

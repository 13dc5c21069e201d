#include "LoadResultsWindow.h"

#include "data/CardTree.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPlainTextEdit* ReadOnlyList(QWidget* parent, const char* name)
{
    auto* list = new QPlainTextEdit(parent);
    list->setObjectName(name);
    list->setReadOnly(true);
    // Paths and messages are kept whole on their lines, to be copied as they are.
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return list;
}

QString Heading(const char* title, int count)
{
    return QStringLiteral("%1（%2 件）").arg(QString::fromUtf8(title)).arg(count);
}

const char* const kLeftOutTitle = "読み込めなかったフォルダ";
const char* const kMessagesTitle = "表示したメッセージ";

} // namespace

QString LeftOutLine(int count)
{
    return QStringLiteral("%1 件のフォルダを読み込めませんでした").arg(count);
}

LoadResultsWindow::LoadResultsWindow(const CardTree& card, QWidget* parent)
    : QWidget(parent, Qt::Window), m_card(card)
{
    setObjectName("m_loadResults");
    setWindowTitle(QStringLiteral("読み込み結果"));
    m_leftOutHeading = new QLabel(this);
    m_leftOut = ReadOnlyList(this, "m_leftOutList");
    m_messagesHeading = new QLabel(this);
    m_messages = ReadOnlyList(this, "m_messagesList");
    auto* copy = new QPushButton(QStringLiteral("すべてコピー(&C)"), this);
    copy->setObjectName("m_copyResults");
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName("m_closeResults");
    connect(copy, &QPushButton::clicked, this, &LoadResultsWindow::CopyAll);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_leftOutHeading);
    layout->addWidget(m_leftOut, 1);
    layout->addWidget(m_messagesHeading);
    layout->addWidget(m_messages, 1);
    layout->addLayout(buttons);
    resize(560, 420);
    Refresh();
}

void LoadResultsWindow::Refresh()
{
    m_leftOutHeading->setText(Heading(kLeftOutTitle, static_cast<int>(m_card.LeftOutList().size())));
    m_leftOut->setPlainText(LeftOutText());
    m_messagesHeading->setText(Heading(kMessagesTitle, static_cast<int>(m_card.ShownMessages().size())));
    m_messages->setPlainText(MessagesText());
}

// One line per entry: the path as the file system spells it, then the reason.
QString LoadResultsWindow::LeftOutText() const
{
    QStringList lines;
    for (const LeftOut& left : m_card.LeftOutList())
        lines << QFile::decodeName(QByteArray::fromStdString(left.m_strPath)) + QStringLiteral("\t")
                     + QString::fromStdString(left.m_strReason);
    return lines.join('\n');
}

// Messages may span lines; a blank line parts one from the next.
QString LoadResultsWindow::MessagesText() const
{
    QStringList texts;
    for (const std::string& text : m_card.ShownMessages())
        texts << QString::fromStdString(text);
    return texts.join(QStringLiteral("\n\n"));
}

QString LoadResultsWindow::Text() const
{
    QString text = m_leftOutHeading->text() + '\n';
    if (!m_leftOut->toPlainText().isEmpty())
        text += m_leftOut->toPlainText() + '\n';
    text += '\n' + m_messagesHeading->text() + '\n';
    if (!m_messages->toPlainText().isEmpty())
        text += m_messages->toPlainText() + '\n';
    return text;
}

void LoadResultsWindow::CopyAll() const
{
    QApplication::clipboard()->setText(Text());
}

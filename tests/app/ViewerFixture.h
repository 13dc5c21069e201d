#pragma once

#include "CViewerDlg.h"
#include "CardTreeModel.h"
#include "FolderChooser.h"
#include "ScreenView.h"
#include "screens/TextCodec.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeView>

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A data line of 28 fields, the given ones filled.
inline std::string CsvLine(const std::map<int, std::string>& fields)
{
    std::string line;
    for (int k = 0; k < 28; ++k) {
        if (k > 0)
            line += ",";
        if (auto it = fields.find(k); it != fields.end())
            line += it->second;
    }
    return line + "\n";
}

inline std::string MeasurementLine(const std::string& title, const std::string& system)
{
    return CsvLine({{1, title}, {2, "UHF"}, {3, "27"}, {5, "557.14"}, {6, "65.3"}, {7, "28.1"},
                    {8, "OFDM"}, {10, "OFF"}, {11, "2"}, {12, "2"}, {18, system}});
}

// A card with one folder "A" holding every kind: LEVEL with three records,
// BER, SKY and CONSTEL with one, MULTI with one record of five channels.
inline void WriteEveryKind(const TempCard& card)
{
    const std::string header = "h0,h1,h2\n";
    card.Write("A/LEVEL/A.cnt", "3\n1.00\n");
    card.Write("A/LEVEL/A.CSV", header + MeasurementLine("level1", "0") + MeasurementLine("level2", "0")
                                    + MeasurementLine(EncodeCardText("東京"), "0"));
    card.Write("A/BER/A.cnt", "1\n1.00\n");
    card.Write("A/BER/A.CSV", header + MeasurementLine("ber1", "0"));
    card.Write("A/SKY/A.cnt", "1\n1.00\n");
    card.Write("A/SKY/A.CSV", header + MeasurementLine("sky1", "4"));
    card.Write("A/CONSTEL/A.cnt", "1\n1.00\n");
    card.Write("A/CONSTEL/A.CSV", header + MeasurementLine("constel1", "0"));
    card.Write("A/MULTI/COUNT.CNT", "1\n1.00\n");
    std::string multi = header;
    for (int channel = 1; channel <= 5; ++channel)
        multi += CsvLine({{1, "multi1"}, {2, "UHF"}, {3, std::to_string(12 + channel)}, {5, "473"},
                          {6, std::to_string(50 + 3 * channel)}, {7, "20"}, {8, "OFDM"}, {10, "OFF"},
                          {11, "2"}, {12, "2"}, {16, "1"}, {17, "5"}, {18, "0"}});
    card.Write("A/MULTI/01.CSV", multi);
}

inline QString SettingsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/KR80A_Viewer";
}

inline QString SettingsFile()
{
    return SettingsFolder() + "/KR80A_Viewer.ini";
}

// Writes the settings file, or removes it (and its folder) for an empty text.
inline void WriteSettings(const std::string& text)
{
    QDir(SettingsFolder()).removeRecursively();
    if (text.empty())
        return;
    QDir().mkpath(SettingsFolder());
    QFile file(SettingsFile());
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray::fromStdString(text));
}

// The settings file's bytes, or "<none>" when there is no file.
inline std::string SettingsBytes()
{
    QFile file(SettingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<none>";
}

inline std::string StartWithFolder(const std::string& folder)
{
    return "[KR80A_Viewer]\nUSE_DefaultFolder=1\nDefaultFolder=" + folder + "\n";
}

// Answers the folder chooser as the test says: confirms `m_answer`, or
// cancels when it holds nothing. Records the folder each run opened on.
class AnsweringChooser : public FolderChooser {
public:
    bool BrowseForFolder(QWidget*, const std::string& initial, std::string& result) override
    {
        m_initials.push_back(initial);
        result = m_answer.value_or("");
        return m_answer.has_value();
    }

    std::optional<std::string> m_answer;
    std::vector<std::string> m_initials;
};

// The viewer's window, created and initialised as the program does, on the
// card written into `m_card`.
class ViewerTest : public testing::Test {
protected:
    void Start(const std::string& settings)
    {
        WriteSettings(settings);
        m_window = std::make_unique<CViewerDlg>(m_messages, m_chooser);
        ASSERT_TRUE(m_window->OnCreate());
        m_window->OnInitDialog();
        m_window->show();
    }
    void StartOnCard()
    {
        WriteEveryKind(m_card);
        Start(StartWithFolder(m_card.Root()));
    }

    template <typename T> T* Child(const char* name) const
    {
        T* child = m_window->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }
    QTreeView* Tree() const { return Child<QTreeView>("m_tree"); }
    // The tree item at `rows` (a row under each level from the top), or none.
    QModelIndex TreeItem(std::initializer_list<int> rows) const;
    QString Text(const char* label) const;

    // Selects the tree item with `id`; false when there is none.
    bool SelectId(int id) const;
    int CurrentId() const;
    // The id of the first record of `kind` in the card of WriteEveryKind.
    int FirstRecordOf(DataKind kind) const;
    bool ExportEnabled() const;
    // The screen window's picture, one pixel per canvas pixel.
    QImage ShownPicture() const;
    // What the screen shows of item `id` after `keys` (a key and its shift),
    // drawn by the core from a scan of its own of the card in `m_card`.
    QImage CorePicture(int id, const std::vector<std::pair<InstrumentKey, bool>>& keys = {}) const;
    // The screen id the core gives item `id` of that scan.
    int CoreScreenId(int id) const;
    // The folder the chooser opens on (the folder last taken), found by
    // opening it once and cancelling.
    std::string ChooserStartsAt();
    // The folder shown above the tree, as its bytes.
    std::string ShownFolder() const;

    TempCard m_card;
    RecordedMessages m_messages;
    AnsweringChooser m_chooser;
    std::unique_ptr<CViewerDlg> m_window;
};

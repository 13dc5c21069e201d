#include "data/CardTree.h"
#include "data/ReadLimits.h"
#include "support/RecordedMessages.h"
#include "support/TempCard.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const std::string kMismatch =
    " のデータ数が記録情報と異なります。\nデータが正常に表示できない可能性があります。\n"
    "CSVファイルを確認してください。";

// A values file with a header and `lines` data lines "title<i>".
std::string Csv(int lines, const std::string& prefix = "title")
{
    std::string csv = "date,title,band\n";
    for (int i = 1; i <= lines; ++i)
        csv += "2026/01/01," + prefix + std::to_string(i) + ",UHF\n";
    return csv;
}

void WriteSingle(const TempCard& card, const std::string& folder, const std::string& kind,
                 int count, const std::string& csv)
{
    card.Write(folder + "/" + kind + "/" + folder + ".cnt", std::to_string(count) + "\n1.00\n");
    card.Write(folder + "/" + kind + "/" + folder + ".CSV", csv);
}

// Each node as "indent label" lines in tree order, with ids.
std::string Outline(const CardTree& tree)
{
    std::string out;
    std::function<void(int, int)> walk = [&](int id, int depth) {
        out += std::string(depth * 2, ' ') + std::to_string(id) + " " + tree.Label(id) + "\n";
        for (int child : tree.Children(id))
            walk(child, depth + 1);
    };
    for (int root : tree.KindRoots())
        walk(root, 0);
    return out;
}

struct Scan {
    explicit Scan(const std::string& root) : tree(messages)
    {
        tree.ScanDataRoot(root);
    }
    RecordedMessages messages;
    CardTree tree;
};

TEST(CardScan, IdsFollowScanOrderPerFolderAndKind)
{
    TempCard card;
    WriteSingle(card, "A", "LEVEL", 3, Csv(3));
    WriteSingle(card, "A", "BER", 2, Csv(2, "ber"));
    WriteSingle(card, "b", "LEVEL", 1, Csv(1, "x"));
    card.Write("stray.CSV", "a file in the data root\n");
    Scan scan(card.Root());
    EXPECT_EQ(Outline(scan.tree),
              "1 レベル測定データ\n"
              "  6 A\n    7   1:title1\n    8   2:title2\n    9   3:title3\n"
              "  13 b\n    14   1:x1\n"
              "2 BER測定データ\n"
              "  10 A\n    11   1:ber1\n    12   2:ber2\n"
              "3 スカパー測定データ\n4 コンスタレーションデータ\n5 多チャンネルデータ\n");
    EXPECT_TRUE(scan.messages.m_shown.empty());

    const std::optional<CDataItem> record = scan.tree.FindItem(8);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->m_nKind, kindLevel);
    EXPECT_EQ(record->NumberText(), "2");
    EXPECT_EQ(record->m_strCount.Str(), "3");
    EXPECT_EQ(record->m_strCsvPath.Str(), card.Path("A/LEVEL/A.CSV"));
    EXPECT_EQ(record->m_row.Column(1), "title2");
    EXPECT_EQ(scan.tree.FindItem(6)->m_nKind, kindFolder);
    EXPECT_FALSE(scan.tree.FindItem(0));
    EXPECT_FALSE(scan.tree.FindItem(15));

    // A second scan of the same card gives the same tree.
    const std::string first = Outline(scan.tree);
    scan.tree.ScanDataRoot(scan.tree.DataRoot());
    EXPECT_EQ(Outline(scan.tree), first);
}

TEST(CardScan, MissingOrEmptyDataRootGivesTheFiveKindRoots)
{
    TempCard card;
    // The empty root is the start with no folder chosen: nothing is read,
    // so nothing is reported as left out either.
    for (const std::string& root : {card.Path("nowhere"), card.Root(), card.Write("file", "x"), std::string()}) {
        Scan scan(root);
        EXPECT_EQ(scan.tree.ItemCount(), 5) << root;
        EXPECT_EQ(scan.tree.KindRoots(), (std::vector<int>{1, 2, 3, 4, 5}));
        EXPECT_TRUE(scan.messages.m_shown.empty());
        EXPECT_TRUE(scan.tree.LeftOutList().empty()) << root;
    }
}

TEST(CardScan, FoldersAreListedByNameWithoutRegardToCase)
{
    TempCard card;
    for (const std::string folder : {"b", "C", "a", "B"})
        WriteSingle(card, folder, "LEVEL", 1, Csv(1));
    Scan scan(card.Root());
    std::vector<std::string> labels;
    for (int id : scan.tree.Children(1))
        labels.push_back(scan.tree.Label(id));
    EXPECT_EQ(labels, (std::vector<std::string>{"a", "B", "b", "C"}));
}

TEST(CardScan, NamesOnTheCardMatchWithoutRegardToCase)
{
    TempCard card;
    card.Write("F/level/F.CNT", "1\n1.00\n");
    card.Write("F/level/f.csv", Csv(1));
    card.Write("F/Multi/count.cnt", "1\n1.00\n");
    card.Write("F/Multi/01.csv", "h\n0,multi,,,,,,,,,,,,,,,,1\n");
    Scan scan(card.Root());
    EXPECT_EQ(scan.tree.Children(1).size(), 1u);
    EXPECT_EQ(scan.tree.FindItem(7)->m_strCsvPath.Str(), card.Path("F/level/f.csv"));
    EXPECT_EQ(scan.tree.Children(5).size(), 1u);
    EXPECT_TRUE(scan.messages.m_shown.empty());
}

std::string MultiFile(int channels, int expected, const std::string& title = "multi title")
{
    std::string csv = "header\n";
    for (int i = 1; i <= channels; ++i) {
        csv += std::to_string(i) + "," + title;
        if (i == 1)
            csv += ",,,,,,,,,,,,,,,," + std::to_string(expected);
        csv += "\n";
    }
    return csv;
}

TEST(CardScan, TheExactSpellingComesFirst)
{
    TempCard card;
    WriteSingle(card, "F", "LEVEL", 1, Csv(1, "exact"));
    card.Write("F/LEVEL/f.csv", Csv(1, "folded"));
    card.Write("F/level/F.cnt", "1\n1.00\n");
    card.Write("F/level/F.CSV", Csv(1, "folded"));
    card.Write("F/MULTI/COUNT.CNT", "2\n1.00\n");
    card.Write("F/MULTI/01.CSV", MultiFile(1, 1, "exact"));
    card.Write("F/MULTI/01.csv", MultiFile(1, 1, "folded"));
    card.Write("F/MULTI/02.csv", MultiFile(1, 1, "lower"));
    Scan scan(card.Root());
    EXPECT_EQ(Outline(scan.tree), "1 レベル測定データ\n  6 F\n    7   1:exact1\n"
                                  "2 BER測定データ\n3 スカパー測定データ\n4 コンスタレーションデータ\n"
                                  "5 多チャンネルデータ\n  8 F\n    9   1:exact\n    10   2:lower\n");
    EXPECT_TRUE(scan.messages.m_shown.empty());
}

TEST(CardScan, RecordLabelsAndTheRowBuffer)
{
    TempCard card;
    std::string csv = "h\n0,first,UHF,x\n0,,VHF\n";
    for (int i = 3; i <= 1000; ++i)
        csv += "0,t\n";
    WriteSingle(card, "F", "LEVEL", 1000, csv);
    Scan scan(card.Root());
    const std::vector<int> records = scan.tree.Children(6);
    ASSERT_EQ(records.size(), 1000u);
    EXPECT_EQ(scan.tree.Label(records[0]), "  1:first");
    EXPECT_EQ(scan.tree.Label(records[1]), "  2:");
    EXPECT_EQ(scan.tree.Label(records[999]), "1000:t");
    // The second line lacks column 3: it keeps the first line's.
    EXPECT_EQ(scan.tree.FindItem(records[1])->m_row.Column(3), "x");
    EXPECT_EQ(scan.tree.FindItem(records[1])->m_row.Column(2), "VHF");
}

TEST(CardScan, UnusableCountFilesLeaveTheKindOutSilently)
{
    TempCard card;
    const std::string versions[] = {"1.00 ", "1.01", "1.00\r", ""};
    int n = 0;
    for (const std::string& version : versions) {
        const std::string folder = "V" + std::to_string(n++);
        card.Write(folder + "/LEVEL/" + folder + ".cnt", "1\n" + version);
        card.Write(folder + "/LEVEL/" + folder + ".CSV", Csv(1));
    }
    card.Write("NoCount/LEVEL/NoCount.CSV", Csv(1));
    card.MakeFolder("DirCount/LEVEL/DirCount.cnt");
    card.Write("DirCount/LEVEL/DirCount.CSV", Csv(1));
    card.Write("Empty/LEVEL/Empty.cnt", "1\n1.00\n");
    card.Write("Empty/LEVEL/Empty.CSV", "header only\n");
    Scan scan(card.Root());
    EXPECT_EQ(scan.tree.ItemCount(), 5);
    EXPECT_TRUE(scan.messages.m_shown.empty());
}

TEST(CardScan, ValuesFileProblemsShowTheirBoxes)
{
    TempCard card;
    WriteSingle(card, "Fewer", "LEVEL", 5, Csv(4));
    card.Write("Huge/BER/Huge.cnt", "99999999999999999999\n1.00\n");
    card.Write("Huge/BER/Huge.CSV", Csv(2));
    card.Write("Missing/SKY/Missing.cnt", "1\n1.00\n");
    card.Write("Dir/SKY/Dir.cnt", "1\n1.00\n");
    card.MakeFolder("Dir/SKY/Dir.CSV");
    Scan scan(card.Root());
    EXPECT_EQ(scan.messages.m_shown,
              (std::vector<std::string>{
                  card.Path("Dir/SKY/Dir.CSV") + " へのｱｸｾｽは拒否されました。",
                  card.Path("Fewer/LEVEL/Fewer.CSV") + kMismatch,
                  card.Path("Huge/BER/Huge.CSV") + kMismatch,
                  card.Path("Missing/SKY/Missing.CSV") + " が見つかりませんでした。",
              }));
    const std::vector<int> fewer = scan.tree.Children(scan.tree.Children(1).at(0));
    ASSERT_EQ(fewer.size(), 4u);
    EXPECT_EQ(scan.tree.FindItem(fewer[0])->m_strCount.Str(), "4");
    EXPECT_EQ(scan.tree.Children(2).size(), 1u);
    EXPECT_TRUE(scan.tree.Children(3).empty());
}

TEST(CardScan, MultiRecordsAreFilesAndStopAtTheFirstGap)
{
    TempCard card;
    card.Write("M/MULTI/COUNT.CNT", "3\r\n1.00\n");
    card.Write("M/MULTI/01.CSV", MultiFile(12, 10));
    card.Write("M/MULTI/03.CSV", MultiFile(2, 2));
    card.Write("N/MULTI/COUNT.CNT", "0\n1.00\n");
    card.Write("N/MULTI/01.CSV", MultiFile(2, 2));
    Scan scan(card.Root());
    // M: the count line keeps its CR, which shows in every record of the folder.
    EXPECT_EQ(scan.messages.m_shown,
              (std::vector<std::string>{
                  card.Path("M/MULTI/01.CSV") + kMismatch,
                  card.Path("M/MULTI/02.CSV") + " が見つかりませんでした。",
              }));
    const std::vector<int> folders = scan.tree.Children(5);
    ASSERT_EQ(folders.size(), 2u);
    const std::vector<int> m = scan.tree.Children(folders[0]);
    ASSERT_EQ(m.size(), 1u);
    const std::optional<CDataItem> record = scan.tree.FindItem(m[0]);
    EXPECT_EQ(scan.tree.Label(m[0]), "  1:multi title");
    EXPECT_EQ(record->m_nKind, kindMulti);
    EXPECT_EQ(record->m_strCount.Str(), "3\r");
    EXPECT_EQ(record->NumberText(), "1");
    ASSERT_EQ(record->m_channels.size(), 12u);
    EXPECT_EQ(record->Channel(2)->Column(17), ""); // channel rows are fresh
    EXPECT_TRUE(scan.tree.Children(folders[1]).empty());
}

// The label takes column 1 from the loader's row buffer: a file whose first
// line has no column 1 shows the title of the file before, and its channel
// rows stay its own.
TEST(CardScan, MultiTitleComesFromTheRowBuffer)
{
    TempCard card;
    card.Write("M/MULTI/COUNT.CNT", "3\n1.00\n");
    card.Write("M/MULTI/01.CSV", MultiFile(1, 1));
    card.Write("M/MULTI/02.CSV", "header\n7\n");
    card.Write("M/MULTI/03.CSV", "header\n8,,,,,,,,,,,,,,,,,1\n");
    Scan scan(card.Root());
    const std::vector<int> records = scan.tree.Children(scan.tree.Children(5).at(0));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(scan.tree.Label(records[0]), "  1:multi title");
    EXPECT_EQ(scan.tree.Label(records[1]), "  2:multi title");
    EXPECT_EQ(scan.tree.Label(records[2]), "  3:");
    EXPECT_EQ(scan.tree.FindItem(records[1])->Channel(1)->Column(1), "");
    EXPECT_TRUE(scan.tree.LabelIsCardText(records[1]));
    EXPECT_FALSE(scan.tree.LabelIsCardText(5));
}

TEST(CardScan, MultiWithMoreFilesThanCountReadsOnlyTheCount)
{
    TempCard card;
    card.Write("M/MULTI/COUNT.CNT", "2\n1.00\n");
    for (const std::string name : {"01.CSV", "02.CSV", "03.CSV"})
        card.Write("M/MULTI/" + name, MultiFile(1, 1));
    card.Write("H/MULTI/COUNT.CNT", "99999999999999999999\n1.00\n");
    card.Write("H/MULTI/01.CSV", MultiFile(1, 1));
    Scan scan(card.Root());
    const std::vector<int> folders = scan.tree.Children(5);
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(scan.tree.Children(folders[0]).size(), 1u); // H: stops at 02.CSV
    EXPECT_EQ(scan.tree.Children(folders[1]).size(), 2u); // M
    EXPECT_EQ(scan.messages.m_shown,
              std::vector<std::string>{card.Path("H/MULTI/02.CSV") + " が見つかりませんでした。"});
}

// A file cut at a limit keeps the records before it and says so once: the
// count, which cannot match, gives no second message.
TEST(CardScan, FilesCutAtALimitKeepTheirFirstRecords)
{
    TempCard card;
    WriteSingle(card, "L", "LEVEL", 10000000, Csv(10001));
    card.Write("M/MULTI/COUNT.CNT", "2\n1.00\n");
    card.Write("M/MULTI/01.CSV", MultiFile(3, 99) + std::string(kMaxLineBytes + 1, 'x') + "\n");
    card.Write("M/MULTI/02.CSV", MultiFile(1, 1));
    Scan scan(card.Root());
    EXPECT_EQ(scan.messages.m_shown,
              (std::vector<std::string>{
                  card.Path("L/LEVEL/L.CSV") + " には 10000 件を超えるデータがあります。\n"
                                               "10001 件目から後は読み込みませんでした。",
                  card.Path("M/MULTI/01.CSV") + " の 5 行目が長すぎます（1 行は " +
                      std::to_string(kMaxLineBytes) + " バイト、" + std::to_string(kMaxLineFields) +
                      " 項目まで）。\n5 行目から後は読み込みませんでした。",
              }));
    const std::vector<int> level = scan.tree.Children(scan.tree.Children(1).at(0));
    ASSERT_EQ(level.size(), 10000u);
    EXPECT_EQ(scan.tree.FindItem(level.back())->m_strCount.Str(), "10000");
    const std::vector<int> multi = scan.tree.Children(scan.tree.Children(5).at(0));
    ASSERT_EQ(multi.size(), 2u);
    EXPECT_EQ(scan.tree.FindItem(multi[0])->m_channels.size(), 3u);
}

} // namespace

namespace {

std::vector<std::pair<std::string, std::string>> LeftOutPairs(const CardTree& tree)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const LeftOut& left : tree.LeftOutList())
        pairs.emplace_back(left.m_strPath, left.m_strReason);
    return pairs;
}

const std::string kLinkOut = "カードの外を指すリンクのため読み込みませんでした";

} // namespace

TEST(CardScanLeftOut, EverySubFolderLeftOutIsListedWithItsReason)
{
    TempCard card;
    WriteSingle(card, "Good", "LEVEL", 1, Csv(1));
    card.Write("Old/LEVEL/Old.cnt", "1\n1.01\n");
    card.Write("Old/LEVEL/Old.CSV", Csv(1));
    card.Write("NoCount/BER/NoCount.CSV", Csv(1));
    card.MakeFolder("DirCount/SKY/DirCount.cnt");
    card.Write("Empty/LEVEL/Empty.cnt", "1\n1.00\n");
    card.Write("Empty/LEVEL/Empty.CSV", "header only\n");
    card.Write("NoValues/LEVEL/NoValues.cnt", "1\n1.00\n");
    card.Write("M/MULTI/COUNT.CNT", "3\n1.00\n");
    card.Write("M/MULTI/01.CSV", MultiFile(2, 2));
    Scan scan(card.Root());
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(LeftOutPairs(scan.tree),
              (Pairs{
                  {card.Path("DirCount/SKY"), "記録情報ファイル DirCount.cnt を読み込めませんでした"},
                  {card.Path("Empty/LEVEL"), "データファイル Empty.CSV にデータがありません"},
                  {card.Path("M/MULTI"),
                   "データファイル 02.CSV がありません（2 件目から 3 件目までを読み込みませんでした）"},
                  {card.Path("NoCount/BER"), "記録情報ファイル NoCount.cnt がありません"},
                  {card.Path("NoValues/LEVEL"), "データファイル NoValues.CSV がありません"},
                  {card.Path("Old/LEVEL"), "記録情報ファイル Old.cnt の版が 1.00 ではありません"},
              }));
    // The boxes shown stay readable after the scan.
    EXPECT_EQ(scan.tree.ShownMessages(), scan.messages.m_shown);
    EXPECT_FALSE(scan.tree.ShownMessages().empty());
}

TEST(CardScanLeftOut, LinksOutOfTheCardAreNotFollowed)
{
    TempCard outside;
    outside.Write("secret.csv", Csv(3, "secret"));
    outside.Write("Away/LEVEL/Away.cnt", "1\n1.00\n");
    outside.Write("Away/LEVEL/Away.CSV", Csv(1));
    outside.Write("key.pem", std::string(4000, '\xFF'));

    TempCard card;
    card.Write("Out/LEVEL/Out.cnt", "3\n1.00\n");
    std::filesystem::create_symlink(outside.Path("secret.csv"), card.Path("Out/LEVEL/Out.CSV"));
    WriteSingle(card, "In", "LEVEL", 2, Csv(2));
    card.Write("Linked/LEVEL/Linked.cnt", "2\n1.00\n");
    std::filesystem::create_symlink(card.Path("In/LEVEL/In.CSV"), card.Path("Linked/LEVEL/Linked.CSV"));
    std::filesystem::create_symlink(outside.Path("Away"), card.Path("Away"));
    // A link to a folder outside that holds nothing of the meter's is said too.
    std::filesystem::create_symlink(outside.Root(), card.Path("Home"));
    card.Write("Loop/BER/Loop.cnt", "1\n1.00\n");
    std::filesystem::create_symlink(card.Path("Loop/BER/Loop.CSV"), card.Path("Loop/BER/Loop.CSV"));
    card.Write("C/CONSTEL/C.cnt", "2\n1.00\n");
    card.Write("C/CONSTEL/C.CSV", "h\nA.C01,one,UHF\nA.C02,two,UHF\n");
    std::filesystem::create_symlink(outside.Path("key.pem"), card.Path("C/CONSTEL/C.C01"));
    card.Write("C/CONSTEL/c.c02", std::string(10, '\x80'));

    Scan scan(card.Root());
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(LeftOutPairs(scan.tree),
              (Pairs{
                  {card.Path("Away"), kLinkOut},
                  {card.Path("C/CONSTEL/C.C01"), kLinkOut},
                  {card.Path("Home"), kLinkOut},
                  {card.Path("Loop/BER"), "データファイル Loop.CSV を読み込めませんでした"},
                  {card.Path("Out/LEVEL"), kLinkOut},
              }));
    // In and the link to it inside the card read as two folders of two records.
    const std::vector<int> levelFolders = scan.tree.Children(1);
    ASSERT_EQ(levelFolders.size(), 2u);
    for (int folder : levelFolders)
        EXPECT_EQ(scan.tree.Children(folder).size(), 2u) << scan.tree.Label(folder);
    // The constellation records stay; only the picture out of the card is dropped,
    // and the other is found in another letter case.
    const std::vector<int> constel = scan.tree.Children(scan.tree.Children(4).at(0));
    ASSERT_EQ(constel.size(), 2u);
    EXPECT_EQ(scan.tree.FindItem(constel[0])->m_strPicturePath.Str(), "");
    EXPECT_EQ(scan.tree.FindItem(constel[1])->m_strPicturePath.Str(), card.Path("C/CONSTEL/c.c02"));
}

TEST(CardScanLeftOut, DotPictureNameTakesTheLastThreeCharactersOfColumnZero)
{
    struct Case {
        const char* csvName;
        const char* column0;
        const char* picture;
    };
    for (const Case& c : {Case{"F.CSV", "A1C01", "F.C01"}, Case{"F.CSV", "7", "F.7"},
                          Case{"F.X.CSV", "", "F.X."}, Case{"noDot", "C01", ""}})
        EXPECT_EQ(DotPictureName(c.csvName, c.column0), c.picture) << c.csvName << " " << c.column0;
}

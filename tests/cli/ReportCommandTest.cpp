#include "cli/SmallCard.h"
#include "support/CaseName.h"
#include "support/OutputFiles.h"
#include "support/RunKr80a.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

namespace {

// A PDF as poppler reads it: its page count and its text.
struct PdfContent {
    int pages = 0;
    std::string text;
};

PdfContent ReadPdf(const std::string& path)
{
    PdfContent pdf;
    const std::string info = CommandOutput("pdfinfo '" + path + "' 2>&1");
    const std::size_t at = info.find("Pages:");
    if (at != std::string::npos)
        pdf.pages = std::atoi(info.c_str() + at + 6);
    pdf.text = CommandOutput("pdftotext -layout '" + path + "' - 2>&1");
    return pdf;
}

// The text with every run of blanks (ideographic spaces included) as one space,
// since the extracted layout pads with blanks as it sees fit.
std::string OneBlank(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool ideographic = text.compare(i, 3, "\u3000") == 0;
        if (text[i] == ' ' || ideographic) {
            if (out.empty() || out.back() != ' ')
                out += ' ';
            i += ideographic ? 2 : 0;
        } else {
            out += text[i];
        }
    }
    return out;
}

void ExpectHolds(const std::string& text, std::initializer_list<const char*> parts)
{
    const std::string normal = OneBlank(text);
    for (const char* part : parts)
        EXPECT_NE(normal.find(part), std::string::npos) << part << " in\n" << normal;
}

// One line of `pdfimages -list`: an image drawn on a page.
struct PdfImage {
    int width = 0;
    int height = 0;
    std::string colour; // "gray", "rgb", ...
    int bitsPerComponent = 0;
    std::string encoding; // "image" (lossless), "jpeg", ...
    std::string interpolated;
    int object = 0;
};

std::vector<PdfImage> ListImages(const std::string& path)
{
    std::vector<PdfImage> images;
    std::istringstream lines(CommandOutput("pdfimages -list '" + path + "' 2>&1"));
    std::string line;
    for (int header = 0; header < 2 && std::getline(lines, line); ++header) {
    }
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        int page = 0, number = 0, components = 0;
        std::string type;
        PdfImage image;
        if (fields >> page >> number >> type >> image.width >> image.height >> image.colour >> components >>
            image.bitsPerComponent >> image.encoding >> image.interpolated >> image.object)
            images.push_back(image);
    }
    return images;
}

class ReportCommand : public ::testing::Test {
protected:
    RunResult Report(const std::string& root, const std::string& more = "")
    {
        return RunKr80a("report " + root + " -o " + m_pdf + " --quiet " + more);
    }

    SmallCard m_card;
    TempCard m_outputs; // a folder outside the card
    std::string m_pdf = m_outputs.Path("report.pdf");
};

TEST_F(ReportCommand, HoldsTheCountsAndASectionPerFolder)
{
    const RunResult r = Report(m_card.Root());
    ASSERT_EQ(r.status, 0) << r.err;
    const PdfContent pdf = ReadPdf(m_pdf);
    // The first page, one page for SITE,"2" and two for the four blocks of SITE1.
    EXPECT_EQ(pdf.pages, 4);
    ExpectHolds(pdf.text, {"測定データ報告書", "レベル測定データ", "フォルダ別の件数", "測定フォルダ SITE1",
                           "測定フォルダ SITE,\"2\"", "データNo. 1 / 2", "データNo. 2 / 2", "屋上/東", "say \"hi\"",
                           "MULTI-A", "地上デジタル", "63.5 dBμ", "--.- dBμ", "5.0 dB", "以下", "1.0E-8", "17.3 dB",
                           "557 MHz", "64QAM", "ch C2 64.5 dBμ", "ch C3 --.- dBμ", "1 / 4", "4 / 4"});
}

// Every screen is embedded as drawn, three by three dots a pixel at the
// page's 300 dpi so that it prints sharp without smoothing, losslessly, and
// in its smallest form: one bit a pixel where only black and white appear,
// else an index into a table of the colours used.
TEST_F(ReportCommand, EmbedsEachScreenWholeNumberScaledLosslessAndSmall)
{
    ASSERT_EQ(Report(m_card.Root()).status, 0);
    const std::vector<PdfImage> images = ListImages(m_pdf);
    ASSERT_EQ(images.size(), 5u); // one per record
    int oneBit = 0;
    for (const PdfImage& image : images) {
        EXPECT_EQ(image.width, 960);
        EXPECT_EQ(image.height, 720);
        EXPECT_EQ(image.encoding, "image");
        EXPECT_EQ(image.interpolated, "no");
        EXPECT_TRUE(image.colour == "gray" || image.colour == "index") << image.colour;
        oneBit += image.colour == "gray" && image.bitsPerComponent == 1;
    }
    EXPECT_GE(oneBit, 4); // all but the multi-channel graph, which may draw in colour
}

// Records that show the same screen share one embedded picture.
TEST_F(ReportCommand, EmbedsARepeatedScreenOnce)
{
    TempCard card;
    const std::string line = CsvLine({{1, "A"}, {2, "UHF"}, {3, "27"}, {5, "557.14"}, {6, "63.46"}, {10, "OFF"}});
    const std::string other = CsvLine({{1, "B"}, {2, "UHF"}, {3, "28"}, {5, "563.14"}, {6, "50.00"}, {10, "OFF"}});
    card.Write("F/LEVEL/F.cnt", "4\n1.00\n");
    card.Write("F/LEVEL/F.CSV", "header\r\n" + line + line + other + line);
    ASSERT_EQ(Report(card.Root()).status, 0);
    const std::vector<PdfImage> images = ListImages(m_pdf);
    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[0].object, images[1].object);
    EXPECT_NE(images[1].object, images[2].object);
    EXPECT_EQ(images[0].object, images[3].object);
}

// The last cross-reference table of the PDF (the one a reader starts from):
// each object number with the offset it gives.
std::vector<std::pair<long, long>> LastCrossReference(const std::string& pdf)
{
    std::vector<std::pair<long, long>> entries;
    const std::size_t start = pdf.rfind("startxref");
    if (start == std::string::npos)
        return entries;
    const auto table = static_cast<std::size_t>(std::atol(pdf.c_str() + start + 9));
    std::istringstream lines(pdf.substr(table, pdf.find("trailer", table) - table));
    std::string word;
    lines >> word; // "xref"
    long first = 0, count = 0;
    while (lines >> first >> count)
        for (long i = 0; i < count; ++i) {
            std::string offset, generation, use;
            lines >> offset >> generation >> use;
            if (use == "n")
                entries.emplace_back(first + i, std::atol(offset.c_str()));
        }
    return entries;
}

// The pictures follow the page writer's PDF as an update: its table names
// every picture where it lies, and the trailer leads back to the writer's
// own table, so that a reader needs no repair to find them.
TEST_F(ReportCommand, TheUpdateNamesEachPictureWhereItLies)
{
    ASSERT_EQ(Report(m_card.Root()).status, 0);
    const std::string pdf = ReadFile(m_pdf);
    const std::vector<std::pair<long, long>> entries = LastCrossReference(pdf);
    ASSERT_EQ(entries.size(), 5u); // the card's five distinct screens
    for (const auto& [object, offset] : entries) {
        const std::string opening = std::to_string(object) + " 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n";
        EXPECT_EQ(pdf.compare(static_cast<std::size_t>(offset), opening.size(), opening), 0) << object;
    }
    const std::size_t previous = pdf.rfind("/Prev ");
    ASSERT_NE(previous, std::string::npos);
    EXPECT_EQ(pdf.compare(static_cast<std::size_t>(std::atol(pdf.c_str() + previous + 6)), 4, "xref"), 0);
    EXPECT_EQ(CommandOutput("pdfinfo '" + m_pdf + "' 2>&1").find("rror"), std::string::npos); // no repair
}

TEST_F(ReportCommand, CoversOnlyTheNamedFolders)
{
    ASSERT_EQ(Report(m_card.Root(), "--folder SITE1").status, 0);
    const PdfContent pdf = ReadPdf(m_pdf);
    EXPECT_EQ(pdf.pages, 3);
    EXPECT_EQ(pdf.text.find("MULTI-A"), std::string::npos);

    const RunResult unknown = Report(m_card.Root(), "--folder NOWHERE");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("NOWHERE"), std::string::npos) << unknown.err;
}

TEST_F(ReportCommand, ACardWithoutRecordsSaysSo)
{
    TempCard empty; // a multi-channel folder is listed even without records
    empty.Write("F/MULTI/COUNT.CNT", "2\n1.00\n");
    ASSERT_EQ(Report(empty.Root()).status, 0);
    const PdfContent pdf = ReadPdf(m_pdf);
    EXPECT_EQ(pdf.pages, 1);
    ExpectHolds(pdf.text, {"測定データはありません", "1 / 1"});
}

// The first page lists what the scan could not read of the folders covered,
// by its place in the card, under a heading of its own; a whole card has none.
TEST_F(ReportCommand, FirstPageListsTheFoldersLeftOut)
{
    struct Case {
        const char* name;
        bool damaged;
        const char* arguments;
        std::vector<std::string> holds;
        std::vector<std::string> lacks;
    };
    const std::string lost = "LOST/LEVEL 記録情報ファイル LOST.cnt の版が 1.00 ではありません";
    const std::string sky = "SITE1/SKY 記録情報ファイル SITE1.cnt がありません";
    const std::vector<Case> cases{
        {"WholeCard", false, "", {"種類別の件数"}, {"読み込めなかった"}},
        {"Damaged", true, "", {"読み込めなかったフォルダ（2 件）", lost, sky, "種類別の件数"}, {m_card.Root()}},
        {"OneFolderReported", true, "--folder SITE1", {"読み込めなかったフォルダ（1 件）", sky}, {"LOST"}},
        {"FolderReportedIsWhole", true, "--folder 'SITE,\"2\"'", {}, {"読み込めなかった"}},
    };
    for (const Case& c : cases) {
        SmallCard card;
        if (c.damaged) {
            card.Card().Write("LOST/LEVEL/LOST.cnt", "1\n1.01\n");
            card.Card().Write("LOST/LEVEL/LOST.CSV", "header\r\n" + CsvLine({{1, "x"}}));
            card.Card().Write("SITE1/SKY/SITE1.CSV", "header\r\n" + CsvLine({{1, "y"}}));
        }
        const RunResult r = Report(card.Root(), c.arguments);
        ASSERT_EQ(r.status, 0) << c.name << r.err;
        const std::string first = OneBlank(CommandOutput("pdftotext -f 1 -l 1 -layout '" + m_pdf + "' - 2>&1"));
        for (const std::string& part : c.holds)
            EXPECT_NE(first.find(part), std::string::npos) << c.name << ": " << part << " in\n" << first;
        for (const std::string& part : c.lacks)
            EXPECT_EQ(first.find(part), std::string::npos) << c.name << ": " << part << " in\n" << first;
    }
}

TEST_F(ReportCommand, RefusesWrongCallsAPlaceInsideTheCardAndAFolderItCannotWrite)
{
    for (const char* arguments : {"", "ROOT", "ROOT -o", "ROOT -o a.pdf extra", "ROOT -o a.pdf --folder"}) {
        std::string line = arguments;
        if (line.starts_with("ROOT"))
            line.replace(0, 4, m_card.Root());
        EXPECT_EQ(RunKr80a("report " + line).status, 2) << arguments;
    }
    const RunResult r = RunKr80a("report " + m_card.Root() + " -o " + m_outputs.Path("no/such/folder/r.pdf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
    EXPECT_EQ(RunKr80a("report " + m_card.Root() + " -o " + m_card.Root() + "/r.pdf").status, 1);
    EXPECT_FALSE(std::filesystem::exists(m_card.Root() + "/r.pdf"));
}

// What the report tells a customer, found in its text: the words each case
// must hold, and those it must not.
struct ReportTextCase {
    std::string name;
    std::string arguments;
    std::vector<std::string> holds;
    std::vector<std::string> lacks;
};

class ReportText : public ReportCommand, public testing::WithParamInterface<ReportTextCase> {
protected:
    // Every values file of the card last written at noon of 2026-11-30, but
    // SITE1's BER file at noon of 2026-12-02.
    void SetUp() override
    {
        for (const auto& file : std::filesystem::recursive_directory_iterator(m_card.Root()))
            if (file.is_regular_file())
                Touch(file.path().string(), "2026-11-30 12:00");
        Touch(m_card.Card().Path("SITE1/BER/SITE1.CSV"), "2026-12-02 12:00");
    }
    static void Touch(const std::string& path, const std::string& when)
    {
        ASSERT_EQ(std::system(("touch -d '" + when + "' '" + path + "'").c_str()), 0);
    }
    std::string Filled(const std::string& text) const
    {
        std::string filled = text;
        for (std::size_t at; (at = filled.find("CARD")) != std::string::npos;)
            filled.replace(at, 4, std::filesystem::path(m_card.Root()).filename().string());
        for (std::size_t at; (at = filled.find("ROOT")) != std::string::npos;)
            filled.replace(at, 4, m_card.Root());
        return filled;
    }
};

TEST_P(ReportText, TellsTheCustomer)
{
    const RunResult r = Report(m_card.Root(), GetParam().arguments);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = OneBlank(ReadPdf(m_pdf).text);
    for (const std::string& part : GetParam().holds)
        EXPECT_NE(text.find(Filled(part)), std::string::npos) << Filled(part) << " in\n" << text;
    for (const std::string& part : GetParam().lacks)
        EXPECT_EQ(text.find(Filled(part)), std::string::npos) << Filled(part) << " in\n" << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportText,
    testing::Values(
        ReportTextCase{"CoverFields",
                       "--title '共聴設備点検' --customer '=1+1 様' --site '東京都 千代田区' --worker '山田 太郎' "
                       "--date '2026年12月1日' --instrument 'KR80A #1234'",
                       {"件名 共聴設備点検", "顧客名 =1+1 様", "現場名 東京都 千代田区", "作業者 山田 太郎",
                        "測定日 2026年12月1日", "測定器 KR80A #1234"},
                       {}},
        ReportTextCase{"OnlyTheFieldsGiven", "--worker '山田'", {"作業者 山田"}, {"件名", "顧客名", "現場名", "測定器"}},
        ReportTextCase{"MeasurementDaysFromTheValuesFiles", "", {"測定日 2026/11/30 – 2026/12/02"}, {}},
        ReportTextCase{"MeasurementDayOfTheFolderReported", "--folder 'SITE,\"2\"'", {"測定日 2026/11/30"},
                       {"2026/12/02"}},
        ReportTextCase{"TheCardByItsFolderNameOnly", "", {"データフォルダ：CARD"}, {"ROOT", "/tmp"}},
        ReportTextCase{"Legend",
                       "",
                       {"凡例", "--.- -.----- 値なし", "~~.~ ~.~~~~~ 高い位置の破線：測定範囲の上限を超えた",
                        "__._ _._____ 低い位置の破線：測定範囲の下限に満たない", "補正 補 補正オン", "以上 表示の上限",
                        "以下 表示の下限", "赤 多チャンネルの棒：測定範囲の上限を超えた", "▲ カーソルのチャンネル",
                        "△ 基準チャンネル"},
                       {}},
        ReportTextCase{"FolderNameOnAContinuedPage", "", {"測定フォルダ SITE1（続き）"}, {"SITE,\"2\"（続き）"}},
        ReportTextCase{"FullWidthLabels", "", {"レベル 63.5 dBμ", "周波数 557 MHz", "変調方式 OFDM"}, {"ﾚﾍﾞﾙ", "ｺﾝﾊﾞｰﾀｰ"}},
        ReportTextCase{"EveryMultiChannelRowLabelled", "--folder 'SITE,\"2\"'",
                       {"バンド名 VHF", "ch C1", "レベル 60.0 dBμ", "ch C1 60.0 dBμ", "ch C3 --.- dBμ"}, {}}),
    CaseName());

} // namespace

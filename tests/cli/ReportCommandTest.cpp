#include "cli/SmallCard.h"
#include "support/RunKr80a.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

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

} // namespace

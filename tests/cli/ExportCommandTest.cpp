#include "cli/SmallCard.h"
#include "support/OutputFiles.h"
#include "support/RunKr80a.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Repeat(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

class ExportCommand : public ::testing::Test {
protected:
    std::string Out() const { return m_outputs.Path("out"); }
    RunResult Export(const std::string& more = "")
    {
        return RunKr80a("export " + m_card.Root() + " " + Out() + " --quiet " + more);
    }

    SmallCard m_card;
    TempCard m_outputs; // a folder outside the card
};

// Names mirror the card; "/" and control bytes become "_"; a long data name
// is cut so that the name stays within 255 bytes (82 × 測 = 246 bytes).
const std::pair<const char*, int> kPictures[] = {
    {"SITE,_2_/MULTI/001_MULTI-A", 7},
    {"SITE1/LEVEL/001_屋上_東", 9},
    {"SITE1/LEVEL/002_A_B", 10},
    {"SITE1/BER/001_say _hi_", 12},
};

TEST_F(ExportCommand, WritesEveryRecordAsShowDrawsIt)
{
    for (const char* format : {"png", "bmp"}) {
        fs::remove_all(Out());
        const RunResult r = Export(std::string("--format ") + format);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string ext = std::string(".") + format;
        const std::string longName = "SITE1/CONSTEL/001_" + Repeat("測", 82) + ext;
        std::set<std::string> expected{longName};
        for (const auto& [name, id] : kPictures)
            expected.insert(name + ext);
        EXPECT_EQ(FilesBelow(Out()), expected);
        EXPECT_EQ(fs::path(longName).filename().string().size(), 4u + 246u + 4u);

        for (const auto& [name, id] : kPictures) {
            const std::string shown = m_outputs.Path("shown" + ext);
            ASSERT_EQ(RunKr80a("show " + m_card.Root() + " " + std::to_string(id) + " -o " + shown).status, 0);
            EXPECT_EQ(ReadFile(Out() + "/" + name + ext), ReadFile(shown)) << name << ext;
        }
    }
}

TEST_F(ExportCommand, RefusesAFolderThatIsNotEmptyUnlessForced)
{
    fs::create_directories(Out());
    std::ofstream(Out() + "/keep.txt") << "mine";
    const RunResult refused = Export();
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("not empty"), std::string::npos) << refused.err;
    EXPECT_EQ(FilesBelow(Out()), std::set<std::string>{"keep.txt"});

    const RunResult forced = Export("--force");
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(FilesBelow(Out()).size(), 6u);
    EXPECT_EQ(ReadFile(Out() + "/keep.txt"), "mine");
}

TEST_F(ExportCommand, RefusesWrongCallsAndAFolderInsideTheCard)
{
    for (const char* arguments : {"", "ROOT", "ROOT OUT --format gif", "ROOT OUT --force --force",
                                  "ROOT OUT extra", "ROOT OUT --verbose"}) {
        std::string line = arguments;
        if (line.starts_with("ROOT"))
            line.replace(0, 4, m_card.Root());
        if (const std::size_t out = line.find("OUT"); out != std::string::npos)
            line.replace(out, 3, Out());
        EXPECT_EQ(RunKr80a("export " + line).status, 2) << arguments;
    }
    const RunResult inside = RunKr80a("export " + m_card.Root() + " " + m_card.Root() + "/SITE1/pictures --quiet");
    EXPECT_EQ(inside.status, 1);
    EXPECT_FALSE(fs::exists(m_card.Root() + "/SITE1/pictures"));
}

// The scan lists a multi-channel folder with a usable count file even
// without a single values file: its folder is made, empty.
TEST_F(ExportCommand, AFolderWithoutRecordsStaysEmpty)
{
    TempCard card;
    card.Write("F/MULTI/COUNT.CNT", "2\n1.00\n");
    const RunResult r = RunKr80a("export " + card.Root() + " " + Out() + " --quiet");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_directory(Out() + "/F/MULTI"));
    EXPECT_TRUE(FilesBelow(Out()).empty());
}

// A file that cannot be written stops the export with its name and status 1,
// and leaves no half file and no temporary file behind.
TEST_F(ExportCommand, AFailedWriteStopsWithTheFileNamed)
{
    struct Case {
        const char* what;
        std::function<void(const std::string& out)> spoil;
        std::string named;
    };
    std::vector<Case> cases{
        {"a folder where the picture goes", [](const std::string& out) {
             fs::create_directories(out + "/SITE1/LEVEL/001_屋上_東.png/x");
         }, "SITE1/LEVEL/001_屋上_東.png"},
    };
    if (geteuid() != 0) // permissions do not stop root
        cases.push_back({"a folder without write permission", [](const std::string& out) {
                             fs::create_directories(out + "/SITE1/LEVEL");
                             fs::permissions(out + "/SITE1/LEVEL", fs::perms::owner_read | fs::perms::owner_exec);
                         }, "SITE1/LEVEL/"});
    for (const Case& c : cases) {
        fs::remove_all(Out());
        c.spoil(Out());
        const RunResult r = Export("--force");
        EXPECT_EQ(r.status, 1) << c.what;
        EXPECT_NE(r.err.find("cannot write " + Out() + "/" + c.named), std::string::npos) << c.what << ": " << r.err;
        for (const std::string& file : FilesBelow(Out())) {
            EXPECT_EQ(file.find(".kr80a-"), std::string::npos) << c.what << ": " << file;
            EXPECT_GT(fs::file_size(Out() + "/" + file), 0u) << file;
        }
        fs::permissions(Out() + "/SITE1/LEVEL", fs::perms::owner_all, fs::perm_options::add);
    }
}

} // namespace

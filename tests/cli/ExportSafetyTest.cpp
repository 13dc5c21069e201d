// An export writes only outside the card, under names every stick accepts,
// and ends cleanly however often it runs.
#include "cli/SmallCard.h"
#include "support/RunKr80a.h"
#include "support/TempCard.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

namespace {

std::set<std::string> FilesBelow(const fs::path& root)
{
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        files.insert(fs::relative(entry.path(), root).string());
    return files;
}

// Workers end before the program does, every time.
TEST(ExportSafety, TenExportsInARowEachEndCleanly)
{
    SmallCard card;
    TempCard out;
    for (int run = 0; run < 10; ++run) {
        const RunResult r = RunKr80a("export " + card.Root() + " " + out.Path("out") + " --quiet --force");
        ASSERT_EQ(r.status, 0) << run << r.err;
        EXPECT_EQ(r.err, "") << run;
    }
    for (const std::string& name : FilesBelow(out.Path("out")))
        EXPECT_EQ(fs::path(name).filename().string().rfind(".kr80a", 0), std::string::npos) << name;
}

// Links that lead into the card are followed to see where a folder or file
// would land; anything inside the card is refused and the card is untouched.
TEST(ExportSafety, NothingLandsInTheCardThroughALink)
{
    TempCard parent;
    SmallCard source;
    fs::copy(source.Root(), parent.Path("KR80A"), fs::copy_options::recursive);
    const std::string card = parent.Path("KR80A");
    // The card holds a folder named like the card: exporting into its parent
    // would make KR80A/LEVEL inside the card.
    fs::create_directories(card + "/KR80A/LEVEL");
    fs::copy(card + "/SITE1/LEVEL/SITE1.cnt", card + "/KR80A/LEVEL/KR80A.cnt");
    fs::copy(card + "/SITE1/LEVEL/SITE1.CSV", card + "/KR80A/LEVEL/KR80A.CSV");
    const std::set<std::string> before = FilesBelow(card);

    TempCard out;
    fs::create_directory_symlink(card + "/SITE1", out.Path("SITE1"));
    TempCard filed;
    fs::create_directories(filed.Path("SITE1/LEVEL"));
    fs::create_symlink(card + "/SITE1/LEVEL/SITE1.CSV", filed.Path("SITE1/LEVEL/001_屋上_東.png"));
    const std::pair<std::string, std::string> cases[] = {
        {out.Root(), "a link to a card folder"},
        {parent.Root(), "the card's parent"},
        {filed.Root(), "a file linked into the card"},
    };
    for (const auto& [outDir, what] : cases) {
        const RunResult r = RunKr80a("export " + card + " " + outDir + " --quiet --force");
        EXPECT_EQ(r.status, 1) << what;
        EXPECT_NE(r.err.find("lies inside the card"), std::string::npos) << what << r.err;
        EXPECT_EQ(FilesBelow(card), before) << what;
    }
}

// Two folders whose names become the same safe name (also only in letter
// case, as FAT compares) each keep their own folder of pictures.
TEST(ExportSafety, FoldersWhoseSafeNamesCollideStayApart)
{
    TempCard card;
    for (const std::string folder : {"A:B", "A*B", "a?b"}) {
        card.Write(folder + "/LEVEL/" + folder + ".cnt", "1\n1.00\n");
        card.Write(folder + "/LEVEL/" + folder + ".CSV", "h\r\n0,rec,UHF\r\n");
    }
    TempCard out;
    const RunResult r = RunKr80a("export '" + card.Root() + "' " + out.Path("out") + " --quiet");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FilesBelow(out.Path("out")),
              (std::set<std::string>{"A_B", "A_B/LEVEL", "A_B/LEVEL/001_rec.png", "A_B~2", "A_B~2/LEVEL",
                                     "A_B~2/LEVEL/001_rec.png", "a_b~3", "a_b~3/LEVEL", "a_b~3/LEVEL/001_rec.png"}));
}

} // namespace

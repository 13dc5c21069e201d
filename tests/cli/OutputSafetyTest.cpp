// What kr80a writes goes where it was told, whole, and what it prints cannot
// act on the terminal.
#include "SmallCard.h"
#include "support/RunKr80a.h"
#include "support/TempCard.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A full device takes nothing: the command fails, and the device stays one.
TEST(OutputSafety, WritingToAFullDeviceFails)
{
    SmallCard card;
    TempCard out;
    // show -o takes its format from the name; a link gives /dev/full one.
    fs::create_symlink("/dev/full", out.Path("full.png"));
    const std::string commands[] = {
        "summary " + card.Root() + " >/dev/full",
        "summary " + card.Root() + " -o /dev/full",
        "show " + card.Root() + " 7 >/dev/full",
        "show " + card.Root() + " 7 -o " + out.Path("full.png"),
    };
    for (const std::string& command : commands) {
        const RunResult r = RunKr80a(command);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err, "") << command;
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_TRUE(fs::is_symlink(out.Path("full.png")));
}

// A FIFO is written in place, so that a reader at the other end gets the
// table; it is never replaced by a file.
TEST(OutputSafety, OutputOntoAFifoGoesThroughIt)
{
    SmallCard card;
    TempCard out;
    const std::string fifo = out.Path("table.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] { read = Contents(fifo); });
    const RunResult r = RunKr80a("summary " + card.Root() + " -o " + fifo);
    reader.join();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(read.find("MULTI-A"), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

// A name that is not UTF-8 reaches the file system byte for byte.
TEST(OutputSafety, ANonUtf8OutputNameIsKept)
{
    SmallCard card;
    TempCard out;
    const std::string name = out.Path("\x91\xaa.csv"); // Shift-JIS, not UTF-8
    const std::string picture = out.Path("\x91\xaa.png");
    const RunResult summary = RunKr80a("summary " + card.Root() + " -o '" + name + "'");
    const RunResult show = RunKr80a("show " + card.Root() + " 7 -o '" + picture + "'");
    const RunResult report = RunKr80a("report " + card.Root() + " -o '" + out.Path("\x91\xaa.pdf") + "' --quiet");
    EXPECT_EQ(summary.status, 0) << summary.err;
    EXPECT_EQ(show.status, 0) << show.err;
    EXPECT_EQ(report.status, 0) << report.err;
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(out.Root()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"\x91\xaa.csv", "\x91\xaa.png", "\x91\xaa.pdf"}));
}

// A report that does not fit fails, and the older report stays whole.
TEST(OutputSafety, AReportOntoAFullDiskKeepsTheOldOne)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs the superuser";
    SmallCard card;
    TempCard out;
    const std::string mount = out.MakeFolder("small");
    ASSERT_EQ(::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=12k"), 0);
    const std::string report = mount + "/report.pdf";
    { std::ofstream(report) << "%PDF older report"; }
    const RunResult r = RunKr80a("report " + card.Root() + " -o " + report + " --quiet");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("report.pdf"), std::string::npos) << r.err;
    EXPECT_EQ(Contents(report), "%PDF older report");
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(mount))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, std::set<std::string>{"report.pdf"});
    ::umount(mount.c_str());
}

// Names of folders, paths in messages and table cells: escapes, C1 controls
// and bidirectional overrides are shown as text, never sent raw.
TEST(OutputSafety, ControlCharactersNeverReachTheTerminal)
{
    TempCard card;
    const std::string folder = "A\x1b]0;pwned\x07\xC2\x9B" "2J\xE2\x80\xAEgpj";
    card.Write(folder + "/LEVEL/" + folder + ".cnt", "1\n1.00\n");
    card.Write(folder + "/LEVEL/" + folder + ".CSV", "h\r\n0,\x1b[2J,UHF\r\n");
    const RunResult tree = RunKr80a("tree '" + card.Root() + "'");
    EXPECT_EQ(tree.status, 0);
    EXPECT_NE(tree.out.find("A\\x1b]0;pwned\\x07\\u009b2J\\u202egpj"), std::string::npos) << tree.out;
    const RunResult summary = RunKr80a("summary '" + card.Root() + "'");
    EXPECT_EQ(summary.status, 0);
    const RunResult failed = RunKr80a("summary '" + card.Root() + "' -o '" + card.Root() + "/../none\x1b[2J/x.csv'");
    EXPECT_EQ(failed.status, 1);
    for (const RunResult* r : {&tree, &summary, &failed}) {
        for (const std::string raw : {"\x1b", "\x07", "\xC2\x9B", "\xE2\x80\xAE"}) {
            EXPECT_EQ(r->out.find(raw), std::string::npos) << r->out;
            EXPECT_EQ(r->err.find(raw), std::string::npos) << r->err;
        }
    }
    EXPECT_NE(failed.err.find("none\\x1b[2J"), std::string::npos) << failed.err;
}

} // namespace

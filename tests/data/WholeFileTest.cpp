#include "data/WholeFile.h"
#include "support/TempCard.h"

#include <cerrno>
#include <cstring>
#include <set>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Nothing but the named entries: no temporary file stays behind.
std::set<std::string> Entries(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(WholeFile, NewFilesTakeTheGivenModeAndReplacedFilesKeepTheirs)
{
    TempCard folder;
    ASSERT_EQ(WriteWholeFile(folder.Path("new"), "abc", WholeFileOptions{0600, true}), 0);
    EXPECT_EQ(Contents(folder.Path("new")), "abc");
    EXPECT_EQ(ModeOf(folder.Path("new")), 0600u);
    const std::string old = folder.Write("old", "older and longer");
    ::chmod(old.c_str(), 0640);
    ASSERT_EQ(WriteWholeFile(old, "x", WholeFileOptions{0600, false}), 0);
    EXPECT_EQ(Contents(old), "x");
    EXPECT_EQ(ModeOf(old), 0640u);
    EXPECT_EQ(Entries(folder.Root()), (std::set<std::string>{"new", "old"}));
}

TEST(WholeFile, ALinkStaysALinkAndItsTargetIsReplaced)
{
    TempCard folder;
    const std::string target = folder.Write("real/file", "old");
    fs::create_symlink("real/file", folder.Path("link"));
    fs::create_symlink(folder.Path("real/missing"), folder.Path("dangling"));
    ASSERT_EQ(WriteWholeFile(folder.Path("link"), "new"), 0);
    ASSERT_EQ(WriteWholeFile(folder.Path("dangling"), "made"), 0);
    EXPECT_TRUE(fs::is_symlink(folder.Path("link")));
    EXPECT_TRUE(fs::is_symlink(folder.Path("dangling")));
    EXPECT_EQ(Contents(target), "new");
    EXPECT_EQ(Contents(folder.Path("real/missing")), "made");
}

// A FIFO or device is written in place: replacing it with a file would take
// the pipe (or /dev/null, for the superuser) away from everyone else.
TEST(WholeFile, AFifoIsWrittenInPlace)
{
    TempCard folder;
    const std::string fifo = folder.Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] { read = Contents(fifo); });
    EXPECT_EQ(WriteWholeFile(fifo, "through the pipe"), 0);
    reader.join();
    EXPECT_EQ(read, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(WholeFile, FailuresComeWithTheirCauseAndLeaveNothing)
{
    TempCard folder;
    folder.MakeFolder("dir");
    const std::string kept = folder.Write("kept", "old");
    const std::pair<std::string, int> cases[] = {
        {folder.Path("dir"), EISDIR},
        {folder.Path("missing/file"), ENOENT},
        {"/dev/full", ENOSPC},
    };
    for (const auto& [path, error] : cases)
        EXPECT_EQ(WriteWholeFile(path, "bytes"), error) << path;
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(Contents(kept), "old");
    EXPECT_EQ(Entries(folder.Root()), (std::set<std::string>{"dir", "kept"}));
}

// Pieces made one after another become the file only at Commit; a writer
// that goes without it leaves the old file and nothing else.
TEST(WholeFile, AWriterOfPiecesReplacesTheFileOnlyWhenCommitted)
{
    TempCard folder;
    const std::string path = folder.Write("table.csv", "old");
    for (const bool commit : {false, true}) {
        {
            WholeFileWriter writer(path);
            for (const char* piece : {"a", "", "bc", "\n"})
                ASSERT_EQ(writer.Write(piece), 0);
            EXPECT_EQ(Contents(path), "old");
            if (commit) {
                ASSERT_EQ(writer.Commit(), 0);
            }
        }
        EXPECT_EQ(Contents(path), commit ? "abc\n" : "old") << commit;
        EXPECT_EQ(Entries(folder.Root()), std::set<std::string>{"table.csv"}) << commit;
    }
    // A failure sticks: later pieces and the commit say it again.
    WholeFileWriter missing(folder.Path("missing/table.csv"));
    EXPECT_EQ(missing.Write("x"), ENOENT);
    EXPECT_EQ(missing.Write("y"), ENOENT);
    EXPECT_EQ(missing.Commit(), ENOENT);
    WholeFileWriter full("/dev/full");
    EXPECT_EQ(full.Write("x"), ENOSPC);
    EXPECT_EQ(full.Commit(), ENOSPC);
}

// Many new files in one folder: a free name gets the whole file; a name
// taken by anything is left as it is, with EEXIST and nothing written, so
// that the caller decides whether to replace it.
TEST(WholeFile, AFolderOfNewFilesNeverReplacesWhatIsThere)
{
    TempCard folder;
    const std::string outside = folder.Write("outside/file", "outside");
    const std::string root = folder.MakeFolder("pictures");
    folder.Write("pictures/file", "old");
    folder.MakeFolder("pictures/folder");
    fs::create_symlink(outside, root + "/link");
    fs::create_symlink(root + "/missing", root + "/dangling");
    ASSERT_EQ(::mkfifo((root + "/fifo").c_str(), 0600), 0);
    const std::set<std::string> before = Entries(root);

    const NewFilesFolder pictures(root);
    for (const char* taken : {"file", "folder", "link", "dangling", "fifo"})
        EXPECT_EQ(pictures.Write(taken, "new"), EEXIST) << taken;
    EXPECT_EQ(Contents(root + "/file"), "old");
    EXPECT_EQ(Contents(outside), "outside");
    EXPECT_FALSE(fs::exists(root + "/missing"));
    EXPECT_EQ(Entries(root), before);

    for (const auto& [name, mode] : {std::pair{"a.png", 0600u}, {"b.png", 0400u}}) {
        ASSERT_EQ(pictures.Write(name, std::string(5000, 'p'), WholeFileOptions{mode, false}), 0) << name;
        EXPECT_EQ(Contents(root + "/" + name), std::string(5000, 'p'));
        EXPECT_EQ(ModeOf(root + "/" + name), mode);
    }
    std::set<std::string> after = before;
    after.insert({"a.png", "b.png"});
    EXPECT_EQ(Entries(root), after);

    EXPECT_EQ(NewFilesFolder(folder.Path("gone")).Write("a.png", "x"), ENOENT);
    EXPECT_FALSE(fs::exists(folder.Path("gone")));
}

// A small tmpfs fills up in the middle of the write: the old file stays whole
// and the failure says the disk is full.
TEST(WholeFile, AFullDiskKeepsTheOldFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs the superuser";
    TempCard folder;
    const std::string mount = folder.MakeFolder("small");
    ASSERT_EQ(::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k"), 0) << std::strerror(errno);
    const std::string path = mount + "/report.pdf";
    const std::string old(20000, 'o');
    ASSERT_EQ(WriteWholeFile(path, old), 0);
    EXPECT_EQ(WriteWholeFile(path, std::string(60000, 'n')), ENOSPC);
    EXPECT_EQ(Contents(path), old);
    // A new file that does not fit leaves no name and no space taken.
    EXPECT_EQ(NewFilesFolder(mount).Write("picture.png", std::string(60000, 'n')), ENOSPC);
    EXPECT_EQ(Entries(mount), std::set<std::string>{"report.pdf"});
    ASSERT_EQ(WriteWholeFile(path, std::string(40000, 'n')), 0);
    ::umount(mount.c_str());
}

} // namespace

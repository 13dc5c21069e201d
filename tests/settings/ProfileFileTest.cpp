#include "app/settings/ProfileFile.h"
#include "support/CaseName.h"
#include "support/TempCard.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <algorithm>

namespace {

TEST(ProfileFile, MissingFileOrKeyGivesTheDefaults)
{
    TempCard folder;
    for (const std::string& path : {folder.Path("none.ini"), folder.Root()}) {
        const ProfileFile file(path);
        EXPECT_EQ(file.ReadInt("S", "K", 7), 7);
        EXPECT_EQ(file.ReadText("S", "K", "x"), "x");
    }
}

// A Linux folder path is often longer than the 259 bytes of old; a cut never
// leaves half a character.
TEST(ProfileFile, TextKeepsItsBlanksAndIsCutTo4096BytesAtACharacter)
{
    TempCard folder;
    const std::string path300 = "/" + std::string(299, 'p');
    const std::string longText = std::string(4095, 'a') + "測b";
    const ProfileFile file(folder.Write("s.ini", "[S]\nBlank=  /x y  \nLong=" + longText + "\nEmpty=\nPath="
                                                     + path300 + "\n"));
    EXPECT_EQ(file.ReadText("S", "Blank", ""), "  /x y  ");
    EXPECT_EQ(file.ReadText("S", "Long", ""), std::string(4095, 'a'));
    EXPECT_EQ(file.ReadText("S", "Empty", "d"), "");
    EXPECT_EQ(file.ReadText("S", "Path", ""), path300);
}

TEST(ProfileFile, IntegersAreTheirLeadingDigits)
{
    TempCard folder;
    const ProfileFile file(folder.Write(
        "s.ini", "[S]\nA=1\nB=12x\nC=x1\nD=-1\nE= 1\nF=\nG=99999999999999999999\n"));
    const std::pair<const char*, int> cases[] = {{"A", 1}, {"B", 12}, {"C", 0},  {"D", 0},
                                                 {"E", 1}, {"F", 5},  {"G", INT_MAX}};
    for (const auto& [key, value] : cases)
        EXPECT_EQ(file.ReadInt("S", key, 5), value) << key;
}

} // namespace

namespace {

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

struct WriteCase {
    const char* name;
    const char* before;  // nullptr: no file yet
    const char* after;
};

class ProfileWriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, SetsOneKeyAndKeepsEveryOtherLine)
{
    TempCard folder;
    const std::string path = folder.Path("cfg/app/s.ini");
    if (GetParam().before)
        folder.Write("cfg/app/s.ini", GetParam().before);
    const ProfileFile file(path);
    ASSERT_TRUE(file.WriteText("S", "K", "v"));
    EXPECT_EQ(Contents(path), GetParam().after);
    EXPECT_EQ(file.ReadText("S", "K", "default"), "v");
    std::vector<std::string> entries = FolderEntries(folder.Path("cfg/app"));
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"s.ini", "s.ini.lock"}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileWriteTest,
    testing::Values(
        WriteCase{"NoFileNorFolder", nullptr, "[S]\nK=v\n"},
        WriteCase{"EmptyFile", "", "[S]\nK=v\n"},
        WriteCase{"MissingSection", "[T]\na=1\n", "[T]\na=1\n[S]\nK=v\n"},
        WriteCase{"MissingSectionNoFinalLineEnd", "[T]\na=1", "[T]\na=1\n[S]\nK=v\n"},
        WriteCase{"OtherSectionsAround", "[A]\nK=a\n\n[S]\nx=1\n\n[B]\nK=b\n",
                  "[A]\nK=a\n\n[S]\nx=1\nK=v\n\n[B]\nK=b\n"},
        WriteCase{"EmptySectionBeforeAnother", "[S]\n[B]\nK=b\n", "[S]\nK=v\n[B]\nK=b\n"},
        WriteCase{"ReplacedInPlaceFirstOfDuplicates", "[S]\nk = old\nx=1\nK=second\n",
                  "[S]\nk =v\nx=1\nK=second\n"},
        WriteCase{"KeyInARepeatedSection", "[S]\na=1\n[T]\nK=t\n[ s ]\nK=old\n",
                  "[S]\na=1\n[T]\nK=t\n[ s ]\nK=v\n"},
        WriteCase{"CrLfLines", "[S]\r\nA=1\r\n", "[S]\r\nA=1\r\nK=v\r\n"},
        WriteCase{"CrLfNewSection", "[T]\r\na=1\r\n", "[T]\r\na=1\r\n[S]\r\nK=v\r\n"},
        WriteCase{"CommentsAndUnknownKeys", "; top\n[S]\n; K=comment\nOdd=?\nK=old ; tail\n",
                  "; top\n[S]\n; K=comment\nOdd=?\nK=v\n"},
        WriteCase{"NoFinalLineEnd", "[S]\nA=1", "[S]\nA=1\nK=v\n"},
        WriteCase{"OnlyACr", "\r", "\r\n[S]\r\nK=v\r\n"},
        WriteCase{"OneLineCutAfterItsCr", "[S]\r", "[S]\r\nK=v\r\n"}),
    CaseName());

// A file cut after the CR of its last line (its LF lost) reads that line
// without the CR, and a key added after it leaves its value as it read.
TEST(ProfileFile, ALastLineCutAfterItsCrReadsTheSameBeforeAndAfterAWrite)
{
    TempCard folder;
    const ProfileFile file(folder.Write("s.ini", "[S]\r\nPath=/old\r"));
    EXPECT_EQ(file.ReadText("S", "Path", ""), "/old");
    ASSERT_TRUE(file.WriteText("T", "K", "v"));
    EXPECT_EQ(Contents(folder.Path("s.ini")), "[S]\r\nPath=/old\r\n[T]\r\nK=v\r\n");
    EXPECT_EQ(file.ReadText("S", "Path", ""), "/old");
    ASSERT_TRUE(file.WriteText("S", "Path", "/new"));
    EXPECT_EQ(file.ReadText("S", "Path", ""), "/new");
}

TEST(ProfileFile, IntegersAreWrittenInDecimal)
{
    TempCard folder;
    const ProfileFile file(folder.Path("s.ini"));
    ASSERT_TRUE(file.WriteInt("S", "A", 1));
    ASSERT_TRUE(file.WriteInt("S", "B", -12));
    EXPECT_EQ(Contents(folder.Path("s.ini")), "[S]\nA=1\nB=-12\n");
}

TEST(ProfileFile, WritesThroughALinkAndKeepsTheFilesPermissions)
{
    TempCard folder;
    const std::string target = folder.Write("real/s.ini", "[S]\nK=old\n");
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink(target, folder.Path("s.ini"));
    ASSERT_TRUE(ProfileFile(folder.Path("s.ini")).WriteText("S", "K", "v"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("s.ini")));
    EXPECT_EQ(Contents(target), "[S]\nK=v\n");
    struct stat info {};
    ::stat(target.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A file that cannot be written, or could not be read first, stays as it was.
TEST(ProfileFile, UnwritableOrUnreadableFilesAreLeftAlone)
{
    TempCard folder;
    const std::string readOnly = folder.Write("readonly.ini", "[S]\nK=old\n");
    ::chmod(readOnly.c_str(), 0444);
    const std::string large = folder.Write("large.ini", "[S]\nK=old\n");
    std::filesystem::resize_file(large, ProfileFile::kMaxFileBytes + 1);
    const std::string fifo = folder.Path("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string plain = folder.Write("plain.ini", "[S]\nK=old\n");
    // A file stands where the settings folder would be made.
    folder.Write("blocked", "x");
    const std::pair<std::string, std::string> cases[] = {
        {readOnly, "v"}, {large, "v"}, {fifo, "v"}, {folder.Path("blocked/s.ini"), "v"},
        {plain, "v\nUSE_LastFolder=1"}, {plain, "v\r"}};
    for (const auto& [path, value] : cases) {
        const auto before = std::filesystem::status(path).type();
        const std::string contents = before == std::filesystem::file_type::regular ? Contents(path) : "";
        EXPECT_FALSE(ProfileFile(path).WriteText("S", "K", value)) << path;
        EXPECT_EQ(std::filesystem::status(path).type(), before) << path;
        if (before == std::filesystem::file_type::regular) {
            EXPECT_EQ(Contents(path), contents) << path;
        }
    }
    // The five files and the locks beside those that could be locked; no
    // temporary file.
    for (const std::string& name : FolderEntries(folder.Root()))
        EXPECT_TRUE(name.find(".kr80a") == std::string::npos) << name;
}

// Only a regular file of at most a mebibyte is read: a pipe would block, a
// device never ends, and no settings file is that large.
TEST(ProfileFile, HostileFilesGiveTheDefaults)
{
    TempCard folder;
    const std::string fifo = folder.Path("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = folder.Path("zero.ini");
    std::filesystem::create_symlink("/dev/zero", zero);
    const std::string large = folder.Write("large.ini", "[S]\nK=7\n");
    std::filesystem::resize_file(large, ProfileFile::kMaxFileBytes + 1);
    const std::string limit = folder.Write("limit.ini", "[S]\nK=7\n");
    std::filesystem::resize_file(limit, ProfileFile::kMaxFileBytes);
    const std::pair<std::string, int> cases[] = {{fifo, 5}, {zero, 5}, {large, 5}, {limit, 7}};
    for (const auto& [path, value] : cases)
        EXPECT_EQ(ProfileFile(path).ReadInt("S", "K", 5), value) << path;
}

} // namespace

namespace {

// Two processes that each set their own keys one write at a time: the lock
// makes each read-modify-write wait for the other's, so no key is lost.
TEST(ProfileFile, TwoProcessesWritingAtOnceKeepEveryKey)
{
    TempCard folder;
    const std::string path = folder.Path("s.ini");
    constexpr int kKeys = 200;
    std::vector<pid_t> children;
    for (const char* prefix : {"A", "B"}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            bool ok = true;
            for (int i = 0; i < kKeys; ++i)
                ok = ProfileFile(path).WriteInt("S", prefix + std::to_string(i), i) && ok;
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const ProfileFile file(path);
    for (const char* prefix : {"A", "B"}) {
        for (int i = 0; i < kKeys; ++i)
            EXPECT_EQ(file.ReadInt("S", prefix + std::to_string(i), -1), i) << prefix << i;
    }
}

TEST(ProfileFile, SeveralKeysGoInOneWriteOrNone)
{
    TempCard folder;
    const std::string path = folder.Write("s.ini", "[S]\nB=old\n");
    const ProfileFile file(path);
    ASSERT_EQ(file.WriteTexts("S", {{"A", "1"}, {"B", "2"}, {"C", "3"}}), 0);
    EXPECT_EQ(Contents(path), "[S]\nB=2\nA=1\nC=3\n");
    // A line break in the last value refuses the whole write.
    EXPECT_EQ(file.WriteTexts("S", {{"A", "x"}, {"C", "y\nz"}}), EINVAL);
    EXPECT_EQ(Contents(path), "[S]\nB=2\nA=1\nC=3\n");
}

// A write that would take the file past what is read back is refused, since
// every setting would then read as its default.
TEST(ProfileFile, AWritePastTheReadLimitIsRefused)
{
    TempCard folder;
    const std::string before = "[S]\nA=" + std::string(ProfileFile::kMaxFileBytes - 20, 'a') + "\n";
    const std::string path = folder.Write("s.ini", before);
    EXPECT_EQ(ProfileFile(path).WriteTexts("S", {{"B", std::string(100, 'b')}}), EFBIG);
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(ProfileFile(path).WriteTexts("S", {{"B", "b"}}), 0);
}

TEST(ProfileFile, AFailedWriteIsSaidWithItsCause)
{
    const std::pair<int, std::string> cases[] = {
        {EACCES, "設定を保存できませんでした。\n/c/s.ini へのｱｸｾｽは拒否されました。"},
        {ENOSPC, "設定を保存できませんでした。\nディスクの空き容量が不足しています"},
        {EFBIG, "設定を保存できませんでした。\n/c/s.ini は読み込める大きさ (1 MiB) を超えます。"},
    };
    for (const auto& [error, text] : cases)
        EXPECT_EQ(SettingsNotSavedText(error, "/c/s.ini"), text) << error;
}

} // namespace

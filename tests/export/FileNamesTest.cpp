#include "export/FileNames.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNames, NamesAreSafeOnFatAndLinux)
{
    const std::pair<std::string, std::string> cases[] = {
        {"屋上 東", "屋上 東"},
        {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {"tab\tbell\a", "tab_bell_"},
        {"name. . ", "name"},
        {"..", "_"},
        {"", "_"},
        {"CON", "CON_"},
        {"nul.txt", "nul_.txt"},
        {"Com9", "Com9_"},
        {"LPT1.png", "LPT1_.png"},
        {"COM0", "COM0"},
        {"CONSOLE", "CONSOLE"},
    };
    for (const auto& [name, safe] : cases)
        EXPECT_EQ(SafeFileName(name), safe) << name;
}

TEST(FileNames, CutsFallOnACharacterAndDropWhatFatDrops)
{
    std::string name;
    for (int i = 0; i < 100; ++i)
        name += "測";
    const std::string safe = SafeFileName(name);
    EXPECT_EQ(safe.size(), 255u);
    EXPECT_EQ(SafeFileName(std::string(254, 'a') + " .b"), std::string(254, 'a'));
    EXPECT_EQ(SafeFileName("ab測", 4), "ab");
}

// Two folders whose safe names meet, also in letter case as FAT compares,
// get names of their own.
TEST(FileNames, UniqueNamesCountUpAcrossCollisions)
{
    std::set<std::string> taken;
    const std::pair<std::string, std::string> cases[] = {
        {SafeFileName("A:B"), "A_B"}, {SafeFileName("A*B"), "A_B~2"}, {SafeFileName("a?b"), "a_b~3"},
        {SafeFileName("A_B~2"), "A_B~2~2"}, {std::string(255, 'x'), std::string(255, 'x')},
        {std::string(255, 'x'), std::string(253, 'x') + "~2"},
    };
    for (const auto& [name, unique] : cases)
        EXPECT_EQ(UniqueName(name, taken), unique) << name;
}

} // namespace

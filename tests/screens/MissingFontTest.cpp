#include "screens/Canvas.h"
#include "screens/Font.h"

#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

// The face is looked up once per process, so the lookup without fonts runs in
// a fresh child process whose fontconfig sees an empty configuration. The
// child leaves by exit, so it removes its own copy of the folder itself.
void RunWithoutFonts(const std::string& config)
{
    setenv("FONTCONFIG_FILE", config.c_str(), 1);
    const std::string problem = FontProblem();
    std::filesystem::remove_all(std::filesystem::path(config).parent_path());
    std::cerr << problem;
    const Font font(24, 13);
    Canvas canvas;
    canvas.TextOut(0, 0, "ABC");
    canvas.SelectFont(&font);
    canvas.TextOut(10, 10, "ABC\x95\xE2");
    bool ink = false;
    for (Rgb pixel : canvas.Pixels())
        ink = ink || pixel != kWhite;
    std::exit(!problem.empty() && !ink ? 0 : 1);
}

TEST(MissingFontDeathTest, SaysWhichPackageToInstallAndDrawsNoInk)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const TempCard folder;
    const std::string config = folder.Write("fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>"
                                                             + folder.Root() + "</cachedir></fontconfig>\n");
    EXPECT_EXIT(RunWithoutFonts(config), ::testing::ExitedWithCode(0),
                "^The screen font IPAGothic was not found; install the package fonts-ipafont-gothic\\.$");
}

TEST(FontProblem, NoneWhenTheFaceIsInstalled)
{
    EXPECT_EQ(FontProblem(), "");
}

} // namespace

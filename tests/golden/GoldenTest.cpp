// The drawings of the sample card against the pictures stored beside this
// file, pixel for pixel. After an intended change to a drawing,
// scripts/remake-golden.sh makes them again and says which changed.
#include "golden/GoldenCases.h"
#include "golden/GoldenPicture.h"
#include "support/RunKr80a.h"
#include "support/TempCard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

const std::string kCard = SAMPLE_CARD;
const std::string kGolden = GOLDEN_DIR;
constexpr const char* kRemake = "scripts/remake-golden.sh makes them again after an intended change";

TEST(Golden, EveryDrawingEqualsItsStoredPicture)
{
    const GoldenCard card(kCard);
    // Every kind of the sample card and its multi-channel key lists.
    ASSERT_GE(card.Cases().size(), 40u);
    for (const GoldenCase& golden : card.Cases()) {
        const std::optional<StoredPicture> stored = ReadStoredPicture(kGolden + "/" + golden.name);
        if (!stored) {
            ADD_FAILURE() << golden.name << " is not stored; " << kRemake;
            continue;
        }
        const PictureDifference difference = Compare(*stored, card.Draw(golden));
        EXPECT_EQ(difference.count, 0) << golden.name << ": " << difference.Text() << "; " << kRemake;
    }
}

TEST(Golden, EveryStoredPictureBelongsToADrawing)
{
    std::set<std::string> names;
    const GoldenCard card(kCard);
    for (const GoldenCase& golden : card.Cases())
        names.insert(golden.name);
    for (const fs::directory_entry& entry : fs::directory_iterator(kGolden)) {
        if (entry.path().extension() == ".png") {
            EXPECT_TRUE(names.contains(entry.path().filename().string()))
                << entry.path().filename() << " is left over; " << kRemake;
        }
    }
}

// `kr80a show --keys ... -o` writes what the viewer shows after the same
// keys, as PNG and as the viewer's bitmap file alike.
TEST(Golden, ShowWritesTheStoredPictureAfterTheKeys)
{
    const TempCard out;
    int firstMulti = 0;
    int checked = 0;
    const GoldenCard card(kCard);
    for (const GoldenCase& golden : card.Cases()) {
        if (golden.keys.empty() || (firstMulti != 0 && golden.id != firstMulti))
            continue;
        firstMulti = golden.id;
        ++checked;
        const std::optional<StoredPicture> stored = ReadStoredPicture(kGolden + "/" + golden.name);
        ASSERT_TRUE(stored) << golden.name;
        for (const char* extension : {".png", ".bmp"}) {
            const std::string path = out.Path(std::string("shown") + extension);
            const RunResult r = RunKr80a("show " + kCard + " " + std::to_string(golden.id) + " --keys " +
                                         golden.keys + " -o " + path);
            ASSERT_EQ(r.status, 0) << r.err;
            const std::optional<StoredPicture> written = ReadStoredPicture(path);
            ASSERT_TRUE(written) << path;
            EXPECT_EQ(written->width, stored->width) << golden.name << extension;
            EXPECT_EQ(written->height, stored->height) << golden.name << extension;
            EXPECT_TRUE(written->pixels == stored->pixels) << golden.name << extension;
        }
    }
    EXPECT_GE(checked, 5);
}

} // namespace

// Makes the stored pictures again from today's drawing, after an intended
// change: writes each picture that is new or differs, removes the ones no
// drawing makes any more, and prints which changed (scripts/remake-golden.sh).
#include "golden/GoldenCases.h"
#include "golden/GoldenPicture.h"
#include "handon/OutputFile.h"
#include "handon/PictureFile.h"
#include "screens/Font.h"

#include <cstdio>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

struct Tally {
    int changed = 0;
    int added = 0;
    int removed = 0;
};

// Writes one picture when it is new or differs from the stored one; false
// when it cannot be written.
bool Remake(const GoldenCard& card, const GoldenCase& golden, const fs::path& folder, Tally& tally)
{
    const std::string path = (folder / golden.name).string();
    const Canvas drawn = card.Draw(golden);
    const std::optional<StoredPicture> stored = ReadStoredPicture(path);
    if (stored) {
        const PictureDifference difference = Compare(*stored, drawn);
        if (difference.count == 0)
            return true;
        std::printf("changed  %s: %s\n", golden.name.c_str(), difference.Text().c_str());
        ++tally.changed;
    } else {
        std::printf("new      %s\n", golden.name.c_str());
        ++tally.added;
    }
    std::string error = "the picture could not be encoded";
    const std::string bytes = EncodePicture(drawn, PictureFormat::Png);
    if (!bytes.empty() && WriteFileWhole(path, bytes, error, false))
        return true;
    std::fprintf(stderr, "remake-golden: cannot write %s: %s\n", path.c_str(), error.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: remake_golden CARD_FOLDER GOLDEN_FOLDER\n");
        return 2;
    }
    // Without the screen font every picture would change for the wrong reason.
    if (const std::string problem = FontProblem(); !problem.empty()) {
        std::fprintf(stderr, "remake-golden: %s\n", problem.c_str());
        return 1;
    }
    const GoldenCard card(argv[1]);
    const fs::path folder = argv[2];
    Tally tally;
    std::set<std::string> names;
    for (const GoldenCase& golden : card.Cases()) {
        names.insert(golden.name);
        if (!Remake(card, golden, folder, tally))
            return 1;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".png" && !names.contains(name)) {
            std::printf("removed  %s\n", name.c_str());
            fs::remove(entry.path());
            ++tally.removed;
        }
    }
    std::printf("%zu pictures: %d changed, %d new, %d removed\n", names.size(), tally.changed, tally.added,
                tally.removed);
    return 0;
}

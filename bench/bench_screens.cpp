// Full screen draws per second, fonts already loaded. Goal: at least 25,000
// for every screen. Run by hand: build/bench/bench_screens
#include "screens/CBerScreen.h"
#include "screens/CConstelScreen.h"
#include "screens/CLevelScreen.h"
#include "screens/CMultiScreen.h"
#include "screens/CSkyScreen.h"
#include "screens/TextCodec.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

RecordRow MakeRow(std::initializer_list<std::pair<int, const char*>> columns)
{
    RecordRow row;
    for (const auto& [k, text] : columns)
        row.SetColumn(k, EncodeCardText(text));
    return row;
}

// Draws a loaded screen over and over; the first draw outside the timing
// fills the glyph cache.
template <class Screen>
void MeasureDraws(benchmark::State& state, Screen& screen)
{
    Canvas canvas;
    screen.Draw(canvas);
    for (auto _ : state) {
        screen.Draw(canvas);
        benchmark::DoNotOptimize(canvas);
        benchmark::ClobberMemory();
    }
    state.counters["draws/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}

template <class Screen>
void DrawRecordScreen(benchmark::State& state, const RecordRow& row)
{
    Screen screen;
    screen.Load(&row);
    MeasureDraws(state, screen);
}

void LevelTerrestrial(benchmark::State& state)
{
    DrawRecordScreen<CLevelScreen>(state, MakeRow({{2, "東京"}, {3, "27"}, {4, "64QAM"}, {5, "557.14"},
                                                  {6, "63.4"}, {10, "3.0"}, {18, "0"}}));
}

void LevelSatelliteWithCn(benchmark::State& state)
{
    DrawRecordScreen<CLevelScreen>(state, MakeRow({{2, "BSパススルー"}, {3, "BS15"}, {5, "1318.0"},
                                                  {6, "~~~.~"}, {7, "18.2"}, {8, "TC8PSK"},
                                                  {9, "10.678"}, {12, "2"}, {18, "10"}}));
}

void BerTerrestrial(benchmark::State& state)
{
    DrawRecordScreen<CBerScreen>(state, MakeRow({{2, "UHF"}, {3, "27"}, {4, "OFDM"}, {5, "557.14"},
                                                {7, "3.0"}, {18, "0"}, {19, "2.1E-4"}}));
}

void SkyLevels(benchmark::State& state)
{
    DrawRecordScreen<CSkyScreen>(state, MakeRow({{2, "JCSAT-3A"}, {3, "CS2"}, {4, "1"}, {6, "63.5"},
                                                {9, "11.2"}, {18, "4"}, {21, "JCSAT-4A"}, {22, "CS4"},
                                                {23, "2"}, {24, "___._"}, {27, "3.0"}}));
}

void SkyCns(benchmark::State& state)
{
    DrawRecordScreen<CSkyScreen>(state, MakeRow({{2, "JCSAT-3A"}, {3, "CS2"}, {7, "4.0"}, {9, "11.2"},
                                                {18, "6"}, {21, "JCSAT-4A"}, {22, "CS4"}, {26, "26.1"}}));
}

// A constellation picture beside its values file in a fresh temporary folder:
// the screen reads it on every draw, so the draws below include that read.
std::string WriteDotPicture()
{
    std::string folder = (std::filesystem::temp_directory_path() / "kr80a-bench-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return {};
    std::string picture(CConstelScreen::kPictureColumns * CConstelScreen::kPictureRows, '\0');
    for (int dot = 0; dot < 4096; ++dot) {
        const int x = 96 + static_cast<int>(std::lround(90 * std::sin(dot * 0.7)));
        const int y = 96 + static_cast<int>(std::lround(90 * std::cos(dot * 1.3)));
        picture[static_cast<std::size_t>(x / 8 * CConstelScreen::kPictureRows + y)] |=
            static_cast<char>(0x80 >> (x % 8));
    }
    std::ofstream(folder + "/F.C01", std::ios::binary) << picture;
    return folder;
}

void ConstelTerrestrial(benchmark::State& state)
{
    const std::string folder = WriteDotPicture();
    CConstelScreen screen;
    screen.Load(MakeRow({{0, "C01"}, {2, "UHF"}, {3, "27"}, {8, "64QAM"}, {18, "0"}, {20, "23.4"}}),
                folder + "/F.");
    MeasureDraws(state, screen);
    std::filesystem::remove_all(folder);
}

std::vector<RecordRow> MultiChannels(int count, const char* group)
{
    std::vector<RecordRow> rows;
    for (int i = 1; i <= count; ++i) {
        const std::string level = std::to_string(40 + (i * 7) % 60) + ".5";
        rows.push_back(MakeRow({{1, "MULTI"}, {2, "VHF"}, {3, "C13"}, {6, level.c_str()}, {8, "64QAM"},
                                {9, "10.678"}, {10, i % 3 ? "OFF" : "2.0"}, {13, "0"}, {14, "0"},
                                {15, group}, {16, "1"}, {17, std::to_string(count).c_str()}}));
    }
    return rows;
}

void MultiCatv12(benchmark::State& state)
{
    CMultiScreen screen;
    screen.Load(MultiChannels(12, "VU/CATV"));
    MeasureDraws(state, screen);
}

void MultiSatellite60(benchmark::State& state)
{
    CMultiScreen screen;
    screen.Load(MultiChannels(60, "BS"));
    MeasureDraws(state, screen);
}

} // namespace

// One line per screen and layout; a new screen is one function and one line.
BENCHMARK(LevelTerrestrial);
BENCHMARK(LevelSatelliteWithCn);
BENCHMARK(BerTerrestrial);
BENCHMARK(SkyLevels);
BENCHMARK(SkyCns);
BENCHMARK(ConstelTerrestrial);
BENCHMARK(MultiCatv12);
BENCHMARK(MultiSatellite60);

BENCHMARK_MAIN();

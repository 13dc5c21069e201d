// Full screen draws per second, fonts already loaded. Goal: at least 5,000
// for every screen. Run by hand: build/bench/bench_screens
#include "screens/CBerScreen.h"
#include "screens/CLevelScreen.h"
#include "screens/CSkyScreen.h"
#include "screens/TextCodec.h"

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <utility>

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
        benchmark::DoNotOptimize(canvas.pixels().data());
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

} // namespace

// One line per screen and layout; a new screen is one function and one line.
BENCHMARK(LevelTerrestrial);
BENCHMARK(LevelSatelliteWithCn);
BENCHMARK(BerTerrestrial);
BENCHMARK(SkyLevels);
BENCHMARK(SkyCns);

BENCHMARK_MAIN();

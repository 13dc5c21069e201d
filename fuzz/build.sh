#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each for a while:
#   fuzz/build.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
mkdir -p "$out"
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -Isrc $(pkg-config --cflags freetype2 fontconfig)"
libs="$(pkg-config --libs freetype2 fontconfig)"
clang++ $flags fuzz/fuzz_card_files.cpp src/data/*.cpp -o "$out/fuzz_card_files"
clang++ $flags fuzz/fuzz_screens.cpp src/data/*.cpp src/screens/*.cpp $libs -o "$out/fuzz_screens"
for target in fuzz_card_files fuzz_screens; do
    mkdir -p "$out/corpus-$target"
    printf 'h\n1,a,b\n*\n' > "$out/corpus-$target/seed.csv"
    # fontconfig keeps a little memory until exit; leaks are not what we look for.
    ASAN_OPTIONS=detect_leaks=0 "$out/$target" -max_total_time="${1:-30}" -max_len=4096 \
        "$out/corpus-$target"
done

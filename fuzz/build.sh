#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each for a while:
#   fuzz/build.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$out" -G Ninja -DKR80A_FUZZ=ON >/dev/null
cmake --build "$out"
for target in fuzz_card_files fuzz_screens; do
    mkdir -p "$out/corpus-$target"
    printf 'h\n1,a,b\n*\n' > "$out/corpus-$target/seed.csv"
    # fontconfig keeps a little memory until exit; leaks are not what we look for.
    ASAN_OPTIONS=detect_leaks=0 "$out/fuzz/$target" -max_total_time="${1:-30}" -max_len=4096 \
        "$out/corpus-$target"
done

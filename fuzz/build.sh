#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs one for a while:
#   fuzz/build.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
mkdir -p "$out"
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Isrc"
clang++ $flags fuzz/fuzz_card_files.cpp src/data/*.cpp -o "$out/fuzz_card_files"
mkdir -p "$out/corpus"
printf 'h\n1,a,b\n*\n' > "$out/corpus/seed.csv"
"$out/fuzz_card_files" -max_total_time="${1:-30}" -max_len=4096 "$out/corpus"

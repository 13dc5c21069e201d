#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each for a while:
#   fuzz/build.sh [SECONDS]
# Each target starts from its seed corpus in fuzz/corpus (made from the sample
# card by fuzz/make_seeds.py) and the card's words in fuzz/card.dict; what it
# finds goes to build-fuzz/corpus-TARGET, not into the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$out" -G Ninja -DKR80A_FUZZ=ON >/dev/null
cmake --build "$out"
for source in fuzz/fuzz_*.cpp; do
    target=$(basename "$source" .cpp)
    mkdir -p "$out/corpus-$target"
    # fontconfig keeps a little memory until exit, and the screens target keeps
    # its display from one input to the next; leaks are not what we look for,
    # and looking for them would run every such input twice.
    ASAN_OPTIONS=detect_leaks=0 "$out/fuzz/$target" -detect_leaks=0 -max_total_time="${1:-30}" -max_len=8192 \
        -dict=fuzz/card.dict "$out/corpus-$target" "fuzz/corpus/$target"
done

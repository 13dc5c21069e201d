#!/usr/bin/env bash
# Line coverage of src/data and src/screens reached by each fuzz target's
# corpus: the seeds in fuzz/corpus and what fuzz/build.sh found in
# build-fuzz/corpus-TARGET. Builds each target with clang's source coverage
# and the replay main (no libFuzzer), feeds it its corpus and prints
# llvm-cov's summary.
#   fuzz/coverage.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-cov
mkdir -p "$out"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_card_files fuzz_card_folder fuzz_screens fuzz_settings)
flags="-std=c++20 -O1 -fprofile-instr-generate -fcoverage-mapping -Isrc $(pkg-config --cflags freetype2 fontconfig)"
libs="$(pkg-config --libs freetype2 fontconfig)"
for target in "${targets[@]}"; do
    clang++ $flags "fuzz/$target.cpp" fuzz/ReplayMain.cpp src/data/*.cpp src/screens/*.cpp \
        src/app/settings/*.cpp $libs -o "$out/$target"
    corpora=("fuzz/corpus/$target")
    [ -d "build-fuzz/corpus-$target" ] && corpora+=("build-fuzz/corpus-$target")
    LLVM_PROFILE_FILE="$out/$target.profraw" "$out/$target" "${corpora[@]}"
    llvm-profdata merge -sparse "$out/$target.profraw" -o "$out/$target.profdata"
    echo "== $target: lines of src/data and src/screens reached"
    llvm-cov report "$out/$target" -instr-profile="$out/$target.profdata" src/data src/screens |
        awk '$1 ~ /^(data|screens)\// { split($1, p, "/"); lines[p[1]] += $8; missed[p[1]] += $9 }
             END { for (d in lines) printf "  src/%s: %d of %d lines (%.1f%%)\n", d, lines[d] - missed[d],
                   lines[d], 100 * (lines[d] - missed[d]) / lines[d] }'
done

#!/bin/bash
# Makes the stored pictures under tests/golden again from today's drawing,
# after a change to a drawing that is meant. Prints every picture that
# changed (with how many pixels differ), every new one and every one removed;
# commit the pictures together with the change that made them.
#
#   scripts/remake-golden.sh [BUILD_FOLDER]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target remake_golden
"$build/tests/golden/remake_golden" samples/KR80A tests/golden

#!/usr/bin/env bash
# Runs kr80a's writing commands on the sample card under valgrind: any invalid
# read or write, or a definite leak outside the system libraries listed in
# scripts/valgrind.supp, fails the check. Run after a build (BUILD_DIR may name it).
set -euo pipefail
cd "$(dirname "$0")/.."
kr80a="${BUILD_DIR:-build}/src/cli/kr80a"
card=samples/KR80A
out=$(mktemp -d /tmp/kr80a-valgrind-XXXXXX)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen
commands=(
  "export $card $out/pictures --quiet"
  "report $card -o $out/report.pdf --quiet"
  "summary $card -o $out/table.csv"
  "show $card 7 -o $out/screen.png"
)
failed=0
for command in "${commands[@]}"; do
  # shellcheck disable=SC2086 # each command is split into its words on purpose
  if valgrind -q --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
      --show-leak-kinds=definite,indirect --suppressions=scripts/valgrind.supp \
      "$kr80a" $command >"$out/valgrind.log" 2>&1; then
    echo "valgrind: kr80a $command: clean"
  else
    echo "valgrind: kr80a $command: FAILED"
    cat "$out/valgrind.log"
    failed=1
  fi
done
exit $failed

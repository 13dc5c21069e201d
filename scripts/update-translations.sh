#!/usr/bin/env bash
# Brings the Japanese translation source of kr80a up to date with the
# messages in the code: new texts are added unfinished, texts no longer used
# are dropped. Translate the unfinished ones (Qt Linguist or any editor) and
# commit the file; the build compiles it with lrelease.
# The messages are Tr("context", "English text") calls.
#
# With --check the source stays as it is: the script fails, naming the texts,
# when a message of the code has no Japanese text or the file holds one that
# the code no longer uses.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
ts=$root/src/cli/translations/kr80a_ja.ts
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)

update() {
    "$lupdate" -silent -no-obsolete -locations none -tr-function-alias translate+=Tr \
        -source-language en -target-language ja_JP "$root/src/cli" -ts "$1"
}

if [ "${1:-}" != "--check" ]; then
    update "$ts"
    exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/kr80a_ja.ts"
update "$work/kr80a_ja.ts"
status=0
if grep -B2 'type="unfinished"' "$work/kr80a_ja.ts" | grep '<source>'; then
    echo "FAIL: these messages have no Japanese text; run scripts/update-translations.sh and translate them"
    status=1
fi
if ! diff -u "$ts" "$work/kr80a_ja.ts" >"$work/diff"; then
    grep '^-.*<source>' "$work/diff" || true
    echo "FAIL: the translation source is not up to date with the code; run scripts/update-translations.sh"
    status=1
fi
[ $status -eq 0 ] && echo "every message has its Japanese text"
exit $status

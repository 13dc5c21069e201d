#!/usr/bin/env bash
# Installs the build into a temporary folder as a package would (prefix /usr)
# and checks what landed there: the desktop entry and the AppStream data pass
# their validators and name what is installed, the icons have their sizes, the
# manual pages format without a warning, the bash completion completes, and the
# installed kr80a reads the sample card.
# Usage: check-install.sh CMAKE BUILD_DIR SAMPLE_CARD
set -uo pipefail
cmake=$1 build=$2 card=$3

dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR=$dest "$cmake" --install "$build" --prefix /usr >/dev/null || exit 1
usr=$dest/usr
id=org.kr80a.viewer
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# Fails with the validator's words when it says anything at all: warnings and
# hints count too.
quiet_or_fail() {
    local what=$1 output
    shift
    output=$("$@" 2>&1) || fail "$what: exit status $?"
    [ -z "$output" ] || fail "$what: $output"
}

desktop=$usr/share/applications/$id.desktop
quiet_or_fail "desktop-file-validate" desktop-file-validate "$desktop"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$usr/bin/$exec_program" ] || fail "the desktop entry starts '$exec_program', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon '$icon'"
for size in 16 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x$size/apps/$icon.png
    actual=$(identify -format '%wx%h' "$png" 2>&1) || actual="missing"
    [ "$actual" = "${size}x$size" ] || fail "$png: $actual"
done

metainfo=$usr/share/metainfo/$id.metainfo.xml
output=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) ||
    fail "appstreamcli validate: $output"
grep -q '^[EWIP]: ' <<<"$output" && fail "appstreamcli validate: $output"
grep -q "<launchable type=\"desktop-id\">$id.desktop<" "$metainfo" || fail "the metadata launches no $id.desktop"
for program in $(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo"); do
    [ -x "$usr/bin/$program" ] || fail "the metadata provides $program, which is not installed"
done

# Formatted through a pipe: man formats nothing when its output is /dev/null.
for page in "$usr"/share/man/{,ja/}man1/{kr80a,KR80A_Viewer}.1.gz; do
    [ -f "$page" ] || { fail "$page is missing"; continue; }
    quiet_or_fail "man $page" env LC_ALL=C.UTF-8 MANROFFSEQ= MANWIDTH=80 \
        sh -c 'man --warnings -E UTF-8 -l -Tutf8 -Z "$1" | cat >/dev/null' man "$page"
done
# The Japanese pages are the same pages: every option and section of the
# English page is there too, and man finds them under a Japanese locale.
for name in kr80a KR80A_Viewer; do
    english=$(zcat "$usr/share/man/man1/$name.1.gz" | grep -o '\\-\\-[a-z]*' | sort -u)
    japanese=$(zcat "$usr/share/man/ja/man1/$name.1.gz" | grep -o '\\-\\-[a-z]*' | sort -u)
    [ "$english" = "$japanese" ] || fail "the options of $name(1) and its Japanese page differ: $english / $japanese"
    english_sections=$(zcat "$usr/share/man/man1/$name.1.gz" | grep -c '^\.S[HS] ')
    japanese_sections=$(zcat "$usr/share/man/ja/man1/$name.1.gz" | grep -c '^\.S[HS] ')
    [ "$english_sections" = "$japanese_sections" ] ||
        fail "$name(1) has $english_sections sections, its Japanese page $japanese_sections"
    # -L: the machine need not have a Japanese locale for man to look as under one.
    found=$(MANPATH="$usr/share/man" man -L ja_JP.UTF-8 -w "$name" 2>&1)
    [ "$found" = "$usr/share/man/ja/man1/$name.1.gz" ] || fail "man in Japanese finds $found"
done

tree=$("$usr/bin/kr80a" tree "$card" 2>&1) || fail "kr80a tree: exit status $?: $tree"
grep -q '^ *\[[0-9]*\] ' <<<"$tree" || fail "kr80a tree lists no item: $tree"

# The completion offers the commands, and the ids of a card from the installed kr80a.
completion=$usr/share/bash-completion/completions/kr80a
complete_words() {
    PATH=$usr/bin:$PATH bash -c '
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=()
        _kr80a && printf "%s\n" "${COMPREPLY[@]}"' complete "$completion" "$@"
}
commands=$(complete_words kr80a "" | tr '\n' ' ')
[ "$commands" = "tree show export report summary --help " ] || fail "completion of commands: $commands"
first_id=$(grep -o '^ *\[[0-9]*\]' <<<"$tree" | tr -d ' []' | sed -n 2p)
ids=$(complete_words kr80a show "$card" "")
grep -qx "$first_id" <<<"$ids" || fail "completion of ids misses $first_id: $ids"

[ "$failures" -eq 0 ] && echo "installed files check out"
[ "$failures" -eq 0 ]

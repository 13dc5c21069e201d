#!/usr/bin/env bash
# Finds the card and the record by eye, with real key presses (XTEST) in a
# private X server, on copies of CARD with a home and settings of their own:
#   first start                                  -> OUT/01-first-start.png
#   Ctrl+O, types the card's root, Enter         -> 02-chooser.png, 03-offer.png, 04-opened.png
#   a memory file system with KR80A mounted      -> 05-inserted.png, 06-opened.png
#   Ctrl+O: the card in the side bar, Esc        -> 07-side-bar.png
#   the card unmounted                           -> 08-removed.png
#   a second start given a folder                -> 09-second-start.png, 10-handed-over.png
#   ファイル > 最近使ったフォルダ, 2               -> 11-recent.png, 12-recent-opened.png
#   a new start on the large card, Ctrl+F, SITE0123,
#   Down Down Down, Esc                              -> 13-large.png, 14-filter.png, 15-filter-down.png,
#                                                   16-filter-cleared.png
# and prints the folder each step left in the settings file. Mounting needs
# root; the script then runs in mounts of its own (unshare), so nothing
# outside sees them, and /media is replaced by memory for the run.
# Usage: xvfb-folder-check.sh VIEWER CARD LARGE_CARD OUT
set -uo pipefail
if [ "$(id -u)" -ne 0 ]; then echo "mounting a file system needs root" >&2; exit 2; fi
if [ -z "${KR80A_PRIVATE_MOUNTS:-}" ]; then
    KR80A_PRIVATE_MOUNTS=1 exec unshare --mount --propagation private "$0" "$@"
fi
viewer=$(realpath "$1") card=$(realpath "$2") large=$(realpath "$3") out=$4
work=$(mktemp -d)
cleanup() {
    [ -z "${viewer_pid:-}" ] || kill "$viewer_pid" 2>/dev/null
    [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null
    umount -l /media/CARD "$work/stage" /media 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
settings=$XDG_CONFIG_HOME/KR80A_Viewer/KR80A_Viewer.ini
mkdir -p "$work/root1" "$work/root2" "$work/big" "$work/stage"
cp -r "$card" "$work/root1/KR80A" && cp -r "$card" "$work/root2/KR80A"
ln -s "$large" "$work/big/KR80A"
# The medium is made up before the viewer starts and mounted at /media/CARD
# while it runs, with its files, as a card comes.
mount -t tmpfs kr80a-media /media && mkdir /media/CARD
mount -t tmpfs kr80a-card "$work/stage" && cp -r "$card" "$work/stage/KR80A"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break || sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display") QT_QPA_PLATFORM=xcb
mkdir -p "$out"
shot() { xwd -silent -root | convert xwd:- "png:$out/$1"; echo "  screenshot $out/$1"; }
folder() { echo "  settings: $(grep '^Folder=' "$settings" 2>/dev/null || echo 'no Folder')"; }
# The newest visible window named exactly NAME gets the keyboard.
focus() {
    local w=""
    for _ in $(seq 100); do
        w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1)
        [ -n "$w" ] && break
        sleep 0.1
    done
    [ -n "$w" ] || { echo "  no window named $1" >&2; return 1; }
    xdotool windowfocus --sync "$w" 2>/dev/null; sleep 1.5
    echo "  window \"$1\" has the keyboard"
}
keys() { for k in "$@"; do xdotool key "$k"; sleep 0.3; done; }

echo "first start"
"$viewer" &
viewer_pid=$!
focus "KR80A/80 CSV ビューア" || exit 1
sleep 0.5; shot 01-first-start.png

echo "picking the card's root ($work/root1)"
keys ctrl+o; sleep 1
focus "フォルダを選択してください"; shot 02-chooser.png
xdotool type --delay 20 "$work/root1"; keys Return; sleep 1
focus KR80A_Viewer; shot 03-offer.png
keys Return; sleep 1.5; shot 04-opened.png; folder

echo "a memory file system with KR80A mounted at /media/CARD"
mount --bind "$work/stage" /media/CARD
sleep 1.5
focus KR80A_Viewer; shot 05-inserted.png
keys Return; sleep 1.5; shot 06-opened.png; folder
focus "KR80A/80 CSV ビューア"; keys ctrl+o; sleep 1.5
focus "フォルダを選択してください"; shot 07-side-bar.png; keys Escape; sleep 0.5

echo "the card unmounted"
umount /media/CARD; sleep 1.5; shot 08-removed.png; folder

echo "a second start given $work/root2/KR80A"
"$viewer" "$work/root2/KR80A" &
second_pid=$!
sleep 1.5
focus KR80A_Viewer; shot 09-second-start.png
keys Return; wait "$second_pid"; echo "  the second start ended with status $?"
sleep 1.5; shot 10-handed-over.png; folder

echo "the recent folders menu"
focus "KR80A/80 CSV ビューア"; keys alt+f r; sleep 1.5; shot 11-recent.png
keys 2; sleep 1.5; shot 12-recent-opened.png; folder

echo "the filter on the large card ($large, as $work/big/KR80A)"
kill "$viewer_pid"; wait "$viewer_pid" 2>/dev/null
# The window shows once the card is read.
"$viewer" "$work/big/KR80A" &
viewer_pid=$!
for _ in $(seq 600); do xdotool search --onlyvisible --name "KR80A/80 CSV" >/dev/null 2>&1 && break; sleep 0.5; done
focus "KR80A/80 CSV ビューア"; shot 13-large.png; folder
keys ctrl+f; xdotool type --delay 200 "SITE0123"; sleep 2; shot 14-filter.png
keys Down Down Down; sleep 1.5; shot 15-filter-down.png
keys Escape; sleep 2; shot 16-filter-cleared.png
echo "$out"

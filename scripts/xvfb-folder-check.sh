#!/usr/bin/env bash
# Finds the card and the record with real key presses (XTEST) in a private X
# server, on copies of CARD with a home and settings of their own, and says
# PASS or FAIL for each of five checks by what can be seen from outside: the
# windows that appear, the folder the settings file names, the text the
# filter field holds (its selection, read back as X's primary selection) and
# the tree's pixels. A screenshot of every step lands in OUT:
#   first start                                    -> 01-first-start.png
#   1 Ctrl+O, types the card's root, Enter         -> 02-chooser.png, 03-offer.png, 04-opened.png
#   2 a memory file system holding KR80A is mounted -> 05-inserted.png, 06-opened.png
#     Ctrl+O: the card in the side bar, Esc        -> 07-side-bar.png
#     the card unmounted                           -> 08-removed.png
#   3 a second start given a folder                -> 09-second-start.png, 10-handed-over.png
#   4 ファイル > 最近使ったフォルダ, 2               -> 11-recent.png, 12-recent-opened.png
#   5 a new start on the large card, Ctrl+F, S     -> 13-large.png, 14-first-key.png
#     ITE0123, Down Down Down, Esc                 -> 14-filter.png, 15-filter-down.png,
#                                                     16-filter-cleared.png
# Mounting needs root; the script then runs in mounts of its own (unshare),
# so nothing outside sees them, and /media is replaced by memory for the run.
# Exits with the number of failed checks.
# Usage: xvfb-folder-check.sh VIEWER CARD LARGE_CARD OUT
set -uo pipefail
if [ $# -ne 4 ]; then echo "usage: $0 VIEWER CARD LARGE_CARD OUT" >&2; exit 2; fi
if [ "$(id -u)" -ne 0 ]; then echo "mounting a file system needs root" >&2; exit 2; fi
if [ ! -d "$3" ]; then echo "no large card at $3 (bench/scan_bench.py makes it)" >&2; exit 2; fi
# The tools come from Debian packages; the script fetches what is missing.
missing=()
for tool in Xvfb:xvfb xdotool:xdotool xclip:xclip convert:imagemagick compare:imagemagick; do
    command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null || exit 2
fi
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
mkdir -p "$work/root1" "$work/root2" "$work/big" "$work/stage" "$work/screen"
cp -r "$card" "$work/root1/KR80A" && cp -r "$card" "$work/root2/KR80A"
ln -s "$large" "$work/big/KR80A"
# The medium is a memory file system filled before it is mounted at
# /media/CARD, so that it comes with its files, as a card does.
mount -t tmpfs kr80a-media /media && mkdir /media/CARD
mount -t tmpfs kr80a-card "$work/stage" && cp -r "$card" "$work/stage/KR80A"

# The screenshots are the server's own frame buffer: reading the root window
# through the protocol leaves menus and message boxes black.
Xvfb -displayfd 3 -screen 0 1280x800x24 -fbdir "$work/screen" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break || sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display") QT_QPA_PLATFORM=xcb
mkdir -p "$out"
shot() { convert "xwd:$work/screen/Xvfb_screen0" "png:$out/$1"; echo "  screenshot $out/$1"; }
settings_folder() { sed -n 's/^Folder=//p' "$settings" 2>/dev/null; }

failed=0
results=()
# verdict NAME CONDITION-TEXT: records PASS when the last command succeeded.
verdict() {
    if [ "$2" -eq 0 ]; then results+=("PASS  $1"); else results+=("FAIL  $1"); failed=$((failed + 1)); fi
    echo "  => ${results[-1]}"
}
# The newest visible window named exactly NAME (of process PID, if given)
# gets the keyboard; fails when none shows within 10 s.
focus() {
    local w="" by_pid=()
    [ -z "${2:-}" ] || by_pid=(--pid "$2")
    for _ in $(seq 100); do
        w=$(xdotool search --onlyvisible "${by_pid[@]}" --name "^$1\$" 2>/dev/null | tail -1)
        [ -n "$w" ] && break
        sleep 0.1
    done
    [ -n "$w" ] || { echo "  no window named \"$1\""; return 1; }
    xdotool windowfocus --sync "$w" 2>/dev/null; sleep 1
    echo "  window \"$1\" has the keyboard"
}
keys() { for k in "$@"; do xdotool key "$k"; sleep 0.3; done; }
# Waits up to 10 s for the settings file to name FOLDER.
expect_folder() {
    for _ in $(seq 50); do [ "$(settings_folder)" = "$1" ] && break; sleep 0.2; done
    echo "  settings: Folder=$(settings_folder)"
    [ "$(settings_folder)" = "$1" ]
}
main_window="KR80A/80 CSV ビューア"

echo "first start"
"$viewer" &
viewer_pid=$!
focus "$main_window" || exit 1
shot 01-first-start.png

echo "1 picking the card's root ($work/root1)"
keys ctrl+o
focus "フォルダを選択してください"; shot 02-chooser.png
xdotool type --delay 20 "$work/root1"; keys Return
focus KR80A_Viewer "$viewer_pid"; offered=$?
shot 03-offer.png
keys Return; sleep 1; shot 04-opened.png
expect_folder "$work/root1/KR80A" && [ $offered -eq 0 ]
verdict "the card's root offers its KR80A, and Enter opens it" $?

echo "2 a memory file system holding KR80A mounted at /media/CARD"
mount --move "$work/stage" /media/CARD
grep " /media/CARD " /proc/self/mountinfo | sed 's/^/  mounted: /'
focus KR80A_Viewer "$viewer_pid"; offered=$?
shot 05-inserted.png
keys Return; sleep 1; shot 06-opened.png
expect_folder /media/CARD/KR80A && [ $offered -eq 0 ]
verdict "a card mounted while the viewer runs is offered, and Enter opens it" $?
focus "$main_window"; keys ctrl+o
focus "フォルダを選択してください"; shot 07-side-bar.png; keys Escape; sleep 0.5
umount /media/CARD; sleep 1.5; shot 08-removed.png

echo "3 a second start given $work/root2/KR80A"
"$viewer" "$work/root2/KR80A" &
second_pid=$!
focus KR80A_Viewer "$second_pid"; refused=$?
shot 09-second-start.png
keys Return; wait "$second_pid"; second_status=$?
echo "  the second start ended with status $second_status"
sleep 1; shot 10-handed-over.png
expect_folder "$work/root2/KR80A" && [ $refused -eq 0 ] && [ $second_status -eq 0 ]
verdict "a second start says so, and the running window opens its folder" $?

echo "4 the recent folders menu"
grep '^RecentFolder' "$settings" | sed 's/^/  settings: /'
# Newest first: root2, then root1 (the card is gone, so it is not listed).
focus "$main_window"; keys alt+f r; sleep 1; shot 11-recent.png
keys 2; sleep 1; shot 12-recent-opened.png
expect_folder "$work/root1/KR80A"
verdict "ファイル > 最近使ったフォルダ lists the folders, and 2 opens the one before the last" $?

echo "5 the filter on the large card ($large, as $work/big/KR80A)"
kill "$viewer_pid"; wait "$viewer_pid" 2>/dev/null
"$viewer" "$work/big/KR80A" &
viewer_pid=$!
# The window shows once the card is read.
for _ in $(seq 600); do xdotool search --onlyvisible --name "^$main_window\$" >/dev/null 2>&1 && break; sleep 0.5; done
focus "$main_window"; shot 13-large.png
window=$(xdotool search --onlyvisible --name "^$main_window\$" | tail -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# The tree, in the window's fixed layout, below the filter field.
tree_area="200x240+$((X + 4))+$((Y + 70))"
crop() { convert "$out/$1" -crop "$2" +repage "$work/$1.crop.png"; echo "$work/$1.crop.png"; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
# The first key shows in the field at once, while the tree follows.
keys ctrl+f S; sleep 0.5; shot 14-first-key.png
xdotool type --delay 100 "ITE0123"
# Selected, the field's text becomes X's primary selection: read once the
# keys before Ctrl+A, and the tree's work for them, are done. End leaves the
# text unselected again, so that no later key replaces it.
keys ctrl+a
typed=""
for _ in $(seq 120); do
    typed=$(xclip -selection primary -o 2>/dev/null) && [ -n "$typed" ] && break
    sleep 0.5
done
keys End; sleep 0.5
shot 14-filter.png
echo "  the field holds \"$typed\""
changed=$(differing "$(crop 13-large.png "$tree_area")" "$(crop 14-filter.png "$tree_area")")
echo "  $changed pixels of the tree changed"
keys Down Down Down; sleep 1.5; shot 15-filter-down.png
moved=$(differing "$(crop 14-filter.png "$tree_area")" "$(crop 15-filter-down.png "$tree_area")")
echo "  $moved pixels of the tree changed with ↓"
keys Escape; sleep 3; shot 16-filter-cleared.png
keys x; sleep 3; keys ctrl+a
cleared=$(xclip -selection primary -o 2>/dev/null)
echo "  after Esc the field took \"x\" alone: \"$cleared\""
[ "$typed" = SITE0123 ] && [ "$changed" -gt 500 ] && [ "$moved" -gt 50 ] && [ "$cleared" = x ]
verdict "the filter takes typed text, narrows the tree, pages with ↓ and Esc clears it" $?

echo
printf '%s\n' "${results[@]}"
echo "screenshots in $out"
exit "$failed"

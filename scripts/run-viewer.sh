#!/usr/bin/env bash
# Starts the viewer on DATA_ROOT in a settings folder of its own (a temporary
# configuration folder whose settings file names DATA_ROOT as the start-up
# folder), so the user's own settings stay untouched.
# With a display the viewer simply runs. Without one it runs inside a private
# X server, pages with real key presses to the first LEVEL record, saves a
# screenshot of the window to SHOT and prints its path.
# Usage: run-viewer.sh VIEWER DATA_ROOT SHOT
set -euo pipefail
viewer=$1 data_root=$2 shot=$3

work=$(mktemp -d)
cleanup() {
    [ -z "${viewer_pid:-}" ] || kill "$viewer_pid" 2>/dev/null || true
    [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/config
name=$(basename "$viewer")
name=${name%.*}
mkdir -p "$XDG_CONFIG_HOME/$name"
printf '[%s]\nUSE_DefaultFolder=1\nDefaultFolder=%s\n' "$name" "$data_root" \
    > "$XDG_CONFIG_HOME/$name/$name.ini"

if [ -n "${DISPLAY:-}" ]; then
    "$viewer"
    exit 0
fi

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Xvfb picks a free display itself and writes its number when it is ready.
Xvfb -displayfd 3 -screen 0 1024x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break || sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -1 "$work/display") QT_QPA_PLATFORM=xcb

"$viewer" &
viewer_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "KR80A/80 CSV" 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the viewer's window did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.5
# The tree starts on the LEVEL heading: open it, step onto the first folder,
# open that and step onto its first record.
for key in Right Down Right Down; do
    xdotool key --window "$window" "$key"
    sleep 0.2
done
sleep 0.5
mkdir -p "$(dirname "$shot")"
xwd -silent -id "$window" | convert xwd:- "png:$shot"
echo "$shot"

#!/usr/bin/env bash
# Starts the viewer in a settings folder of its own on DATA_ROOT, inside a
# private X display, pages down to the first LEVEL record with real key presses
# and saves a screenshot of the window. Usage: viewer-shot.sh VIEWER DATA_ROOT OUT.png
set -euo pipefail
viewer=$1 data_root=$2 out=$3

work=$(mktemp -d)
trap 'kill "${viewer_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME/KR80A_Viewer" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[KR80A_Viewer]\nUSE_DefaultFolder=1\nDefaultFolder=%s\n' "$data_root" \
    > "$XDG_CONFIG_HOME/KR80A_Viewer/KR80A_Viewer.ini"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break || sleep 0.1; done

"$viewer" &
viewer_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --sync --onlyvisible --name "KR80A/80 CSV" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the viewer's window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5
# The tree starts on the LEVEL heading: open it, step onto the first folder,
# open that and step onto its first record.
for key in Right Down Right Down; do
    xdotool key --window "$window" "$key"
    sleep 0.2
done
sleep 0.5
mkdir -p "$(dirname "$out")"
xwd -silent -id "$window" | convert xwd:- "png:$out"
echo "$out"

#!/usr/bin/env bash
# Looks at saving, copying, a tool tip and the version box by eye: runs the
# viewer in a private X server on DATA_ROOT with a home and settings of its
# own, shows the first LEVEL record, then
#   Ctrl+S, accepts the offered name    -> OUT/save-dialog.png, OUT/saved.bmp (+ .png)
#   Ctrl+C, reads the clipboard as PNG   -> OUT/clipboard.png, OUT/clipboard-targets.txt
#   rests the mouse on the save button   -> OUT/tooltip.png
#   ヘルプ > このソフトについて, then Esc   -> OUT/about-box.png, OUT/after-about.png
# and the window itself -> OUT/window.png. SCALE sets the display scale.
# Usage: capture-screenshots.sh VIEWER DATA_ROOT OUT [SCALE]
set -uo pipefail
viewer=$1 data_root=$2 out=$3 scale=${4:-1}
work=$(mktemp -d)
cleanup() {
    [ -z "${viewer_pid:-}" ] || kill "$viewer_pid" 2>/dev/null
    [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME/Pictures" "$XDG_CONFIG_HOME/KR80A_Viewer" && mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '[KR80A_Viewer]\nUSE_DefaultFolder=1\nDefaultFolder=%s\n' "$data_root" \
    > "$XDG_CONFIG_HOME/KR80A_Viewer/KR80A_Viewer.ini"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break || sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display") QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale
mkdir -p "$out"
shot() { xwd -silent "$@" | convert xwd:- "png:$out/$shot_name"; }

"$viewer" &
viewer_pid=$!
for _ in $(seq 100); do
    w=$(xdotool search --onlyvisible --name "KR80A/80 CSV" 2>/dev/null | head -1)
    [ -n "$w" ] && break
    sleep 0.1
done
[ -n "$w" ] || { echo "the viewer's window did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$w"; sleep 0.5
for key in Right Down Right Down; do xdotool key --window "$w" "$key"; sleep 0.2; done
sleep 0.5
shot_name=window.png shot -id "$w"

xdotool key --window "$w" ctrl+s; sleep 1.5
shot_name=save-dialog.png shot -root
xdotool key Return; sleep 1.5
for f in "$HOME"/Pictures/*.bmp; do
    echo "saved as: $(basename "$f")"
    cp "$f" "$out/saved.bmp" && convert "$f" "png:$out/saved.png"
done

xdotool windowfocus --sync "$w"; xdotool key --window "$w" ctrl+c; sleep 0.5
xclip -selection clipboard -t TARGETS -o > "$out/clipboard-targets.txt" 2>&1
xclip -selection clipboard -t image/png -o > "$out/clipboard.png" 2>/dev/null

# The save button sits at (670, 50) of the window at scale 1.
xdotool mousemove --window "$w" "$(awk "BEGIN{print int(670*$scale)}")" "$(awk "BEGIN{print int(50*$scale)}")"
sleep 2.5
shot_name=tooltip.png shot -root
xdotool mousemove 5 5

xdotool key --window "$w" alt+h; sleep 0.5; xdotool key Return; sleep 2
about=$(xdotool search --onlyvisible --name "ﾊﾞｰｼﾞｮﾝ情報" | head -1)
[ -n "$about" ] && shot_name=about-box.png shot -id "$about"
xdotool key Escape; sleep 0.5
shot_name=after-about.png shot -root
echo "$out"

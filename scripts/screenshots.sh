#!/usr/bin/env bash
# Pictures of the environment's windows on a virtual screen, to look at them at another scale or in
# a dark theme:
#   scripts/screenshots.sh QEL OUTPUT_FOLDER         (QT_SCALE_FACTOR=2 and QEL_DARK=1 pass through)
# writes main.png (the main window on examples/highscores.qel with a breakpoint and a selection),
# dialog.png (the current line's instruction dialog), add.png (Add An Instruction), designer.png (the form designer with its
# properties window) and run.png (the run-time window of examples/shapes.qel).
set -euo pipefail
qel=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
cd "$(dirname "$0")/.."
export ASAN_OPTIONS=detect_leaks=0

if [ -z "${QEL_SCREENSHOT_DISPLAY:-}" ]; then
  exec env QEL_SCREENSHOT_DISPLAY=1 xvfb-run -a -s '-screen 0 2560x1600x24' "$0" "$@"
fi

shot() { sleep 3; import -window root "$out/$1"; }
keys() { for k in "$@"; do xdotool key "$k"; sleep 0.4; done; }
# Without a window manager nothing activates a window: give the newest visible one the focus.
focus() { xdotool search --onlyvisible --name "$1" | tail -1 | xargs -r xdotool windowfocus --sync; }

"$qel" examples/highscores.qel &
ide=$!
sleep 8
focus Qelvin
keys Down Down Down Down F9 Down Down shift+Down shift+Down shift+Down
shot main.png
keys Up Tab
shot dialog.png
keys Escape
focus Qelvin
keys d
shot add.png
keys Escape
focus Qelvin
keys alt+o d
# The designer's toolbar at scale 1: Add a button, then a click on the form places it; then Snap,
# and the new button selected.
scale=${QT_SCALE_FACTOR:-1}
click() { xdotool mousemove $(($1 * scale)) $(($2 * scale)) click 1; sleep 0.6; }
sleep 2
click 206 168
click 150 260
click 344 168
click 90 205
shot designer.png
keys ctrl+w
kill "$ide" || true
wait "$ide" 2>/dev/null || true

"$qel" examples/shapes.qel &
ide=$!
sleep 8
focus Qelvin
keys F5
shot run.png
kill "$ide" || true
wait "$ide" 2>/dev/null || true

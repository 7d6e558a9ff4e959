#!/usr/bin/env bash
# Starts the built Tarnwick in a virtual X server, clicks the "Term" icon and
# the start button with xdotool, checks pixels of real screenshots, then
# presses Escape until the desktop shuts down with exit code 0. Runs once at
# the normal size and once enlarged twice (QOROS_SCALE=2), where every
# framebuffer pixel must show as a 2 x 2 block and clicks land where they
# point.
# Exit code 77 means "skipped": the X tools are not installed.
set -euo pipefail

tarnwick="$1"
for tool in xvfb-run xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool not installed"; exit 77; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/qor-window-test.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp "$tarnwick" "$work/Tarnwick"
mkdir -p "$work/tmp"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
cd "$1"
S="$2" # the window's enlargement
source "$3"
TMPDIR="$1/tmp/" QOROS_SCALE="$S" ./Tarnwick >out.txt 2>err.txt &
pid=$!
wait_for_desktop_window 100
sleep 0.5

# Client-area pixel as "r,g,b" from a screenshot of the window.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# Framebuffer pixel (x, y): every screen pixel of its S x S block.
expect_pixel() {
  local got dx dy
  for dx in 0 $((S - 1)); do
    for dy in 0 $((S - 1)); do
      got="$(pixel "$1" $(($2 * S + dx)) $(($3 * S + dy)))"
      [ "$got" = "$4" ] || fail "pixel ($2,$3)+($dx,$dy) of $1 is $got, expected $4"
    done
  done
}
click_at() { xdotool mousemove --window "$window" $(($1 * S)) $(($2 * S)) click 1; }

size="$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')"
[ "$size" = "$((800 * S))x$((600 * S))" ] || fail "window is $size at scale $S"

import -window "$window" desktop.png
expect_pixel desktop.png 6 575 200,120,0          # start button, menu closed
expect_pixel desktop.png 21 91 20,20,20           # "Term" icon body

click_at 44 114
sleep 0.5
import -window "$window" terminal.png
expect_pixel terminal.png 400 61 200,120,0        # the terminal's active title bar

click_at 40 585
xdotool mousemove --window "$window" $((100 * S)) $((409 * S)) # hover "Terminal" in the menu
sleep 0.5
import -window "$window" menu.png
expect_pixel menu.png 6 575 230,160,0             # start button while the menu is open
expect_pixel menu.png 12 401 120,80,50            # hovered entry
expect_pixel menu.png 12 381 70,50,40             # other entries

# Escape closes the terminal, then the menu, then ends the run.
escape_until_exit 0.3 50
echo "real window test passed at scale $S"
SESSION

session_helper="$(dirname "$0")/../support/desktop_session.sh"
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" "$work" 1 "$session_helper"
xvfb-run -a -s "-screen 0 1920x1440x24" bash "$work/session.sh" "$work" 2 "$session_helper"

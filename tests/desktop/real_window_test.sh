#!/usr/bin/env bash
# Starts the built Tarnwick in a virtual X server, clicks the "Term" icon and
# the start button with xdotool, checks pixels of real screenshots, then
# presses Escape until the desktop shuts down with exit code 0.
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
source "$2"
TMPDIR="$1/tmp/" ./Tarnwick >out.txt 2>err.txt &
pid=$!
wait_for_desktop_window 100
sleep 0.5

# Client-area pixel as "r,g,b" from a screenshot of the window.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
expect_pixel() {
  local got; got="$(pixel "$1" "$2" "$3")"
  [ "$got" = "$4" ] || fail "pixel ($2,$3) of $1 is $got, expected $4"
}

import -window "$window" desktop.png
expect_pixel desktop.png 6 575 200,120,0          # start button, menu closed
expect_pixel desktop.png 21 91 20,20,20           # "Term" icon body

xdotool mousemove --window "$window" 44 114 click 1
sleep 0.5
import -window "$window" terminal.png
expect_pixel terminal.png 400 61 200,120,0        # the terminal's active title bar

xdotool mousemove --window "$window" 40 585 click 1
xdotool mousemove --window "$window" 100 409      # hover "Terminal" in the menu
sleep 0.5
import -window "$window" menu.png
expect_pixel menu.png 6 575 230,160,0             # start button while the menu is open
expect_pixel menu.png 12 401 120,80,50            # hovered entry
expect_pixel menu.png 12 381 70,50,40             # other entries

# Escape closes the terminal, then the menu, then ends the run.
escape_until_exit 0.3 50
echo "real window test passed"
SESSION

xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" "$work" \
  "$(dirname "$0")/../support/desktop_session.sh"

#!/usr/bin/env bash
# The Windows build's desktop under Wine in a virtual X server: starts
# Tarnwick.exe, clicks the "Term" icon and the start button with xdotool,
# checks pixels of real screenshots, holds Ctrl+Tab+A (read back through
# GetAsyncKeyState) to mount the M: drive, then presses Escape until the
# desktop shuts down with exit code 0.
# Usage: wine_window_test.sh <Tarnwick.exe> <wine loader> [screenshot to keep]
# Exit code 77 means "skipped": the X tools or Wine are not installed.
set -euo pipefail

tarnwick="$1"
wine="$2"
keep="${3:-}"
for tool in xvfb-run xdotool import convert "$wine"; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool not installed"; exit 77; }
done

work="$(mktemp -d "${TMPDIR:-/tmp}/qor-wine-window-test.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp "$tarnwick" "$work/Tarnwick.exe"
export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$work/wineprefix}"

cat >"$work/session.sh" <<'SESSION'
set -euo pipefail
cd "$1"
source "$3"
"$2" Tarnwick.exe >out.txt 2>err.txt &
pid=$!
wait_for_desktop_window 300
sleep 1

# Wine's frame leaves a client area a little different from 800 x 600: the
# framebuffer is painted unscaled at its top-left corner, while clicks are
# scaled from the client area to the framebuffer. So screenshots are read in
# framebuffer coordinates, and a click aimed at framebuffer point (x, y) goes
# to the client point that maps back onto it.
read -r client_w client_h < <(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
click_at() { # framebuffer x y
  local cx=$(( ($1 * client_w + 799) / 800 )) cy=$(( ($2 * client_h + 599) / 600 ))
  xdotool mousemove --window "$window" "$cx" "$cy" click 1
}
hover_at() {
  local cx=$(( ($1 * client_w + 799) / 800 )) cy=$(( ($2 * client_h + 599) / 600 ))
  xdotool mousemove --window "$window" "$cx" "$cy"
}

pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
expect_pixel() {
  local got; got="$(pixel "$1" "$2" "$3")"
  [ "$got" = "$4" ] || fail "pixel ($2,$3) of $1 is $got, expected $4"
}

import -window "$window" desktop.png
expect_pixel desktop.png 6 575 200,120,0          # start button, menu closed
expect_pixel desktop.png 21 91 20,20,20           # "Term" icon body

click_at 44 114
sleep 0.7
import -window "$window" terminal.png
expect_pixel terminal.png 400 61 200,120,0        # the terminal's active title bar
expect_pixel terminal.png 21 91 20,20,20          # icons still drawn beside it

click_at 40 585
hover_at 100 409                                  # hover "Terminal" in the menu
sleep 0.7
import -window "$window" menu.png
expect_pixel menu.png 6 575 230,160,0             # start button while the menu is open
expect_pixel menu.png 12 401 120,80,50            # hovered entry
expect_pixel menu.png 12 381 70,50,40             # other entries
click_at 40 585                                   # closes the menu again
sleep 0.3

# Ctrl+Tab+A held: the frame loop sees it through GetAsyncKeyState.
xdotool windowfocus "$window" 2>/dev/null || true
xdotool keydown ctrl keydown Tab keydown a
sleep 0.5
xdotool keyup a keyup Tab keyup ctrl
sleep 0.3
grep -q 'Ctrl+Tab+A 触发' out.txt || fail "the held hotkey was not seen"
grep -q '挂载完成! 已映射' out.txt || fail "no mount report"

# Escape closes the terminal, then ends the run.
escape_until_exit 0.5 100
echo "Wine window test passed"
SESSION

xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" "$work" "$wine" \
  "$(dirname "$0")/../support/desktop_session.sh"
if [ -n "$keep" ]; then
  convert "$work/terminal.png" -crop 800x600+0+0 +repage "$keep"
fi

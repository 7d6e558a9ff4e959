#!/usr/bin/env bash
# The desktop launches a package with the real Wine: the Windows console
# program, converted by the built dorvane, is placed as
# bootsys/apps/firefox.qpa beside a copy of Tarnwick; a click on the
# "Firefox" icon in a virtual X server must start it (it writes launch.txt
# into its fresh temporary folder), then Escape ends the desktop.
# Arguments: Tarnwick, dorvane, the Windows program, a scratch folder.
set -euo pipefail
tarnwick=$1 dorvane=$2 program=$3 scratch=$4
source "$(dirname "$0")/wine_env.sh"
trap finish_wine EXIT

rm -rf "$scratch"
mkdir -p "$scratch/tmp" "$scratch/bootsys/apps"
cp "$tarnwick" "$scratch/Tarnwick"
"$dorvane" "$program" "$scratch/bootsys/apps/firefox.qpa" -n Firefox -v 1.0 >/dev/null

cat >"$scratch/session.sh" <<'SESSION'
set -euo pipefail
cd "$1"
source "$2"
source "$3"
TMPDIR="$1/tmp/" QOROS_SCALE=1 ./Tarnwick >out.txt 2>err.txt &
pid=$!
wait_for_desktop_window 100
grep -q 'Firefox (.qpa) 已安装' out.txt || fail "the boot did not find bootsys/apps/firefox.qpa"
sleep 0.5
xdotool mousemove --window "$window" 44 324 click 1   # the "Firefox" icon

deadline=$((SECONDS + 180))
record=""
while [ -z "$record" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the packaged program wrote no launch.txt"
  sleep 0.5
  record=$(find tmp -name launch.txt | head -n1)
done
folder=$(dirname "$record")
[ "$(tr -d '\r' <"$record")" = "folder=$(windows_folder "$folder")" ] ||
  fail "launch.txt holds: $(cat "$record")"

escape_until_exit 0.3 50
SESSION

xvfb-run -a -s "-screen 0 1024x768x24" bash "$scratch/session.sh" "$scratch" \
  "$(dirname "$0")/wine_env.sh" "$(dirname "$0")/../support/desktop_session.sh"
echo "the Firefox icon started the package under Wine"

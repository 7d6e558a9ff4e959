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
TMPDIR="$1/tmp/" ./Tarnwick >out.txt 2>err.txt &
pid=$!
fail() { echo "FAIL: $*"; cat out.txt err.txt; kill "$pid" 2>/dev/null || true; exit 1; }

window=""
for _ in $(seq 1 100); do
  window="$(xdotool search --name 'QorOS v7.0 - Vuredivaz Uvodadov UZ' 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || fail "Tarnwick ended before its window appeared"
  sleep 0.1
done
[ -n "$window" ] || fail "no window"
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

for _ in 1 2 3; do
  kill -0 "$pid" 2>/dev/null || break
  xdotool windowfocus "$window" 2>/dev/null || true
  xdotool key Escape
  sleep 0.3
done
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Tarnwick still runs after three Escapes"
wait "$pid" || fail "Tarnwick exit code $?"
SESSION

xvfb-run -a -s "-screen 0 1024x768x24" \
  bash "$scratch/session.sh" "$scratch" "$(dirname "$0")/wine_env.sh"
echo "the Firefox icon started the package under Wine"

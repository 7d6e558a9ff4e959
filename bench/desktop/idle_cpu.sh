#!/usr/bin/env bash
# CPU use of an idle running desktop: Tarnwick in a virtual X server, left
# alone for 10 s after start-up; prints the share of one core it used.
# Usage: bench/desktop/idle_cpu.sh [--scale N] [--nine-windows] [path to Tarnwick]
#   --scale N        the window enlarged N times (QOROS_SCALE), on a screen large enough
#   --nine-windows   first opens the eight icons' windows and About from the start menu
# (default Tarnwick: the default build)
set -euo pipefail
cd "$(dirname "$0")/../.."
scale=1
windows=0
while [ $# -gt 0 ]; do
  case "$1" in
    --scale) scale="$2"; shift 2 ;;
    --nine-windows) windows=1; shift ;;
    *) break ;;
  esac
done
tarnwick="${1:-build/default/bin/Tarnwick}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$tarnwick" "$work/Tarnwick"
mkdir -p "$work/tmp"

cat >"$work/measure.sh" <<'MEASURE'
set -euo pipefail
cd "$1"
S="$2"
TMPDIR="$1/tmp/" QOROS_SCALE="$S" ./Tarnwick >/dev/null 2>&1 &
pid=$!
sleep 2
if [ "$3" = 1 ]; then
  window="$(xdotool search --name 'QorOS v7.0' | head -n1)"
  click() { xdotool mousemove --window "$window" $(($1 * S)) $(($2 * S)) click 1; sleep 0.2; }
  for y in 44 114 184 254 324 394 464 530; do click 44 "$y"; done # the eight icons
  click 40 585; click 100 549                                      # start menu, "About QorOS"
  xdotool mousemove --window "$window" $((790 * S)) $((300 * S))   # pointer off the icons
  sleep 1
fi
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz="$(getconf CLK_TCK)"
before="$(ticks)"; start="$(date +%s.%N)"
sleep 10
after="$(ticks)"; end="$(date +%s.%N)"
kill "$pid"; wait "$pid" 2>/dev/null || true
label="idle desktop"
[ "$3" = 1 ] && label="idle desktop, nine windows"
awk -v t="$((after - before))" -v hz="$hz" -v s="$start" -v e="$end" -v l="$label" -v k="$S" \
  'BEGIN { printf "%s at scale %d: %.1f %% of one core over %.1f s\n", l, k, 100 * t / hz / (e - s), e - s }'
MEASURE

xvfb-run -a -s "-screen 0 $((960 * scale))x$((720 * scale))x24" \
  bash "$work/measure.sh" "$work" "$scale" "$windows"

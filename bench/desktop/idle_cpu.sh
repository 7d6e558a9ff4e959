#!/usr/bin/env bash
# CPU use of an idle running desktop: Tarnwick in a virtual X server, left
# alone for 10 s after start-up; prints the share of one core it used.
# Usage: bench/desktop/idle_cpu.sh [path to Tarnwick] (default: the default build)
set -euo pipefail
cd "$(dirname "$0")/../.."
tarnwick="${1:-build/default/bin/Tarnwick}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$tarnwick" "$work/Tarnwick"
mkdir -p "$work/tmp"

cat >"$work/measure.sh" <<'MEASURE'
set -euo pipefail
cd "$1"
TMPDIR="$1/tmp/" ./Tarnwick >/dev/null 2>&1 &
pid=$!
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz="$(getconf CLK_TCK)"
before="$(ticks)"; start="$(date +%s.%N)"
sleep 10
after="$(ticks)"; end="$(date +%s.%N)"
kill "$pid"; wait "$pid" 2>/dev/null || true
awk -v t="$((after - before))" -v hz="$hz" -v s="$start" -v e="$end" \
  'BEGIN { printf "idle desktop: %.1f %% of one core over %.1f s\n", 100 * t / hz / (e - s), e - s }'
MEASURE

xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/measure.sh" "$work"

#!/usr/bin/env bash
# Kills dorvane with SIGKILL at random moments while it converts a large
# program over an existing package, and checks after every kill that the
# destination is the old package or the complete new one, never a partial
# file. Half of the trials run with unnamed temporary files refused (as on a
# file system without O_TMPFILE), where a killed writer does leave a named
# staging file: the next conversion must remove it, and no staging file may
# outlive the run.
#   crash_consistency.sh <dorvane> <qpa_check> <fault shim> <trials> [MiB]
set -euo pipefail
dorvane=$1 check=$2 shim=$3 trials=$4 mib=${5:-48}
work=$(mktemp -d "${TMPDIR:-/tmp}/qor_crash.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

{ printf 'MZ'; head -c $((mib * 1024 * 1024)) /dev/urandom; } >new.exe
{ printf 'MZ'; head -c 4096 /dev/urandom; } >old.exe
"$dorvane" old.exe old.qpa -n Old >/dev/null
new_size=$(($(stat -c %s new.exe)))

# How long one whole conversion takes: kills land anywhere in 0..1.2 of it.
start=$(date +%s%N)
"$dorvane" new.exe probe.qpa -n New >/dev/null
full_ns=$(($(date +%s%N) - start))
rm -f probe.qpa

old_kept=0 new_complete=0 staging_unnamed=0 staging_named=0
for ((trial = 1; trial <= trials; trial++)); do
  cp old.qpa dest.qpa
  preload=()
  if ((trial % 2 == 0)); then preload=(env LD_PRELOAD="$shim" QOR_SHIM_NO_TMPFILE=1); fi
  "${preload[@]}" "$dorvane" new.exe dest.qpa -n New >/dev/null &
  pid=$!
  delay_ns=$((RANDOM * 32768 + RANDOM))
  delay_ns=$((delay_ns % (full_ns * 6 / 5 + 1)))
  sleep "$(printf '%d.%09d' $((delay_ns / 1000000000)) $((delay_ns % 1000000000)))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true

  verdict=$("$check" dest.qpa || true)
  if cmp -s dest.qpa old.qpa; then
    old_kept=$((old_kept + 1))
  elif [ "$verdict" = "valid New $new_size" ]; then
    new_complete=$((new_complete + 1))
  else
    echo "trial $trial: destination is neither the old nor the new package ($verdict)" >&2
    exit 1
  fi
  staging=$(find . -maxdepth 1 -name '.dest.qpa.qor-staging.*' | wc -l)
  if ((trial % 2 == 0)); then
    staging_named=$((staging_named + staging))
  else
    staging_unnamed=$((staging_unnamed + staging))
  fi
  if ((staging > 0)); then
    # A later conversion removes what the killed writer left.
    "$dorvane" old.exe other.qpa -n Other >/dev/null # another destination: kept
    [ "$(find . -maxdepth 1 -name '.dest.qpa.qor-staging.*' | wc -l)" -eq "$staging" ] || {
      echo "trial $trial: a conversion of another file removed this file's staging" >&2
      exit 1
    }
    cp old.qpa dest.qpa
    "$dorvane" old.exe dest.qpa -n Old >/dev/null
    if [ -n "$(find . -maxdepth 1 -name '.dest.qpa.qor-staging.*')" ]; then
      echo "trial $trial: the next conversion left the abandoned staging file" >&2
      exit 1
    fi
  fi
done
leftovers=$(find . -maxdepth 1 -name '.*qor-staging*' | wc -l)
echo "crash consistency: $trials kills; old package kept $old_kept, new package complete" \
  "$new_complete, partial 0; staging files left by kills: $staging_unnamed with O_TMPFILE," \
  "$staging_named without (all removed by the next conversion); left at the end $leftovers"
[ "$leftovers" -eq 0 ]

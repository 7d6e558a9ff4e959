#!/usr/bin/env bash
# The package runner with the real Wine: a Windows console program,
# converted by the built dorvane, is started by qpa_run_app with a working
# folder and parameters; the file it writes must name both.
# Arguments: dorvane, the launcher program, the Windows program, a scratch folder.
set -euo pipefail
dorvane=$1 launcher=$2 program=$3 scratch=$4
source "$(dirname "$0")/wine_env.sh"
trap finish_wine EXIT
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch/tmp" "$scratch/working folder"
"$dorvane" "$program" "$scratch/record.qpa" -n Recorder -v 1.0 >/dev/null

TMPDIR=$scratch/tmp/ "$launcher" "$scratch/record.qpa" "$scratch/working folder" \
  'alpha "two words" 3' || fail "qpa_run_app failed"
record="$scratch/working folder/launch.txt"
wait_for_file "$record" || fail "the program did not write $record"
expected=$(printf 'folder=%s\narg1=alpha\narg2=two words\narg3=3' \
  "$(windows_folder "$scratch/working folder")")
[ "$(tr -d '\r' <"$record")" = "$expected" ] || fail "launch.txt holds: $(cat "$record")"
echo "qpa_run_app started the program under Wine"

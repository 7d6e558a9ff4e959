#!/usr/bin/env bash
# Kills dorvane at random moments while it converts a large program over an
# existing package, many times over (default 200 trials, 48 MiB program), and
# checks that every kill leaves the old or the complete new package and no
# staging file for good. ctest runs a 10-trial version of the same check.
#   scripts/crash-consistency.sh [trials] [MiB]
set -euo pipefail
cd "$(dirname "$0")/.."
trials=${1:-200}
mib=${2:-48}
cmake --preset default >/dev/null
cmake --build --preset default --target dorvane qor_qpa_check qor_fault_shim >/dev/null
bin=build/default
exec tests/appfmt/crash_consistency.sh "$PWD/$bin/bin/dorvane" \
  "$PWD/$bin/tests/appfmt/qor_qpa_check" "$PWD/$bin/tests/appfmt/libqor_fault_shim.so" \
  "$trials" "$mib"

#!/usr/bin/env bash
# Memcheck runs of `Tarnwick --headless`, of the screenshot tool (windows
# drawn with the real font, a PNG saved) and of the desktop, window-content
# and graphics test programs (every window kind, clicks, typing, the wheel,
# damage-only frames, the golden frames, every drawing primitive). Passes
# when valgrind reports no errors and no definitely lost bytes. Installs
# valgrind on demand (a developer tool, not part of CI: the runs take about
# two minutes). Prints each run's summary.
#   scripts/valgrind-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v valgrind >/dev/null; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends valgrind
fi
cmake --preset default >/dev/null
cmake --build --preset default --target Tarnwick qor_desktop_screenshot qor_desktop_tests \
  qor_apps_tests qor_graphics_tests >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/qor_valgrind.XXXXXX")
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"
mkdir -p "$work/home"

check() {
  local name=$1
  shift
  local log="$work/$name.log"
  local rc=0
  HOME="$work/home" valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
    --errors-for-leak-kinds=definite --show-leak-kinds=definite \
    --suppressions=scripts/valgrind.supp --log-file="$log" "$@" >"$work/$name.out" 2>&1 || rc=$?
  echo "=== $name (exit $rc) ==="
  grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|still reachable" "$log" |
    sed 's/^==[0-9]*== *//'
  if [ "$rc" -eq 99 ] || ! grep -q "ERROR SUMMARY: 0 errors" "$log"; then
    cat "$log"
    return 1
  fi
}

status=0
check tarnwick-headless build/default/bin/Tarnwick --headless || status=1
check screenshot build/default/bin/qor_desktop_screenshot "$work/shot.png" || status=1
for area in desktop apps graphics; do
  check "$area-tests" "build/default/tests/$area/qor_${area}_tests" || status=1
done
exit $status

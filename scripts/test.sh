#!/usr/bin/env bash
# Checks that the C and C++ sources are formatted with the repository's
# .clang-format, then builds QorOS and runs every test: the normal build,
# then the same suite under AddressSanitizer + UndefinedBehaviorSanitizer,
# then the concurrency tests under ThreadSanitizer, then the Windows x64
# cross build with its tests under Wine, then a 30-second smoke run of every
# fuzzing harness (clang, libFuzzer). Pass configuration names to run only
# some (default asan tsan windows fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

configs=("$@")
[ ${#configs[@]} -gt 0 ] || configs=(default asan tsan windows fuzz)

# Formatting first: a badly formatted file fails in seconds, not after the
# builds. QOR_FORMAT_FOLDERS narrows the check (for example to the folders a
# change touched).
read -ra format_folders <<<"${QOR_FORMAT_FOLDERS:-src include tools bench fuzz tests}"
echo "=== format (${format_folders[*]}) ==="
find "${format_folders[@]}" -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format-14 --dry-run -Werror

export ASAN_OPTIONS="allocator_may_return_null=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1"
# Wine: quiet, and a private prefix so nothing touches the user's own.
export WINEDEBUG=-all
export WINEPREFIX="$PWD/build/wineprefix"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt"
# Tests of what the build produces rather than of the code's behaviour (the
# packages and installed tree, the real Wine, the real X window) run once,
# in the normal build; the sanitizer builds leave them out.
run_once_labels='^(packaging|wine|window)$'

for config in "${configs[@]}"; do
  echo "=== $config ==="
  if [ "$config" = fuzz ]; then
    ./fuzz/run.sh 30
    continue
  fi
  cmake --preset "$config" >/dev/null
  if [ "$config" = windows ]; then
    # Wine sets a new prefix up on first use, and two tests starting at once
    # on a fresh one trip over each other: set it up before the tests.
    WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  if [ "$config" = tsan ]; then
    cmake --build --preset tsan --target qor_concurrency_tests
    ctest --test-dir "build/$config" -L concurrency --output-on-failure -j2
  elif [ "$config" = asan ]; then
    cmake --build --preset asan
    ctest --test-dir build/asan -LE "$run_once_labels" --output-on-failure -j2
  else
    cmake --build --preset "$config"
    ctest --test-dir "build/$config" --output-on-failure -j2
  fi
  if [ "$config" = windows ]; then
    # The built programs as a user runs them, compared with the Linux build.
    ./scripts/windows-programs.sh
  fi
done
./scripts/line-counts.sh
echo "All tests passed."

#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang under ASan+UBSan and runs each for
# the given number of seconds (default 60), starting from the committed seed
# corpus. New inputs go to build/fuzz/corpus/, never into the repository.
#   fuzz/run.sh [seconds] [harness...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(package_reader windows_command_line dorvane_args
  terminal_lines text_drawing disk_resolve security_access qorget_urls desktop_routing)

flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1"
cmake -S . -B build/fuzz -G Ninja >/dev/null \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None \
  -DQOR_BUILD_FUZZ=ON -DQOR_BUILD_TESTS=OFF -DQOR_BUILD_BENCH=OFF -DQOR_WERROR=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build/fuzz -j2 --target "${harnesses[@]/#/qor_fuzz_}"

# The harnesses write their files below TMPDIR: a private folder, in memory
# where possible, removed however the run ends.
base=/tmp
if [ -d /dev/shm ] && [ -w /dev/shm ]; then base=/dev/shm; fi
TMPDIR=$(mktemp -d "$base/qor_fuzz.XXXXXX")
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# System libraries' process-lifetime memory (fontconfig's cache) is not ours.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt"
for harness in "${harnesses[@]}"; do
  work="build/fuzz/corpus/$harness"
  mkdir -p "$work" build/fuzz/artifacts
  echo "=== $harness: $seconds s ==="
  # Every desktop message renders a whole frame: shorter sequences, more of them.
  limits=()
  if [ "$harness" = desktop_routing ]; then limits=(-max_len=256); fi
  "build/fuzz/fuzz/qor_fuzz_$harness" -max_total_time="$seconds" -print_final_stats=1 "${limits[@]}" \
    -rss_limit_mb=2048 -artifact_prefix=build/fuzz/artifacts/ "$work" "fuzz/corpus/$harness"
done

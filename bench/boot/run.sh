#!/usr/bin/env bash
# Boot benchmarks, each beside its anchor:
#  - `Tarnwick --version` vs a trivial C program with the same shared
#    libraries (goal <= 1.5x) and /bin/true;
#  - headless boot to the first scheduler pass (goal < 50 ms) and the whole
#    headless wall time.
# Usage: bench/boot/run.sh [build folder]   (default build/release, which
# this script configures and builds when missing)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
if [ ! -x "$build/bin/Tarnwick" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target Tarnwick qor_bench_trivial
fi
tarnwick=$build/bin/Tarnwick
trivial=$build/bench/boot/qor_bench_trivial
json=$(mktemp)
trap 'rm -f "$json"' EXIT

hyperfine -N --warmup 20 --runs 300 --export-json "$json" \
  -n "Tarnwick --version" "$tarnwick --version" \
  -n "trivial C program" "$trivial" \
  -n "/bin/true" "/bin/true" >/dev/null 2>&1
python3 - "$json" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
ours = results["Tarnwick --version"]["median"]
for name, r in results.items():
    print(f"{name:20s} median {r['median']*1000:7.3f} ms   ratio Tarnwick/this {ours / r['median']:.2f}")
PY
python3 bench/boot/first_pass.py "$tarnwick" 10

#!/usr/bin/env bash
# Builds QorOS and starts the desktop. Arguments go to Tarnwick
# (for example --headless or --version).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec ./build/default/bin/Tarnwick "$@"

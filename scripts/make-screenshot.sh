#!/usr/bin/env bash
# Writes docs/screenshot.png: the desktop with a few windows open, rendered
# by the desktop's own code with the real font.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target qor_desktop_screenshot
mkdir -p docs
build/default/bin/qor_desktop_screenshot "$PWD/docs/screenshot.png"
echo "wrote docs/screenshot.png"

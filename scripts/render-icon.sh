#!/usr/bin/env bash
# Renders the desktop entry's icon (data/icons/qoros-256.png) with the
# graphics engine of the default build and QorOS's own library, the way a
# library user builds a program. Run it again when the emblem changes and
# commit the PNG.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target qoros_shared
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -Iinclude -o "$work/render_icon" data/icons/render_icon.c \
  -Lbuild/default -lqoros -Wl,-rpath,"$PWD/build/default"
TMPDIR="$work/" "$work/render_icon" data/icons/qoros-256.png
echo "data/icons/qoros-256.png written"

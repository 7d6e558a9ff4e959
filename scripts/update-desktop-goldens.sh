#!/usr/bin/env bash
# Rewrites the desktop's golden frames (tests/desktop/goldens/*.png: the
# desktop, its pages, the terminal, the explorer and the editor) from the
# current code, then lists what changed. Look at every changed image (for
# example with `git difftool` or an image viewer) before committing it: a
# golden is only as good as its review.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target qor_desktop_tests
QOR_UPDATE_GOLDENS=1 build/default/tests/desktop/qor_desktop_tests --gtest_filter='*GoldenFrame.*'
git status --short tests/desktop/goldens

#!/usr/bin/env bash
# Rewrites the desktop's golden frames (tests/desktop/goldens/*.png) from the
# current code, then lists what changed. Look at every changed image (for
# example with `git difftool` or an image viewer) before committing it: a
# golden is only as good as its review.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target qor_desktop_tests
QOR_UPDATE_GOLDENS=1 build/default/tests/desktop/qor_desktop_tests --gtest_filter='*GoldenFrame.*'
git status --short tests/desktop/goldens
# The terminal, explorer and editor frames live beside their own tests.
cmake --build --preset default --target qor_apps_tests
QOR_UPDATE_GOLDENS=1 build/default/tests/apps/qor_apps_tests --gtest_filter='AppsGoldenFrame.*'
git status --short tests/apps/goldens

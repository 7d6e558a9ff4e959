#!/usr/bin/env bash
# With no display, Tarnwick reports the failed window set-up and exits 1;
# SDL's invisible fallback drivers must not stand in for a display.
set -euo pipefail
work="$(mktemp -d "${TMPDIR:-/tmp}/qor-no-display.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/Tarnwick"
mkdir -p "$work/tmp"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER TMPDIR="$work/tmp/" \
  timeout 20 "$work/Tarnwick" >"$work/out.txt" 2>"$work/err.txt" || status=$?
[ "$status" -eq 1 ] || { echo "exit code $status, expected 1"; cat "$work/err.txt"; exit 1; }
grep -q '  \[图形\] 窗口注册失败!' "$work/err.txt" || { echo "no set-up failure line"; exit 1; }
grep -q '  \[系统\] 图形界面创建失败!' "$work/err.txt" || { echo "no desktop failure line"; exit 1; }
if grep -q '正在关闭' "$work/out.txt"; then echo "shutdown ran after a failed set-up"; exit 1; fi
echo "no-display test passed"

# shellcheck shell=bash
# Shared by the scripts that drive a running Tarnwick in a virtual X
# server (sourced inside the session, in the program's folder, with the
# program's process id in $pid and its output in out.txt and err.txt).

# shellcheck disable=SC2154 # $pid is the session's started program
fail() { echo "FAIL: $*"; cat out.txt err.txt; kill "$pid" 2>/dev/null || true; exit 1; }

# wait_for_desktop_window <tenths of a second>: sets $window to the desktop's
# X window, or fails when the program ends or the time runs out first.
wait_for_desktop_window() {
  window=""
  for _ in $(seq 1 "$1"); do
    window="$(xdotool search --name 'QorOS v7.0 - Vuredivaz Uvodadov UZ' 2>/dev/null | head -n1 || true)"
    [ -n "$window" ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "Tarnwick ended before its window appeared"
    sleep 0.1
  done
  fail "no window"
}

# escape_until_exit <pause> <tenths of a second>: Escape closes the active
# window, then the start menu, then ends the run; the program must end in
# time with exit code 0 and its shutdown lines.
escape_until_exit() {
  for _ in 1 2 3; do
    kill -0 "$pid" 2>/dev/null || break
    xdotool windowfocus "$window" 2>/dev/null || true
    xdotool key Escape
    sleep "$1"
  done
  for _ in $(seq 1 "$2"); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "Tarnwick still runs after three Escapes"
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "exit code $status"
  grep -q '正在关闭 QorOS v7.0' out.txt || fail "no shutdown line"
  grep -q 'QorOS v7.0 已安全关闭, 感谢使用!' out.txt || fail "no closing frame"
}

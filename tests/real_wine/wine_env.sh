# shellcheck shell=bash
# Shared by the real-Wine test scripts: waits for a file the started
# program writes, and makes sure no Wine process outlives the test.
# Launches are asynchronous and a cold Wine start takes seconds on a busy
# machine, so the deadline is generous; it only bounds a hang.

# wait_for_file <path> [seconds]: 0 once the file exists, 1 after the deadline.
wait_for_file() {
  local deadline=$((SECONDS + ${2:-180}))
  while [ ! -e "$1" ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.5
  done
}

# The Windows form of a Linux folder, as Wine shows it through drive Z:.
windows_folder() {
  printf 'Z:%s' "$(realpath "$1" | tr / '\\')"
}

# Waits for the programs of this prefix to end, then stops its server.
finish_wine() {
  timeout 60 wineserver -w || true
  wineserver -k 2>/dev/null || true
}

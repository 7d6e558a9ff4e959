#!/usr/bin/env bash
# Fresh-machine check: bootstraps a minimal Debian bookworm into a scratch
# folder, copies this repository in and runs the README's two commands there
# from nothing, as root inside a chroot:
#   ./scripts/run.sh --version        (no display: the desktop only reports
#   ./scripts/run.sh --headless        its version, then boots headless)
#   ./scripts/test.sh <configs>       (default: "default"; pass e.g.
#                                      "default asan tsan fuzz" for all)
# and reports what the scripts had to install. A missing install step shows
# up here before a user finds it. Needs root, network access to the Debian
# mirror this machine's apt uses, and a few GB of disk; installs debootstrap
# on demand (a developer tool, not needed by CI).
#   scripts/fresh-machine-check.sh [test configs...]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
configs=("$@")
[ ${#configs[@]} -gt 0 ] || configs=(default)
[ "$(id -u)" -eq 0 ] || { echo "run as root (debootstrap and chroot need it)" >&2; exit 2; }

if ! command -v debootstrap >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi

# The mirror this machine's apt already uses.
mirror=$(grep -hE '^(URIs:|deb )' /etc/apt/sources.list.d/*.sources /etc/apt/sources.list \
  2>/dev/null | grep -m1 -oE 'https?://[^ ]*/debian/?$' || true)
mirror=${mirror:-http://deb.debian.org/debian}

root=$(mktemp -d "${FRESH_ROOT_BASE:-/var/tmp}/qor_fresh.XXXXXX")
mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
log="$root.log"

echo "== debootstrap bookworm (minbase) from $mirror into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$log" 2>&1 ||
  { tail -20 "$log"; exit 1; }
for fs in proc sys dev dev/pts dev/shm; do
  mkdir -p "$root/$fs"
  case $fs in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount -t sysfs sys "$root/sys" ;;
    *) mount --bind "/$fs" "$root/$fs" ;;
  esac
  mounted+=("$root/$fs")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"

echo "== copying the repository (without build trees)"
mkdir -p "$root/root/qoros"
tar -C "$repo" --exclude=./build --exclude=./.git -cf - . | tar -C "$root/root/qoros" -xf -

chroot "$root" dpkg-query -W -f='${Package}\n' | sort >"$root/root/before.txt"
# Runs a command in the repository inside the chroot; its whole output goes
# to the log, the lines that tell the story to the terminal.
run_in_chroot() {
  echo "== $*"
  local start rc=0
  start=$(wc -l <"$log")
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb \
    LANG=C.UTF-8 /bin/bash -c "cd /root/qoros && $*" >>"$log" 2>&1 || rc=$?
  tail -n +"$((start + 1))" "$log" | grep -E '^(Installing:|QorOS|Tarnwick|=== |All tests passed|[0-9]+% tests passed|The following tests FAILED|FAILED:|.*\*\*\*Failed)' || true
  echo "   exit code $rc"
  return $rc
}
status=0
run_in_chroot ./scripts/run.sh --version || status=1
run_in_chroot ./scripts/run.sh --headless || status=1
run_in_chroot ./scripts/test.sh "${configs[*]}" || status=1
chroot "$root" dpkg-query -W -f='${Package}\n' | sort >"$root/root/after.txt"

installed=$(comm -13 "$root/root/before.txt" "$root/root/after.txt" | wc -l)
echo "== the scripts installed $installed packages on top of minbase; asked for by name:"
grep -h '^Installing:' "$log" | sed 's/^Installing: /  /' || echo "  (nothing)"
echo "== full log: $log"
exit $status

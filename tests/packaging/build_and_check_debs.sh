#!/usr/bin/env bash
# Builds the Debian packages the way the README says (preset "deb", then
# cpack), unpacks them into a scratch root, runs Tarnwick and dorvane from
# there, checks the unpacked manual pages and desktop entry, and runs
# lintian: no errors, and every warning left is one the README explains.
# Arguments: source folder, scratch folder.
set -euo pipefail
source=$1 scratch=$2
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$scratch"
mkdir -p "$scratch/root" "$scratch/tmp"

cmake -S "$source" --preset deb -B "$scratch/build" >/dev/null
cmake --build "$scratch/build" -j2 >/dev/null
cpack -G DEB --config "$scratch/build/CPackConfig.cmake" -B "$scratch/debs" >/dev/null
debs=("$scratch"/debs/*.deb)
[ ${#debs[@]} -eq 3 ] || fail "expected three packages, got: ${debs[*]}"
for deb in "${debs[@]}"; do
  printf '%s %s bytes\n' "$(basename "$deb")" "$(stat -c %s "$deb")"
  dpkg-deb -x "$deb" "$scratch/root"
done

root=$scratch/root
export LD_LIBRARY_PATH=$root/usr/lib/x86_64-linux-gnu
TMPDIR=$scratch/tmp/ "$root/usr/bin/Tarnwick" --version | head -n1 | grep -q "QorOS v7.0.0" ||
  fail "Tarnwick --version"
status=0
"$root/usr/bin/dorvane" >"$scratch/usage.txt" || status=$?
[ "$status" -eq 1 ] || fail "dorvane without arguments exits with $status"
grep -q "QorApp Converter v7.0" "$scratch/usage.txt" || fail "dorvane printed no usage text"
printf 'MZ a stand-in program' >"$scratch/tiny.exe"
"$root/usr/bin/dorvane" "$scratch/tiny.exe" "$scratch/tiny.qpa" -n Tiny >/dev/null ||
  fail "dorvane conversion"
[ "$(head -c 6 "$scratch/tiny.qpa")" = QORAPP ] || fail "dorvane wrote no package"
readelf -d "$root"/usr/lib/x86_64-linux-gnu/libqoros.so.7 | grep -q 'SONAME.*libqoros.so.7' ||
  fail "libqoros7 lacks libqoros.so.7"

for page in Tarnwick dorvane; do
  warnings=$(zcat "$root/usr/share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1)
  [ -z "$warnings" ] || fail "groff on $page.1: $warnings"
done
desktop-file-validate "$root/usr/share/applications/qoros.desktop" ||
  fail "desktop-file-validate"

lintian --tag-display-limit 0 "${debs[@]}" 2>&1 | grep -v 'running with root' | tee "$scratch/lintian.txt"
! grep -q '^E:' "$scratch/lintian.txt" || fail "lintian reports errors"
for tag in $(sed -n 's/^W: [^:]*: \([a-z0-9-]*\).*/\1/p' "$scratch/lintian.txt" | sort -u); do
  grep -q "\`$tag\`" "$source/README.md" || fail "lintian warning $tag is not explained in README.md"
done
echo "packages build, start and pass lintian"

#!/usr/bin/env bash
# Runs the Windows programs of build/windows under Wine as a user would and
# checks what they print, what they leave behind and their exit codes:
#  - Tarnwick.exe --version: the four version lines, exit 0, nothing written;
#  - Tarnwick.exe --headless: the boot lines, the bootsys tree beside the
#    program, the system log in the temporary QorOS tree, exit 0;
#  - dorvane.exe: its usage (exit 1), and a conversion compared with the
#    Linux dorvane on the same input: the two packages are identical except
#    created_time (bytes 340-347) and crc32 (352-355), and both verify;
#  - the WinINet client against the loopback server program of the tests.
# Expects WINEPREFIX and WINEDEBUG from scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
wine=/usr/lib/wine/wine64
windows_bin="$root/build/windows/bin"
linux_dorvane="$root/build/default/bin/dorvane"
linux_http_server="$root/build/default/tests/qor_test_http_server"

# The Linux converter to compare with, and the HTTP server.
if [ ! -x "$linux_dorvane" ] || [ ! -x "$linux_http_server" ]; then
  cmake --preset default >/dev/null
  cmake --build --preset default --target dorvane qor_test_http_server >/dev/null
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/qor-windows-programs.XXXXXX")"
server=""
trap '[ -z "$server" ] || kill "$server"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Console lines of a Windows program end in CRLF.
unix_lines() { tr -d '\r' <"$1"; }

echo "--- Tarnwick.exe --version"
mkdir -p "$work/version"
cp "$windows_bin/Tarnwick.exe" "$work/version/"
(cd "$work/version" && "$wine" Tarnwick.exe --version >out.txt 2>err.txt) || fail "--version exit code $?"
printf '%s\n' "QorOS v7.0.0 (Vuredivaz Uvodadov UZ for Windows)" \
  "Qor(Talvoren) Graphics Engine | QorApp Ecosystem" \
  "TrueType Font | 260+ Commands | Explorer Files" "Build: 2026-09-12" >"$work/expected-version.txt"
diff <(unix_lines "$work/version/out.txt") "$work/expected-version.txt" || fail "--version text"
[ ! -s "$work/version/err.txt" ] || fail "--version wrote to standard error"
[ ! -e "$work/version/bootsys" ] || fail "--version created the bootsys tree"

echo "--- Tarnwick.exe --headless"
mkdir -p "$work/headless"
cp "$windows_bin/Tarnwick.exe" "$work/headless/"
temp_tree="$(ls -d "$WINEPREFIX"/drive_c/users/*/Temp 2>/dev/null | head -n1)"
[ -n "$temp_tree" ] && rm -rf "$temp_tree/QorOS"
(cd "$work/headless" && "$wine" Tarnwick.exe --headless >out.txt 2>err.txt) || fail "--headless exit code $?"
headless_out="$(unix_lines "$work/headless/out.txt")"
for line in "  [系统] 宿主平台: Windows x64" "  [系统] 启动入口: Tarnwick.exe" \
  "  [日志] 日志系统就绪 (Logs\\system.log)" "  [终端] 终端就绪 (260 命令已注册)" \
  "  [系统] QorOS v7.0 无头模式运行正常!" "  [系统] 无头模式退出"; do
  grep -qxF "$line" <<<"$headless_out" || fail "--headless did not print: $line"
done
grep -qE '^  \[系统\] 核心目录: Z:\\.*\\headless\\bootsys$' <<<"$headless_out" || fail "bootsys path"
for folder in Desktop Documents Downloads Pictures; do
  [ -d "$work/headless/bootsys/homet/$folder" ] || fail "no bootsys/homet/$folder beside the program"
done
temp_tree="$(ls -d "$WINEPREFIX"/drive_c/users/*/Temp 2>/dev/null | head -n1)"
log="$temp_tree/QorOS/Logs/system.log"
[ -f "$log" ] || fail "no system log in the host's temporary folder"
grep -q '\[INFO\] 无头模式正常退出' "$log" || fail "the log lacks the headless exit line"

echo "--- dorvane.exe"
mkdir -p "$work/dorvane"
cp "$windows_bin/dorvane.exe" "$work/dorvane/"
cd "$work/dorvane"
status=0
"$wine" dorvane.exe >usage.txt 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "dorvane.exe without arguments exits $status, expected 1"
# The usage names the program as Windows started it (with or without path).
grep -q '^Usage: .*dorvane.exe <input.exe> <output.qpa> \[options\]$' <(unix_lines usage.txt) ||
  fail "dorvane.exe usage text"
[ "$(unix_lines usage.txt | wc -l)" -eq 12 ] || fail "dorvane.exe usage is not twelve lines"

# A program with an icon; both converters get the same relative paths.
python3 - <<'PY'
with open("app.exe", "wb") as f:
    f.write(b"MZ" + bytes((i * 7 + 3) % 256 for i in range(20000)))
with open("app.ico", "wb") as f:
    f.write(bytes((i * 13) % 256 for i in range(766)))
PY
args=(app.exe app.qpa -n "Sample App" -v 2.5.1 -a "QorOS Team" -d "A sample program" -i app.ico
  -c Tools -g -m --admin)
"$wine" dorvane.exe "${args[@]}" >windows.txt 2>&1 || fail "dorvane.exe conversion exit code $?"
mv app.qpa windows.qpa
"$linux_dorvane" "${args[@]}" >linux.txt 2>&1 || fail "Linux dorvane conversion exit code $?"
mv app.qpa linux.qpa
diff <(unix_lines windows.txt) linux.txt || fail "the two converters print differently"
python3 - <<'PY' || fail "packages differ or do not verify"
import struct, sys, zlib
win = open("windows.qpa", "rb").read()
lin = open("linux.qpa", "rb").read()
if len(win) != len(lin):
    sys.exit(f"sizes differ: {len(win)} and {len(lin)}")
allowed = set(range(340, 348)) | set(range(352, 356))
diffs = [i for i in range(len(win)) if win[i] != lin[i] and i not in allowed]
if diffs:
    sys.exit(f"bytes differ outside created_time and crc32, first at {diffs[0]}")
for name, data in (("windows", win), ("linux", lin)):
    stored = struct.unpack_from("<I", data, 352)[0]
    computed = zlib.crc32(data[:352] + data[356:]) & 0xFFFFFFFF
    if stored != computed:
        sys.exit(f"{name} package does not verify: stored {stored:08x}, computed {computed:08x}")
print(f"packages: {len(win)} bytes, identical outside bytes 340-347 and 352-355, both verify")
PY
echo "--- HTTP through WinINet"
"$linux_http_server" >"$work/port.txt" &
server=$!
for _ in $(seq 1 50); do [ -s "$work/port.txt" ] && break; sleep 0.1; done
port="$(head -n1 "$work/port.txt")"
[ -n "$port" ] || fail "the HTTP test server did not start"
(cd "$root/build/windows/tests/host" &&
  no_proxy=127.0.0.1 QOR_TEST_HTTP_BASE="http://127.0.0.1:$port" "$wine" qor_http_client_tests.exe) ||
  fail "HTTP client tests under Wine"

echo "Windows programs under Wine: all checks passed"

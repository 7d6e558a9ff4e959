#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds a C program that uses
# every area of the library, three ways a library user would: with the
# README's pkg-config line (shared library, found at run time through
# LD_LIBRARY_PATH), with a CMake project (find_package, rpath), and
# statically. Each one runs against a
# loopback HTTP server. Also checks that the shared library exports the
# public C interface only.
# Arguments: build folder, test source folder, scratch folder, the loopback
# HTTP server program, extra C flags.
set -euo pipefail
build=$1 source=$2 scratch=$3 http_server=$4 cflags=${5:-}
rm -rf "$scratch"
mkdir -p "$scratch/tmp"
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/Tarnwick"
test -f "$prefix/include/qoros/qor_api.h"
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig

fail() { echo "FAIL: $*"; exit 1; }

# The shared library: named after the major version, and its dynamic
# symbols are exactly what the public headers declare at file level.
soname=$(readelf -d "$prefix/lib/libqoros.so" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[ "$soname" = libqoros.so.7 ] || fail "SONAME is '$soname'"
declared=$(cat "$prefix"/include/qoros/*.h | grep -v '^ *\(/\*\|\*\|#\|typedef\|return\)' |
  grep -oE '^[a-zA-Z_][a-zA-Z0-9_ *]*[ *][a-z_][a-z0-9_]* ?(\(|\[[^]]*\];|;)' |
  sed -E 's/ ?(\(|\[[^]]*\];|;)$//; s/.*[ *]//' | sort -u)
exported=$(nm -D --defined-only "$prefix/lib/libqoros.so" | awk '$2 != "A" {print $3}' |
  sed 's/@.*//' | sort -u)
[ "$declared" = "$exported" ] ||
  fail "exported symbols differ from the headers' names: $(diff <(echo "$declared") <(echo "$exported") | grep '^[<>]' | head -n5)"

python3 -c 'import sys; sys.stdout.buffer.write(bytes((i * 7 + 3) % 256 for i in range(300)))' \
  >"$scratch/expected.bin"
"$http_server" >"$scratch/port" &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do [ -s "$scratch/port" ] && break; sleep 0.1; done
url="http://127.0.0.1:$(head -n1 "$scratch/port")/bytes/300"

# run <name> <program>: runs it in its own folder and checks what it did.
run() {
  local work=$scratch/$1
  mkdir -p "$work/tmp"
  local out
  out=$(no_proxy=127.0.0.1 TMPDIR=$work/tmp/ "$2" "$work" "$url") || fail "$1 exit code $?"
  [ "$out" = "$(printf 'QorOS v6.0 (Windows Native) | 0 processes\nevery area works')" ] ||
    fail "$1 printed: $out"
  grep -q "installed library works" "$work/tmp/QorOS/Logs/system.log" || fail "$1: no log line"
  cmp -s "$work/downloaded.txt" "$scratch/expected.bin" || fail "$1: download differs"
  [ "$(head -c 8 "$work/text.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "$1: text.png is not a PNG"
  echo "$1: every area works"
}

# The README's line; the program finds the library through LD_LIBRARY_PATH.
# shellcheck disable=SC2046,SC2086
cc $cflags -o "$scratch/prog" "$source/prog.c" $(pkg-config --cflags --libs qoros)
readelf -d "$scratch/prog" | grep -q 'NEEDED.*libqoros.so.7' || fail "pkg-config link is not shared"
LD_LIBRARY_PATH=$prefix/lib run pkg-config "$scratch/prog"

# The CMake package, from a copy of the prefix moved elsewhere (relocatable).
mv "$prefix" "$scratch/moved"
prefix=$scratch/moved
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
cmake -S "$source/cmake_project" -B "$scratch/cmake-build" -G Ninja \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_FLAGS="$cflags" >/dev/null
cmake --build "$scratch/cmake-build" >/dev/null
run cmake "$scratch/cmake-build/app"
readelf -d "$scratch/cmake-build/app_static" | grep -q libqoros && fail "qoros::qoros_static is shared"
run cmake-static "$scratch/cmake-build/app_static"

# A static link. pkg-config --static lists what libqoros.a itself needs
# (Libs.private) and, through Requires.private, the system libraries with
# their own dependencies, whose link files Debian does not all ship; so the
# program takes the archive with the system libraries' shared forms.
static_libs=" $(pkg-config --static --libs qoros) "
requires=$(pkg-config --print-requires-private qoros)
# shellcheck disable=SC2086 # one module name per word
for flag in -lstdc++ -lm $(pkg-config --libs-only-l $requires); do
  [[ $static_libs == *" $flag "* ]] || fail "pkg-config --static --libs qoros lacks $flag"
done
only_l=$(pkg-config --libs-only-l qoros)
[ "${only_l% }" = -lqoros ] || fail "pkg-config --libs qoros links '$only_l'"
# shellcheck disable=SC2046,SC2086
cc $cflags -o "$scratch/prog-static" "$source/prog.c" $(pkg-config --cflags qoros) \
  "$prefix/lib/libqoros.a" $(pkg-config --libs $requires) -lstdc++ -lm
readelf -d "$scratch/prog-static" | grep -q libqoros && fail "static link needs libqoros.so"
run static "$scratch/prog-static"

"$prefix/bin/Tarnwick" --version | head -n1 | grep -q "QorOS v7.0.0"

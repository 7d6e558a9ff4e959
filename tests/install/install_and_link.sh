#!/usr/bin/env bash
# Installs the build into a scratch prefix, then compiles and runs a C
# program the way a library user would: cc prog.c $(pkg-config ...).
# Arguments: build folder, program source, scratch folder, extra C flags.
set -euo pipefail
build=$1 source=$2 scratch=$3 cflags=${4:-}
rm -rf "$scratch"
mkdir -p "$scratch/tmp"
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
test -x "$scratch/prefix/bin/Tarnwick"
test -f "$scratch/prefix/include/qoros/qor_api.h"
pcdir=$(dirname "$(find "$scratch/prefix" -name qoros.pc | head -n1)")
export PKG_CONFIG_PATH=$pcdir
# shellcheck disable=SC2046,SC2086
cc $cflags -o "$scratch/prog" "$source" $(pkg-config --cflags --libs qoros)
out=$(TMPDIR=$scratch/tmp "$scratch/prog")
echo "$out"
[ "$out" = "QorOS v6.0 (Windows Native) | 0 processes" ]
grep -q "installed library works" "$scratch/tmp/QorOS/Logs/system.log"
"$scratch/prefix/bin/Tarnwick" --version | head -n1 | grep -q "QorOS v7.0.0"

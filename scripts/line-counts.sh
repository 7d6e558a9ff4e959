#!/usr/bin/env bash
# Non-blank, non-comment lines of the code (src/, include/, tools/) and of
# the tests (tests/, fuzz/): C and C++, CMake, shell and Python files, test
# support and test scripts included; images and other data are not counted.
set -euo pipefail
cd "$(dirname "$0")/.."
python3 - <<'PY'
import os

C_LIKE = ('.c', '.cc', '.cpp', '.h', '.hpp')
HASH_COMMENTS = ('.sh', '.py', '.cmake')

def kind(name):
    if name.endswith(C_LIKE):
        return 'c'
    if name == 'CMakeLists.txt' or name.endswith(HASH_COMMENTS):
        return 'hash'
    return None

def count_file(path, style):
    lines = 0
    in_block = False
    with open(path, encoding='utf-8', errors='replace') as f:
        for raw in f:
            line = raw.strip()
            if style == 'hash':
                if line and not line.startswith('#'):
                    lines += 1
                continue
            while line:
                if in_block:
                    end = line.find('*/')
                    if end < 0:
                        line = ''
                        break
                    line = line[end + 2:].strip()
                    in_block = False
                elif line.startswith('/*'):
                    in_block = True
                    line = line[2:]
                else:
                    break
            if line and not line.startswith('//'):
                lines += 1
    return lines

def count(folders):
    total = 0
    for folder in folders:
        for root, _, files in os.walk(folder):
            for name in files:
                style = kind(name)
                if style:
                    total += count_file(os.path.join(root, name), style)
    return total

code = count(['src', 'include', 'tools'])
tests = count(['tests', 'fuzz'])
print(f"lines: code (src, include, tools) {code}, tests (tests, fuzz) {tests}, "
      f"tests are {100 * tests / code:.0f} % of code")
PY

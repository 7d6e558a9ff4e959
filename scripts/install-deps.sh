#!/usr/bin/env bash
# Installs every Debian package QorOS needs to build, run and test.
# Idempotent: packages already present are left alone, and apt is only
# contacted when something is missing.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config git
  # the formatting check: the version the repository's .clang-format is written for
  clang-format-14
  # desktop host: window, fonts, PNG, HTTP
  libsdl2-dev libfreetype-dev libfontconfig-dev fonts-wqy-microhei
  libpng-dev zlib1g-dev libcurl4-openssl-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libdeflate-dev libpixman-1-dev hyperfine
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick
  openssl libssl-dev python3 curl
  # setpriv plays a second user in the two-user test; findmnt names file systems
  util-linux
  # packaging checks: lint the .debs, validate the desktop entry, the man pages
  lintian desktop-file-utils groff-base
  # Windows x64 cross build, run under Wine; "wine" is the package with the
  # wine command on PATH that the package runner starts
  g++-mingw-w64-x86-64 wine64 wine
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages Torvo needs to build, run and test, when any
# is missing; given package names, only those.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev fonts-dejavu-core libx11-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # scripts/fuzz.sh: clang, its libFuzzer and sanitizer runtimes (not pulled in
  # by clang without its recommends on Debian 12), llvm-symbolizer for reports
  clang libclang-rt-14-dev llvm
)
[ $# -gt 0 ] && packages=("$@")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"

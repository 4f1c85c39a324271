#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds torvo-cli.exe and torvo-deskset-sim.exe (and the link library's
# Windows tests) for 64-bit Windows with Debian's mingw-w64, into
# build-windows/ (or the folder given as $1). The programs are linked
# statically: they run on a bare Windows, no DLLs to carry along.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-windows}
bash scripts/install-deps.sh cmake ninja-build googletest g++-mingw-w64-x86-64-posix
cmake -S . -B "$build_dir" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DTORVO_BUILD_GUI=OFF \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER}
cmake --build "$build_dir" -j"$(nproc)" --target torvo-cli torvo-deskset-sim vcom_windows_tests
cp "$build_dir/tools/cli/torvo-cli.exe" "$build_dir/tools/deskset-sim/torvo-deskset-sim.exe" \
  "$build_dir/"
echo "built $build_dir/torvo-cli.exe and $build_dir/torvo-deskset-sim.exe"

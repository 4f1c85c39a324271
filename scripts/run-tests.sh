#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test; the tests without
# windows run again under AddressSanitizer and UndefinedBehaviorSanitizer, the
# link tests under ThreadSanitizer; the Windows programs are cross-built and
# run under wine (their own tests and transfers with the Linux ones); the
# Debian package and the Windows zip are made, installed and removed; then each
# fuzz target runs for half a minute (FUZZ_SECONDS) from its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DTORVO_BUILD_BENCH=ON
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)

bash scripts/build-windows.sh build-windows
bash scripts/run-windows-tests.sh build-windows build
bash scripts/check-packages.sh build build-windows

bash scripts/build.sh build-asan -DTORVO_BUILD_GUI=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
(cd build-asan && ctest --output-on-failure -j2)

bash scripts/build.sh build-tsan -DTORVO_BUILD_GUI=OFF -DTORVO_SANITIZE=thread \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -L link)

bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"

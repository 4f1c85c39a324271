#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; the link tests run a
# second time under ThreadSanitizer when the link library is present.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DTORVO_BUILD_BENCH=ON
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)

if [ -f src/link/CMakeLists.txt ]; then
  bash scripts/build.sh build-tsan -DTORVO_BUILD_GUI=OFF -DTORVO_SANITIZE=thread \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
  (cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -L link)
fi

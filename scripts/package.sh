#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the packages into dist/:
#   torvo_<version>_amd64.deb            the three programs, manual pages, the
#                                        bash completion, desktop integration
#   torvo-<version>-windows-x64.zip      torvo-cli.exe, torvo-deskset-sim.exe,
#                                        the README, the licence, the manual
#                                        pages as text
# and checks the .deb with lintian (no error allowed).
#
#   scripts/package.sh [LINUX_BUILD] [WINDOWS_BUILD]
#
# Each build folder is configured when it is new (Release, no tests) and
# built again either way, so an existing build of the same sources serves.
set -euo pipefail
cd "$(dirname "$0")/.."
linux_build=${1:-build-package}
windows_build=${2:-build-windows}
bash scripts/install-deps.sh
bash scripts/install-deps.sh dpkg-dev fakeroot file lintian zip groff-base

if [ ! -f "$linux_build/CMakeCache.txt" ]; then
  cmake -S . -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTORVO_BUILD_TESTS=OFF
fi
cmake --build "$linux_build" -j2
version=$("$linux_build/tools/cli/torvo-cli" --version | cut -d' ' -f2)
rm -rf dist
mkdir -p dist
(cd "$linux_build" && rm -rf dist && cpack -G DEB >/dev/null)
mv "$linux_build"/dist/torvo_"${version}"_amd64.deb dist/
lintian --fail-on error dist/torvo_"${version}"_amd64.deb

bash scripts/build-windows.sh "$windows_build"
zip_root=torvo-$version-windows-x64
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
mkdir "$staging/$zip_root"
cp "$windows_build/torvo-cli.exe" "$windows_build/torvo-deskset-sim.exe" "$staging/$zip_root/"
# Text with Windows line ends.
sed 's/$/\r/' README.md >"$staging/$zip_root/README.md"
sed 's/$/\r/' LICENSE >"$staging/$zip_root/LICENSE.txt"
for page in torvo-cli torvo-deskset-sim; do
  sed "s/@TORVO_VERSION@/$version/" "man/$page.1" | groff -man -Tascii -P-cbou |
    sed 's/$/\r/' >"$staging/$zip_root/$page.txt"
done
(cd "$staging" && zip -qr -X "$OLDPWD/dist/$zip_root.zip" "$zip_root")
ls -l dist

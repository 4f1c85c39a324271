#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the packages (scripts/package.sh) from existing build folders and
# tries them as a technician would: the .deb installed on this machine, its
# programs run from /usr/bin, its manual page found, then removed again with
# nothing left behind; the zip's contents listed.
#
#   scripts/check-packages.sh [LINUX_BUILD] [WINDOWS_BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
linux_build=${1:-build}
windows_build=${2:-build-windows}
fail() { echo "FAILED: $*" >&2; exit 1; }

bash scripts/package.sh "$linux_build" "$windows_build"
bash scripts/install-deps.sh man-db unzip shared-mime-info desktop-file-utils
version=$("$linux_build/tools/cli/torvo-cli" --version | cut -d' ' -f2)
deb=dist/torvo_${version}_amd64.deb
zip=dist/torvo-${version}-windows-x64.zip

echo "== the zip"
listing=$(unzip -Z1 "$zip" | sort)
expected=$(for name in "" LICENSE.txt README.md torvo-cli.exe torvo-cli.txt torvo-deskset-sim.exe \
  torvo-deskset-sim.txt; do echo "torvo-$version-windows-x64/$name"; done | sort)
[ "$listing" = "$expected" ] || fail "the zip holds:"$'\n'"$listing"

echo "== the package, installed"
if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
# Manual pages even where the system leaves them out (as container images do).
"${as_root[@]}" apt-get install -y --no-install-recommends \
  -o DPkg::Options::=--path-include='/usr/share/man/man1/torvo*' "./$deb"
installed=$(dpkg -L torvo)
[ "$(/usr/bin/torvo-cli --version)" = "torvo-cli $version" ] || fail "torvo-cli --version"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/torvo-cli new "$work/installed.ddb"
"$linux_build/tools/cli/torvo-cli" new "$work/built.ddb"
cmp "$work/installed.ddb" "$work/built.ddb" || fail "the installed torvo-cli makes another database"
man -w torvo-cli
[ -f /usr/share/mime/application/x-torvo-database.xml ] ||
  fail "the .ddb type is not in the MIME database"

echo "== the package, removed"
"${as_root[@]}" apt-get purge -y torvo
while read -r path; do
  # Folders the system has anyway stay; every file and folder of the package's own goes.
  if [ -e "$path" ] && { [ ! -d "$path" ] || [[ $path == *torvo* || $path == */.source ]]; }; then
    fail "$path is left behind"
  fi
done <<<"$installed"
! grep -rqs torvo /usr/share/mime/application /usr/share/applications/mimeinfo.cache ||
  fail "the MIME or desktop database still knows Torvo"
echo "packages checked: $deb, $zip"

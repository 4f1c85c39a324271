#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the Windows programs under wine: the link library's Windows tests, then
# transfers both ways between the Windows torvo-cli and the Linux simulator,
# and between the Linux torvo-cli and the Windows simulator, compared byte for
# byte, on COM1 and over TCP, a fleet download over TCP, and what a missing
# and a busy COM port give.
#
#   scripts/run-windows-tests.sh [WINDOWS_BUILD] [LINUX_BUILD]
#
# COM1 of a fresh wine prefix is mapped to a pseudo-terminal: wine's
# dosdevices/com1 link follows the prefix's "Software\Wine\Ports" value, which
# names a link that the simulator (or socat, for a pair of ptys) makes.
set -euo pipefail
cd "$(dirname "$0")/.."
windows_build=$(realpath "${1:-build-windows}")
linux_build=$(realpath "${2:-build}")
bash scripts/install-deps.sh wine64 socat

work=$(mktemp -d /tmp/torvo-wine.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
background=()
cleanup() {
  for pid in "${background[@]}"; do kill "$pid" 2>/dev/null || true; done
  "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cli_linux=$linux_build/tools/cli/torvo-cli
sim_linux=$linux_build/tools/deskset-sim/torvo-deskset-sim
cli_windows=$windows_build/torvo-cli.exe
sim_windows=$windows_build/torvo-deskset-sim.exe
com1=$work/com1    # what wine opens as COM1
linux_end=$work/tty  # the Linux end of a pty pair

echo "== wine prefix"
timeout 300 "$wine" wineboot -i >/dev/null 2>&1
timeout 60 "$wine" reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$com1" /f >/dev/null 2>&1
"$wineserver" -w >/dev/null 2>&1
# One wine server for all that follows, its output (an object dump when a pty
# it holds hangs up) out of the log.
"$wineserver" -p >/dev/null 2>&1
cd "$work"

echo "== the Windows tests under wine"
timeout 600 "$wine" "$windows_build/tests/windows/vcom_windows_tests.exe"

# Two databases unlike each other and unlike the defaults: random bytes after
# the header.
for database in served.ddb sent.ddb; do
  "$cli_linux" new "$database" >/dev/null
  dd if=/dev/urandom of="$database" bs=64 seek=1 count=255 conv=notrunc status=none
done

# Waits (bounded) for a simulator's first line, the address it serves.
wait_for_start() {
  for _ in $(seq 300); do [ -s "$1" ] && return 0; sleep 0.1; done
  fail "the simulator did not start: $(cat "$1" "$2" 2>/dev/null)"
}

echo "== Windows torvo-cli against the Linux simulator on COM1"
"$sim_linux" --link "$com1" --image served.ddb --save received.ddb >sim.out 2>sim.err &
background+=($!)
wait_for_start sim.out sim.err
timeout 120 "$wine" "$cli_windows" download --port COM1 --out downloaded.ddb
cmp served.ddb downloaded.ddb || fail "the download from the Linux simulator differs"
# Without --port: the port chosen in the desktop program, from the registry,
# and the link's thread priorities from there too.
"$wine" reg add 'HKLM\Software\Zelnor\Torvo\Settings' /v "COM Port" /d COM1 /f >/dev/null 2>&1
for thread in SessionThreadPriority CommLinkThreadPriority; do
  "$wine" reg add 'HKLM\Software\ZEL\Vcom' /v $thread /t REG_DWORD /d 2 /f >/dev/null 2>&1
done
timeout 120 "$wine" "$cli_windows" upload sent.ddb
cmp sent.ddb received.ddb || fail "the upload to the Linux simulator differs"
kill "${background[-1]}"; wait "${background[-1]}" 2>/dev/null || true

echo "== Linux torvo-cli against the Windows simulator on COM1"
rm -f received.ddb downloaded.ddb
socat "pty,raw,echo=0,link=$com1" "pty,raw,echo=0,link=$linux_end" &
background+=($!)
for _ in $(seq 50); do [ -e "$com1" ] && [ -e "$linux_end" ] && break; sleep 0.1; done
"$wine" "$sim_windows" --device COM1 --image served.ddb --save received.ddb >wsim.out 2>wsim.err &
background+=($!)
wait_for_start wsim.out wsim.err
timeout 120 "$cli_linux" download --port "$linux_end" --out downloaded.ddb
cmp served.ddb downloaded.ddb || fail "the download from the Windows simulator differs"
timeout 120 "$cli_linux" upload --port "$linux_end" sent.ddb
cmp sent.ddb received.ddb || fail "the upload to the Windows simulator differs"

echo "== both programs over TCP, as to a serial device server"
"$sim_linux" --tcp 0 --image served.ddb >tcp.out 2>tcp.err &
background+=($!)
wait_for_start tcp.out tcp.err
timeout 120 "$wine" "$cli_windows" download --port "tcp:$(head -1 tcp.out)" --out tcp-windows.ddb
cmp served.ddb tcp-windows.ddb || fail "the Windows torvo-cli's download over TCP differs"
"$wine" "$sim_windows" --tcp 0 --image served.ddb >wtcp.out 2>wtcp.err &
background+=($!)
wait_for_start wtcp.out wtcp.err
timeout 120 "$cli_linux" download --port "tcp:$(head -1 wtcp.out | tr -d '\r')" --out tcp-linux.ddb
cmp served.ddb tcp-linux.ddb || fail "the download from the Windows simulator over TCP differs"

echo "== the Windows torvo-cli's fleet download from both simulators over TCP"
printf 'name,port\r\nlinux,tcp:%s\r\nwindows,tcp:%s\r\n' "$(head -1 tcp.out)" \
  "$(head -1 wtcp.out | tr -d '\r')" >fleet.csv
mkdir fleet
timeout 120 "$wine" "$cli_windows" fleet download fleet.csv --out fleet --compare served.ddb \
  --report fleet.json
for unit in linux windows; do
  cmp served.ddb "fleet/$unit.ddb" || fail "the fleet's download from the $unit simulator differs"
done
grep -c '"outcome": "ok"' fleet.json | grep -qx 2 || fail "the fleet report: $(cat fleet.json)"

echo "== a busy COM port and a missing one"
# COM1 is held by the Windows simulator.
set +e
timeout 120 "$wine" "$cli_windows" download --port COM1 --out busy.ddb 2>busy.err
busy=$?
timeout 120 "$wine" "$cli_windows" download --port COM7 --out missing.ddb 2>missing.err
missing=$?
set -e
cat busy.err missing.err
[ "$busy" -eq 1 ] && [ ! -e busy.ddb ] || fail "a busy port gave exit $busy"
[ "$missing" -eq 1 ] && [ ! -e missing.ddb ] || fail "a missing port gave exit $missing"
grep -q "unable to establish connection" busy.err || fail "the busy port's message"
grep -q "unable to establish connection" missing.err || fail "the missing port's message"
echo "Windows tests passed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each one for
# SECONDS (default 60) from its checked-in seeds. Any crash, sanitizer report,
# broken invariant or time-out fails the script; the input that did it is kept
# in build-fuzz/findings/. Inputs that reached new code stay in build-fuzz/corpus/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build_dir=build-fuzz
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(database_file transfer link editor_rules csv_import apply)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTORVO_BUILD_FUZZ=ON -DTORVO_BUILD_GUI=OFF -DTORVO_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
nice cmake --build "$build_dir" -j"${FUZZ_JOBS:-2}" --target "${targets[@]/#/fuzz_}"

mkdir -p "$build_dir/findings" "$build_dir/logs"
for target in "${targets[@]}"; do
  corpus="$build_dir/corpus/$target"
  log="$build_dir/logs/$target.log"
  mkdir -p "$corpus"
  max_len=4096
  [ "$target" = database_file ] && max_len=17000  # files a little longer than an image too
  echo "== fuzz_$target for ${seconds} s"
  status=0
  nice "$build_dir/fuzz/fuzz_$target" "$corpus" "fuzz/corpus/$target" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=25 -print_final_stats=1 \
    -artifact_prefix="$build_dir/findings/$target-" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 80 "$log"
    echo "fuzz_$target found a fault (exit $status); the input is in $build_dir/findings/" >&2
    exit 1
  fi
  # The whole run is in the log; its start and end counts are shown.
  grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|stat::)' "$log" || true
done

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Mutation check: plants each small fault listed in the mutations.txt files
# under src/ and tools/, one at a time, rebuilds what the affected tests need,
# runs those tests, and puts the file back. A fault the tests do not notice
# survives and shows a gap in the tests. Too slow for CI; run it by hand:
#
#   nice scripts/mutate.sh [-B BUILD_DIR] [-j JOBS] [-t SECONDS] [PATTERN]
#
# BUILD_DIR is an existing, configured build directory (default build/).
# PATTERN (an extended regular expression) keeps only the mutations whose
# file path or description matches it.
#
# A list line has five fields separated by " @@ ":
#   file (relative to the list's folder) @@ original text @@ replacement
#     @@ ctest regex of the tests that must notice @@ what the fault is
# The original text must occur exactly once in the file; a mutation whose text
# is missing or repeated is reported as an error, so keep the lists in step
# with the code. Blank lines and lines starting with # are ignored.
#
# Exit status: 0 when every mutation was killed, 1 when one survived or could
# not be run, 2 on a usage error.
set -uo pipefail

usage() {
    sed -n '2,/^set /p' "$0" | sed -e '$d' -e 's/^# \{0,1\}//'
}

build_dir=build
jobs=2
timeout=120
pattern=
while [[ $# -gt 0 ]]; do
    case $1 in
        -B | --build-dir) build_dir=${2:?}; shift 2 ;;
        -j | --jobs) jobs=${2:?}; shift 2 ;;
        -t | --timeout) timeout=${2:?}; shift 2 ;;
        -h | --help) usage; exit 0 ;;
        -*) echo "mutate.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
        *) pattern=$1; shift ;;
    esac
done

cd "$(dirname "$0")/.." || exit 2
root=$PWD
if [[ ! -f $build_dir/CTestTestfile.cmake ]]; then
    echo "mutate.sh: $build_dir is not a configured build directory" >&2
    exit 2
fi
build_dir=$(cd "$build_dir" && pwd)
export QT_QPA_PLATFORM=offscreen
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}

logs=$build_dir/mutate-logs
rm -rf "$logs"
mkdir -p "$logs"

# The file being mutated and its saved original; restored on any exit.
active_file=
backup=$logs/original
restore() {
    if [[ -n $active_file ]]; then
        cp "$backup" "$active_file"  # a new modification time: the next build recompiles it
        active_file=
    fi
}
trap 'restore' EXIT
interrupted() {
    local file=$active_file
    restore
    echo >&2
    echo "mutate.sh: interrupted${file:+; $file restored}" >&2
    exit 130
}
trap interrupted INT TERM HUP

read_file() {  # keeps trailing newlines
    local text
    text=$(cat "$1" && printf x) || return 1
    printf '%s' "${text%x}"
}

# The test executables (= their CMake targets) behind the tests a regex selects.
targets_for() {
    ctest --test-dir "$build_dir" -N -V -R "$1" 2>/dev/null |
        sed -n 's/.*Test command: \([^ ]*\).*/\1/p' | xargs -r -n1 basename | sort -u
}

declare -a rows=()
killed=0 survived=0 errors=0 number=0
declare -A touched_targets=()

add_row() {  # status, where, description, detail
    rows+=("$(printf '%-4s %-9s %-50s %s%s' "$number" "$1" "$2" "$3" "${4:+  ($4)}")")
    case $1 in
        KILLED) ((killed++)) ;;
        SURVIVED) ((survived++)) ;;
        *) ((errors++)) ;;
    esac
}

mapfile -t lists < <(find src tools -name mutations.txt -type f | sort)
for list in "${lists[@]}"; do
    folder=$(dirname "$list")
    # The list on its own descriptor: the build and the tests get the terminal's.
    while IFS= read -r line <&3 || [[ -n $line ]]; do
        [[ -z ${line//[[:space:]]/} || $line =~ ^[[:space:]]*# ]] && continue
        fields=()
        rest=$line
        while [[ $rest == *" @@ "* ]]; do
            fields+=("${rest%%" @@ "*}")
            rest=${rest#*" @@ "}
        done
        fields+=("$rest")
        if [[ -n $pattern ]] && ! grep -Eq -- "$pattern" \
            <<<"$folder/${fields[0]} ${fields[${#fields[@]} - 1]}"; then
            continue
        fi
        ((number++))
        if [[ ${#fields[@]} -ne 5 ]]; then
            add_row ERROR "$list" "${line:0:60}" "needs 5 fields, has ${#fields[@]}"
            continue
        fi
        file=$folder/${fields[0]} original=${fields[1]} replacement=${fields[2]}
        regex=${fields[3]} description=${fields[4]}
        echo "[$number] $file: $description" >&2

        if [[ ! -f $file ]]; then
            add_row ERROR "$file" "$description" "no such file"
            continue
        fi
        text=$(read_file "$file")
        without=${text//"$original"/}
        occurrences=$(((${#text} - ${#without}) / ${#original}))
        if [[ $occurrences -eq 0 ]]; then
            add_row ERROR "$file" "$description" "original text not found"
            continue
        elif [[ $occurrences -gt 1 ]]; then
            add_row ERROR "$file" "$description" "original text found $occurrences times"
            continue
        fi
        before=${text%%"$original"*}
        newlines=${before//[!$'\n']/}
        where=$file:$((${#newlines} + 1))

        mapfile -t targets < <(targets_for "$regex")
        if [[ ${#targets[@]} -eq 0 ]]; then
            add_row ERROR "$where" "$description" "no test matches '$regex' in $build_dir"
            continue
        fi
        for target in "${targets[@]}"; do touched_targets[$target]=1; done

        cp "$file" "$backup"
        active_file=$file
        printf '%s' "${text/"$original"/"$replacement"}" >"$file"
        log=$logs/$number.log
        if ! cmake --build "$build_dir" -j "$jobs" --target "${targets[@]}" >"$log" 2>&1; then
            restore
            add_row ERROR "$where" "$description" "does not build, see $log"
            continue
        fi
        if ctest --test-dir "$build_dir" -R "$regex" -j "$jobs" --timeout "$timeout" \
            >>"$log" 2>&1; then
            add_row SURVIVED "$where" "$description"
        else
            add_row KILLED "$where" "$description"
        fi
        restore
    done 3<"$list"
done

# Leave the build directory built from the restored sources.
if [[ ${#touched_targets[@]} -gt 0 ]]; then
    cmake --build "$build_dir" -j "$jobs" --target "${!touched_targets[@]}" \
        >"$logs/rebuild.log" 2>&1 || echo "mutate.sh: the final rebuild failed, see $logs/rebuild.log" >&2
fi

echo
printf '%-4s %-9s %-50s %s\n' "#" "RESULT" "WHERE" "FAULT"
printf '%s\n' "${rows[@]}"
echo
run=$((killed + survived))
if [[ $run -gt 0 ]]; then
    echo "Score: $killed of $run mutations killed ($((100 * killed / run))%); $survived survived; $errors errors."
else
    echo "Score: no mutation ran; $errors errors."
fi
if [[ $survived -gt 0 ]]; then
    echo
    echo "Survivors:"
    printf '%s\n' "${rows[@]}" | grep ' SURVIVED '
fi
echo "Logs: $logs"
[[ $survived -eq 0 && $errors -eq 0 ]]

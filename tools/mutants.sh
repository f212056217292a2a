#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts plausible one-line faults ("mutants") into a scratch copy of the tree,
# one at a time, and runs the unit and widget tests that should catch each.
#
#   tools/mutants.sh [list] [pattern]
#
# list     the mutants, default tools/mutants.txt (its header tells the format)
# pattern  runs only the mutants whose line matches this extended regex
#
# The copy holds the tracked and untracked files of the working tree (what
# .gitignore leaves), with its own ccache build folder; the working tree is
# only read. The copy goes below $MUTANTS_TMPDIR (default $TMPDIR or /tmp)
# and is removed at the end; when ccache's base_dir covers both trees, a
# folder below base_dir lets the first build come from the cache.
# Each mutant is killed when its tests fail, survives when they pass, and is
# reported as an error (not counted) when its text is not found exactly once,
# the copy does not build with it, or its regex names no test. The score is
# killed / (killed + surviving mutants not marked equivalent). Exits 1 when
# there was an error.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
list=${1:-$root/tools/mutants.txt}
pattern=${2:-}
sep=' @@ '
[ -r "$list" ] || { echo "mutants: cannot read $list" >&2; exit 2; }
list=$(cd "$(dirname "$list")" && pwd)/$(basename "$list")

scratch=$(mktemp -d "${MUTANTS_TMPDIR:-${TMPDIR:-/tmp}}/velmora-mutants.XXXXXX")
cleanup() { rm -rf "$scratch"; }
trap cleanup EXIT
trap 'exit 130' INT TERM

tree=$scratch/tree
build=$tree/build
log=$scratch/log
mkdir -p "$tree"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
    tar --null -T - -cf -) | tar -C "$tree" -xf -

# Splits a list line on the separator into the array `fields`.
split_fields() {
    local rest=$1
    fields=()
    while [[ $rest == *"$sep"* ]]; do
        fields+=("${rest%%"$sep"*}")
        rest=${rest#*"$sep"}
    done
    fields+=("$rest")
}

# Occurrences of $FIND in one file.
count_in() { FIND=$find perl -0777 -ne '$n = () = /\Q$ENV{FIND}\E/g; print $n + 0' "$1"; }

# The test programs that hold the tests matching a regex: only these are
# rebuilt for a mutant.
test_programs() {
    ctest --test-dir "$build" -N -LE e2e -R "$1" --show-only=json-v1 |
        perl -MJSON::PP -0777 -ne 'my %seen; print "$_\n" for grep { !$seen{$_}++ }
            map { (split m{/}, $_->{command}[0])[-1] } @{decode_json($_)->{tests}}'
}

run_tests() {
    ctest --test-dir "$build" -LE e2e -R "$1" -j2 --timeout 120 >"$log" 2>&1
}

echo "Building the copy in $tree ..."
cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DVELMORA_BUILD_BENCH=OFF >"$log" 2>&1 &&
    cmake --build "$build" >>"$log" 2>&1 || { tail -n 30 "$log"; echo "mutants: the copy does not build" >&2; exit 2; }

# Read the list once: the lines to run and the union of their test regexes.
mutants=()
all_tests=
while IFS= read -r line || [ -n "$line" ]; do
    [[ -z ${line//[[:space:]]/} || $line == \#* ]] && continue
    [ -n "$pattern" ] && ! grep -Eq -- "$pattern" <<<"$line" && continue
    mutants+=("$line")
    split_fields "$line"
    all_tests+=${all_tests:+|}${fields[3]:-}
done <"$list"
[ ${#mutants[@]} -gt 0 ] || { echo "mutants: no mutant selected" >&2; exit 2; }

echo "Running the chosen tests on the unchanged copy ..."
run_tests "$all_tests" || { tail -n 30 "$log"; echo "mutants: the tests fail without a mutant" >&2; exit 2; }

killed=0 survived=0 equivalent=0 errors=0 n=0
for line in "${mutants[@]}"; do
    n=$((n + 1))
    split_fields "$line"
    glob=${fields[0]} find=${fields[1]:-} replace=${fields[2]:-} tests=${fields[3]:-} note=${fields[4]:-}
    label="$glob: '$find' -> '$replace'"
    if [ ${#fields[@]} -lt 4 ] || [ -z "$find" ] || [ -z "$tests" ]; then
        printf '%3d ERROR      malformed line: %s\n' "$n" "$line"
        errors=$((errors + 1))
        continue
    fi

    # The text must occur exactly once in the files the pattern names.
    target= matches=0
    for f in $(cd "$tree" && compgen -G "$glob" || true); do
        c=$(count_in "$tree/$f")
        [ "$c" -gt 0 ] && target=$f
        matches=$((matches + c))
    done
    if [ "$matches" -ne 1 ]; then
        printf '%3d ERROR      text found %d times, not once: %s\n' "$n" "$matches" "$label"
        errors=$((errors + 1))
        continue
    fi
    mapfile -t programs < <(test_programs "$tests")
    if [ ${#programs[@]} -eq 0 ]; then
        printf '%3d ERROR      no test matches %s: %s\n' "$n" "$tests" "$label"
        errors=$((errors + 1))
        continue
    fi

    cp "$tree/$target" "$scratch/original"
    FIND=$find REPLACE=$replace perl -0777 -pi -e 's/\Q$ENV{FIND}\E/$ENV{REPLACE}/' "$tree/$target"
    if ! cmake --build "$build" --target "${programs[@]}" >"$log" 2>&1; then
        printf '%3d ERROR      does not build: %s\n' "$n" "$label"
        errors=$((errors + 1))
    elif run_tests "$tests"; then
        if [[ $note == equivalent* ]]; then
            printf '%3d equivalent %s (%s)\n' "$n" "$label" "$note"
            equivalent=$((equivalent + 1))
        else
            printf '%3d SURVIVED   %s [%s]\n' "$n" "$label" "$tests"
            survived=$((survived + 1))
        fi
    else
        how=killed
        # ctest's summary names each failed test with "(Failed)", "(Timeout)"...
        grep -E '^[[:space:]]*[0-9]+ - ' "$log" | grep -vq '(Timeout)' || how='killed (only by a time-out)'
        [[ $note == equivalent* ]] && how="$how, though marked equivalent"
        printf '%3d %-10s %s\n' "$n" "$how" "$label"
        killed=$((killed + 1))
    fi
    # A fresh copy (new time stamp) so the next build compiles it again.
    cp "$scratch/original" "$tree/$target"
done

counted=$((killed + survived))
echo "Killed $killed, survived $survived, equivalent $equivalent, errors $errors of ${#mutants[@]} mutants."
if [ "$counted" -gt 0 ]; then
    echo "Score: $((100 * killed / counted)) % ($killed of $counted that are not equivalent)."
fi
[ "$errors" -eq 0 ]

#!/usr/bin/env bash
# Builds the libFuzzer targets of tools/fuzz (clang, AddressSanitizer +
# UBSan, libstdc++ bounds checks) and runs each for a while:
#
#   bash tools/fuzz.sh [seconds per target, default 60] [target ...]
#
# KVX_FUZZ_RUNS=N stops each target after N inputs if that comes first;
# KVX_FUZZ_JOBS=N runs N targets at once.
#
# Targets are named without their fuzz_ prefix (macro_line, config_file, ...).
# Each starts from the data root's files that fit it and keeps what it finds
# in build/fuzz/corpus/<target>, so later runs go on from there. A crashing
# input is saved in build/fuzz/crashes/ and the script fails; rerun it with
#   build/fuzz/tools/fuzz/fuzz_<target> build/fuzz/crashes/<file>
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=$root/build/fuzz

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_COMPILER_LAUNCHER="$(command -v ccache || true)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKVX_BUILD_FUZZERS=ON -DKVX_BUILD_TESTS=OFF -DKVX_BUILD_BENCHMARKS=OFF \
    -DKVX_SANITIZE=address,undefined -DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS >/dev/null || exit 1
cmake --build "$build" -j"${KVX_JOBS:-$(nproc)}" || exit 1

# Seeds: the files of the data root each target reads, or, for the macro
# line decoder, the lines of the macro files behind a version and language byte.
seed_files() {
    case $1 in
    macro_group) find "$root/skins" -name '*.dat' -o -name '*.sdat' ;;
    config_file) find "$root/skins/config" -name '*.ini' ;;
    skin_files) find "$root/skins" -name 'skin_*.ini' -o -name 'LanguageText.ini' -o -name 'LBWarning.ini' \
        -o -name 'mac_color.ini' ;;
    ini_file) find "$root/skins" -name '*.ini' ;;
    esac
}
make_seeds() {
    local target=$1 dir=$build/seeds/$1 made=$build/seeds/.$1.made
    # Made again only when the data root has changed since.
    if [ -e "$made" ] && [ -d "$dir" ] && [ -z "$(find "$root/skins" "$0" -newer "$made" -print -quit)" ]; then
        return
    fi
    rm -rf "$dir"
    mkdir -p "$dir"
    if [ "$target" = macro_line ]; then
        local n=0 file
        while IFS= read -r file; do
            grep -aoE '^[0-9]+=[0-9]+' "$file" | head -n 4 | cut -d= -f2 | while IFS= read -r line; do
                n=$((n + 1))
                printf '\001\001%s' "$line" >"$dir/$(basename "$file")-$n-v3"
                printf '\002\000%s' "$line" >"$dir/$(basename "$file")-$n-old"
            done
        done < <(find "$root/skins" -name '*.dat')
    else
        seed_files "$target" | while IFS= read -r file; do
            cp "$file" "$dir/$(echo "${file#$root/skins/}" | tr / _)"
        done
    fi
    touch "$made"
}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for bin in "$build"/tools/fuzz/fuzz_*; do
        [ -x "$bin" ] && targets+=("$(basename "$bin" | sed 's/^fuzz_//')")
    done
fi

# Inputs as long as a target's format needs, no longer: a run's time grows
# with its input. The status reader's input is some 500 bytes of button
# set-up, then reports of up to 8 bytes: a few hundred of them per run are
# plenty. A macro line is 2621 tokens of three digits. A group file cut after
# its second full line still has any count and short lines to try; full
# lines are the macro line target's. config.ini and the skin files fit whole,
# the profile's line rules need no more than a few dozen lines.
max_len() {
    case $1 in
    input_report) echo -max_len=2048 ;;
    ini_file) echo -max_len=4096 ;;
    skin_files) echo -max_len=8192 ;;
    macro_line) echo -max_len=8192 ;;
    config_file) echo -max_len=12288 ;;
    macro_group) echo -max_len=16384 ;;
    esac
}

# One target's run; its verdict goes into $build/results/<target>.
fuzz_one() {
    local target=$1 bin=$build/tools/fuzz/fuzz_$1 log=$build/fuzz-$1.log result=$build/results/$1
    if [ ! -x "$bin" ]; then
        echo "FAIL  $target: no such target" >"$result"
        return
    fi
    make_seeds "$target"
    mkdir -p "$build/corpus/$target"
    echo "=== fuzz $target ($seconds s)"
    "$bin" -max_total_time="$seconds" ${KVX_FUZZ_RUNS:+-runs="$KVX_FUZZ_RUNS"} $(max_len "$target") \
        -timeout=25 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$target-" "$build/corpus/$target" "$build/seeds/$target" >"$log" 2>&1
    local rc=$?
    local runs rate
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
    if [ $rc -eq 0 ]; then
        echo "PASS  $target: ${runs:-?} runs (${rate:-?}/s)" >"$result"
    else
        tail -n 40 "$log"
        echo "FAIL  $target: exit $rc after ${runs:-?} runs (log: ${log#$root/})" >"$result"
    fi
}

# KVX_FUZZ_JOBS=N runs N targets at a time (one core each); one by one otherwise.
mkdir -p "$build/crashes"
rm -rf "$build/results"
mkdir -p "$build/results"
jobs_max=${KVX_FUZZ_JOBS:-1}
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs_max" ]; do
        wait -n
    done
    fuzz_one "$target" &
done
wait

failed=0
for target in "${targets[@]}"; do
    line=$(cat "$build/results/$target" 2>/dev/null || echo "FAIL  $target: no result")
    echo "$line"
    case $line in FAIL*) failed=1 ;; esac
done
exit $failed

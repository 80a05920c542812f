#!/usr/bin/env bash
# Builds and tests everything: native (plain, address+undefined sanitizers,
# thread sanitizer), the Windows build under Wine, then the end-to-end
# scripts under Xvfb. Exits non-zero when anything failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/display.sh"

bash "$root/tools/install-deps.sh" || { echo "installing dependencies failed"; exit 1; }

jobs=$(nproc)
logs=$root/build/test-logs
mkdir -p "$logs"
summary=()
failed=0

trap 'stop_private_display' EXIT

# run_step NAME COMMAND...: runs it, keeps its output in build/test-logs/NAME.log,
# and records ctest's summary lines (or the exit status) for the end.
run_step() {
    local name=$1
    shift
    echo
    echo "=== $name"
    local log=$logs/$name.log
    local start=$SECONDS
    "$@" 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    local took="$((SECONDS - start)) s"
    local lines
    lines=$(grep -E '^[0-9]+% tests passed|tests failed out of|^Total Test time' "$log" | tr '\n' ' ')
    if [ "$rc" -eq 0 ]; then
        summary+=("PASS  $name ($took)  $lines")
    else
        summary+=("FAIL  $name ($took)  $lines(exit $rc; log: ${log#$root/})")
        failed=1
    fi
}

configure_build_test() {
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" "$@" >/dev/null &&
        cmake --build "$dir" -j"$jobs" &&
        ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

# ThreadSanitizer cannot map its shadow memory under the high address-space
# randomisation of some kernels; it runs fine with randomisation off.
tsan_prefix=
if setarch "$(uname -m)" -R true 2>/dev/null; then
    tsan_prefix="setarch $(uname -m) -R"
fi

run_step native configure_build_test "$root/build/native"
run_step native-asan-ubsan configure_build_test "$root/build/asan" \
    -DKVX_SANITIZE=address,undefined -DKVX_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1
# ThreadSanitizer runs the test programs that start threads (their sources
# mention threads), which keeps this build to the library and those programs.
threaded_tests() {
    local dir name files
    for dir in "$root"/tests/*/; do
        name=$(basename "$dir")
        case $name in support | e2e) continue ;; esac
        files=$(find "$dir" -maxdepth 1 \( -name '*.cpp' -o -name '*.h' \) ! -name '*_win.cpp')
        [ -n "$files" ] && grep -qiE 'thread' $files && echo "$name"
    done
}
tsan_step() {
    local dir=$root/build/tsan names targets
    mapfile -t names < <(threaded_tests)
    if [ ${#names[@]} -eq 0 ]; then
        echo "no threaded tests"
        return 0
    fi
    targets=("${names[@]/#/test_}")
    echo "threaded tests: ${names[*]}"
    cmake -S "$root" -B "$dir" -DKVX_SANITIZE=thread -DKVX_BUILD_BENCHMARKS=OFF \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 >/dev/null &&
        cmake --build "$dir" -j"$jobs" --target "${targets[@]}" &&
        TSAN_OPTIONS="suppressions=$root/tools/tsan.supp ${TSAN_OPTIONS:-}" \
            $tsan_prefix ctest --test-dir "$dir" --output-on-failure -j"$jobs" -R "^($(IFS='|'; echo "${names[*]}"))\$"
}
run_step native-tsan tsan_step
# The fuzz targets for a few seconds each (bash tools/fuzz.sh SECONDS runs them longer).
run_step fuzz bash "$root/tools/fuzz.sh" 5

# The Windows tests and the end-to-end scripts need a display for their windows.
if ensure_display; then
    run_step windows-wine configure_build_test "$root/build/win" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
    # Each end-to-end test takes the folder of the exe it drives (lib.sh is
    # their shared part, run_all.sh the runner for a single command).
    for script in "$root"/tests/e2e/*.sh; do
        case $(basename "$script") in lib.sh | run_all.sh) continue ;; esac
        run_step "e2e-$(basename "$script" .sh)" timeout 600 bash "$script" "$root/build/win"
    done
else
    summary+=("FAIL  windows-wine and e2e: no X display could be started")
    failed=1
fi

echo
echo "=== summary"
printf '%s\n' "${summary[@]}"
exit $failed

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
    local ctest_prefix=()
    if [ "${1:-}" = --ctest-prefix ]; then
        IFS=' ' read -r -a ctest_prefix <<<"$2"
        shift 2
    fi
    cmake -S "$root" -B "$dir" "$@" >/dev/null &&
        cmake --build "$dir" -j"$jobs" &&
        "${ctest_prefix[@]}" ctest --test-dir "$dir" --output-on-failure -j"$jobs"
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
run_step native-tsan configure_build_test "$root/build/tsan" ${tsan_prefix:+--ctest-prefix "$tsan_prefix"} \
    -DKVX_SANITIZE=thread -DKVX_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1

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

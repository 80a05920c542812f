#!/usr/bin/env bash
# Runs every end-to-end test against one Windows build:
#   tests/e2e/run_all.sh <folder holding KVX_GMouse.exe>
# Exit status: the number of tests that failed.
here=$(cd "$(dirname "$0")" && pwd)
exe_dir=${1:?usage: $0 <folder holding KVX_GMouse.exe>}
failed=0
for t in "$here"/*.sh; do
    case $(basename "$t") in lib.sh | run_all.sh) continue ;; esac
    # Each test gets ten minutes; Wine's first start in a new prefix is slow.
    timeout 600 "$t" "$exe_dir" || failed=$((failed + 1))
done
exit $failed

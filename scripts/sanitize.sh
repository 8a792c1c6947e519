#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# (g++) into build-asan and runs the whole test suite there: any memory
# error, undefined behaviour or leak fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build-asan"

"$root/scripts/deps.sh"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTROVA_SANITIZE=ON >/dev/null
cmake --build "$dir" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0:print_stacktrace=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
lsan_opts="print_suppressions=0"
if [ -f "$root/scripts/lsan.supp" ]; then
  lsan_opts="suppressions=$root/scripts/lsan.supp:$lsan_opts"
fi
export LSAN_OPTIONS="$lsan_opts"

cd "$dir"
ctest --output-on-failure -j"$(nproc)" --timeout 600

#!/usr/bin/env bash
# Builds the libFuzzer targets (clang) into build-fuzz and runs each for the
# given number of seconds (default 60), starting from a copy of its seed
# corpus. Prints executions and coverage per target; fails when a target
# crashes or breaks an invariant (the input is kept in build-fuzz/artifacts).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
dir="$root/build-fuzz"

KESTROVA_FUZZ=1 "$root/scripts/deps.sh"
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$dir" -DKESTROVA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j"$(nproc)" --target fuzz_targets

targets=()
for source in "$root"/fuzz/fuzz_*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done

mkdir -p "$dir/logs"
failed=()
summary=()
for target in "${targets[@]}"; do
  corpus="$dir/corpus/$target"
  artifacts="$dir/artifacts/$target"
  log="$dir/logs/$target.log"
  rm -rf "$artifacts"
  mkdir -p "$corpus" "$artifacts"
  # The seeds stay as they are in the repository; new inputs go to the copy.
  cp "$root/fuzz/corpus/$target"/* "$corpus"/
  options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 -max_len=4096
           -artifact_prefix="$artifacts/")
  [ -f "$root/fuzz/$target.dict" ] && options+=(-dict="$root/fuzz/$target.dict")
  echo "== $target: fuzzing for ${seconds}s"
  status=0
  "$dir/fuzz/$target" "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?

  done_line="$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n1 || true)"
  runs="$(awk '/stat::number_of_executed_units/ {print $2}' "$log" | tail -n1)"
  cov="$(sed -nE 's/.*cov: ([0-9]+).*/\1/p' <<<"$done_line")"
  ft="$(sed -nE 's/.*ft: ([0-9]+).*/\1/p' <<<"$done_line")"
  corp="$(sed -nE 's/.*corp: ([0-9]+)\/.*/\1/p' <<<"$done_line")"
  summary+=("$(printf '%-22s %-6s executions=%-10s cov=%-6s ft=%-6s corpus=%s' "$target" \
    "$([ $status -eq 0 ] && echo ok || echo FAIL)" "${runs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}")")
  if [ $status -ne 0 ]; then
    failed+=("$target")
    echo "-- $target failed (exit $status); log $log; inputs kept:"
    ls -1 "$artifacts" | sed "s|^|   $artifacts/|"
    grep -E 'invariant broken|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error|SUMMARY' "$log" | head -n 20 || true
    # The frames of the project's code, without libFuzzer's and the C library's.
    grep -E '^ +#[0-9]+ ' "$log" | grep -vE 'fuzzer::|__sanitizer|libc\.so|nptl|stdlib/|signal/|csu/| in main | in _start ' |
      head -n 12 || true
  fi
done

echo
echo "Fuzzing summary (${seconds}s per target):"
printf '  %s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]}"
  exit 1
fi
echo "${#targets[@]} passed, 0 failed"

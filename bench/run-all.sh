#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench) and runs them one after the
# other, then lists every verdict. Exit status 1 when a goal was missed.
# Usage: bench/run-all.sh [bench_reader bench_file ...]   (default: all)
set -u

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-bench"
benches=("$@")
if [ ${#benches[@]} -eq 0 ]; then
  benches=(bench_reader bench_file bench_chart bench_view bench_startup bench_download)
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 2
cmake --build "$build" -j2 --target "${benches[@]}" >/dev/null || {
  echo "build failed; run: cmake --build $build --target ${benches[*]}" >&2
  exit 2
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export TMPDIR="$work"

status=0
for bench in "${benches[@]}"; do
  start=$(date +%s%N)
  "$build/bench/$bench" 2> >(grep -v "propagateSizeHints" >&2) | tee -a "$work/out.txt"
  rc=${PIPESTATUS[0]}
  elapsed=$((($(date +%s%N) - start) / 1000000))
  printf '  (%s took %d.%03d s, exit %d)\n\n' "$bench" $((elapsed / 1000)) $((elapsed % 1000)) "$rc"
  [ "$rc" -eq 0 ] || status=1
done

echo "== summary =="
grep -F "goal:" "$work/out.txt"
exit $status

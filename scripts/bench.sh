#!/usr/bin/env bash
# Builds the benchmarks into build-bench (optimised) and runs every one of them.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" bench
build="$here/build-bench"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBROTALIA_BUILD_BENCH=ON -DBROTALIA_BUILD_TESTS=OFF
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
# The private services (the sound benchmarks need a sound server).
source "$here/scripts/start_services.sh"
status=0
for exe in "$build"/bench/bench_*; do
  [ -f "$exe" ] && [ -x "$exe" ] || continue
  echo "== $(basename "$exe")"
  "$exe" "$@" || status=1
done
exit $status

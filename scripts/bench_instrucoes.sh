#!/usr/bin/env bash
# Counts the instructions of the report benchmark's prints under callgrind
# (all threads), the game's and the bare writer's apart: the median of each
# and their ratio. Instructions, unlike times, do not change with the load
# of the machine. Run after scripts/bench.sh has built build-bench.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
exe="$here/build-bench/bench/bench_report_pdf"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$(dirname "$exe")" && QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --instr-atstart=no \
  --callgrind-out-file="$out/cg.%p" "$exe" >"$out/log" 2>&1)
for f in "$out"/cg.*.*; do
  echo "$(sed -n 's/^desc: Trigger: Client Request: //p' "$f") $(sed -n 's/^summary: //p' "$f")"
done | grep -v '^antes ' | sort -k1,1 -k2,2n | awk '
  { v[$1, ++n[$1]] = $2 }
  END {
    for (k in n) m[k] = v[k, int((n[k] + 1) / 2)]
    for (k in n) if (k ~ /^jogo_/) { s = substr(k, 6)
      printf "%s: jogo %d, QPdfWriter nu %d instruções, razão %.3f\n", s, m[k], m["nu_" s], m[k] / m["nu_" s] }
  }'

#!/bin/sh
# make bench: builds the benchmark (Release, in build-bench), generates the
# 1,000-, 10,000- and 100,000-rule files into bench/data and runs it; the
# table, the steps every load pays before its models (bench_floor) and the
# reading of the figures (bench/analysis.md) are printed and written to
# bench/results.md.
#   bench/run.sh               the whole benchmark
#   bench/run.sh --callgrind   instruction count of one full load of the
#                              10,000-rule file (stable on a noisy machine)
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BENCH_BUILD_DIR:-$ROOT/build-bench}
DATA=$ROOT/bench/data
JOBS=${BENCH_JOBS:-2}

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DEVENTCONFIG_BUILD_BENCH=ON \
  -DEVENTCONFIG_BUILD_TESTS=OFF -DEVENTCONFIG_BUILD_TOOLS=OFF >/dev/null
cmake --build "$BUILD" -j "$JOBS" --target gen_config bench_load bench_floor

mkdir -p "$DATA"
for n in 1000 10000 100000; do
  f=$DATA/rules_$n.xml
  # Regenerated whenever the generator changes.
  if [ ! -f "$f" ] || [ "$BUILD/bench/gen_config" -nt "$f" ]; then
    "$BUILD/bench/gen_config" $n "$f" --protocols 2 --seed 7
  fi
done

# The probes by instruction count, which the memory hierarchy does not move:
# a linear read costs the same per unit at either size.
probe_instructions() {
  echo
  echo "| probe | small | large | instructions per unit (small) | (large) | large / small |"
  echo "|---|---:|---:|---:|---:|---:|"
  "$BUILD/bench/bench_load" --probe-sizes | while read -r index small large; do
    count() {
      valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file=/dev/null \
        "$BUILD/bench/bench_load" --callgrind-probe "$index" "$1" 2>&1 |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
    }
    name=$("$BUILD/bench/bench_load" --callgrind-probe "$index" 1)
    a=$(count "$small")
    b=$(count "$large")
    awk -v n="$name" -v s="$small" -v l="$large" -v a="$a" -v b="$b" \
      'BEGIN { printf "| %s | %d | %d | %.1f | %.1f | %.2f |\n", n, s, l, a / s, b / l, (b / l) / (a / s) }'
  done
}

# Instructions of one full load of the 10,000-rule file beside pugixml's
# parse of it; the goal is at most four times pugixml's.
instructions() {
  out=$BUILD/callgrind.out
  collected() { sed -n 's/.*Collected : \([0-9]*\).*/\1/p'; }
  pugi=$(valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out.pugi" \
    "$BUILD/bench/bench_load" --callgrind-pugi "$DATA/rules_10000.xml" 2>&1 | collected)
  ours=$(valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out" \
    "$BUILD/bench/bench_load" --callgrind "$DATA/rules_10000.xml" 2>&1 | collected)
  awk -v p="$pugi" -v o="$ours" 'BEGIN {
    r = o / p
    printf "- Instructions of one full load of the 10000-rule file at most 4x pugixml'"'"'s parse: %.1fM against %.1fM, %.2fx, %s.\n", o / 1e6, p / 1e6, r, (r <= 4 ? "met" : "**not met**")
  }'
}

if [ "$1" = "--callgrind" ]; then
  # Instructions of one full load and of pugixml's parse of the same file;
  # the profile of the full load is left in build-bench/callgrind.out.
  instructions
  callgrind_annotate "$BUILD/callgrind.out" 2>/dev/null | sed -n '/PROGRAM TOTALS/,$p' | head -30
  probe_instructions
  exit 0
fi

nice "$BUILD/bench/bench_load" --out "$ROOT/bench/results.md" \
  "$DATA/rules_1000.xml" "$DATA/rules_10000.xml" "$DATA/rules_100000.xml"
if command -v valgrind >/dev/null; then
  # The instruction goal joins the targets the table ends with.
  line=$(instructions)
  echo "$line"
  at=$(grep -n '^- Peak RSS' "$ROOT/bench/results.md" | tail -1 | cut -d: -f1)
  if [ -n "$at" ]; then
    tmp=$(mktemp)
    awk -v at="$at" -v line="$line" '{ print } NR == at { print line }' \
      "$ROOT/bench/results.md" > "$tmp" && mv "$tmp" "$ROOT/bench/results.md"
  fi
  {
    printf '\n## Linear-scaling probes by instruction count\n'
    probe_instructions
  } | tee -a "$ROOT/bench/results.md"
fi
# What every full load pays before its first model object, beside pugixml's
# whole parse, on a touched heap.
{
  printf '\n## What a full load pays before its models\n\n'
  printf 'Each step alone, on a heap touched beforehand (the touched-heap columns above), best of five fresh processes.\n'
  for n in 10000 100000; do
    printf '\n'
    "$BUILD/bench/bench_floor" "$DATA/rules_$n.xml" 5
  done
} | tee -a "$ROOT/bench/results.md"
# The reading of the figures (profile, what is left, what would close it).
if [ -f "$ROOT/bench/analysis.md" ]; then
  printf '\n' >> "$ROOT/bench/results.md"
  cat "$ROOT/bench/analysis.md" >> "$ROOT/bench/results.md"
fi

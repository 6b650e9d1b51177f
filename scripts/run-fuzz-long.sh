#!/usr/bin/env bash
# Long fuzzing of every reader of drive files, outside the test command:
# each target runs until it has made QB_FUZZ_RUNS executions (10 million
# by default) or spent QB_FUZZ_BUDGET seconds (1 hour by default),
# whichever comes first. A crash input is copied into the target's seed
# corpus (tests/fuzz/corpus/NAME), so that every later run, in CI too,
# tries it again; commit it with the fix.
#
#   scripts/run-fuzz-long.sh [TARGET...]   (default: every *_fuzz target)
#
# Prints executions, time and speed per target; the summary also goes to
# build/test-logs/fuzz-long.txt. The exit status is 0 when no target failed.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
RUNS="${QB_FUZZ_RUNS:-10000000}"
BUDGET="${QB_FUZZ_BUDGET:-3600}"
LOGS="$ROOT/build/test-logs"
mkdir -p "$LOGS"

"$ROOT/scripts/build.sh" fuzz >/dev/null || { echo "fuzz build failed"; exit 1; }

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for target in "$ROOT"/build/fuzz/*_fuzz; do targets+=("$(basename "$target" _fuzz)"); done
fi

summary="$LOGS/fuzz-long.txt"
: >"$summary"
status=0
for name in "${targets[@]}"; do
  target="$ROOT/build/fuzz/${name}_fuzz"
  seeds="$ROOT/tests/fuzz/corpus/$name"
  work="$ROOT/build/fuzz/corpus-$name"
  crashes="$ROOT/build/fuzz/crashes-$name"
  log="$LOGS/fuzz-long-$name.log"
  rm -rf "$crashes"
  mkdir -p "$work" "$crashes" "$seeds"
  echo "== $name: up to $RUNS executions or ${BUDGET}s"
  start=$SECONDS
  "$target" "$work" "$seeds" -runs="$RUNS" -max_total_time="$BUDGET" -rss_limit_mb=1024 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$crashes/" >"$log" 2>&1
  code=$?
  spent=$((SECONDS - start))
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | awk '{print $2}')
  runs=${runs:-0}
  speed=$(( spent > 0 ? runs / spent : runs ))
  found=$(find "$crashes" -type f | wc -l)
  result="passed"
  if [ $code -ne 0 ] || [ "$found" -gt 0 ]; then
    result="FAILED"
    status=1
    # Every crash input joins the seed corpus.
    for input in "$crashes"/*; do
      [ -f "$input" ] && cp "$input" "$seeds/$(basename "$input")"
    done
    tail -n 30 "$log"
  fi
  [ "$runs" -lt "$RUNS" ] && [ "$result" = passed ] && result="passed (time budget ran out first)"
  line=$(printf '%-14s %12s executions in %6ss (%8s/s), %s crash input(s): %s' \
    "$name" "$runs" "$spent" "$speed" "$found" "$result")
  echo "$line" | tee -a "$summary"
done
echo "summary: $summary"
exit $status

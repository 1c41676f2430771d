#!/usr/bin/env bash
# Runs the big-list and data-check benchmarks of two builds in turn, in one
# run, so that whatever else the machine does disturbs both alike:
#
#   bench/side_by_side.sh BEFORE_BUILD AFTER_BUILD [ROUNDS]
#
# Each build folder must hold bin/bench_biglists (and bin/bench_datacheck
# for that figure). Every part is run ROUNDS times (default 3), before then
# after, each run printed whole with the machine's load at its start; the
# cutting part, whose old search takes minutes, runs once each, stopped
# after $BIGLISTS_CUT_LIMIT_S seconds (default 300).
set -uo pipefail
before=${1:?the build folder of the code before}
after=${2:?the build folder of the code after}
rounds=${3:-3}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export BIGLISTS_CUT_LIMIT_S=${BIGLISTS_CUT_LIMIT_S:-300}

run() {
  local label=$1 build=$2
  shift 2
  echo "=== $label $(basename "$(dirname "$build")")/$(basename "$build"): $* | $(date +%T) load $(cut -d' ' -f1-3 /proc/loadavg)"
  "$@"
}

for part in commit memory file export; do
  for ((round = 1; round <= rounds; ++round)); do
    run "$part round $round before" "$before" "$before/bin/bench_biglists" "$part"
    run "$part round $round after" "$after" "$after/bin/bench_biglists" "$part"
  done
done
if [[ -x $before/bin/bench_datacheck && -x $after/bin/bench_datacheck ]]; then
  for build in "$before" "$after"; do
    run "data check" "$build" "$build/bin/bench_datacheck" \
      --benchmark_repetitions="$rounds" --benchmark_report_aggregates_only=true
  done
fi
run "cutting before" "$before" "$before/bin/bench_biglists" cutting
run "cutting after" "$after" "$after/bin/bench_biglists" cutting

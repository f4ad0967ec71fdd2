#!/usr/bin/env bash
# tools/reliability/fuzz.sh [SECONDS]: runs every fuzz target for SECONDS
# (default 60) from the seed corpus in tests/reliability/fuzz/corpus, and
# reports the executions and coverage of each. New inputs go to build-fuzz/corpus, the
# committed seeds stay as they are; a finding is kept in build-fuzz/findings.
cd "$(dirname "$0")/../.."
. tools/reliability/common.sh

seconds=${1:-60}
targets=(host_interface_fuzz panel_fuzz bmp_decoder_fuzz lv2_dsp_fuzz clap_fuzz)

if ! have_clang; then
  for target in "${targets[@]}"; do skip "$target" "clang-22 is not installed"; done
  finish
  exit
fi
if ! build_targets fuzz -- fuzz_targets; then
  fail "fuzz build"
  finish
  exit
fi

total_runs=0
for target in "${targets[@]}"; do
  name=${target%_fuzz}
  binary=build-fuzz/$target
  if [ ! -x "$binary" ]; then
    skip "$target" "not in this tree"
    continue
  fi
  work=build-fuzz/corpus/$name
  mkdir -p "$work" build-fuzz/findings tests/reliability/fuzz/corpus/$name
  log=build-fuzz/$name.log
  # fontconfig keeps the faces cairo looked up until exit: its cache, not ours.
  LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp \
    "$binary" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/findings/$name- \
    "$work" tests/reliability/fuzz/corpus/$name >"$log" 2>&1
  status=$?
  runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
  coverage=$(grep -E '^#[0-9]+[[:space:]]+(DONE|pulse|NEW|REDUCE|INITED)' "$log" | tail -1 |
    sed -E 's/.*cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+)\/.*/\1 edges, \2 features, corpus \3/')
  echo "$target: ${runs:-0} executions in ${seconds} s, ${coverage:-no coverage line}"
  total_runs=$((total_runs + ${runs:-0}))
  if [ "$status" -eq 0 ]; then
    pass "$target"
  else
    tail -40 "$log"
    fail "$target (log $log, inputs in build-fuzz/findings)"
  fi
done
echo "fuzz: $total_runs executions in all"
finish

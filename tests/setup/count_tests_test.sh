#!/usr/bin/env bash
# tools/count_tests.awk on the output ./run test reads: ctest summaries of
# several runs, skipped and disabled tests (never counted as passed), a
# script's own counts, and text that merely looks like a count.
#   count_tests_test.sh SOURCE-DIR
set -uo pipefail
count() { printf '%b' "$1" | awk -f "$source_dir/tools/count_tests.awk"; }
source_dir=$1
failures=0
expect() {  # OUTPUT EXPECTED WHAT
  local got
  got=$(count "$1")
  [ "$got" = "$2" ] || { echo "FAIL: $3: got '$got', expected '$2'"; failures=$((failures + 1)); }
}

expect "100% tests passed, 0 tests failed out of 69\n" "69 0 0" "one clean ctest run"
expect "90% tests passed, 1 test failed out of 10\n\nThe following tests FAILED:\n\t  4 - a.b (Failed)\n" \
  "9 1 0" "one failure"
expect "100% tests passed, 0 tests failed out of 5\n\nThe following tests did not run:\n\t 12 - x.y (Skipped)\n\t 13 - x.z (Disabled)\n" \
  "3 0 2" "skipped and disabled tests are not passed"
expect "100% tests passed, 0 tests failed out of 4\n50% tests passed, 2 tests failed out of 4\nstep-counts: 3 passed, 1 failed, 6 skipped\n" \
  "9 3 6" "two ctest runs and a script's own checks"
expect "12 passed, 0 failed\nplughost: 3 passed, 1 failed, 2 skipped\nNo tests were found!!!\n" "0 0 0" "look-alikes"

[ $failures -eq 0 ] || exit 1
echo "count_tests: all cases pass"

#!/usr/bin/env bash
# tools/reliability/dropout.sh [SECONDS]: how many blocks lose their wet
# signal to sample-rate changes in progress; none may without one.
cd "$(dirname "$0")/../.."
. tools/reliability/common.sh

if build_targets default -- Molvex dropout_measure; then
  check "no block lost without a rate change" build/dropout_measure build/Molvex.so "${1:-2}"
else
  fail "default build"
fi
finish

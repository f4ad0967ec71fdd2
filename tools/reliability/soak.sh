#!/usr/bin/env bash
# tools/reliability/soak.sh [MINUTES]: one instance under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer for MINUTES (default 0.5),
# driven from an audio and a user-interface thread.
cd "$(dirname "$0")/../.."
. tools/reliability/common.sh

minutes=${1:-0.5}
seconds=$(awk -v m="$minutes" 'BEGIN { printf "%d", m * 60 }')
if build_targets asan -- soak; then
  check "soak of $seconds s" env ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp build-asan/soak "$seconds"
else
  fail "asan build"
fi
finish

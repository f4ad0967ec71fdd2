#!/usr/bin/env bash
# tools/reliability/rtsan.sh: the RealtimeSanitizer host over the plug-in
# library as the default build ships it, and its proof on a plug-in that
# allocates in its audio routine.
cd "$(dirname "$0")/../.."
. tools/reliability/common.sh

if ! have_clang; then
  skip "real-time calls" "clang-22 is not installed"
  skip "planted allocation caught" "clang-22 is not installed"
  finish
  exit
fi
if ! build_targets rtsan -- rtsan_host allocating_plugin Molvex; then
  fail "rtsan build"
  finish
  exit
fi
library=build/Molvex.so
[ -f "$library" ] || library=build-rtsan/Molvex.so
check "real-time calls of $library" ./build-rtsan/rtsan_host "$library" 6
planted=$(./build-rtsan/rtsan_host build-rtsan/allocating_plugin.so 0.2 2>&1)
if grep -q "RealtimeSanitizer: unsafe-library-call" <<<"$planted"; then
  pass "planted allocation caught"
else
  echo "$planted"
  fail "planted allocation caught"
fi
finish

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
# The LV2 DSP library's audio-class calls, where this machine builds the bundle.
# The whole bundle: the host finds the DSP through its description.
if build_targets rtsan -- lv2_rtsan_host molvex_lv2 2>/dev/null; then
  check "real-time calls of the LV2 DSP" ./build-rtsan/lv2_rtsan_host build-rtsan/Molvex.lv2/molvex_dsp.so 6
else
  skip "real-time calls of the LV2 DSP" "the LV2 bundle is not built (lv2-dev)"
fi
# Molvex.clap's audio-thread calls, where this machine has the CLAP headers.
if build_targets rtsan -- clap_rtsan_host molvex_clap 2>/dev/null; then
  check "real-time calls of Molvex.clap" ./build-rtsan/clap_rtsan_host build-rtsan/Molvex.clap 6
else
  skip "real-time calls of Molvex.clap" "Molvex.clap is not built (dpf-source)"
fi
planted=$(./build-rtsan/rtsan_host build-rtsan/allocating_plugin.so 0.2 2>&1)
if grep -q "RealtimeSanitizer: unsafe-library-call" <<<"$planted"; then
  pass "planted allocation caught"
else
  echo "$planted"
  fail "planted allocation caught"
fi
finish

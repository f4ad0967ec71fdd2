#!/usr/bin/env bash
# tools/reliability/tsan.sh: plughost validate at strictness 10 with host and
# plug-in built with ThreadSanitizer (its own tree, build-tsan-tools, as the
# tsan preset leaves the tools out), and the soak in the tsan tree: the
# editor opened, idled and closed while parameters and MIDI arrive from the
# audio thread.
cd "$(dirname "$0")/../.."
. tools/reliability/common.sh

tree=build-tsan-tools
if cmake --preset tsan -B "$tree" -DMOLVEX_TOOLS=ON -DMOLVEX_TESTS=OFF >/dev/null &&
  cmake --build "$tree" -j 2 --target plughost Molvex; then
  # On a private X server when there is one, so the editor checks run too.
  display=()
  if command -v xvfb-run >/dev/null 2>&1; then
    display=(timeout 900 xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp -noreset")
  fi
  check "validate --strictness 10 without a race" \
    "${display[@]}" env TSAN_OPTIONS=halt_on_error=1:exitcode=66 \
    "$tree/plughost" validate "$tree/Molvex.so" --strictness 10
else
  fail "tsan tools build"
fi
if build_targets tsan -- soak; then
  check "soak of 10 s without a race" env TSAN_OPTIONS=halt_on_error=1:exitcode=66 build-tsan/soak 10
else
  fail "tsan soak build"
fi
finish

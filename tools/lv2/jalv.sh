#!/usr/bin/env bash
# The bundle in jalv on a dummy JACK server: controls set from the command
# line and the console, factory presets listed (jalv loads them then) and
# applied, and jalv.gtk3
# on a virtual X server embedding the panel (420 x 64) in its window.
#   tools/lv2/jalv.sh
set -uo pipefail
source "$(dirname "$0")/common.sh"
export JACK_DEFAULT_SERVER=molvex-check-$$
jackd -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 512 >/dev/null 2>&1 &
jack=$!
trap 'kill $jack 2>/dev/null; wait $jack 2>/dev/null' EXIT
sleep 2

out=$( (sleep 1; echo "set 6 120"; sleep 1; echo presets; sleep 1; echo "preset urn:molvex:filter-delay#preset-dark-dub-echo"
        sleep 1; echo "controls"; sleep 1; echo "quit") |
      timeout 20 jalv -p -c feedback=40 "$uri" 2>&1 | quiet)
grep -q "^feedback = 40" <<<"$out" && grep -q "delay = 120" <<<"$out" &&
  pass "jalv runs Molvex and sets its controls" || { echo "$out"; fail "jalv controls"; }
grep -q "delay = 375" <<<"$out" && grep -q "cutoff = 900" <<<"$out" &&
  pass "jalv applies the factory preset Dark dub echo" || { echo "$out"; fail "jalv preset"; }

tree=$(timeout 30 xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  jalv.gtk3 -s "$0" >/dev/null 2>&1 & gui=$!
  sleep 5; xwininfo -root -tree; kill $gui' "$uri" 2>&1)
if grep -q '"Molvex"' <<<"$tree" && grep -q '"Window": ()  420x64' <<<"$tree"; then
  pass "jalv.gtk3 shows the panel in its window"
else
  echo "$tree"
  fail "jalv.gtk3 panel"
fi
finish

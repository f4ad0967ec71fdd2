#!/usr/bin/env bash
# The bundle in Debian's LV2 tools: lv2_validate (sord_validate against the
# installed LV2 specifications), lv2ls, lv2info, and lv2apply rendering a
# file that must equal plughost's render of the VST 2 library with the same
# settings.
#   tools/lv2/check_bundle.sh          (BUILD=dir for another build folder)
set -uo pipefail
source "$(dirname "$0")/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if out=$(lv2_validate "$bundle"/*.ttl 2>&1) && grep -q "Found 0 errors" <<<"$out"; then
  pass "lv2_validate: $(grep Found <<<"$out")"
else
  echo "$out" | tail -20
  fail "lv2_validate"
fi
lv2ls 2>&1 | quiet | grep -qx "$uri" && pass "lv2ls lists $uri" || fail "lv2ls"
info=$(lv2info "$uri" 2>&1 | quiet)
for want in "Name: *Molvex" "Presets:" "Slapback" "X11UI" "Symbol: *cutoff_out" "Symbol: *midi_in"; do
  grep -q "$want" <<<"$info" || { fail "lv2info lacks $want"; continue; }
done
grep -q "Symbol: *midi_in" <<<"$info" && pass "lv2info describes the ports, presets and panel"

python3 tools/lv2/wav.py noise "$work/in.wav" 2 48000
lv2apply -i "$work/in.wav" -o "$work/lv2.wav" -c delay 250 -c feedback 50 -c dry_level 0 \
  -c wet_level -3 -c cutoff 3020 -c filter_type 2 -c resonance 30 -c pan -25 "$uri" 2>&1 | quiet
# The same settings as parameter values: 250 ms, 50 %, 0 dB, -3 dB
# (10^(-3/20)), 3020 Hz ((3000/12000)^0.5), band-pass, 30 %, pan -25 (0.25).
"$build/plughost" render "$build/Molvex.so" "$work/in.wav" "$work/vst2.wav" --set 1=0.25 \
  --set 2=0.5 --set 7=1 --set 8=0.707945784 --set 4=0.5 --set 3=1 --set 5=0.3 --set 6=0.25 >/dev/null
if python3 tools/lv2/wav.py compare "$work/lv2.wav" "$work/vst2.wav" 1e-6; then
  pass "lv2apply renders the VST 2 library's samples"
else
  fail "lv2apply render differs from the VST 2 library's"
fi
finish

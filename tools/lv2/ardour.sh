#!/usr/bin/env bash
# The bundle in Ardour 7, headless: ardour7-lua makes a session in which a
# sine runs through Molvex (a 250 ms wet-only band-pass echo), ardour7-export renders
# it; the session is loaded again (values and plug-in state restored),
# saved, and rendered again, which must give the same samples.
#   tools/lv2/ardour.sh
set -uo pipefail
source "$(dirname "$0")/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
session=$work/molvex
lua() { timeout 120 ardour7-lua "$@" 2>&1 | quiet | grep -v 'MIDI buffer\|midi-audition\|Butler'; }

lua tools/lv2/ardour_create.lua "$session"
[ -f "$session/molvex.ardour" ] && grep -q 'unique-id="urn:molvex:filter-delay"' "$session/molvex.ardour" &&
  pass "ardour7-lua loads Molvex.lv2 into a session" || fail "session with Molvex"
# No region gives the session a length; export renders the session range.
python3 - "$session/molvex.ardour" <<'PY'
import sys
p = sys.argv[1]
s = open(p).read().replace("<Locations/>", '<Locations><Location id="9999" name="session" start="a0" '
    'end="a564480000" flags="IsSessionRange" locked="0" timestamp="1" cue="0"/></Locations>')
open(p, "w").write(s)
PY
export_session() { timeout 120 ardour7-export -b float -o "$1" "$session" molvex 2>&1 | quiet | grep -q "Done"; }
export_session "$work/first.wav" && pass "ardour7-export renders the session" || fail "first export"
# SinGen plays 1 kHz at -18 dBFS (peak 0.126); Molvex passes only its echoes,
# band-passed at 3 kHz and 3 dB down, so less comes out. (Ardour runs
# plug-ins while stopped, so the line is full before the export starts.)
peak=$(python3 tools/lv2/wav.py peak "$work/first.wav")
python3 -c "import sys; sys.exit(0 if 0.001 < $peak < 0.1 else 1)" &&
  pass "the render is Molvex's filtered echo of the sine (peak $peak)" || fail "render peak $peak"

restored=$(lua tools/lv2/ardour_reload.lua "$session")
echo "$restored"
grep -q "restored: 0 250 60 2 3020 30 0 -70 -3" <<<"$restored" &&
  pass "Ardour restores Molvex's controls from the saved session" || fail "controls after reload"
grep -rq "urn:molvex:filter-delay#programs" "$session/plugins" &&
  pass "the session keeps Molvex's programs (LV2 state)" || fail "no programs in the session's plug-in state"
export_session "$work/second.wav" && python3 tools/lv2/wav.py compare "$work/first.wav" "$work/second.wav" 1e-6 &&
  pass "the reloaded session renders the same samples" || fail "render after reload"
finish

#!/usr/bin/env bash
# The panel's zoom in Ardour 7's own window on a virtual X server, by a real
# pointer: a session made by ardour7-lua (tools/lv2/ardour_create.lua) is
# opened on a dummy JACK server, the Molvex processor's window is opened
# from the mixer strip, and the panel is zoomed to 200 % and back to 100 %;
# after each step the sizes of Ardour's window and the panel are printed.
# The clicks are places on a 1280 x 800 screen, as Ardour 7.3 lays out its
# dialogs there without a window manager; another version may need others.
#   tools/lv2/ardour_zoom.sh
set -uo pipefail
source "$(dirname "$0")/common.sh"
hand() { python3 tools/lv2/xhand.py "$@"; }
work=$(mktemp -d)
display=:$((50 + $$ % 40))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display HOME=$work/home
# The marker of an earlier run: no first-run wizard.
mkdir -p "$HOME/.config/ardour7" && touch "$HOME/.config/ardour7/.a7"
# A long client timeout: on a busy machine the server would drop Ardour.
jackd -t 10000 -d dummy -r 48000 -p 1024 >/dev/null 2>&1 &
jack=$!
trap 'kill $gui $jack $xvfb 2>/dev/null; wait 2>/dev/null; cp "$work/log" "${SHOTS:-/tmp}/ardour-zoom.log"; rm -rf "$work"' EXIT
timeout 120 ardour7-lua tools/lv2/ardour_create.lua "$work/session" >/dev/null 2>&1
ardour "$work/session/molvex.ardour" >"$work/log" 2>&1 &
gui=$!
sleep 30
hand click 811 440   # "Engine I/O device has changed": OK
sleep 5
hand click 648 258   # Audio System: the list
sleep 2
hand click 600 281   # JACK
sleep 2
hand click 937 560   # Connect to JACK
sleep 20
hand click 834 589   # the locked-memory warning: not again, OK
hand click 1093 631
sleep 3
hand click 299 12    # Window > Mixer > Show Mixer
sleep 1
hand click 313 77
sleep 1
hand click 575 77
sleep 3
for _ in 1 2 3 4 5; do hand click 375 240 5; done  # the strip's processors, scrolled down
sleep 1
hand double 320 237  # Molvex: its window
sleep 6
# A busy machine's JACK may have dropped Ardour meanwhile: Ardour then says
# so instead of opening the window; connect again and retry.
if ! xwininfo -root -tree | grep -q '"Window"'; then
  hand click 300 96    # Configure Hardware
  sleep 3
  hand click 937 560   # Connect to JACK
  sleep 10
  hand double 320 237
  sleep 6
fi

sizes() {
  local tree host panel
  tree=$(xwininfo -root -tree)
  host=$(grep -m1 'Molvex (by Molvex)' <<<"$tree" | sed -E 's/.*\)  ([0-9]+x[0-9]+)[+-].*/\1/')
  panel=$(grep -m1 '"Window"' <<<"$tree" | sed -E 's/.*\(\)  ([0-9]+x[0-9]+[+-]+[0-9]+[+-]+[0-9]+).*/\1/')
  echo "$1: Ardour's window $host, the panel $panel"
}
sizes "opened"
grep -q '"Window": ()  420x64' <<<"$(xwininfo -root -tree)" && pass "Ardour shows the panel" ||
  { hand shot 0 0 1280 800 "${SHOTS:-/tmp}/ardour-stuck.png"; fail "no panel in Ardour"; finish; exit 1; }
read -r x y <<<"$(xwininfo -root -tree | grep -m1 '"Window"' | grep -oE '\+[0-9]+\+[0-9]+$' | tr '+' ' ')"
hand click $((x + 3)) $((y + 3)) 3
sleep 1
hand click $((x + 33)) $((y + 54))   # 200 %
sleep 3
sizes "after 200 %"
grep -q '"Window": ()  840x128' <<<"$(xwininfo -root -tree)" && pass "the panel grows to 840 x 128" ||
  fail "zoom in"
# Design (120, 45) lies between FB and TYPE, on the part of the larger panel
# that Ardour's window still shows.
read -r x y <<<"$(xwininfo -root -tree | grep -m1 '"Window"' | grep -oE '\+-?[0-9]+\+-?[0-9]+$' |
  sed -E 's/\+/ /g')"
hand click $((x + 240)) $((y + 90)) 3
sleep 1
hand click $((x + 300)) $((y + 112))   # 100 %
sleep 3
sizes "after 100 %"
grep -q '"Window": ()  420x64' <<<"$(xwininfo -root -tree)" && pass "the panel is back at 420 x 64" ||
  fail "zoom out"
finish

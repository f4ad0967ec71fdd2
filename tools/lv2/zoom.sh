#!/usr/bin/env bash
# The panel's zoom in jalv.gtk3 on a virtual X server, by a real pointer:
# right-click the panel, choose 200 %, then 100 %, and read what the host's
# window and the panel's size hints say after each step. Pictures of the
# menu at 200 % and of the window back at 100 % go to $SHOTS (default docs).
#   tools/lv2/zoom.sh
set -uo pipefail
source "$(dirname "$0")/common.sh"
shots=${SHOTS:-docs}
hand() { python3 tools/lv2/xhand.py "$@"; }

display=:$((50 + $$ % 40))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
export JACK_DEFAULT_SERVER=molvex-zoom-$$
jackd -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 512 >/dev/null 2>&1 &
jack=$!
log=$(mktemp)
trap 'kill $gui $jack $xvfb 2>/dev/null; wait 2>/dev/null; rm -f "$log"' EXIT
sleep 2
MOLVEX_UI_SCALE=1 jalv.gtk3 "$uri" >"$log" 2>&1 &
gui=$!
sleep 6

# "NAME": (...)  WxH+x+y  +absX+absY  ->  "W H absX absY" of the first match.
geometry() {
  xwininfo -root -tree | grep -m1 "\"$1\"" |
    sed -E 's/.* ([0-9]+)x([0-9]+)[+-][0-9]+[+-][0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2 \3 \4/'
}
panelId() { xwininfo -root -tree | grep -m1 '"Window"' | awk '{print $1}'; }
report() {
  read -r pw ph px py <<<"$(geometry Window)"
  read -r hw hh _ _ <<<"$(geometry Molvex)"
  hints=$(xprop -id "$(panelId)" WM_NORMAL_HINTS | grep -E 'minimum|maximum|base' | tr -s ' \n' ' ')
  echo "$1: panel ${pw}x${ph}, jalv's window ${hw}x${hh}; hints:${hints}"
}

report "opened"
[ "${pw:-0}" = 420 ] || { cat "$log"; fail "jalv.gtk3 shows no panel"; finish; exit 1; }
first_host="${hw}x${hh}"
# The background menu: rows of 20 design pixels from 1 (100 %, 150 %, 200 %).
hand click $((px + 3)) $((py + 3)) 3
sleep 1
hand click $((px + 3 + 30)) $((py + 3 + 51))
sleep 2
report "after 200 %"
[ "$pw" = 840 ] && [ "$ph" = 128 ] && pass "the panel grows to 840 x 128" || fail "zoom in: panel ${pw}x${ph}"
zoomed_host="${hw}x${hh}"
[ "$zoomed_host" != "$first_host" ] && pass "jalv's window grows with it ($zoomed_host)" ||
  fail "jalv's window stays $zoomed_host"

# The menu again, now drawn at 200 %: design (3, 3) is device (6, 6).
hand click $((px + 6)) $((py + 6)) 3
sleep 1
hand shot "$px" "$py" 860 260 "$shots/zoom-menu-200.png"
hand click $((px + 6 + 60)) $((py + 6 + 22))
sleep 2
report "after 100 %"
[ "$pw" = 420 ] && [ "$ph" = 64 ] && pass "the panel is back at 420 x 64" || fail "zoom out: panel ${pw}x${ph}"
grep -q "420 by 64" <<<"$hints" && pass "its size hints say 420 x 64" || fail "hints after zoom out:$hints"
[ "${hw}x${hh}" = "$first_host" ] && pass "jalv's window shrinks back to $first_host" ||
  fail "jalv's window is ${hw}x${hh}, was $first_host"
read -r _ _ hx hy <<<"$(geometry Molvex)"
hand shot "$hx" "$hy" "$hw" "$hh" "$shots/host-after-zoom-out.png"
if grep -q "natural size must be" "$log"; then
  grep "natural size" "$log"
  fail "GTK complains of the sizes the panel announced"
else
  pass "GTK accepts every size the panel announced"
fi
finish

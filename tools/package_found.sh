#!/usr/bin/env bash
# Whether hosts find the formats the release package installed into ROOT,
# looking at the installed files from outside the root:
#   Ardour's VST 2 scanner indexes /usr/lib/vst/Molvex.so with its editor and
#   its MIDI input; plughost opens the LV2 bundle and the CLAP plug-in.
#   tools/package_found.sh ROOT     (BUILD picks the build folder with plughost)
set -uo pipefail
cd "$(dirname "$0")/.."
root=${1:?usage: tools/package_found.sh ROOT}
plughost=${BUILD:-build}/plughost
fail() { echo "package found: $*" >&2; exit 1; }

scanner=$(ls /usr/lib/ardour*/ardour-vst-scanner 2>/dev/null | head -n1)
[ -n "$scanner" ] || fail "Ardour's VST 2 scanner is not installed (the lv2 group has ardour)"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME=$home LD_LIBRARY_PATH=$(dirname "$scanner") "$scanner" -q -f "$root/usr/lib/vst/Molvex.so" ||
  fail "Ardour's VST 2 scanner failed on the installed Molvex.so"
index=$(cat "$home"/.cache/ardour*/vst/*.v2i 2>/dev/null)
for want in 'name="Molvex"' 'has_editor="1"' 'n_midi_inputs="1"'; do
  grep -q "$want" <<<"$index" || fail "Ardour's VST 2 scanner did not find $want in the installed Molvex.so"
done
echo "== Ardour's VST 2 scanner: Molvex, with its editor and one MIDI input"

[ -x "$plughost" ] || fail "$plughost is missing; build the default preset first"
for plugin in "$root/usr/lib/lv2/Molvex.lv2" "$root/usr/lib/clap/Molvex.clap"; do
  name=$("$plughost" info "$plugin" 2>&1 | grep -m1 -i 'name') || fail "plughost cannot open the installed ${plugin#"$root"}"
  echo "== plughost info ${plugin#"$root"}: $name"
done

#!/usr/bin/env bash
# tools/install.sh under a temporary HOME with a stand-in build: the
# per-user folder by default, a folder of one's own, what it says of hosts,
# and refusals that leave nothing behind.
#   install_test.sh SOURCE-DIR
set -uo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/build"
printf 'plug-in bytes' >"$work/build/Molvex.so"
failures=0
problem() { echo "FAIL: $*"; failures=$((failures + 1)); }
install() { out=$(HOME=$work/home BUILD=$work/build "$source_dir/tools/install.sh" "$@" 2>&1); status=$?; }

install
[ $status -eq 0 ] || problem "default install failed: $out"
cmp -s "$work/build/Molvex.so" "$work/home/.vst/Molvex.so" || problem "not copied into ~/.vst"
grep -q "^installed $work/home/.vst/Molvex.so$" <<<"$out" || problem "does not say where: $out"
grep -q "Ardour does not" <<<"$out" || problem "does not warn that Ardour skips ~/.vst: $out"
ls -A "$work/home/.vst" | grep -qv '^Molvex.so$' && problem "left more than the plug-in in ~/.vst"

printf 'newer bytes' >"$work/build/Molvex.so"
install "$work/plugins/vst"
[ $status -eq 0 ] || problem "install into a folder failed: $out"
cmp -s "$work/build/Molvex.so" "$work/plugins/vst/Molvex.so" || problem "not copied into the folder"
grep -q "VST_PATH" <<<"$out" || problem "does not say how hosts find the folder: $out"

install --system "$work/x"
[ $status -eq 2 ] || problem "--system with a folder accepted"
install --everywhere
[ $status -eq 2 ] || problem "unknown option accepted"
mkdir -p "$work/readonly" && chmod 555 "$work/readonly"
if [ "$(id -u)" -ne 0 ]; then
  install "$work/readonly"
  [ $status -eq 1 ] || problem "an unwritable folder did not fail"
  [ -z "$(ls -A "$work/readonly")" ] || problem "left a partial file in an unwritable folder"
fi
rm "$work/build/Molvex.so"
install "$work/y"
[ $status -eq 1 ] && grep -q "is missing" <<<"$out" || problem "a missing build was not named: $out"

# The LV2 bundle: into ~/.lv2 whole, replacing an older one, no partial
# copy left behind; a build without it still installs the VST 2 library.
mkdir -p "$work/build/Molvex.lv2" "$work/home/.lv2/Molvex.lv2"
printf 'manifest' >"$work/build/Molvex.lv2/manifest.ttl"
printf 'dsp' >"$work/build/Molvex.lv2/molvex_dsp.so"
printf 'stale' >"$work/home/.lv2/Molvex.lv2/gone.ttl"
printf 'plug-in bytes' >"$work/build/Molvex.so"
install
[ $status -eq 0 ] || problem "install with the LV2 bundle failed: $out"
diff -r "$work/build/Molvex.lv2" "$work/home/.lv2/Molvex.lv2" >/dev/null || problem "bundle not copied whole into ~/.lv2"
[ "$(ls -A "$work/home/.lv2")" = Molvex.lv2 ] || problem "left more than the bundle in ~/.lv2: $(ls -A "$work/home/.lv2")"
grep -q "^installed $work/home/.lv2/Molvex.lv2$" <<<"$out" || problem "does not say where the bundle went: $out"
install "$work/lv2dir"
[ -f "$work/lv2dir/Molvex.lv2/molvex_dsp.so" ] || problem "bundle not copied into the folder"
rm -rf "$work/build/Molvex.lv2"
install
[ $status -eq 0 ] && grep -q "no LV2 bundle" <<<"$out" || problem "a build without the bundle: $out"

# Molvex.clap: into ~/.clap, replacing an older one, no partial copy left;
# into the folder given; a build without it still installs the rest.
printf 'clap bytes' >"$work/build/Molvex.clap"
mkdir -p "$work/home/.clap" && printf 'old' >"$work/home/.clap/Molvex.clap"
install
[ $status -eq 0 ] || problem "install with the CLAP plug-in failed: $out"
cmp -s "$work/build/Molvex.clap" "$work/home/.clap/Molvex.clap" || problem "Molvex.clap not copied into ~/.clap"
[ "$(ls -A "$work/home/.clap")" = Molvex.clap ] || problem "left more than Molvex.clap in ~/.clap"
grep -q "^installed $work/home/.clap/Molvex.clap$" <<<"$out" || problem "does not say where Molvex.clap went: $out"
install "$work/clapdir"
[ -f "$work/clapdir/Molvex.clap" ] || problem "Molvex.clap not copied into the folder"
rm "$work/build/Molvex.clap"
install
[ $status -eq 0 ] && grep -q "no Molvex.clap" <<<"$out" || problem "a build without Molvex.clap: $out"

[ $failures -eq 0 ] || exit 1
echo "install: all cases pass"

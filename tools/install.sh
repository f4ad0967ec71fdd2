#!/usr/bin/env bash
# Copies the built Linux plug-in where hosts look for it (README, "Installing
# the plug-in", has the table of which host scans which folder).
#   tools/install.sh [--system] [DIR]
#     (nothing)  ~/.vst, the per-user folder Audacity, Qtractor, REAPER and
#                Bitwig Studio scan by default (Ardour scans no per-user folder)
#     --system   /usr/local/lib/vst, which Ardour, Audacity, Qtractor and
#                REAPER scan by default
#     DIR        any folder; hosts find it there once it is on their path
# The LV2 bundle goes to ~/.lv2 (--system: /usr/local/lib/lv2; DIR: DIR),
# Molvex.clap to ~/.clap (--system: /usr/lib/clap; DIR: DIR).
# BUILD=dir picks another build folder. ./run install builds first.
set -euo pipefail
cd "$(dirname "$0")/.."

plugin=${BUILD:-build}/Molvex.so
target='' system=0
for word in "$@"; do
  case $word in
    --system) system=1 ;;
    -*) echo "install: unknown option $word (usage: ./run install [--system] [DIR])" >&2; exit 2 ;;
    *)
      [ -z "$target" ] || { echo "install: one folder only (usage: ./run install [--system] [DIR])" >&2; exit 2; }
      target=$word
      ;;
  esac
done
if [ $system = 1 ] && [ -n "$target" ]; then
  echo "install: --system and a folder exclude each other" >&2
  exit 2
fi
[ -f "$plugin" ] || { echo "install: $plugin is missing; build first (./run install builds it)" >&2; exit 1; }

if [ $system = 1 ]; then
  target=/usr/local/lib/vst
  hosts="Ardour, Audacity, Qtractor and REAPER scan it by default"
elif [ -z "$target" ]; then
  target=$HOME/.vst
  hosts="Audacity, Qtractor, REAPER and Bitwig Studio scan it by default; Ardour does not: use --system, or add it in Ardour's Preferences > Plugins (or LXVST_PATH)"
else
  hosts="hosts find it there once it is on their search path (their preferences, or VST_PATH / LXVST_PATH)"
fi

mkdir -p "$target" || { echo "install: cannot create $target" >&2; exit 1; }
# Copy beside, then rename: a host scanning right now never loads half a file.
cp "$plugin" "$target/.Molvex.so.partial" 2>/dev/null &&
  mv -f "$target/.Molvex.so.partial" "$target/Molvex.so" ||
  {
    rm -f "$target/.Molvex.so.partial"
    [ $system = 1 ] && hint=" (--system needs root)" || hint=''
    echo "install: cannot write into $target$hint" >&2
    exit 1
  }
echo "installed $target/Molvex.so"
echo "  $hosts; rescan your host's plug-ins"

# The CLAP plug-in, where the build made one: ~/.clap, /usr/lib/clap, or
# beside the VST 2 library in DIR; copied beside and renamed, as above.
clap=${BUILD:-build}/Molvex.clap
if [ -f "$clap" ]; then
  if [ $system = 1 ]; then
    clapdir=/usr/lib/clap
  elif [ "$target" = "$HOME/.vst" ]; then
    clapdir=$HOME/.clap
  else
    clapdir=$target
  fi
  if mkdir -p "$clapdir" 2>/dev/null && cp "$clap" "$clapdir/.Molvex.clap.partial" 2>/dev/null &&
    mv -f "$clapdir/.Molvex.clap.partial" "$clapdir/Molvex.clap"; then
    echo "installed $clapdir/Molvex.clap"
    echo "  CLAP hosts (Bitwig Studio, REAPER, Qtractor) scan ~/.clap and /usr/lib/clap, or CLAP_PATH"
  else
    rm -f "$clapdir/.Molvex.clap.partial" 2>/dev/null
    echo "install: cannot write Molvex.clap into $clapdir" >&2
    exit 1
  fi
else
  echo "install: no Molvex.clap in ${BUILD:-build} (dpf-source was not installed when it was built)"
fi

# The LV2 bundle, where the build made one: ~/.lv2, /usr/local/lib/lv2, or
# beside the VST 2 library in DIR. Copied into a hidden sibling and renamed,
# so a host scanning now sees the old bundle or the new one, never half.
bundle=${BUILD:-build}/Molvex.lv2
if [ ! -f "$bundle/manifest.ttl" ]; then
  echo "install: no LV2 bundle in ${BUILD:-build} (lv2-dev was not installed when it was built)"
  exit 0
fi
if [ $system = 1 ]; then
  lv2=/usr/local/lib/lv2
elif [ "$target" = "$HOME/.vst" ]; then
  lv2=$HOME/.lv2
else
  lv2=$target
fi
partial=$lv2/.Molvex.lv2.partial old=$lv2/.Molvex.lv2.old
rm -rf "$partial" "$old" 2>/dev/null
if ! { mkdir -p "$lv2" && cp -R "$bundle" "$partial"; } 2>/dev/null; then
  rm -rf "$partial" 2>/dev/null
  echo "install: cannot write the LV2 bundle into $lv2" >&2
  exit 1
fi
[ ! -e "$lv2/Molvex.lv2" ] || mv "$lv2/Molvex.lv2" "$old"
mv "$partial" "$lv2/Molvex.lv2"
rm -rf "$old"
echo "installed $lv2/Molvex.lv2"
echo "  LV2 hosts (Ardour, Carla, jalv, Qtractor) scan ~/.lv2, /usr/local/lib/lv2 and /usr/lib/lv2, or LV2_PATH"

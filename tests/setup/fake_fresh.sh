#!/usr/bin/env bash
# Stands in, by the name it is called with, for what the fresh-machine step
# calls on the real machine:
#   mmdebstrap  writes a folder unless the target's name ends in a tar suffix
#               or --format names another format, as the real one does; the
#               root holds etc/molvex-fake-root and usr/bin/apt-get
#   unshare     runs nothing inside; checks the root was unpacked and writes
#               what the demo and the install leave, then exits FAKE_INSIDE
#   id          answers 0
#   FAKE_STATE  folder of the fake machine: calls
set -uo pipefail
echo "$(basename "$0") $*" >>"$FAKE_STATE/calls"

case $(basename "$0") in
  id) echo 0 ;;
  mmdebstrap)
    format='' words=()
    for word in "$@"; do
      case $word in
        --format=*) format=${word#--format=} ;;
        -*) ;;
        *) words+=("$word") ;;
      esac
    done
    target=${words[1]}
    if [ -z "$format" ]; then
      case $target in
        *.tar | *.tar.gz | *.tgz | *.tar.xz | *.txz | *.tar.zst | *.tzst) format=tar ;;
        *) format=directory ;;
      esac
    fi
    tree=$(mktemp -d)
    mkdir -p "$tree/etc" "$tree/usr/bin" && echo fake >"$tree/etc/molvex-fake-root"
    echo fake >"$tree/usr/bin/apt-get"
    if [ "$format" = directory ]; then
      mv "$tree" "$target"
    else
      # apt last, so a tarball cut short loses it.
      tar -cf "$target" -C "$tree" --no-recursion ./etc ./etc/molvex-fake-root ./usr ./usr/bin \
        ./usr/bin/apt-get && rm -rf "$tree"
    fi
    ;;
  unshare)
    # ... bash -c 'inner "$@"' inner ROOT ARCHIVES COMMAND
    root=${@: -3:1}
    [ -f "$root/etc/molvex-fake-root" ] || { echo "fake unshare: the root was not unpacked" >&2; exit 3; }
    mkdir -p "$root/root/molvex/out" "$root/root/.vst" "$root/root/.lv2/Molvex.lv2" "$root/root/.clap"
    for f in demo-input long-dark-echo resonant-slap automated-sweep; do
      echo x >"$root/root/molvex/out/$f.wav"
      echo x >"$root/root/molvex/out/$f.png"
    done
    echo x >"$root/root/molvex/out/editor.png"
    echo x >"$root/root/.vst/Molvex.so"
    echo x >"$root/root/.lv2/Molvex.lv2/manifest.ttl"
    echo x >"$root/root/.clap/Molvex.clap"
    exit "${FAKE_INSIDE:-0}"
    ;;
esac

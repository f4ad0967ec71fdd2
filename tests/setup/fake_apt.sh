#!/usr/bin/env bash
# Stands in for apt-get, dpkg and id (by the name it is called with), so the
# set-up script can be run against a mirror that misbehaves on order:
#   FAKE_STATE       folder of the fake machine: installed/PKG, foreign-arch, calls
#   FAKE_UPDATE      "fail": apt-get update fails as on a mirror mid-sync
#   FAKE_BROKEN      packages whose install fails with held broken packages
#   FAKE_ROOT        "no": id -u answers 1000
set -uo pipefail
state=$FAKE_STATE
echo "$(basename "$0") $*" >>"$state/calls"

case $(basename "$0") in
  id) [ "${FAKE_ROOT:-yes}" = no ] && echo 1000 || echo 0 ;;
  dpkg)
    case $1 in
      -s) [ -e "$state/installed/$2" ] ;;
      --print-foreign-architectures) cat "$state/foreign-arch" 2>/dev/null; true ;;
      --add-architecture) echo "$2" >>"$state/foreign-arch" ;;
      *) exit 2 ;;
    esac
    ;;
  apt-get)
    if [ "$1" = update ]; then
      [ "${FAKE_UPDATE:-ok}" = fail ] || exit 0
      echo "E: Failed to fetch http://security.debian.org/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (123 != 456). Mirror sync in progress? [IP: 1.2.3.4 80]" >&2
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
      exit 100
    fi
    shift
    packages=()
    for word in "$@"; do [[ $word == -* ]] || packages+=("$word"); done
    # Like apt, all or nothing: one broken package fails the whole command.
    for p in "${packages[@]}"; do
      if [[ " ${FAKE_BROKEN:-} " == *" $p "* ]]; then
        echo "The following packages have unmet dependencies:"
        echo " $p : Depends: lib-$p (= 1.0-1) but it is not going to be installed"
        echo "E: Unable to correct problems, you have held broken packages." >&2
        exit 100
      fi
    done
    for p in "${packages[@]}"; do touch "$state/installed/$p"; done
    ;;
esac

#!/usr/bin/env bash
# Runs inside a fresh Debian root (tools/fresh_machine.sh --package) as a
# user of the package would, in two calls:
#   package_in_root.sh install DEB   apt-get install ./DEB; fails if it brings in any
#                                    package its libraries' dependencies would not,
#                                    or lv2ls does not list Molvex
#   package_in_root.sh remove        apt-get remove molvex; fails if any of its files stay
# Keeps what it learnt between the calls in /root/package-check.
set -uo pipefail
work=/root/package-check
fail() { echo "package in a fresh root: $*" >&2; exit 1; }
packages() { dpkg-query -W -f '${Package}\n' | sort; }
quiet() { "$@" >"$work/apt.log" 2>&1 || { tail -n 5 "$work/apt.log" >&2; return 1; }; }

install_package() {
  local deb=$1 depends
  mkdir -p "$work"
  quiet apt-get update || echo "== apt-get update failed; using the lists there are"
  # What the libraries' dependencies alone would bring in, to hold the
  # package's own install against.
  depends=$(dpkg-deb -f "$deb" Depends | sed 's/([^)]*)//g; s/,/ /g')
  # shellcheck disable=SC2086
  apt-get -s install $depends 2>/dev/null | sed -n 's/^Inst \([^ ]*\) .*/\1/p' | sort >"$work/needed"
  packages >"$work/before"
  quiet apt-get install -y "$deb" || fail "apt-get install $deb failed"
  packages >"$work/after"
  comm -13 "$work/before" "$work/after" | grep -vx molvex >"$work/brought"
  local extra
  extra=$(comm -23 "$work/brought" "$work/needed" | tr '\n' ' ')
  [ -z "$extra" ] || fail "installing the package also brought in $extra"
  echo "== apt-get install ./$(basename "$deb"): molvex and $(wc -l <"$work/brought") packages its libraries need"
  dpkg -L molvex | sort >"$work/files"
  # lilv-utils only after the package's own install was measured.
  quiet apt-get install -y --no-install-recommends lilv-utils || fail "cannot install lilv-utils for lv2ls"
  lv2ls | grep -i molvex >"$work/lv2ls" || fail "lv2ls does not list Molvex"
  echo "== lv2ls lists $(cat "$work/lv2ls")"
}

remove_package() {
  quiet apt-get remove -y molvex || fail "apt-get remove molvex failed"
  local path left=()
  while read -r path; do
    # Folders other packages share (/usr/lib/lv2) may stay; the package's
    # files and its own folders go.
    [ -d "$path" ] && [[ ${path,,} != *molvex* ]] && continue
    [ ! -e "$path" ] || left+=("$path")
  done <"$work/files"
  [ ${#left[@]} -eq 0 ] || fail "apt-get remove left ${left[*]}"
  echo "== apt-get remove molvex left none of its $(wc -l <"$work/files") paths"
}

case "${1:-}" in
  install) install_package "${2:?install needs the package}" ;;
  remove) remove_package ;;
  *) echo "usage: package_in_root.sh install DEB | remove" >&2; exit 2 ;;
esac

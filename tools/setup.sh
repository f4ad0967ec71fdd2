#!/usr/bin/env bash
# Installs what a Debian machine lacks for Molvex, by the groups of
# tools/packages.txt.
#   tools/setup.sh [GROUP ...]         install the groups' missing packages (default: all)
#   tools/setup.sh --missing GROUP ... print the groups' missing packages, install nothing
#   tools/setup.sh --describe GROUP    print what the group serves
#   tools/setup.sh --blocker GROUP ... print why the groups cannot be used here, in one
#                                      line (a check's answer, or the packages it lacks);
#                                      nothing when they can
# A group may name a check (fourth field of tools/packages.txt) that says
# whether this machine can use it at all, installed or not: wine32 needs a
# kernel that runs 32-bit programs. Its packages are not installed where the
# check fails, and the group counts as unusable however complete it is. With
# MOLVEX_PROBE_CACHE set to a folder, each check runs once and its answer is
# kept there (file GROUP: empty, or the reason) until an install changes it.
# Mirrors go out of sync for hours, so nothing here stops at the first
# failure: a failed `apt-get update` is a warning and the lists that did
# download are used; a package that cannot be installed is named with apt's
# reason and the rest still go in. The exit status is 1 only when "build" or
# "gtest" was asked for and is still incomplete, since nothing can run
# without them; a machine that has everything returns at once, silently.
set -uo pipefail
cd "$(dirname "$0")/.."

list=tools/packages.txt
required_groups=(build gtest)

field() {  # GROUP N: the group's Nth |-separated field, trimmed
  awk -F'|' -v g="$1" -v n="$2" '
    /^[[:space:]]*#/ { next }
    { name = $1; gsub(/[[:space:]]/, "", name) }
    name == g { v = $n; gsub(/^[[:space:]]+|[[:space:]]+$/, "", v); print v; found = 1 }
    END { exit !found }' "$list"
}
all_groups() { awk -F'|' '!/^[[:space:]]*#/ && NF >= 3 { gsub(/[[:space:]]/, "", $1); print $1 }' "$list"; }
packages_of() { field "$1" 3 || { echo "setup: no package group '$1' in $list" >&2; exit 2; }; }
installed() { dpkg -s "$1" >/dev/null 2>&1; }

# GROUP: why this machine cannot use the group, or nothing (and status 0).
refusal() {
  local check cached
  check=$(field "$1" 4 2>/dev/null) || return 0
  [ -n "$check" ] || return 0
  cached=${MOLVEX_PROBE_CACHE:+$MOLVEX_PROBE_CACHE/$1}
  if [ -n "$cached" ] && [ -f "$cached" ]; then
    [ -s "$cached" ] || return 0
    cat "$cached"
    return 1
  fi
  local said status=0
  said=$($check 2>&1) || status=$?
  [ $status -eq 0 ] && said=''
  [ $status -eq 0 ] || [ -n "$said" ] || said="$check answered $status"
  [ -z "$cached" ] || printf '%s' "$said" >"$cached"
  [ -z "$said" ] || { echo "$said"; return 1; }
}
forget_refusals() { [ -z "${MOLVEX_PROBE_CACHE:-}" ] || rm -f "$MOLVEX_PROBE_CACHE"/*; }
blocker_of() {  # GROUP ...: the first reason the groups cannot be used, or nothing
  local g reason lacking
  for g in "$@"; do
    reason=$(refusal "$g") || { echo "$reason"; return; }
  done
  lacking=$(missing_of "$@" | xargs)
  [ -z "$lacking" ] || echo "lacks $lacking"
}
missing_of() {  # GROUP ...: missing packages, one a line, each once
  local g p
  for g in "$@"; do
    for p in $(packages_of "$g"); do installed "$p" || echo "$p"; done
  done | awk '!seen[$0]++'
}

mode=install
case "${1:-}" in
  --missing) mode=missing; shift ;;
  --describe) field "${2:-}" 2 || { echo "setup: no package group '${2:-}' in $list" >&2; exit 2; }; exit 0 ;;
  --blocker) mode=blocker; shift ;;
esac
groups=("$@")
[ ${#groups[@]} -gt 0 ] || mapfile -t groups < <(all_groups)
for g in "${groups[@]}"; do packages_of "$g" >/dev/null; done
if [ $mode = missing ]; then
  missing_of "${groups[@]}" | xargs echo
  exit 0
fi
if [ $mode = blocker ]; then
  blocker_of "${groups[@]}"
  exit 0
fi

# A group this machine cannot use is not installed: its packages would only
# be in the way (Debian's wine wrapper takes wine32's loader when it exists).
usable=()
for g in "${groups[@]}"; do
  if reason=$(refusal "$g"); then
    usable+=("$g")
  elif [ -n "$(missing_of "$g")" ]; then
    echo "setup: not installing $(missing_of "$g" | xargs): $reason" >&2
  fi
done
mapfile -t missing < <(missing_of "${usable[@]}")
[ ${#missing[@]} -eq 0 ] && exit 0

# Exit status: whether the groups nothing can run without are complete.
finish() {
  local g gaps=()
  for g in "${required_groups[@]}"; do
    [[ " ${groups[*]} " == *" $g "* ]] || continue
    [ -z "$(missing_of "$g")" ] || gaps+=("$g ($(missing_of "$g" | xargs))")
  done
  [ ${#gaps[@]} -eq 0 ] && exit 0
  echo "setup: cannot go on without: ${gaps[*]}" >&2
  exit 1
}

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages (${missing[*]}); run as root to install them" >&2
  finish
fi

export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# 32-bit packages need the i386 architecture before the lists are read.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
if ! apt-get update -qq >"$log" 2>&1; then
  reason=$(grep -m1 -E '^(E|W): ' "$log" | sed 's/ *\[IP: [^]]*\]//' | cut -c1-240)
  echo "setup: warning: apt-get update failed (${reason:-no reason given}); going on with the lists that did download" >&2
fi

apt_install() { apt-get install -y -q --no-install-recommends "$@" >"$log" 2>&1 </dev/null; }

# apt's reason in one line: the unmet dependency if it named one, and its
# closing error.
apt_reason() {
  local depends error
  depends=$(grep -m1 'Depends:' "$log" | tr -s ' ' | sed 's/^ //')
  error=$(grep -m1 '^E: ' "$log" | sed 's/^E: //')
  if [ -n "$depends" ] && [ -n "$error" ]; then echo "$depends; $error"; else echo "${depends}${error:-apt-get failed}"; fi
}

# All at once is quickest; when that fails, one by one, so one broken
# package keeps no other out.
if ! apt_install "${missing[@]}"; then
  for p in "${missing[@]}"; do
    installed "$p" && continue
    apt_install "$p" || echo "setup: could not install $p: $(apt_reason)" >&2
  done
fi
forget_refusals
finish

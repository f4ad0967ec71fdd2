#!/usr/bin/env bash
# tools/fresh_machine.sh against a fake mmdebstrap, unshare and id first on
# the PATH: an empty cache, a kept base root, kept base roots that are no
# tarball (a folder, an empty file, tarballs cut short), a demo that fails,
# and no HOME.
#   fresh_machine_test.sh SOURCE-DIR
set -uo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
for tool in mmdebstrap unshare id; do ln -s "$source_dir/tests/setup/fake_fresh.sh" "$work/bin/$tool"; done

failures=0
problem() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }

# CASE-NAME CACHE [VAR=VALUE ...]: one run of the step; leaves $status and $out.
run_fresh() {
  case_name=$1 cache=$2
  shift 2
  mkdir -p "$work/state"
  : >"$work/state/calls"
  out=$(env PATH="$work/bin:$PATH" FAKE_STATE="$work/state" MOLVEX_FRESH_CACHE="$cache" "$@" \
    "$source_dir/tools/fresh_machine.sh" 2>&1)
  status=$?
}
base_of() { ls -d "$1"/*-minbase-*.tar 2>/dev/null; }
expect_passed() {
  [ "$status" -eq 0 ] || problem "exit status $status; said: $out"
  grep -qx 'step-counts: 1 passed, 0 failed, 0 skipped' <<<"$out" || problem "no passing counts line in: $out"
  local base
  base=$(base_of "$cache")
  [ -f "$base" ] && tar -tf "$base" | grep molvex-fake-root >/dev/null || problem "the kept base root is no tarball of the root"
  [ -z "$(ls -d "$cache"/root.* "$cache"/*.part 2>/dev/null)" ] || problem "a root or a partial base root was left in $cache"
}
makes() { [ "$(grep -c '^mmdebstrap ' "$work/state/calls")" -eq "$1" ] || problem "mmdebstrap ran $(grep -c '^mmdebstrap ' "$work/state/calls") times, expected $1"; }

cache=$work/cache
run_fresh empty-cache "$cache"
expect_passed
makes 1

run_fresh kept-base-root "$cache"
expect_passed
makes 0
grep -q 'making the base root' <<<"$out" && problem "a good base root was made again"

cut_root() { FAKE_STATE=$work/state "$work/bin/mmdebstrap" bookworm "$work/whole.tar" && head -c "$1" "$work/whole.tar" >"$base"; }
# Each kind of bad base root is said once, removed and made anew.
for bad in folder empty cut-in-a-member cut-between-members; do
  base=$(base_of "$cache")
  rm -rf "$base"
  case $bad in
    folder) mkdir -p "$base/etc" ;;
    empty) : >"$base" ;;
    # A fake root's last member, apt, has its header at 2560 and its data at 3072.
    cut-in-a-member) cut_root 3500 ;;
    cut-between-members) cut_root 2560 ;;
  esac
  run_fresh "bad-base-root-$bad" "$cache"
  expect_passed
  makes 1
  [ "$(grep -c 'no readable tarball; making it anew' <<<"$out")" -eq 1 ] || problem "the bad base root was not named once: $out"
done

# A demo that fails in the root fails the step, with its counts.
run_fresh demo-fails "$cache" FAKE_INSIDE=1
[ "$status" -eq 1 ] && grep -qx 'step-counts: 0 passed, 1 failed, 0 skipped' <<<"$out" ||
  problem "a failing demo did not fail the step: $out"

# Without HOME (nor XDG_CACHE_HOME) the step still finds its folder, and says
# where it is rather than dying before its counts line.
case_name=no-home
said=$(env -u HOME -u XDG_CACHE_HOME -u MOLVEX_FRESH_CACHE "$source_dir/tools/fresh_machine.sh" --cache 2>&1)
[ "$said" = "$(getent passwd "$(id -u)" | cut -d: -f6)/.cache/molvex-fresh" ] || problem "without HOME it said: $said"

[ $failures -eq 0 ] && echo "fresh_machine_test: all cases passed"
[ $failures -eq 0 ]

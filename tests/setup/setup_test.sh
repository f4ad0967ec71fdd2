#!/usr/bin/env bash
# tools/setup.sh against a fake apt-get and dpkg first on the PATH: a mirror
# whose update fails, a package that cannot be installed, everything failing,
# a complete machine, a user who is not root, and a machine whose kernel runs
# no 32-bit programs. Checks what it says and its exit status.
#   setup_test.sh SOURCE-DIR
set -uo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
for tool in apt-get dpkg id; do ln -s "$source_dir/tests/setup/fake_apt.sh" "$work/bin/$tool"; done

all_packages=$(awk -F'|' '!/^[[:space:]]*#/ && NF >= 3 { print $3 }' "$source_dir/tools/packages.txt" | xargs -n1)
failures=0
problem() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }

# CASE-NAME [VAR=VALUE ...] -- [SETUP ARGS]: a fresh machine with nothing
# installed; leaves $status, $out (stdout and stderr) and $state.
run_setup() {
  case_name=$1
  shift
  state=$work/$case_name
  mkdir -p "$state/installed" "$state/probes"
  # The 32-bit check's answer, so the cases do not depend on this kernel:
  # 32-bit programs run, unless a case says otherwise.
  [ -e "$state/probes/wine32" ] || : >"$state/probes/wine32"
  local env=(MOLVEX_PROBE_CACHE="$state/probes")
  while [ "$1" != -- ]; do env+=("$1"); shift; done
  shift
  out=$(env PATH="$work/bin:$PATH" FAKE_STATE="$state" "${env[@]}" "$source_dir/tools/setup.sh" "$@" 2>&1)
  status=$?
}
expect_status() { [ "$status" -eq "$1" ] || problem "exit status $status, expected $1; said: $out"; }
expect_line() { grep -Eq -- "$1" <<<"$out" || problem "no line /$1/ in: $out"; }
expect_no_line() { grep -Eq -- "$1" <<<"$out" && problem "unexpected /$1/ in: $out"; }
expect_installed() { for p in "$@"; do [ -e "$state/installed/$p" ] || problem "$p not installed"; done; }
expect_absent() { for p in "$@"; do [ -e "$state/installed/$p" ] && problem "$p installed"; done; }

# The update fails for one list: a warning, and everything still goes in.
run_setup update-fails FAKE_UPDATE=fail --
expect_status 0
expect_line "^setup: warning: apt-get update failed \(E: Failed to fetch .*Mirror sync in progress.*\); going on with the lists that did download$"
expect_installed $all_packages
grep -qx i386 "$state/foreign-arch" || problem "the i386 architecture was not added for wine32"
[ -e "$state/probes/wine32" ] && problem "the checks' answers outlived an install that can change them"

# One package is broken: one line with apt's reason; the rest go in.
run_setup one-fails FAKE_BROKEN=wine32:i386 --
expect_status 0
expect_line "^setup: could not install wine32:i386: wine32:i386 : Depends: lib-wine32:i386 \(= 1.0-1\) but it is not going to be installed; Unable to correct problems, you have held broken packages.$"
[ "$(grep -c '^setup: ' <<<"$out")" -eq 1 ] || problem "more than one line: $out"
expect_installed $(grep -vx 'wine32:i386' <<<"$all_packages")
expect_absent wine32:i386

# The demo asks for its own groups only, and never waits on wine or mingw.
run_setup demo-only FAKE_BROKEN=wine32:i386 -- build display
expect_status 0
expect_installed $(awk -F'|' '$1 ~ /^(build|display) / { print $3 }' "$source_dir/tools/packages.txt")
expect_absent wine64 g++-mingw-w64-i686 libgtest-dev
grep -q 'add-architecture' "$state/calls" && problem "i386 added for a group without 32-bit packages"

# A kernel that runs no 32-bit programs: wine32 is left out with the reason,
# no i386 architecture is added, everything else goes in.
mkdir -p "$work/no-ia32/probes"
echo "this machine's kernel runs no 32-bit programs" >"$work/no-ia32/probes/wine32"
run_setup no-ia32 --
expect_status 0
expect_line "^setup: not installing wine32:i386: this machine's kernel runs no 32-bit programs$"
expect_absent wine32:i386
expect_installed $(grep -vx 'wine32:i386' <<<"$all_packages")
[ -s "$state/foreign-arch" ] && problem "i386 added on a machine that cannot use it"
mkdir -p "$work/no-ia32-asked/probes"
echo "this machine's kernel runs no 32-bit programs" >"$work/no-ia32-asked/probes/wine32"
run_setup no-ia32-asked FAKE_ROOT=no -- --blocker build wine32
[ "$out" = "this machine's kernel runs no 32-bit programs" ] || problem "the check's reason alone, not: $out"
# The check itself runs when no answer is kept, and its answer is kept.
mkdir -p "$work/check-runs/probes"
case_name=check-runs
out=$(env PATH="$work/bin:$PATH" FAKE_STATE="$work/check-runs" MOLVEX_PROBE_CACHE="$work/check-runs/probes" \
  MOLVEX_RUNS_32BIT="wine's 32-bit loader does not start: Exec format error" \
  "$source_dir/tools/setup.sh" --blocker wine32 2>&1)
[ "$out" = "wine's 32-bit loader does not start: Exec format error" ] || problem "the check's answer: $out"
[ "$(cat "$work/check-runs/probes/wine32" 2>/dev/null)" = "wine's 32-bit loader does not start: Exec format error" ] ||
  problem "the check's answer was not kept for the run"

# Everything fails: each package named once, and the run cannot go on.
run_setup all-fail FAKE_UPDATE=fail "FAKE_BROKEN=$(xargs <<<"$all_packages")" --
expect_status 1
for p in $all_packages; do
  [ "$(grep -c "^setup: could not install $p: " <<<"$out")" -eq 1 ] || problem "$p not named exactly once"
done
expect_line "^setup: cannot go on without: build \(g\+\+ cmake .*\) gtest \(libgtest-dev libgmock-dev\)$"

# A machine that has everything: silent, and apt is never called.
run_setup complete -- --missing
mkdir -p "$state/installed"
for p in $all_packages; do touch "$state/installed/$p"; done
: >"$state/calls"
out=$(PATH="$work/bin:$PATH" FAKE_STATE="$state" "$source_dir/tools/setup.sh" 2>&1)
status=$?
expect_status 0
[ -z "$out" ] || problem "said something: $out"
grep -q '^apt-get' "$state/calls" && problem "apt-get was called"

# Not root: says what is missing, installs nothing, fails only for the
# groups nothing runs without.
run_setup not-root FAKE_ROOT=no -- valgrind
expect_status 0
expect_line "^setup: missing packages \(valgrind\); run as root to install them$"
expect_absent valgrind
run_setup not-root-build FAKE_ROOT=no -- build
expect_status 1

# What ./run asks: the missing packages of groups, and refusal of unknown ones.
run_setup missing FAKE_ROOT=no -- --missing wine32 valgrind
expect_status 0
expect_line "^wine32:i386 valgrind$"
run_setup unknown -- --missing nope
expect_status 2
expect_line "^setup: no package group 'nope'"

[ $failures -eq 0 ] || exit 1
echo "set-up script: all cases pass"

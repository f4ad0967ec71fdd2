# The bookkeeping of ./run test's steps, sourced by ./run from the
# repository root (and by its test):
#   step NAME "GROUP ..." COMMAND ...   run a step, or skip it when a group lacks packages
#   setup_said=TEXT                      what tools/setup.sh printed, for apt's reasons
#   test_summary                         name what was skipped and failed, print
#                                        "N passed, N failed, N skipped"; status 1 on failures
# A step's output is read for counts by tools/count_tests.awk; a step that
# fails without reporting a failed test counts as one failure, and its last
# lines are shown again in the summary, so no step ends without saying why.

passed=0 failed=0 skipped=0
failed_steps=() skipped_steps=() silent_failures=()
# Lines of a silently failed step's output shown again in the summary.
tail_lines=15

step() {  # NAME "GROUPS" COMMAND ...
  local name=$1 groups=$2
  shift 2
  local blocker
  blocker=$(tools/setup.sh --blocker $groups)
  if [ -n "$blocker" ]; then
    skipped_steps+=("$name: $blocker")
    return 0
  fi
  echo "==== $name"
  local log status=0
  log=$(mktemp)
  "$@" 2>&1 | tee "$log" || status=$?
  local counts
  counts=$(awk -f tools/count_tests.awk "$log")
  read -r p f s <<<"$counts"
  if [ "$status" -ne 0 ] && [ "$f" -eq 0 ]; then
    f=1
    silent_failures+=("$name ended with status $status and no failed test; its last lines:
$(tail -n "$tail_lines" "$log" | sed 's/^/    /')")
  fi
  rm -f "$log"
  [ "$f" -eq 0 ] || failed_steps+=("$name")
  passed=$((passed + p)) failed=$((failed + f)) skipped=$((skipped + s))
}

# Names every package group this machine lacks and the tests it would have
# run; the groups themselves leave their tests out (CMake, ctest labels, the
# Windows script), so this is the one place that says so.
report_skips() {
  local group blocker
  for group in $(awk -F'|' '!/^[[:space:]]*#/ && NF >= 3 { gsub(/[[:space:]]/, "", $1); print $1 }' tools/packages.txt); do
    blocker=$(tools/setup.sh --blocker "$group")
    [ -n "$blocker" ] || continue
    [[ $blocker != "lacks "* ]] || blocker="$blocker$(why ${blocker#lacks })"
    echo "skipped: $(tools/setup.sh --describe "$group") (group $group): $blocker"
  done
  local s
  for s in "${skipped_steps[@]}"; do echo "skipped step: $s"; done
}

# What set-up said about the packages, from apt: " (P: reason)" per package.
setup_said=''
why() {
  local p reason
  for p in "$@"; do
    reason=$(grep -m1 -F "setup: could not install $p: " <<<"$setup_said" | sed 's/^setup: could not install //')
    [ -z "$reason" ] || printf ' (%s)' "$reason"
  done
}

test_summary() {
  echo "==== summary"
  report_skips
  [ ${#silent_failures[@]} -eq 0 ] || printf '%s\n' "${silent_failures[@]}"
  [ ${#failed_steps[@]} -eq 0 ] || printf 'failed: %s\n' "${failed_steps[@]}"
  echo "$passed passed, $failed failed, $skipped skipped"
  [ "$failed" -eq 0 ]
}

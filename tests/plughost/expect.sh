#!/usr/bin/env bash
# Runs a command and checks how it ended:
#   expect.sh [--status ok|fail] [--stdout REGEX ...] [--stderr-line REGEX]
#             [--absent FILE] [--present FILE] -- COMMAND ...
# --stderr-line wants stderr to be exactly one line matching REGEX (ERE);
# --absent also wants no temporary ".NAME.partial" file beside FILE.
set -uo pipefail

status=ok stdout_res=() stderr_re='' absent=() present=()
while [ $# -gt 0 ]; do
  case $1 in
    --status) status=$2; shift 2 ;;
    --stdout) stdout_res+=("$2"); shift 2 ;;
    --stderr-line) stderr_re=$2; shift 2 ;;
    --absent) absent+=("$2"); shift 2 ;;
    --present) present+=("$2"); shift 2 ;;
    --) shift; break ;;
    *) echo "expect.sh: unknown option $1" >&2; exit 2 ;;
  esac
done

for f in "${absent[@]}" "${present[@]}"; do rm -f "$f"; done
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$@" >"$out" 2>"$err"
rc=$?
problems=()

if [ "$status" = ok ] && [ $rc -ne 0 ]; then problems+=("exit status $rc, expected 0"); fi
if [ "$status" = fail ] && { [ $rc -eq 0 ] || [ $rc -gt 2 ]; }; then
  problems+=("exit status $rc, expected 1 or 2")
fi
for re in "${stdout_res[@]}"; do
  grep -Eq -- "$re" "$out" || problems+=("stdout lacks /$re/")
done
if [ -n "$stderr_re" ]; then
  lines=$(wc -l <"$err")
  [ "$lines" -eq 1 ] || problems+=("stderr has $lines lines, expected 1")
  grep -Eq -- "$stderr_re" "$err" || problems+=("stderr lacks /$stderr_re/")
fi
for f in "${absent[@]}"; do
  [ -e "$f" ] && problems+=("$f exists")
  partial="$(dirname "$f")/.$(basename "${f%.*}").partial.${f##*.}"
  [ -e "$partial" ] && problems+=("$partial left behind")
done
for f in "${present[@]}"; do [ -s "$f" ] || problems+=("$f missing or empty"); done

if [ ${#problems[@]} -gt 0 ]; then
  echo "command: $*"
  echo "--- stdout"; cat "$out"
  echo "--- stderr"; cat "$err"
  printf 'PROBLEM: %s\n' "${problems[@]}"
  exit 1
fi
exit 0

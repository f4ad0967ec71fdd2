#!/usr/bin/env bash
# Runs a command and checks how it ended:
#   expect.sh [--status ok|fail] [--stdout REGEX ...] [--stderr-line REGEX]
#             [--absent FILE] [--present FILE] [--file-line FILE REGEX] -- COMMAND ...
# --stderr-line wants stderr to be exactly one line matching REGEX (ERE);
# --file-line wants a line of FILE, written by the command, to match REGEX;
# --absent also wants no temporary ".NAME.partial" file beside FILE.
set -uo pipefail

status=ok stdout_res=() stderr_re='' absent=() present=() file_lines=()
while [ $# -gt 0 ]; do
  case $1 in
    --status) status=$2; shift 2 ;;
    --stdout) stdout_res+=("$2"); shift 2 ;;
    --file-line) present+=("$2"); file_lines+=("$2" "$3"); shift 3 ;;
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
for ((i = 0; i < ${#file_lines[@]}; i += 2)); do
  f=${file_lines[i]} re=${file_lines[i + 1]}
  [ -f "$f" ] && ! grep -Eq -- "$re" "$f" && problems+=("$f lacks /$re/")
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

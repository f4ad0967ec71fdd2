#!/usr/bin/env bash
# tools/windows/runs_32bit.sh against a witness of its own, so a check that
# wrongly says "no" cannot turn the 32-bit runs under wine into a quiet skip
# on a machine that runs them, nor say "yes" where the kernel refuses.
#   runs_32bit_test.sh SOURCE-DIR
set -uo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
problem() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }

# The 32-bit check against a witness built from the ELF fields by perl: where
# the kernel runs the witness, the check must say yes; where the kernel
# refuses it as no executable format, the check must give its reason.
case_name=runs-32bit
witness=$work/witness32
perl -e '
  my $code = pack("C*", 0xb8, 1, 0, 0, 0, 0xbb, 42, 0, 0, 0, 0xcd, 0x80);
  my $at = 0x08048000; my $size = 52 + 32 + length($code);
  my $ehdr = pack("a16 v v V V V V V v v v v v v", "\x7fELF\x01\x01\x01", 2, 3, 1, $at + 84, 52, 0, 0, 52, 32, 1, 0, 0, 0);
  my $phdr = pack("V8", 1, 0, $at, $at, $size, $size, 5, 0x1000);
  print $ehdr, $phdr, $code;' >"$witness"
chmod +x "$witness"
# execve itself (system call 59), since the C library's execvp would hand a
# refused file to the shell; the child exits 42, or 100 plus the errno.
kernel=$(perl -e 'my $pid = fork; if ($pid == 0) { syscall(59, $ARGV[0], 0, 0); exit(100 + $!) }
  waitpid($pid, 0); my $s = $? >> 8; print $s == 108 ? "refuses" : $s' "$witness")
answer=$(env -u MOLVEX_RUNS_32BIT "$source_dir/tools/windows/runs_32bit.sh" 2>&1)
check=$?
case $kernel in
  # With 32-bit programs running, only wine's own 32-bit loader may still say no.
  42) [ $check -eq 0 ] && [ -z "$answer" ] || [[ $check -eq 1 && $answer == "wine's 32-bit loader does not start: "* ]] || problem "this kernel runs 32-bit programs, but the check said ($check): $answer" ;;
  refuses) [ $check -eq 1 ] && [ "$answer" = "this machine's kernel runs no 32-bit programs" ] ||
    problem "this kernel runs no 32-bit programs, but the check said ($check): $answer" ;;
  *) problem "the witness neither ran nor was refused: $kernel" ;;
esac
echo "32-bit witness: ${kernel/42/runs}"

[ $failures -eq 0 ]

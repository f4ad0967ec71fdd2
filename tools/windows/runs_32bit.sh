#!/usr/bin/env bash
# Whether this machine can run the 32-bit Windows build's programs under wine.
# Some kernels are built without 32-bit emulation: there every 32-bit
# program fails with "Exec format error", wine's 32-bit loader included, and
# installing wine32 only breaks Debian's `wine` wrapper, which then starts
# even 64-bit programs through that loader.
#   tools/windows/runs_32bit.sh    silent, exit 0: it can
#                                  one line why not, exit 1: it cannot
# Two tries, both cheap: a 96-byte 32-bit Linux program that only exits with
# status 42 (the kernel's answer), then, where wine32 is installed, wine's
# 32-bit loader itself. MOLVEX_RUNS_32BIT holds an answer already found in
# this run ("yes", or the reason), so the tries are made once per run.
set -uo pipefail

if [ -n "${MOLVEX_RUNS_32BIT:-}" ]; then
  [ "$MOLVEX_RUNS_32BIT" = yes ] && exit 0
  echo "$MOLVEX_RUNS_32BIT"
  exit 1
fi

probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment at 0x08048000, then
# mov eax, 1 (exit); mov ebx, 42; int 0x80.
printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' >>"$probe"
printf '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' >>"$probe"
printf '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' >>"$probe"
printf '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >>"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
if [ $? -ne 42 ]; then
  echo "this machine's kernel runs no 32-bit programs"
  exit 1
fi

loader=/usr/lib/wine/wine
if [ -x "$loader" ] && ! said=$("$loader" --version 2>&1 </dev/null); then
  echo "wine's 32-bit loader does not start: $(head -n1 <<<"$said")"
  exit 1
fi
exit 0

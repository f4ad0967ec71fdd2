#!/usr/bin/env bash
# The shape of a Windows plug-in library as a host and a user meet it:
#   check_dll.sh OBJDUMP LIBRARY 32|64 [EXPORT]
# - the right machine: PE32 i386 for 32-bit hosts, PE32+ x86-64 for 64-bit;
# - a DLL that exports `main` (the CLAP plug-in: `clap_entry`) and nothing else, with no ordinals-only
#   entries (hosts look the entry up by that name);
# - imports from system libraries only. Allowed: KERNEL32 (module handle,
#   tick count, threads), USER32 and GDI32 (the editor's window and drawing),
#   and the C runtime that ships with Windows (msvcrt.dll, or the universal
#   CRT's ucrtbase / api-ms-win-crt-* forwarders should the toolchain switch).
#   Anything else (libstdc++-6, libgcc_s_*, libwinpthread-1, ...) would have to
#   be shipped beside the plug-in, which is exactly what must not happen;
# - a version block in the resources, product Molvex 1.0.2.0, which Explorer
#   and hosts' plug-in lists show.
set -euo pipefail

objdump=$1
library=$2
bits=$3
want_export=${4:-main}
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

headers=$("$objdump" -p "$library")
format=$("$objdump" -f "$library" | sed -n 's/.*file format //p')

case $bits in
  32) want_format=pei-i386;   want_magic='010b	(PE32)' ;;
  64) want_format=pei-x86-64; want_magic='020b	(PE32+)' ;;
  *) echo "usage: check_dll.sh OBJDUMP LIBRARY 32|64" >&2; exit 2 ;;
esac

[ "$format" = "$want_format" ] || fail "file format is '$format', want $want_format"
grep -qF "Magic			$want_magic" <<<"$headers" || fail "optional header magic is not $want_magic"

# IMAGE_FILE_DLL (0x2000) in the file header's characteristics.
characteristics=$(sed -n 's/^Characteristics[[:space:]]*0x\([0-9a-fA-F]*\).*/\1/p' <<<"$headers" | head -n1)
(( (16#${characteristics:-0} & 0x2000) != 0 )) || fail "not marked as a DLL (characteristics 0x$characteristics)"

exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
          sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p')
count=$(sed -n 's/^[[:space:]]*Export Address Table[[:space:]]*\([0-9a-fA-F]*\)$/\1/p' <<<"$headers" | head -n1)
[ "$exports" = "$want_export" ] || fail "exports are '$(echo $exports)', want $want_export alone"
[ "$((16#${count:-0}))" -eq 1 ] || fail "export address table has ${count:-no} entries, want 1"

imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "no import table found"
for dll in $imports; do
  case ${dll,,} in
    kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) ;;
    *) fail "imports $dll, which is not a system library" ;;
  esac
done

"$objdump" -h "$library" | grep -q ' \.rsrc ' || fail "no resource section"
# The block's texts are UTF-16; strings -el lists keys and values in order.
version=" $(strings -el "$library" | tr '\n' ' ')"
for pair in "ProductName Molvex" "FileVersion 1.0.2.0" "ProductVersion 1.0.2.0"; do
  [[ $version == *" $pair "* ]] || fail "version block lacks $pair"
done

if [ $failed -eq 0 ]; then
  echo "$library: $format, exports $want_export, imports $(echo $imports), version 1.0.2.0"
fi
exit $failed

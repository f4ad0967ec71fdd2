# Sourced by the Windows scripts: picks wine's loader for a word size.
#   use_wine win32|win64   sets WINE to the loader and exports WINELOADER
# Debian's `wine` wrapper starts every program through the 32-bit loader
# whenever wine32 is installed, 64-bit programs included; on a kernel that
# runs no 32-bit programs that loader cannot start at all. So 64-bit runs
# call the 64-bit loader themselves, and whether wine32 is installed makes
# no difference to them.
use_wine() {
  local loader
  if [ "$1" = win64 ]; then loader=/usr/lib/wine/wine64; else loader=/usr/lib/wine/wine; fi
  if [ -x "$loader" ]; then
    WINE=$loader
    export WINELOADER=$loader
  else
    WINE=wine
  fi
}

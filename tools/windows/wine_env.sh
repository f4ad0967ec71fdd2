# Sourced by the Windows scripts: picks wine's loader for a word size.
#   use_wine win32|win64   sets WINE to the loader and exports WINELOADER
# MOLVEX_WINE_LIB names the folder of wine's loaders (default /usr/lib/wine).
# Debian's `wine` wrapper starts every program through the 32-bit loader
# whenever wine32 is installed, 64-bit programs included; on a kernel that
# runs no 32-bit programs that loader cannot start at all. So 64-bit runs
# call the 64-bit loader themselves, and whether wine32 is installed makes
# no difference to them.
use_wine() {
  local loader
  local lib=${MOLVEX_WINE_LIB:-/usr/lib/wine}
  if [ "$1" = win64 ]; then loader=$lib/wine64; else loader=$lib/wine; fi
  if [ -x "$loader" ]; then
    WINE=$loader
    export WINELOADER=$loader
  else
    WINE=wine
  fi
}

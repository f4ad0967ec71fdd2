# What both mingw-w64 toolchains share; the including file names the target
# triple in MOLVEX_MINGW_TRIPLE first. The posix thread model is the one
# whose libstdc++ has std::thread and the full atomics; it is linked
# statically into every product, so nothing of it ships beside the DLL.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${MOLVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MOLVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${MOLVEX_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP      ${MOLVEX_MINGW_TRIPLE}-objdump)

# Headers and libraries come from the mingw sysroot only; programs (windres,
# the test runner) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${MOLVEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs of this build run under wine, through a wrapper that picks
# the build tree's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/windows/wine-run.sh)

# Every program links its C and C++ runtime and winpthreads in, so a test or
# a tool runs from any folder without the toolchain's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

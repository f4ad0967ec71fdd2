# GoogleTest for the Windows builds: there is no packaged mingw build of it,
# so find_package(GTest) is answered by building Debian's sources in the tree.
# Loaded through CMAKE_PROJECT_TOP_LEVEL_INCLUDES by the win32/win64 presets.
set(MOLVEX_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources built for cross builds")

macro(molvex_provide_gtest method package_name)
  if("${package_name}" STREQUAL "GTest")
    if(NOT TARGET GTest::gtest_main)
      set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      # Win32 threads inside gtest; its pthread path is not meant for mingw.
      set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
      add_subdirectory(${MOLVEX_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
      # The framework needs no -O3; -O1 halves its compile time in each tree.
      target_compile_options(gtest PRIVATE -O1)
      target_compile_options(gtest_main PRIVATE -O1)
    endif()
    set(GTest_FOUND TRUE)
  endif()
endmacro()

cmake_language(SET_DEPENDENCY_PROVIDER molvex_provide_gtest SUPPORTED_METHODS FIND_PACKAGE)

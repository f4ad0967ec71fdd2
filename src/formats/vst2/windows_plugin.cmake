# Molvex.dll: the Windows form of the plug-in library. Included by
# this folder's CMakeLists.txt for Windows builds, with the target Molvex
# defined.
#
# - `main` is the only export, with the C calling convention: the module
#   definition file renames pluginMain, so no other symbol is exported and
#   the linker's automatic export-everything never switches on.
# - libgcc, libstdc++ and winpthreads are linked in: the DLL imports system
#   libraries only, and a user copies one file.
# - The entry routine stores the module handle; the resource script carries
#   the version block (and the panel's bitmaps).

target_sources(Molvex PRIVATE
  ${PROJECT_SOURCE_DIR}/src/platform/win32/module_entry.cpp
  ${PROJECT_SOURCE_DIR}/resources/molvex.rc
  ${CMAKE_CURRENT_LIST_DIR}/exports.def)

# The handle slot the entry routine writes: the platform layer's library
# when the tree has one, else its source directly.
if(TARGET molvex_module_handle)
  target_link_libraries(Molvex PRIVATE molvex_module_handle)
else()
  target_sources(Molvex PRIVATE ${PROJECT_SOURCE_DIR}/src/platform/module_handle.cpp)
endif()

# The script includes the generated list of bitmaps; windres reports no
# dependencies on them, so a changed bitmap has to be declared here.
include(${PROJECT_SOURCE_DIR}/cmake/windows_bitmaps.cmake)
molvex_windows_bitmaps(${PROJECT_BINARY_DIR}/resources/molvex_bitmaps.rc
                       ${PROJECT_BINARY_DIR}/resources/molvex_bitmap_table.h)
file(GLOB molvex_rc_bitmaps CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/bitmaps/*.bmp)
set_property(SOURCE ${PROJECT_SOURCE_DIR}/resources/molvex.rc APPEND PROPERTY
  INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/resources ${PROJECT_BINARY_DIR}/resources)
set_property(SOURCE ${PROJECT_SOURCE_DIR}/resources/molvex.rc APPEND PROPERTY
  OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/resources/molvex_resources.h
  ${PROJECT_BINARY_DIR}/resources/molvex_bitmaps.rc ${molvex_rc_bitmaps})

set_target_properties(Molvex PROPERTIES
  PREFIX ""
  OUTPUT_NAME Molvex
  SUFFIX ".dll")

target_link_options(Molvex PRIVATE
  -static -static-libgcc -static-libstdc++
  -Wl,--no-undefined
  # A GUI-subsystem module that the loader may relocate anywhere, with
  # non-executable data.
  -Wl,--subsystem,windows -Wl,--dynamicbase -Wl,--nxcompat
  # Release builds ship without symbol tables.
  $<$<CONFIG:Release,MinSizeRel>:-s>)

# The panel's bitmaps in a Windows resource script: every
# resources/bitmaps/N.bmp becomes BITMAP resource N, the same files the Linux
# build embeds as byte arrays.
#   molvex_windows_bitmaps(RC_FILE TABLE_HEADER)
# writes RC_FILE (lines "N BITMAP "path"", included by resources/molvex.rc)
# and TABLE_HEADER (the ids with the width and height read from each file's
# header, for the tests that load them back). Both are rewritten when the
# folder's contents change.
function(molvex_windows_bitmaps rc_file table_header)
  file(GLOB bitmaps CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/bitmaps/*.bmp)
  set(rc_lines "// Generated from resources/bitmaps at configure time.\n")
  set(table_lines "")
  foreach(bitmap IN LISTS bitmaps)
    get_filename_component(id ${bitmap} NAME_WE)
    if(NOT id MATCHES "^[0-9]+$")
      continue()
    endif()
    string(APPEND rc_lines "${id} BITMAP \"${bitmap}\"\n")
    # BITMAPINFOHEADER: width at byte 18, height at 22, little-endian; a
    # negative height (top-down rows) is as tall as its magnitude.
    file(READ ${bitmap} header OFFSET 18 LIMIT 8 HEX)
    set(size "")
    foreach(offset 0 8)
      string(SUBSTRING ${header} ${offset} 8 bytes)
      string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" swapped ${bytes})
      math(EXPR value "0x${swapped}")
      if(value GREATER 2147483647)
        math(EXPR value "4294967296 - ${value}")
      endif()
      list(APPEND size ${value})
    endforeach()
    list(GET size 0 width)
    list(GET size 1 height)
    string(APPEND table_lines "    {${id}, ${width}, ${height}},\n")
  endforeach()
  file(CONFIGURE OUTPUT ${rc_file} CONTENT "${rc_lines}")
  file(CONFIGURE OUTPUT ${table_header} CONTENT
"// Generated from resources/bitmaps at configure time.
#pragma once

struct MolvexBitmapSize {
    int id;
    int width;
    int height;
};

inline constexpr MolvexBitmapSize kMolvexBitmapSizes[] = {
    {0, 0, 0},  // keeps the table non-empty; id 0 is no resource
${table_lines}};
")
endfunction()

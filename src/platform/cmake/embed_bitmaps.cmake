# molvex_embed_bitmaps(<target> FILES <N.bmp>...)
# Makes <target>, an object library holding the bitmaps as the module's
# resources (platform/resources/embedded_bitmaps.h). Link it straight into
# the final library or executable, so its objects are always taken. The source is generated
# in the build tree whenever a bitmap changes; bitmaps are never typed in.
set(MOLVEX_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_bitmaps_script.cmake
    CACHE INTERNAL "Script that turns bitmaps into a C++ source")

function(molvex_embed_bitmaps target)
  cmake_parse_arguments(EMBED "" "" "FILES" ${ARGN})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_table.cpp)
  string(REPLACE ";" "|" file_list "${EMBED_FILES}")
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} "-DFILES=${file_list}"
            -P ${MOLVEX_EMBED_SCRIPT}
    DEPENDS ${EMBED_FILES} ${MOLVEX_EMBED_SCRIPT}
    COMMENT "Embedding bitmaps into ${target}"
    VERBATIM)
  add_library(${target} OBJECT ${output})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
endfunction()

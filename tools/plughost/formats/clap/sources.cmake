# CLAP: plug-ins named .clap, through their clap_entry, with the CLAP
# headers that Debian's dpf-source carries. Without them the CLAP entry says
# so in one line and plughost hosts the other formats alone.
find_path(PLUGHOST_CLAP_INCLUDE_DIR clap/entry.h PATHS /usr/share/dpf/distrho/src
          NO_CMAKE_FIND_ROOT_PATH)
target_sources(plughost_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/clap_format.cpp)
if(PLUGHOST_CLAP_INCLUDE_DIR)
  foreach(part clap_host clap_plugin clap_editor clap_info clap_validate)
    target_sources(plughost_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/${part}.cpp)
  endforeach()
  target_include_directories(plughost_core SYSTEM PUBLIC ${PLUGHOST_CLAP_INCLUDE_DIR})
  if(WIN32)
    target_compile_definitions(plughost_core PRIVATE PLUGHOST_CLAP_WINDOW_API="win32")
  else()
    target_compile_definitions(plughost_core PRIVATE PLUGHOST_CLAP_WINDOW_API="x11")
  endif()
else()
  message(STATUS "plughost: no CLAP hosting (the CLAP headers are missing: install dpf-source)")
  target_sources(plughost_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/clap_unavailable.cpp)
endif()

# VST 2: the record and dispatcher from the interface header alone.
target_sources(plughost_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/event_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_callback.cpp
  ${CMAKE_CURRENT_LIST_DIR}/validate_audio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/validate_editor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/validate_lifecycle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/validate_parameters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/validate_slow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/validate_threads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vst2_editor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vst2_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vst2_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vst2_plugin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vst2_validate.cpp)

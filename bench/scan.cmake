# ombrelith-scan: the headless scan tool, built beside the program (POSIX only).
if(NOT WIN32)
  add_executable(ombrelith-scan ${CMAKE_CURRENT_SOURCE_DIR}/ScanTool.cpp)
  target_link_libraries(ombrelith-scan PRIVATE ombrelith_tree)
  set_target_properties(ombrelith-scan PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

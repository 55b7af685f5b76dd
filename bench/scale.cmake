# ombrelith-scale: time and memory of both passes over a generated 10,000,000-entry tree held
# in memory and over real folders (bench/scale.sh makes them and prints the figures).
if(NOT WIN32)
  add_executable(ombrelith-scale ${CMAKE_CURRENT_SOURCE_DIR}/scale_scan.cpp)
  target_link_libraries(ombrelith-scale PRIVATE ombrelith_tree)
  set_target_properties(ombrelith-scale PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

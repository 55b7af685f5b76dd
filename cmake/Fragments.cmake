# ombrelith_include_fragments(): includes every *.cmake file of the current source folder, in
# name order. A folder whose parts are built by different developers keeps one fragment per
# part (platform/base.cmake, platform/ui.cmake, ...).
macro(ombrelith_include_fragments)
  file(GLOB _fragments CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
  list(SORT _fragments)
  foreach(_fragment IN LISTS _fragments)
    include(${_fragment})
  endforeach()
endmacro()

# The help seam (platform/Help.h): the help-file search, plus the backend's HtmlHelp.
add_library(ombrelith_help_seam STATIC ${CMAKE_CURRENT_SOURCE_DIR}/HelpPath.cpp)
target_include_directories(ombrelith_help_seam PUBLIC ${CMAKE_SOURCE_DIR})

if(OMBRELITH_BACKEND STREQUAL "qt")
  find_package(Qt6 REQUIRED COMPONENTS Widgets GLOBAL)
  find_path(OMBRELITH_CHM_INCLUDE_DIR chm_lib.h REQUIRED)
  find_library(OMBRELITH_CHM_LIBRARY chm REQUIRED)
  target_sources(ombrelith_help_seam PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/qt/HelpViewer.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/qt/QtHelp.cpp)
  target_include_directories(ombrelith_help_seam SYSTEM PRIVATE ${OMBRELITH_CHM_INCLUDE_DIR})
  target_link_libraries(ombrelith_help_seam PUBLIC Qt6::Widgets PRIVATE ${OMBRELITH_CHM_LIBRARY})
elseif(OMBRELITH_BACKEND STREQUAL "win32")
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/win32/HelpWin32.cpp)
    target_sources(ombrelith_help_seam PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win32/HelpWin32.cpp)
  endif()
  target_link_libraries(ombrelith_help_seam PUBLIC htmlhelp)
endif()

# ombrelith_filectrl: the directory list and drive selector over the window-system layer,
# with the system's drive list (POSIX mount table here, logical drives in platform/win32/).
add_library(ombrelith_filectrl STATIC ${CMAKE_CURRENT_SOURCE_DIR}/FileCtrl.cpp)
target_include_directories(ombrelith_filectrl PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(ombrelith_filectrl PUBLIC ombrelith_platform_ui)
if(WIN32)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/win32/Drives.cpp)
    target_sources(ombrelith_filectrl PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win32/Drives.cpp)
  endif()
else()
  target_sources(ombrelith_filectrl PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/posix/Drives.cpp)
endif()

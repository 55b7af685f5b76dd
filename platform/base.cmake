add_library(ombrelith_platform_base STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/Timer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/FileSystem.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Paths.cpp
)
target_include_directories(ombrelith_platform_base PUBLIC ${CMAKE_SOURCE_DIR})
# The system's file system: POSIX here, Win32 in platform/win32/ for the Windows build.
if(WIN32)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/win32/Win32FileSystem.cpp)
    target_sources(ombrelith_platform_base PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win32/Win32FileSystem.cpp)
  endif()
else()
  target_sources(ombrelith_platform_base PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/posix/PosixFileSystem.cpp)
endif()

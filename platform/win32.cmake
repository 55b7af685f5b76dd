# The Windows side of the OS seams: the file-system seam goes into ombrelith_platform_base.
# (The registry and help seams are added by registry.cmake and help.cmake; the window-system
# backend is listed by win32/ui.cmake.)
if(WIN32)
  target_sources(ombrelith_platform_base PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/win32/Win32FileSystem.cpp
  )
endif()

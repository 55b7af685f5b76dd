# ombrelith_registry: TRegistry over the current user's settings store, the registry on
# Windows and a REGEDIT4 file elsewhere.
add_library(ombrelith_registry STATIC ${CMAKE_CURRENT_SOURCE_DIR}/Registry.cpp)
if(WIN32)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/win32/RegistryWin32.cpp)
    target_sources(ombrelith_registry PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win32/RegistryWin32.cpp)
  endif()
else()
  target_sources(ombrelith_registry PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/posix/RegistryFile.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/posix/RegistryFileStore.cpp
  )
endif()
target_link_libraries(ombrelith_registry PUBLIC ombrelith_platform_base)

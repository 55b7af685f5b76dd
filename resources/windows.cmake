# The Windows program's resources: the manifest (ombrelith_windows_manifest, also linked into
# the Windows test executables so they run under the program's code page) and the icon with
# the version resource (ombrelith_windows_resources). Both are OBJECT libraries, which
# shell/CMakeLists.txt links into the program. The icon is the one resources/images holds.
if(WIN32)
  enable_language(RC)
  set(_win_res ${CMAKE_CURRENT_LIST_DIR}/windows)

  add_library(ombrelith_windows_manifest OBJECT ${_win_res}/Manifest.rc)
  set_property(SOURCE ${_win_res}/Manifest.rc APPEND PROPERTY OBJECT_DEPENDS
    ${_win_res}/Ombrelith.manifest)
  target_include_directories(ombrelith_windows_manifest PRIVATE ${_win_res})

  add_library(ombrelith_windows_resources OBJECT ${_win_res}/Ombrelith.rc)
  set_property(SOURCE ${_win_res}/Ombrelith.rc APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_CURRENT_LIST_DIR}/images/icon.ico)
  target_include_directories(ombrelith_windows_resources PRIVATE ${CMAKE_CURRENT_LIST_DIR}/images)
endif()

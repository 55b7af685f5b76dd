# The packages, made by CPack from the install layout (install.cmake):
#   build/linux:   cpack -G DEB        -> ombrelith_1.0.0_amd64.deb
#   build/windows: cpack -G "ZIP;NSIS" -> Ombrelith-1.0.0-win64.zip, Ombrelith-1.0.0-win64.exe
set(CPACK_PACKAGE_VENDOR "The Ombrelith developers")
set(CPACK_PACKAGE_CONTACT "The Ombrelith developers <developers@ombrelith.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://ombrelith.example.org/")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shows where the disk space inside a folder goes")
# The long description, as lines of at most 72 characters (no semicolon: CMake would split
# the text there).
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Ombrelith scans a folder's whole tree, adds up the size of every\n"
  "sub-folder and draws the result as nested columns of bands, each as\n"
  "tall as its share of the folder's size. Pressing a folder's band shows\n"
  "that folder, and the bar at the left edge goes back up.\n"
  "It only reads the file system, follows no symbolic link and leaves the\n"
  "kernel's pseudo file systems out.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_PACKAGE_CHECKSUM SHA256)

if(WIN32)
  set(CPACK_PACKAGE_NAME Ombrelith)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_GENERATOR "ZIP;NSIS")
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Ombrelith)
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Ombrelith)
  set(CPACK_PACKAGE_EXECUTABLES Ombrelith Ombrelith)

  # makensis of Debian's nsis builds Windows installers on Linux; its amd64 stubs make a
  # 64-bit installer, which installs under "Program Files" and runs where only 64-bit
  # Windows programs run.
  find_program(OMBRELITH_MAKENSIS makensis)
  if(OMBRELITH_MAKENSIS)
    set(CPACK_NSIS_EXECUTABLE ${OMBRELITH_MAKENSIS})
  endif()
  # CPack inserts these lines into the script before any section or page.
  set(CPACK_NSIS_DEFINES "Target amd64-unicode")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_NSIS_PACKAGE_NAME Ombrelith)
  set(CPACK_NSIS_DISPLAY_NAME Ombrelith)
  set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
  set(CPACK_NSIS_INSTALLED_ICON_NAME Ombrelith.exe)
  set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/resources/images/icon.ico)
  set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/resources/images/icon.ico)
  set(CPACK_NSIS_URL_INFO_ABOUT ${CPACK_PACKAGE_HOMEPAGE_URL})
  set(CPACK_NSIS_CONTACT ${CPACK_PACKAGE_CONTACT})
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
else()
  set(CPACK_PACKAGE_NAME ombrelith)
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CPACK_PACKAGE_HOMEPAGE_URL})
  # Depends is computed from the binary's libraries by dpkg-shlibdeps (dpkg-dev).
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The IPA font stands in for the program's Japanese face where that is not installed.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-ipafont-gothic)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)

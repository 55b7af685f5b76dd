# What `cmake --install` lays out, and so what every package holds.
#   Linux:   bin/ombrelith (shell/), share/ombrelith/Ombrelith.chm (resources/), and here the
#            desktop entry, the icons, the manual page and the Debian documentation files.
#   Windows: Ombrelith.exe and Ombrelith.chm side by side at the top, where the program looks
#            for its help file.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  if(TARGET ombrelith)
    install(TARGETS ombrelith RUNTIME DESTINATION .)
  endif()
  install(FILES ${CMAKE_BINARY_DIR}/Ombrelith.chm DESTINATION .)
  return()
endif()

set(_linux ${CMAKE_CURRENT_LIST_DIR}/linux)
set(_packaging_out ${CMAKE_CURRENT_BINARY_DIR})

install(FILES ${_linux}/ombrelith.desktop DESTINATION share/applications)
foreach(_size 16 22 24 32 48 64 128 256)
  install(FILES ${_linux}/icons/ombrelith-${_size}.png
    DESTINATION share/icons/hicolor/${_size}x${_size}/apps RENAME ombrelith.png)
endforeach()

# The manual page and the changelog are installed gzipped (-n: no name or time stamp, so the
# package is the same from one build to the next).
find_program(OMBRELITH_GZIP gzip REQUIRED)
set(_gzipped)
foreach(_pair "ombrelith.1;ombrelith.1.gz" "changelog;changelog.gz")
  list(GET _pair 0 _source)
  list(GET _pair 1 _output)
  add_custom_command(
    OUTPUT ${_packaging_out}/${_output}
    COMMAND sh -c "${OMBRELITH_GZIP} -9nc '${_linux}/${_source}' > '${_packaging_out}/${_output}'"
    DEPENDS ${_linux}/${_source}
    COMMENT "Compressing ${_source}"
    VERBATIM)
  list(APPEND _gzipped ${_packaging_out}/${_output})
endforeach()
add_custom_target(ombrelith_packaging_docs ALL DEPENDS ${_gzipped})

install(FILES ${_packaging_out}/ombrelith.1.gz DESTINATION share/man/man1)
install(FILES ${_linux}/copyright ${_packaging_out}/changelog.gz
  DESTINATION share/doc/ombrelith)

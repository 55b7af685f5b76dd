# The help file: the pages of resources/help/ compiled by chmcmd into Ombrelith.chm, which is
# put beside the executable (CMAKE_BINARY_DIR). chmcmd runs on the build host in both builds;
# it writes its output beside the project file, so it works on a copy inside the build folder.
find_program(OMBRELITH_CHMCMD chmcmd REQUIRED)

file(GLOB _help_sources CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/help/*.hhp
  ${CMAKE_CURRENT_SOURCE_DIR}/help/*.hhc
  ${CMAKE_CURRENT_SOURCE_DIR}/help/*.html
  ${CMAKE_CURRENT_SOURCE_DIR}/help/*.css)
set(_help_work ${CMAKE_CURRENT_BINARY_DIR}/help)
set(OMBRELITH_HELP_FILE ${CMAKE_BINARY_DIR}/Ombrelith.chm)

add_custom_command(
  OUTPUT ${OMBRELITH_HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${_help_work}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_CURRENT_SOURCE_DIR}/help ${_help_work}
  COMMAND ${CMAKE_COMMAND} -E chdir ${_help_work}
          ${OMBRELITH_CHMCMD} --no-html-scan --verbosity 0 Ombrelith.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${_help_work}/Ombrelith.chm ${OMBRELITH_HELP_FILE}
  DEPENDS ${_help_sources}
  COMMENT "Compiling the help file Ombrelith.chm"
  VERBATIM)
add_custom_target(ombrelith_help ALL DEPENDS ${OMBRELITH_HELP_FILE})

if(NOT WIN32)
  install(FILES ${OMBRELITH_HELP_FILE} DESTINATION share/ombrelith)
endif()

# End-to-end checks of what the program touches (test_readonly.py, under strace) and of how it
# meets damaged settings (test_bad_settings.py). Each drives the real program on a private
# Xvfb; they need Xvfb, xdotool, ImageMagick, strace and xclip. Screenshots and the system-call
# log go to e2e-artefacts in the build folder.
if(TARGET ombrelith AND NOT WIN32)
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  foreach(_check readonly bad_settings)
    add_test(NAME e2e_${_check}
      COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/test_${_check}.py
              $<TARGET_FILE:ombrelith> ${CMAKE_BINARY_DIR}/e2e-artefacts)
    set_tests_properties(e2e_${_check} PROPERTIES LABELS "e2e" TIMEOUT 300)
  endforeach()
endif()

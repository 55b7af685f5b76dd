# ombrelith_add_gtest(NAME SOURCES ... LIBS ... [LABELS ...] [ENV ...])
# One GoogleTest executable, registered with CTest as one test. The cross-build runs it
# through CMAKE_CROSSCOMPILING_EMULATOR (wine64), which add_test applies by itself.
function(ombrelith_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES LABELS "unit;${T_LABELS}" TIMEOUT 600)
  if(T_ENV)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T_ENV}")
  endif()
  if(OMBRELITH_SANITIZE)
    # System libraries' process-lifetime allocations are not leaks of ours.
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
      "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/support/lsan.supp")
  endif()
endfunction()

# bench_chart_qt: paint and press times of the chart in the real main window on the Qt backend.
# bench_scan_program: the program's scan (dialogs, pump, live progress) against the headless one.
if(OMBRELITH_BACKEND STREQUAL "qt")
  find_package(Qt6 QUIET COMPONENTS Widgets)
  find_package(benchmark QUIET)
  if(Qt6_FOUND AND benchmark_FOUND)
    add_executable(bench_chart_qt ${CMAKE_CURRENT_SOURCE_DIR}/chart_qt_bench.cpp)
    target_link_libraries(bench_chart_qt PRIVATE ombrelith_shell benchmark::benchmark)
  endif()
  if(Qt6_FOUND)
    add_executable(bench_scan_program ${CMAKE_CURRENT_SOURCE_DIR}/scan_program_bench.cpp)
    target_link_libraries(bench_scan_program PRIVATE ombrelith_shell Qt6::Core)
    if(NOT WIN32)  # bench/scan.cmake builds the headless tool there
      add_dependencies(bench_scan_program ombrelith-scan)
      target_compile_definitions(bench_scan_program PRIVATE
        OMBRELITH_SCAN_TOOL="$<TARGET_FILE:ombrelith-scan>")
    endif()
  endif()
endif()

# bench_pump: what ProcessMessages costs per call when nothing waits, throttled and not.
if(OMBRELITH_BACKEND STREQUAL "qt")
  find_package(benchmark QUIET)
  if(benchmark_FOUND)
    add_executable(bench_pump ${CMAKE_CURRENT_SOURCE_DIR}/pump_bench.cpp)
    target_link_libraries(bench_pump PRIVATE ombrelith_platform_ui benchmark::benchmark)
  endif()
endif()

# bench_view: paint and hit-test times of the column chart on very large folders.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(bench_view ${CMAKE_CURRENT_SOURCE_DIR}/view_bench.cpp)
  target_link_libraries(bench_view PRIVATE ombrelith_view benchmark::benchmark)
endif()

add_library(ombrelith_platform_base STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/Timer.cpp
)
target_include_directories(ombrelith_platform_base PUBLIC ${CMAKE_SOURCE_DIR})

# GoogleTest is built from Debian's sources (libgtest-dev ships them), so the sanitizer and
# the mingw-w64 builds get a matching copy. nlohmann/json is header-only; its headers are
# copied into the build so that the cross-build does not see the host's /usr/include.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
if(EXISTS ${GTEST_SOURCE_DIR}/CMakeLists.txt)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

set(_json_copy ${CMAKE_BINARY_DIR}/third_party/include)
if(NOT EXISTS ${_json_copy}/nlohmann/json.hpp)
  file(COPY /usr/include/nlohmann DESTINATION ${_json_copy})
endif()
add_library(nlohmann_json_headers INTERFACE)
target_include_directories(nlohmann_json_headers SYSTEM INTERFACE ${_json_copy})

# Cross-compiles the Windows program with Debian's mingw-w64 (posix thread model) and runs
# its test executables under wine64. Debian keeps the 64-bit loader in /usr/lib/wine, off the
# PATH; /usr/bin/wine would pick it too but warns about the missing 32-bit part.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# GCC 12 at -O2 warns falsely about "literal" + std::string&& (GCC bug 105329, -Wrestrict
# inside libstdc++'s char_traits); the warning is off for this compiler only.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

find_program(OMBRELITH_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT OMBRELITH_WINE64)
  set(OMBRELITH_WINE64 wine64)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${OMBRELITH_WINE64})

# Cross-compiling for 64-bit Windows with MinGW-w64 (posix threads, for std::thread and
# std::jthread). Programs link the C and C++ runtimes statically, so an .exe needs no DLL beside
# it; Wine runs the test programs, so ctest and gtest_discover_tests work as on Linux.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# g++ 12 warns wrongly about overlapping copies inside std::string concatenation at -O2 (fixed in
# g++ 13); the warning would fail builds with warnings as errors.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Libraries built for Windows (wxMSW, GoogleTest) are added to the search root by the caller.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Wine runs in a prefix of the project's own (outside the clone, made on first use), quietly.
find_program(CORVANE_WINE NAMES wine wine64)
if(DEFINED ENV{XDG_CACHE_HOME})
  set(cache_home $ENV{XDG_CACHE_HOME})
else()
  set(cache_home $ENV{HOME}/.cache)
endif()
set(CORVANE_WINEPREFIX ${cache_home}/corvane-ldap/wine-prefix CACHE PATH "Wine prefix the Windows programs run in")
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=" WINEPREFIX=${CORVANE_WINEPREFIX}
                                   ${CORVANE_WINE})

# Cross-compiling for 64-bit Windows with MinGW-w64 (posix threads, for std::thread and
# std::jthread). Programs link the C and C++ runtimes statically, so an .exe needs no DLL beside
# it; Wine runs the test programs, so ctest and gtest_discover_tests work as on Linux.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Libraries built for Windows (wxMSW, GoogleTest) are added to the search root by the caller.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(CORVANE_WINE NAMES wine wine64)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVANE_WINE})

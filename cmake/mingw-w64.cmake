# Cross-builds tinsori.exe for 64-bit Windows with Debian's mingw-w64 (posix threads, so that
# std::thread and std::mutex work). Used by `make windows` and `make test-windows`.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TINSORI_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TINSORI_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TINSORI_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TINSORI_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TINSORI_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and tools run the programs under wine.
find_program(TINSORI_WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TINSORI_WINE64})

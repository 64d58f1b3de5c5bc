# Cross-compiling Portlark for 64-bit Windows with MinGW-w64 (Debian's posix-threads flavour).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${_mingw}-gcc-posix ${_mingw}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${_mingw}-g++-posix ${_mingw}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${_mingw}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

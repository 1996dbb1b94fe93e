# Cross-building Pelora's core for 64-bit Windows on Debian, with MinGW-w64's POSIX-thread
# compilers (g++-mingw-w64-x86-64-posix). The C libraries built for Windows by
# tools/windows/core-tests.sh are found under PELORA_WINDOWS_PREFIX.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${PELORA_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The programs carry MinGW's runtime in themselves, so that Wine (or Windows) needs no DLL of it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Programs built here that the build itself runs (the manual's generator) run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# The part of the MinGW-w64 toolchain files (cmake/mingw-i686.cmake,
# cmake/mingw-x86_64.cmake) that both architectures share: they set
# CMAKE_SYSTEM_PROCESSOR and include this file.
#
# The C and C++ runtimes are linked statically, so quillon.scr and the test
# programs run on a Windows machine with nothing else installed. The compilers
# of the "posix" thread model are preferred: their libstdc++ has std::thread
# and std::mutex (winpthreads, also linked statically).
set(CMAKE_SYSTEM_NAME Windows)

set(QUILLON_MINGW_TRIPLET ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${QUILLON_MINGW_TRIPLET}-gcc-posix ${QUILLON_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${QUILLON_MINGW_TRIPLET}-g++-posix ${QUILLON_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QUILLON_MINGW_TRIPLET}-windres REQUIRED)

# Look for headers, libraries and packages of the target only, never the
# build machine's; programs (code generators, the emulator) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${QUILLON_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# CMake toolchain file for the Windows build: cross-compiles Quillon for
# 32-bit Windows with Debian's MinGW-w64 (i686-w64-mingw32) and compiles the
# resources with its windres.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
#         -DCURL_DIR=<libcurl prefix>/lib/cmake/CURL
#
# What both architectures share is in cmake/mingw-common.cmake.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# CMake toolchain file for the Windows build: cross-compiles Quillon for
# 64-bit Windows with Debian's MinGW-w64 (x86_64-w64-mingw32) and compiles the
# resources with its windres.
#
#   cmake -S . -B build-windows64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
#         -DCURL_DIR=<libcurl prefix>/lib/cmake/CURL
#
# What both architectures share is in cmake/mingw-common.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

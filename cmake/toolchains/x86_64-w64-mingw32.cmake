# Cross build of a 64-bit (x86-64) Windows DLL with MinGW-w64 (Debian's
# x86-64 packages, g++-mingw-w64-x86-64).
#
#   cmake --preset mingw64    (or -DCMAKE_TOOLCHAIN_FILE=<this file>)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VYKPAV_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

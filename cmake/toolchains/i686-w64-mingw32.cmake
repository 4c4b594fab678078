# Cross build of a 32-bit Windows DLL with MinGW-w64 (Debian's i686 packages,
# g++-mingw-w64-i686).
#
#   cmake --preset mingw    (or -DCMAKE_TOOLCHAIN_FILE=<this file>)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VYKPAV_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Cross build of a 32-bit Windows DLL with MinGW-w64 (Debian's i686 packages).
#
#   cmake --preset mingw    (or -DCMAKE_TOOLCHAIN_FILE=<this file>)
#
# The POSIX-threads variant of the compilers is required: the win32-threads
# variant of GCC 12 has no std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(VYKPAV_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${VYKPAV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VYKPAV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VYKPAV_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW sysroot only; programs (the build
# tools) from the build host.
set(CMAKE_FIND_ROOT_PATH /usr/${VYKPAV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Link libgcc, libstdc++ and winpthread statically into the DLL and into every
# test program, so they need nothing at run time beyond the system DLLs
# (kernel32, msvcrt, ...), which only exist as import libraries anyway.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# ctest runs the Windows test programs under Wine, with a private prefix
# inside the build tree (see wine-run.sh).
get_filename_component(VYKPAV_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../wine-run.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${VYKPAV_WINE_RUN};${CMAKE_BINARY_DIR}/wineprefix")

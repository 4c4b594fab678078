# What the two MinGW-w64 toolchain files share; each sets the triplet and the
# processor, then includes this file. Not a toolchain file itself.
#
# The POSIX-threads variant of the compilers is required: the win32-threads
# variant of GCC 12 has no std::mutex.
set(CMAKE_SYSTEM_NAME Windows)

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
# inside the build tree (see wine-run.sh, which takes the prefix's width from
# the program's).
get_filename_component(VYKPAV_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../wine-run.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${VYKPAV_WINE_RUN};${CMAKE_BINARY_DIR}/wineprefix")

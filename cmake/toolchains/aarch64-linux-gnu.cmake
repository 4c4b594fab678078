# Cross build for 64-bit Arm Linux with Debian's g++-aarch64-linux-gnu.
#
#   cmake --preset arm64    (or -DCMAKE_TOOLCHAIN_FILE=<this file>)
#
# ctest runs every test program under qemu-aarch64 (Debian's qemu-user),
# which finds the target's loader and shared libraries in the cross sysroot.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(VYKPAV_CROSS_TRIPLET aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${VYKPAV_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${VYKPAV_CROSS_TRIPLET}-g++)

# Libraries and headers come from the cross sysroot only; programs (the
# build tools) from the build host.
set(CMAKE_FIND_ROOT_PATH /usr/${VYKPAV_CROSS_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(VYKPAV_QEMU_AARCH64 qemu-aarch64 REQUIRED
  DOC "qemu-aarch64, which runs the tests (Debian package qemu-user)")
set(CMAKE_CROSSCOMPILING_EMULATOR
  "${VYKPAV_QEMU_AARCH64};-L;/usr/${VYKPAV_CROSS_TRIPLET}")

# Release archives, made by `cpack` in a build tree (the test command makes
# each and proves it with a host built from its unpacked files alone):
#
#   Windows, per width   vykpav-<version>-win32.zip, vykpav-<version>-win64.zip
#   Linux                vykpav_<version>_<architecture>.deb and
#                        vykpav-<version>-Linux-<processor>.tar.gz
#
# Each holds what `cmake --install` installs (the library, its headers and
# package files, and vykpav-report where it is built) with README, LICENSE
# and CHANGELOG. Included from the top-level CMakeLists.txt after the
# install rules.

# The documents: at the top of a Windows archive, where its user looks
# first; in the documentation folder on Linux.
if(WIN32)
  set(vykpav_doc_destination .)
else()
  set(vykpav_doc_destination ${CMAKE_INSTALL_DOCDIR})
endif()
install(FILES README.md LICENSE CHANGELOG.md
  DESTINATION ${vykpav_doc_destination}
  COMPONENT vykpav_Documentation)

set(CPACK_PACKAGE_NAME vykpav)
set(CPACK_PACKAGE_VENDOR "The vykpav authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_PACKAGE_CHECKSUM SHA256)
# The archives unpack into one folder of their own name.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
else()
  set(CPACK_GENERATOR DEB TGZ)
  set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})

  # Debian's own names for the architectures built here.
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
  endif()
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The vykpav authors <vykpav@users.noreply.invalid>")
  set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "${PROJECT_DESCRIPTION}\n"
    "VYK_PAV times named code areas of a C++ program and writes a text report;\n"
    "VYKNB64 is a saturating unsigned 64-bit integer class. With the headers,\n"
    "the CMake package and pkg-config file, and vykpav-report, which sums up,\n"
    "compares and charts the reports.")
  # The shared library and vykpav-report need the C and C++ runtimes.
  # Natively dpkg-shlibdeps reads which versions from the binaries; a cross
  # build has no package database of its target, so there the package asks
  # for the versions of this Debian release's runtimes it was built with.
  if(CMAKE_CROSSCOMPILING)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.36), libgcc-s1 (>= 3.0), libstdc++6 (>= 12)")
  else()
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  endif()
endif()

set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME})

# The archives `cpack` makes here, by their full names, for the tests that
# prove them. (Taken before include(CPack), which sets the file name to
# that of the source package on its way.)
if(WIN32)
  set(VYKPAV_RELEASE_ARCHIVES ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip)
else()
  set(VYKPAV_RELEASE_ARCHIVES
    ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_NAME}_${CPACK_PACKAGE_VERSION}_${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}.deb
    ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.tar.gz)
endif()

include(CPack)

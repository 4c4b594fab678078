# Install rules: the public headers, the shared library, a CMake package
# (find_package(vykpav) gives vykpav::vykpav) and a pkg-config file.
# Included from the top-level CMakeLists.txt when VYKPAV_INSTALL is on.
#
# Only the shared library and its headers go out: vykpav_objects and
# vykpav_internal are build details, and the export set names vykpav alone.

include(CMakePackageConfigHelpers)

# Where the package files go: VYKPAV_INSTALL_CMAKEDIR and
# VYKPAV_INSTALL_PKGCONFIGDIR, set with the other options.

# Runtime: what a program needs to run (the .so with its versioned name, the
# DLL). Development: headers, the unversioned link name, the import library,
# the package files.
install(TARGETS vykpav
  EXPORT vykpavTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    COMPONENT vykpav_Runtime
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT vykpav_Runtime
    NAMELINK_COMPONENT vykpav_Development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT vykpav_Development)

# The headers are listed rather than globbed, so a header added for the
# library's own use is never shipped by accident.
install(FILES
    include/selvorin/export.h
    include/selvorin/marks.h
    include/selvorin/vyk_pav.h
    include/selvorin/vyknb64.h
    include/selvorin/vyknb64_ostream.h
    ${VYKPAV_GENERATED_INCLUDE_DIR}/selvorin/version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/selvorin
  COMPONENT vykpav_Development)

install(EXPORT vykpavTargets
  NAMESPACE vykpav::
  DESTINATION ${VYKPAV_INSTALL_CMAKEDIR}
  COMPONENT vykpav_Development)

configure_package_config_file(
  ${PROJECT_SOURCE_DIR}/cmake/vykpavConfig.cmake.in
  ${PROJECT_BINARY_DIR}/vykpavConfig.cmake
  INSTALL_DESTINATION ${VYKPAV_INSTALL_CMAKEDIR})
# A new major version may change the interface; a host asking for 1.x takes
# any 1.y with y >= x.
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/vykpavConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
    ${PROJECT_BINARY_DIR}/vykpavConfig.cmake
    ${PROJECT_BINARY_DIR}/vykpavConfigVersion.cmake
  DESTINATION ${VYKPAV_INSTALL_CMAKEDIR}
  COMPONENT vykpav_Development)

# pkg-config: the paths are written relative to the .pc file's own folder
# (${pcfiledir}), so `cmake --install --prefix <elsewhere>` and a moved
# prefix both keep working. Absolute install folders are written as they are.
function(vykpav_pc_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "\${prefix}/${dir}" PARENT_SCOPE)
  endif()
endfunction()
if(IS_ABSOLUTE "${VYKPAV_INSTALL_PKGCONFIGDIR}")
  set(VYKPAV_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH pc_to_prefix
    /prefix/${VYKPAV_INSTALL_PKGCONFIGDIR} /prefix)
  string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
  set(VYKPAV_PC_PREFIX "\${pcfiledir}/${pc_to_prefix}")
endif()
vykpav_pc_path(VYKPAV_PC_LIBDIR "${CMAKE_INSTALL_LIBDIR}")
# A Windows package has vykpav.lib, of the Visual C++ names alone, beside
# MinGW's import library; GNU ld takes it for -lvykpav when it links with
# -static, as MinGW hosts often do. So the .pc names MinGW's file itself.
if(VYKPAV_VISUAL_CPP_INTERFACE)
  set(VYKPAV_PC_LINK "-l:${CMAKE_IMPORT_LIBRARY_PREFIX}vykpav${CMAKE_IMPORT_LIBRARY_SUFFIX}")
else()
  set(VYKPAV_PC_LINK "-lvykpav")
endif()
vykpav_pc_path(VYKPAV_PC_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/vykpav.pc.in
  ${PROJECT_BINARY_DIR}/vykpav.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vykpav.pc
  DESTINATION ${VYKPAV_INSTALL_PKGCONFIGDIR}
  COMPONENT vykpav_Development)

# The MinGW DLL, 32-bit and 64-bit, also serves hosts built with Visual C++:
# the layer in library/visual_cpp_*.cpp gives every member and operator that
# compiler's calling convention where MinGW's differs, a .def file exports
# each under that compiler's decorated name (library/visual_cpp_exports.def
# for x86, library/visual_cpp_exports_x64.def for x64), and llvm-dlltool
# makes the Microsoft-format import library vykpav.lib of the same list,
# beside the DLL. The MinGW names and import library stay as they are.
#
# Included from the top-level CMakeLists.txt after the vykpav target.

if(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(VYKPAV_VISUAL_CPP_DEF ${PROJECT_SOURCE_DIR}/library/visual_cpp_exports.def)
  set(VYKPAV_DLLTOOL_MACHINE i386)
elseif(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VYKPAV_VISUAL_CPP_DEF ${PROJECT_SOURCE_DIR}/library/visual_cpp_exports_x64.def)
  set(VYKPAV_DLLTOOL_MACHINE i386:x86-64)
else()
  set(VYKPAV_VISUAL_CPP_INTERFACE OFF)
  return()
endif()
set(VYKPAV_VISUAL_CPP_INTERFACE ON)

target_sources(vykpav_objects PRIVATE
  library/visual_cpp_number.cpp
  library/visual_cpp_timer.cpp)
target_sources(vykpav PRIVATE ${VYKPAV_VISUAL_CPP_DEF})

find_program(VYKPAV_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED
  DOC "llvm-dlltool, which makes vykpav.lib for Visual C++ hosts (Debian package llvm)")
add_custom_command(TARGET vykpav POST_BUILD
  COMMAND ${VYKPAV_LLVM_DLLTOOL} -m ${VYKPAV_DLLTOOL_MACHINE} -d ${VYKPAV_VISUAL_CPP_DEF}
    -l $<TARGET_FILE_DIR:vykpav>/vykpav.lib
  COMMENT "Import library for Visual C++ hosts: vykpav.lib"
  VERBATIM)

if(VYKPAV_INSTALL)
  install(FILES $<TARGET_FILE_DIR:vykpav>/vykpav.lib
    DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT vykpav_Development)
endif()

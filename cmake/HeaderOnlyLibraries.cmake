# vykpav-report's header-only libraries, CLI11 and nlohmann-json.
#
# A native build takes Debian's CMake packages of them. A cross build
# cannot: those packages put the build host's /usr/include on the include
# path, whose C library headers are not the target's. Yet the two
# libraries are headers alone, the same for every target, so there each
# one's own folder is linked into a folder of the build tree, and only
# that folder goes on the path.

# vykpav_header_only_library(<target> <folder> <header>)
# Defines the imported target <target> for the library whose headers live
# in <folder> of the build host's include directory, which must hold
# <header>.
function(vykpav_header_only_library target folder header)
  if(TARGET ${target})
    return()
  endif()
  find_path(VYKPAV_${folder}_INCLUDE_DIR ${header}
    PATHS /usr/include /usr/local/include
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
    DOC "The build host's include folder that holds ${header}")
  if(NOT VYKPAV_${folder}_INCLUDE_DIR)
    message(FATAL_ERROR "${header} not found on the build host (see .ci/run for the packages)")
  endif()
  set(staged ${CMAKE_BINARY_DIR}/header-only-libraries)
  file(MAKE_DIRECTORY ${staged})
  file(CREATE_LINK ${VYKPAV_${folder}_INCLUDE_DIR}/${folder} ${staged}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${staged})
endfunction()

if(CMAKE_CROSSCOMPILING)
  vykpav_header_only_library(CLI11::CLI11 CLI CLI/CLI.hpp)
  vykpav_header_only_library(nlohmann_json::nlohmann_json nlohmann nlohmann/json.hpp)
else()
  find_package(CLI11 2 REQUIRED)
  find_package(nlohmann_json 3 REQUIRED)
endif()

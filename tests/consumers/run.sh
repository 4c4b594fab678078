#!/usr/bin/env bash
# Builds and runs hosts of vykpav the ways a user adopts it:
#
#   find-package      CMake project, find_package(vykpav 1.0) on an installed prefix
#   pkg-config        plain g++ with `pkg-config --cflags --libs vykpav`, same prefix
#   add-subdirectory  CMake project, add_subdirectory(<source tree>)
#   visual-cpp        (Windows) a CMake project built as Visual C++ (clang-cl) finds
#                     the same prefix and links vykpav.lib
#
#   run.sh                       every step in a temporary work folder
#   run.sh <step> <work folder>  one step; ctest runs each as a test
#   run.sh <step> <work folder> <toolchain file> <wineprefix>
#                                one step of a Windows DLL, cross-built with a
#                                MinGW-w64 toolchain file (either width), its
#                                hosts run under Wine with that prefix
#
# Steps: install (the library configured, built and installed afresh, in
# the release configuration, into <work>/prefix, and the installed tree
# checked), version-check, find-package and pkg-config (against that
# prefix), add-subdirectory (its own build of the source tree; not for
# Windows), visual-cpp (Windows alone: configured only, as there is no
# Visual C++ runtime to link a program with; the host of the other width is
# refused). Nothing comes from other build trees. Each host runs in its own
# folder and its report is checked. Any failure stops the script with a
# message; the work folder is then kept for a look.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"
steps=(install version-check find-package pkg-config add-subdirectory)
windows_steps=(install version-check find-package pkg-config visual-cpp)

if [ $# -eq 0 ]; then
  work="$(mktemp -d "${TMPDIR:-/tmp}/vykpav-consumers.XXXXXX")"
  finish() {
    local status=$?
    if [ "$status" -eq 0 ]; then
      rm -rf "$work"
    else
      printf 'FAILED (exit %s); work folder kept: %s\n' "$status" "$work" >&2
    fi
  }
  trap finish EXIT
  chosen=("${steps[@]}")
elif [ $# -eq 2 ] && [[ " ${steps[*]} " == *" $1 "* ]]; then
  chosen=("$1")
  mkdir -p "$2"
  work="$(cd "$2" && pwd)"
elif [ $# -eq 4 ] && [[ " ${windows_steps[*]} " == *" $1 "* ]]; then
  chosen=("$1")
  mkdir -p "$2"
  work="$(cd "$2" && pwd)"
  toolchain="$(realpath "$3")"
  wineprefix="$4"
else
  echo "usage: $0 [<step> <work folder> [<toolchain file> <wineprefix>]]" >&2
  echo "  steps: ${steps[*]}; for Windows: ${windows_steps[*]}" >&2
  exit 2
fi
prefix="$work/prefix"
# A Windows build: configured with the toolchain file, its hosts run under Wine.
windows=no
cross=()
if [ -n "${toolchain:-}" ]; then
  windows=yes
  cross=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
fi

fail() { printf 'FAILED: %s\n' "$*" >&2; exit 1; }
step() { printf -- '--- %s\n' "$*"; }
# Build output is shown only when something goes wrong.
quiet() {
  local log="$work/last.log"
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    fail "$*"
  fi
}

# The report names both areas of the host and ends with the closing notice.
# Lines end in CR LF; the notice is in English because the hosts run with
# LC_ALL=C.
check_report() {
  local report="$1" area="$2"
  [ -s "$report" ] || fail "no report at $report"
  local text
  text="$(tr -d '\r' <"$report")"
  local name found line
  for name in "$area" "$area (scope)"; do
    found=no
    while IFS= read -r line; do
      if [[ "$line" == *" microseconds: __________ $name __________" ]]; then found=yes; fi
    done <<<"$text"
    [ "$found" = yes ] || fail "$report has no head line for area \"$name\""
  done
  local last
  last="$(printf '%s\n' "$text" | awk 'NF { last = $0 } END { print last }')"
  [ "$last" = "Selvorin VYK_PAV code area timer" ] ||
    fail "$report ends with \"$last\", not the closing notice"
}

# Runs a host in a fresh folder of its own and checks its report. The host
# must load the installed library (or, for add-subdirectory, the one it built).
run_host() {
  local name="$1" exe="$2" library_dir="$3"
  local run="$work/$name/run"
  if [ "$windows" = yes ]; then
    # Windows loads a DLL from the program's folder first: the program and
    # the installed DLL go there, and nothing else.
    rm -rf "$run"
    mkdir -p "$run"
    cp "$exe" "$library_dir/vykpav.dll" "$run/"
    (cd "$run" && LC_ALL=C "$root/cmake/wine-run.sh" "$wineprefix" "$run/$(basename "$exe")" \
      report.txt "$name host") || fail "$name host exited with $?"
    check_report "$run/report.txt" "$name host"
    echo "$name: report checked ($(wc -l <"$run/report.txt") lines)"
    return
  fi
  mkdir -p "$run"
  local loaded
  loaded="$(ldd "$exe" | awk '$1 == "libvykpav.so.1" { print $3 }')"
  if [ ! -f "$loaded" ] ||
     [ "$(realpath "$(dirname "$loaded")")" != "$(realpath "$library_dir")" ]; then
    fail "$name host does not load libvykpav.so.1 from $library_dir; ldd says:
$(ldd "$exe")"
  fi
  (cd "$run" && LC_ALL=C "$exe" report.txt "$name host") ||
    fail "$name host exited with $?"
  check_report "$run/report.txt" "$name host"
  echo "$name: report checked ($(wc -l <"$run/report.txt") lines)"
}

install_step() {
  step "Library: configure, build, install into $prefix"
  rm -rf "$work/build" "$prefix"
  # Configured for /usr/local and installed elsewhere with --prefix: the
  # package files must not depend on the configured prefix.
  quiet cmake -S "$root" -B "$work/build" "${cross[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr/local -DCMAKE_INSTALL_LIBDIR=lib \
    -DVYKPAV_TESTS=OFF -DVYKPAV_EXAMPLES=OFF -DVYKPAV_WERROR=ON
  quiet cmake --build "$work/build" --parallel "$jobs"
  quiet cmake --install "$work/build" --prefix "$prefix"

  step "Installed tree"
  # The headers and package files, the same for every build.
  local common="include
include/selvorin
include/selvorin/export.h
include/selvorin/marks.h
include/selvorin/vyk_pav.h
include/selvorin/vyknb64.h
include/selvorin/vyknb64_ostream.h
lib
lib/cmake
lib/cmake/vykpav
lib/cmake/vykpav/vykpavConfig.cmake
lib/cmake/vykpav/vykpavConfigVersion.cmake
lib/cmake/vykpav/vykpavTargets-release.cmake
lib/cmake/vykpav/vykpavTargets.cmake
lib/pkgconfig
lib/pkgconfig/vykpav.pc"
  # Windows: the DLL and its two import libraries, and the tool, one layout
  # for either width. Linux: the shared library with its version links, and
  # the tool.
  local expected
  if [ "$windows" = yes ]; then
    expected="$(printf '%s\n' "$common" bin bin/vykpav.dll bin/vykpav-report.exe \
      lib/libvykpav.dll.a lib/vykpav.lib | LC_ALL=C sort)"
  else
    expected="$(printf '%s\n' "$common" bin bin/vykpav-report lib/libvykpav.so \
      lib/libvykpav.so.1 lib/libvykpav.so.1.0.0 | LC_ALL=C sort)"
  fi
  actual="$(cd "$prefix" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort)"
  if [ "$actual" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    fail "installed files differ from the expected list (< expected, > installed)"
  fi
  if [ "$windows" = no ]; then
    [ "$(readlink "$prefix/lib/libvykpav.so")" = libvykpav.so.1 ] ||
      fail "lib/libvykpav.so does not link to libvykpav.so.1"
    [ "$(readlink "$prefix/lib/libvykpav.so.1")" = libvykpav.so.1.0.0 ] ||
      fail "lib/libvykpav.so.1 does not link to libvykpav.so.1.0.0"
    objdump -p "$prefix/lib/libvykpav.so.1.0.0" | grep -Eq '^ +SONAME +libvykpav\.so\.1$' ||
      fail "libvykpav.so.1.0.0 lacks the SONAME libvykpav.so.1"
  else
    # The tool is linked statically: it needs no DLL beside it, only the
    # system's.
    local imports others
    imports="$("$(target_objdump)" -p "$prefix/bin/vykpav-report.exe" |
      sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | LC_ALL=C sort -u)"
    [ -n "$imports" ] || fail "no DLL imports read from bin/vykpav-report.exe"
    others="$(grep -vxE 'kernel32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+|shell32|user32|advapi32' \
      <<<"${imports//.dll/}" || true)"
    [ -z "$others" ] || fail "bin/vykpav-report.exe needs DLLs beside it: $others"
    echo "bin/vykpav-report.exe imports system DLLs alone:" $imports
  fi
  # The package files must name nothing from the source or build tree and no
  # internal target or definition.
  if grep -rnF -e "$root" -e "$work/build" -e vykpav_objects -e vykpav_internal \
      -e VYKPAV_BUILDING "$prefix/lib/cmake" "$prefix/lib/pkgconfig" >&2; then
    fail "the package files above name the build tree or an internal target"
  fi
  echo "installed tree as expected"
}

# The objdump of the install step's build (the MinGW one for Windows).
target_objdump() {
  sed -n 's/^CMAKE_OBJDUMP:[A-Z]*=//p' "$work/build/CMakeCache.txt"
}

# The steps below the install one need its prefix.
need_prefix() {
  [ -f "$prefix/lib/cmake/vykpav/vykpavConfig.cmake" ] ||
    fail "no installed library in $prefix: run the install step first"
}

version_check_step() {
  step "Version requests against the installed package"
  need_prefix
  rm -rf "$work/version-check"
  quiet cmake -S "$here/version-check" -B "$work/version-check" \
    -DCMAKE_PREFIX_PATH="$prefix"
  echo "1.0 and the exact version accepted; 0.9, 2.0 and the next minor refused"
}

# What a CMake host links for vykpav::vykpav: the file its project wrote
# (vykpav_linker_file.txt in its build folder) must be `expected`.
check_linker_file() {
  local build="$1" expected="$2"
  local linked
  linked="$(cat "$build/vykpav_linker_file.txt")"
  [ "$linked" = "$expected" ] || fail "the host links \"$linked\", not $expected"
}

find_package_step() {
  step "find-package host"
  need_prefix
  rm -rf "$work/find-package"
  # A cross build looks for packages inside its root path alone (the
  # toolchain file's CMAKE_FIND_ROOT_PATH_MODE_PACKAGE): there the host
  # names the package's folder, as users of a cross toolchain do.
  local where=(-DCMAKE_PREFIX_PATH="$prefix")
  [ "$windows" = no ] || where=(-Dvykpav_DIR="$prefix/lib/cmake/vykpav")
  quiet cmake -S "$here/find-package" -B "$work/find-package/build" "${cross[@]}" \
    -DCMAKE_BUILD_TYPE=Release "${where[@]}"
  quiet cmake --build "$work/find-package/build" --parallel "$jobs"
  if [ "$windows" = yes ]; then
    check_linker_file "$work/find-package/build" "$prefix/lib/libvykpav.dll.a"
    run_host find-package "$work/find-package/build/consumer_host.exe" "$prefix/bin"
  else
    check_linker_file "$work/find-package/build" "$prefix/lib/libvykpav.so.1.0.0"
    run_host find-package "$work/find-package/build/consumer_host" "$prefix/lib"
  fi
}

pkg_config_step() {
  step "pkg-config host"
  need_prefix
  rm -rf "$work/pkg-config"
  export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
  pkg-config --atleast-version=1.0 vykpav || fail "pkg-config finds no vykpav >= 1.0"
  read -r -a pc_flags <<<"$(pkg-config --cflags --libs vykpav)"
  pc_libdir="$(pkg-config --variable=libdir vykpav)"
  mkdir -p "$work/pkg-config"
  if [ "$windows" = yes ]; then
    # The compiler the toolchain file names; the C++ runtime linked in, as
    # that file does for the library.
    local compiler
    printf 'include("%s")\nmessage("${CMAKE_CXX_COMPILER}")\n' "$toolchain" \
      >"$work/pkg-config/compiler.cmake"
    compiler="$(cmake -P "$work/pkg-config/compiler.cmake" 2>&1)"
    quiet "$compiler" -std=c++17 -O2 -Wall -Wextra -Wpedantic -Werror \
      -o "$work/pkg-config/consumer_host.exe" "$here/host.cpp" "${pc_flags[@]}" -static
    run_host pkg-config "$work/pkg-config/consumer_host.exe" "$prefix/bin"
  else
    quiet g++ -std=c++17 -O2 -Wall -Wextra -Wpedantic -Werror \
      -o "$work/pkg-config/consumer_host" "$here/host.cpp" \
      "${pc_flags[@]}" -Wl,-rpath,"$pc_libdir"
    run_host pkg-config "$work/pkg-config/consumer_host" "$prefix/lib"
  fi
}

add_subdirectory_step() {
  step "add-subdirectory host"
  rm -rf "$work/add-subdirectory"
  quiet cmake -S "$here/add-subdirectory" -B "$work/add-subdirectory/build" \
    -DCMAKE_BUILD_TYPE=Release -DVYKPAV_SOURCE_DIR="$root"
  quiet cmake --build "$work/add-subdirectory/build" --parallel "$jobs"
  run_host add-subdirectory "$work/add-subdirectory/build/consumer_host" \
    "$work/add-subdirectory/build/vykpav"
}

visual_cpp_step() {
  step "Visual C++ hosts (clang-cl), configured"
  need_prefix
  local clang_cl
  clang_cl="$(command -v clang-cl || command -v clang-cl-14 || true)"
  [ -n "$clang_cl" ] || fail "clang-cl is missing (Debian package clang)"
  # The width of the installed DLL, as the MinGW objdump reads it.
  local objdump format
  objdump="$(target_objdump)"
  format="$("$objdump" -f "$prefix/bin/vykpav.dll" | sed -n 's/.*file format //p')"
  local target build
  for target in i686-pc-windows-msvc x86_64-pc-windows-msvc; do
    build="$work/visual-cpp/$target"
    rm -rf "$build"
    # Nothing is linked: no Visual C++ runtime to link a program with here.
    quiet cmake -S "$here/visual-cpp" -B "$build" -DCMAKE_SYSTEM_NAME=Windows \
      -DCMAKE_CXX_COMPILER="$clang_cl" -DCMAKE_CXX_COMPILER_TARGET="$target" \
      -DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_PREFIX_PATH="$prefix"
    case "$target/$format" in
      i686*/pei-i386 | x86_64*/pei-x86-64)
        check_linker_file "$build" "$prefix/lib/vykpav.lib"
        echo "$target: links $prefix/lib/vykpav.lib"
        ;;
      *)
        check_linker_file "$build" ""
        echo "$target: the package of the other width ($format) refused"
        ;;
    esac
  done
}

start=$SECONDS
for chosen_step in "${chosen[@]}"; do
  "${chosen_step//-/_}_step"
done
echo "${chosen[*]}: passed in $((SECONDS - start)) s"

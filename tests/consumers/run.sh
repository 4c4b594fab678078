#!/usr/bin/env bash
# Builds and runs hosts of vykpav the ways a user adopts it:
#
#   find-package      CMake project, find_package(vykpav 1.0) on an installed prefix
#   pkg-config        the compiler with `pkg-config --cflags --libs vykpav`, same prefix
#   add-subdirectory  CMake project, add_subdirectory(<source tree>)
#   visual-cpp        (Windows) a CMake project built as Visual C++ (clang-cl) finds
#                     the same prefix and links vykpav.lib
#
#   run.sh                                every native step in a temporary work folder
#   run.sh <step> <work folder> [options] one step; ctest runs each as a test
#
# Options:
#   --toolchain <file>   a cross build: the library and the hosts are built with
#                        this toolchain file (a MinGW-w64 one of either width,
#                        or aarch64 Linux)
#   --archive <file>     the archive step's release archive (.zip, .tar.gz, .deb)
#   -- <command...>      the rest: the emulator a cross build's programs run
#                        under (cmake/wine-run.sh <prefix>, qemu-aarch64 ...)
#
# Steps: install (the library configured, built and installed afresh, in
# the release configuration, into <work>/prefix, and the installed tree
# checked), version-check, find-package and pkg-config (against that
# prefix), add-subdirectory (its own build of the source tree; native
# only), visual-cpp (Windows alone: configured only, as there is no Visual
# C++ runtime to link a program with; the host of the other width is
# refused), and archive: the release archive unpacked into an empty folder,
# its files checked, and the find-package and pkg-config hosts (and on
# Windows the visual-cpp one) built from its files alone; vykpav-report of
# the archive then sums up a host's report. Nothing comes from other build
# trees. Each host runs in its own folder, and its report and the version
# its headers give are checked. Any failure stops the script with a
# message; the work folder is then kept for a look.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"
native_steps=(install version-check find-package pkg-config add-subdirectory)
all_steps=(install version-check find-package pkg-config add-subdirectory visual-cpp archive)

usage() {
  echo "usage: $0 [<step> <work folder> [--toolchain <file>] [--archive <file>] [-- <emulator...>]]" >&2
  echo "  steps: ${all_steps[*]}" >&2
  exit 2
}

toolchain=""
archive=""
emulator=()
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
  chosen=("${native_steps[@]}")
else
  [ $# -ge 2 ] && [[ " ${all_steps[*]} " == *" $1 "* ]] || usage
  chosen=("$1")
  mkdir -p "$2"
  work="$(cd "$2" && pwd)"
  shift 2
  while [ $# -gt 0 ]; do
    case "$1" in
      --toolchain) [ $# -ge 2 ] || usage; toolchain="$(realpath "$2")"; shift 2 ;;
      --archive) [ $# -ge 2 ] || usage; archive="$(realpath "$2")"; shift 2 ;;
      --) shift; emulator=("$@"); break ;;
      *) usage ;;
    esac
  done
fi
prefix="$work/prefix"

# What the toolchain file sets, read by CMake itself.
toolchain_value() {
  printf 'include("%s")\nmessage("${%s}")\n' "$toolchain" "$1" >"$work/toolchain-value.cmake"
  cmake -P "$work/toolchain-value.cmake" 2>&1
}
# The target: native Linux, or a cross build for Windows or for Linux.
windows=no
cross=()
if [ -n "$toolchain" ]; then
  cross=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
  [ "$(toolchain_value CMAKE_SYSTEM_NAME)" != Windows ] || windows=yes
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

# The version of the package in $prefix, as its CMake version file says.
package_version() {
  sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' "$prefix/lib/cmake/vykpav/vykpavConfigVersion.cmake"
}

# What the dynamic loader would load for a program, as ldd asks it. Under
# qemu-user the variable must reach the emulated program's loader, not
# the emulator's own.
loader_trace() {
  if [ ${#emulator[@]} -eq 0 ]; then
    LD_TRACE_LOADED_OBJECTS=1 "$1"
  else
    QEMU_SET_ENV=LD_TRACE_LOADED_OBJECTS=1 "${emulator[@]}" "$1"
  fi
}

# Runs a host in a fresh folder of its own and checks its report and the
# version it prints. The host must load the installed library (or, for
# add-subdirectory, the one it built).
run_host() {
  local name="$1" exe="$2" library_dir="$3"
  local run="$work/$name/run"
  rm -rf "$run"
  mkdir -p "$run"
  if [ "$windows" = yes ]; then
    # Windows loads a DLL from the program's folder first: the program and
    # the installed DLL go there, and nothing else.
    cp "$exe" "$library_dir/vykpav.dll" "$run/"
    exe="$run/$(basename "$exe")"
  else
    local loaded
    loaded="$(loader_trace "$exe" | awk '$1 == "libvykpav.so.1" { print $3 }')"
    if [ ! -f "$loaded" ] ||
       [ "$(realpath "$(dirname "$loaded")")" != "$(realpath "$library_dir")" ]; then
      fail "$name host does not load libvykpav.so.1 from $library_dir; the loader says:
$(loader_trace "$exe")"
    fi
  fi
  (cd "$run" && LC_ALL=C "${emulator[@]}" "$exe" report.txt "$name host" >stdout.txt) ||
    fail "$name host exited with $?"
  check_report "$run/report.txt" "$name host"
  local version
  version="$(tr -d '\r' <"$run/stdout.txt")"
  [ "$version" = "vykpav $(package_version)" ] ||
    fail "$name host says \"$version\", not the package's version $(package_version)"
  echo "$name: report checked ($(wc -l <"$run/report.txt") lines), $version"
}

# The files of an installed or unpacked prefix must be exactly those a
# user is promised: the headers and package files; on Windows the DLL,
# vykpav-report.exe, both import libraries and the documents at the top; on
# Linux the shared library with its version links, vykpav-report, and the
# documents in share/doc/vykpav.
check_tree() {
  local tree="$1"
  step "Files of $tree"
  local common="bin
include
include/selvorin
include/selvorin/export.h
include/selvorin/marks.h
include/selvorin/version.h
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
  # Windows: the DLL and its two import libraries, the tool and the
  # documents at the top, one layout for either width. Linux: the shared
  # library with its version links, the tool, and the documents in
  # share/doc/vykpav.
  local expected
  if [ "$windows" = yes ]; then
    expected="$(printf '%s\n' "$common" bin/vykpav.dll bin/vykpav-report.exe \
      lib/libvykpav.dll.a lib/vykpav.lib README.md LICENSE CHANGELOG.md | LC_ALL=C sort)"
  else
    expected="$(printf '%s\n' "$common" bin/vykpav-report lib/libvykpav.so \
      lib/libvykpav.so.1 lib/libvykpav.so.1.0.0 share share/doc share/doc/vykpav \
      share/doc/vykpav/README.md share/doc/vykpav/LICENSE share/doc/vykpav/CHANGELOG.md |
      LC_ALL=C sort)"
  fi
  local actual
  actual="$(cd "$tree" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort)"
  if [ "$actual" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    fail "the files of $tree differ from the expected list (< expected, > found)"
  fi
  if [ "$windows" = no ]; then
    [ "$(readlink "$tree/lib/libvykpav.so")" = libvykpav.so.1 ] ||
      fail "lib/libvykpav.so does not link to libvykpav.so.1"
    [ "$(readlink "$tree/lib/libvykpav.so.1")" = libvykpav.so.1.0.0 ] ||
      fail "lib/libvykpav.so.1 does not link to libvykpav.so.1.0.0"
    objdump -p "$tree/lib/libvykpav.so.1.0.0" | grep -Eq '^ +SONAME +libvykpav\.so\.1$' ||
      fail "libvykpav.so.1.0.0 lacks the SONAME libvykpav.so.1"
  else
    # The tool is linked statically: it needs no DLL beside it, only the
    # system's.
    local imports others
    imports="$("$(target_objdump)" -p "$tree/bin/vykpav-report.exe" |
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
      -e VYKPAV_BUILDING "$tree/lib/cmake" "$tree/lib/pkgconfig" >&2; then
    fail "the package files above name the build tree or an internal target"
  fi
  echo "files as expected"
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
  check_tree "$prefix"
}

# The MinGW objdump of the toolchain's target.
target_objdump() {
  echo "$(toolchain_value VYKPAV_MINGW_TRIPLET)-objdump"
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
  [ -z "$toolchain" ] || where=(-Dvykpav_DIR="$prefix/lib/cmake/vykpav")
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
  # The compiler the toolchain file names, or the native one.
  local compiler=g++
  [ -z "$toolchain" ] || compiler="$(toolchain_value CMAKE_CXX_COMPILER)"
  if [ "$windows" = yes ]; then
    # The C++ runtime linked in, as the toolchain file does for the library.
    quiet "$compiler" -std=c++17 -O2 -Wall -Wextra -Wpedantic -Werror \
      -o "$work/pkg-config/consumer_host.exe" "$here/host.cpp" "${pc_flags[@]}" -static
    run_host pkg-config "$work/pkg-config/consumer_host.exe" "$prefix/bin"
  else
    quiet "$compiler" -std=c++17 -O2 -Wall -Wextra -Wpedantic -Werror \
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
  # The width of the installed DLL: the machine field of its PE header,
  # found through the offset at 0x3C.
  local header format
  header="$(od -An -tu4 -j60 -N4 "$prefix/bin/vykpav.dll" | tr -d ' ')"
  case "$(od -An -tx2 -j$((header + 4)) -N2 "$prefix/bin/vykpav.dll" | tr -d ' ')" in
    014c) format=pei-i386 ;;
    8664) format=pei-x86-64 ;;
    *) fail "bin/vykpav.dll is neither an x86 nor an x64 DLL" ;;
  esac
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

# A .deb's control fields, as a user's dpkg would read them.
check_deb_fields() {
  local field value
  for field in Package Version Architecture Maintainer Depends Section Description; do
    value="$(dpkg-deb -f "$archive" "$field")"
    [ -n "$value" ] || fail "the .deb has no $field field"
  done
  [ "$(dpkg-deb -f "$archive" Package)" = vykpav ] || fail "the .deb's Package is not vykpav"
  local file_name="${archive##*/}"
  local version architecture
  version="$(dpkg-deb -f "$archive" Version)"
  architecture="$(dpkg-deb -f "$archive" Architecture)"
  [ "$file_name" = "vykpav_${version}_${architecture}.deb" ] ||
    fail "$file_name is not named after its Version ($version) and Architecture ($architecture)"
  # The library and the tool need the C and C++ runtimes, and nothing of
  # the build machine.
  local depends library
  depends="$(dpkg-deb -f "$archive" Depends)"
  local names
  names=" $(tr ',' '\n' <<<"$depends" | awk '{ print $1 }' | tr '\n' ' ')"
  for library in libc6 libstdc++6 libgcc-s1; do
    [[ "$names" == *" $library "* ]] || fail "Depends ($depends) lacks $library"
  done
  echo "control fields: vykpav $version $architecture; Depends: $depends"
}

archive_step() {
  [ -n "$archive" ] || fail "the archive step needs --archive <file>"
  step "Release archive ${archive##*/}, unpacked into an empty folder"
  local unpacked="$work/unpacked"
  rm -rf "$unpacked" "$work/find-package" "$work/pkg-config" "$work/visual-cpp"
  mkdir -p "$unpacked"
  case "$archive" in
    *.deb)
      check_deb_fields
      dpkg-deb -x "$archive" "$unpacked"
      prefix="$unpacked/usr"
      ;;
    *.zip | *.tar.gz)
      (cd "$unpacked" && cmake -E tar xf "$archive")
      # The archive's one top folder is named after the archive.
      local top="${archive##*/}"
      top="${top%.zip}"
      top="${top%.tar.gz}"
      [ "$(ls -A "$unpacked")" = "$top" ] || fail "the archive does not hold the one folder $top"
      prefix="$unpacked/$top"
      ;;
    *) fail "not a release archive: $archive" ;;
  esac
  [[ "${archive##*/}" == *"$(package_version)"* ]] ||
    fail "${archive##*/} does not name its version $(package_version)"
  check_tree "$prefix"
  find_package_step
  pkg_config_step
  [ "$windows" = no ] || visual_cpp_step

  step "The archive's vykpav-report sums up a host's report"
  local tool="$prefix/bin/vykpav-report"
  [ "$windows" = no ] || tool="$prefix/bin/vykpav-report.exe"
  local summary
  summary="$("${emulator[@]}" "$tool" summary "$work/find-package/run/report.txt" | tr -d '\r')" ||
    fail "vykpav-report summary failed"
  local name
  for name in "find-package host" "find-package host (scope)"; do
    grep -q "^$name  *1  " <<<"$summary" ||
      fail "the summary has no row of one run for \"$name\":
$summary"
  done
  echo "summary of the find-package host's report: 2 areas"
}

start=$SECONDS
for chosen_step in "${chosen[@]}"; do
  "${chosen_step//-/_}_step"
done
echo "${chosen[*]}: passed in $((SECONDS - start)) s"

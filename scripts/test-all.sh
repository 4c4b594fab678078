#!/usr/bin/env bash
# Builds and runs every test suite of the project: the native release build,
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, the
# tests that use timers on several threads under ThreadSanitizer, the 32-bit
# and the 64-bit Windows DLL built with MinGW-w64 and tested under Wine, the
# aarch64 Linux build tested under qemu, the native tests again under
# valgrind memcheck, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."

# What a fresh Debian machine lacks for all of this, installed first.
scripts/setup.sh tests

step() { printf '\n=== %s\n' "$*"; }

step "Source formatting (clang-format, .clang-format at the root)"
command -v clang-format >/dev/null 2>&1 || { echo "ERROR: clang-format is missing (scripts/setup.sh installs it)" >&2; exit 1; }
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

step "Include layering (base <- number <- platform <- timer <- library <- tools)"
scripts/check-layering.sh

# The release tests include the consumer hosts (ctest label consumers): the
# library installed into a prefix in the build tree, hosts built against it
# with find_package and pkg-config, and one with add_subdirectory.
step "Native release build and tests, consumer hosts included"
cmake --workflow --preset release

step "Benchmarks: build, and one very short run that only shows they still run"
# Not a timing check: the machine may be busy, and nothing here compares a
# time with a limit. The build registers each short run as a ctest test
# (label bench); bench/README.md says how to take the real figures.
cmake --workflow --preset bench

step "Sanitizer build and tests"
cmake --workflow --preset sanitize

step "ThreadSanitizer: the tests that use timers on several threads (ctest label threads)"
tsan_start=$SECONDS
cmake --workflow --preset tsan
echo "ThreadSanitizer build and tests took $((SECONDS - tsan_start)) s"

# The tools of a Windows build of one width: its MinGW-w64 compilers and
# binutils, its Wine loader, and what both widths share. Not optional: a
# machine without them fails here instead of passing with the Windows build
# untested (scripts/setup.sh installs them).
check_windows_tools() {
  local triplet=$1 loader=$2 packages=$3
  local missing=()
  local tool
  for tool in "$triplet-g++-posix" "$triplet-gcc-posix" "$triplet-objdump" "$triplet-c++filt" \
              wine wineserver flock llvm-dlltool llvm-undname clang++ lld-link; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  command -v "$loader" >/dev/null 2>&1 || [ -x "/usr/lib/wine/$loader" ] || missing+=("$loader")
  command -v clang-cl >/dev/null 2>&1 || command -v clang-cl-14 >/dev/null 2>&1 ||
    missing+=(clang-cl)
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=("/usr/src/googletest")
  if [ ${#missing[@]} -gt 0 ]; then
    printf 'ERROR: the Windows build cannot run, missing: %s\n' "${missing[*]}" >&2
    printf 'Install %s, googletest, llvm, clang and lld (scripts/setup.sh installs them).\n' "$packages" >&2
    exit 1
  fi
}

# Wine now and then fails to start a program at all (no output, a few
# hundredths of a second), so the Windows test presets run a failed test
# once more ("repeat" until-pass, 2); a real fault fails both times.
step "32-bit Windows build (MinGW-w64 cross build), tests under Wine"
check_windows_tools i686-w64-mingw32 wine "g++-mingw-w64-i686, wine, wine32:i386"
mingw_start=$SECONDS
cmake --workflow --preset mingw
echo "MinGW build and Wine tests took $((SECONDS - mingw_start)) s"

step "64-bit Windows build (MinGW-w64 cross build), tests under 64-bit Wine"
check_windows_tools x86_64-w64-mingw32 wine64 "g++-mingw-w64-x86-64, wine, wine64"
mingw64_start=$SECONDS
cmake --workflow --preset mingw64
echo "MinGW x86-64 build and Wine tests took $((SECONDS - mingw64_start)) s"

step "64-bit Arm Linux build (aarch64 cross build), tests under qemu-aarch64"
missing=()
for tool in aarch64-linux-gnu-g++ aarch64-linux-gnu-gcc qemu-aarch64; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  printf 'ERROR: the aarch64 build cannot run, missing: %s\n' "${missing[*]}" >&2
  printf 'Install g++-aarch64-linux-gnu and qemu-user (scripts/setup.sh installs them).\n' >&2
  exit 1
fi
arm64_start=$SECONDS
cmake --workflow --preset arm64
echo "aarch64 build and qemu tests took $((SECONDS - arm64_start)) s"

step "Native tests under valgrind memcheck"
valgrind_start=$SECONDS
scripts/valgrind-tests.sh build/release
echo "Valgrind run took $((SECONDS - valgrind_start)) s"

step "Fuzzing: each libFuzzer target for 20 s (VYKPAV_FUZZ_SECONDS), clang, ASan + UBSan"
# Not optional either: scripts/setup.sh installs clang and its libFuzzer runtime.
if ! command -v clang++ >/dev/null 2>&1 ||
   [ ! -f "$(clang++ --print-runtime-dir)/libclang_rt.fuzzer-x86_64.a" ]; then
  echo "ERROR: fuzzing needs clang++ and libFuzzer (clang, libclang-rt-14-dev; see scripts/setup.sh)" >&2
  exit 1
fi
fuzz_start=$SECONDS
cmake --workflow --preset fuzz
echo "Fuzz build and runs took $((SECONDS - fuzz_start)) s"

step "All test suites passed"

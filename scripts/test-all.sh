#!/usr/bin/env bash
# Builds and runs every test suite of the project: the native release build,
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the 32-bit Windows DLL built with MinGW-w64 and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

step() { printf '\n=== %s\n' "$*"; }

step "Native release build and tests"
cmake --workflow --preset release

# Installs the library into a temporary prefix and builds hosts against it
# with find_package and pkg-config, and one with add_subdirectory.
step "Install and consumer hosts"
tests/consumers/run.sh

step "Sanitizer build and tests"
cmake --workflow --preset sanitize

step "32-bit Windows build (MinGW-w64 cross build), tests under Wine"
# Not optional: a machine without these fails here instead of passing with
# the Windows build untested (.ci/run installs them).
missing=()
for tool in i686-w64-mingw32-g++-posix i686-w64-mingw32-gcc-posix \
            i686-w64-mingw32-objdump i686-w64-mingw32-c++filt wine wineserver flock; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
[ -f /usr/src/googletest/CMakeLists.txt ] || missing+=("/usr/src/googletest")
if [ ${#missing[@]} -gt 0 ]; then
  printf 'ERROR: the Windows build cannot run, missing: %s\n' "${missing[*]}" >&2
  printf 'Install g++-mingw-w64-i686, wine, wine32:i386 and googletest (see .ci/run).\n' >&2
  exit 1
fi
mingw_start=$SECONDS
cmake --workflow --preset mingw
echo "MinGW build and Wine tests took $((SECONDS - mingw_start)) s"

step "All test suites passed"

#!/usr/bin/env bash
# Builds and runs every test suite of the project: the native release build,
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, the
# 32-bit Windows DLL built with MinGW-w64 and tested under Wine, the native
# tests again under valgrind memcheck, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."

step() { printf '\n=== %s\n' "$*"; }

step "Source formatting (clang-format, .clang-format at the root)"
command -v clang-format >/dev/null 2>&1 || { echo "ERROR: clang-format is missing (see .ci/run)" >&2; exit 1; }
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

step "Native release build and tests"
cmake --workflow --preset release

# Installs the library into a temporary prefix and builds hosts against it
# with find_package and pkg-config, and one with add_subdirectory.
step "Install and consumer hosts"
tests/consumers/run.sh

step "Benchmarks: build, and one very short run that only shows they still run"
# Not a timing check: the machine may be busy, and nothing here compares a
# time with a limit. bench/README.md says how to take the real figures.
cmake --preset bench
cmake --build --preset bench
build/bench/bench/vykpav_bench --benchmark_min_time=0.001 \
  --benchmark_filter='-report/1000000' >/dev/null
build/bench/bench/vykpav_bias_bench --benchmark_min_time=0.001 >/dev/null
build/bench/bench/vykpav_report_phases_bench --benchmark_min_time=0.001 \
  --benchmark_filter=/10000/ >/dev/null
build/bench/bench/vykpav_memory 1000 >/dev/null
build/bench/bench/vykpav_report_tool_bench --benchmark_min_time=0.001 \
  --benchmark_filter='summary_reads/text' >/dev/null
build/bench/bench/vykpav_first_report 1000 >/dev/null

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
# The Windows timing host, one short round: it runs, nothing is judged.
cmake/wine-run.sh "$PWD/build/mingw/wineprefix" build/mingw/bin/vykpav_wine_pair.exe 1 >/dev/null

step "Native tests under valgrind memcheck"
valgrind_start=$SECONDS
scripts/valgrind-tests.sh build/release
echo "Valgrind run took $((SECONDS - valgrind_start)) s"

step "Fuzzing: each libFuzzer target for 20 s (VYKPAV_FUZZ_SECONDS), clang, ASan + UBSan"
# Not optional either: .ci/run installs clang and its libFuzzer runtime.
if ! command -v clang++ >/dev/null 2>&1 ||
   [ ! -f "$(clang++ --print-runtime-dir)/libclang_rt.fuzzer-x86_64.a" ]; then
  echo "ERROR: fuzzing needs clang++ and libFuzzer (clang, libclang-rt-14-dev; see .ci/run)" >&2
  exit 1
fi
fuzz_start=$SECONDS
cmake --workflow --preset fuzz
echo "Fuzz build and runs took $((SECONDS - fuzz_start)) s"

step "All test suites passed"

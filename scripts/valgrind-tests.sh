#!/usr/bin/env bash
# Runs the native test suite under valgrind memcheck: every test program,
# with any invalid access, use of an uninitialised value, bad free or leak
# failing the run.
#   scripts/valgrind-tests.sh [build folder]     (default: build/release)
#
# The build's ctest labels say which tests need something else:
#   exhaustive, exports, consumers, packages
#                        stay out: the exhaustive float test (every float bit
#                        pattern: hours under valgrind; the release run has
#                        it), the export table check (a bash script around
#                        nm), the consumer hosts (scripts that build the
#                        library afresh) and the release archives (cpack,
#                        and scripts that build hosts from them), none of
#                        them this project's code running.
#   x87                  tests whose cases check exact 80-bit long double
#                        results. Valgrind has no 80-bit x87 arithmetic: it
#                        computes long double with a double's 53-bit
#                        significand (a documented limit), so these fail
#                        under valgrind whatever the library does. They still
#                        run under memcheck, in a second pass where only
#                        memcheck's verdict counts; the release, sanitizer
#                        and Wine runs check their results.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}

if ! command -v valgrind >/dev/null 2>&1; then
  echo "ERROR: valgrind is missing (scripts/setup.sh tests installs it)" >&2
  exit 1
fi
if [ ! -f "$build/CTestTestfile.cmake" ]; then
  echo "ERROR: no tests in $build: build it first (cmake --workflow --preset release)" >&2
  exit 1
fi

# Exit code 99 marks memcheck's errors apart from a test's own failure (1).
# nouserintercepts: a test program that counts allocations with its own
# operator new keeps it (it allocates with malloc, which memcheck watches);
# replaced by memcheck's, the counting would see nothing and its delete
# would free what memcheck's new had allocated.
memcheck_options="--error-exitcode=99 --soname-synonyms=somalloc=nouserintercepts --leak-check=full \
--show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
--track-origins=yes --num-callers=40"

# A log's first errors and its closing leak and error summaries.
show_log() {
  if [ "$(wc -l <"$1")" -le 400 ]; then
    cat "$1"
  else
    head -n 250 "$1"
    printf '[... %s lines left out; the whole log is in %s ...]\n' "$(($(wc -l <"$1") - 350))" "$1"
    tail -n 100 "$1"
  fi
}

logs="$build/Testing/Temporary"
mkdir -p "$logs"
rm -f "$logs"/MemoryChecker.*.log

# Pass 1: every test but those labels; a memcheck error or a failing case
# fails the test. ctest -T memcheck adds --log-file itself, one log per
# test; it also warns that there is no DartConfiguration.tcl, which only a
# dashboard submission would need.
status=0
ctest --test-dir "$build" -T memcheck \
  --overwrite MemoryCheckCommand="$(command -v valgrind)" \
  --overwrite MemoryCheckCommandOptions="$memcheck_options" \
  --label-exclude 'exhaustive|exports|consumers|packages|x87' --output-on-failure --no-tests=error \
  -j "$(nproc)" || status=$?
if [ "$status" != 0 ]; then
  for log in "$logs"/MemoryChecker.*.log; do
    [ -f "$log" ] || continue
    grep -q "ERROR SUMMARY: 0 errors" "$log" && continue
    printf '\n--- %s\n' "$log"
    show_log "$log"
  done
  echo "ERROR: tests failed under valgrind memcheck (logs above)" >&2
  exit 1
fi

# Pass 2: the tests labelled x87, their commands as ctest has them; their
# own results are not counted here.
mapfile -t x87_commands < <(ctest --test-dir "$build" -N -V -L x87 |
  sed -n 's/^[0-9][0-9]*: Test command: //p')
if [ ${#x87_commands[@]} = 0 ]; then
  echo "ERROR: no tests labelled x87 in $build" >&2
  exit 1
fi
for command in "${x87_commands[@]}"; do
  mapfile -t words < <(xargs -n 1 <<<"$command")  # ctest quotes the arguments
  name=$(basename "${words[0]}")
  log="$logs/MemoryChecker.x87.$name.log"
  output="$logs/x87.$name.out"
  rc=0
  # shellcheck disable=SC2086  # the options are words
  valgrind $memcheck_options --log-file="$log" "${words[@]}" >"$output" 2>&1 || rc=$?
  # 0 or 1 (cases failed on valgrind's arithmetic) after a complete run.
  if { [ "$rc" = 0 ] || [ "$rc" = 1 ]; } && grep -q '^\[==========\] .* ran\.' "$output"; then
    echo "memcheck clean: $name (exit $rc)"
    continue
  fi
  cat "$output"
  show_log "$log"
  echo "ERROR: $name failed under valgrind memcheck (exit $rc)" >&2
  exit 1
done

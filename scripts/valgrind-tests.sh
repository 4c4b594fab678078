#!/usr/bin/env bash
# Runs the native test suite under valgrind memcheck: every test program,
# with any invalid access, use of an uninitialised value, bad free or leak
# failing the run.
#   scripts/valgrind-tests.sh [build folder]     (default: build/release)
#
# Two ctest tests stay out, by label: the exhaustive float test (every
# float bit pattern: hours under valgrind; the release run has it) and the
# export table check (a bash script around nm, none of this project's code).
#
# Valgrind has no 80-bit x87 arithmetic: it computes long double with a
# double's 53-bit significand (a documented limit). The cases below check
# exact long double results or their independence from the x87 precision
# control, so they fail under valgrind whatever the library does. They still
# run under memcheck, in a second pass where only memcheck's verdict counts;
# the release, sanitizer and Wine runs check their results.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}

if ! command -v valgrind >/dev/null 2>&1; then
  echo "ERROR: valgrind is missing (.ci/run installs it)" >&2
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

# Test program, then its cases that need 80-bit arithmetic.
x87_cases=(
  float_conversions_test "NumberFloat.ConversionsBackRoundOnceInTheCurrentMode:NumberFloat.ExtendedRoundTripGivesBackEveryValue:NumberFloat.ResultsDoNotDependOnTheX87PrecisionControl:NumberFloat.DocumentedEdgeCases"
  target_test "NumberTarget.LongDouble*"
)
excluded=""
for ((i = 1; i < ${#x87_cases[@]}; i += 2)); do excluded+="${excluded:+:}${x87_cases[i]}"; done

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

# Pass 1: every test but the two labels, all cases but the x87 ones; a
# memcheck error or a failing case fails the test. ctest -T memcheck adds
# --log-file itself, one log per test; it also warns that there is no
# DartConfiguration.tcl, which only a dashboard submission would need.
status=0
GTEST_FILTER="-$excluded" ctest --test-dir "$build" -T memcheck \
  --overwrite MemoryCheckCommand="$(command -v valgrind)" \
  --overwrite MemoryCheckCommandOptions="$memcheck_options" \
  --label-exclude 'exhaustive|exports' --output-on-failure --no-tests=error \
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

# Pass 2: the x87 cases; their own results are not counted here.
for ((i = 0; i < ${#x87_cases[@]}; i += 2)); do
  program="$build/tests/${x87_cases[i]}"
  log="$logs/MemoryChecker.x87.${x87_cases[i]}.log"
  output="$logs/x87.${x87_cases[i]}.out"
  [ -x "$program" ] || { echo "ERROR: $program not built" >&2; exit 1; }
  rc=0
  # shellcheck disable=SC2086  # the options are words
  valgrind $memcheck_options --log-file="$log" "$program" \
    --gtest_filter="${x87_cases[i + 1]}" >"$output" 2>&1 || rc=$?
  # 0 or 1 (cases failed on valgrind's arithmetic) after a complete run.
  if { [ "$rc" = 0 ] || [ "$rc" = 1 ]; } && grep -q '^\[==========\] .* ran\.' "$output"; then
    echo "memcheck clean: ${x87_cases[i]} --gtest_filter=${x87_cases[i + 1]} (exit $rc)"
    continue
  fi
  cat "$output"
  show_log "$log"
  echo "ERROR: ${x87_cases[i]} failed under valgrind memcheck (exit $rc)" >&2
  exit 1
done

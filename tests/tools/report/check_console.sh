#!/usr/bin/env bash
# Runs the tool on a terminal, as a user reads it there, and checks what the
# terminal shows: names in Cyrillic read as they are, in the output and in a
# message, whatever the system language. A Windows build's tool runs under
# the emulator, whose console shows on the terminal what the program
# writes to it: UTF-16 text as it is, bytes in the console's code page
# (cp437 or cp866), so UTF-8 bytes would show as other letters.
#   check_console.sh <vykpav-report> <write_sample_reports> <work folder> [emulator...]
set -euo pipefail
if [ $# -lt 3 ]; then
  echo "usage: $0 <vykpav-report> <write_sample_reports> <work folder> [emulator...]" >&2
  exit 2
fi
tool=$1 samples=$2 work=$3
shift 3
emulator=("$@")
command -v script >/dev/null 2>&1 ||
  { echo "ERROR: script is missing (bsdutils)" >&2; exit 1; }
rm -rf "$work"
mkdir -p "$work"
"${emulator[@]}" "$samples" "$work"

failures=0
# expect <status> <shown> <arguments...>: runs the tool in the work folder on
# a terminal of its own (script), wide enough for a line of the table, and
# checks its exit status and what the terminal shows, without the terminal's
# control sequences and white space (a console may move the cursor over
# spaces rather than write them).
expect() {
  local status=$1 shown=$2 line
  shift 2
  printf -v line '%q ' "${emulator[@]}" "$tool" "$@"
  local got=0
  (cd "$work" && script -qec "stty cols 200 rows 50; $line" /dev/null </dev/null >terminal.txt) ||
    got=$?
  local text
  # Byte ranges, as the C locale has them.
  text=$(LC_ALL=C sed -E $'s/\e\\[[0-9;?]*[ -\\/]*[@-~]//g; s/\e\\][^\a]*\a//g' "$work/terminal.txt" |
         tr -d ' \t\r\n')
  if [ "$got" != "$status" ] || [ "$text" != "$shown" ]; then
    echo "FAILED: vykpav-report $*" >&2
    echo "  exit status $got, expected $status" >&2
    echo "  shown:    $text" >&2
    echo "  expected: $shown" >&2
    failures=$((failures + 1))
  fi
}

expect 0 "3areasin5reportsarearunsmedianminmaxmean\
Разбор522.0µs20.0µs24.0µs22.0µs▏\
parse51.00ms990µs1.01ms1.00ms████▊\
solve,\"q\"55.00ms4.80ms5.20ms5.00ms████████████████████████" summary before.txt
expect 2 "vykpav-report:нет_отчёта.txt:cannotopen:Nosuchfileordirectory" summary нет_отчёта.txt
[ "$failures" = 0 ] || exit 1
echo "the terminal shows the names as they are"

#!/usr/bin/env bash
# Runs one fuzz target for a bounded time.
#   run_fuzzer.sh <fuzzer> <starting corpus folder> <work folder> <seconds>
# The work folder is emptied, then gets a copy of the starting corpus (which
# the fuzzer extends) and the artifacts folder where a crashing input is
# saved. The exit status is the fuzzer's: not 0 when it found a crash.
set -euo pipefail
if [ $# -ne 4 ]; then
  echo "usage: $0 <fuzzer> <starting corpus folder> <work folder> <seconds>" >&2
  exit 2
fi
fuzzer=$1 corpus=$2 work=$3 seconds=$4

rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
cp -R "$corpus"/. "$work/corpus/"

# -timeout: any one input takes milliseconds, so ten seconds means a hang.
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus"

#!/usr/bin/env bash
# Builds the benchmark preset, runs every benchmark with repetitions in a
# random interleaving, and prints the ratios and the memory figures.
#
#   bench/run.sh [repetitions]      (default 15)
#
# The JSON results stay in build/bench/results/.
set -euo pipefail
cd "$(dirname "$0")/.."
repetitions=${1:-15}
out=build/bench/results
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
mkdir -p "$out"
common=(--benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true
        --benchmark_report_aggregates_only=true --benchmark_out_format=json)
build/bench/bench/vykpav_bench "${common[@]}" --benchmark_min_time=0.05 \
  --benchmark_out="$out/bench.json" >/dev/null
build/bench/bench/vykpav_bias_bench "${common[@]}" --benchmark_min_time=0.05 \
  --benchmark_out="$out/bias.json" >/dev/null
build/bench/bench/vykpav_report_phases_bench "${common[@]}" --benchmark_min_time=0.05 \
  --benchmark_out="$out/report_phases.json" >/dev/null
build/bench/bench/vykpav_report_tool_bench "${common[@]}" --benchmark_min_time=0.05 \
  --benchmark_out="$out/report_tool.json" >/dev/null
python3 bench/ratios.py "$out/bench.json" "$out/bias.json" "$out/report_phases.json" \
  "$out/report_tool.json"
echo
for run in 1 2 3 4 5; do build/bench/bench/vykpav_first_report 1000000; done
echo
build/bench/bench/vykpav_memory 100000

#!/usr/bin/env bash
# The demo: builds the library, the demo host and vykpav-report (nothing
# else: no tests), then, in the current directory,
#   - runs the demo host once: it times real code areas, writes VYK_PAV.txt
#     and prints that report;
#   - runs it five times more, each run appending its report to
#     VYK_PAV-runs.txt;
#   - prints vykpav-report's summary of those runs and draws them in
#     VYK_PAV-runs.svg.
# What a fresh Debian machine lacks for this (cmake, make, g++, the tool's
# header-only libraries) is installed first (scripts/setup.sh demo).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs=5

"$root/scripts/setup.sh" demo
echo "demo: building the library, the demo host and vykpav-report (build/demo)"
(cd "$root" && cmake --preset demo >/dev/null &&
  cmake --build --preset demo --target vykpav_demo vykpav-report >/dev/null)
demo="$root/build/demo/examples/vykpav_demo"
tool="$root/build/demo/tools/report/vykpav-report"

"$demo"

rm -f VYK_PAV-runs.txt
for run in $(seq "$runs"); do
  printf 'demo: run %s of %s, appending to VYK_PAV-runs.txt\n' "$run" "$runs"
  "$demo" VYK_PAV-runs.txt >/dev/null
done
echo
"$tool" summary VYK_PAV-runs.txt --svg VYK_PAV-runs.svg
echo
echo "demo: the chart of these runs is in VYK_PAV-runs.svg"

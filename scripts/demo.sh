#!/usr/bin/env bash
# Builds the library and the demo host, then runs the demo in the current
# directory: it times real code areas and prints the report (VYK_PAV.txt).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake --preset release -S "$root" >/dev/null
cmake --build --preset release --target vykpav_demo >/dev/null
"$root/build/release/examples/vykpav_demo"

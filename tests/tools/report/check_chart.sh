#!/usr/bin/env bash
# Draws the tool's charts of 2 and of 200 areas, renders each with a real
# SVG renderer (rsvg-convert) and checks the picture (check_chart.py).
#   check_chart.sh <vykpav-report> <write_sample_reports> <work folder> [emulator...]
# A cross build's programs run through the emulator whose command follows.
# The SVG and PNG files stay in the work folder for a person to look at.
set -euo pipefail
if [ $# -lt 3 ]; then
  echo "usage: $0 <vykpav-report> <write_sample_reports> <work folder> [emulator...]" >&2
  exit 2
fi
tool=$1 samples=$2 work=$3
shift 3
emulator=("$@")
here="$(cd "$(dirname "$0")" && pwd)"
for program in rsvg-convert python3; do
  command -v "$program" >/dev/null 2>&1 ||
    { echo "ERROR: $program is missing (librsvg2-bin, python3; scripts/setup.sh tests installs them)" >&2; exit 1; }
done
rm -rf "$work"
mkdir -p "$work"
"${emulator[@]}" "$samples" "$work"
for n in 2 200; do
  "${emulator[@]}" "$tool" summary "$work/${n}_areas_before.txt" --svg "$work/summary_$n.svg" >/dev/null
  "${emulator[@]}" "$tool" compare "$work/${n}_areas_before.txt" "$work/${n}_areas_after.txt" \
    --svg "$work/compare_$n.svg" >/dev/null
done
# Each at its own size; the pixels of the tall ones are counted on a
# rendering at a quarter of it, which a script reads in seconds.
for svg in "$work"/summary_*.svg "$work"/compare_*.svg; do
  png="${svg%.svg}.png"
  rsvg-convert "$svg" -o "$png"
  case "$svg" in
    *_200.svg) rsvg-convert --zoom=0.25 "$svg" -o "${svg%.svg}_quarter.png"
               python3 "$here/check_chart.py" "$svg" "$png" "${svg%.svg}_quarter.png" 0.25 ;;
    *) python3 "$here/check_chart.py" "$svg" "$png" ;;
  esac
done

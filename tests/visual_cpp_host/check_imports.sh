#!/usr/bin/env bash
# The Visual C++ host asks vykpav.dll for exactly the names in the list of
# Visual C++ exports: every one of them, and nothing else.
#
#   check_imports.sh <objdump> <visual_cpp_host.exe> <expected_visual_cpp_exports.txt>
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 <objdump> <host.exe> <expected-list>" >&2
  exit 2
fi
objdump=$1 host=$2 expected_file=$3
[ -f "$host" ] || { echo "no such program: $host" >&2; exit 2; }

# The entries of the import table under "DLL Name: vykpav.dll".
imported=$("$objdump" -p "$host" | awk '
  /DLL Name:/ { inside = ($3 == "vykpav.dll"); next }
  inside && /^[[:space:]]*$/ { inside = 0 }
  inside && NF == 3 && $1 != "vma:" { print $3 }' | LC_ALL=C sort)
expected=$(sed -e 's/\r$//' -e '/^#/d' -e '/^[[:space:]]*$/d' "$expected_file" |
  awk '{ print $1 }' | LC_ALL=C sort)

if [ "$imported" != "$expected" ]; then
  echo "FAIL: the host's imports from vykpav.dll differ from $expected_file:"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$imported") | sed -n 's/^[<>]/&/p' |
    sed -e 's/^</  not imported:/' -e 's/^>/  not listed:/'
  exit 1
fi
echo "$host imports all $(grep -c . <<< "$imported") Visual C++ names of vykpav.dll, and no other"

#!/usr/bin/env bash
# Compares the export table of the built vykpav library with
# expected_exports.txt. Runs on the build host with binutils, for both targets:
#
#   check_exports.sh elf <libvykpav.so> <expected> <ulong32> <nm> <c++filt>
#   check_exports.sh pe  <vykpav.dll>   <expected> <ulong32> <objdump> <c++filt> [<visual-c++>]
#
# <ulong32> is the spelling of the 32-bit word on the target ("unsigned int",
# "unsigned long"); it replaces ULONG32 in the expected list.
#
# elf: the defined symbols of the dynamic symbol table (nm -D --defined-only).
# pe:  the name table of the DLL's export directory (objdump -p). nm cannot be
#      used there: on a DLL it lists the COFF symbol table, not the exports.
#
# <visual-c++>: the list of the names the DLL exports for Visual C++ hosts
# (those starting with ?), each of which must be there exactly once; the
# other names are checked as above.
set -euo pipefail

if [ $# -ne 6 ] && [ $# -ne 7 ]; then
  echo "usage: $0 elf|pe <library> <expected-list> <ulong32> <nm|objdump> <c++filt> [<visual-c++-list>]" >&2
  exit 2
fi
format=$1 library=$2 expected_file=$3 ulong32=$4 reader=$5 cxxfilt=$6 visual_cpp_file=${7:-}

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

[ -f "$library" ] || { echo "no such library: $library" >&2; exit 2; }
[ -f "$expected_file" ] || { echo "no such list: $expected_file" >&2; exit 2; }

# --- The exported names, mangled, one a line.
case $format in
  elf)
    mangled=$("$reader" -D --defined-only "$library" | awk 'NF >= 3 { print $3 }')
    ;;
  pe)
    table=$("$reader" -p "$library")
    # awk reads to the end rather than exit early: an early exit would kill
    # printf with SIGPIPE, which pipefail turns into a failure.
    mangled=$(printf '%s\n' "$table" | awk '
      /^\[Ordinal\/Name Pointer\] Table/ && !done { inside = 1; next }
      inside && /^[[:space:]]*$/ { inside = 0; done = 1 }
      inside { sub(/^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]*/, ""); print }')
    # Cross-check the parse against the count the export directory declares.
    declared_hex=$(printf '%s\n' "$table" |
      awk '/\[Name Pointer\/Ordinal\] Table/ && NF >= 4 && !found { print $NF; found = 1 }')
    if [ -z "$declared_hex" ]; then
      fail "no export directory found in $library"
    else
      parsed=$(printf '%s\n' "$mangled" | grep -c . || true)
      if [ "$parsed" -ne "$((16#$declared_hex))" ]; then
        fail "read $parsed export names, the export directory declares $((16#$declared_hex))"
      fi
    fi
    ;;
  *)
    echo "unknown format: $format" >&2
    exit 2
    ;;
esac

# --- The Visual C++ names, set apart from the others and checked here.
if [ -n "$visual_cpp_file" ]; then
  [ -f "$visual_cpp_file" ] || { echo "no such list: $visual_cpp_file" >&2; exit 2; }
  visual_cpp_expected=$(sed -e 's/\r$//' -e '/^#/d' -e '/^[[:space:]]*$/d' "$visual_cpp_file" |
    awk '{ print $1 }')
  [ -n "$visual_cpp_expected" ] || { echo "no names in $visual_cpp_file" >&2; exit 2; }
  visual_cpp_exported=$(grep '^?' <<< "$mangled" || true)
  mangled=$(grep -v '^?' <<< "$mangled" || true)
  while IFS= read -r name; do
    count=$(grep -Fxc -- "$name" <<< "$visual_cpp_exported" || true)
    [ "$count" -eq 1 ] || fail "Visual C++ name exported $count times: $name"
  done <<< "$visual_cpp_expected"
  while IFS= read -r name; do
    [ -n "$name" ] || continue
    grep -Fxq -- "$name" <<< "$visual_cpp_expected" || fail "Visual C++ name not listed: $name"
  done <<< "$visual_cpp_exported"
  echo "$library: $(grep -c . <<< "$visual_cpp_exported" || true) Visual C++ names," \
    "$(grep -c . <<< "$visual_cpp_expected") listed in $visual_cpp_file"
fi

if [ -z "$mangled" ]; then
  fail "$library exports nothing"
  echo "$failures check(s) failed"
  exit 1
fi

# --- Demangle, keeping each demangled signature next to its mangled name.
# Export names carry no extra leading underscore; the i686 Windows c++filt
# strips one by default, and would then leave every name undemangled.
demangled=$(printf '%s\n' "$mangled" | "$cxxfilt" --no-strip-underscore)
pairs=$(paste -d '\t' <(printf '%s\n' "$demangled") <(printf '%s\n' "$mangled") | LC_ALL=C sort)

# One signature may stand for two or three symbols only for a constructor or
# destructor (complete, base and deleting object variants, C1/C2, D0/D1/D2).
# Anything else exported twice under one signature is an error.
is_constructor_or_destructor() {
  local head=${1%%(*}
  local name=${head##*::}
  local scope=${head%::*}
  local class=${scope##*::}
  [ "$head" != "$name" ] && { [ "$name" = "$class" ] || [ "$name" = "~$class" ]; }
}
signatures=$(printf '%s\n' "$pairs" | cut -f1 | LC_ALL=C uniq)
while IFS= read -r s; do
  [ -n "$s" ] || continue
  is_constructor_or_destructor "$s" || fail "exported more than once: $s"
done < <(printf '%s\n' "$pairs" | cut -f1 | LC_ALL=C uniq -d)

# --- The expected list, ULONG32 spelled for this target.
required=()
section=""
while IFS= read -r line || [ -n "$line" ]; do
  line=${line%$'\r'}
  case $line in
    '' | '#'*) continue ;;
    '[required]') section=$line; continue ;;
    '['*) echo "unknown section in $expected_file: $line" >&2; exit 2 ;;
  esac
  [ -n "$section" ] || { echo "entry before any section in $expected_file: $line" >&2; exit 2; }
  line=${line//ULONG32/$ulong32}
  required+=("$line")
done < "$expected_file"

[ ${#required[@]} -gt 0 ] || { echo "no [required] entries in $expected_file" >&2; exit 2; }

# Whole-line comparison: operator< is not satisfied by operator<<, nor a
# member by a free function of the same name.
is_exported() { grep -Fxq -- "$1" <<< "$signatures"; }

for s in "${required[@]}"; do
  is_exported "$s" || fail "not exported: $s"
done

listed=$(printf '%s\n' "${required[@]}")
while IFS= read -r s; do
  grep -Fxq -- "$s" <<< "$listed" || fail "exported but not listed: $s"
done <<< "$signatures"

# Construction is inline by design; an exported constructor, template or not,
# would tie hosts to the library's code for a trivially copyable type.
while IFS= read -r s; do
  fail "VYKNB64 constructor exported: $s"
done < <(grep -F 'VYKNB64::VYKNB64' <<< "$signatures" || true)

selvorin_count=$(grep -c '^Selvorin::' <<< "$signatures" || true)
if [ "$selvorin_count" -ne "${#required[@]}" ]; then
  fail "$selvorin_count Selvorin:: signatures exported, ${#required[@]} expected"
fi

symbol_count=$(printf '%s\n' "$mangled" | grep -c .)
echo "$library: $symbol_count exported symbols, $(grep -c . <<< "$signatures") signatures," \
  "$selvorin_count in Selvorin::; ${#required[@]} required"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "export table matches $expected_file"

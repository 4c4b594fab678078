#!/usr/bin/env bash
# The two lists of Visual C++ names, library/visual_cpp_exports.def (32-bit
# x86) and library/visual_cpp_exports_x64.def, stand for the same members and
# operators, one for one and in the same order, and each x64 name is served
# by the same function as its 32-bit twin: the same function of the Visual
# C++ layer, or the library's own member or operator, whose GCC name must
# then demangle to that very member or operator.
#
#   check_visual_cpp_defs.sh <x86.def> <x64.def> <llvm-undname> <c++filt>
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 <x86.def> <x64.def> <llvm-undname> <c++filt>" >&2
  exit 2
fi
x86_def=$1 x64_def=$2 undname=$3 cxxfilt=$4
for def in "$x86_def" "$x64_def"; do
  [ -f "$def" ] || { echo "no such file: $def" >&2; exit 2; }
done

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The entries of a .def, one a line: the exported name, a tab, the function.
entries() { sed -n -E 's/^[[:space:]]*"([^"]+)"[[:space:]]*=[[:space:]]*([^[:space:]]+).*/\1\t\2/p' "$1"; }

# A signature both demanglers agree on: the qualified name and its
# parameters, without the access, the return type, the calling convention,
# "class" and spaces. llvm-undname prints one blank line after each name.
visual_cpp_signatures() {
  "$undname" | awk 'NR % 3 == 2' | sed -E \
    -e 's/^(public|protected|private): //' -e 's/class //g' \
    -e 's/^.*__(cdecl|thiscall|stdcall) //' -e 's/\(void\)/()/' -e 's/ //g'
}
gcc_signatures() { "$cxxfilt" | sed -e 's/ //g'; }

x86=$(entries "$x86_def")
x64=$(entries "$x64_def")
x86_count=$(grep -c . <<< "$x86" || true)
x64_count=$(grep -c . <<< "$x64" || true)
[ "$x86_count" -gt 0 ] || { echo "no entries in $x86_def" >&2; exit 2; }
[ "$x86_count" -eq "$x64_count" ] ||
  fail "$x86_count entries in $x86_def, $x64_count in $x64_def"

x86_signatures=$(cut -f1 <<< "$x86" | visual_cpp_signatures)
x64_signatures=$(cut -f1 <<< "$x64" | visual_cpp_signatures)
[ "$(grep -c . <<< "$x64_signatures")" -eq "$x64_count" ] ||
  fail "llvm-undname did not read every name of $x64_def"

own=0
while IFS=$'\t' read -r x86_name x86_target x64_name x64_target x86_signature x64_signature; do
  if [ "$x86_signature" != "$x64_signature" ]; then
    fail "$x64_name ($x64_signature) stands where $x86_name ($x86_signature) does"
  elif [ "$x64_target" = "$x86_target" ]; then
    :
  elif [[ $x64_target == _Z* ]]; then
    served=$(gcc_signatures <<< "$x64_target")
    [ "$served" = "$x64_signature" ] ||
      fail "$x64_name ($x64_signature) is served by $x64_target ($served)"
    own=$((own + 1))
  else
    fail "$x64_name is served by $x64_target, its 32-bit twin by $x86_target"
  fi
done < <(paste <(printf '%s\n' "$x86") <(printf '%s\n' "$x64") \
  <(printf '%s\n' "$x86_signatures") <(printf '%s\n' "$x64_signatures"))

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "$x64_count x64 names stand for the members and operators of the 32-bit ones;" \
  "$own of them are served by the library's own function, $((x64_count - own)) by the layer's"

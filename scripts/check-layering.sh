#!/usr/bin/env bash
# Checks that the library's includes point down its layers, and nowhere else:
#
#   base/              what the compiler offers    may include  base/ alone
#   include/selvorin/  the public headers          may include  selvorin/ alone
#   number/            the number class            may include  base/, selvorin/, number/
#   platform/          the operating system        and also     platform/
#   timer/             the timer, the report       and also     timer/
#   library/           the shared library's shell: all of the above, library/
#   tools/             programs built on the library: all of the above, tools/
#
# So base/ is the bottom layer, which every folder of the library's own code
# may include; the public headers may not, as base/ is not installed with
# them. Nothing in the library includes a tool. The library's own headers are
# included with their folder, in quotes ("timer/timer.h"), the public ones
# also as <selvorin/...>; any other header in angle brackets is the system's
# and not looked at. Prints each include that breaks the rule and fails if
# there is one.
#   scripts/check-layering.sh
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(base include/selvorin number platform timer library tools)

# The folders an include from `layer` may name: its own and those below.
allowed() {
  case "$1" in
    base) echo "base" ;;
    include/selvorin) echo "selvorin" ;;
    number) echo "base selvorin number" ;;
    platform) echo "base selvorin number platform" ;;
    timer) echo "base selvorin number platform timer" ;;
    library) echo "base selvorin number platform timer library" ;;
    tools) echo "base selvorin number platform timer library tools" ;;
  esac
}

violations=0
checked=0
for layer in "${layers[@]}"; do
  may="$(allowed "$layer")"
  while IFS= read -r -d '' file; do
    checked=$((checked + 1))
    while IFS= read -r found; do
      line=${found%%:*}
      directive=${found#*:}
      if [[ "$directive" =~ \"([^\"]*)\" ]]; then
        header=${BASH_REMATCH[1]}
      elif [[ "$directive" =~ \<(selvorin/[^\>]*)\> ]]; then
        header=${BASH_REMATCH[1]}
      else
        continue  # a system or standard header
      fi
      folder=${header%%/*}
      if [ "$folder" = "$header" ]; then
        echo "$file:$line: \"$header\" names no folder"
        violations=$((violations + 1))
      elif [[ " $may " != *" $folder "* ]]; then
        echo "$file:$line: $layer/ includes $header (it may include only: $may)"
        violations=$((violations + 1))
      fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
  done < <(git ls-files -z -- "$layer/*.h" "$layer/*.cpp")
done

if [ "$checked" = 0 ]; then
  echo "ERROR: no source files found (run from a git checkout)" >&2
  exit 1
fi
if [ "$violations" != 0 ]; then
  echo "ERROR: $violations include(s) against the layering (base <- number <- platform <- timer <- library <- tools)" >&2
  exit 1
fi
echo "layering: $checked files, every include points down"

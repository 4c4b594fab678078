#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest and returns its exit code.
#
#   wine-run.sh <wineprefix> <program.exe> [arguments...]
#
# The prefix is private to the build tree: created on first use (under a lock,
# since ctest may start several tests at once) and reused afterwards. Its
# width follows the program's: a 32-bit program gets a win32 prefix and runs
# under wine, a 64-bit one a win64 prefix and runs under wine64. A prefix
# keeps the width it was made with, so a program of the other width is
# refused. No display is needed, and Wine's own chatter and its Mono/Gecko
# install prompts are switched off so that only the program's output reaches
# the test log.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 <wineprefix> <program> [arguments...]" >&2
  exit 2
fi
prefix=$1
shift
program=$1

# The machine field of the PE header, found through the offset at 0x3C.
machine=""
if [ -f "$program" ]; then
  header=$(od -An -tu4 -j60 -N4 "$program" 2>/dev/null | tr -d ' ' || true)
  if [ -n "$header" ]; then
    machine=$(od -An -tx2 -j$((header + 4)) -N2 "$program" 2>/dev/null | tr -d ' ' || true)
  fi
fi
case $machine in
  014c)
    arch=win32
    wine=$(command -v wine || true)
    ;;
  8664)
    arch=win64
    # Debian keeps the 64-bit loader out of PATH.
    wine=$(command -v wine64 || true)
    [ -n "$wine" ] || [ ! -x /usr/lib/wine/wine64 ] || wine=/usr/lib/wine/wine64
    ;;
  *)
    echo "wine-run.sh: $program is not a 32-bit or 64-bit x86 Windows program" >&2
    exit 2
    ;;
esac
if [ -z "$wine" ]; then
  echo "wine-run.sh: no Wine loader for $arch programs (wine32, wine64)" >&2
  exit 127
fi

export WINEPREFIX=$prefix
export WINEARCH=$arch
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    # Its output is not the program's: keep it in a log, shown on failure.
    # wineboot returns before the prefix is fully written; wait for the
    # server to finish.
    if ! { "$wine" wineboot --init && wineserver -w; } >"$prefix.log" 2>&1 ||
       [ ! -f "$prefix/system.reg" ]; then
      echo "wine-run.sh: could not create the Wine prefix $prefix" >&2
      cat "$prefix.log" >&2
      rm -rf "$prefix"
      exit 1
    fi
  fi
) 9>"$prefix.lock"

# Wine writes the width into the prefix's registry.
if ! grep -qx "#arch=$arch" "$prefix/system.reg"; then
  echo "wine-run.sh: $prefix is not a $arch prefix, which $program needs" >&2
  exit 1
fi

exec "$wine" "$@"

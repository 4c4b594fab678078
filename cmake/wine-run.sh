#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest and returns its exit code.
#
#   wine-run.sh <wineprefix> <program.exe> [arguments...]
#
# The prefix is private to the build tree: created on first use (under a lock,
# since ctest may start several tests at once) and reused afterwards. No
# display is needed, and Wine's own chatter and its Mono/Gecko install prompts
# are switched off so that only the program's output reaches the test log.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 <wineprefix> <program> [arguments...]" >&2
  exit 2
fi
prefix=$1
shift

wine=$(command -v wine || true)
if [ -z "$wine" ]; then
  echo "wine-run.sh: wine is not installed" >&2
  exit 127
fi

export WINEPREFIX=$prefix
export WINEARCH=win32
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

exec "$wine" "$@"

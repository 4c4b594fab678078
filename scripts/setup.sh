#!/usr/bin/env bash
# Installs what the README's two commands need on a Debian machine, and
# nothing when it is all there:
#
#   scripts/setup.sh demo    the demo alone: cmake, make, g++, and
#                            vykpav-report's header-only libraries
#   scripts/setup.sh tests   every test suite: the above, GoogleTest, Google
#                            Benchmark, the MinGW-w64 and aarch64
#                            cross-compilers, Wine of both widths, qemu-user,
#                            clang with libFuzzer, valgrind, clang-format,
#                            the tools the archive and chart tests use, and
#                            the en_US and ru_RU locales
#
# It says what it installs before it does, with apt-get as root or through
# sudo. scripts/demo.sh and scripts/test-all.sh call it.
set -euo pipefail

usage() {
  echo "usage: $0 demo|tests" >&2
  exit 2
}
[ $# -eq 1 ] || usage

# The demo: the library, the demo host and vykpav-report, which parses its
# command line with CLI11 and writes JSON with nlohmann-json.
demo_packages=(cmake make g++ libcli11-dev nlohmann-json3-dev)
# The tests, beside those: GoogleTest (its sources for the cross builds),
# Google Benchmark; the cross-compilers, Wine for both Windows widths and
# qemu-aarch64; clang with libclang-rt-14-dev (libFuzzer), and clang, lld and
# llvm (llvm-dlltool) for the Visual C++ hosts; valgrind; clang-format; the
# chart test's rsvg-convert and python3; pkg-config and dpkg-dev
# (dpkg-shlibdeps) for the consumer hosts and the .deb; locales.
test_packages=("${demo_packages[@]}" libgtest-dev googletest libbenchmark-dev
               g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64
               g++-aarch64-linux-gnu qemu-user clang libclang-rt-14-dev lld llvm
               valgrind clang-format librsvg2-bin python3 pkg-config dpkg-dev locales)
case "$1" in
  demo) packages=("${demo_packages[@]}") ;;
  tests) packages=("${test_packages[@]}") ;;
  *) usage ;;
esac

export DEBIAN_FRONTEND=noninteractive
as_root=()
if [ "$(id -u)" != 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    as_root=(missing-root)
  fi
fi
# Runs a command as root, or says what to run by hand.
root() {
  if [ "${as_root[*]}" = missing-root ]; then
    echo "ERROR: this needs root, and there is no sudo; as root, run: $*" >&2
    exit 1
  fi
  "${as_root[@]}" "$@"
}

# Wine runs the 32-bit Windows build from i386 packages.
need_update=0
if [ "$1" = tests ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture for Wine's 32-bit packages"
  root dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] ||
    missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ "$need_update" = 1 ]; then
  echo "setup: updating the package lists"
  # A mirror caught mid-sync fails one index now and then: try again, and if
  # it keeps failing, go on with the lists that did come; the install below
  # still fails loudly if a package cannot be had.
  for attempt in 1 2 3; do
    root apt-get update -q && break
    echo "apt-get update failed (attempt $attempt of 3)" >&2
    [ "$attempt" = 3 ] || sleep $((attempt * 5))
  done
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  # wine32:i386 and wine64 share libraries that must be at one version for
  # both architectures (Multi-Arch: same). The security suite often has a
  # newer amd64 build of libgstreamer-plugins-base1.0-0 than of its i386
  # twin; left to itself apt takes the newer one and removes wine32 for it.
  # So the install asks for the newest version both architectures have, and
  # may remove nothing.
  newest_common_version() {
    local package=$1
    comm -12 <(apt-cache madison "$package:amd64" | awk -F' [|] ' '{ print $2 }' | sort -u) \
             <(apt-cache madison "$package:i386" | awk -F' [|] ' '{ print $2 }' | sort -u) |
      sort -V | tail -n 1
  }
  twins=()
  if [ "$1" = tests ]; then
    for twin in libgstreamer-plugins-base1.0-0; do
      version=$(newest_common_version "$twin")
      if [ -n "$version" ]; then
        twins+=("$twin:amd64=$version" "$twin:i386=$version")
      else
        echo "no version of $twin for both amd64 and i386 in the package lists" >&2
      fi
    done
  fi
  if ! root apt-get install -y -q --no-remove "${missing[@]}" "${twins[@]}"; then
    # An i386 index of the security suite that did not come (a mirror
    # mid-sync) leaves i386 libraries without the versions of their amd64
    # twins, which they must match: take both from the release itself, for
    # this install only (apt never downgrades for a pin below 1000).
    echo "apt-get install failed: trying again without the security suite's versions" >&2
    preferences=$(mktemp)
    trap 'rm -f "$preferences"' EXIT
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$preferences"
    root apt-get install -y -q --no-remove -o Dir::Etc::Preferences="$preferences" \
      "${missing[@]}" "${twins[@]}"
  fi
fi

[ "$1" = tests ] || exit 0

# Both Wine loaders, whatever the install did.
for wine_package in wine32:i386 wine64; do
  if [ "$(dpkg-query -W -f='${Status}' "$wine_package" 2>/dev/null)" != "install ok installed" ]; then
    echo "ERROR: $wine_package is not installed; both Windows widths need it" >&2
    exit 1
  fi
done

# The end-to-end tests run in English and Russian; Wine takes its system
# language from LANG only when the glibc locale exists. locale -a spells
# them en_US.utf8.
available=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]')
generate=0
for l in en_US ru_RU; do
  grep -qx "$(tr '[:upper:]' '[:lower:]' <<<"$l").utf8" <<<"$available" && continue
  generate=1
  if grep -q "^# *$l.UTF-8 UTF-8" /etc/locale.gen; then
    root sed -i "s/^# *$l.UTF-8 UTF-8/$l.UTF-8 UTF-8/" /etc/locale.gen
  elif ! grep -q "^$l.UTF-8 UTF-8" /etc/locale.gen; then
    echo "$l.UTF-8 UTF-8" | root tee -a /etc/locale.gen >/dev/null
  fi
done
if [ "$generate" = 1 ]; then
  echo "setup: generating the en_US.UTF-8 and ru_RU.UTF-8 locales"
  root locale-gen
fi

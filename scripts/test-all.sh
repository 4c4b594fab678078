#!/usr/bin/env bash
# Builds and runs every test suite of the project: the native release build,
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

step() { printf '\n=== %s\n' "$*"; }

step "Native release build and tests"
cmake --workflow --preset release

# Installs the library into a temporary prefix and builds hosts against it
# with find_package and pkg-config, and one with add_subdirectory.
step "Install and consumer hosts"
tests/consumers/run.sh

step "Sanitizer build and tests"
cmake --workflow --preset sanitize

step "All test suites passed"

#!/usr/bin/env bash
# Builds and runs every test suite of the project: the native release build,
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

step() { printf '\n=== %s\n' "$*"; }

step "Native release build and tests"
cmake --workflow --preset release

step "Sanitizer build and tests"
cmake --workflow --preset sanitize

step "All test suites passed"

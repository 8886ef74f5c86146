#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal build (warnings are
# errors), then the whole suite again under AddressSanitizer + UndefinedBehaviorSanitizer.
# Usage: scripts/test.sh [--no-sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)

cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default

if [[ "${1:-}" != "--no-sanitize" ]]; then
  cmake --preset sanitize
  cmake --build --preset sanitize -j "$jobs"
  ctest --preset sanitize
fi
echo "All tests passed."

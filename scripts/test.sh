#!/usr/bin/env bash
# Builds everything with the default preset and runs every test.
# Extra arguments go to ctest, e.g. scripts/test.sh -L ole
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default
cmake --build --preset default
ctest --preset default "$@"

#!/usr/bin/env bash
# Builds the program with the default preset and opens its window.
# Installs the missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default
cmake --build --preset default --target metadraw-demo
exec build/default/bin/metadraw-demo

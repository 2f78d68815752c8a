#!/usr/bin/env bash
# Sets up everything and runs all tests: installs missing packages, configures the test
# build (AddressSanitizer + UndefinedBehaviorSanitizer), builds and runs ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset test
cmake --build --preset test
ctest --preset test "$@"

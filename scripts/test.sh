#!/usr/bin/env bash
# Sets up everything and runs all tests: installs missing packages, checks that no include
# points up the layer table, configures the test build (AddressSanitizer +
# UndefinedBehaviorSanitizer), builds and runs ctest, then runs the threading tests under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
python3 scripts/check-layers.py  # no include points up the layer table (cmake/layers.txt)
cmake --preset test
cmake --build --preset test
ctest --preset test "$@"

# The threading tests once more under ThreadSanitizer; only that test program is built.
cmake --preset tsan
cmake --build build/tsan --target qd_tests_core_threads
QD_PLATFORM=headless TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  build/tsan/tests/qd_tests_core_threads --gtest_brief=1

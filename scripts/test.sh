#!/usr/bin/env bash
# Sets up everything and runs all tests:
#   1. installs missing packages;
#   2. checks that no include points up the layer table and that the sources are formatted;
#   3. builds the test build (clang, AddressSanitizer + UndefinedBehaviorSanitizer, warnings
#      are errors, with the fuzz targets) and runs ctest (arguments of this script go to ctest);
#   4. builds the test programs that start threads with ThreadSanitizer and runs them;
#   5. runs each fuzz target of the test build 10,000 times from a fixed seed on its seed
#      corpus.
# Prints the time of each phase at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
fuzz_runs=${QD_FUZZ_RUNS:-10000}
phases=()
phase() {
  local name=$1 start=$SECONDS
  shift
  echo "== $name"
  "$@"
  phases+=("$(printf '%-32s %5d s' "$name" $((SECONDS - start)))")
}
report() {
  local rc=$?
  echo
  echo "== phase times"
  printf '%s\n' "${phases[@]}"
  printf '%-32s %5d s\n' "total" "$SECONDS"
  ((rc == 0)) || echo "== FAILED (exit $rc)"
}
trap report EXIT

# The test programs that start threads: the threading utilities and the platform's classes,
# window manager and GDI, forms, network and display.
tsan_targets=(qd_tests_core_threads qd_tests_platform_classes qd_tests_platform_os
  qd_tests_platform_forms qd_tests_platform_net qd_tests_platform_display)

run_tsan() {
  local t reports=build/tsan/reports
  for t in "${tsan_targets[@]}"; do
    echo "-- $t"
    rm -rf "$reports" && mkdir -p "$reports"
    # Reports go to files: some tests capture standard error.
    if ! QD_PLATFORM=headless no_proxy=127.0.0.1,localhost \
      TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp log_path=$PWD/$reports/tsan" \
      "build/tsan/tests/$t" --gtest_brief=1; then
      cat "$reports"/tsan* 2>/dev/null || true
      return 1
    fi
  done
}

phase "install" bash scripts/install-deps.sh
phase "layers and format" bash -c 'python3 scripts/check-layers.py && bash scripts/check-format.sh'
phase "configure and build" bash -c 'cmake --preset test >/dev/null && cmake --build --preset test'
phase "tests" ctest --preset test -j "$jobs" "$@"
phase "thread checks: build" bash -c \
  "cmake --preset tsan >/dev/null && cmake --build --preset tsan --target ${tsan_targets[*]}"
phase "thread checks: run" run_tsan
phase "fuzz" bash scripts/fuzz.sh build/test 0 "$fuzz_runs"

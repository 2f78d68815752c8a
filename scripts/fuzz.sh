#!/usr/bin/env bash
# Runs every fuzz target of the test build for a few seconds on its seed corpus, as many targets
# at a time as there are cores (QD_FUZZ_JOBS sets another number).
#   scripts/fuzz.sh [build folder] [seconds per target] [runs per target]
# With a run count, each target makes exactly that many runs from a fixed seed, so that the
# result is the same every time (what CI does); without one, it runs for the given seconds
# from a random seed. New inputs go to a scratch folder, not into the checked-in corpus; a crash
# leaves its input in <build>/fuzz-artifacts/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
seconds=${2:-5}
runs=${3:-}
limit=(-max_total_time="$seconds")
[[ -n $runs ]] && limit=(-runs="$runs" -seed=1)
corpus=tests/fuzz/corpus
artifacts=$build/fuzz-artifacts
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$artifacts"

jobs=${QD_FUZZ_JOBS:-$(nproc)}

# One target: its result goes to $scratch/<name>.ok or .failed.
run_target() {
  local name=$1 seeds=$2
  local exe=$build/tests/fuzz/${name}_fuzz
  if [[ ! -x $exe ]]; then
    echo "fuzz: $exe is missing (no target for $seeds)" > "$scratch/$name.failed"
    return
  fi
  mkdir -p "$scratch/$name"
  if QD_PLATFORM=headless "$exe" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$artifacts/$name-" "$scratch/$name" "$seeds" \
      > "$scratch/$name.log" 2>&1; then
    echo "fuzz: $name $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$scratch/$name.log" | grep -o '[0-9]*$') runs" \
      > "$scratch/$name.ok"
  else
    tail -n 40 "$scratch/$name.log" > "$scratch/$name.failed"
  fi
}

# The targets run side by side, as many at a time as there are cores.
names=()
for seeds in "$corpus"/*/; do
  name=$(basename "$seeds")
  names+=("$name")
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n || true; done
  run_target "$name" "$seeds" &
done
wait

failed=()
for name in "${names[@]}"; do
  if [[ -f $scratch/$name.ok ]]; then
    cat "$scratch/$name.ok"
  else
    cat "$scratch/$name.failed" >&2
    failed+=("$name")
  fi
done

# Every target has seeds.
for exe in "$build"/tests/fuzz/*_fuzz; do
  name=$(basename "$exe" _fuzz)
  [[ -d $corpus/$name ]] || { echo "fuzz: $name has no seed corpus in $corpus/$name" >&2; failed+=("$name"); }
done

if ((${#failed[@]})); then
  echo "fuzz: failed: ${failed[*]}" >&2
  exit 1
fi

#!/usr/bin/env bash
# Sets up everything and runs the updater's main job against local demo servers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset demo
cmake --build --preset demo --target quarrendelvish
./build/demo/app/quarrendelvish "$@"

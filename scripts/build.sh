#!/usr/bin/env bash
# Builds the program and the tests into build/ (or the folder given).
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/setup.sh"
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"

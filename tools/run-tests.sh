#!/usr/bin/env bash
# Builds the project under a preset (default debug) and runs the whole test suite.
set -euo pipefail
preset=${1:-debug}
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"

#!/usr/bin/env bash
# Builds the project under a preset (default debug) and runs the whole test suite.
# "postgresql" runs the debug suite's programs that open accounts (label "accounts") again with
# every account on a throwaway PostgreSQL server (tools/start-test-postgres.sh), leaving out the
# tests listed in tests/postgresql-pending.txt; the other programs would only repeat their run.
set -euo pipefail
preset=${1:-debug}
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --tests
export QT_QPA_PLATFORM=offscreen
selection=()
if [ "$preset" = postgresql ]; then
    preset=debug
    WHINV_TEST_POSTGRES="$(bash tools/start-test-postgres.sh)"
    export WHINV_TEST_POSTGRES
    selection=(-L accounts)
    pending=$(grep -v '^#' tests/postgresql-pending.txt | grep . | paste -sd'|' || true)
    if [ -n "$pending" ]; then
        selection+=(-E "^($pending)\$")
    fi
fi
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset" "${selection[@]}"

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
tests=$preset
if [ "$preset" = postgresql ]; then
    preset=debug
    WHINV_TEST_POSTGRES="$(bash tools/start-test-postgres.sh)"
    export WHINV_TEST_POSTGRES
    pending=$(grep -v '^#' tests/postgresql-pending.txt | grep . | paste -sd: || true)
fi
cmake --preset "$preset"
cmake --build --preset "$preset"
# Each program runs whole on the server, so its pending cases are left out by GoogleTest's filter;
# set only now, since the build lists each program's cases for the debug run.
if [ -n "${pending:-}" ]; then
    export GTEST_FILTER="-$pending"
fi
ctest --preset "$tests"

#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UBSan: the fuzz preset) and runs
# each for a short fixed time over a copy of its seeds from tests/fuzz/corpus/<target>/, so that
# nothing it finds is written into the tree. Targets may be named as arguments; all run otherwise.
# FUZZ_SECONDS sets each one's time (default 12). A target fuzzes on one core, so as many run at
# once as there are cores (FUZZ_JOBS to set it). Ends non-zero when any target found a crash, a
# leak, undefined behaviour, a hang or too much memory; the input that did it is kept in
# build/fuzz/runs/<target>/ and its log printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh clang libclang-rt-14-dev
seconds=${FUZZ_SECONDS:-12}
jobs=${FUZZ_JOBS:-$(nproc)}
cmake --preset fuzz
cmake --build --preset fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for seeds in tests/fuzz/corpus/*/; do
        targets+=("$(basename "$seeds")")
    done
fi
runs=$PWD/build/fuzz/runs
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp

# Fuzzes one target and writes what came of it to its run's "outcome".
fuzz() {
    local target=$1 run=$runs/$1 start=$SECONDS
    rm -rf "$run"
    mkdir -p "$run/corpus"
    cp tests/fuzz/corpus/"$target"/* "$run/corpus/"
    local options=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10
        -artifact_prefix="$run/")
    if [ -f tests/fuzz/"$target".dict ]; then
        options+=(-dict="tests/fuzz/$target.dict")
    fi
    # The targets that need an account database make it in a folder of their run.
    if TMPDIR=$run build/fuzz/bin/fuzz_"$target" "${options[@]}" "$run/corpus" >"$run/log" 2>&1
    then
        echo "fuzz $target: $(grep -o 'Done [0-9]* runs' "$run/log") in $((SECONDS - start)) s" \
            >"$run/outcome"
    else
        echo "fuzz $target: FOUND A FAULT after $((SECONDS - start)) s (build/fuzz/runs/$target)" \
            >"$run/outcome"
    fi
}

running=0
for target in "${targets[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    fuzz "$target" &
    running=$((running + 1))
done
wait || true
failed=()
for target in "${targets[@]}"; do
    outcome=$runs/$target/outcome
    if [ -f "$outcome" ] && ! grep -q 'FOUND A FAULT' "$outcome"; then
        cat "$outcome"
        continue
    fi
    cat "$outcome" 2>/dev/null || echo "fuzz $target: did not run"
    tail -n 60 "$runs/$target/log" 2>/dev/null || true
    failed+=("$target")
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz targets with findings: ${failed[*]}" >&2
    exit 1
fi

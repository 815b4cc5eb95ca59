#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UBSan: the fuzz preset) and runs
# each for a short fixed time over a copy of its seeds from tests/fuzz/corpus/<target>/, so that
# nothing it finds is written into the tree. Targets may be named as arguments; all run otherwise.
# FUZZ_SECONDS sets each one's time (default 12). Ends non-zero when any target found a crash, a
# leak, undefined behaviour, a hang or too much memory; the input that did it is kept in
# build/fuzz/runs/<target>/ and its log printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh clang libclang-rt-14-dev
seconds=${FUZZ_SECONDS:-12}
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
failed=()
for target in "${targets[@]}"; do
    run=$runs/$target
    rm -rf "$run"
    mkdir -p "$run/corpus"
    cp tests/fuzz/corpus/"$target"/* "$run/corpus/"
    options=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$run/")
    if [ -f tests/fuzz/"$target".dict ]; then
        options+=(-dict="tests/fuzz/$target.dict")
    fi
    start=$SECONDS
    # The targets that need an account database make it in a folder of their run.
    if TMPDIR=$run build/fuzz/bin/fuzz_"$target" "${options[@]}" "$run/corpus" >"$run/log" 2>&1
    then
        echo "fuzz $target: $(grep -o 'Done [0-9]* runs' "$run/log") in $((SECONDS - start)) s"
    else
        echo "fuzz $target: FOUND A FAULT after $((SECONDS - start)) s (build/fuzz/runs/$target)"
        tail -n 60 "$run/log"
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz targets with findings: ${failed[*]}" >&2
    exit 1
fi

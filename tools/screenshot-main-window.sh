#!/usr/bin/env bash
# Builds the component and the screenshot tool, creates a demo database when it is missing, and
# saves a picture of the main window as it opens on an X server with the real fonts.
# Usage: tools/screenshot-main-window.sh [output.png]   (default build/screenshots/main-window.png)
# WHINV_BUILD_DIR builds in that folder instead of the release preset's; WHINV_SCREENSHOT_OPEN=add
# or modify takes the record editor opened from the main window instead, and the name of a menu
# item (mFilter, mPos, mFindSet, mSetUp, mPreview) the window that item opens.
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-build/screenshots/main-window.png}
if [ -n "${WHINV_BUILD_DIR:-}" ]; then
    build_dir=$WHINV_BUILD_DIR
    if [ ! -f "$build_dir/CMakeCache.txt" ]; then
        cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
    fi
else
    build_dir=build/release
    cmake --preset release
fi
cmake --build "$build_dir" --target korvel whinv-demo-db whinv-screenshot

data_dir=${TMPDIR:-/tmp}/whinv-screenshot
database=$data_dir/demo.db
mkdir -p "$data_dir"
if [ ! -f "$database" ]; then
    "$build_dir/bin/whinv-demo-db" --output "$database"
fi

mkdir -p "$(dirname "$output")"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x900x24" \
    "$build_dir/bin/whinv-screenshot" --database "$database" \
    ${WHINV_SCREENSHOT_OPEN:+--open "$WHINV_SCREENSHOT_OPEN"} "$output"
echo "$output"

#!/usr/bin/env bash
# Saves pictures of the record editor opened from the main window for a new row and for the
# first row of the grid, on an X server with the real fonts.
# Usage: tools/screenshot-editor.sh [folder]   (default build/screenshots)
# WHINV_BUILD_DIR builds in that folder instead of the release preset's.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build/screenshots}
for mode in add modify; do
    WHINV_SCREENSHOT_OPEN=$mode bash tools/screenshot-main-window.sh "$folder/editor-$mode.png"
done

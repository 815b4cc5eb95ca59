#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo database when absent, and starts the program.
# Extra arguments go to the program (for example --user wang). WHINV_QUIT_AFTER_SHOW=1 (or
# --quit-after-show) closes the program once its main window has shown, for a check without a user.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset release
# Only the program and what it needs: the tests and benchmarks are the developers' business.
cmake --build --preset release --target whinv whinv-demo-db
data_dir=${WHINV_DATA_DIR:-$HOME/.local/share/whinv}
mkdir -p "$data_dir"
if [ ! -f "$data_dir/demo.db" ]; then
    build/release/bin/whinv-demo-db --output "$data_dir/demo.db"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "no display: starting under Xvfb" >&2
    exec xvfb-run -a -s "-screen 0 1440x900x24" build/release/bin/whinv --database demo "$@"
fi
exec build/release/bin/whinv --database demo "$@"

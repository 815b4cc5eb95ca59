#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program, which builds the demo database
# (~/.local/share/whinv/demo.db, or in $WHINV_DATA_DIR) when it is absent and nothing configures
# it. Extra arguments go to the program (for example --user wang). WHINV_QUIT_AFTER_SHOW=1 (or
# --quit-after-show) closes the program once its main window has shown, for a check without a user.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset release
# Only the program and what it needs: the tests and benchmarks are the developers' business.
cmake --build --preset release --target whinv whinv-demo-db
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "no display: starting under Xvfb" >&2
    exec xvfb-run -a -s "-screen 0 1440x900x24" build/release/bin/whinv "$@"
fi
exec build/release/bin/whinv "$@"

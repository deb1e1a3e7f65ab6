#!/usr/bin/env bash
# Installs what is missing, builds, and starts キーミル.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/keymill
fi
echo "キーミル: no display is available (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
if command -v xvfb-run >/dev/null; then
    echo "Starting it on a virtual X display (Xvfb) instead; nothing will be visible on screen." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" build/keymill
fi
exit 1

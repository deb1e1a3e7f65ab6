#!/usr/bin/env bash
# Builds and runs every benchmark and prints their tables. Never fails a build or a test run.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The command-line benchmark compares with pwgen and times whole processes.
for tool in pwgen hyperfine time; do
    if ! dpkg-query -W -f='${Status}' "$tool" 2>/dev/null | grep -q 'install ok installed'; then
        $([ "$(id -u)" -eq 0 ] || echo sudo) apt-get install -y -qq --no-install-recommends "$tool" >/dev/null
    fi
done
scripts/build.sh >/dev/null
export QT_QPA_PLATFORM=offscreen
for bench in build/bench_*; do
    [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    "$bench"
    echo
done
echo "== bench_cli"
bench/cli/bench_cli.sh build
echo
echo "== bench_window (the real window under Xvfb, seen from outside)"
unset QT_QPA_PLATFORM
python3 bench/app/bench_window.py --program build/keymill --runs "${WINDOW_RUNS:-50}"
exit 0

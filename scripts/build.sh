#!/usr/bin/env bash
# Configures and builds into build/ (the program lands at build/keymill). Extra CMake options
# come from KEYMILL_CMAKE_OPTIONS (CI: -DKEYMILL_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck disable=SC2086
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${KEYMILL_CMAKE_OPTIONS:-} >/dev/null
cmake --build build -j "$(nproc)"

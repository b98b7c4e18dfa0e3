#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: headless, end-to-end under Xvfb and
# openbox, and (with SANITIZE=1) the same suite again in an address/undefined-behaviour build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

if [ "${SANITIZE:-0}" = 1 ]; then
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON >/dev/null
  cmake --build build-sanitize -j "$jobs"
  (cd build-sanitize && ctest --output-on-failure -j "$jobs")
fi

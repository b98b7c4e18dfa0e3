#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: headless, end-to-end under Xvfb and
# openbox, stress and faults; then the whole suite a second time in a clang build with the
# address and undefined-behaviour sanitizers (leaks count as failures), and the fuzzers for 60 s
# each in that build. QUICK=1 stops after the first pass.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j 3)

if [ "${QUICK:-0}" != 1 ]; then
  CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON -DFUZZ=ON >/dev/null
  cmake --build build-sanitize -j "$jobs"
  # The X11 stress measures memory, which means nothing under the sanitizers; the headless
  # stress runs here for its leak check.
  (cd build-sanitize && ctest --output-on-failure -j 3 -E '^stress\.x11$')
  bash scripts/fuzz.sh
fi

#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite (core, UI offscreen, end-to-end under Xvfb,
# benchmark smoke runs).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test -j"$(nproc)"
ctest --test-dir build-test --output-on-failure -j"$(nproc)" --timeout 600

#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite (core, UI offscreen, end-to-end under Xvfb,
# benchmark smoke runs), then the core tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test -j"$(nproc)"
ctest --test-dir build-test --output-on-failure -j"$(nproc)" --timeout 600

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTAVLOR_SANITIZE=ON -DTAVLOR_BUILD_UI=OFF \
  -DTAVLOR_BUILD_BENCH=OFF
cmake --build build-sanitize -j"$(nproc)"
ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)" --timeout 600

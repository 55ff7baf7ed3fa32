#!/usr/bin/env bash
# Sets up, builds and starts the editor; an optional argument names a file to open.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target tavlor
exec ./build/bin/tavlor "$@"

#!/usr/bin/env bash
# Sets up, builds and starts the editor; an optional argument names a file to open.
set -euo pipefail
caller_dir=$(pwd)
cd "$(dirname "$0")/.."
root_dir=$(pwd)
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target tavlor
# Start from the caller's folder so a relative file name means what the caller typed.
cd "$caller_dir"
exec "$root_dir/build/bin/tavlor" "$@"

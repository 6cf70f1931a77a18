#!/usr/bin/env bash
# Builds Pelmora and starts it. Arguments are handed to the program (paths to list).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi

cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target pelmora pelmora-list pelmora-tree 2>/dev/null \
  || cmake --build build -j"$(nproc)"
exec ./build/bin/pelmora "$@"

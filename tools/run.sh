#!/usr/bin/env bash
# Installs what is missing, builds Pelora and starts it with the sample work.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/ensure-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target pelora

sample=build/share/pelora/exempel/exempel.pel
if [ -f "$sample" ]; then
  exec build/bin/pelora "$sample"
fi
exec build/bin/pelora

#!/usr/bin/env bash
# Configures (once) and builds into build/ with Ninja and ccache.
set -eu
cd "$(dirname "$0")/.."
build=${TESS_BUILD_DIR:-build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -- -j"$(nproc)"

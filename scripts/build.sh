#!/usr/bin/env bash
# Configures (once) and builds into build/ with Ninja and ccache.
set -eu
cd "$(dirname "$0")/.."
build=${TESS_BUILD_DIR:-build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
# moc runs again only for headers it already knows: when headers come or go,
# make every target's automatic moc step run once more.
headers=$(find common runtime platform programs demo tests -name '*.h' 2>/dev/null | sort | md5sum)
if [ "$headers" != "$(cat "$build/.headers" 2>/dev/null)" ]; then
  find "$build" -path '*_autogen/timestamp' -delete 2>/dev/null || true
  echo "$headers" > "$build/.headers"
fi
cmake --build "$build" -- -j"$(nproc)"

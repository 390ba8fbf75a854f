#!/usr/bin/env bash
# Installs what is missing, builds, prepares the demo data once and starts
# tessrun on it.
set -eu
cd "$(dirname "$0")"
scripts/deps.sh run
scripts/build.sh
build=${TESS_BUILD_DIR:-build}
if [ -x "$build/bin/tessdemo" ]; then
  "$build/bin/tessdemo" "$PWD/demo-data" "$build/bin"
fi
exec "$build/bin/tessrun"

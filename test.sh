#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (SQLite and a
# throwaway PostgreSQL server).
set -eu
cd "$(dirname "$0")"
scripts/deps.sh test
scripts/build.sh
. scripts/pgserver.sh
trap pg_stop EXIT
pg_start
ctest --test-dir "${TESS_BUILD_DIR:-build}" --output-on-failure -j"$(nproc)" "$@"

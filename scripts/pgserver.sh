# Sourced by test.sh: starts a throwaway PostgreSQL server on 127.0.0.1 and
# exports TESS_PG_URL for the tests; pg_stop removes it again.
# The first free port from 55432 on, so a server left running elsewhere
# does not stop the tests.
pg_free_port() {
  local p=55432
  while [ $p -lt 55532 ]; do
    if ! (echo > /dev/tcp/127.0.0.1/$p) 2>/dev/null && [ ! -e "/tmp/.s.PGSQL.$p" ]; then
      echo $p
      return
    fi
    p=$((p + 1))
  done
  echo 55432
}

pg_as() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

pg_start() {
  PGBIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
  if [ -z "$PGBIN" ]; then
    echo "PostgreSQL server binaries not found; PostgreSQL tests will be skipped" >&2
    return 0
  fi
  TESS_PG_PORT=${TESS_PG_PORT:-$(pg_free_port)}
  PGDIR=$(mktemp -d /tmp/tesspg.XXXXXX)
  [ "$(id -u)" -eq 0 ] && chown postgres: "$PGDIR"
  local su=postgres
  [ "$(id -u)" -ne 0 ] && su=$(id -un)
  pg_as "$PGBIN/initdb" -D "$PGDIR/data" -U "$su" -A trust -E UTF8 --locale=C.UTF-8 >"$PGDIR/initdb.log" 2>&1
  pg_as "$PGBIN/pg_ctl" -D "$PGDIR/data" -l "$PGDIR/log" -w -t 30 \
      -o "-p $TESS_PG_PORT -k $PGDIR -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" start >/dev/null
  export TESS_PG_URL="postgres://$su@127.0.0.1:$TESS_PG_PORT/postgres"
}

pg_stop() {
  [ -n "${PGDIR:-}" ] || return 0
  pg_as "$PGBIN/pg_ctl" -D "$PGDIR/data" -m fast -w stop >/dev/null 2>&1 || true
  rm -rf "$PGDIR"
  PGDIR=
}

#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for one test run.
#   postgres-cluster.sh start STATE_DIR   makes and starts it; STATE_DIR/url names its admin URL
#   postgres-cluster.sh stop STATE_DIR    stops it and removes its files
# The server refuses to run as root: as root it runs as the postgres user.
set -uo pipefail
action=$1
state=$2

as_server() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

stop() {
  [ -f "$state/folder" ] || return 0
  local folder
  folder=$(cat "$state/folder")
  if [ -d "$folder/data" ]; then
    # Immediate: nothing of it is kept, so no shutdown checkpoint to wait for.
    as_server "$bin/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null 2>&1
  fi
  rm -rf "$folder"
  rm -f "$state/folder" "$state/url"
}

# QUENLOW_PG_BIN names another server's programs.
bin=${QUENLOW_PG_BIN:-$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n1)}
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ] || [ ! -x "$bin/pg_ctl" ]; then
  if [ "$action" = stop ]; then exit 0; fi
  echo "PostgreSQL is not installed: no initdb and pg_ctl in ${bin:-/usr/lib/postgresql/*/bin} (install the postgresql package)" >&2
  exit 1
fi

mkdir -p "$state"
case "$action" in
stop)
  stop
  ;;
start)
  stop # what a killed run left behind
  folder=$(mktemp -d /tmp/quenlow-pg.XXXXXX)
  echo "$folder" >"$state/folder"
  [ "$(id -u)" = 0 ] && chown postgres: "$folder"
  if ! as_server "$bin/initdb" -D "$folder/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >"$folder/initdb.log" 2>&1; then
    cat "$folder/initdb.log" >&2
    exit 1
  fi
  for attempt in 1 2 3 4 5; do
    port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    if as_server "$bin/pg_ctl" -D "$folder/data" -l "$folder/log" -w -t 60 \
      -o "-p $port -k $folder -c listen_addresses=127.0.0.1 -c fsync=on -c synchronous_commit=on -c max_connections=200" \
      start >/dev/null 2>&1; then
      echo "postgresql://postgres@127.0.0.1:$port" >"$state/url"
      exit 0
    fi
  done
  cat "$folder/log" >&2
  exit 1
  ;;
esac

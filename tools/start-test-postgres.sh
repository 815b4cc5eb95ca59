#!/usr/bin/env bash
# Starts a throwaway PostgreSQL 15 cluster on 127.0.0.1 for the tests and prints its libpq
# connection string as the last line on stdout, everything else going to stderr:
#     export WHINV_TEST_POSTGRES="$(bash tools/start-test-postgres.sh)"
# A cluster this script already runs on the port is reused. `--stop` stops it and removes its
# folder. The port is $WHINV_TEST_PG_PORT (default 55432). Meant for root on Debian 12, as in CI;
# the server itself runs as postgres, since it refuses to run as root.
set -euo pipefail
port=${WHINV_TEST_PG_PORT:-55432}
bin=/usr/lib/postgresql/15/bin
record=/tmp/whinv-test-pg-$port.dir
connection="host=127.0.0.1 port=$port user=whinv_test dbname=whinv_test"

# Only the connection string goes to the caller's stdout.
exec 3>&1 1>&2

# As root the server's programs run as postgres; anyone else runs them as themselves.
as_server_user() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

# The folder the record names, when it is one this script made.
recorded_folder() {
    local folder
    [ -f "$record" ] || return 1
    folder=$(cat "$record")
    case "$folder" in
        /tmp/whinv-test-pg-"$port"-??????) [ -d "$folder" ] && echo "$folder" ;;
        *) return 1 ;;
    esac
}

stop_recorded() {
    local folder
    if folder=$(recorded_folder); then
        if [ -f "$folder/postmaster.pid" ]; then
            as_server_user "$bin/pg_ctl" -D "$folder" -m immediate -w stop || true
        fi
        rm -rf -- "$folder"
        echo "removed the cluster in $folder"
    fi
    rm -f -- "$record"
}

# Two callers at once (parallel CI steps) must not both make a cluster on the port.
exec 9>"/tmp/whinv-test-pg-$port.lock"
flock 9

if [ "${1:-}" = --stop ]; then
    stop_recorded
    exit 0
fi

bash "$(dirname "$0")/install-deps.sh" postgresql-15 postgresql-contrib

if folder=$(recorded_folder) && as_server_user "$bin/pg_ctl" -D "$folder" status >/dev/null &&
    "$bin/pg_isready" -q -h 127.0.0.1 -p "$port"; then
    echo "reusing the cluster in $folder"
    echo "$connection" >&3
    exit 0
fi
# A record without a running server is left over from a crash or a reboot.
stop_recorded
if "$bin/pg_isready" -q -h 127.0.0.1 -p "$port"; then
    echo "another server listens on 127.0.0.1:$port; choose a port with WHINV_TEST_PG_PORT"
    exit 1
fi

folder=$(mktemp -d "/tmp/whinv-test-pg-$port-XXXXXX")
if [ "$(id -u)" -eq 0 ]; then
    chown postgres:postgres "$folder"
fi
echo "$folder" >"$record"
# Trust is enough: the server listens on 127.0.0.1 and on a socket in its own folder only.
as_server_user "$bin/initdb" -D "$folder" -A trust -U postgres --encoding=UTF8 \
    --locale=C.UTF-8 >/dev/null
# The cluster holds nothing worth keeping after a crash, so it skips flushing to disk. The
# server must not inherit the caller's stdout (a "$(...)" would wait for it) nor the lock.
options="-c listen_addresses=127.0.0.1 -p $port -k $folder"
options+=" -c fsync=off -c synchronous_commit=off -c full_page_writes=off"
as_server_user "$bin/pg_ctl" -D "$folder" -l "$folder/log" -o "$options" -w start 3>&- 9>&-

admin=("$bin/psql" -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" -U postgres)
# Every database made from template1 has citext, so a test's fresh database needs no own step.
"${admin[@]}" -d template1 -c "create extension if not exists citext"
# What "whinv-admin init" run once by a superuser does in an account: without it the server reads
# the whole table for every statement of a login bound by the row policies.
for comparison in eq ne lt le gt ge; do
    "${admin[@]}" -d template1 -c "alter function citext_$comparison(citext, citext) leakproof"
done
"${admin[@]}" -d postgres -c "create role whinv_test login createdb createrole"
# Dropping a test's database ends the server's own workers on it (autovacuum) too.
"${admin[@]}" -d postgres -c "grant pg_signal_backend to whinv_test"
"${admin[@]}" -d postgres -c "create database whinv_test owner whinv_test"
echo "started PostgreSQL in $folder on 127.0.0.1:$port"
echo "$connection" >&3

#!/bin/bash
# Recursive listing of a network share: pelmora-list recursive on //127.0.0.1/bench against
# smbclient's own recursive listing (`recurse; ls`) of the same share, and the listing on one
# thread, interleaved runs on a private Samba server started for the run (as the tests start
# theirs).
#
#   MAKE_TREE=/path/to/make_tree.py bench/smb_recursive_bench.sh [BUILD_DIR]   (default: build)
#
# Environment: MAKE_TREE (the tree generator, required), FILES (20000), SEED (1), REPS (5),
#              LATENCY_MS (none): every request and its answer pass a relay that holds them
#              this long in all (bench/delay_proxy.py), as across a network.
# Needs samba and smbclient; runs smbd as the current user (root, for its private files).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$repo/$build ;; esac
lister=$build/bin/pelmora-list
[ -x "$lister" ] || { echo "missing $lister: build the target pelmora-list" >&2; exit 2; }
[ -n "${MAKE_TREE:-}" ] && [ -f "$MAKE_TREE" ] || { echo "set MAKE_TREE to make_tree.py" >&2; exit 2; }
files=${FILES:-20000}
seed=${SEED:-1}
reps=${REPS:-5}

work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-smb-bench-XXXXXX")
smbd_pid=
proxy_pid=
cleanup() {
  [ -n "$proxy_pid" ] && kill "$proxy_pid" 2>/dev/null || true
  [ -n "$smbd_pid" ] && kill -KILL -- "-$smbd_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

python3 "$MAKE_TREE" "$work/share" "$files" --seed "$seed" >/dev/null
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work"/{private,lock,state,cache,pid,ncalrpc}
cat >"$work/smb.conf" <<CONF
[global]
  smb ports = $port
  disable netbios = yes
  interfaces = lo
  bind interfaces only = yes
  server role = standalone server
  private dir = $work/private
  lock directory = $work/lock
  state directory = $work/state
  cache directory = $work/cache
  pid directory = $work/pid
  ncalrpc dir = $work/ncalrpc
  log file = $work/smbd.log
  map to guest = Bad User
  load printers = no
  printcap name = /dev/null
  disable spoolss = yes
[bench]
  path = $work/share
  guest ok = yes
  read only = yes
  force user = $(id -un)
CONF
setsid smbd --foreground --no-process-group --debug-stdout -s "$work/smb.conf" >"$work/smbd.out" 2>&1 </dev/null &
smbd_pid=$!
for _ in $(seq 100); do
  smbclient -p "$port" -L //127.0.0.1 -N >/dev/null 2>&1 && break
  sleep 0.2
done

printf '[Pelmora]\r\nKakomi="\r\nKugiri=,\r\nFileHiddenFile=1\r\nSFolderName=1\r\nSFolderFullPath=1\r\nSFolderSize=1\r\nSFolderDateTime=1\r\nSFolderLastLineReturn=1\r\n' >"$work/bench.ini"

if [ -n "${LATENCY_MS:-}" ]; then
  server_port=$port
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  python3 "$repo/bench/delay_proxy.py" "$port" "$server_port" "$LATENCY_MS" &
  proxy_pid=$!
  for _ in $(seq 100); do
    smbclient -p "$port" -L //127.0.0.1 -N >/dev/null 2>&1 && break
    sleep 0.2
  done
  echo "through a relay adding ${LATENCY_MS} ms to each request"
fi

# One warm-up run of each fills the server's caches; then REPS interleaved runs, medians.
export PELMORA_SMB_PORT=$port
timed() {
  local name=$1; shift
  /usr/bin/time -a -o "$work/$name.times" -f "%e" "$@" >"$work/$name.out" 2>/dev/null
}
"$lister" --ini "$work/bench.ini" --yes recursive //127.0.0.1/bench >/dev/null 2>&1
smbclient -p "$port" //127.0.0.1/bench -N -c 'recurse; ls' >/dev/null 2>&1
for ((i = 1; i <= reps; i++)); do
  timed pelmora "$lister" --ini "$work/bench.ini" --yes recursive //127.0.0.1/bench
  timed smbclient smbclient -p "$port" //127.0.0.1/bench -N -c 'recurse; ls'
  timed single env PELMORA_WALK_THREADS=1 "$lister" --ini "$work/bench.ini" --yes recursive //127.0.0.1/bench
done
cmp -s "$work/pelmora.out" "$work/single.out" || echo "one thread gave another listing" >&2
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
pelmora=$(median "$work/pelmora.times")
single=$(median "$work/single.times")
smbclient_time=$(median "$work/smbclient.times")
listed=$(grep -c '' "$work/pelmora.out" || true)
echo "files listed: $listed; $reps interleaved runs, medians"
echo "pelmora-list recursive:             ${pelmora} s"
echo "pelmora-list recursive, one thread: ${single} s"
echo "smbclient recurse; ls:              ${smbclient_time} s"
awk -v a="$pelmora" -v b="$smbclient_time" 'BEGIN { printf "ratio pelmora / smbclient: %.2f\n", a / b }'
awk -v a="$single" -v b="$smbclient_time" 'BEGIN { printf "ratio one thread / smbclient: %.2f\n", a / b }'

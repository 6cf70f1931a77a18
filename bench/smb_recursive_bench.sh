#!/bin/bash
# Recursive listing of a network share: pelmora-list recursive on //127.0.0.1/bench against
# smbclient's own recursive listing (`recurse; ls`) of the same share, one run each, on a
# private Samba server started for the run (as the tests start theirs).
#
#   MAKE_TREE=/path/to/make_tree.py bench/smb_recursive_bench.sh [BUILD_DIR]   (default: build)
#
# Environment: MAKE_TREE (the tree generator, required), FILES (20000), SEED (1).
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

work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-smb-bench-XXXXXX")
smbd_pid=
cleanup() {
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

# The first run of each warms the server's caches; the second is measured.
timed() {
  local name=$1; shift
  "$@" >"$work/$name.out" 2>/dev/null
  /usr/bin/time -o "$work/$name.time" -f "%e" "$@" >"$work/$name.out" 2>/dev/null
  cat "$work/$name.time"
}
pelmora=$(timed pelmora env PELMORA_SMB_PORT="$port" "$lister" --ini "$work/bench.ini" --yes recursive //127.0.0.1/bench)
smbclient_time=$(timed smbclient smbclient -p "$port" //127.0.0.1/bench -N -c 'recurse; ls')
listed=$(grep -c '' "$work/pelmora.out" || true)
echo "files listed: $listed"
echo "pelmora-list recursive: ${pelmora} s"
echo "smbclient recurse; ls:  ${smbclient_time} s"
awk -v a="$pelmora" -v b="$smbclient_time" 'BEGIN { printf "ratio pelmora / smbclient: %.2f\n", a / b }'

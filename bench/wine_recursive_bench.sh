#!/bin/bash
# pelmora-list.exe recursive under Wine against the Linux build's pelmora-list recursive on the
# same seeded tree: interleaved repetitions, medians of wall and CPU time, the load recorded,
# and the outputs compared once the Linux paths are written as Wine shows them (Z: for /,
# "\" between names). Wine's own overhead is in the figure: it is the baseline for a run on a
# real Windows machine, not a target.
#
#   bench/wine_recursive_bench.sh [LINUX_BUILD [WINDOWS_BUILD]]   (default: build build-windows)
#
# Environment: FILES (100000), FOLDERS (6500), SEED (1), REPS (3),
#              TREE (a folder under ${TMPDIR:-/tmp}; built once and kept for later runs).
# The Windows build comes from scripts/build-windows.sh; Wine uses its prefix
# (WINDOWS_BUILD/wine-prefix). The tree generator lives beside the repository:
# ../shared/bench/make_tree.py.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
absolute() { case $1 in /*) echo "$1" ;; *) echo "$repo/$1" ;; esac; }
linux_lister=$(absolute "${1:-build}")/bin/pelmora-list
windows_build=$(absolute "${2:-build-windows}")
windows_lister=$windows_build/bin/pelmora-list.exe
for program in "$linux_lister" "$windows_lister"; do
  [ -x "$program" ] || [ -f "$program" ] || { echo "missing $program" >&2; exit 2; }
done
command -v wine >/dev/null || { echo "wine is not installed (scripts/install-deps.sh)" >&2; exit 2; }

files=${FILES:-100000}
folders=${FOLDERS:-6500}
seed=${SEED:-1}
reps=${REPS:-3}
tree=${TREE:-${TMPDIR:-/tmp}/pelmora-bench-tree-$files-$folders-$seed}
# Japan's zone in the one spelling both glibc and the Windows C runtime read.
export TZ=JST-9

if [ ! -f "$tree.complete" ]; then
  echo "building the tree: $files files in $folders folders, seed $seed, at $tree" >&2
  (cd "$repo" && python3 ../shared/bench/make_tree.py "$tree" "$files" "$folders" --seed "$seed" --force >/dev/null)
  touch "$tree.complete"
fi
tree=$(realpath "$tree")

work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-wine-bench-XXXXXX")

# Wine as scripts/build-windows.sh runs it: its own quiet prefix, the server and services
# started first with their streams away from ours.
export WINEPREFIX="$windows_build/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
stop_wine() { wineserver -k >/dev/null 2>&1 || true; }
trap 'stop_wine; rm -rf "$work"' EXIT
stop_wine
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1

# Case 1: full path, size and last-write time. Case 2: every field but the short name (Wine
# makes 8.3 names where Linux has none) and the creation time (Wine gives the last write where
# Linux has a birth time), with the attributes and the extension sort.
printf '[Pelmora]\r\nKakomi="\r\nKugiri=,\r\nFileHiddenFile=1\r\nFileExtSort=0\r\nSFolderName=1\r\nSFolderFullPath=1\r\nSFolderSize=1\r\nSFolderDateTime=1\r\nSFolderLastLineReturn=1\r\n' >"$work/case1.ini"
printf '[Pelmora]\r\nKakomi="\r\nKugiri=,\r\nFileHiddenFile=1\r\nFileExtSort=1\r\nSFolderName=1\r\nSFolderFullPath=1\r\nSFolderSize=1\r\nSFolderSizePatarn=1\r\nSFolderDateTime=1\r\nSFolderDateTimePatarn=1\r\nSFolderAccessDateTime=1\r\nSFolderAccessDateTimePatarn=1\r\nSFolderAttrib=1\r\nSFolderLastLineReturn=1\r\n' >"$work/case2.ini"
windows_tree="Z:${tree//\//\\}"
windows_ini() { printf 'Z:%s' "${1//\//\\}"; }

# run NAME COMMAND...: appends "wall cpu" to $work/NAME.times; output to $work/NAME.out. The
# CPU time is the program's own: a persistent wineserver's share is not in it.
run() {
  local name=$1; shift
  /usr/bin/time -o "$work/time" -f "%e %U %S" "$@" </dev/null >"$work/$name.out" 2>"$work/$name.err"
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' "$work/time" >>"$work/$name.times"
}

echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
load_start=$(cut -d' ' -f1-3 /proc/loadavg)
for ((i = 1; i <= reps; i++)); do
  echo "repetition $i of $reps" >&2
  for case in 1 2; do
    run "linux$case" "$linux_lister" --ini "$work/case$case.ini" --yes recursive "$tree"
    run "wine$case" wine "$windows_lister" --ini "$(windows_ini "$work/case$case.ini")" --yes recursive "$windows_tree"
  done
done

# The Linux listing as Wine writes it: paths below the tree in the Windows form (only what
# follows the tree's folder changes, so dates keep their "/"), and the archive bit Windows
# sets on every file written.
as_windows() {
  TREE="$tree" perl -pe 's{\Q$ENV{TREE}\E[^",\r\n]*}{ (my $p = "Z:$&") =~ s|/|\\|g; $p }ge; s/Archive\(-\)/Archive(+)/g'
}
compared() {
  as_windows <"$work/linux$1.out" >"$work/linux$1.win"
  if cmp -s "$work/linux$1.win" "$work/wine$1.out"; then
    echo "identical"
  elif cmp -s <(sort "$work/linux$1.win") <(sort "$work/wine$1.out"); then
    echo "the same lines in another order"
    echo "first place the order differs, case $1 (< Linux, > Wine):" >&2
    diff "$work/linux$1.win" "$work/wine$1.out" | grep "^[<>]" | head -n 4 >&2 || true
  else
    echo "DIFFERENT ($(diff "$work/linux$1.win" "$work/wine$1.out" | grep -c '^[<>]') lines differ)"
    echo "first differences, case $1 (< Linux, > Wine):" >&2
    diff <(sort "$work/linux$1.win") <(sort "$work/wine$1.out") | grep "^[<>]" | sed -n "1,2p;/^>/{p;q}" >&2 || true
  fi
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
col() { cut -d' ' -f"$2" "$work/$1.times" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf (b > 0) ? "%.1f" : "n/a", a / b }'; }

lines=$(grep -c $'\r$' "$work/linux1.out" || true)
echo
echo "Recursive listing under Wine, $lines files in $folders folders (seed $seed), $reps interleaved repetitions, medians"
printf '%-60s %9s %9s\n' "run" "wall s" "cpu s"
for name in linux1 wine1 linux2 wine2; do
  case $name in
    linux1) label="pelmora-list, Linux (path, size, time)" ;;
    wine1) label="pelmora-list.exe, Wine (path, size, time)" ;;
    linux2) label="pelmora-list, Linux (all but 8.3 and creation, ext sort)" ;;
    wine2) label="pelmora-list.exe, Wine (all but 8.3 and creation, ext sort)" ;;
  esac
  printf '%-60s %9s %9s\n' "$label" "$(col $name 1)" "$(col $name 2)"
done
echo
echo "ratio Wine/Linux, path size time      wall $(ratio "$(col wine1 1)" "$(col linux1 1)")  cpu $(ratio "$(col wine1 2)" "$(col linux1 2)")"
echo "ratio Wine/Linux, all fields          wall $(ratio "$(col wine2 1)" "$(col linux2 1)")  cpu $(ratio "$(col wine2 2)" "$(col linux2 2)")"
echo "outputs, path size time               $(compared 1)"
echo "outputs, all fields                   $(compared 2)"
echo "load average at the start             $load_start"
echo "load average at the end               $(cut -d' ' -f1-3 /proc/loadavg)"

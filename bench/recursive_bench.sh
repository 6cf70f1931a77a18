#!/bin/bash
# Recursive listing benchmark: pelmora-list recursive against GNU find (and against a bare
# walk doing one statx per file) on a seeded tree, interleaved repetitions, medians and ratios.
# The listing runs twice: with the walk's threads as the program picks them, and with one
# (PELMORA_WALK_THREADS=1).
#
#   bench/recursive_bench.sh [BUILD_DIR]        (default: build)
#
# Environment: FILES (200000), FOLDERS (13000), SEED (1), REPS (5),
#              TREE (a folder under ${TMPDIR:-/tmp}; built once and kept for later runs),
#              BASELINE (another pelmora-list, e.g. an earlier build: its three-field,
#              one-thread and all-fields runs join the interleaved ones, for a before and
#              after under one load).
# The tree generator lives beside the repository: ../shared/bench/make_tree.py.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$repo/$build ;; esac
lister=$build/bin/pelmora-list
bare=$build/bin/bare_walk
for program in "$lister" "$bare"; do
  [ -x "$program" ] || { echo "missing $program: build the targets pelmora-list and bare_walk" >&2; exit 2; }
done

baseline=${BASELINE:-}
files=${FILES:-200000}
folders=${FOLDERS:-13000}
seed=${SEED:-1}
reps=${REPS:-5}
tree=${TREE:-${TMPDIR:-/tmp}/pelmora-bench-tree-$files-$folders-$seed}
export TZ=Asia/Tokyo

# The mark lies beside the tree, not in it, so that it is not listed.
if [ ! -f "$tree.complete" ]; then
  echo "building the tree: $files files in $folders folders, seed $seed, at $tree" >&2
  (cd "$repo" && python3 ../shared/bench/make_tree.py "$tree" "$files" "$folders" --seed "$seed" --force >/dev/null)
  touch "$tree.complete"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Case 1: full path, size and last-write time. Case 2: every field, attributes, extension sort.
printf '[Pelmora]\r\nKakomi="\r\nKugiri=,\r\nFileHiddenFile=1\r\nFileExtSort=0\r\nSFolderName=1\r\nSFolderFullPath=1\r\nSFolderSize=1\r\nSFolderDateTime=1\r\nSFolderLastLineReturn=1\r\n' >"$work/case1.ini"
printf '[Pelmora]\r\nKakomi="\r\nKugiri=,\r\nFileHiddenFile=1\r\nFileExtSort=1\r\nSFolderName=1\r\nSFolderFullPath=1\r\nSFolderShortName=1\r\nSFolderSize=1\r\nSFolderSizePatarn=1\r\nSFolderDateTime=1\r\nSFolderDateTimePatarn=1\r\nSFolderMakeDateTime=1\r\nSFolderMakeDateTimePatarn=1\r\nSFolderAccessDateTime=1\r\nSFolderAccessDateTimePatarn=1\r\nSFolderAttrib=1\r\nSFolderLastLineReturn=1\r\n' >"$work/case2.ini"
# Case 2 without the attributes, and without the sort: where its time goes.
sed 's/SFolderAttrib=1/SFolderAttrib=0/' "$work/case2.ini" >"$work/case2-noattrib.ini"
sed 's/FileExtSort=1/FileExtSort=0/' "$work/case2.ini" >"$work/case2-nosort.ini"

# run NAME COMMAND...: appends "wall cpu maxrss_kb" to $work/NAME.times; output to $work/NAME.out
run() {
  local name=$1; shift
  /usr/bin/time -o "$work/time" -f "%e %U %S %M" "$@" >"$work/$name.out" 2>/dev/null
  awk '{ printf "%.3f %.3f %d\n", $1, $2 + $3, $4 }' "$work/time" >>"$work/$name.times"
  [ "$name" = single1 ] && { cmp -s "$work/single1.out" "$work/pelmora1.out" || echo "one thread gave another listing" >&2; }
  # Every repetition must give the first one's listing, byte for byte.
  case $name in
    pelmora1 | pelmora2)
      if [ -f "$work/$name.first" ]; then
        cmp -s "$work/$name.out" "$work/$name.first" || { echo "$name: repetition gave another listing" >&2; differing=1; }
      else
        cp "$work/$name.out" "$work/$name.first"
      fi ;;
  esac
  return 0
}

differing=0
find1='"%p","%s","%TY/%Tm/%Td %TH:%TM:%.2TS"\r\n'
find2='"%p","%f","%s","%BY/%Bm/%Bd","%BH:%BM:%.2BS","%TY/%Tm/%Td","%TH:%TM:%.2TS","%AY/%Am/%Ad","%AH:%AM:%.2AS","%M"\r\n'
echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
for ((i = 1; i <= reps; i++)); do
  echo "repetition $i of $reps" >&2
  run pelmora1 "$lister" --ini "$work/case1.ini" --yes recursive "$tree"
  run find1 find "$tree" -type f -printf "$find1"
  run bare "$bare" "$tree"
  run single1 env PELMORA_WALK_THREADS=1 "$lister" --ini "$work/case1.ini" --yes recursive "$tree"
  run pelmora2 "$lister" --ini "$work/case2.ini" --yes recursive "$tree"
  run find2 find "$tree" -type f -printf "$find2"
  run noattrib2 "$lister" --ini "$work/case2-noattrib.ini" --yes recursive "$tree"
  run nosort2 "$lister" --ini "$work/case2-nosort.ini" --yes recursive "$tree"
  if [ -n "$baseline" ]; then
    run before1 "$baseline" --ini "$work/case1.ini" --yes recursive "$tree"
    run beforesingle1 env PELMORA_WALK_THREADS=1 "$baseline" --ini "$work/case1.ini" --yes recursive "$tree"
    run before2 "$baseline" --ini "$work/case2.ini" --yes recursive "$tree"
    cmp -s "$work/before1.out" "$work/pelmora1.out" || echo "the baseline gave another listing (three fields)" >&2
    cmp -s "$work/before2.out" "$work/pelmora2.out" || echo "the baseline gave another listing" >&2
  fi
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
col() { cut -d' ' -f"$2" "$work/$1.times" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf (b > 0) ? "%.2f" : "n/a", a / b }'; }

lines=$(grep -c $'\r$' "$work/pelmora1.out" || true)
bytes=$(stat -c %s "$work/pelmora1.out")
echo
echo "Recursive listing, $lines files in $folders folders (seed $seed), $reps interleaved repetitions, medians"
printf '%-44s %9s %9s %10s\n' "run" "wall s" "cpu s" "max RSS MB"
names="pelmora1 find1 bare single1 pelmora2 find2 noattrib2 nosort2"
[ -n "$baseline" ] && names="$names before1 beforesingle1 before2"
for name in $names; do
  case $name in
    pelmora1) label="pelmora-list recursive (path, size, time)" ;;
    find1) label="find -printf (path, size, time)" ;;
    bare) label="bare walk, one statx per file" ;;
    single1) label="pelmora-list, one thread (path, size, time)" ;;
    pelmora2) label="pelmora-list (all fields, attributes, ext sort)" ;;
    find2) label="find -printf (all fields)" ;;
    noattrib2) label="pelmora-list (all fields, ext sort)" ;;
    nosort2) label="pelmora-list (all fields, attributes)" ;;
    before1) label="baseline (path, size, time)" ;;
    beforesingle1) label="baseline, one thread (path, size, time)" ;;
    before2) label="baseline (all fields, attributes, ext sort)" ;;
  esac
  printf '%-44s %9s %9s %10s\n' "$label" "$(col $name 1)" "$(col $name 2)" "$(awk -v k="$(col $name 3)" 'BEGIN { printf "%.1f", k / 1024 }')"
done
echo
echo "ratio pelmora/find, path size time    wall $(ratio "$(col pelmora1 1)" "$(col find1 1)")  cpu $(ratio "$(col pelmora1 2)" "$(col find1 2)")  (target <= 0.35)"
echo "ratio one thread/bare walk           wall $(ratio "$(col single1 1)" "$(col bare 1)")  cpu $(ratio "$(col single1 2)" "$(col bare 2)")  (target <= 1.2)"
echo "ratio pelmora/find, all fields        wall $(ratio "$(col pelmora2 1)" "$(col find2 1)")  cpu $(ratio "$(col pelmora2 2)" "$(col find2 2)")  (target <= 0.6)"
bytes2=$(stat -c %s "$work/pelmora2.out")
if [ -n "$baseline" ]; then
  echo "baseline: one thread/bare walk       wall $(ratio "$(col beforesingle1 1)" "$(col bare 1)")  cpu $(ratio "$(col beforesingle1 2)" "$(col bare 2)")"
  echo "baseline: peak memory / output        $(ratio "$(( $(col before1 3) * 1024 ))" "$bytes") three fields, $(ratio "$(( $(col before2 3) * 1024 ))" "$(stat -c %s "$work/pelmora2.out")") all fields"
fi
echo "peak memory / output size             $(ratio "$(( $(col pelmora1 3) * 1024 ))" "$bytes")  ($(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1048576 }') MB of output; target < 3)"
echo "peak memory / output, all fields      $(ratio "$(( $(col pelmora2 3) * 1024 ))" "$bytes2")  ($(awk -v b="$bytes2" 'BEGIN { printf "%.1f", b / 1048576 }') MB of output; target < 3)"
echo "load average at the end               $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "$differing" = 0 ]; then
  echo "all $reps repetitions byte-identical (three fields, and all fields)"
else
  echo "repetitions differed" >&2
  exit 1
fi

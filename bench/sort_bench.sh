#!/usr/bin/env bash
# Extension sort of a big listing against GNU sort in the Japanese locale.
# usage: bench/sort_bench.sh [build-folder] [repetitions] [lines]
# Each repetition runs GNU sort, our sort as a whole process and our sort alone one after the other
# (interleaved, so a busy machine hurts all three alike); the figures are medians.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
reps=${2:-5}
lines=${3:-1000000}
bench=$build/bin/sort_bench
if [ ! -x "$bench" ]; then
  echo "sort_bench is not built: ninja -C $build sort_bench" >&2
  exit 1
fi

if ! locale -a | grep -qix 'ja_JP.utf8'; then
  echo "generating the ja_JP.UTF-8 locale (package locales)" >&2
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" generate "$lines" "$work/rows.txt"
tr -d '\r' < "$work/rows.txt" > "$work/rows-lf.txt"  # GNU sort splits at LF
tab=$(printf '\t')

# Runs a command, appends "wall-s cpu-s" of the whole process to the named file.
timed() {
  local out=$1; shift
  local TIMEFORMAT='%R %U %S'
  { time "$@" > /dev/null 2>> "$work/inner-$out"; } 2> "$work/time"
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' "$work/time" >> "$work/$out"
}

for ((i = 1; i <= reps; i++)); do
  timed gnu env LC_ALL=ja_JP.UTF-8 sort -f -s -t "$tab" -k1,1 "$work/rows-lf.txt"
  timed text "$bench" text "$work/rows.txt"
  timed entries "$bench" entries "$work/rows.txt"
  echo "repetition $i: gnu $(tail -1 "$work/gnu")  text $(tail -1 "$work/text")  entries $(tail -1 "$work/entries") (wall s, cpu s)"
done

median() {  # median of column $2 of file $1
  awk -v c="$2" '{ print $c }' "$1" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

gnu_wall=$(median "$work/gnu" 1); gnu_cpu=$(median "$work/gnu" 2)
text_wall=$(median "$work/text" 1); text_cpu=$(median "$work/text" 2)
sort_wall=$(awk '{ print $1 / 1000 }' "$work/inner-entries" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
sort_cpu=$(awk '{ print $2 / 1000 }' "$work/inner-entries" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')

echo
echo "$lines lines, $reps repetitions, medians; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "GNU sort -f -s (ja_JP.UTF-8), whole process:  wall ${gnu_wall} s  cpu ${gnu_cpu} s"
echo "SortEntriesByKey, whole process:              wall ${text_wall} s  cpu ${text_cpu} s"
echo "SortEntriesByKey (the engine), sort alone:    wall ${sort_wall} s  cpu ${sort_cpu} s"
awk -v a="$text_wall" -v b="$gnu_wall" -v c="$text_cpu" -v d="$gnu_cpu" \
  'BEGIN { printf "ratio text/GNU: wall %.3f  cpu %.3f  (target <= 0.33)\n", a / b, c / d }'

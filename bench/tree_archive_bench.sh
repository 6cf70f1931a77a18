#!/bin/bash
# Times pelmora-tree and the tree command on the 200,000-file bench tree against Debian's
# tree, and the ZIP listing of a 10,000-member archive against unzip -v. Prints the best of
# five runs of each, in seconds (the machine may be shared).
#
# usage: bench/tree_archive_bench.sh BUILD_DIR [WORK_DIR]
#   run from the repository's top folder; WORK_DIR (default: a new temporary folder) holds
#   the generated tree and archive and is kept for another run.
set -euo pipefail

build=$(cd "${1:?usage: $0 BUILD_DIR [WORK_DIR]}" && pwd)
work=${2:-$(mktemp -d)}
mkdir -p "$work"
tree_program="$build/bin/pelmora-tree"
lister="$build/bin/archive_listing_bench"
for program in "$tree_program" "$lister"; do
  [ -x "$program" ] || { echo "missing $program (build it first)" >&2; exit 1; }
done

root="$work/tree"
if [ ! -d "$root" ]; then
  python3 ../shared/bench/make_tree.py "$root" 200000 --seed 7 >/dev/null
fi
files=$(find "$root" -type f | wc -l)
folders=$(find "$root" -type d | wc -l)

best_of_five() {
  local best=""
  for _ in 1 2 3 4 5; do
    local start end elapsed
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    elapsed=$(echo "$end - $start" | bc)
    if [ -z "$best" ] || [ "$(echo "$elapsed < $best" | bc)" = 1 ]; then best=$elapsed; fi
  done
  printf '%.3f' "$best"
}

# The tree command itself: the one-line script with its output redirected, as the program runs it.
script="$work/px_tree.sh"
run_script() {
  printf "'%s' '%s' > '%s'%s\n" "$tree_program" "$root" "$work/px_tree.txt" "$1" > "$script"
  /bin/sh "$script"
}

echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "bench tree: $files files in $folders folders"
printf '%-44s %8s\n' "run" "seconds"
printf '%-44s %8s\n' "pelmora-tree (folders)" "$(best_of_five "$tree_program" "$root")"
printf '%-44s %8s\n' "tree command script (folders)" "$(best_of_five run_script "")"
if command -v tree >/dev/null; then
  printf '%-44s %8s\n' "Debian tree -d (folders)" "$(best_of_five tree -d --noreport "$root")"
fi
printf '%-44s %8s\n' "pelmora-tree /F (files too)" "$(best_of_five "$tree_program" "$root" /F)"
printf '%-44s %8s\n' "tree command script /F (files too)" "$(best_of_five run_script " /F")"
if command -v tree >/dev/null; then
  printf '%-44s %8s\n' "Debian tree (files too)" "$(best_of_five tree --noreport "$root")"
fi

archive="$work/many.zip"
if [ ! -f "$archive" ]; then
  python3 - "$archive" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for i in range(10000):
        z.writestr("folder%03d/member%05d.txt" % (i % 100, i), "content %d\n" % i * 20)
PY
fi
printf '%-44s %8s\n' "ZIP listing, 10,000 members" "$(best_of_five "$lister" "$archive")"
if command -v unzip >/dev/null; then
  printf '%-44s %8s\n' "unzip -v, 10,000 members" "$(best_of_five unzip -v "$archive")"
fi
rm -f "$script" "$work/px_tree.txt"

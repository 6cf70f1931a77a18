#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them on their seed corpora.
#   scripts/fuzz.sh TARGET|all SECONDS
# A finding (a crash, a sanitizer report or a broken invariant) ends the run with a failure;
# its input is kept in build-fuzz/findings/TARGET/. PELMORA_FUZZ_SEED fixes libFuzzer's
# random seed (0, the default, picks one), so that a run can be repeated.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET|all SECONDS}
seconds=${2:?usage: scripts/fuzz.sh TARGET|all SECONDS}

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPELMORA_FUZZ=ON -DPELMORA_BUILD_GUI=OFF -DPELMORA_BUILD_TESTS=OFF -DPELMORA_BUILD_BENCH=OFF >/dev/null

targets=$(sed -n '/^set(PELMORA_FUZZ_TARGETS/,/^)/p' tests/fuzz/CMakeLists.txt | sed '1d;$d' | tr -d ' ')
if [ "$target" != all ]; then targets=$target; fi
# shellcheck disable=SC2086
cmake --build build-fuzz -j"$(nproc)" --target $targets

rm -rf build-fuzz/seeds
bash scripts/make-fuzz-corpus.sh build-fuzz/seeds
status=0
passed=0
failed=0
for t in $targets; do
  corpus=build-fuzz/corpus/$t
  findings=build-fuzz/findings/$t
  mkdir -p "$corpus" "$findings" build-fuzz/seeds/"$t"
  echo "== $t: $seconds s"
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "build-fuzz/bin/$t" -max_total_time="$seconds" -seed="${PELMORA_FUZZ_SEED:-0}" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" build-fuzz/seeds/"$t" 2>build-fuzz/"$t".log; then
    tail -n 40 build-fuzz/"$t".log
    echo "FINDING in $t (input kept in $findings/)"
    status=1
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' build-fuzz/"$t".log | tail -n 2 || true
  fi
done
echo "fuzz: $passed passed, $failed failed"
exit $status

#!/usr/bin/env bash
# Builds Pelmora and runs every test: the full build (program, core and window tests),
# then the core tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then
# under ThreadSanitizer (a few minutes), then every fuzz target for 20 seconds on its corpus,
# and last the Windows programs, cross-built, with their tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

# stage NAME: how long the part that just ended took, for the notes on the run's time.
stage_start=$SECONDS
stage() {
  echo "test: $1 took $(( (SECONDS - stage_start) / 60 )) min $(( (SECONDS - stage_start) % 60 )) s" >&2
  stage_start=$SECONDS
}

bash scripts/install-deps.sh
stage "packages"

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
jobs=$(nproc)

cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELMORA_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" --timeout 600
stage "build and tests"

cmake -S . -B build-asan "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
  -DPELMORA_BUILD_GUI=OFF -DPELMORA_BUILD_BENCH=OFF -DPELMORA_SANITIZE=ON -DPELMORA_WERROR=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 900 -L core

# ThreadSanitizer: the folder walk's worker threads. The sorts' cancel tests are left out: their
# 100 ms bound measures speed, which the instrumentation takes away.
cmake -S . -B build-tsan "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
  -DPELMORA_BUILD_GUI=OFF -DPELMORA_BUILD_BENCH=OFF -DPELMORA_SANITIZE_THREAD=ON -DPELMORA_WERROR=ON
cmake --build build-tsan -j"$jobs"
TSAN_OPTIONS=halt_on_error=1 \
  ctest --test-dir build-tsan --output-on-failure -j"$jobs" --timeout 900 -L core \
  -E 'ArraySortString.CancelDuringALongSortIsSeenAtOnce|SortOrderOfKeys.CancelDuringALongSortIsSeenAtOnce'

# The fuzz targets: a finding fails the run.
# A fixed seed: the same mutations each time, so the run does not pass or fail by luck.
# Each target runs on one core, so the Windows programs are cross-built beside them (the first
# run also fetches and builds libzip and lhasa); their tests run under Wine afterwards.
stage "sanitizers"
windows_log=build/windows-build.log
# In a session of its own, so that a failing fuzz run can stop the whole build.
PELMORA_WINDOWS_SKIP_TESTS=1 setsid bash scripts/build-windows.sh build-windows >"$windows_log" 2>&1 </dev/null &
windows_build=$!
trap 'kill -- -"$windows_build" 2>/dev/null || true' EXIT
fuzz_status=0
PELMORA_FUZZ_SEED=1 bash scripts/fuzz.sh all 20 || fuzz_status=$?
stage "fuzz targets (beside the Windows build)"
if ! wait "$windows_build"; then
  tail -n 200 "$windows_log"
  echo "test: the Windows build failed (whole log: $windows_log)" >&2
  exit 1
fi
trap - EXIT
[ "$fuzz_status" -eq 0 ] || exit "$fuzz_status"

# The Windows tests under Wine, and pelmora-list.exe's listings against the Linux build's.
PELMORA_LINUX_LISTER="$PWD/build/bin/pelmora-list" bash scripts/build-windows.sh build-windows
stage "Windows build and tests"

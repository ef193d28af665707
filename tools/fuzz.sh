#!/usr/bin/env bash
# Builds the fuzz targets, over the DataFolder's files, over contacts files
# (vCard and CSV), over the JPEG decoder and over a CardDAV server's answers,
# with clang, libFuzzer and the address and undefined-behaviour sanitizers, and
# runs them side by side: a fixed count of inputs each by default, so a slow
# machine takes longer rather than trying fewer, or as long as asked.
#
#   bash tools/fuzz.sh                    # 20,000 inputs each (10,000 of the DataFolder's files)
#   bash tools/fuzz.sh -runs=1000000      # any libFuzzer options
#
# FUZZ_BUILD names the build folder (build-fuzz/ unless told); a folder made
# with TELEFIKA_FUZZ=ON already, as `tools/setup.sh test` makes build-asan/, is
# used as it is, so its objects serve the tests and the fuzz targets alike.
# FUZZ_JOBS sets the build's parallel jobs.
#
# New inputs go to corpus, corpus-interchange, corpus-jpeg and corpus-carddav
# inside the build folder; tests/fuzz/corpus* stay as committed.
# A finding is written to the build folder as crash-*, leak-* or timeout-*.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

build=${FUZZ_BUILD:-build-fuzz}
if ! grep -q '^TELEFIKA_FUZZ:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTELEFIKA_FUZZ=ON -DTELEFIKA_BENCHMARKS=OFF \
        -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
fi
cmake --build "$build" -j"${FUZZ_JOBS:-$(nproc)}" --target fuzz_groupfiles fuzz_interchange fuzz_jpeg fuzz_carddav

cd "$build"
mkdir -p corpus corpus-interchange corpus-jpeg corpus-carddav
# short allocation stacks: recording them is most of the cost under the sanitizer
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:malloc_context_size=2:quarantine_size_mb=16}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/fuzz/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# a finding's stack with its functions' names (Debian's llvm-14)
symbolizer=$(command -v llvm-symbolizer || command -v llvm-symbolizer-14 || true)
[ -z "$symbolizer" ] || export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$symbolizer}
seeds=$root/tests/fuzz
# The four side by side, each with its output in fuzz-<target>.log here; a
# finding prints the end of its log. The DataFolder's files, contacts files
# (vCard and CSV), pictures and a server's answers; each as long as asked.
fuzz() {  # target, longest input, corpus, inputs unless told
  local runs=()
  [ ${#options[@]} -gt 0 ] || runs=(-runs="$4")
  if ./"$1" -max_len="$2" -timeout=10 -print_final_stats=1 "${runs[@]}" "${options[@]}" "$3" "$seeds/$3" \
       >"fuzz-$1.log" 2>&1; then
    echo "$1: $(grep -m1 '^Done' "fuzz-$1.log")"
  else
    tail -n 60 "fuzz-$1.log"
    echo "$1: a finding, see $PWD/fuzz-$1.log" >&2
    return 1
  fi
}
options=("$@")
pids=()
# Unless told otherwise: 20,000 inputs each, 10,000 of the DataFolder's files,
# whose every input starts the main window anew (five times the cost of one
# contacts file's).
fuzz fuzz_groupfiles 1024 corpus 10000 & pids+=($!)
fuzz fuzz_interchange 1024 corpus-interchange 20000 & pids+=($!)
fuzz fuzz_jpeg 4096 corpus-jpeg 20000 & pids+=($!)
fuzz fuzz_carddav 4096 corpus-carddav 20000 & pids+=($!)
failed=0
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
exit "$failed"

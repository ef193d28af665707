#!/usr/bin/env bash
# Builds the fuzz targets, over the DataFolder's files, over contacts files
# (vCard and CSV) and over the JPEG decoder, with clang, libFuzzer and the
# address and undefined-behaviour sanitizers into build-fuzz/, and runs them
# one after the other: briefly by default, or as long as asked (FUZZ_JOBS sets
# the build's parallel jobs).
#
#   bash tools/fuzz.sh                    # 20,000 inputs each (two minutes at most each)
#   bash tools/fuzz.sh -runs=1000000      # any libFuzzer options
#
# New inputs go to build-fuzz/corpus, build-fuzz/corpus-interchange and
# build-fuzz/corpus-jpeg; tests/fuzz/corpus, tests/fuzz/corpus-interchange and
# tests/fuzz/corpus-jpeg stay as committed.
# A finding is written to build-fuzz/ as crash-*, leak-* or timeout-*.
set -euo pipefail
cd "$(dirname "$0")/.."

flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTELEFIKA_FUZZ=ON \
      -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz -j"${FUZZ_JOBS:-$(nproc)}" --target fuzz_groupfiles fuzz_interchange fuzz_jpeg

mkdir -p build-fuzz/corpus build-fuzz/corpus-interchange build-fuzz/corpus-jpeg
[ $# -gt 0 ] || set -- -runs=20000 -max_total_time=120
cd build-fuzz
# short allocation stacks: recording them is most of the cost under the sanitizer
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:malloc_context_size=2:quarantine_size_mb=16}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/../tests/fuzz/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The DataFolder's files, then contacts files (vCard and CSV), then pictures;
# each as long as asked.
./fuzz_groupfiles -max_len=1024 -timeout=10 -print_final_stats=1 "$@" corpus ../tests/fuzz/corpus
./fuzz_interchange -max_len=1024 -timeout=10 -print_final_stats=1 "$@" corpus-interchange ../tests/fuzz/corpus-interchange
./fuzz_jpeg -max_len=4096 -timeout=10 -print_final_stats=1 "$@" corpus-jpeg ../tests/fuzz/corpus-jpeg
cmake --build . --target fuzz_carddav >/dev/null && mkdir -p corpus-carddav && ./fuzz_carddav -max_len=4096 -timeout=10 -print_final_stats=1 "$@" corpus-carddav ../tests/fuzz/corpus-carddav

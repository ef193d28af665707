#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds Telefika, then starts it
# ("run") or runs the whole suite ("test") twice: in build/ with warnings as
# errors, and in build-asan/ under the address and undefined-behaviour
# sanitizers; then a brief run of the fuzz targets.
#
#   bash tools/setup.sh run
#   bash tools/setup.sh test
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-run}

# What building and starting the program needs; the suite needs the rest too:
# clang, its linker and its symbolizer (the sanitizers' reports name their
# functions, and the leak suppressions match those names) for the sanitizer
# build and the fuzz targets; the tools that check the installed files and the
# package; poppler for the printed PDFs; Radicale for the sync; a keyring and
# D-Bus for the keyring's test.
run_packages=(cmake make g++ pkg-config qt6-base-dev libjpeg62-turbo-dev libqrencode-dev qtkeychain-qt6-dev
              fonts-dejavu-core fonts-liberation2 fonts-urw-base35 qt6-translations-l10n)
test_packages=(clang libclang-rt-14-dev lld-14 llvm-14 desktop-file-utils appstream dpkg-dev file lintian man-db poppler-utils
               radicale gnome-keyring dbus)
missing() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
updated=0
nice=()
install() {
  [ $# -gt 0 ] || return 0
  echo "Installing: $*"
  if [ "$updated" -eq 0 ]; then
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    updated=1
  fi
  # unsafe-io: dpkg skips its fsyncs (a crash mid-install means installing again)
  $sudo "${nice[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        -o Dpkg::Options::=--force-unsafe-io "$@"
}

jobs=$(nproc)
# Release without debug information (the package strips it anyway), the
# libraries compiled a few sources at a time (unity), no benchmarks.
# gold, from binutils, links the test programs in a fraction of ld's time.
release=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DCMAKE_UNITY_BUILD=ON
         -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold)
case "$mode" in
  run)
    install $(missing "${run_packages[@]}")
    cmake -S . -B build "${release[@]}" >/dev/null
    cmake --build build -j"$jobs" --target telefika
    exec build/telefika
    ;;
  test)
    install $(missing "${run_packages[@]}")
    # The suite's own packages install while the first build compiles, the
    # build first in line for the processors.
    mkdir -p build
    (nice=(nice -n 10); install $(missing "${test_packages[@]}")) >build/install.log 2>&1 &
    installing=$!
    trap 'wait' EXIT
    # First the build a user runs, with every warning an error.
    cmake -S . -B build "${release[@]}" -DTELEFIKA_WERROR=ON -DTELEFIKA_BENCHMARKS=OFF >/dev/null
    cmake --build build -j"$jobs"
    wait "$installing" || { cat build/install.log; exit 1; }
    # Its suite runs while the second build compiles: most of its time is
    # spent waiting on the windows' timers and child processes.
    ctest --test-dir build --output-on-failure -j"$jobs" >build/ctest.log 2>&1 &
    testing=$!
    # Then one clang build serves two stages: a Debug build (assertions on)
    # under AddressSanitizer and UndefinedBehaviorSanitizer runs the whole
    # suite again, and its objects, which carry libFuzzer's coverage too, make
    # the fuzz targets.
    # A failure there still shows the first suite's result.
    built=1
    { cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only \
            -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_UNITY_BUILD=ON \
            -DTELEFIKA_FUZZ=ON -DTELEFIKA_WERROR=ON -DTELEFIKA_BENCHMARKS=OFF >/dev/null &&
      cmake --build build-asan -j"$jobs"; } || built=0
    failed=0
    wait "$testing" || failed=1
    cat build/ctest.log
    if [ "$built" -eq 1 ]; then
      # The fuzz targets, each reading a fixed count of inputs, take what the
      # processors have left beside the suite, whose timers come first.
      FUZZ_BUILD=build-asan nice -n 19 bash tools/fuzz.sh >build-asan/fuzz.log 2>&1 &
      fuzzing=$!
      ctest --test-dir build-asan --output-on-failure -j$((2 * jobs)) || failed=1
      wait "$fuzzing" || failed=1
      cat build-asan/fuzz.log
    else
      echo "tools/setup.sh test: build-asan/ did not build (see above)" >&2
      failed=1
    fi
    [ "$failed" -eq 0 ] || echo "tools/setup.sh test: the suite failed (see above)" >&2
    exit "$failed"
    ;;
  *)  echo "usage: bash tools/setup.sh run|test" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds Telefika, then starts it
# ("run") or runs the whole suite ("test") twice: in build/ with warnings as
# errors, and in build-asan/ under the address and undefined-behaviour
# sanitizers; then a brief run of the fuzz target.
#
#   bash tools/setup.sh run
#   bash tools/setup.sh test
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-run}

packages=(cmake make g++ pkg-config qt6-base-dev libjpeg62-turbo-dev libqrencode-dev libbenchmark-dev
          fonts-dejavu-core fonts-liberation2 fonts-urw-base35 qt6-translations-l10n
          desktop-file-utils appstream dpkg-dev file lintian man-db poppler-utils clang
          libclang-rt-14-dev qtkeychain-qt6-dev radicale gnome-keyring dbus)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
case "$mode" in
  run)
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$jobs"
    exec build/telefika
    ;;
  test)
    # First the build a user runs, with every warning an error; then a Debug
    # build (assertions on) with AddressSanitizer and UndefinedBehaviorSanitizer.
    # The whole suite runs in both; either failing fails the command.
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTELEFIKA_WERROR=ON >/dev/null
    cmake --build build -j"$jobs"
    failed=0
    ctest --test-dir build --output-on-failure -j"$jobs" || failed=1
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTELEFIKA_SANITIZE=ON -DTELEFIKA_WERROR=ON \
          -DTELEFIKA_BENCHMARKS=OFF >/dev/null
    cmake --build build-asan -j"$jobs"
    ctest --test-dir build-asan --output-on-failure -j"$jobs" || failed=1
    # Then the fuzz targets, briefly (45 seconds each at most), under the sanitizers.
    bash tools/fuzz.sh -runs=20000 -max_total_time=45 || failed=1
    [ "$failed" -eq 0 ] || echo "tools/setup.sh test: the suite failed (see above)" >&2
    exit "$failed"
    ;;
  *)  echo "usage: bash tools/setup.sh run|test" >&2; exit 2 ;;
esac

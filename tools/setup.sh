#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds Telefika, then starts it
# ("run") or runs the whole suite ("test").
#
#   bash tools/setup.sh run
#   bash tools/setup.sh test
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-run}

packages=(cmake make g++ pkg-config qt6-base-dev libjpeg62-turbo-dev libbenchmark-dev
          fonts-dejavu-core fonts-liberation2 fonts-urw-base35 qt6-translations-l10n
          clang libclang-rt-14-dev)
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

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

case "$mode" in
  run)  exec build/telefika ;;
  test) ctest --test-dir build --output-on-failure
        bash tools/fuzz.sh ;;  # the fuzz target, briefly, under the sanitizers
  *)    echo "usage: bash tools/setup.sh run|test" >&2; exit 2 ;;
esac

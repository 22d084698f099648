#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds
# the game, its media and its tests into build/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-image-formats-plugins
  libsqlite3-dev sqlite3 libgtest-dev libgmock-dev libbenchmark-dev
  espeak-ng sox fonts-liberation poppler-utils xvfb xauth)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Instalando pacotes: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

build="$here/build"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${BROTALIA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"

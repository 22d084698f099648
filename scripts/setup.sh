#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds
# the game, its media and its tests into build/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-image-formats-plugins libfontconfig-dev
  libsqlite3-dev sqlite3 libgtest-dev libgmock-dev libbenchmark-dev
  espeak-ng sox fonts-liberation fonts-noto-color-emoji poppler-utils xvfb xauth
  libsdl2-mixer-dev fluidsynth timgm6mb-soundfont pulseaudio pulseaudio-utils
  libcups2-dev cups printer-driver-cups-pdf)
# Needed only to hear the help's media links (WAV and AVI through the media
# player); the game builds and its tests pass without them, so a failure to
# install them is a warning, not the end of the set-up.
optional=(gstreamer1.0-plugins-good)

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    env DEBIAN_FRONTEND=noninteractive "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo env DEBIAN_FRONTEND=noninteractive "$@"
  else
    echo "É preciso ser administrador (root) ou ter sudo para instalar: $*" >&2
    return 1
  fi
}

mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_optional < <(missing_of "${optional[@]}")
if [ ${#missing[@]} -gt 0 ] || [ ${#missing_optional[@]} -gt 0 ]; then
  echo "Instalando pacotes: ${missing[*]} ${missing_optional[*]}"
  as_root apt-get update -qq || [ ${#missing[@]} -eq 0 ]
  if [ ${#missing[@]} -gt 0 ]; then
    as_root apt-get install -y -qq "${missing[@]}"
  fi
  if [ ${#missing_optional[@]} -gt 0 ]; then
    as_root apt-get install -y -qq "${missing_optional[@]}" ||
      echo "Aviso: não foi possível instalar ${missing_optional[*]}; as mídias da ajuda ficarão em silêncio." >&2
  fi
fi

build="$here/build"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${BROTALIA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"

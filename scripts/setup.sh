#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds
# the game, its media and its tests into build/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

# Every package is named: apt's recommended packages are not installed (they
# would bring programs and sound fonts the game never uses).
packages=(
  # building
  cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev libsqlite3-dev
  libsdl2-mixer-dev libcups2-dev
  # the game at run time: pictures, the help's film (Qt Multimedia's FFmpeg
  # back end, in its runtime library), songs and sounds (SDL_mixer, its MIDI
  # songs through FluidSynth with this General MIDI sound font), the fonts of
  # the screens and of names typed in the ranking
  qt6-image-formats-plugins libqt6multimedia6 timgm6mb-soundfont
  fonts-liberation fonts-noto-color-emoji
  # making the voices and sounds at build time
  espeak-ng sox
  # the tests: unit tests, benchmarks, a headless display, the game database
  # read by another process, the reports' PDFs, the private sound and print
  # servers
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth sqlite3 poppler-utils
  pulseaudio pulseaudio-utils cups printer-driver-cups-pdf)

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
if [ ${#missing[@]} -gt 0 ]; then
  echo "Instalando pacotes: ${missing[*]}"
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build="$here/build"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${BROTALIA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"

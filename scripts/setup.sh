#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for one use of the tree, then
# configures and builds it into build/:
#   setup.sh          the game: its build, its modules and its media;
#   setup.sh tests    the same with the tests, their tools and their servers;
#   setup.sh bench    the packages of the benchmarks only (scripts/bench.sh
#                     builds them into build-bench);
#   setup.sh package  the packages of the game's build and of its Debian
#                     package only (scripts/package.sh builds it into
#                     build-package).
# No installed package is ever removed or replaced: apt-get runs with
# --no-remove, and a test server that could only come in by removing a
# package (pulseaudio beside PipeWire) is left out; the tests that need it
# skip and say why.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
use=${1:-game}

# Every package is named: apt's recommended packages are not installed (they
# would bring programs and sound fonts the game never uses).
game=(
  # building
  cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev libsqlite3-dev
  libsdl2-mixer-dev libcups2-dev
  # the game at run time: the help's film (Qt Multimedia's FFmpeg back end,
  # in its runtime library), songs and sounds (SDL_mixer, its MIDI songs
  # through FluidSynth with this General MIDI sound font), the fonts of the
  # screens and of names typed in the ranking
  libqt6multimedia6 timgm6mb-soundfont
  fonts-liberation fonts-noto-color-emoji
  # making the voices and sounds at build time
  espeak-ng sox)
# The tests: unit tests, the game database read by another process
# (sqlite3), the reports' text (pdftotext), a full disk made on a loop device
# (mkfs.ext4), the private print server and its queues, the sound server's
# client tools (pactl, parec), the access lists set on data folders
# (setfacl) and the check of the software centre's entry (appstreamcli); and
# those of the Debian package, which a test makes from the build.
tests=(libgtest-dev sqlite3 poppler-utils e2fsprogs cups-daemon cups-client pulseaudio-utils acl appstream)
# The benchmarks: their library, the display the start-up is measured on,
# the sound server's client tools, the reading of the reports' PDFs
# (pdftohtml, pdftocairo) and the counting of their instructions (callgrind).
bench=(libbenchmark-dev xvfb pulseaudio-utils poppler-utils valgrind)
# The Debian package: its dependencies found by dpkg-shlibdeps, which cpack
# runs on the files that file(1) says are programs.
package=(dpkg-dev file)
# The private sound server of the tests and benchmarks, only where it can be
# installed without removing anything.
sound_server=(pulseaudio)

case $use in
  game) wanted=("${game[@]}"); optional=() ;;
  tests) wanted=("${game[@]}" "${tests[@]}" "${package[@]}"); optional=("${sound_server[@]}") ;;
  bench) wanted=("${game[@]}" "${bench[@]}"); optional=("${sound_server[@]}") ;;
  package) wanted=("${game[@]}" "${package[@]}"); optional=() ;;
  *) echo "uso: $0 [tests|bench|package]" >&2; exit 2 ;;
esac

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

# The packages an install of the given ones would remove (apt's simulation).
removed_by() {
  apt-get -s install --no-install-recommends "$@" 2>/dev/null | sed -n 's/^Remv \([^ ]*\).*/\1/p' | paste -sd ' '
}

mapfile -t missing < <(missing_of "${wanted[@]}")
mapfile -t missing_optional < <(missing_of "${optional[@]}")
if [ ${#missing[@]} -gt 0 ] || [ ${#missing_optional[@]} -gt 0 ]; then
  as_root apt-get update -qq
  if [ ${#missing_optional[@]} -gt 0 ]; then
    removed=$(removed_by "${missing[@]}" "${missing_optional[@]}")
    if [ -n "$removed" ]; then
      echo "Não instalado: ${missing_optional[*]} (removeria $removed); os testes com servidor de som privado serão pulados." >&2
    else
      missing+=("${missing_optional[@]}")
    fi
  fi
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Instalando pacotes: ${missing[*]}"
  if ! as_root apt-get install -y -qq --no-install-recommends --no-remove "${missing[@]}"; then
    removed=$(removed_by "${missing[@]}")
    [ -n "$removed" ] && echo "A instalação removeria pacotes desta máquina ($removed); nada foi removido. Instale à mão o que falta: ${missing[*]}" >&2
    exit 1
  fi
fi

case $use in bench | package) exit 0 ;; esac

# The game alone leaves the tests out of a new build; a build that already
# has them (a developer's tree) keeps them.
build="$here/build"
case $use in
  tests) tests_option=(-DBROTALIA_BUILD_TESTS=ON) ;;
  *) [ -f "$build/CMakeCache.txt" ] && tests_option=() || tests_option=(-DBROTALIA_BUILD_TESTS=OFF) ;;
esac
# shellcheck disable=SC2086
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${tests_option[@]}" ${BROTALIA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"

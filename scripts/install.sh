#!/usr/bin/env bash
# Installs the game for every account of this machine: sets up and builds the
# game (scripts/setup.sh, no tests), then runs the build's install rules as
# administrator, by default into /usr/local (another prefix as the argument).
# The game is then the "brotalia" command and is in the desktop's menu.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-/usr/local}
"$here/scripts/setup.sh"
if [ "$(id -u)" -eq 0 ]; then
  cmake --install "$here/build" --prefix "$prefix"
else
  sudo cmake --install "$here/build" --prefix "$prefix"
fi
echo "Brotalia instalado em $prefix. Desinstalar: $here/scripts/uninstall.sh${1:+ $prefix}"

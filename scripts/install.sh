#!/usr/bin/env bash
# Installs the game for every account of this machine: sets up and builds the
# game as the user who runs it (scripts/setup.sh, no tests), then runs the
# build's install rules as administrator, by default into /usr/local (another
# prefix as the argument). The game is then the "brotalia" command and is in
# the desktop's menu; its uninstall is installed with it, beside the list of
# installed files. Nothing in the checkout is left to root: the list CMake
# writes into the build goes back to the build's owner.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-/usr/local}
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "É preciso ser administrador (root) ou ter sudo para instalar o Brotalia." >&2
    exit 1
  fi
  # sudo asks for the password on the terminal: without one it could only fail.
  if ! sudo -n true 2>/dev/null && ! { : </dev/tty; } 2>/dev/null; then
    echo "O sudo precisa pedir a senha num terminal: execute scripts/install.sh num terminal." >&2
    exit 1
  fi
  as_root=(sudo)
fi
"$here/scripts/setup.sh"
build="$here/build"
"${as_root[@]}" cmake --install "$build" --prefix "$prefix"
"${as_root[@]}" chown --reference="$build" "$build/install_manifest.txt"
program=$(dirname "$(readlink -f "$prefix/bin/brotalia")")
echo "Brotalia instalado em $prefix. Desinstalar: $program/uninstall.sh"

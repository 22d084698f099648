#!/usr/bin/env bash
# Sets everything up (packages, build, media) and starts the game.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
exec "$here/build/program/brotalia"

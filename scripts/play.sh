#!/usr/bin/env bash
# Sets up what the game needs (packages, build, media; no tests) and starts it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
exec "$here/build/program/brotalia"

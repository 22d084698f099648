#!/usr/bin/env bash
# Sets everything up (packages, build, media) and runs every test headless.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen

# The private services the tests run against (scripts/services/).
source "$here/scripts/start_services.sh"

cd "$here/build"
ctest --output-on-failure -j"$(nproc)" --timeout 300

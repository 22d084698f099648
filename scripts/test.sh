#!/usr/bin/env bash
# Sets everything up (packages, build with the tests, media, the tests' tools
# and servers) and runs every test headless.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" tests
export QT_QPA_PLATFORM=offscreen

# The private services the tests run against (scripts/services/).
source "$here/scripts/start_services.sh"

cd "$here/build"
ctest --output-on-failure -j"$(nproc)" --timeout 300

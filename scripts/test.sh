#!/usr/bin/env bash
# Sets everything up (packages, build, media) and runs every test headless.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen

# Private services the tests run against (a sound server with a null sink, a
# print server with a PDF queue): each script under scripts/services/ starts
# its own in a private folder when the machine has it, exports where it is,
# and adds the command that stops it to stop_services.
stop_services=()
stop_all() {
  local c
  for c in "${stop_services[@]}"; do eval "$c" || true; done
}
trap stop_all EXIT
for service in "$here"/scripts/services/*.sh; do
  [ -f "$service" ] || continue
  # shellcheck source=/dev/null
  source "$service"
done

cd "$here/build"
ctest --output-on-failure -j"$(nproc)" --timeout 300

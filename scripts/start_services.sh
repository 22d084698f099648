# Sourced by the test and benchmark commands (bash, set -euo pipefail): starts
# the private services they run against (a sound server with a null sink, a
# print server with test queues). Each script under scripts/services/ starts
# its own in a private folder when the machine has it, exports where it is,
# and adds the command that stops it to stop_services; all are stopped when
# the calling command ends.
stop_services=()
stop_all() {
  local c
  for c in "${stop_services[@]}"; do eval "$c" || true; done
}
trap stop_all EXIT
for service in "$(dirname "${BASH_SOURCE[0]}")"/services/*.sh; do
  [ -f "$service" ] || continue
  # shellcheck source=/dev/null
  source "$service"
done

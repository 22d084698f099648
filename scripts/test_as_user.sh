#!/usr/bin/env bash
# Runs the suite already built (build/, or the build folder given second) as
# an ordinary account, the way a user's run sees it; the continuous
# integration calls it as root after its own run. The account ("nobody" unless one is named) reaches the build at
# its own path through a private mount namespace: a folder above it that the
# account cannot enter is covered there by an open one that holds only the
# path to the build. ctest's logs go to a folder of the account's own; the
# account starts its own private services (scripts/start_services.sh). The
# machine's permissions are not changed. Exits with the suite's status.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
user=${1:-nobody}
build=$(cd "${2:-$here/build}" && pwd)
if [ "$(id -u)" != 0 ]; then
  echo "test_as_user.sh: precisa do superusuário para trocar de conta" >&2
  exit 2
fi
[ -d "$build/Testing" ] || mkdir -p "$build/Testing"

if [ -z "${BROTALIA_AS_USER_SCRATCH:-}" ]; then
  scratch=$(mktemp -d /tmp/brotalia-as-user.XXXXXX)
  chmod 0755 "$scratch"
  mkdir -p "$scratch/repo" "$scratch/testing" "$scratch/home"
  chown "$user" "$scratch/testing" "$scratch/home"
  status=0
  BROTALIA_AS_USER_SCRATCH=$scratch unshare --mount --propagation private bash "$0" "$user" "$build" || status=$?
  # Outside the namespace nothing is mounted on the scratch folder.
  rm -rf "$scratch"
  exit "$status"
fi

# Inside the private mount namespace.
scratch=$BROTALIA_AS_USER_SCRATCH
blocked=""
d=$here
while [ "$d" != "/" ]; do
  runuser -u "$user" -- test -x "$d" 2>/dev/null || blocked=$d
  d=$(dirname "$d")
done
if [ -n "$blocked" ]; then
  mount --bind "$here" "$scratch/repo"
  mount -t tmpfs -o mode=0755 brotalia "$blocked"
  mkdir -p "$here"
  mount --bind "$scratch/repo" "$here"
fi
mount --bind "$scratch/testing" "$build/Testing"

runuser -u "$user" -- env -i PATH="$PATH" HOME="$scratch/home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
  BROTALIA_TEST_JOBS="${BROTALIA_TEST_JOBS:-$(nproc)}" \
  bash -c 'set -euo pipefail
    source "$1/scripts/start_services.sh"
    cd "$2"
    ctest --output-on-failure -j"$BROTALIA_TEST_JOBS" --timeout 300' _ "$here" "$build"

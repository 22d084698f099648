#!/usr/bin/env bash
# Makes the game's Debian package, to be installed on every computer of a
# school without building there: installs what the build and the package
# need (scripts/setup.sh package), builds the game alone (Release, no tests)
# into build-package, and has cpack make brotalia_<version>_<architecture>.deb
# from the install rules (see desktop/CMakeLists.txt), left at the top of the
# checkout. On each computer: sudo apt install ./brotalia_<...>.deb
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-package"
"$here/scripts/setup.sh" package
# shellcheck disable=SC2086
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBROTALIA_BUILD_TESTS=OFF -DBROTALIA_BUILD_BENCH=OFF \
  ${BROTALIA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/brotalia_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(cd "$build" && ls brotalia_*.deb)
mv -f "$build/$deb" "$here/$deb"
echo "Pacote pronto: $here/$deb"
echo "Em cada computador: sudo apt install ./$deb   (remover: sudo apt remove brotalia)"

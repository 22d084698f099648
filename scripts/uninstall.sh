#!/usr/bin/env bash
# Removes an installed copy of the game (by default from /usr/local; another
# prefix as the argument): every file the install listed in the program
# folder's install_manifest.txt, then the program folder, then the folders the
# install made that are left empty (not the prefix's own bin, lib and share).
# The accounts' own data folders (~/.local/share/brotalia: gardens, rankings,
# reports) stay.
set -euo pipefail
prefix=${1:-/usr/local}
prefix=${prefix%/}
list=
for candidate in "$prefix"/lib/brotalia/install_manifest.txt "$prefix"/lib/*/brotalia/install_manifest.txt; do
  [ -f "$candidate" ] && { list=$candidate; break; }
done
if [ -z "$list" ]; then
  echo "Não há Brotalia instalado em $prefix." >&2
  exit 1
fi
program=$(dirname "$list")
# The administrator's prefix needs sudo; a prefix of one's own does not.
own=false
{ [ "$(id -u)" -eq 0 ] || [ -O "$program" ]; } && own=true
as_root() { if $own; then "$@"; else sudo "$@"; fi; }

# Only files under the prefix are removed, whatever the list holds.
mapfile -t files < <(grep -E "^$(printf '%s' "$prefix" | sed 's/[][\.*^$]/\\&/g')/" "$list")
[ ${#files[@]} -gt 0 ] && as_root rm -f -- "${files[@]}"
as_root rm -rf -- "$program"
for file in "${files[@]}"; do
  dir=$(dirname "$file")
  while case $dir in "$prefix" | "$prefix"/bin | "$prefix"/lib | "$prefix"/share | / | .) false ;; "$prefix"/*) true ;; *) false ;; esac &&
    [ -d "$dir" ] && [ -z "$(ls -A "$dir")" ]; do
    as_root rmdir -- "$dir"
    dir=$(dirname "$dir")
  done
done
echo "Brotalia removido de $prefix."

#!/usr/bin/env bash
# Removes a copy of the game installed by its install rules (scripts/install.sh
# or cmake --install): by default the copy this script was installed with
# (<prefix>/lib/brotalia/uninstall.sh), from the checkout the one in
# /usr/local; another prefix as the argument. A copy installed by the Debian
# package is removed with "apt remove brotalia".
#
# It trusts nothing the list of installed files (install_manifest.txt in the
# program folder) says: a line is removed only when it names a regular file or
# a link whose folder, every link and ".." resolved, lies under the prefix; a
# link is removed, never what it points to; a folder is never removed by a
# line. Then the folders above the removed files that the install made
# (those the install found, listed beside the manifest, stay) are removed
# where left empty. It says what it removed and what it did not; its exit
# status is 1 when something listed could not be removed. The accounts' own
# data folders (~/.local/share/brotalia: gardens, rankings, reports) stay.
set -uo pipefail
self=$(cd "$(dirname "$0")" && pwd -P)
if [ $# -gt 0 ]; then
  prefix=$1
elif [ -f "$self/install_manifest.txt" ]; then
  prefix=$(dirname "$self")
  [ "$(basename "$prefix")" = lib ] || prefix=$(dirname "$prefix")  # lib/<architecture>/brotalia
  prefix=$(dirname "$prefix")
else
  prefix=/usr/local
fi
if ! real_prefix=$(readlink -e -- "$prefix") || [ ! -d "$real_prefix" ]; then
  echo "Não há Brotalia instalado em $prefix." >&2
  exit 1
fi
list=
for candidate in "$real_prefix"/lib/brotalia/install_manifest.txt "$real_prefix"/lib/*/brotalia/install_manifest.txt; do
  [ -f "$candidate" ] && { list=$candidate; break; }
done
if [ -z "$list" ]; then
  echo "Não há Brotalia instalado em $prefix." >&2
  exit 1
fi
program=$(dirname "$list")

# The administrator's prefix: the whole removal runs as root.
if [ "$(id -u)" -ne 0 ] && [ ! -O "$program" ]; then
  if ! sudo -n true 2>/dev/null && ! { : </dev/tty; } 2>/dev/null; then
    echo "É preciso a senha de administrador (sudo): execute $0 num terminal." >&2
    exit 1
  fi
  exec sudo -- bash "$self/$(basename "$0")" "$real_prefix"
fi

# Whether a path lies strictly under the prefix (a fixed-string comparison).
under_prefix() { case $1 in "$real_prefix"/?*) true ;; *) false ;; esac; }

# The folders the install found, kept whatever it empties; without that list
# (a copy installed before it was kept) only the program folder and those
# inside it are taken as the install's.
declare -A before=()
have_before=false
if [ -f "$program/install_folders_before.txt" ]; then
  have_before=true
  while IFS= read -r line; do
    [ -n "$line" ] && before[$(readlink -m -- "$line")]=1
  done <"$program/install_folders_before.txt"
fi
made_by_install() {
  if $have_before; then
    [ -z "${before[$1]:-}" ]
  else
    case $1 in "$program" | "$program"/*) true ;; *) false ;; esac
  fi
}

failed=0
declare -A folders=([$program]=1) real_of=() remove=()
note() { echo "$*" >&2; failed=$((failed + 1)); }
while IFS= read -r line || [ -n "$line" ]; do
  [ -n "$line" ] || continue
  name=${line##*/}
  case $line in
    /*) ;;
    *) note "Não removido (caminho relativo): $line"; continue ;;
  esac
  case $name in
    "" | . | ..) note "Não removido (não é um arquivo): $line"; continue ;;
  esac
  dir=${line%/*}
  dir=${dir:-/}
  [ -n "${real_of[$dir]+set}" ] || real_of[$dir]=$(readlink -e -- "$dir")
  real_dir=${real_of[$dir]}
  [ -n "$real_dir" ] || continue  # its folder is gone, and so is the file
  file=${real_dir%/}/$name
  if ! under_prefix "$file"; then
    note "Não removido (fora de $real_prefix): $line"
  elif [ -L "$file" ] || [ -f "$file" ]; then
    remove[$file]=1
    folders[$real_dir]=1
  elif [ -e "$file" ]; then
    note "Não removido (não é um arquivo nem um link): $file"
  fi
done <"$list"
[ ${#remove[@]} -eq 0 ] || rm -f -- "${!remove[@]}"
removed=0
for file in "${!remove[@]}"; do
  if [ -L "$file" ] || [ -e "$file" ]; then
    note "Não foi possível remover: $file"
  else
    removed=$((removed + 1))
  fi
done

# Deepest first, each folder then those above it up to the prefix.
mapfile -t deepest_first < <(printf '%s\n' "${!folders[@]}" | awk '{ print length($0) "\t" $0 }' | sort -rn | cut -f2-)
for dir in "${deepest_first[@]}"; do
  while under_prefix "$dir" && [ -d "$dir" ] && [ ! -L "$dir" ] && made_by_install "$dir"; do
    [ -z "$(ls -A -- "$dir")" ] || break
    rmdir -- "$dir" || { note "Não foi possível remover a pasta: $dir"; break; }
    dir=${dir%/*}
  done
done

echo "Removidos $removed arquivos do Brotalia de $real_prefix."
[ -d "$program" ] && echo "Mantida a pasta $program: guarda arquivos que a instalação não pôs." >&2
if [ "$failed" -gt 0 ]; then
  echo "Não removidos: $failed itens da lista (acima)." >&2
  exit 1
fi
echo "Brotalia removido de $real_prefix."

#!/bin/sh
# One contact sheet (PNG) of every picture in the assembled program folder,
# each tile labelled with its file name, for looking the pictures over.
#
#   media/contact_sheet.sh <program folder> [sheet.png] [tile size]
#
# The tile size (default 150x120) bounds each picture; smaller pictures are
# shown at their own size.
set -eu

programa=${1:?usage: contact_sheet.sh <program folder> [sheet.png] [tile size]}
folha=${2:-contact_sheet.png}
ladrilho=${3:-150x120}

if ! command -v montage >/dev/null 2>&1; then
  echo "contact_sheet.sh: ImageMagick montage is needed" >&2
  exit 1
fi

# File names hold no blanks, so the list can go on the command line.
arquivos=$(find "$programa" -type f \( -iname '*.bmp' -o -iname '*.jpg' -o -iname '*.png' \) | LC_ALL=C sort)
if [ -z "$arquivos" ]; then
  echo "contact_sheet.sh: no pictures under $programa" >&2
  exit 1
fi

# shellcheck disable=SC2086
montage -label '%f' -pointsize 10 -background '#dddddd' $arquivos \
  -geometry "${ladrilho}>+4+4" -tile 12x "$folha"
echo "$folha: $(echo "$arquivos" | wc -l) pictures"

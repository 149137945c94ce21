#!/usr/bin/env bash
# Copies the 96 dpi screenshots of docs/ui (made by scripts/ui-gallery.sh and
# scripts/dialog-shots.sh) into the help folder under the names the help
# pages use, and checks that every picture a page shows is there.
set -euo pipefail
cd "$(dirname "$0")/.."
help=data/VellistoIII/Help
mkdir -p "$help/images"
while read -r shot name; do
  cp "docs/ui/$shot-96dpi.png" "$help/images/$name.png"
done <<'TABLE'
dialog-minimum-fit-composite dialog
value-entry value-entry
about about
presets-panel-folder presets-folder
paper-strip-page2 paper-strip-page2
page-engrave-lines engrave-parallel
page-engrave-rings engrave-radial
page-engrave-iso-lines-1 engrave-isolines
page-randomize-lines randomize-parallel
effects-schema-0 effects-monotone
effects-schema-1 effects-custom
effects-schema-2 effects-cmyk
effects-schema-3 effects-rgb
effects-schema-4 effects-initial
TABLE
missing=0
for page in "$help"/*.html; do
  for image in $(grep -o 'src="images/[^"]*"' "$page" | sed 's/src="//; s/"$//'); do
    [ -f "$help/$image" ] || { echo "$page shows $image, which is missing" >&2; missing=1; }
  done
done
exit $missing

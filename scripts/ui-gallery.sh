#!/usr/bin/env bash
# Photographs the controls' gallery (build/win64/tests/ui/ui_gallery.exe) at
# 96, 120 and 144 dpi under a virtual X display into docs/ui/.
#
# The dpi is the screenshot prefix's own setting (scripts/screenshot-prefix.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
gallery=build/win64/tests/ui/ui_gallery.exe
[ -f "$gallery" ] || { echo "build the win64 preset first ($gallery)" >&2; exit 1; }
. scripts/screenshot-prefix.sh
mkdir -p docs/ui
for dpi in 96 120 144; do
  use_dpi $dpi
  shot=$(mktemp --suffix=.png)
  xvfb-run -a -s "-screen 0 1920x1200x24" sh -c "
    $wine '$gallery' > '$shot.log' 2>&1 &
    sleep 5
    import -window root '$shot'
    wineserver -k"
  echo "== $dpi dpi: $(tr '\n' ' ' < "$shot.log")"
  # The desktop around the windows is black: keep the windows only.
  convert "$shot" -bordercolor black -border 1 -trim +repage "docs/ui/controls-${dpi}dpi.png"
  # The "Set value" dialog alone, where the gallery said it put it.
  convert "$shot" -crop "$(awk '$1 == "value-entry" { print $2 }' "$shot.log")" +repage \
    "docs/ui/value-entry-${dpi}dpi.png"
  # The About box, shown by the gallery on its own.
  xvfb-run -a -s "-screen 0 1920x1200x24" sh -c "
    $wine '$gallery' about > '$shot.log' 2>&1 &
    sleep 4
    import -window root '$shot'
    wineserver -k"
  convert "$shot" -crop "$(awk '$1 == "about" { print $2 }' "$shot.log")" +repage "docs/ui/about-${dpi}dpi.png"
  rm -f "$shot" "$shot.log"
done
ls -l docs/ui

#!/usr/bin/env bash
# Photographs the main dialog (build/win64/tests/host/dialog_shots.exe
# driving the packaged module) at 96 and 144 dpi under a virtual X display
# into docs/ui/: at its minimum size and maximized, at two zoom levels, in
# the Composite, Layer Two and Original views, on the sample photograph
# enlarged to 1536 × 1536 so that the maximized dialog has two zoom levels;
# then the presets panel inside a factory folder and the paper strip on its
# second page. With "pages": each parameter page for the patterns "Lines",
# "Rings" and "Iso Lines 1", and the "Effects" page for each colour schema.
#
#   scripts/dialog-shots.sh [dialog|pages]
#
# The dpi is the screenshot prefix's own setting (scripts/screenshot-prefix.sh).
# DIALOG_SHOT_DPIS="120" photographs other settings.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/screenshot-prefix.sh

# Inside the virtual display: runs the driver and photographs each state it
# announces, cropped to the rectangle it names.
if [ "${1:-}" = --photograph ]; then
  dpi=$2 work=$3 shots=$4 module=$5 series=$6
  "$wine" "$shots" "$module" "$work/picture.png" "$work" "$series" > "$work/log" 2>&1 &
  n=0
  for _ in $(seq 1 3000); do
    if [ -f "$work/ready-$n.txt" ]; then
      read -r name geometry < "$work/ready-$n.txt"
      import -window root "$work/root.png"
      convert "$work/root.png" -crop "$geometry" +repage "docs/ui/$name-${dpi}dpi.png"
      touch "$work/taken-$n.txt"
      n=$((n + 1))
    fi
    [ -f "$work/done.txt" ] && [ ! -f "$work/ready-$n.txt" ] && break
    sleep 0.2
  done
  wineserver -w
  exit 0
fi
series=${1:-dialog}
shots=build/win64/tests/host/dialog_shots.exe
module=build/win64/src/plugin/package/VellistoIII.8bf
[ -f "$shots" ] || { echo "build the win64 preset first ($shots)" >&2; exit 1; }
work=$(mktemp -d)
# The dialog writes its geometry beside the module: the tests that run the
# same module find the settings they left, not the shots'.
ini=$(dirname "$module")/VellistoIII.ini
[ -f "$ini" ] && cp "$ini" "$work/settings.ini"
trap 'cp "$work/log" build/dialog-shots.log 2>/dev/null
      if [ -f "$work/settings.ini" ]; then cp "$work/settings.ini" "$ini"; else rm -f "$ini"; fi
      rm -rf "$work"' EXIT
convert data/samples/astronaut.png -filter Lanczos -resize 150% "$work/picture.png"
mkdir -p docs/ui
for dpi in ${DIALOG_SHOT_DPIS:-96 144}; do
  use_dpi $dpi
  rm -f "$work"/ready-* "$work"/taken-* "$work"/done.txt
  xvfb-run -a -s "-screen 0 1920x1200x24" "$0" --photograph "$dpi" "$work" "$shots" "$module" "$series"
  echo "== $dpi dpi: $(tail -1 "$work/log")"
  cp "$work/log" "build/dialog-shots-${dpi}dpi.log"
done
ls -l docs/ui/*.png | tail -n 30

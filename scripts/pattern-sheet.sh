#!/usr/bin/env bash
# Engraves the sample with each of the 47 patterns through the command-line
# tool and lays the pictures out as docs/patterns.png:
#   scripts/pattern-sheet.sh [BUILD_DIR] [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
output=${2:-docs/patterns.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert data/samples/still-life.png -resize 400x300 "$work/sample.png"
# The tool lists the pattern names when it is given one it does not know.
mapfile -t patterns < <("$build/src/cli/vellisto" engrave "$work/sample.png" "$work/x.png" \
  --set Geometry1=? 2>&1 | grep -o '"[^"]*"' | sed -n '2,$p' | tr -d '"' || true)
for i in "${!patterns[@]}"; do
  file=$(printf '%s/%02d.png' "$work" "$i")
  "$build/src/cli/vellisto" engrave "$work/sample.png" "$file" --quiet --data data/VellistoIII \
    --set "Geometry1=${patterns[$i]}"
  convert "$file" -set label "$i ${patterns[$i]}" "$file"
done
montage -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 12 -label '%l' \
  -geometry 240x180+4+4 -tile 6x "$work"/[0-9]*.png "$output"
echo "pattern sheet: $output"

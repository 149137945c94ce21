#!/usr/bin/env bash
# Renders the render-hash matrix and lays its pictures out as a labelled
# contact sheet: scripts/contact-sheet.sh [BUILD_DIR] [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
output=${2:-docs/render-matrix.png}
dump=$(mktemp -d)
trap 'rm -rf "$dump"' EXIT
VEL_RENDER_DUMP="$dump" "$build/tests/test_engine" --gtest_filter='RenderHashes.*' >/dev/null || true
montage -label '%t' -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 11 -geometry 192x128+4+4 -tile 6x -filter point \
  $(ls "$dump"/*.ppm | sort) "$output"
echo "contact sheet: $output"

#!/usr/bin/env bash
# Builds the native, win32 and win64 presets and runs every test of each
# (the Windows tests under Wine). Warnings are errors here.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

status=0
for preset in native win32 win64; do
  echo "== $preset: configure and build"
  cmake --preset "$preset" -DVELLISTO_WERROR=ON >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset: test"
  if [ "$preset" = native ]; then
    ctest --preset "$preset" -j2 || status=1
  else
    # Windows tests may open windows: give them a display.
    xvfb-run -a ctest --preset "$preset" -j2 || status=1
    # A Windows process left behind would keep the prefix's server bound to
    # the display that just closed, and the next run's windows would fail.
    WINEPREFIX=$PWD/build/wineprefix wineserver -k 2>/dev/null || true
  fi
done
exit $status

#!/usr/bin/env bash
# Photographs the main dialog (build/win64/tests/host/dialog_shots.exe
# driving the packaged module) at 96 and 144 dpi under a virtual X display
# into docs/ui/: at its minimum size and maximized, at two zoom levels, in
# the Composite, Layer Two and Original views, on the sample photograph
# enlarged to 1536 × 1536 so that the maximized dialog has two zoom levels.
#
# The dpi is the Wine prefix's own setting (LogPixels), in the gallery's
# prefix (scripts/ui-gallery.sh), so the test prefix stays at 96 dpi.
set -euo pipefail
cd "$(dirname "$0")/.."

export WINEPREFIX=$PWD/build/wineprefix-gallery WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=wine
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64

# Inside the virtual display: runs the driver and photographs each state it
# announces, cropped to the dialog.
if [ "${1:-}" = --photograph ]; then
  dpi=$2 work=$3 shots=$4 module=$5
  "$wine" "$shots" "$module" "$work/picture.png" "$work" > "$work/log" 2>&1 &
  n=0
  for _ in $(seq 1 900); do
    if [ -f "$work/ready-$n.txt" ]; then
      read -r name geometry < "$work/ready-$n.txt"
      import -window root "$work/root.png"
      convert "$work/root.png" -crop "$geometry" +repage "docs/ui/dialog-$name-${dpi}dpi.png"
      touch "$work/taken-$n.txt"
      n=$((n + 1))
    fi
    [ $n -ge 6 ] && break
    sleep 0.2
  done
  wineserver -w
  exit 0
fi
shots=build/win64/tests/host/dialog_shots.exe
module=build/win64/src/plugin/package/VellistoIII.8bf
[ -f "$shots" ] || { echo "build the win64 preset first ($shots)" >&2; exit 1; }
if [ ! -f "$WINEPREFIX/.vellisto-ready" ]; then
  mkdir -p "$WINEPREFIX"
  $wine wineboot -i >/dev/null 2>&1 || true
  $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.vellisto-ready"
fi
work=$(mktemp -d)
trap 'cp "$work/log" build/dialog-shots.log 2>/dev/null; rm -rf "$work"' EXIT
convert data/samples/astronaut.png -filter Lanczos -resize 150% "$work/picture.png"
mkdir -p docs/ui
for dpi in 96 144; do
  $wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
  $wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
  wineserver -w
  rm -f "$work"/ready-* "$work"/taken-*
  xvfb-run -a -s "-screen 0 1920x1200x24" "$0" --photograph "$dpi" "$work" "$shots" "$module"
  echo "== $dpi dpi: $(tail -1 "$work/log")"
  cp "$work/log" "build/dialog-shots-${dpi}dpi.log"
done
ls -l docs/ui/dialog-*

#!/usr/bin/env bash
# Photographs the controls' gallery (build/win64/tests/ui/ui_gallery.exe) at
# 96, 120 and 144 dpi under a virtual X display into docs/ui/.
#
# The dpi is the Wine prefix's own setting (LogPixels), so the controls, the
# fonts and the dialog templates scale exactly as they do for a user with that
# setting. The gallery uses its own prefix: the test prefix stays at 96 dpi.
set -euo pipefail
cd "$(dirname "$0")/.."
gallery=build/win64/tests/ui/ui_gallery.exe
[ -f "$gallery" ] || { echo "build the win64 preset first ($gallery)" >&2; exit 1; }
export WINEPREFIX=$PWD/build/wineprefix-gallery WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=wine
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
if [ ! -f "$WINEPREFIX/.vellisto-ready" ]; then
  mkdir -p "$WINEPREFIX"
  $wine wineboot -i >/dev/null 2>&1 || true
  # Without a window manager Wine waits for every closed window.
  $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.vellisto-ready"
fi
mkdir -p docs/ui
for dpi in 96 120 144; do
  $wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
  $wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
  wineserver -w
  shot=$(mktemp --suffix=.png)
  xvfb-run -a -s "-screen 0 1920x1200x24" sh -c "
    $wine '$gallery' > '$shot.log' 2>&1 &
    sleep 5
    import -window root '$shot'
    wineserver -k"
  echo "== $dpi dpi: $(cat "$shot.log")"
  # The desktop around the windows is black: keep the windows only.
  convert "$shot" -bordercolor black -border 1 -trim +repage "docs/ui/controls-${dpi}dpi.png"
  rm -f "$shot" "$shot.log"
done
ls -l docs/ui

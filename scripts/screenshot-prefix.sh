# Sourced by the screenshot scripts: the Wine prefix the screenshots are
# taken in (its own, so the test prefix stays at 96 dpi) and its dpi.
# Sets WINEPREFIX and `wine`; `use_dpi N` sets the prefix's LogPixels, so
# controls, fonts and dialog templates scale as they do for a user with that
# setting.
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

use_dpi() {
  $wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  $wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

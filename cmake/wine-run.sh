#!/bin/sh
# Cross-compiling emulator for the Windows builds: runs a Windows executable
# under Wine in a prefix of the build tree (WINEPREFIX, set per test by
# CMake), creating the prefix once under a lock.
set -e
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
export WINEPREFIX WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/.vellisto-ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.vellisto-ready" ]; then
      wineboot -i >/dev/null 2>&1 || true
      # Without a window manager Wine waits for every closed window.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
      wineserver -w
      touch "$WINEPREFIX/.vellisto-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"

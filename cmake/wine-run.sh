#!/bin/sh
# Cross-compiling emulator for the Windows builds: runs a Windows executable
# under Wine in a prefix of the build tree (WINEPREFIX, set per test by
# CMake), creating the prefix once under a lock.
set -e
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
# No Mono or Gecko: the tests need neither, and their installers are slow.
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.vellisto-ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.vellisto-ready" ]; then
      # The 64-bit loader runs natively even where 32-bit programs are emulated.
      boot=wine
      [ -x /usr/lib/wine/wine64 ] && boot=/usr/lib/wine/wine64
      $boot wineboot -i >/dev/null 2>&1 || true
      # Without a window manager Wine waits for every closed window.
      $boot reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
      wineserver -w
      touch "$WINEPREFIX/.vellisto-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# A 64-bit program goes straight to the 64-bit loader: the "wine" launcher
# starts through the 32-bit loader, which costs about a minute a process
# where 32-bit programs run under emulation.
machine=$(od -An -tx2 -j "$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')" -N6 "$1" 2>/dev/null | awk '{print $3}')
if [ "$machine" = 8664 ] && [ -x /usr/lib/wine/wine64 ]; then
  exec /usr/lib/wine/wine64 "$@"
fi
exec wine "$@"

# Sourced by the scripts that run Windows programs: one display and one scratch
# Wine prefix per run, both under build/.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$root/build/wineprefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
export WINE64=/usr/lib/wine/wine64
export LANG=en_US.UTF-8

wine_start() {
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    export DISPLAY=:97
    if ! xdpyinfo >/dev/null 2>&1; then
      Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    fi
  fi
  if [ "${1:-}" = fresh ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE64" wineboot -i >/dev/null 2>&1
    # Without a window manager Wine waits about 2 s for every window that closes.
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w 2>/dev/null || /usr/lib/wine/wineserver -w
  fi
}

wine_stop() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

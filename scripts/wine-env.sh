# Sourced by the run and test scripts: a private Wine prefix and, when asked for or when
# there is no display, a virtual X display of our own. wine_env_stop undoes both.
LUPENDO_XVFB_PID=""
wine_env_start() {
  local want_xvfb=$1
  if [ "$want_xvfb" = 1 ] || [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 90 140); do
      if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    LUPENDO_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
  fi
  export WINEPREFIX=${LUPENDO_WINEPREFIX:-$HOME/.cache/lupendo/wineprefix}
  export LUPENDO_WINEPREFIX=$WINEPREFIX
  # winemenubuilder would turn every saved shell link into a menu entry of the Linux desktop.
  export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i </dev/null >/dev/null 2>&1 || true
  fi
  # Start Wine's background services before anything else, so that they do not inherit the
  # output pipe of the first test, then keep one server for the whole run.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  # The menu builder stays off in the prefix itself too, whatever environment a process gets.
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d '' /f \
    </dev/null >/dev/null 2>&1 || true
  wineserver -p 2>/dev/null || true
}
# Holds Wine's desktop for the whole run (see tests/tools/desktop_keeper.cpp): its own
# output goes nowhere, and it ends with the wine server.
wine_keep_desktop() {
  local keeper=$1
  [ -f "$keeper" ] || return 0
  wine "$keeper" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 100); do
    pgrep -f 'explorer.exe /desktop' >/dev/null 2>&1 && break
    sleep 0.1
  done
}
wine_env_stop() {
  wineserver -k 2>/dev/null || true
  if [ -n "$LUPENDO_XVFB_PID" ]; then kill "$LUPENDO_XVFB_PID" 2>/dev/null || true; fi
}

#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix (32-bit), without the
# Mono and Gecko installers and without Wine's debug output.
export WINEPREFIX=${LUPENDO_WINEPREFIX:-$HOME/.cache/lupendo/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"

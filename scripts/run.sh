#!/usr/bin/env bash
# Builds Lupendo and starts it under Wine on the current display (or on a virtual display
# when there is none; see README.md for how to look at it there).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh Lupendo KvHk
. scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start 0
echo "Lupendo runs on display $DISPLAY"
wine build/win/Lupendo/Lupendo.exe

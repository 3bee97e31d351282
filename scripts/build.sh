#!/usr/bin/env bash
# Sets up the machine, cross-builds the codecs and builds the Windows program folder
# (build/win/Lupendo). Extra arguments go to the build (for example a target name).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/deps.sh
CACHE=${LUPENDO_CACHE:-$HOME/.cache/lupendo}
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DLUPENDO_DEPS_PREFIX="$CACHE/deps-i686" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win "$@"

#!/usr/bin/env bash
# Builds and runs every test: the portable core natively (with AddressSanitizer and UBSan),
# the configuration loader under libFuzzer for a bounded time, and the core, Win32 and
# end-to-end tests of the Windows build under Wine on a virtual display of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh
bash scripts/deps.sh
CACHE=${LUPENDO_CACHE:-$HOME/.cache/lupendo}
JOBS=$(nproc)

echo "== native core tests"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUPENDO_SANITIZE=ON >/dev/null
cmake --build build/native
ctest --test-dir build/native --output-on-failure -j "$JOBS"

echo "== fuzzing the configuration loader"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DLUPENDO_FUZZ=ON -DLUPENDO_FUZZ_SECONDS="${LUPENDO_FUZZ_SECONDS:-30}" >/dev/null
cmake --build build/fuzz --target config_fuzz
ctest --test-dir build/fuzz --output-on-failure

echo "== Windows build under Wine"
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DLUPENDO_DEPS_PREFIX="$CACHE/deps-i686" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win

# A fresh private prefix for every run: tests write to its registry.
export LUPENDO_WINEPREFIX="$root/build/wineprefix"
rm -rf "$LUPENDO_WINEPREFIX"
. scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start 1
wine_keep_desktop build/win/tests/desktop_keeper.exe
ctest --test-dir build/win --output-on-failure -j "$JOBS"

#!/usr/bin/env bash
# Cross-builds the image codec libraries (zlib from the MinGW package; libjpeg-turbo, libpng,
# OpenJPEG, libtiff from Debian's source packages) as static i686 libraries into a cache
# folder outside the work tree. Each finished library is stamped with its version and
# options, so a rerun skips finished work.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
CACHE=${LUPENDO_CACHE:-$HOME/.cache/lupendo}
PREFIX=$CACHE/deps-i686
SRC=$CACHE/src
TOOLCHAIN=$here/cmake/mingw-i686.cmake
mkdir -p "$PREFIX" "$SRC"

log() { echo "deps: $*"; }

# Fetches and unpacks a Debian source package into $SRC/<pkg>, returns its folder on stdout.
fetch_source() {
  local pkg=$1
  local dir=$SRC/$pkg
  if [ -f "$dir/.unpacked" ]; then cat "$dir/.unpacked"; return; fi
  rm -rf "$dir"; mkdir -p "$dir"
  (
    cd "$dir"
    if ! apt-get source -qq "$pkg" >/dev/null 2>&1; then
      # The newest security version may lack its .dsc; fall back to older complete ones.
      local ok=0
      for v in $(apt-cache showsrc "$pkg" | awk '/^Version:/ {print $2}' | sort -rV | uniq); do
        rm -rf ./*
        if apt-get source -qq "$pkg=$v" >/dev/null 2>&1; then ok=1; break; fi
      done
      if [ "$ok" = 0 ]; then
        rm -rf ./*
        apt-get source -qq --tar-only "$pkg" >/dev/null 2>&1
        for t in *.orig.tar.*; do tar xf "$t"; done
      fi
    fi
  ) >&2
  local sub
  sub=$(find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  echo "$sub" >"$dir/.unpacked"
  echo "$sub"
}

# build_lib NAME PACKAGE STAMP-OPTIONS... ; cmake options follow after "--"
build_lib() {
  local name=$1 pkg=$2; shift 2
  local opts=("$@")
  local stamp="$PREFIX/.stamp-$name"
  local want="$name ${opts[*]}"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then return; fi
  log "building $name"
  local src
  src=$(fetch_source "$pkg")
  local bld=$CACHE/build-$name
  rm -rf "$bld"
  cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DLUPENDO_DEPS_PREFIX="$PREFIX" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_POLICY_DEFAULT_CMP0074=NEW "${opts[@]}" >"$bld.log" 2>&1 ||
    { tail -n 40 "$bld.log"; exit 1; }
  cmake --build "$bld" >>"$bld.log" 2>&1 || { tail -n 40 "$bld.log"; exit 1; }
  cmake --install "$bld" >>"$bld.log" 2>&1 || { tail -n 40 "$bld.log"; exit 1; }
  echo "$want" >"$stamp"
}

ZLIB_LIB=/usr/i686-w64-mingw32/lib/libz.a
ZLIB_INC=/usr/i686-w64-mingw32/include
[ -f "$ZLIB_LIB" ] || { echo "deps: $ZLIB_LIB missing (run scripts/setup.sh)"; exit 1; }

build_lib jpeg libjpeg-turbo -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON
build_lib png libpng1.6 -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF \
  -DZLIB_LIBRARY="$ZLIB_LIB" -DZLIB_INCLUDE_DIR="$ZLIB_INC"
build_lib openjpeg openjpeg2 -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_CODEC=OFF \
  -DBUILD_TESTING=OFF -DBUILD_DOC=OFF
build_lib tiff tiff -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF \
  -Dtiff-docs=OFF -Dcxx=OFF -Dzlib=ON -Djpeg=ON -Dlibdeflate=OFF -Djbig=OFF -Dlerc=OFF -Dlzma=OFF \
  -Dzstd=OFF -Dwebp=OFF -Djpeg12=OFF -Dopengl=OFF \
  -DJPEG_LIBRARY="$PREFIX/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$PREFIX/include" \
  -DZLIB_LIBRARY="$ZLIB_LIB" -DZLIB_INCLUDE_DIR="$ZLIB_INC"

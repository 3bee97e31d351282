#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Lupendo:
# the i686 MinGW cross compiler, Wine (32-bit), Xvfb, the test and codec build tools,
# and deb-src entries so the codec source packages can be fetched.
# Idempotent: prints nothing and installs nothing when everything is there.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

PACKAGES=(
  g++-mingw-w64-i686 libz-mingw-w64-dev cmake ninja-build nasm dpkg-dev pkg-config xz-utils
  bzip2 wine wine32:i386 wine64 xvfb xauth file imagemagick googletest xdotool
  g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
)
# Callers may ask for more (the benchmarks add their peer library).
read -r -a EXTRA <<<"${LUPENDO_EXTRA_PACKAGES:-}"
PACKAGES+=("${EXTRA[@]}")

changed=0

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  changed=1
fi

# deb-src entries mirror the machine's own deb entries (same URIs and suites).
SRC_FILE=/etc/apt/sources.list.d/lupendo-deb-src.sources
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    sed -n '/^Types:/,/^$/p' "$f" | awk 'BEGIN{RS="";ORS="\n\n"} /Types:[^\n]*deb/ {print}' |
      sed 's/^Types:.*/Types: deb-src/' >>"$tmp"
  done
  if [ -s /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | while read -r line; do
      echo "$line" >>/tmp/lupendo-src.list
    done
    if [ -s /tmp/lupendo-src.list ]; then
      $SUDO mv /tmp/lupendo-src.list /etc/apt/sources.list.d/lupendo-deb-src.list
    fi
  fi
  if [ -s "$tmp" ]; then $SUDO cp "$tmp" "$SRC_FILE"; fi
  rm -f "$tmp"
  changed=1
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ] || [ "$changed" = 1 ]; then
  echo "setup: installing ${missing[*]:-(package lists only)}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  if [ "${#missing[@]}" -gt 0 ]; then
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi

#!/usr/bin/env bash
# Builds and runs the benchmarks natively with the optimisation flags of the Windows build
# (-O2, SSE2 only). OpenCV's core and imgproc are installed as the peer of the resize rows.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPENDO_EXTRA_PACKAGES="libopencv-core-dev libopencv-imgproc-dev" bash scripts/setup.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DLUPENDO_BENCH=ON \
  -DCMAKE_CXX_FLAGS="-msse2 -mno-avx" >/dev/null
cmake --build build/bench --target resize_bench
build/bench/bench/resize_bench --benchmark_min_time=0.2 "$@"

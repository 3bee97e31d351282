// Output throughput of the zoom image builders beside memcpy of the same output size and,
// when available, OpenCV's resize on one thread. Every row reports bytes of output per
// second, so the ratios of one run compare directly.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "magnifier/packed_dib.h"

#ifdef LUPENDO_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using lupendo::TDIBInfo;
using lupendo::TPackedDIB;

struct TCase {
  int SourceWidth, SourceHeight, TargetWidth, TargetHeight;
};
// 160 x 120 at x2, x4, x8; a docked strip; half HD to HD.
const TCase kCases[] = {{160, 120, 320, 240},  {160, 120, 640, 480},  {160, 120, 1280, 960},
                        {480, 75, 1920, 300},  {960, 540, 1920, 1080}};

TPackedDIB MakeSource(int width, int height) {
  TDIBInfo info;
  info.Width = width;
  info.Height = height;
  info.BytesPerPixel = 3;
  TPackedDIB image = lupendo::CreateBM(info);
  uint32_t seed = 12345;
  for (size_t i = info.BitsOffset; i < image.Size(); ++i) {
    seed = seed * 1103515245 + 12345;
    image.Data()[i] = static_cast<uint8_t>(seed >> 16);
  }
  return image;
}

void SetLabel(benchmark::State& state, const TCase& c) {
  state.SetLabel(std::to_string(c.SourceWidth) + "x" + std::to_string(c.SourceHeight) + "->" +
                 std::to_string(c.TargetWidth) + "x" + std::to_string(c.TargetHeight));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * c.TargetWidth * c.TargetHeight * 3);
}

void BM_Memcpy(benchmark::State& state) {
  const TCase& c = kCases[state.range(0)];
  std::vector<uint8_t> from(static_cast<size_t>(c.TargetWidth) * c.TargetHeight * 3, 7), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  SetLabel(state, c);
}

void BM_Replicate(benchmark::State& state) {
  const TCase& c = kCases[state.range(0)];
  TPackedDIB source = MakeSource(c.SourceWidth, c.SourceHeight);
  float factor = static_cast<float>(c.TargetWidth) / static_cast<float>(c.SourceWidth);
  for (auto _ : state) {
    TPackedDIB out = lupendo::ScaleDIB(source, {0, 0, c.SourceWidth, c.SourceHeight}, factor);
    benchmark::DoNotOptimize(out.Data());
  }
  SetLabel(state, c);
}

void BM_Bilinear(benchmark::State& state) {
  const TCase& c = kCases[state.range(0)];
  TPackedDIB source = MakeSource(c.SourceWidth, c.SourceHeight);
  for (auto _ : state) {
    TPackedDIB out = lupendo::BilinearResize(source, c.TargetWidth, c.TargetHeight);
    benchmark::DoNotOptimize(out.Data());
  }
  SetLabel(state, c);
}

#ifdef LUPENDO_HAVE_OPENCV
void OpenCvResize(benchmark::State& state, int interpolation) {
  cv::setNumThreads(1);
  const TCase& c = kCases[state.range(0)];
  TPackedDIB source = MakeSource(c.SourceWidth, c.SourceHeight);
  cv::Mat in(c.SourceHeight, c.SourceWidth, CV_8UC3);
  std::memcpy(in.data, source.Data() + 54, in.total() * 3);  // rows of these widths have no padding
  cv::Mat out;
  for (auto _ : state) {
    // A new output per run, as the program allocates a new image per view change.
    out = cv::Mat();
    cv::resize(in, out, cv::Size(c.TargetWidth, c.TargetHeight), 0, 0, interpolation);
    benchmark::DoNotOptimize(out.data);
  }
  SetLabel(state, c);
}
void BM_OpenCvNearest(benchmark::State& state) { OpenCvResize(state, cv::INTER_NEAREST); }
void BM_OpenCvLinear(benchmark::State& state) { OpenCvResize(state, cv::INTER_LINEAR); }
#endif

constexpr int kCaseCount = static_cast<int>(sizeof kCases / sizeof kCases[0]);

}  // namespace

BENCHMARK(BM_Memcpy)->DenseRange(0, kCaseCount - 1);
BENCHMARK(BM_Replicate)->DenseRange(0, kCaseCount - 1);
#ifdef LUPENDO_HAVE_OPENCV
BENCHMARK(BM_OpenCvNearest)->DenseRange(0, kCaseCount - 1);
#endif
BENCHMARK(BM_Bilinear)->DenseRange(0, kCaseCount - 1);
#ifdef LUPENDO_HAVE_OPENCV
BENCHMARK(BM_OpenCvLinear)->DenseRange(0, kCaseCount - 1);
#endif

BENCHMARK_MAIN();

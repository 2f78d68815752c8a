// The Lanczos3 resize of a 4000 x 3000 32-bit image to 25 % and to 250 % against libvips'
// vips_resize with its Lanczos3 kernel, and the constant-alpha blend of cxAlphaBlend against
// pixman's OVER composite through a constant mask, all in one run. Prints the ratios of the
// medians and the largest channel difference between the two resizes.
//
//   build/release/bench/resize_blend_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/forms_init.h"
#include "ui/core/dxThreading.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsCanvas.h"

// Last: GLib defines TRUE and FALSE as macros, which the platform declares as constants.
#include <vips/vips.h>

namespace {

constexpr int kSourceW = 4000, kSourceH = 3000;

// Smooth content with some detail, opaque: what a photograph asks of a resize.
const std::vector<uint8_t>& SourcePixels() {
  static const std::vector<uint8_t> pixels = [] {
    std::vector<uint8_t> p(static_cast<size_t>(kSourceW) * kSourceH * 4);
    for (int y = 0; y < kSourceH; ++y)
      for (int x = 0; x < kSourceW; ++x) {
        uint8_t* q = &p[(static_cast<size_t>(y) * kSourceW + x) * 4];
        q[0] = static_cast<uint8_t>(y * 255 / (kSourceH - 1));
        q[1] = static_cast<uint8_t>(x * 255 / (kSourceW - 1));
        q[2] = static_cast<uint8_t>(128 + 100 * std::sin(x / 37.0) * std::cos(y / 53.0));
        q[3] = 255;
      }
    return p;
  }();
  return pixels;
}

int DestW(int percent) {
  return kSourceW * percent / 100;
}
int DestH(int percent) {
  return kSourceH * percent / 100;
}

std::unique_ptr<uint8_t[]> OurResize(int percent) {
  auto out =
      std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(DestW(percent)) * DestH(percent) * 4);
  qd::cxLanczos3Resize(reinterpret_cast<const qd::RGBQUAD*>(SourcePixels().data()), kSourceW, kSourceH,
                       reinterpret_cast<qd::RGBQUAD*>(out.get()), DestW(percent), DestH(percent));
  return out;
}

// The peer's result in its own buffer (g_free), nullptr on failure.
uint8_t* VipsResize(int percent) {
  const std::vector<uint8_t>& src = SourcePixels();
  VipsImage* in =
      vips_image_new_from_memory(src.data(), src.size(), kSourceW, kSourceH, 4, VIPS_FORMAT_UCHAR);
  VipsImage* out = nullptr;
  uint8_t* result = nullptr;
  if (in && vips_resize(in, &out, percent / 100.0, "kernel", VIPS_KERNEL_LANCZOS3, nullptr) == 0) {
    size_t size = 0;
    result = static_cast<uint8_t*>(vips_image_write_to_memory(out, &size));
    if (size != static_cast<size_t>(DestW(percent)) * DestH(percent) * 4) {
      g_free(result);
      result = nullptr;
    }
  }
  if (out) g_object_unref(out);
  if (in) g_object_unref(in);
  return result;
}

void BM_Lanczos3Ours(benchmark::State& state) {
  const int percent = static_cast<int>(state.range(0));
  SourcePixels();
  for (auto _ : state) {
    auto out = OurResize(percent);
    benchmark::DoNotOptimize(out[0]);
  }
}
BENCHMARK(BM_Lanczos3Ours)->Arg(25)->Arg(250)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Lanczos3Vips(benchmark::State& state) {
  const int percent = static_cast<int>(state.range(0));
  SourcePixels();
  for (auto _ : state) {
    uint8_t* out = VipsResize(percent);
    if (!out) {
      state.SkipWithError("vips_resize failed");
      break;
    }
    benchmark::DoNotOptimize(out[0]);
    g_free(out);
  }
}
BENCHMARK(BM_Lanczos3Vips)->Arg(25)->Arg(250)->Unit(benchmark::kMillisecond)->UseRealTime();

// The blend: a premultiplied 1920 x 1080 source over an opaque destination at constant alpha 128.
constexpr int kBlendW = 1920, kBlendH = 1080;
constexpr uint8_t kConstantAlpha = 128;

uint32_t BlendSourcePixel(int i) {
  const uint32_t a = static_cast<uint32_t>(i * 7) & 0xFF;
  const uint32_t c = a * ((static_cast<uint32_t>(i) >> 3) & 0xFF) / 255;
  return (a << 24) | (c << 16) | ((a / 2) << 8) | c / 3;
}

uint32_t BlendDestPixel(int i) {
  return 0xFF000000u | (static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF);
}

void BM_BlendOurs(benchmark::State& state) {
  qd::TcxBitmap32 src(kBlendW, kBlendH), dst(kBlendW, kBlendH);
  for (int y = 0; y < kBlendH; ++y)
    for (int x = 0; x < kBlendW; ++x) {
      static_cast<uint32_t*>(src.ScanLine(y))[x] = BlendSourcePixel(y * kBlendW + x);
      static_cast<uint32_t*>(dst.ScanLine(y))[x] = BlendDestPixel(y * kBlendW + x);
    }
  const qd::TRect r{0, 0, kBlendW, kBlendH};
  for (auto _ : state) {
    qd::cxAlphaBlend(&dst, &src, r, r, false, kConstantAlpha);
    benchmark::DoNotOptimize(static_cast<uint32_t*>(dst.ScanLine(0))[0]);
  }
}
BENCHMARK(BM_BlendOurs)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_BlendPixman(benchmark::State& state) {
  std::vector<uint32_t> a(static_cast<size_t>(kBlendW) * kBlendH), b(a.size());
  for (int i = 0; i < kBlendW * kBlendH; ++i) {
    a[static_cast<size_t>(i)] = BlendSourcePixel(i);
    b[static_cast<size_t>(i)] = BlendDestPixel(i);
  }
  pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, kBlendW, kBlendH, a.data(), kBlendW * 4);
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, kBlendW, kBlendH, b.data(), kBlendW * 4);
  const pixman_color_t alpha{0, 0, 0, static_cast<uint16_t>(kConstantAlpha * 257)};
  pixman_image_t* mask = pixman_image_create_solid_fill(&alpha);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, 0, 0, 0, 0, 0, 0, kBlendW, kBlendH);
    benchmark::DoNotOptimize(b[0]);
  }
  pixman_image_unref(mask);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}
BENCHMARK(BM_BlendPixman)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Keeps the median (or the single run's time) of each benchmark.
class ResizeBlendReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      times_[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatio(const char* what, const std::string& ours, const std::string& peer, double target) const {
    const auto a = times_.find(ours), b = times_.find(peer);
    if (a != times_.end() && b != times_.end() && b->second > 0)
      std::printf("%s: ours / peer = %.2f (aim <= %.1f)\n", what, a->second / b->second, target);
  }

 private:
  std::map<std::string, double> times_;
};

void PrintLargestDifference(int percent) {
  const auto ours = OurResize(percent);
  uint8_t* peer = VipsResize(percent);
  if (!peer) return;
  const size_t n = static_cast<size_t>(DestW(percent)) * DestH(percent) * 4;
  int largest = 0;
  double total = 0;
  for (size_t i = 0; i < n; ++i) {
    const int d = std::abs(ours[i] - peer[i]);
    largest = std::max(largest, d);
    total += d;
  }
  g_free(peer);
  std::printf("Lanczos3 %d%%: largest channel difference from vips %d, mean %.2f\n", percent, largest,
              total / static_cast<double>(n));
}

}  // namespace

int main(int argc, char** argv) {
  if (VIPS_INIT(argv[0])) return 1;
  vips_cache_set_max(0);  // every iteration really resizes
  qd::forms::Initialize();
  qd::dxThreading::Initialize();
  qd::cxGraphics::Initialize();
  benchmark::Initialize(&argc, argv);
  ResizeBlendReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("Lanczos3 to 25%", "BM_Lanczos3Ours/25", "BM_Lanczos3Vips/25", 1.5);
  reporter.PrintRatio("Lanczos3 to 250%", "BM_Lanczos3Ours/250", "BM_Lanczos3Vips/250", 1.5);
  reporter.PrintRatio("constant-alpha blend", "BM_BlendOurs/", "BM_BlendPixman/", 1.2);
  PrintLargestDifference(25);
  PrintLargestDifference(250);
  benchmark::Shutdown();
  qd::cxGraphics::Finalize();
  qd::dxThreading::Finalize();
  qd::forms::Finalize();
  vips_shutdown();
  return 0;
}

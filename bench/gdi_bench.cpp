// GDI against pixman on a 1920 x 1080 32-bit surface: BitBlt SRCCOPY against a pixman SRC
// composite, and a solid FillRect against pixman's solid fill. Prints the ratios at the end.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/os/gdi.h"

#include "bench_dib.h"

namespace {

constexpr int kW = 1920, kH = 1080;

// A DIB of the benchmark's size filled with a pattern.
struct Dib : qd::bench::BenchDib {
  Dib() : qd::bench::BenchDib(kW, kH) {
    for (int i = 0; i < kW * kH; ++i) bits[i] = static_cast<uint32_t>(i * 2654435761u);
  }
};

void BM_GdiBitBltSrcCopy(benchmark::State& state) {
  Dib src, dst;
  for (auto _ : state) {
    qd::BitBlt(dst.dc, 0, 0, kW, kH, src.dc, 0, 0, qd::SRCCOPY);
    benchmark::DoNotOptimize(dst.bits[kW * kH - 1]);
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kW) * kH * 4);
}
BENCHMARK(BM_GdiBitBltSrcCopy)->Unit(benchmark::kMicrosecond);

void BM_PixmanCompositeSrc(benchmark::State& state) {
  std::vector<uint32_t> a(size_t(kW) * kH, 0x12345678), b(size_t(kW) * kH);
  pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, kW, kH, a.data(), kW * 4);
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, kW, kH, b.data(), kW * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::DoNotOptimize(b[size_t(kW) * kH - 1]);
  }
  pixman_image_unref(src);
  pixman_image_unref(dst);
  state.SetBytesProcessed(state.iterations() * int64_t(kW) * kH * 4);
}
BENCHMARK(BM_PixmanCompositeSrc)->Unit(benchmark::kMicrosecond);

void BM_GdiFillRect(benchmark::State& state) {
  Dib dst;
  qd::HBRUSH brush = qd::CreateSolidBrush(qd::RGB(10, 20, 30));
  qd::RECT r{0, 0, kW, kH};
  for (auto _ : state) {
    qd::FillRect(dst.dc, &r, brush);
    benchmark::DoNotOptimize(dst.bits[kW * kH - 1]);
  }
  qd::DeleteObject(brush);
  state.SetBytesProcessed(state.iterations() * int64_t(kW) * kH * 4);
}
BENCHMARK(BM_GdiFillRect)->Unit(benchmark::kMicrosecond);

void BM_PixmanFill(benchmark::State& state) {
  std::vector<uint32_t> b(size_t(kW) * kH);
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, kW, kH, b.data(), kW * 4);
  pixman_color_t color{0x0A0A, 0x1414, 0x1E1E, 0};
  pixman_rectangle16_t rect{0, 0, kW, kH};
  for (auto _ : state) {
    pixman_image_fill_rectangles(PIXMAN_OP_SRC, dst, &color, 1, &rect);
    benchmark::DoNotOptimize(b[size_t(kW) * kH - 1]);
  }
  pixman_image_unref(dst);
  state.SetBytesProcessed(state.iterations() * int64_t(kW) * kH * 4);
}
BENCHMARK(BM_PixmanFill)->Unit(benchmark::kMicrosecond);

// Text: a paragraph of 100-character lines across the surface (no peer; glyphs per second).
void BM_GdiTextOut(benchmark::State& state) {
  Dib dst;
  qd::LOGFONTW lf{};
  lf.lfHeight = -12;
  std::u16string face = u"Segoe UI";
  face.copy(lf.lfFaceName, face.size());
  qd::HFONT font = qd::CreateFontIndirectW(&lf);
  qd::HGDIOBJ old = qd::SelectObject(dst.dc, font);
  qd::SetBkMode(dst.dc, qd::TRANSPARENT);
  std::u16string line;
  for (int i = 0; i < 100; ++i) line += static_cast<char16_t>(u'a' + i % 26);
  for (auto _ : state) {
    for (int y = 0; y < 60; ++y) qd::TextOutW(dst.dc, 0, y * 16, line.data(), static_cast<int>(line.size()));
    benchmark::DoNotOptimize(dst.bits[0]);
  }
  state.SetItemsProcessed(state.iterations() * 60 * 100);
  qd::SelectObject(dst.dc, old);
  qd::DeleteObject(font);
}
BENCHMARK(BM_GdiTextOut)->Unit(benchmark::kMicrosecond);

// Keeps the measured time per iteration of each benchmark for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) times[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ratio = [&](const char* ours, const char* peer) {
    auto a = reporter.times.find(ours), b = reporter.times.find(peer);
    if (a != reporter.times.end() && b != reporter.times.end() && b->second > 0)
      std::printf("%s / %s = %.2f\n", ours, peer, a->second / b->second);
  };
  ratio("BM_GdiBitBltSrcCopy", "BM_PixmanCompositeSrc");
  ratio("BM_GdiFillRect", "BM_PixmanFill");
  benchmark::Shutdown();
  return 0;
}

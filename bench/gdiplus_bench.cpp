// Anti-aliased filling of 1,000 random Bézier shapes on a 1920 x 1080 32-bit surface: through
// TdxGPCanvas (paths and cached brushes over the GDI+ flat API on a DIB section's DC) against
// the same drawing made directly with cairo. Prints the ratio of the medians at the end.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/forms/forms_init.h"
#include "platform/gdiplus/gdiplus.h"
#include "platform/os/gdi.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "bench_dib.h"
#include "median_reporter.h"

namespace {

constexpr int kW = 1920, kH = 1080, kShapes = 1000;

// A closed figure of four cubic segments around a centre, and its colour.
struct BenchShape {
  float x0, y0;
  float c[4][6];  // control 1, control 2, end point of each segment
  uint32_t argb;
};

const std::vector<BenchShape>& Shapes() {
  static const std::vector<BenchShape> shapes = [] {
    std::mt19937 rng(20261211);
    std::uniform_real_distribution<float> cx(0, kW), cy(0, kH), r(10, 120), jitter(-60, 60);
    std::uniform_int_distribution<uint32_t> colour(0, 0xFFFFFF), alpha(64, 255);
    std::vector<BenchShape> v(kShapes);
    for (BenchShape& s : v) {
      const float x = cx(rng), y = cy(rng), radius = r(rng);
      const float px[4] = {x + radius, x, x - radius, x}, py[4] = {y, y - radius, y, y + radius};
      s.x0 = px[3];
      s.y0 = py[3];
      for (int i = 0; i < 4; ++i) {
        s.c[i][0] = px[(i + 3) % 4] + jitter(rng);
        s.c[i][1] = py[(i + 3) % 4] + jitter(rng);
        s.c[i][2] = px[i] + jitter(rng);
        s.c[i][3] = py[i] + jitter(rng);
        s.c[i][4] = px[i];
        s.c[i][5] = py[i];
      }
      s.argb = (alpha(rng) << 24) | colour(rng);
    }
    return v;
  }();
  return shapes;
}

// A DIB of the benchmark's size.
struct BenchDib : qd::bench::BenchDib {
  BenchDib() : qd::bench::BenchDib(kW, kH) {}
};

void BenchDrawCanvas(qd::TdxGPCanvas& canvas) {
  for (const BenchShape& s : Shapes()) {
    qd::TdxGPPath path;
    qd::TdxPointF p(s.x0, s.y0);
    for (const auto& c : s.c) {
      const qd::TdxPointF end(c[4], c[5]);
      path.AddBezier(p, qd::TdxPointF(c[0], c[1]), qd::TdxPointF(c[2], c[3]), end);
      p = end;
    }
    path.FigureFinish();
    canvas.Path(&path, qd::TdxAlphaColor(0), qd::TdxAlphaColor(s.argb));
  }
}

// GDI+'s default pixel-offset mode puts pixel centres on whole coordinates: cairo's are half-way.
void BenchDrawCairo(cairo_t* cr) {
  cairo_identity_matrix(cr);
  cairo_translate(cr, 0.5, 0.5);
  for (const BenchShape& s : Shapes()) {
    cairo_move_to(cr, s.x0, s.y0);
    for (const auto& c : s.c) cairo_curve_to(cr, c[0], c[1], c[2], c[3], c[4], c[5]);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, ((s.argb >> 16) & 0xFF) / 255.0, ((s.argb >> 8) & 0xFF) / 255.0,
                          (s.argb & 0xFF) / 255.0, (s.argb >> 24) / 255.0);
    cairo_fill(cr);
  }
}

// GDI+ bound and started, and the caches made, for the length of a scope.
struct BenchGdiPlus {
  bool ok;
  BenchGdiPlus() {
    qd::forms::Initialize();
    qd::gdiplus::RegisterModule();
    ok = qd::CheckGdiPlus(false);
    if (ok) qd::dxGDIPlusClasses::Initialize();
  }
  ~BenchGdiPlus() {
    if (ok) qd::dxGDIPlusClasses::Finalize();
    qd::GdiPlusUnload();
    qd::forms::Finalize();
  }
};

void BM_TdxGPCanvasBezierFill(benchmark::State& state) {
  BenchGdiPlus gdiplus;
  if (!gdiplus.ok) {
    state.SkipWithError("GDI+ unavailable");
    return;
  }
  BenchDib dib;
  qd::TdxGPCanvas canvas(dib.dc);
  canvas.SetSmoothingMode(qd::smAntiAlias);
  for (auto _ : state) {
    BenchDrawCanvas(canvas);
    benchmark::DoNotOptimize(dib.bits[kW * kH / 2]);
  }
  state.SetItemsProcessed(state.iterations() * kShapes);
}
BENCHMARK(BM_TdxGPCanvasBezierFill)->Unit(benchmark::kMillisecond)->Repetitions(7);

void BM_CairoBezierFill(benchmark::State& state) {
  std::vector<uint32_t> pixels(size_t(kW) * kH);
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32, kW, kH, kW * 4);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  for (auto _ : state) {
    BenchDrawCairo(cr);
    cairo_surface_flush(surface);
    benchmark::DoNotOptimize(pixels[size_t(kW) * kH / 2]);
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  state.SetItemsProcessed(state.iterations() * kShapes);
}
BENCHMARK(BM_CairoBezierFill)->Unit(benchmark::kMillisecond)->Repetitions(7);

// Both drawings once, compared pixel by pixel, so that the two sides are seen to draw the same
// picture; with QD_BENCH_PNG_DIR set both are written there as PNG files.
void BenchComparePictures() {
  BenchGdiPlus gdiplus;
  if (!gdiplus.ok) return;
  BenchDib dib;
  {
    qd::TdxGPCanvas canvas(dib.dc);
    canvas.SetSmoothingMode(qd::smAntiAlias);
    BenchDrawCanvas(canvas);
  }
  std::vector<uint32_t> pixels(size_t(kW) * kH);
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32, kW, kH, kW * 4);
  cairo_t* cr = cairo_create(surface);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  BenchDrawCairo(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  int maxDiff = 0;
  int64_t differing = 0;
  for (size_t i = 0; i < pixels.size(); ++i) {
    int d = 0;
    for (int sh = 0; sh < 32; sh += 8)
      d = std::max(d, std::abs(int((dib.bits[i] >> sh) & 0xFF) - int((pixels[i] >> sh) & 0xFF)));
    maxDiff = std::max(maxDiff, d);
    differing += d > 2;
  }
  std::printf("pictures: %lld of %d pixels differ by more than 2 (largest difference %d)\n",
              static_cast<long long>(differing), kW * kH, maxDiff);
  if (const char* dir = std::getenv("QD_BENCH_PNG_DIR")) {
    cairo_surface_write_to_png(surface, (std::string(dir) + "/bezier_cairo.png").c_str());
    cairo_surface_t* ours = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(dib.bits),
                                                                CAIRO_FORMAT_ARGB32, kW, kH, kW * 4);
    cairo_surface_write_to_png(ours, (std::string(dir) + "/bezier_canvas.png").c_str());
    cairo_surface_destroy(ours);
  }
  cairo_surface_destroy(surface);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  BenchComparePictures();
  qd::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto a = reporter.medians.find("BM_TdxGPCanvasBezierFill"), b = reporter.medians.find("BM_CairoBezierFill");
  if (a != reporter.medians.end() && b != reporter.medians.end() && b->second > 0)
    std::printf("median BM_TdxGPCanvasBezierFill / median BM_CairoBezierFill = %.2f (aim: 1.15 or better)\n",
                a->second / b->second);
  benchmark::Shutdown();
  return 0;
}

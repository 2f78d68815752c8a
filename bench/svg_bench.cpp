// SVG rendering (parse included) of the corpus in bench/svg_corpus/ at 64 and 512 pixels
// against librsvg through its library in the same process. Prints the ratio of the total
// median times and, per file and size, the share of pixels that differ by more than 8 in any
// channel (both sides premultiplied ARGB).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/forms/forms_init.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/graphics/svg/dxSVGImage.h"

// After the system's own headers: glib defines TRUE and FALSE as macros.
#include <librsvg/rsvg.h>

namespace {

struct SvgBenchFile {
  std::string name;
  std::string data;
};

std::vector<SvgBenchFile>& SvgBenchCorpus() {
  static std::vector<SvgBenchFile> files = [] {
    std::vector<SvgBenchFile> r;
    for (const auto& e : std::filesystem::directory_iterator(QD_SVG_CORPUS)) {
      std::ifstream in(e.path(), std::ios::binary);
      std::stringstream ss;
      ss << in.rdbuf();
      r.push_back({e.path().filename().string(), ss.str()});
    }
    std::sort(r.begin(), r.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return r;
  }();
  return files;
}

// Premultiplied ARGB pixels, rows top-down.
std::vector<uint32_t> SvgBenchOurs(const std::string& AData, int ASize) {
  qd::TMemoryStream stream;
  stream.WriteBuffer(AData.data(), static_cast<int64_t>(AData.size()));
  stream.SetPosition(0);
  std::unique_ptr<qd::TdxSVGImageHandle> handle;
  if (!qd::TdxSVGImageCodec::Instance().Load(&stream, handle)) return {};
  qd::GpBitmap* raster = handle->GetRasterizedImage(qd::TSize{ASize, ASize}, nullptr);
  std::vector<uint32_t> px(static_cast<size_t>(ASize) * ASize);
  if (!raster) return px;
  qd::gdiplus::GpRect r{0, 0, ASize, ASize};
  qd::gdiplus::BitmapData data{};
  if (qd::gdiplus::GdipBitmapLockBits(raster, &r, qd::gdiplus::ImageLockModeRead,
                                      qd::gdiplus::PixelFormat32bppPARGB, &data) == qd::gdiplus::Ok) {
    for (int y = 0; y < ASize; ++y)
      std::copy_n(
          reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) + y * data.Stride), ASize,
          px.begin() + static_cast<size_t>(y) * ASize);
    qd::gdiplus::GdipBitmapUnlockBits(raster, &data);
  }
  return px;
}

std::vector<uint32_t> SvgBenchPeer(const std::string& AData, int ASize) {
  std::vector<uint32_t> px(static_cast<size_t>(ASize) * ASize);
  RsvgHandle* h =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(AData.data()), AData.size(), nullptr);
  if (!h) return px;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, ASize, ASize);
  cairo_t* cr = cairo_create(s);
  RsvgRectangle viewport{0, 0, double(ASize), double(ASize)};
  rsvg_handle_render_document(h, cr, &viewport, nullptr);
  cairo_destroy(cr);
  cairo_surface_flush(s);
  const int stride = cairo_image_surface_get_stride(s);
  const uint8_t* base = cairo_image_surface_get_data(s);
  for (int y = 0; y < ASize; ++y)
    std::copy_n(reinterpret_cast<const uint32_t*>(base + y * stride), ASize,
                px.begin() + static_cast<size_t>(y) * ASize);
  cairo_surface_destroy(s);
  g_object_unref(h);
  return px;
}

void SvgBenchOursAll(benchmark::State& state) {
  for (auto _ : state)
    for (const auto& f : SvgBenchCorpus())
      benchmark::DoNotOptimize(SvgBenchOurs(f.data, int(state.range(0))));
}
void SvgBenchPeerAll(benchmark::State& state) {
  for (auto _ : state)
    for (const auto& f : SvgBenchCorpus())
      benchmark::DoNotOptimize(SvgBenchPeer(f.data, int(state.range(0))));
}
BENCHMARK(SvgBenchOursAll)
    ->Arg(64)
    ->Arg(512)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(SvgBenchPeerAll)
    ->Arg(64)
    ->Arg(512)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

double SvgBenchMedianSeconds(std::vector<uint32_t> (*AFunc)(const std::string&, int), int ASize) {
  std::vector<double> t;
  for (int rep = 0; rep < 5; ++rep) {
    const auto start = std::chrono::steady_clock::now();
    for (const auto& f : SvgBenchCorpus()) benchmark::DoNotOptimize(AFunc(f.data, ASize));
    t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qd::forms::Initialize();
  qd::gdiplus::RegisterModule();
  qd::CheckGdiPlus(false);
  qd::dxGDIPlusClasses::Initialize();
  qd::dxGDIPlusCanvas::Initialize();
  qd::TdxAlphaColors::Initialize();
  qd::dxSVGCore::Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  for (int size : {64, 512}) {
    const double ours = SvgBenchMedianSeconds(&SvgBenchOurs, size);
    const double peer = SvgBenchMedianSeconds(&SvgBenchPeer, size);
    std::printf("%d px: ours %.1f ms, librsvg %.1f ms, ratio of medians %.2f\n", size, ours * 1e3, peer * 1e3,
                ours / peer);
    for (const auto& f : SvgBenchCorpus()) {
      const auto a = SvgBenchOurs(f.data, size), b = SvgBenchPeer(f.data, size);
      size_t differing = 0;
      for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8)
          if (std::abs(int((a[i] >> shift) & 0xFF) - int((b[i] >> shift) & 0xFF)) > 8) {
            ++differing;
            break;
          }
      std::printf("  %-28s %6.2f%% differing\n", f.name.c_str(),
                  100.0 * differing / std::max<size_t>(1, a.size()));
    }
  }
  benchmark::Shutdown();
  return 0;
}

// Loading a 4000 x 3000 JPEG into a TdxSmartImage and drawing it into 556 x 290 (the
// updater's window) on a 32-bit bitmap, against libjpeg-turbo's decode at 1/8 scale followed
// by a plain bilinear resize to the same size. The smart image draws through its cache,
// which decodes at the smallest DCT scale that still covers the target.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/Startup.h"
#include "picture_bench_util.h"
#include "platform/classes/streams.h"
#include "platform/forms/graphics.h"
#include "platform/gdiplus/codec_io.h"
#include "ui/graphics/dxGDIPlusImage.h"

// After the platform's headers: libjpeg defines TRUE and FALSE as macros.
#include <jpeglib.h>

namespace {

constexpr int kTargetWidth = 556, kTargetHeight = 290;

const std::vector<uint8_t>& PhotoJpeg() {
  static std::vector<uint8_t> file;
  if (file.empty()) {
    const auto picture =
        qd::codecs::MakeImage(qd::bench::kWidth, qd::bench::kHeight, qd::bench::MakePicture());
    if (qd::codecs::Encode(picture, qd::codecs::ImageFormat::JPEG, file) != qd::codecs::Status::Ok)
      std::abort();
  }
  return file;
}

void BM_SmartImage_LoadAndDraw(benchmark::State& state) {
  const auto& file = PhotoJpeg();
  qd::TMemoryStream stream;
  stream.WriteBuffer(file.data(), int64_t(file.size()));
  qd::TBitmap target;
  target.SetPixelFormat(qd::pf32bit);
  target.SetSize(kTargetWidth, kTargetHeight);
  const qd::HDC dc = target.Canvas()->Handle();
  for (auto _ : state) {
    qd::TdxSmartImage image;
    image.SetUseCache(true);
    stream.SetPosition(0);
    image.LoadFromStream(&stream);
    image.StretchDraw(dc, qd::TRect{0, 0, kTargetWidth, kTargetHeight});
    benchmark::DoNotOptimize(target.ScanLine(0));
  }
}

// Bilinear, 16.16 fixed point, edge pixels clamped.
void PlainResize(const std::vector<uint32_t>& src, int sw, int sh, std::vector<uint32_t>& dst, int dw,
                 int dh) {
  dst.resize(size_t(dw) * dh);
  const int64_t fx = (int64_t(sw) << 16) / dw, fy = (int64_t(sh) << 16) / dh;
  for (int y = 0; y < dh; ++y) {
    const int64_t sy = std::max<int64_t>(0, y * fy + fy / 2 - 0x8000);
    const int y0 = std::min(int(sy >> 16), sh - 1), y1 = std::min(y0 + 1, sh - 1);
    const uint32_t wy = uint32_t(sy & 0xFFFF) >> 8;
    for (int x = 0; x < dw; ++x) {
      const int64_t sx = std::max<int64_t>(0, x * fx + fx / 2 - 0x8000);
      const int x0 = std::min(int(sx >> 16), sw - 1), x1 = std::min(x0 + 1, sw - 1);
      const uint32_t wx = uint32_t(sx & 0xFFFF) >> 8;
      const uint32_t a = src[size_t(y0) * sw + x0], b = src[size_t(y0) * sw + x1];
      const uint32_t c = src[size_t(y1) * sw + x0], d = src[size_t(y1) * sw + x1];
      uint32_t out = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t top = (((a >> shift) & 0xFF) * (256 - wx) + ((b >> shift) & 0xFF) * wx) >> 8;
        const uint32_t bottom = (((c >> shift) & 0xFF) * (256 - wx) + ((d >> shift) & 0xFF) * wx) >> 8;
        out |= ((top * (256 - wy) + bottom * wy) >> 8) << shift;
      }
      dst[size_t(y) * dw + x] = out;
    }
  }
}

void BM_Libjpeg_Scaled_Resize(benchmark::State& state) {
  const auto& file = PhotoJpeg();
  std::vector<uint32_t> resized;
  for (auto _ : state) {
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, file.data(), file.size());
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_EXT_BGRA;
    d.scale_num = 1;
    d.scale_denom = 8;
    jpeg_start_decompress(&d);
    std::vector<uint32_t> pixels(size_t(d.output_width) * d.output_height);
    while (d.output_scanline < d.output_height) {
      JSAMPROW row = reinterpret_cast<JSAMPROW>(pixels.data() + size_t(d.output_scanline) * d.output_width);
      jpeg_read_scanlines(&d, &row, 1);
    }
    const int w = int(d.output_width), h = int(d.output_height);
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    PlainResize(pixels, w, h, resized, kTargetWidth, kTargetHeight);
    benchmark::DoNotOptimize(resized.data());
  }
}

BENCHMARK(BM_SmartImage_LoadAndDraw)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Libjpeg_Scaled_Resize)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qd::InitializeUnits();
  {
    qd::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("JPEG 4000x3000 loaded and drawn into 556x290", "BM_SmartImage_LoadAndDraw",
                        "BM_Libjpeg_Scaled_Resize", 1.2);
  }
  qd::FinalizeUnits();
  benchmark::Shutdown();
  return 0;
}

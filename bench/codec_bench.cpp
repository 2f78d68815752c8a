// Decoding a large PNG and JPEG through our codecs against the same decode done directly
// with libpng and libjpeg-turbo (both producing 32-bit BGRA rows). The inputs are made at
// start-up; the ratios are printed after the runs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "picture_bench_util.h"
#include "platform/gdiplus/codec_io.h"

namespace {

using namespace qd::codecs;
using qd::bench::kHeight;
using qd::bench::kWidth;
using qd::bench::MakePicture;
using qd::bench::RatioReporter;

const std::vector<uint8_t>& Encoded(ImageFormat format) {
  static std::map<ImageFormat, std::vector<uint8_t>> files;
  auto& file = files[format];
  if (file.empty()) {
    static const Image picture = MakeImage(kWidth, kHeight, MakePicture());
    if (Encode(picture, format, file) != Status::Ok) std::abort();
  }
  return file;
}

void BM_Png_Ours(benchmark::State& state) {
  const auto& file = Encoded(ImageFormat::PNG);
  for (auto _ : state) {
    Image image;
    if (Decode(file, image) != Status::Ok) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(image.Frames[0].Pixels.data());
  }
}

struct PngReader {
  const uint8_t* Data;
  size_t Pos;
};

void PngRead(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<PngReader*>(png_get_io_ptr(png));
  std::memcpy(out, r->Data + r->Pos, n);
  r->Pos += n;
}

void BM_Png_Libpng(benchmark::State& state) {
  const auto& file = Encoded(ImageFormat::PNG);
  for (auto _ : state) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    PngReader reader{file.data(), 0};
    png_set_read_fn(png, &reader, PngRead);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    png_set_bgr(png);
    if (!(png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA)) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    std::vector<uint32_t> pixels(size_t(w) * h);
    std::vector<png_bytep> rows(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = reinterpret_cast<png_bytep>(pixels.data() + size_t(y) * w);
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels.data());
  }
}

void BM_Jpeg_Ours(benchmark::State& state) {
  const auto& file = Encoded(ImageFormat::JPEG);
  for (auto _ : state) {
    Image image;
    if (Decode(file, image) != Status::Ok) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(image.Frames[0].Pixels.data());
  }
}

void BM_Jpeg_Libjpeg(benchmark::State& state) {
  const auto& file = Encoded(ImageFormat::JPEG);
  for (auto _ : state) {
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, file.data(), file.size());
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&d);
    std::vector<uint32_t> pixels(size_t(d.output_width) * d.output_height);
    while (d.output_scanline < d.output_height) {
      JSAMPROW row = reinterpret_cast<JSAMPROW>(pixels.data() + size_t(d.output_scanline) * d.output_width);
      jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    benchmark::DoNotOptimize(pixels.data());
  }
}

BENCHMARK(BM_Png_Ours)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Png_Libpng)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Jpeg_Ours)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Jpeg_Libjpeg)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("PNG 4000x3000 decode", "BM_Png_Ours", "BM_Png_Libpng", 1.15);
  reporter.PrintRatio("JPEG 4000x3000 decode", "BM_Jpeg_Ours", "BM_Jpeg_Libjpeg", 1.15);
  benchmark::Shutdown();
  return 0;
}

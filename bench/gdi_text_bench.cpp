// A screen of Latin text (1920 x 1080, 13-pixel DejaVu Sans, one line each 16 pixels): DrawText
// of every line into a 32-bit DIB section against Pango drawing the same lines into a cairo
// image surface. Prints the ratio of the median times at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/os/gdi.h"
#include "median_reporter.h"

// After the platform's headers: GLib defines TRUE and FALSE as macros.
#include <pango/pangocairo.h>

namespace {

constexpr int kW = 1920, kH = 1080, kPixels = 13, kLineHeight = 16;

// Lines of ordinary mixed Latin text: words with and without accents, digits, punctuation.
const std::vector<std::string>& Lines() {
  static const std::vector<std::string> lines = [] {
    static const char* words[] = {
        "Atualização",  "do",         "sistema", "versão",   "3.14.159", "arquivo",
        "(servidor)",   "instalação", "o",       "programa", "baixa",    "os",
        "pacotes;",     "e",          "copia",   "para",     "pasta",    "quando",
        "terminar,",    "reinicia",   "módulo",  "com",      "a",        "nova",
        "configuração", "de",         "rede",    "local:",   "público",  "100%",
        "Straße",       "naïve",      "café",    "—",        "Ærø",      "jalapeño"};
    std::mt19937 rng(11);
    std::vector<std::string> out;
    for (int y = 0; y < kH / kLineHeight; ++y) {
      std::string s;
      while (s.size() < 220) {
        if (!s.empty()) s += ' ';
        s += words[rng() % (sizeof(words) / sizeof(words[0]))];
      }
      out.push_back(s);
    }
    return out;
  }();
  return lines;
}

struct OurScreen {
  qd::HDC dc = qd::CreateCompatibleDC(nullptr);
  qd::HBITMAP bm = nullptr;
  qd::HGDIOBJ oldBitmap = nullptr, oldFont = nullptr;
  qd::HFONT font = qd::CreateFontW(-kPixels, 0, 0, 0, qd::FW_NORMAL, 0, 0, 0, qd::DEFAULT_CHARSET, 0, 0, 0, 0,
                                   u"DejaVu Sans");
  std::vector<qd::String> lines;
  OurScreen() {
    qd::BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(qd::BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = kW;
    bi.bmiHeader.biHeight = -kH;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bm = qd::CreateDIBSection(dc, &bi, qd::DIB_RGB_COLORS, &bits, nullptr, 0);
    oldBitmap = qd::SelectObject(dc, bm);
    oldFont = qd::SelectObject(dc, font);
    qd::SetBkMode(dc, qd::TRANSPARENT);
    for (const auto& l : Lines()) lines.push_back(qd::Utf8ToString(l));
  }
  ~OurScreen() {
    qd::SelectObject(dc, oldFont);
    qd::SelectObject(dc, oldBitmap);
    qd::DeleteObject(font);
    qd::DeleteObject(bm);
    qd::DeleteDC(dc);
  }
  void Draw() {
    int y = 0;
    for (const auto& l : lines) {
      qd::RECT r{0, y, kW, y + kLineHeight};
      qd::DrawTextW(dc, l.c_str(), static_cast<int>(l.size()), &r, qd::DT_SINGLELINE | qd::DT_NOPREFIX);
      y += kLineHeight;
    }
  }
};

struct PangoScreen {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kW, kH);
  cairo_t* cr = cairo_create(surface);
  PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans");
  PangoScreen() { pango_font_description_set_absolute_size(font, kPixels * PANGO_SCALE); }
  ~PangoScreen() {
    pango_font_description_free(font);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  void Draw() {
    int y = 0;
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (const auto& l : Lines()) {
      // A new layout for every line, as DrawText lays out every call afresh.
      PangoLayout* layout = pango_cairo_create_layout(cr);
      pango_layout_set_font_description(layout, font);
      pango_layout_set_text(layout, l.c_str(), static_cast<int>(l.size()));
      cairo_move_to(cr, 0, y);
      pango_cairo_show_layout(cr, layout);
      g_object_unref(layout);
      y += kLineHeight;
    }
    cairo_surface_flush(surface);
  }
};

void BM_DrawTextScreenOurs(benchmark::State& state) {
  OurScreen s;
  for (auto _ : state) s.Draw();
}
BENCHMARK(BM_DrawTextScreenOurs)->Unit(benchmark::kMillisecond)->Repetitions(9);

void BM_DrawTextScreenPango(benchmark::State& state) {
  PangoScreen s;
  for (auto _ : state) s.Draw();
}
BENCHMARK(BM_DrawTextScreenPango)->Unit(benchmark::kMillisecond)->Repetitions(9);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::printf("screen: %zu lines of about 220 characters\n", Lines().size());
  qd::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ours = reporter.medians.find("BM_DrawTextScreenOurs"),
             peer = reporter.medians.find("BM_DrawTextScreenPango");
  if (ours != reporter.medians.end() && peer != reporter.medians.end() && peer->second > 0)
    std::printf("median BM_DrawTextScreenOurs / BM_DrawTextScreenPango = %.2f\n",
                ours->second / peer->second);
  benchmark::Shutdown();
  return 0;
}

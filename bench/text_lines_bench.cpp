// Word wrap of a long paragraph: cxGetTextLines against Pango's layout at the same width with
// the same font (DejaVu Sans, 13 pixels, 400 pixels wide). Prints the line counts of both and
// the ratio of the median times at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/forms/forms_init.h"
#include "ui/graphics/cxGraphics.h"
#include "median_reporter.h"

// After the platform's headers: GLib defines TRUE and FALSE as macros.
#include <pango/pangocairo.h>

namespace {

constexpr int kWidth = 400;
constexpr int kPixels = 13;

// About 1500 words of ordinary prose from a fixed vocabulary, one paragraph.
const qd::String& Paragraph() {
  static const qd::String text = [] {
    static const char* words[] = {"atualização", "do",     "sistema",   "versão",  "arquivo",  "servidor",
                                  "instalação",  "o",      "programa",  "baixa",   "os",       "pacotes",
                                  "e",           "copia",  "para",      "pasta",   "quando",   "terminar",
                                  "reinicia",    "módulo", "com",       "a",       "nova",     "configuração",
                                  "de",          "rede",   "local",     "público", "consulta", "serviço",
                                  "resposta",    "texto",  "progresso", "janela",  "mensagem", "status",
                                  "aguarde",     "por",    "favor",     "empresa"};
    std::mt19937 rng(7);
    std::string s;
    for (int i = 0; i < 1500; ++i) {
      if (i) s += ' ';
      s += words[rng() % (sizeof(words) / sizeof(words[0]))];
      if (rng() % 11 == 0) s += ',';
    }
    return qd::Utf8ToString(s);
  }();
  return text;
}

std::string ParagraphUtf8() {
  return qd::StringToUtf8(Paragraph());
}

struct OurSurface {
  qd::TBitmap bitmap;
  qd::TcxCanvas canvas{nullptr};
  OurSurface() {
    bitmap.SetPixelFormat(qd::pf32bit);
    bitmap.SetSize(kWidth, 16);
    canvas.SetCanvas(bitmap.Canvas());
    canvas.Font()->SetName(u"DejaVu Sans");
    canvas.Font()->SetHeight(-kPixels);
  }
};

int OurLineCount() {
  OurSurface s;
  qd::TStringList lines;
  qd::cxGetTextLines(Paragraph(), &s.canvas, qd::TRect{0, 0, kWidth, 1000}, &lines);
  return lines.Count();
}

struct PangoSurface {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, 16);
  cairo_t* cr = cairo_create(surface);
  PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans");
  PangoSurface() { pango_font_description_set_absolute_size(font, kPixels * PANGO_SCALE); }
  ~PangoSurface() {
    pango_font_description_free(font);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  PangoLayout* NewLayout() const {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_width(layout, kWidth * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    return layout;
  }
};

int PangoLineCount() {
  PangoSurface s;
  PangoLayout* layout = s.NewLayout();
  const std::string text = ParagraphUtf8();
  pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
  const int n = pango_layout_get_line_count(layout);
  g_object_unref(layout);
  return n;
}

void BM_TextLinesOurs(benchmark::State& state) {
  OurSurface s;
  const qd::TRect r{0, 0, kWidth, 1000};
  for (auto _ : state) {
    qd::TStringList lines;
    qd::cxGetTextLines(Paragraph(), &s.canvas, r, &lines);
    benchmark::DoNotOptimize(lines.Count());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(Paragraph().size()));
}
BENCHMARK(BM_TextLinesOurs)->Unit(benchmark::kMillisecond)->Repetitions(9);

void BM_TextLinesPango(benchmark::State& state) {
  PangoSurface s;
  const std::string text = ParagraphUtf8();
  for (auto _ : state) {
    // A new layout each time: nothing of the previous layout is reused.
    PangoLayout* layout = s.NewLayout();
    pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
    benchmark::DoNotOptimize(pango_layout_get_line_count(layout));
    g_object_unref(layout);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(Paragraph().size()));
}
BENCHMARK(BM_TextLinesPango)->Unit(benchmark::kMillisecond)->Repetitions(9);

}  // namespace

int main(int argc, char** argv) {
  qd::forms::Initialize();
  qd::cxGraphics::Initialize();
  benchmark::Initialize(&argc, argv);
  std::printf("paragraph: %zu characters; lines at %d pixels: ours %d, Pango %d\n", Paragraph().size(),
              kWidth, OurLineCount(), PangoLineCount());
  qd::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ours = reporter.medians.find("BM_TextLinesOurs"),
             peer = reporter.medians.find("BM_TextLinesPango");
  if (ours != reporter.medians.end() && peer != reporter.medians.end() && peer->second > 0)
    std::printf("median BM_TextLinesOurs / BM_TextLinesPango = %.2f\n", ours->second / peer->second);
  benchmark::Shutdown();
  qd::cxGraphics::Finalize();
  qd::forms::Finalize();
  return 0;
}

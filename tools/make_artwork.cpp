// Draws the updater window's pictures: the background (IMAGES/FUNDO.jpg), the logo
// (IMAGES/LOGO.png) and the window icon (ICON/MAINICON.ico).
//
// Usage: make_artwork <resources-folder> [preview-folder]
// With a preview folder it also writes a PNG copy of the background, magnified icon images
// and a mock-up of the whole window there, for looking at the result.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

namespace fs = std::filesystem;

constexpr int kBackgroundWidth = 556;
constexpr int kBackgroundHeight = 290;
constexpr int kLogoWidth = 379;
constexpr int kLogoHeight = 61;
constexpr int kLogoLeft = 39;
constexpr int kLogoTop = 70;

struct Rgb {
  double r, g, b;
};

constexpr Rgb Hex(uint32_t v) {
  return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

// The Torvelix palette: deep blue and teal accents on near-white, navy ink.
constexpr Rgb kInk = Hex(0x13324A);
constexpr Rgb kDeepBlue = Hex(0x1D4F8A);
constexpr Rgb kDeepTeal = Hex(0x0D6F79);
constexpr Rgb kTeal = Hex(0x2BA3A4);
constexpr Rgb kLightTeal = Hex(0x5CC3BC);
constexpr Rgb kPaperTop = Hex(0xFFFFFF);
constexpr Rgb kPaperBottom = Hex(0xEEF3F6);

void SetColor(cairo_t* cr, const Rgb& c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

double Clamp01(double v) {
  return v < 0 ? 0 : (v > 1 ? 1 : v);
}

// Small deterministic generator, so every run draws the same pictures.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed) {}
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (state_ & 0xFFFFFF) / double(0x1000000);
  }

 private:
  uint32_t state_;
};

struct Pt {
  double x, y;
};

void Polygon(cairo_t* cr, const std::vector<Pt>& pts) {
  cairo_move_to(cr, pts[0].x, pts[0].y);
  for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
  cairo_close_path(cr);
}

// The mark: an isometric cube (a pointy-top hexagon of three facets) whose top facet is
// lifted a little off the body, as a lid that opens for the update. Drawn into a transparent
// area; the gaps between the facets are cleared so the ground shows through.
struct MarkStyle {
  double gap;    // width of the cleared seams
  double lift;   // how far the top facet rises
  double round;  // corner rounding (stroke width in the facet's colour)
};

void DrawMark(cairo_t* cr, double cx, double cy, double radius, const MarkStyle& style) {
  auto vertex = [&](double degrees) {
    const double a = degrees * M_PI / 180.0;
    return Pt{cx + radius * std::cos(a), cy + radius * std::sin(a)};
  };
  const Pt top = vertex(-90), upRight = vertex(-30), downRight = vertex(30);
  const Pt bottom = vertex(90), downLeft = vertex(150), upLeft = vertex(210);
  const Pt centre{cx, cy};
  const double l = style.lift;
  const std::vector<Pt> topFacet = {
      {top.x, top.y - l}, {upRight.x, upRight.y - l}, {centre.x, centre.y - l}, {upLeft.x, upLeft.y - l}};
  const std::vector<Pt> leftFacet = {upLeft, centre, bottom, downLeft};
  const std::vector<Pt> rightFacet = {centre, upRight, downRight, bottom};

  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  auto facet = [&](const std::vector<Pt>& pts, cairo_pattern_t* fill) {
    Polygon(cr, pts);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    if (style.round > 0) {
      cairo_set_line_width(cr, style.round);
      cairo_stroke(cr);
    } else {
      cairo_new_path(cr);
    }
  };
  // Each facet carries a slight gradient so the cube reads as lit from the top left.
  auto gradient = [&](const Pt& a, const Pt& b, const Rgb& from, const Rgb& to) {
    cairo_pattern_t* p = cairo_pattern_create_linear(a.x, a.y, b.x, b.y);
    cairo_pattern_add_color_stop_rgb(p, 0, from.r, from.g, from.b);
    cairo_pattern_add_color_stop_rgb(p, 1, to.r, to.g, to.b);
    return p;
  };
  cairo_pattern_t* leftFill = gradient(upLeft, bottom, Hex(0x138690), kDeepTeal);
  cairo_pattern_t* rightFill = gradient(centre, downRight, Hex(0x2560A0), kDeepBlue);
  cairo_pattern_t* topFill = gradient(upLeft, upRight, Hex(0x72D0C6), kTeal);
  auto clearLine = [&](const std::vector<Pt>& pts, double dy) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_line_width(cr, style.gap);
    cairo_move_to(cr, pts[0].x, pts[0].y + dy);
    for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y + dy);
    cairo_stroke(cr);
    cairo_restore(cr);
  };
  // Seams: down the body's middle, along the body's top edges and along the lid's bottom
  // edges (the lift widens the last gap).
  facet(leftFacet, leftFill);
  facet(rightFacet, rightFill);
  clearLine({centre, {bottom.x, bottom.y + radius}}, 0);
  clearLine({upLeft, centre, upRight}, 0);
  facet(topFacet, topFill);
  clearLine({upLeft, centre, upRight}, -l);
  cairo_restore(cr);
  cairo_pattern_destroy(leftFill);
  cairo_pattern_destroy(rightFill);
  cairo_pattern_destroy(topFill);
}

// ---------------------------------------------------------------------------------------
// Background

// A triangle lattice that fades in towards the top right corner; each cell is tinted with
// one of the palette's accents at a low, slightly varying strength.
void DrawLattice(cairo_t* cr, int width, int height) {
  Random rnd(0x7041E11Au);
  const double side = 34.0;
  const double rowHeight = side * std::sqrt(3.0) / 2.0;
  const Rgb tints[] = {kDeepTeal, kTeal, kDeepBlue, kLightTeal};
  for (int row = -1; row * rowHeight < height; ++row) {
    const double y0 = row * rowHeight;
    const double shift = (row & 1) ? side / 2 : 0;
    for (int col = -2; col * side / 2 < width + side; ++col) {
      const double x0 = col * side / 2 + shift;
      const bool up = (col & 1) == 0;
      std::vector<Pt> tri;
      if (up) {
        tri = {{x0, y0 + rowHeight}, {x0 + side / 2, y0}, {x0 + side, y0 + rowHeight}};
      } else {
        tri = {{x0, y0}, {x0 + side, y0}, {x0 + side / 2, y0 + rowHeight}};
      }
      const double mx = (tri[0].x + tri[1].x + tri[2].x) / 3;
      const double my = (tri[0].y + tri[1].y + tri[2].y) / 3;
      // Distance from the top right corner, stretched so the motif stays near the top.
      const double dx = (width - mx) / 360.0;
      const double dy = my / 185.0;
      const double fade = Clamp01(1.0 - std::sqrt(dx * dx + dy * dy));
      // Most cells are a faint wash; a few stand out a little more.
      const double pick = rnd.Next();
      const double strength = fade * fade * (pick < 0.18 ? 1.0 + 1.2 * rnd.Next() : 0.3 + 0.5 * rnd.Next());
      const Rgb& tint = tints[static_cast<int>(rnd.Next() * 4) % 4];
      if (strength < 0.02) continue;
      Polygon(cr, tri);
      SetColor(cr, tint, 0.22 * strength);
      cairo_fill_preserve(cr);
      SetColor(cr, Hex(0xFFFFFF), 0.9 * fade);
      cairo_set_line_width(cr, 1.0);
      cairo_stroke(cr);
    }
  }
}

cairo_surface_t* MakeBackground() {
  const int w = kBackgroundWidth, h = kBackgroundHeight;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  cairo_t* cr = cairo_create(s);

  cairo_pattern_t* paper = cairo_pattern_create_linear(0, 0, w * 0.25, h);
  cairo_pattern_add_color_stop_rgb(paper, 0, kPaperTop.r, kPaperTop.g, kPaperTop.b);
  cairo_pattern_add_color_stop_rgb(paper, 1, kPaperBottom.r, kPaperBottom.g, kPaperBottom.b);
  cairo_set_source(cr, paper);
  cairo_paint(cr);
  cairo_pattern_destroy(paper);

  DrawLattice(cr, w, h);

  // A thin accent rule along the top edge, deep blue into teal.
  cairo_pattern_t* rule = cairo_pattern_create_linear(0, 0, w, 0);
  cairo_pattern_add_color_stop_rgb(rule, 0, kDeepBlue.r, kDeepBlue.g, kDeepBlue.b);
  cairo_pattern_add_color_stop_rgb(rule, 1, kTeal.r, kTeal.g, kTeal.b);
  cairo_rectangle(cr, 0, 0, w, 4);
  cairo_set_source(cr, rule);
  cairo_fill(cr);
  cairo_pattern_destroy(rule);

  cairo_destroy(cr);
  cairo_surface_flush(s);
  return s;
}

// ---------------------------------------------------------------------------------------
// Logo

const char* const kWordFont = "Liberation Sans";
const char* const kWord = "Torvelix";

cairo_surface_t* MakeLogo() {
  const int w = kLogoWidth, h = kLogoHeight;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(s);

  const double radius = 27.0;
  const double markCx = 2 + radius * std::sqrt(3.0) / 2.0;
  const double markCy = h / 2.0 + 2.0;
  DrawMark(cr, markCx, markCy, radius, {2.6, 3.0, 1.2});

  cairo_select_font_face(cr, kWordFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  // Size the word so its capitals stand about two thirds of the logo's height.
  cairo_set_font_size(cr, 100);
  cairo_text_extents_t cap;
  cairo_text_extents(cr, "T", &cap);
  const double capHeight = 38.0;
  const double size = 100 * capHeight / -cap.y_bearing;
  cairo_set_font_size(cr, size);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, kWord, &ext);
  const double textLeft = markCx + radius * std::sqrt(3.0) / 2.0 + 15.0;
  const double baseline = std::round((h + capHeight) / 2.0);
  cairo_move_to(cr, textLeft - ext.x_bearing, baseline);
  SetColor(cr, kInk);
  cairo_show_text(cr, kWord);

  cairo_destroy(cr);
  cairo_surface_flush(s);
  return s;
}

// ---------------------------------------------------------------------------------------
// Icon

cairo_surface_t* MakeIconImage(int size) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(s);
  // The hexagon is taller than wide; leave room for the lifted lid above it.
  const double lift = size >= 32 ? size / 24.0 : 0.0;
  const double radius = (size - lift) / 2.0 - (size >= 32 ? 0.5 : 0.0);
  // Seams of whole pixels, with the vertical one on pixel columns, keep small sizes crisp.
  const double gap = size >= 32 ? 2.0 : 1.0;
  const double cx = size >= 32 ? size / 2.0 : size / 2.0 - 0.5;
  DrawMark(cr, cx, size / 2.0 + lift / 2.0, radius, {gap, lift, size >= 32 ? 0.8 : 0.0});
  cairo_destroy(cr);
  cairo_surface_flush(s);
  return s;
}

// ---------------------------------------------------------------------------------------
// Writers

void Fail(const std::string& what) {
  std::cerr << "make_artwork: " << what << "\n";
  std::exit(1);
}

void WritePng(cairo_surface_t* s, const fs::path& path) {
  if (cairo_surface_write_to_png(s, path.c_str()) != CAIRO_STATUS_SUCCESS)
    Fail("cannot write " + path.string());
}

void WriteJpeg(cairo_surface_t* s, const fs::path& path, int quality) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) Fail("cannot write " + path.string());
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
  cinfo.image_width = w;
  cinfo.image_height = h;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = TRUE;
  // Full-resolution chroma keeps the thin coloured edges clean.
  cinfo.comp_info[0].h_samp_factor = 1;
  cinfo.comp_info[0].v_samp_factor = 1;
  jpeg_start_compress(&cinfo, TRUE);
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  std::vector<unsigned char> row(w * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const auto* px = reinterpret_cast<const uint32_t*>(data + cinfo.next_scanline * stride);
    for (int x = 0; x < w; ++x) {
      row[x * 3 + 0] = (px[x] >> 16) & 0xFF;
      row[x * 3 + 1] = (px[x] >> 8) & 0xFF;
      row[x * 3 + 2] = px[x] & 0xFF;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (std::fclose(f) != 0) Fail("cannot write " + path.string());
}

// Reads a written JPEG back, so the previews show what the encoder kept.
cairo_surface_t* ReadJpeg(const fs::path& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) Fail("cannot read " + path.string());
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, f);
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  const int w = cinfo.output_width, h = cinfo.output_height;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  std::vector<unsigned char> row(w * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    auto* px = reinterpret_cast<uint32_t*>(data + cinfo.output_scanline * stride);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
    for (int x = 0; x < w; ++x) px[x] = 0xFF000000u | row[x * 3] << 16 | row[x * 3 + 1] << 8 | row[x * 3 + 2];
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::fclose(f);
  cairo_surface_mark_dirty(s);
  return s;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One icon image as a device-independent bitmap: the header (with twice the height, for the
// colour and mask planes), 32-bit BGRA rows bottom-up with straight alpha, then the 1-bit
// AND mask (set where the pixel is fully transparent), rows padded to 32 bits.
std::vector<uint8_t> IconDib(cairo_surface_t* s) {
  const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  const int maskStride = ((w + 31) / 32) * 4;
  std::vector<uint8_t> out;
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h * 2);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, w * h * 4 + maskStride * h);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  std::vector<uint8_t> mask(maskStride * h, 0);
  for (int y = h - 1; y >= 0; --y) {
    const auto* px = reinterpret_cast<const uint32_t*>(data + y * stride);
    const int maskRow = h - 1 - y;
    for (int x = 0; x < w; ++x) {
      const uint32_t a = px[x] >> 24;
      auto straight = [a](uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
      out.push_back(straight(px[x] & 0xFF));
      out.push_back(straight((px[x] >> 8) & 0xFF));
      out.push_back(straight((px[x] >> 16) & 0xFF));
      out.push_back(a);
      if (a == 0) mask[maskRow * maskStride + x / 8] |= 0x80 >> (x % 8);
    }
  }
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

void WriteIco(const std::vector<cairo_surface_t*>& images, const fs::path& path) {
  std::vector<std::vector<uint8_t>> dibs;
  for (cairo_surface_t* s : images) dibs.push_back(IconDib(s));
  std::vector<uint8_t> out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon
  Put16(out, images.size());
  uint32_t offset = 6 + 16 * images.size();
  for (size_t i = 0; i < images.size(); ++i) {
    const int w = cairo_image_surface_get_width(images[i]), h = cairo_image_surface_get_height(images[i]);
    out.push_back(w >= 256 ? 0 : w);
    out.push_back(h >= 256 ? 0 : h);
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, dibs[i].size());
    Put32(out, offset);
    offset += dibs[i].size();
  }
  for (const auto& d : dibs) out.insert(out.end(), d.begin(), d.end());
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(out.data()), out.size());
  if (!f) Fail("cannot write " + path.string());
}

// ---------------------------------------------------------------------------------------
// Previews

cairo_surface_t* Magnified(cairo_surface_t* src, int factor) {
  const int w = cairo_image_surface_get_width(src) * factor, h = cairo_image_surface_get_height(src) * factor;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h * 2 + 8);
  cairo_t* cr = cairo_create(s);
  // Above on white, below on a dark ground, to check the edges against both.
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_rectangle(cr, 0, h + 8, w, h);
  cairo_set_source_rgb(cr, 0.2, 0.22, 0.25);
  cairo_fill(cr);
  for (int i = 0; i < 2; ++i) {
    cairo_save(cr);
    cairo_translate(cr, 0, i * (h + 8));
    cairo_scale(cr, factor, factor);
    cairo_set_source_surface(cr, src, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  return s;
}

void DrawWindowMockup(cairo_surface_t* background, cairo_surface_t* logo, const fs::path& path) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kBackgroundWidth, kBackgroundHeight);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_surface(cr, background, 0, 0);
  cairo_paint(cr);
  cairo_set_source_surface(cr, logo, kLogoLeft, kLogoTop);
  cairo_paint(cr);

  // Stand-ins for Segoe UI: text tops at the labels' tops.
  auto text = [&](const char* t, double x, double top, double px, bool bold) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, px);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    cairo_move_to(cr, x, top + fe.ascent);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_show_text(cr, t);
  };
  text("Finalizando módulo [Torvelix]...", 15, 180, 13, false);
  text("Por favor aguarde...", 39, 246, 16, true);

  // Progress bar: frame, white trough, a third filled.
  const double bx = 15, by = 207, bw = 526, bh = 17;
  cairo_rectangle(cr, bx + 0.5, by + 0.5, bw - 1, bh - 1);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.67, 0.67, 0.67);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, by, 0, by + bh);
  cairo_pattern_add_color_stop_rgb(fill, 0, 0.55, 0.85, 0.55);
  cairo_pattern_add_color_stop_rgb(fill, 1, 0.10, 0.60, 0.15);
  cairo_rectangle(cr, bx + 2, by + 2, (bw - 4) / 3, bh - 4);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);

  cairo_destroy(cr);
  WritePng(s, path);
  cairo_surface_destroy(s);
}

}  // namespace

// Fontconfig keeps parts of its parsed configuration for the life of the process; that is
// not ours to free, so the leak checker of sanitised builds is told to ignore it.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
extern "C" const char* __lsan_default_options() {
  return "print_suppressions=0";
}

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: make_artwork <resources-folder> [preview-folder]\n";
    return 2;
  }
  const fs::path root = argv[1];
  std::error_code ec;
  fs::create_directories(root / "IMAGES", ec);
  fs::create_directories(root / "ICON", ec);

  cairo_surface_t* background = MakeBackground();
  cairo_surface_t* logo = MakeLogo();
  std::vector<cairo_surface_t*> icons = {MakeIconImage(16), MakeIconImage(32), MakeIconImage(48)};

  WriteJpeg(background, root / "IMAGES" / "FUNDO.jpg", 90);
  WritePng(logo, root / "IMAGES" / "LOGO.png");
  WriteIco(icons, root / "ICON" / "MAINICON.ico");

  if (argc == 3) {
    const fs::path preview = argv[2];
    fs::create_directories(preview, ec);
    cairo_surface_t* decoded = ReadJpeg(root / "IMAGES" / "FUNDO.jpg");
    WritePng(decoded, preview / "FUNDO.png");
    for (cairo_surface_t* icon : icons) {
      const int size = cairo_image_surface_get_width(icon);
      cairo_surface_t* big = Magnified(icon, 96 / size * 2);
      WritePng(big, preview / ("icon" + std::to_string(size) + ".png"));
      cairo_surface_destroy(big);
    }
    cairo_surface_t* bigLogo = Magnified(logo, 2);
    WritePng(bigLogo, preview / "LOGO-grounds.png");
    cairo_surface_destroy(bigLogo);
    DrawWindowMockup(decoded, logo, preview / "mockup.png");
    cairo_surface_destroy(decoded);
  }

  for (cairo_surface_t* icon : icons) cairo_surface_destroy(icon);
  cairo_surface_destroy(logo);
  cairo_surface_destroy(background);
  cairo_debug_reset_static_data();
  return 0;
}

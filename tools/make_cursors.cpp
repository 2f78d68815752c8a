// Draws the control framework's and the editors' cursors (resources/CURSOR/*.cur, 32 x 32, 32 bits with
// alpha).
//
// Usage: make_cursors <resources-folder> [preview.png]
// With a preview file it also writes all cursors side by side, magnified, for looking at them.
#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kSize = 32;
constexpr double kPi = 3.14159265358979323846;

struct Cursor {
  const char* name;
  int hotX, hotY;
  std::function<void(cairo_t*)> draw;
};

// White shape with a black outline, the usual look of a cursor.
void FillOutlined(cairo_t* cr) {
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void Arrow(cairo_t* cr) {
  cairo_move_to(cr, 1.5, 1.5);
  cairo_line_to(cr, 1.5, 17.5);
  cairo_line_to(cr, 5.5, 13.5);
  cairo_line_to(cr, 8.5, 19.5);
  cairo_line_to(cr, 10.5, 18.5);
  cairo_line_to(cr, 7.5, 12.5);
  cairo_line_to(cr, 12.5, 12.5);
  cairo_close_path(cr);
  FillOutlined(cr);
}

// A small box at the lower right with a plus in it: the "copy" badge.
void CopyBadge(cairo_t* cr) {
  cairo_rectangle(cr, 19.5, 19.5, 10, 10);
  FillOutlined(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_rectangle(cr, 22, 24, 6, 1);
  cairo_rectangle(cr, 24.5, 21.5, 1, 6);
  cairo_fill(cr);
}

// A dashed rectangle below the arrow: something being dragged.
void DragBox(cairo_t* cr, double x, double y) {
  cairo_rectangle(cr, x + 0.5, y + 0.5, 10, 7);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill_preserve(cr);
  const double dash[] = {2, 1};
  cairo_set_dash(cr, dash, 2, 0);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
}

void NoDropSign(cairo_t* cr, double cx, double cy, double r) {
  cairo_set_line_width(cr, 2.5);
  cairo_set_source_rgb(cr, 0.8, 0, 0);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_stroke(cr);
  cairo_move_to(cr, cx - r * 0.7, cy - r * 0.7);
  cairo_line_to(cr, cx + r * 0.7, cy + r * 0.7);
  cairo_stroke(cr);
}

void Cross(cairo_t* cr, double cx, double cy, double r) {
  cairo_set_line_width(cr, 3);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_move_to(cr, cx - r, cy - r);
  cairo_line_to(cr, cx + r, cy + r);
  cairo_move_to(cr, cx + r, cy - r);
  cairo_line_to(cr, cx - r, cy + r);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_set_source_rgb(cr, 0.85, 0, 0);
  cairo_move_to(cr, cx - r, cy - r);
  cairo_line_to(cr, cx + r, cy + r);
  cairo_move_to(cr, cx + r, cy - r);
  cairo_line_to(cr, cx - r, cy + r);
  cairo_stroke(cr);
}

// A filled triangle pointing away from (cx, cy) in the direction given in degrees.
void Head(cairo_t* cr, double cx, double cy, double degrees, double distance) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, degrees * kPi / 180);
  cairo_move_to(cr, distance + 6, 0);
  cairo_line_to(cr, distance, -5);
  cairo_line_to(cr, distance, 5);
  cairo_close_path(cr);
  cairo_restore(cr);
  FillOutlined(cr);
}

// The middle-button scroll cursors: heads in the given directions around a dot.
void ScrollCursor(cairo_t* cr, std::vector<double> directions) {
  cairo_arc(cr, 16, 16, 2.5, 0, 2 * kPi);
  FillOutlined(cr);
  for (double d : directions) Head(cr, 16, 16, d, 5);
}

// A double-headed sizing arrow across a splitter bar.
void SizeCursor(cairo_t* cr, bool vertical) {
  cairo_save(cr);
  if (vertical) {
    cairo_translate(cr, 16, 16);
    cairo_rotate(cr, kPi / 2);
    cairo_translate(cr, -16, -16);
  }
  cairo_rectangle(cr, 14.5, 6.5, 3, 19);
  FillOutlined(cr);
  cairo_restore(cr);
  const double a = vertical ? 90 : 0;
  Head(cr, 16, 16, a, 4);
  Head(cr, 16, 16, a + 180, 4);
}

void Hand(cairo_t* cr, bool closed) {
  // Fingers, then the palm.
  const double top = closed ? 12.5 : 6.5;
  for (int i = 0; i < 4; ++i) {
    const double x = 10.5 + i * 4;
    const double fingerTop = closed ? top : (i == 0 ? 4.5 : top + (i == 3 ? 3 : 0));
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + 1.5, fingerTop + 1.5, 1.5, kPi, 0);
    cairo_line_to(cr, x + 3, 18);
    cairo_line_to(cr, x, 18);
    cairo_close_path(cr);
    FillOutlined(cr);
  }
  cairo_move_to(cr, 9.5, 15.5);
  cairo_line_to(cr, 26.5, 15.5);
  cairo_line_to(cr, 26.5, 24.5);
  cairo_line_to(cr, 22.5, 29.5);
  cairo_line_to(cr, 12.5, 29.5);
  cairo_line_to(cr, 6.5, 21.5);
  cairo_line_to(cr, 6.5, 17.5);
  cairo_close_path(cr);
  FillOutlined(cr);
}

void ColorPicker(cairo_t* cr) {
  cairo_save(cr);
  cairo_translate(cr, 2, 30);
  cairo_rotate(cr, -kPi / 4);
  cairo_rectangle(cr, 0.5, -2, 22, 4);  // the glass tube
  FillOutlined(cr);
  cairo_rectangle(cr, 20.5, -4.5, 9, 9);  // the bulb
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_fill(cr);
  cairo_restore(cr);
}

// A line with a small marker: where a dragged item goes.
void DropMarker(cairo_t* cr, double y, bool pointsDown) {
  cairo_rectangle(cr, 12.5, y + 0.5, 16, 2);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_fill(cr);
  const double tip = pointsDown ? y - 1 : y + 5;
  const double base = pointsDown ? y - 6 : y + 10;
  cairo_move_to(cr, 20.5, tip);
  cairo_line_to(cr, 16.5, base);
  cairo_line_to(cr, 24.5, base);
  cairo_close_path(cr);
  FillOutlined(cr);
}

void DropInside(cairo_t* cr) {
  cairo_rectangle(cr, 12.5, 14.5, 15, 11);
  FillOutlined(cr);
  cairo_rectangle(cr, 17, 18, 6, 4);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_fill(cr);
}

std::vector<Cursor> Cursors() {
  return {
      {"CX_DRAGCOPYCURSOR", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         DragBox(cr, 6, 20);
         CopyBadge(cr);
       }},
      {"CX_FULLSCROLLCURSOR", 16, 16,
       [](cairo_t* cr) {
         ScrollCursor(cr, {0, 90, 180, 270});
       }},
      {"CX_HORSCROLLCURSOR", 16, 16,
       [](cairo_t* cr) {
         ScrollCursor(cr, {0, 180});
       }},
      {"CX_VERSCROLLCURSOR", 16, 16,
       [](cairo_t* cr) {
         ScrollCursor(cr, {90, 270});
       }},
      // The editors' mouse-wheel cursor: up and down around the dot, with a wheel ring.
      {"CXEDIT_MOUSEWHEEL", 16, 16,
       [](cairo_t* cr) {
         cairo_arc(cr, 16, 16, 12.5, 0, 2 * kPi);
         cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
         cairo_set_line_width(cr, 1);
         cairo_stroke(cr);
         ScrollCursor(cr, {90, 270});
       }},
      {"CX_UPSCROLLCURSOR", 16, 16, [](cairo_t* cr) { ScrollCursor(cr, {270}); }},
      {"CX_RIGHTSCROLLCURSOR", 16, 16, [](cairo_t* cr) { ScrollCursor(cr, {0}); }},
      {"CX_DOWNSCROLLCURSOR", 16, 16, [](cairo_t* cr) { ScrollCursor(cr, {90}); }},
      {"CX_LEFTSCROLLCURSOR", 16, 16, [](cairo_t* cr) { ScrollCursor(cr, {180}); }},
      {"CX_REMOVECURSOR", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         Cross(cr, 23, 23, 5);
       }},
      {"CX_VERTSIZECURSOR", 16, 16, [](cairo_t* cr) { SizeCursor(cr, true); }},
      {"CX_HORZSIZECURSOR", 16, 16, [](cairo_t* cr) { SizeCursor(cr, false); }},
      {"CX_MULTIDRAGCURSOR", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         DragBox(cr, 9, 17);
         DragBox(cr, 6, 20);
       }},
      {"CX_NODROPCURSOR", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         NoDropSign(cr, 22, 22, 6);
       }},
      {"CX_DRAGCURSOR", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         DragBox(cr, 6, 20);
       }},
      {"CX_COLORPICKERCURSOR", 2, 29, [](cairo_t* cr) { ColorPicker(cr); }},
      {"CX_MULTIDRAGCOPYCURSOR", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         DragBox(cr, 9, 17);
         DragBox(cr, 6, 20);
         CopyBadge(cr);
       }},
      {"CX_HANDCURSOR", 12, 5, [](cairo_t* cr) { Hand(cr, false); }},
      {"CX_HANDDRAGCURSOR", 16, 14, [](cairo_t* cr) { Hand(cr, true); }},
      {"DXLAYOUTCONTROLNODROP", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         NoDropSign(cr, 22, 22, 6);
       }},
      {"DXLAYOUTCONTROLREMOVE", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         Cross(cr, 22, 22, 5);
       }},
      {"DXLAYOUTCONTROLDROPAFTER", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         DropMarker(cr, 26, true);
       }},
      {"DXLAYOUTCONTROLDROPBEFORE", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         DropMarker(cr, 16, false);
       }},
      {"DXLAYOUTCONTROLDROPINSIDE", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         DropInside(cr);
       }},
      {"CXDROPAFTERCOPY", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         DropMarker(cr, 16, true);
         CopyBadge(cr);
       }},
      {"CXDROPBEFORECOPY", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         DropMarker(cr, 12, false);
         CopyBadge(cr);
       }},
      {"CXDROPINSIDECOPY", 1, 1,
       [](cairo_t* cr) {
         Arrow(cr);
         DropInside(cr);
         CopyBadge(cr);
       }},
  };
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A .cur file of one 32-bit image: straight (not premultiplied) BGRA rows bottom-up, then an
// AND mask that marks the fully transparent pixels.
std::vector<uint8_t> CurFile(cairo_surface_t* surface, int hotX, int hotY) {
  cairo_surface_flush(surface);
  const uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const uint32_t maskStride = 4;
  const uint32_t imageSize = 40 + kSize * kSize * 4 + kSize * maskStride;
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 2);
  Put16(out, 1);
  out.push_back(kSize);
  out.push_back(kSize);
  out.push_back(0);
  out.push_back(0);
  Put16(out, static_cast<uint32_t>(hotX));
  Put16(out, static_cast<uint32_t>(hotY));
  Put32(out, imageSize);
  Put32(out, 22);
  Put32(out, 40);
  Put32(out, kSize);
  Put32(out, kSize * 2);
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = kSize - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = 0; x < kSize; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      auto straight = [&](int shift) { return a ? (((p >> shift) & 0xFF) * 255 + a / 2) / a : 0u; };
      out.push_back(static_cast<uint8_t>(straight(0)));
      out.push_back(static_cast<uint8_t>(straight(8)));
      out.push_back(static_cast<uint8_t>(straight(16)));
      out.push_back(static_cast<uint8_t>(a));
    }
  }
  for (int y = kSize - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    uint32_t bits = 0;
    for (int x = 0; x < kSize; ++x)
      if ((row[x] >> 24) == 0) bits |= 1u << (31 - x);
    // Big-endian bit order within the row.
    for (int b = 3; b >= 0; --b) out.push_back(static_cast<uint8_t>(bits >> (b * 8)));
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: make_cursors <resources-folder> [preview.png]\n";
    return 2;
  }
  const fs::path folder = fs::path(argv[1]) / "CURSOR";
  fs::create_directories(folder);
  const std::vector<Cursor> cursors = Cursors();
  constexpr int kZoom = 3;
  cairo_surface_t* preview = cairo_image_surface_create(
      CAIRO_FORMAT_ARGB32, static_cast<int>(cursors.size()) * (kSize + 4) * kZoom, kSize * kZoom);
  cairo_t* pcr = cairo_create(preview);
  cairo_set_source_rgb(pcr, 0.55, 0.7, 0.85);
  cairo_paint(pcr);
  int index = 0;
  for (const Cursor& c : cursors) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    c.draw(cr);
    cairo_destroy(cr);
    const std::vector<uint8_t> file = CurFile(surface, c.hotX, c.hotY);
    std::ofstream(folder / (std::string(c.name) + ".cur"), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    cairo_save(pcr);
    cairo_scale(pcr, kZoom, kZoom);
    cairo_set_source_surface(pcr, surface, index * (kSize + 4), 0);
    cairo_pattern_set_filter(cairo_get_source(pcr), CAIRO_FILTER_NEAREST);
    cairo_paint(pcr);
    cairo_restore(pcr);
    cairo_surface_destroy(surface);
    ++index;
  }
  cairo_destroy(pcr);
  if (argc > 2) cairo_surface_write_to_png(preview, argv[2]);
  cairo_surface_destroy(preview);
  std::cout << "wrote " << cursors.size() << " cursors to " << folder << "\n";
  return 0;
}

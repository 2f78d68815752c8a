// Renders a sheet of image editors with their zoom bar shown into a PNG, for looking at them by
// eye: the bar at several zooms, with the pointer on the thumb and on a change button, pressed,
// right to left, and in the ultra-flat, native and skin looks. The editors are real controls on a form, the
// pointer's moves and presses are sent to them, and the form is read back from the window.
//
//   render_image OUT.png [--zoom N]
#include <cstdio>
#include <functional>
#include <vector>

#include "render_sheet.h"
#include "ui/editors/concrete/cxImage.h"

using namespace qd;

namespace {

enum class TPointer { Away, Thumb, ZoomIn, ZoomInPressed, Track };

struct Cell {
  const char* name;
  int zoom;
  TPointer pointer;
  std::function<void(TcxImage*)> look;
};

// A picture with something to see under the bar: colour bands and a diagonal.
void FillPicture(TBitmap& ABitmap) {
  ABitmap.SetPixelFormat(pf24bit);
  ABitmap.SetSize(200, 150);
  TCanvas* canvas = ABitmap.Canvas();
  const TColor bands[] = {static_cast<TColor>(0x3060C0), static_cast<TColor>(0x40A060),
                          static_cast<TColor>(0xC08030), static_cast<TColor>(0x9050A0)};
  for (int i = 0; i < 4; ++i) {
    canvas->Brush()->SetColor(bands[i]);
    canvas->FillRect(TRect{0, i * 38, 200, (i + 1) * 38});
  }
  canvas->Pen()->SetColor(clWhite);
  canvas->Pen()->SetWidth(3);
  canvas->MoveTo(0, 0);
  canvas->LineTo(200, 150);
}

TPoint Centre(TcxImage* AImage, const TRect& R) {
  TdxCustomZoomTrackBarViewInfo* bar = AImage->ViewInfo()->ZoomTrackBarViewInfo();
  const TRect r = bar->RealRect(R);
  return TPoint{bar->Bounds.Left + (r.Left + r.Right) / 2, bar->Bounds.Top + (r.Top + r.Bottom) / 2};
}

void Send(TcxImage* AImage, UINT AMessage, WPARAM AKeys, const TPoint& P) {
  SendMessageW(AImage->Handle(), AMessage, AKeys, MAKELPARAM(P.X, P.Y));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_image OUT.png [--zoom N]\n");
    return 2;
  }
  return tools::RenderSheetToPng("render_image", argv[1], tools::ZoomOption(argc, argv), [](TBitmap& sheet) {
    auto ultraFlat = [](TcxImage* AImage) {
      AImage->Style()->LookAndFeel()->SetKind(lfUltraFlat);
      AImage->Style()->LookAndFeel()->SetNativeStyle(false);
    };
    const std::vector<Cell> cells = {
        {"100 %", 100, TPointer::Away, ultraFlat},
        {"300 %, hot thumb", 300, TPointer::Thumb, ultraFlat},
        {"40 %, hot zoom in", 40, TPointer::ZoomIn, ultraFlat},
        {"zoom in pressed", 100, TPointer::ZoomInPressed, ultraFlat},
        {"native", 180, TPointer::Track,
         [](TcxImage* AImage) { AImage->Style()->LookAndFeel()->SetNativeStyle(true); }},
        {"right to left, 300 %", 300, TPointer::Away,
         [ultraFlat](TcxImage* AImage) {
           ultraFlat(AImage);
           AImage->SetBiDiMode(bdRightToLeft);
         }},
        {"skin", 60, TPointer::Thumb,
         [](TcxImage* AImage) {
           AImage->Style()->LookAndFeel()->SetNativeStyle(false);
           AImage->Style()->LookAndFeel()->SetSkinName(u"UserSkin");
         }},
    };
    constexpr int kCellW = 240, kCellH = 170, kColumns = 3;
    const int rows = (static_cast<int>(cells.size()) + kColumns - 1) / kColumns;
    TForm* form = tools::NewHostForm(kColumns * kCellW, rows * kCellH);
    TBitmap picture;
    FillPicture(picture);
    std::vector<TcxImage*> images;
    for (size_t i = 0; i < cells.size(); ++i) {
      auto* image = new TcxImage(form);
      image->SetParent(form);
      image->SetBounds(static_cast<int>(i % kColumns) * kCellW + 10,
                       static_cast<int>(i / kColumns) * kCellH + 10, kCellW - 20, kCellH - 20);
      cells[i].look(image);
      image->Picture()->SetGraphic(&picture);
      image->Properties()->SetFitMode(ifmNormal);
      image->ZoomingOptions()->SetZoomPercent(cells[i].zoom);
      image->ZoomingOptions()->SetShowZoomTrackBar(true);
      images.push_back(image);
    }
    tools::ShowHostForm(form);
    for (size_t i = 0; i < cells.size(); ++i) {
      TcxImage* image = images[i];
      // The pointer over the picture shows the bar; a second move puts it where the cell says.
      Send(image, WM_MOUSEMOVE, 0, TPoint{20, 20});
      TdxCustomZoomTrackBarViewInfo* bar = image->ViewInfo()->ZoomTrackBarViewInfo();
      TPoint p{20, 20};
      switch (cells[i].pointer) {
        case TPointer::Away:
          break;
        case TPointer::Thumb:
          p = Centre(image, bar->VisibleThumbRect);
          break;
        case TPointer::ZoomIn:
        case TPointer::ZoomInPressed:
          p = Centre(image, bar->RightButtonRect);
          break;
        case TPointer::Track:
          p = Centre(image, bar->TrackRect);
          p.X += 30;
          break;
      }
      Send(image, WM_MOUSEMOVE, 0, p);
      Send(image, WM_MOUSEMOVE, 0, p);
      if (cells[i].pointer == TPointer::ZoomInPressed) Send(image, WM_LBUTTONDOWN, MK_LBUTTON, p);
    }
    tools::RepaintHostForm(form);
    tools::SizeSheet(sheet, kColumns * kCellW, rows * kCellH);
    TcxCanvas canvas(sheet.Canvas());
    tools::PrepareSheet(sheet, canvas, -10);
    tools::CopyHostPixels(form, TRect{0, 0, kColumns * kCellW, rows * kCellH}, sheet, TPoint{0, 0});
    for (TcxImage* image : images) Send(image, WM_LBUTTONUP, 0, TPoint{20, 20});
    delete form;
    for (size_t i = 0; i < cells.size(); ++i) {
      const int x = static_cast<int>(i % kColumns) * kCellW, y = static_cast<int>(i / kColumns) * kCellH;
      tools::DrawCaption(canvas, cells[i].name, TRect{x + 10, y + kCellH - 10, x + kCellW, y + kCellH},
                         cxAlignLeft | cxAlignTop | cxSingleLine);
    }
  });
}

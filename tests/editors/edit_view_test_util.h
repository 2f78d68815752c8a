#pragma once
// Fixture for the editors' view: an editor with buttons on a plain form, painted and read back
// pixel by pixel, and a view data calculated without a control.
#include <memory>
#include <string>

#include "graphics/picture_units_test_util.h"
#include "editors/edit_test_util.h"
#include "platform/gdiplus/gdiplus.h"
#include "platform/os/gdi.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd::testing {

// A plain editor whose calculation and key handling the tests reach directly.
class ViewTestEdit : public TcxCustomEdit {
  QD_CLASS_INLINE(ViewTestEdit, TcxCustomEdit)

 public:
  using TcxCustomEdit::TcxCustomEdit;
};

class EditViewTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    // Glyphs and validation icons are smart images; fading draws through GDI+.
    ASSERT_TRUE(InitializePictureUnits());
    dxFading::Initialize();
    form = NewPlainForm(220, 80);
    edit = new ViewTestEdit(form);
    // Fixed bounds: these tests look at a given size, not at the measured one.
    edit->SetEditAutoSize(false);
    SetLookAndFeel(lfUltraFlat, false);
    edit->SetParent(form);
    edit->SetBounds(kLeft, kTop, 120, 24);
  }

  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    dxFading::Finalize();
    FinalizePictureUnits();
    EditTest::TearDown();
  }

  void SetLookAndFeel(TcxLookAndFeelKind AKind, bool ANative) {
    edit->Style()->LookAndFeel()->SetKind(AKind);
    edit->Style()->LookAndFeel()->SetNativeStyle(ANative);
  }
  TcxEditButton* AddButton(TcxEditButtonKind AKind, bool ALeft = false, int32_t AWidth = 0) {
    auto* button = static_cast<TcxEditButton*>(edit->Properties()->Buttons()->Add());
    button->SetKind(AKind);
    button->SetLeftAlignment(ALeft);
    button->SetWidth(AWidth);
    return button;
  }
  void ShowForm() {
    form->Show();
    Application->ProcessMessages();
    Repaint();
  }
  void Repaint() {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  void Unfocus() {
    SetFocus(form->Handle());
    Application->ProcessMessages();
    Repaint();
  }
  // The editor recalculated as a mouse at P (editor coordinates) with Shift would leave it.
  void MouseAt(const TPoint& P, TShiftState AShift = {}, TcxMouseButton AButton = cxmbNone) {
    edit->RefreshContainer(P, AButton, AShift, true);
    Repaint();
  }
  // A pixel of the form relative to the editor's top-left corner, as 0xRRGGBB.
  uint32_t Rgb(int X, int Y) {
    return os::ReadWindowPixels(form->Handle(), true).At(kLeft + X, kTop + Y) & 0xFFFFFF;
  }
  static uint32_t ExpectedRgb(TColor AColor) {
    const COLORREF c = ColorToRGB(AColor);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  TcxEditButtonViewInfo* Button(int32_t AVisibleIndex) {
    return edit->ViewInfo()->ButtonsInfo.at(static_cast<size_t>(AVisibleIndex)).get();
  }

  static constexpr int kLeft = 10;
  static constexpr int kTop = 10;
  TForm* form = nullptr;
  ViewTestEdit* edit = nullptr;
};

}  // namespace qd::testing

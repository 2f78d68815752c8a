// TcxCanvas's text: measuring within a rectangle, drawing with the library's text flags
// (a fast single-line path through ExtTextOut and the system DrawText path), the disabled
// look, vertical placement of multi-line blocks, and the bounds of the drawn lines.
#include <algorithm>

#include "platform/forms/menus.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsText.h"

namespace qd {

void TcxCanvas::TextExtent(const String& Text, TRect& R, int32_t Flags) {
  const int32_t oldWidth = R.Width(), oldHeight = R.Height();
  const UINT dt = cxFlagsToDTFlags(Flags);
  if (R.Width() <= 0 && !Text.empty()) R.Right = R.Left + 1;
  if (cxDrawText(Handle(), Text, R, (dt | DT_CALCRECT) & ~DT_VCENTER, -1, clDefault, TRANSPARENT) == 0)
    R = {R.Left, R.Top, R.Left, R.Top};
  int32_t dx = 0, dy = 0;
  if (dt & DT_CENTER)
    dx = (oldWidth - R.Width()) / 2;
  else if (dt & DT_RIGHT)
    dx = oldWidth - R.Width();
  if (dt & DT_VCENTER)
    dy = (oldHeight - R.Height()) / 2;
  else if (dt & DT_BOTTOM)
    dy = oldHeight - R.Height();
  R = RectOffset(R, dx, dy);
}

void TcxCanvas::DrawTexT(const String& Text, const TRect& R, int32_t Flags, bool Enabled) {
  DrawTexT(Text, R, Flags, Enabled, ra0);
}

void TcxCanvas::DrawTexT(const String& Text, const TRect& R, TAlignment AAlignmentHorz,
                         TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis) {
  const int32_t flags = cxAlignmentsHorz[AAlignmentHorz] | cxAlignmentsVert[AAlignmentVert] |
                        (AMultiLine ? cxWordBreak : cxSingleLine) |
                        (AShowEndEllipsis ? cxShowEndEllipsis : 0);
  DrawTexT(Text, R, flags, true);
}

void TcxCanvas::DrawTexT(const String& Text, const TRect& R, int32_t Flags, bool Enabled,
                         TcxRotationAngle ARotationAngle) {
  if (Text.empty()) return;
  const TSize extent = TextExtent(Text);
  if (extent.cx <= R.Width() && extent.cy <= R.Height()) Flags |= cxDontClip;
  const bool systemPath = !(Flags & cxSingleLine) || ARotationAngle != ra0 ||
                          (Flags & (cxShowPrefix | cxShowEndEllipsis | cxShowPathEllipsis)) != 0;
  TRect r = R;
  UINT dtFlags = 0, options = 0;
  if (systemPath) {
    if (!(Flags & cxSingleLine) && ARotationAngle == ra0 && (Flags & (cxAlignBottom | cxAlignVCenter)))
      AlignMultiLineTextRectVertically(r, Text, Flags & cxShowEndEllipsis, Flags & cxDontBreakChars, Enabled,
                                       Flags & cxShowPrefix, Flags & cxWordBreak,
                                       (Flags & cxAlignBottom) ? vaBottom : vaCenter);
    dtFlags = cxFlagsToDTFlags(Flags);
  } else {
    const int32_t e = Enabled ? 0 : 1;
    if (extent.cx < r.Width()) {
      if (Flags & cxAlignRight)
        r.Left = r.Right - extent.cx - e;
      else if (Flags & cxAlignHCenter)
        r.Left = (r.Left + r.Right - extent.cx) / 2;
    }
    if (extent.cy < r.Height()) {
      if (Flags & cxAlignBottom)
        r.Top = r.Bottom - extent.cy - e;
      else if (Flags & cxAlignVCenter)
        r.Top = (r.Top + r.Bottom - extent.cy) / 2;
    }
    options = (Flags & cxDontClip) ? 0 : ETO_CLIPPED;
  }
  const TBrushStyle brushStyle = Brush()->Style();
  const TColor fontColor = Font()->Color();
  if (!Enabled) {
    Brush()->SetStyle(bsClear);
    Font()->SetColor(clBtnHighlight);
    DrawTextOnce(Text, RectOffset(r, 1, 1), dtFlags, systemPath, options, ARotationAngle);
    Font()->SetColor(clBtnShadow);
  }
  DrawTextOnce(Text, r, dtFlags, systemPath, options, ARotationAngle);
  Brush()->SetStyle(brushStyle);
  Font()->SetColor(fontColor);
}

void TcxCanvas::DrawTextOnce(const String& Text, const TRect& R, UINT ADTFlags, bool ASystemPath,
                             UINT AOptions, TcxRotationAngle ARotationAngle) {
  if (ASystemPath) {
    cxDrawText(this, Text, R, ADTFlags, clDefault, ARotationAngle);
  } else {
    const UINT rtl = static_cast<UINT>(TextFlags()) & ETO_RTLREADING;
    cxExtTextOut(Handle(), Text, R.TopLeft(), R, AOptions | rtl);
  }
}

void TcxCanvas::AlignMultiLineTextRectVertically(TRect& R, const String& Text, bool AEndEllipsis,
                                                 bool ANoCharBreak, bool AEnabled, bool AShowPrefix,
                                                 bool AWordBreak, TcxAlignmentVert AAlignmentVert) {
  if (AAlignmentVert == vaTop) return;
  const int32_t e = AEnabled ? 0 : 1;
  int32_t flags = cxAlignTop | cxAlignLeft;
  if (AWordBreak) flags |= cxWordBreak;
  if (AShowPrefix) flags |= cxShowPrefix;
  if (ANoCharBreak) flags |= cxDontBreakChars;
  TRect block{0, 0, R.Width() - e, 0};
  TextExtent(Text, block, flags);
  int32_t height = block.Height();
  if (AEndEllipsis && AWordBreak) {
    // The ellipsis keeps only the whole lines that fit.
    const int32_t h = TextHeight(u"Zq");
    if (h > 0) height = std::max(h, std::min(height, R.Height()) / h * h);
  }
  if (AAlignmentVert == vaBottom)
    R.Top = R.Bottom - height - e;
  else
    R.Top = (R.Top + R.Bottom - height) / 2;
}

void TcxCanvas::GetTextStringsBounds(String Text, TRect R, std::vector<TRect>& ABounds, bool Enabled,
                                     int32_t Flags) {
  ABounds.clear();
  if (Text.empty()) return;
  if (Flags & cxShowPrefix) {
    Text = StripHotkey(Text);
    Flags &= ~cxShowPrefix;
    if (Text.empty()) return;
  }
  if (!Enabled) {
    --R.Right;
    --R.Bottom;
  }
  // The block is measured without its vertical alignment and then moved, once, by it.
  TRect block = R;
  TextExtent(Text, block, Flags & ~(cxAlignBottom | cxAlignVCenter));
  if (Flags & cxAlignBottom)
    block = RectOffset(block, 0, R.Bottom - block.Bottom);
  else if (Flags & cxAlignVCenter)
    block = RectOffset(block, 0, (R.Bottom - block.Bottom) / 2);
  HDC dc = Handle();
  int32_t top = block.Top;
  while (!Text.empty()) {
    const auto len = static_cast<int32_t>(std::min<size_t>(Text.size(), 0x7FFFFFFF));
    int fit = 0;
    SIZE size{};
    GetTextExtentExPointW(dc, Text.c_str(), len, R.Width(), &fit, nullptr, &size);
    fit = std::clamp(fit, 1, len);
    int32_t lineLength = fit, removed = 0;
    const auto brk =
        std::find_if(Text.begin(), Text.begin() + fit, [](Char c) { return c == u'\r' || c == u'\n'; });
    if (brk != Text.begin() + fit) {
      lineLength = static_cast<int32_t>(brk - Text.begin());
      const bool pair = lineLength + 1 < len &&
                        (Text[lineLength + 1] == u'\r' || Text[lineLength + 1] == u'\n') &&
                        Text[lineLength + 1] != Text[lineLength];
      removed = pair ? 2 : 1;
    } else if (len > fit) {
      // The last blank up to the first character that no longer fits.
      int32_t blank = fit;
      while (blank >= 0 && Text[blank] != u' ') --blank;
      if (blank >= 0 && blank < fit - 1) {
        lineLength = blank + 1;
        if (Flags & (cxAlignRight | cxAlignHCenter)) {
          lineLength = blank;
          removed = 1;
        }
      }
    }
    const TSize line = TextExtent(Text.substr(0, static_cast<size_t>(lineLength)));
    TRect r = block;
    if (Flags & cxAlignRight)
      r.Left = r.Right - line.cx;
    else if (Flags & cxAlignHCenter)
      r.Left = (r.Left + r.Right - line.cx) / 2;
    r.Right = r.Left + line.cx;
    r.Top = top;
    r.Bottom = top + line.cy;
    top = r.Bottom;
    ABounds.push_back(r);
    Text.erase(0, static_cast<size_t>(lineLength + removed));
  }
}

}  // namespace qd

#include "platform/forms/graphics.h"

#include <algorithm>
#include <cstring>

#include "platform/base/mathutil.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/os/user.h"

namespace qd {

QD_IMPLEMENT_CLASS(EInvalidGraphic)
QD_IMPLEMENT_CLASS(EInvalidGraphicOperation)
QD_IMPLEMENT_CLASS(TGraphicsObject)
QD_IMPLEMENT_CLASS(TFont)
QD_IMPLEMENT_CLASS(TPen)
QD_IMPLEMENT_CLASS(TBrush)
QD_IMPLEMENT_CLASS(TCanvas)

// ---- Colours ------------------------------------------------------------------------------------

COLORREF ColorToRGB(TColor Color) {
  if (Color < 0) return GetSysColor(Color & 0xFF);
  return static_cast<COLORREF>(Color);
}

namespace {

const TIdentMapEntry kColorNames[] = {
    {clBlack, u"clBlack"},
    {clMaroon, u"clMaroon"},
    {clGreen, u"clGreen"},
    {clOlive, u"clOlive"},
    {clNavy, u"clNavy"},
    {clPurple, u"clPurple"},
    {clTeal, u"clTeal"},
    {clGray, u"clGray"},
    {clSilver, u"clSilver"},
    {clRed, u"clRed"},
    {clLime, u"clLime"},
    {clYellow, u"clYellow"},
    {clBlue, u"clBlue"},
    {clFuchsia, u"clFuchsia"},
    {clAqua, u"clAqua"},
    {clWhite, u"clWhite"},
    {clMoneyGreen, u"clMoneyGreen"},
    {clSkyBlue, u"clSkyBlue"},
    {clCream, u"clCream"},
    {clMedGray, u"clMedGray"},
    {clActiveBorder, u"clActiveBorder"},
    {clActiveCaption, u"clActiveCaption"},
    {clAppWorkSpace, u"clAppWorkSpace"},
    {clBackground, u"clBackground"},
    {clBtnFace, u"clBtnFace"},
    {clBtnHighlight, u"clBtnHighlight"},
    {clBtnShadow, u"clBtnShadow"},
    {clBtnText, u"clBtnText"},
    {clCaptionText, u"clCaptionText"},
    {clDefault, u"clDefault"},
    {clGradientActiveCaption, u"clGradientActiveCaption"},
    {clGradientInactiveCaption, u"clGradientInactiveCaption"},
    {clGrayText, u"clGrayText"},
    {clHighlight, u"clHighlight"},
    {clHighlightText, u"clHighlightText"},
    {clHotLight, u"clHotLight"},
    {clInactiveBorder, u"clInactiveBorder"},
    {clInactiveCaption, u"clInactiveCaption"},
    {clInactiveCaptionText, u"clInactiveCaptionText"},
    {clInfoBk, u"clInfoBk"},
    {clInfoText, u"clInfoText"},
    {clMenu, u"clMenu"},
    {clMenuBar, u"clMenuBar"},
    {clMenuHighlight, u"clMenuHighlight"},
    {clMenuText, u"clMenuText"},
    {clNone, u"clNone"},
    {clScrollBar, u"clScrollBar"},
    {cl3DDkShadow, u"cl3DDkShadow"},
    {cl3DLight, u"cl3DLight"},
    {clWindow, u"clWindow"},
    {clWindowFrame, u"clWindowFrame"},
    {clWindowText, u"clWindowText"},
};

const TIdentMapEntry kCharsetNames[] = {
    {ANSI_CHARSET, u"ANSI_CHARSET"},
    {DEFAULT_CHARSET, u"DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, u"SYMBOL_CHARSET"},
    {MAC_CHARSET, u"MAC_CHARSET"},
    {SHIFTJIS_CHARSET, u"SHIFTJIS_CHARSET"},
    {HANGUL_CHARSET, u"HANGEUL_CHARSET"},
    {130, u"JOHAB_CHARSET"},
    {GB2312_CHARSET, u"GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, u"CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, u"GREEK_CHARSET"},
    {TURKISH_CHARSET, u"TURKISH_CHARSET"},
    {163, u"VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, u"HEBREW_CHARSET"},
    {ARABIC_CHARSET, u"ARABIC_CHARSET"},
    {BALTIC_CHARSET, u"BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, u"RUSSIAN_CHARSET"},
    {THAI_CHARSET, u"THAI_CHARSET"},
    {EASTEUROPE_CHARSET, u"EASTEUROPE_CHARSET"},
    {OEM_CHARSET, u"OEM_CHARSET"},
};

bool IdentToCharset(const String& Ident, int64_t& Value) {
  return IdentToInt(Ident, Value, kCharsetNames);
}

bool CharsetToIdent(int64_t Value, String& Ident) {
  return IntToIdent(Value, Ident, kCharsetNames);
}

}  // namespace

bool ColorToIdent(int64_t Color, String& Ident) {
  return IntToIdent(Color, Ident, kColorNames);
}

bool IdentToColor(const String& Ident, int64_t& Color) {
  return IdentToInt(Ident, Color, kColorNames);
}

String ColorToString(TColor Color) {
  String s;
  if (ColorToIdent(Color, s)) return s;
  return u"$" + IntToHex(static_cast<uint32_t>(Color), 8);
}

TColor StringToColor(const String& S) {
  int64_t v;
  if (IdentToColor(S, v)) return static_cast<TColor>(v);
  return StrToInt(S);
}

const TTypeInfo* TypeInfoTColor() {
  static const TTypeInfo* info = [] {
    static TTypeInfo t;
    t.Name = u"TColor";
    t.Kind = tkInteger;
    t.MinValue = INT32_MIN;
    t.MaxValue = INT32_MAX;
    RegisterIntegerConsts(&t, IdentToColor, ColorToIdent);
    return &t;
  }();
  return info;
}

const TTypeInfo* TypeInfoTFontCharset() {
  static const TTypeInfo* info = [] {
    static TTypeInfo t;
    t.Name = u"TFontCharset";
    t.Kind = tkInteger;
    t.MinValue = 0;
    t.MaxValue = 255;
    RegisterIntegerConsts(&t, IdentToCharset, CharsetToIdent);
    return &t;
  }();
  return info;
}

namespace {

const TTypeInfo* TypeInfoTFontStyle() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TFontStyle", {u"fsBold", u"fsItalic", u"fsUnderline", u"fsStrikeOut"});
  return &t;
}
const TTypeInfo* TypeInfoTFontPitch() {
  static const TTypeInfo t = MakeEnumTypeInfo(u"TFontPitch", {u"fpDefault", u"fpVariable", u"fpFixed"});
  return &t;
}
const TTypeInfo* TypeInfoTFontQuality() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TFontQuality", {u"fqDefault", u"fqDraft", u"fqProof", u"fqNonAntialiased",
                                         u"fqAntialiased", u"fqClearType", u"fqClearTypeNatural"});
  return &t;
}
const TTypeInfo* TypeInfoTPenStyle() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TPenStyle", {u"psSolid", u"psDash", u"psDot", u"psDashDot", u"psDashDotDot",
                                      u"psClear", u"psInsideFrame", u"psUserStyle", u"psAlternate"});
  return &t;
}
const TTypeInfo* TypeInfoTPenMode() {
  static const TTypeInfo t = MakeEnumTypeInfo(
      u"TPenMode", {u"pmBlack", u"pmWhite", u"pmNop", u"pmNot", u"pmCopy", u"pmNotCopy", u"pmMergePenNot",
                    u"pmMaskPenNot", u"pmMergeNotPen", u"pmMaskNotPen", u"pmMerge", u"pmNotMerge", u"pmMask",
                    u"pmNotMask", u"pmXor", u"pmNotXor"});
  return &t;
}
const TTypeInfo* TypeInfoTBrushStyle() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TBrushStyle", {u"bsSolid", u"bsClear", u"bsHorizontal", u"bsVertical",
                                        u"bsFDiagonal", u"bsBDiagonal", u"bsCross", u"bsDiagCross"});
  return &t;
}

int SystemPixelsPerInch() {
  return static_cast<int>(GetDpiForSystem());
}

}  // namespace

const TTypeInfo* TypeInfoTFontStyles() {
  static const TTypeInfo t = MakeSetTypeInfo(u"TFontStyles", TypeInfoTFontStyle());
  return &t;
}

// ---- TGraphicsObject ----------------------------------------------------------------------------

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont --------------------------------------------------------------------------------------

const String& TFont::DefaultName() {
  static const String name = u"Tahoma";
  return name;
}

int32_t TFont::DefaultHeight() {
  return -MulDiv(8, SystemPixelsPerInch(), 72);
}

TFont::TFont() : name_(DefaultName()), height_(DefaultHeight()), pixelsPerInch_(SystemPixelsPerInch()) {}

TFont::~TFont() {
  FreeHandle();
}

void TFont::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Charset", &TFont::Charset, &TFont::SetCharset, TypeInfoTFontCharset());
  r.Prop("Color", &TFont::Color, &TFont::SetColor, TypeInfoTColor());
  r.Prop("Height", &TFont::Height, &TFont::SetHeight);
  r.Prop("Name", &TFont::Name, &TFont::SetName);
  r.Prop("Orientation", &TFont::Orientation, &TFont::SetOrientation).Default(0);
  r.Prop("Pitch", &TFont::Pitch, &TFont::SetPitch, TypeInfoTFontPitch()).Default(fpDefault);
  r.Prop("Size", &TFont::Size, &TFont::SetSize).Stored(false);
  r.Prop("Style", &TFont::Style, &TFont::SetStyle, TypeInfoTFontStyles());
  r.Prop("Quality", &TFont::Quality, &TFont::SetQuality, TypeInfoTFontQuality()).Default(fqDefault);
}

void TFont::FreeHandle() {
  if (handle_) {
    DeleteObject(handle_);
    handle_ = nullptr;
  }
}

void TFont::Changed() {
  // Users deselect the old font object in OnChange before it is deleted.
  HFONT old = handle_;
  handle_ = nullptr;
  inherited::Changed();
  if (old) DeleteObject(old);
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    if (f == this) return;
    name_ = f->name_;
    height_ = f->height_;
    if (pixelsPerInch_ != f->pixelsPerInch_) height_ = -MulDiv(f->Size(), pixelsPerInch_, 72);
    style_ = f->style_;
    color_ = f->color_;
    charset_ = f->charset_;
    orientation_ = f->orientation_;
    pitch_ = f->pitch_;
    quality_ = f->quality_;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TFont::SetName(const String& Value) {
  if (Value.empty() || Value == name_) return;
  name_ = Value;
  Changed();
}

void TFont::SetHeight(int32_t Value) {
  if (Value == height_) return;
  height_ = Value;
  Changed();
}

int32_t TFont::Size() const {
  return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int32_t Value) {
  SetHeight(-MulDiv(Value, pixelsPerInch_, 72));
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  // The colour is not part of the font object.
  inherited::Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == charset_) return;
  charset_ = Value;
  Changed();
}

void TFont::SetOrientation(int32_t Value) {
  if (Value == orientation_) return;
  orientation_ = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == pitch_) return;
  pitch_ = Value;
  Changed();
}

void TFont::SetQuality(TFontQuality Value) {
  if (Value == quality_) return;
  quality_ = Value;
  Changed();
}

LOGFONTW TFont::LogFont() const {
  LOGFONTW lf;
  lf.lfHeight = height_;
  lf.lfWidth = 0;
  lf.lfEscapement = orientation_;
  lf.lfOrientation = orientation_;
  lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = style_.Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = style_.Contains(fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = charset_;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = static_cast<BYTE>(quality_);
  lf.lfPitchAndFamily = pitch_ == fpFixed      ? FIXED_PITCH
                        : pitch_ == fpVariable ? VARIABLE_PITCH
                                               : DEFAULT_PITCH;
  const size_t n = std::min<size_t>(name_.size(), LF_FACESIZE - 1);
  std::copy_n(name_.data(), n, lf.lfFaceName);
  lf.lfFaceName[n] = 0;
  return lf;
}

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTW lf = LogFont();
    handle_ = CreateFontIndirectW(&lf);
  }
  return handle_;
}

void TFont::SetHandle(HFONT Value) {
  LOGFONTW lf;
  if (!Value || GetObjectW(Value, sizeof(lf), &lf) == 0) return;
  String face(lf.lfFaceName);
  if (!face.empty()) name_ = face;
  height_ = lf.lfHeight;
  style_.Clear();
  if (lf.lfWeight >= FW_BOLD) style_.Include(fsBold);
  if (lf.lfItalic) style_.Include(fsItalic);
  if (lf.lfUnderline) style_.Include(fsUnderline);
  if (lf.lfStrikeOut) style_.Include(fsStrikeOut);
  charset_ = lf.lfCharSet;
  orientation_ = lf.lfEscapement;
  quality_ = static_cast<TFontQuality>(std::min<int>(lf.lfQuality, fqClearTypeNatural));
  pitch_ = (lf.lfPitchAndFamily & 3) == FIXED_PITCH      ? fpFixed
           : (lf.lfPitchAndFamily & 3) == VARIABLE_PITCH ? fpVariable
                                                         : fpDefault;
  Changed();
  handle_ = Value;
}

// ---- TPen ---------------------------------------------------------------------------------------

TPen::~TPen() {
  if (handle_) DeleteObject(handle_);
}

void TPen::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Color", &TPen::Color, &TPen::SetColor, TypeInfoTColor()).Default(clBlack);
  r.Prop("Mode", &TPen::Mode, &TPen::SetMode, TypeInfoTPenMode()).Default(pmCopy);
  r.Prop("Style", &TPen::Style, &TPen::SetStyle, TypeInfoTPenStyle()).Default(psSolid);
  r.Prop("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

void TPen::Changed() {
  HPEN old = handle_;
  handle_ = nullptr;
  inherited::Changed();
  if (old) DeleteObject(old);
}

void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    if (p == this) return;
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    mode_ = p->mode_;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TPen::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Changed();
}

void TPen::SetWidth(int32_t Value) {
  if (Value < 0 || Value == width_) return;
  width_ = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == mode_) return;
  mode_ = Value;
  inherited::Changed();
}

HPEN TPen::Handle() {
  if (!handle_) {
    static const int kStyles[] = {PS_SOLID, PS_DASH,        PS_DOT,       PS_DASHDOT,  PS_DASHDOTDOT,
                                  PS_NULL,  PS_INSIDEFRAME, PS_USERSTYLE, PS_ALTERNATE};
    handleRgb_ = ColorToRGB(color_);
    handle_ = CreatePen(kStyles[style_], width_, handleRgb_);
  }
  return handle_;
}

void TPen::CheckSystemColor() {
  if (handle_ && color_ < 0 && ColorToRGB(color_) != handleRgb_) Changed();
}

// ---- TBrush -------------------------------------------------------------------------------------

TBrush::~TBrush() {
  if (handle_) DeleteObject(handle_);
}

void TBrush::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Color", &TBrush::Color, &TBrush::SetColor, TypeInfoTColor()).Default(clWhite);
  r.Prop("Style", &TBrush::Style, &TBrush::SetStyle, TypeInfoTBrushStyle()).Default(bsSolid);
}

void TBrush::Changed() {
  HBRUSH old = handle_;
  handle_ = nullptr;
  inherited::Changed();
  if (old) DeleteObject(old);
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    if (b == this) return;
    color_ = b->color_;
    style_ = b->style_;
    bitmap_ = b->bitmap_;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
  if (Value == color_ && style_ != bsClear) return;
  color_ = Value;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TBrush::SetBitmap(TBitmap* Value) {
  bitmap_ = Value;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (!handle_) {
    LOGBRUSH lb;
    lb.lbColor = handleRgb_ = ColorToRGB(color_);
    if (bitmap_ && !bitmap_->Empty()) {
      handle_ = CreatePatternBrush(bitmap_->Handle());
    } else {
      switch (style_) {
        case bsSolid:
          lb.lbStyle = BS_SOLID;
          break;
        case bsClear:
          lb.lbStyle = BS_HOLLOW;
          break;
        default:
          lb.lbStyle = BS_HATCHED;
          lb.lbHatch = static_cast<ULONG_PTR>(style_ - bsHorizontal);
          break;
      }
      handle_ = CreateBrushIndirect(&lb);
    }
  }
  return handle_;
}

void TBrush::CheckSystemColor() {
  if (handle_ && color_ < 0 && ColorToRGB(color_) != handleRgb_) Changed();
}

// ---- TCanvas ------------------------------------------------------------------------------------

UINT TextFormatToDrawTextFlags(const TTextFormat& F) {
  UINT r = 0;
  if (F.Contains(tfBottom)) r |= DT_BOTTOM;
  if (F.Contains(tfCalcRect)) r |= DT_CALCRECT;
  if (F.Contains(tfCenter)) r |= DT_CENTER;
  if (F.Contains(tfEditControl)) r |= DT_EDITCONTROL;
  if (F.Contains(tfEndEllipsis)) r |= DT_END_ELLIPSIS;
  if (F.Contains(tfPathEllipsis)) r |= DT_PATH_ELLIPSIS;
  if (F.Contains(tfExpandTabs)) r |= DT_EXPANDTABS;
  if (F.Contains(tfExternalLeading)) r |= DT_EXTERNALLEADING;
  if (F.Contains(tfModifyString)) r |= DT_MODIFYSTRING;
  if (F.Contains(tfNoClip)) r |= DT_NOCLIP;
  if (F.Contains(tfNoPrefix)) r |= DT_NOPREFIX;
  if (F.Contains(tfRight)) r |= DT_RIGHT;
  if (F.Contains(tfRtlReading)) r |= DT_RTLREADING;
  if (F.Contains(tfSingleLine)) r |= DT_SINGLELINE;
  if (F.Contains(tfVerticalCenter)) r |= DT_VCENTER;
  if (F.Contains(tfWordBreak)) r |= DT_WORDBREAK;
  if (F.Contains(tfHidePrefix)) r |= DT_HIDEPREFIX;
  if (F.Contains(tfNoFullWidthCharBreak)) r |= DT_NOFULLWIDTHCHARBREAK;
  if (F.Contains(tfPrefixOnly)) r |= DT_PREFIXONLY;
  if (F.Contains(tfTabStop)) r |= DT_TABSTOP;
  if (F.Contains(tfWordEllipsis)) r |= DT_WORD_ELLIPSIS;
  return r;
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  font_->OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
  pen_->OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
  brush_->OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
}

HDC TCanvas::Handle() {
  // Callers draw on the handle directly: the font, pen and brush are selected first.
  Changing();
  RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
  return handle_;
}

void TCanvas::SetHandle(HDC Value) {
  if (handle_ == Value) return;
  if (handle_) {
    DeselectHandles();
    POINT p;
    if (GetCurrentPositionEx(handle_, &p)) penPos_ = p;
    handle_ = nullptr;
    state_.Exclude(csHandleValid);
  }
  if (Value) {
    state_.Include(csHandleValid);
    handle_ = Value;
    MoveToEx(handle_, penPos_.X, penPos_.Y, nullptr);
  }
}

void TCanvas::DeselectHandles() {
  if (handle_ &&
      (state_.Contains(csPenValid) || state_.Contains(csBrushValid) || state_.Contains(csFontValid))) {
    SelectObject(handle_, GetStockObject(BLACK_PEN));
    SelectObject(handle_, GetStockObject(HOLLOW_BRUSH));
    SelectObject(handle_, GetStockObject(SYSTEM_FONT));
    state_.Exclude(csPenValid);
    state_.Exclude(csBrushValid);
    state_.Exclude(csFontValid);
  }
}

void TCanvas::RequiredState(TCanvasState ReqState) {
  // The system colours may have changed since the pen or brush was selected.
  if (ReqState.Contains(csPenValid)) pen_->CheckSystemColor();
  if (ReqState.Contains(csBrushValid)) brush_->CheckSystemColor();
  TCanvasState needed = ReqState - state_;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!handle_) throw EInvalidOperation(u"Canvas does not allow drawing");
  }
  if (needed.Contains(csFontValid)) CreateFont();
  if (needed.Contains(csPenValid)) CreatePen();
  if (needed.Contains(csBrushValid)) CreateBrush();
  state_ += needed;
}

void TCanvas::CreateFont() {
  SelectObject(handle_, font_->Handle());
  SetTextColor(handle_, ColorToRGB(font_->Color()));
}

void TCanvas::CreatePen() {
  static const int kModes[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                               R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                               R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
  SelectObject(handle_, pen_->Handle());
  SetROP2(handle_, kModes[pen_->Mode()]);
}

void TCanvas::CreateBrush() {
  SelectObject(handle_, brush_->Handle());
  if (brush_->Style() == bsSolid) {
    SetBkColor(handle_, ColorToRGB(brush_->Color()));
    SetBkMode(handle_, OPAQUE);
  } else {
    SetBkColor(handle_, ~ColorToRGB(brush_->Color()) & 0xFFFFFF);
    SetBkMode(handle_, TRANSPARENT);
  }
}

void TCanvas::FontChanged(TObject*) {
  if (state_.Contains(csFontValid)) {
    state_.Exclude(csFontValid);
    SelectObject(handle_, GetStockObject(SYSTEM_FONT));
  }
}

void TCanvas::PenChanged(TObject*) {
  if (state_.Contains(csPenValid)) {
    state_.Exclude(csPenValid);
    SelectObject(handle_, GetStockObject(BLACK_PEN));
  }
}

void TCanvas::BrushChanged(TObject*) {
  if (state_.Contains(csBrushValid)) {
    state_.Exclude(csBrushValid);
    SelectObject(handle_, GetStockObject(HOLLOW_BRUSH));
  }
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

TPoint TCanvas::PenPos() {
  RequiredState({csHandleValid});
  POINT p;
  GetCurrentPositionEx(handle_, &p);
  return p;
}

TRect TCanvas::ClipRect() {
  RequiredState({csHandleValid});
  RECT r;
  GetClipBox(handle_, &r);
  return r;
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(GetPixel(handle_, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  SetPixel(handle_, X, Y, ColorToRGB(Value));
  Changed();
}

void TCanvas::MoveTo(int X, int Y) {
  RequiredState({csHandleValid});
  MoveToEx(handle_, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::qd::LineTo(handle_, X, Y);
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csBrushValid, csPenValid});
  ::qd::Rectangle(handle_, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::FillRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::qd::FillRect(handle_, &Rect, brush_->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::qd::FrameRect(handle_, &Rect, brush_->Handle());
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csBrushValid, csPenValid});
  ::qd::Ellipse(handle_, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState({csHandleValid, csBrushValid, csPenValid});
  ::qd::RoundRect(handle_, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
  Changing();
  RequiredState({csHandleValid, csBrushValid, csPenValid});
  ::qd::Polygon(handle_, Points.data(), static_cast<int>(Points.size()));
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::qd::Polyline(handle_, Points.data(), static_cast<int>(Points.size()));
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::qd::DrawFocusRect(handle_, &Rect);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOutW(handle_, X, Y, static_cast<UINT>(textFlags_), nullptr, Text.c_str(),
              static_cast<UINT>(Text.size()), nullptr);
  SIZE sz;
  GetTextExtentPoint32W(handle_, Text.c_str(), static_cast<int>(Text.size()), &sz);
  MoveToEx(handle_, X + sz.cx, Y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | static_cast<UINT>(textFlags_);
  if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutW(handle_, X, Y, options, &Rect, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(TRect& Rect, String& Text, const TTextFormat& TextFormat) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT flags = TextFormatToDrawTextFlags(TextFormat);
  if (TextFormat.Contains(tfModifyString)) {
    // Room for an ellipsis the system may write.
    String buf = Text;
    buf.append(4, u'\0');
    DrawTextExW(handle_, buf.data(), static_cast<int>(Text.size()), &Rect, flags, nullptr);
    Text = buf.c_str();
  } else {
    DrawTextW(handle_, Text.c_str(), static_cast<int>(Text.size()), &Rect, flags);
  }
  Changed();
}

TSize TCanvas::TextExtent(const String& Text) {
  RequiredState({csHandleValid, csFontValid});
  SIZE sz;
  GetTextExtentPoint32W(handle_, Text.c_str(), static_cast<int>(Text.size()), &sz);
  return sz;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  SetBkColor(handle_, ColorToRGB(brush_->Color()));
  SetTextColor(handle_, ColorToRGB(font_->Color()));
  Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
  Changed();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic, uint8_t Opacity) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  SetBkColor(handle_, ColorToRGB(brush_->Color()));
  SetTextColor(handle_, ColorToRGB(font_->Color()));
  Graphic->DrawTransparent(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()), Opacity);
  Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Canvas->RequiredState({csHandleValid, csBrushValid});
  StretchBlt(handle_, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas->handle_, Source.Left,
             Source.Top, Source.Width(), Source.Height(), copyMode_);
  Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
  if (!Bitmap || Bitmap->Empty() || Dest.IsEmpty() || Source.IsEmpty()) return;
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  HDC src = Bitmap->Canvas()->Handle();
  const UINT transparent = ColorToRGB(Color);
  if (brush_->Style() == bsClear) {
    TransparentBlt(handle_, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, Source.Left, Source.Top,
                   Source.Width(), Source.Height(), transparent);
  } else {
    // The brush under the bitmap's other pixels, then the whole of it onto the canvas.
    const int w = Dest.Width(), h = Dest.Height();
    HDC work = CreateCompatibleDC(handle_);
    HBITMAP bm = CreateCompatibleBitmap(handle_, w, h);
    HGDIOBJ old = SelectObject(work, bm);
    POINT org;
    GetBrushOrgEx(handle_, &org);
    SetBrushOrgEx(work, org.X - Dest.Left, org.Y - Dest.Top, nullptr);
    const RECT all{0, 0, w, h};
    ::qd::FillRect(work, &all, brush_->Handle());
    TransparentBlt(work, 0, 0, w, h, src, Source.Left, Source.Top, Source.Width(), Source.Height(),
                   transparent);
    BitBlt(handle_, Dest.Left, Dest.Top, w, h, work, 0, 0, SRCCOPY);
    SelectObject(work, old);
    DeleteObject(bm);
    DeleteDC(work);
  }
  Changed();
}

void TCanvas::Lock() {
  lock_.lock();
  ++lockCount_;
}

void TCanvas::Unlock() {
  --lockCount_;
  lock_.unlock();
}

bool TCanvas::TryLock() {
  if (!lock_.try_lock()) return false;
  ++lockCount_;
  return true;
}

void TCanvas::Refresh() {
  DeselectHandles();
}

}  // namespace qd

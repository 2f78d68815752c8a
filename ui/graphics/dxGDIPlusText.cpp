// GDI+ string formats, font families and fonts, and text outlines in paths.
#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/os/user.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd {

namespace {

std::unique_ptr<TdxGPStringFormat> GdipTextGenericDefault, GdipTextGenericTypographic;
std::unique_ptr<TdxGPFontFamily> GdipTextSansSerif, GdipTextSerif, GdipTextMonospace;

const WCHAR* GdipTextChars(const String& S) {
  return reinterpret_cast<const WCHAR*>(S.c_str());
}

// The screen DC for the length of a scope.
class GdipTextScreenDC {
 public:
  GdipTextScreenDC() : FDC(GetDC(nullptr)) {}
  ~GdipTextScreenDC() { ReleaseDC(nullptr, FDC); }
  GdipTextScreenDC(const GdipTextScreenDC&) = delete;
  GdipTextScreenDC& operator=(const GdipTextScreenDC&) = delete;
  HDC DC() const { return FDC; }

 private:
  HDC FDC;
};

uint32_t GdipTextRotateLeft(uint32_t AValue, int AShift) {
  return (AValue << AShift) | (AValue >> (32 - AShift));
}

}  // namespace

// ---- TdxGPStringFormat ---------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxGPStringFormat)
QD_IMPLEMENT_CLASS(TdxGPFontFamily)

TdxGPStringFormat::TdxGPStringFormat(int32_t AFormatAttributes, uint16_t ALanguage) {
  GdipCheck(GdipCreateStringFormat(AFormatAttributes, ALanguage, &FHandle));
}

TdxGPStringFormat::TdxGPStringFormat(TdxGPStringFormat* AFormat) {
  GdipCheck(GdipCloneStringFormat(AFormat ? AFormat->FHandle : nullptr, &FHandle));
}

TdxGPStringFormat::~TdxGPStringFormat() {
  if (FHandle && GdipDeleteStringFormat) GdipDeleteStringFormat(FHandle);
}

void TdxGPStringFormat::Assign(TdxGPStringFormat* ASource) {
  if (!ASource || ASource == this) return;
  GpStringFormat* clone = nullptr;
  GdipCheck(GdipCloneStringFormat(ASource->FHandle, &clone));
  if (FHandle) GdipDeleteStringFormat(FHandle);
  FHandle = clone;
}

TdxGPStringFormat* TdxGPStringFormat::GenericDefault() {
  if (!GdipTextGenericDefault) {
    GpStringFormat* handle = nullptr;
    GdipCheck(GdipStringFormatGetGenericDefault(&handle));
    GdipTextGenericDefault.reset(new TdxGPStringFormat(handle, AdoptTag{}));
  }
  return GdipTextGenericDefault.get();
}

TdxGPStringFormat* TdxGPStringFormat::GenericTypographic() {
  if (!GdipTextGenericTypographic) {
    GpStringFormat* handle = nullptr;
    GdipCheck(GdipStringFormatGetGenericTypographic(&handle));
    GdipTextGenericTypographic.reset(new TdxGPStringFormat(handle, AdoptTag{}));
  }
  return GdipTextGenericTypographic.get();
}

TdxGpStringAlignment TdxGPStringFormat::Alignment() const {
  TdxGpStringAlignment r{};
  GdipCheck(GdipGetStringFormatAlign(FHandle, &r));
  return r;
}

void TdxGPStringFormat::SetAlignment(TdxGpStringAlignment AValue) {
  GdipCheck(GdipSetStringFormatAlign(FHandle, AValue));
}

TdxGpStringAlignment TdxGPStringFormat::LineAlignment() const {
  TdxGpStringAlignment r{};
  GdipCheck(GdipGetStringFormatLineAlign(FHandle, &r));
  return r;
}

void TdxGPStringFormat::SetLineAlignment(TdxGpStringAlignment AValue) {
  GdipCheck(GdipSetStringFormatLineAlign(FHandle, AValue));
}

int32_t TdxGPStringFormat::FormatFlags() const {
  INT r = 0;
  GdipCheck(GdipGetStringFormatFlags(FHandle, &r));
  return r;
}

void TdxGPStringFormat::SetFormatFlags(int32_t AValue) {
  GdipCheck(GdipSetStringFormatFlags(FHandle, AValue));
}

int32_t TdxGPStringFormat::HotkeyPrefix() const {
  INT r = 0;
  GdipCheck(GdipGetStringFormatHotkeyPrefix(FHandle, &r));
  return r;
}

void TdxGPStringFormat::SetHotkeyPrefix(int32_t AValue) {
  GdipCheck(GdipSetStringFormatHotkeyPrefix(FHandle, AValue));
}

TdxGpStringTrimming TdxGPStringFormat::Trimming() const {
  TdxGpStringTrimming r{};
  GdipCheck(GdipGetStringFormatTrimming(FHandle, &r));
  return r;
}

void TdxGPStringFormat::SetTrimming(TdxGpStringTrimming AValue) {
  GdipCheck(GdipSetStringFormatTrimming(FHandle, AValue));
}

uint16_t TdxGPStringFormat::DigitSubstitutionLanguage() const {
  gdiplus::LANGID language = 0;
  TdxGpStringDigitSubstitute method{};
  GdipCheck(GdipGetStringFormatDigitSubstitution(FHandle, &language, &method));
  return language;
}

TdxGpStringDigitSubstitute TdxGPStringFormat::DigitSubstitutionMethod() const {
  gdiplus::LANGID language = 0;
  TdxGpStringDigitSubstitute method{};
  GdipCheck(GdipGetStringFormatDigitSubstitution(FHandle, &language, &method));
  return method;
}

void TdxGPStringFormat::SetDigitSubstitution(uint16_t ALanguage, TdxGpStringDigitSubstitute ASubstitute) {
  GdipCheck(GdipSetStringFormatDigitSubstitution(FHandle, ALanguage, ASubstitute));
}

int32_t TdxGPStringFormat::TabStopCount() const {
  INT r = 0;
  GdipCheck(GdipGetStringFormatTabStopCount(FHandle, &r));
  return r;
}

void TdxGPStringFormat::SetTabStops(float AFirstTabOffset, int32_t ACount, const float* ATabStops) {
  GdipCheck(GdipSetStringFormatTabStops(FHandle, AFirstTabOffset, ACount, ATabStops));
}

std::vector<float> TdxGPStringFormat::GetTabStops(int32_t ACount, float& AFirstTabOffset) const {
  std::vector<float> result(std::max(ACount, 0));
  AFirstTabOffset = 0;
  if (ACount > 0) GdipCheck(GdipGetStringFormatTabStops(FHandle, ACount, &AFirstTabOffset, result.data()));
  return result;
}

int32_t TdxGPStringFormat::MeasurableCharacterRangeCount() const {
  INT r = 0;
  GdipCheck(GdipGetStringFormatMeasurableCharacterRangeCount(FHandle, &r));
  return r;
}

void TdxGPStringFormat::SetMeasurableCharacterRanges(int32_t ACount, const TdxGpCharacterRange* ARanges) {
  GdipCheck(GdipSetStringFormatMeasurableCharacterRanges(FHandle, ACount, ARanges));
}

// ---- TdxGPFontFamily -----------------------------------------------------------------------

TdxGPFontFamily::TdxGPFontFamily(const String& AName) {
  if (GdipCreateFontFamilyFromName(GdipTextChars(AName), nullptr, &FHandle) != gdiplus::Ok) FHandle = nullptr;
}

TdxGPFontFamily::TdxGPFontFamily(GpFontFamily* ANativeFamily) {
  GdipCheck(GdipCloneFontFamily(ANativeFamily, &FHandle));
}

TdxGPFontFamily::~TdxGPFontFamily() {
  if (FHandle && GdipDeleteFontFamily) GdipDeleteFontFamily(FHandle);
}

TdxGPFontFamily* TdxGPFontFamily::GenericSansSerif() {
  if (!GdipTextSansSerif) {
    GpFontFamily* handle = nullptr;
    GdipCheck(GdipGetGenericFontFamilySansSerif(&handle));
    GdipTextSansSerif.reset(new TdxGPFontFamily(handle, AdoptTag{}));
  }
  return GdipTextSansSerif.get();
}

TdxGPFontFamily* TdxGPFontFamily::GenericSerif() {
  if (!GdipTextSerif) {
    GpFontFamily* handle = nullptr;
    GdipCheck(GdipGetGenericFontFamilySerif(&handle));
    GdipTextSerif.reset(new TdxGPFontFamily(handle, AdoptTag{}));
  }
  return GdipTextSerif.get();
}

TdxGPFontFamily* TdxGPFontFamily::GenericMonospace() {
  if (!GdipTextMonospace) {
    GpFontFamily* handle = nullptr;
    GdipCheck(GdipGetGenericFontFamilyMonospace(&handle));
    GdipTextMonospace.reset(new TdxGPFontFamily(handle, AdoptTag{}));
  }
  return GdipTextMonospace.get();
}

uint16_t TdxGPFontFamily::GetCellAscent(int32_t AStyle) const {
  gdiplus::UINT16 r = 0;
  GdipCheck(GdipGetCellAscent(FHandle, AStyle, &r));
  return r;
}

uint16_t TdxGPFontFamily::GetCellDescent(int32_t AStyle) const {
  gdiplus::UINT16 r = 0;
  GdipCheck(GdipGetCellDescent(FHandle, AStyle, &r));
  return r;
}

uint16_t TdxGPFontFamily::GetEmHeight(int32_t AStyle) const {
  gdiplus::UINT16 r = 0;
  GdipCheck(GdipGetEmHeight(FHandle, AStyle, &r));
  return r;
}

uint16_t TdxGPFontFamily::GetLineSpacing(int32_t AStyle) const {
  gdiplus::UINT16 r = 0;
  GdipCheck(GdipGetLineSpacing(FHandle, AStyle, &r));
  return r;
}

bool TdxGPFontFamily::IsStyleAvailable(int32_t AStyle) const {
  BOOL r = FALSE;
  GdipCheck(GdipIsStyleAvailable(FHandle, AStyle, &r));
  return r != FALSE;
}

String TdxGPFontFamily::GetName(uint16_t ALanguage) const {
  WCHAR buffer[LF_FACESIZE] = {};
  GdipCheck(GdipGetFamilyName(FHandle, buffer, ALanguage));
  String result;
  for (int i = 0; i < LF_FACESIZE && buffer[i]; ++i) result.push_back(static_cast<Char>(buffer[i]));
  return result;
}

// ---- TdxGPFont -----------------------------------------------------------------------------

int32_t dxFontStylesToGpFontStyles(TFontStyles AStyles) {
  int32_t result = 0;
  if (AStyles.Contains(fsBold)) result |= gdiplus::FontStyleBold;
  if (AStyles.Contains(fsItalic)) result |= gdiplus::FontStyleItalic;
  if (AStyles.Contains(fsUnderline)) result |= gdiplus::FontStyleUnderline;
  if (AStyles.Contains(fsStrikeOut)) result |= gdiplus::FontStyleStrikeout;
  return result;
}

String TdxGPFont::StripVerticalName(const String& AName) {
  return AName.size() > 1 && AName[0] == u'@' ? AName.substr(1) : AName;
}

TdxGPFont::TdxGPFont(const String& AFamilyName, float AEmSize, int32_t AStyle, TdxGraphicUnit AUnit,
                     uint8_t AGdiCharSet) {
  InitByName(AFamilyName, AEmSize, AStyle, AUnit, AGdiCharSet, IsVerticalName(AFamilyName), false);
}

TdxGPFont::TdxGPFont(const String& AFamilyName, float AEmSize, TdxGraphicUnit AUnit)
    : TdxGPFont(AFamilyName, AEmSize, gdiplus::FontStyleRegular, AUnit) {}

TdxGPFont::TdxGPFont(const String& AFamilyName, float AEmSize, int32_t AStyle, TdxGraphicUnit AUnit,
                     uint8_t AGdiCharSet, bool AGdiVerticalFont) {
  InitByName(AFamilyName, AEmSize, AStyle, AUnit, AGdiCharSet, AGdiVerticalFont, false);
}

TdxGPFont::TdxGPFont(TdxGPFontFamily* AFamily, float AEmSize, int32_t AStyle, TdxGraphicUnit AUnit,
                     uint8_t AGdiCharSet, bool AGdiVerticalFont) {
  Init(AFamily, AStyle, AGdiVerticalFont, AGdiCharSet, AUnit, AEmSize);
}

TdxGPFont::TdxGPFont(TdxGPFontFamily* AFamily, float AEmSize, TdxGraphicUnit AUnit)
    : TdxGPFont(AFamily, AEmSize, gdiplus::FontStyleRegular, AUnit) {}

TdxGPFont::TdxGPFont(TdxGPFont* APrototype, int32_t AStyle) {
  FOriginalFontName = APrototype->FOriginalFontName;
  Init(APrototype->FFontFamily, AStyle, APrototype->FGdiVerticalFont, APrototype->FGdiCharSet,
       APrototype->FFontUnit, APrototype->FFontSize);
}

TdxGPFont::TdxGPFont(GpFont* ANativeFont, bool AGdiVerticalFont, uint8_t AGdiCharSet) {
  FNativeFont = ANativeFont;
  gdiplus::Unit unit{};
  float size = 0;
  INT style = 0;
  GpFontFamily* family = nullptr;
  try {
    GdipCheck(GdipGetFontUnit(ANativeFont, &unit));
    GdipCheck(GdipGetFontSize(ANativeFont, &size));
    GdipCheck(GdipGetFontStyle(ANativeFont, &style));
    GdipCheck(GdipGetFamily(ANativeFont, &family));
    // The family handle GDI+ hands out is ours; the font owns it.
    FFontFamily = new TdxGPFontFamily(family);
    GdipDeleteFontFamily(family);
    FIsOwnFontFamily = true;
    Init(FFontFamily, style, AGdiVerticalFont, AGdiCharSet, static_cast<TdxGraphicUnit>(unit), size);
  } catch (...) {
    if (FIsOwnFontFamily) delete FFontFamily;
    GdipDeleteFont(FNativeFont);
    throw;
  }
}

TdxGPFont::~TdxGPFont() {
  if (FNativeFont && GdipDeleteFont) GdipDeleteFont(FNativeFont);
  if (FIsOwnFontFamily) delete FFontFamily;
}

void TdxGPFont::InitByName(const String& AFamilyName, float AEmSize, int32_t AStyle, TdxGraphicUnit AUnit,
                           uint8_t AGdiCharSet, bool AGdiVerticalFont, bool ASafe) {
  FOriginalFontName = AFamilyName;
  auto family = std::make_unique<TdxGPFontFamily>(StripVerticalName(AFamilyName));
  TdxGPFontFamily* used = family.get();
  if (ASafe && !family->Handle()) {
    used = TdxGPFontFamily::GenericSansSerif();
  } else {
    FFontFamily = family.release();
    FIsOwnFontFamily = true;
  }
  try {
    Init(used, AStyle, AGdiVerticalFont, AGdiCharSet, AUnit, AEmSize);
  } catch (...) {
    if (FIsOwnFontFamily) delete FFontFamily;
    FFontFamily = nullptr;
    FIsOwnFontFamily = false;
    throw;
  }
}

void TdxGPFont::Init(TdxGPFontFamily* AFamily, int32_t AStyle, bool AGdiVerticalFont, uint8_t AGdiCharSet,
                     TdxGraphicUnit AUnit, float AEmSize) {
  if (!AFamily) throw EdxGdipException(gdiplus::FontFamilyNotFound);
  if (!std::isfinite(AEmSize) || AEmSize <= 0) throw EdxGdipException(gdiplus::InvalidParameter);
  FFontSize = AEmSize;
  FFontStyle = AStyle;
  FFontUnit = AUnit;
  FGdiCharSet = AGdiCharSet;
  FGdiVerticalFont = AGdiVerticalFont;
  if (!FFontFamily) FFontFamily = AFamily;
  if (!FNativeFont)
    GdipCheck(
        GdipCreateFont(AFamily->Handle(), AEmSize, AStyle, static_cast<gdiplus::Unit>(AUnit), &FNativeFont));
  GdipCheck(GdipGetFontSize(FNativeFont, &FFontSize));
}

TdxGPFont* TdxGPFont::SafeCreate(const String& AFamilyName, float AEmSize, int32_t AStyle,
                                 TdxGraphicUnit AUnit, uint8_t AGdiCharSet) {
  std::unique_ptr<TdxGPFont> font(new TdxGPFont);
  font->InitByName(AFamilyName, AEmSize, AStyle, AUnit, AGdiCharSet, IsVerticalName(AFamilyName), true);
  return font.release();
}

TdxGPFont* TdxGPFont::FromHFont(HFONT AHFont) {
  LOGFONTW logFont;
  if (GetObjectW(AHFont, sizeof(LOGFONTW), &logFont) == 0) throw EdxGdipException(gdiplus::InvalidParameter);
  GdipTextScreenDC screen;
  return FromLogFont(logFont, screen.DC());
}

TdxGPFont* TdxGPFont::FromLogFont(const LOGFONTW& ALogFont) {
  GdipTextScreenDC screen;
  return FromLogFont(ALogFont, screen.DC());
}

TdxGPFont* TdxGPFont::FromLogFont(const LOGFONTW& ALogFont, HDC AHdc) {
  GpFont* font = nullptr;
  const Status status = GdipCreateFontFromLogfontW(AHdc, &ALogFont, &font);
  if (!font) throw EdxGdipException(gdiplus::NotTrueTypeFont);
  if (status != gdiplus::Ok) {
    GdipDeleteFont(font);
    GdipCheck(status);
  }
  return new TdxGPFont(font, ALogFont.lfFaceName[0] == u'@', ALogFont.lfCharSet);
}

TdxGPFont* TdxGPFont::FromHdc(HDC AHdc) {
  GpFont* font = nullptr;
  GdipCheck(GdipCreateFontFromDC(AHdc, &font));
  return new TdxGPFont(font, false, DEFAULT_CHARSET);
}

TdxGPFont* TdxGPFont::Clone() {
  GpFont* font = nullptr;
  GdipCheck(GdipCloneFont(FNativeFont, &font));
  auto* result = new TdxGPFont(font, FGdiVerticalFont, FGdiCharSet);
  result->FOriginalFontName = FOriginalFontName;
  result->FSystemFontName = FSystemFontName;
  return result;
}

void TdxGPFont::ToLogFont(LOGFONTW& ALogFont, TdxGPCanvas* ACanvas) {
  if (!ACanvas) throw EdxGdipException(gdiplus::InvalidParameter);
  GdipCheck(GdipGetLogFontW(FNativeFont, ACanvas->Handle(), &ALogFont));
  if (FGdiVerticalFont) {
    // Room for the "@": the face name moves right by one, losing the buffer's last character.
    std::copy_backward(ALogFont.lfFaceName, ALogFont.lfFaceName + LF_FACESIZE - 1,
                       ALogFont.lfFaceName + LF_FACESIZE);
    ALogFont.lfFaceName[0] = u'@';
    ALogFont.lfFaceName[LF_FACESIZE - 1] = 0;
  }
  if (ALogFont.lfCharSet == 0) ALogFont.lfCharSet = FGdiCharSet;
}

void TdxGPFont::ToLogFont(LOGFONTW& ALogFont) {
  GdipTextScreenDC screen;
  TdxGPCanvas canvas(screen.DC());
  ToLogFont(ALogFont, &canvas);
}

HFONT TdxGPFont::ToHfont() {
  LOGFONTW logFont{};
  ToLogFont(logFont);
  return CreateFontIndirectW(&logFont);
}

float TdxGPFont::GetHeight(TdxGPCanvas* ACanvas) {
  if (!ACanvas) throw EdxGdipException(gdiplus::InvalidParameter);
  float result = 0;
  GdipCheck(GdipGetFontHeight(FNativeFont, ACanvas->Handle(), &result));
  return result;
}

float TdxGPFont::GetHeight() {
  GdipTextScreenDC screen;
  TdxGPCanvas canvas(screen.DC());
  return GetHeight(&canvas);
}

float TdxGPFont::GetHeight(float ADpi) {
  float result = 0;
  GdipCheck(GdipGetFontHeightGivenDPI(FNativeFont, ADpi, &result));
  return result;
}

float TdxGPFont::SizeInPoints() {
  if (FFontUnit == guPoint) return FFontSize;
  GdipTextScreenDC screen;
  TdxGPCanvas canvas(screen.DC());
  const float lineSpacing = FFontFamily->GetLineSpacing(FFontStyle);
  if (lineSpacing == 0) return 0;
  return FFontFamily->GetEmHeight(FFontStyle) * GetHeight(&canvas) / lineSpacing / (canvas.DpiY() / 72);
}

uint32_t TdxGPFont::GetHashCode() const {
  return GdipTextRotateLeft(static_cast<uint32_t>(FFontStyle), 13) ^
         GdipTextRotateLeft(static_cast<uint32_t>(FFontUnit), 26) ^
         GdipTextRotateLeft(static_cast<uint32_t>(static_cast<int32_t>(std::nearbyint(FFontSize))), 7);
}

// ---- Text in paths -------------------------------------------------------------------------

void TdxGPPath::AddString(const String& S, TdxGPFont* AFont, const TdxRectF& ARect,
                          TdxGPStringFormat* AFormat) {
  if (!AFont) throw EdxGdipException(gdiplus::InvalidParameter);
  float dpi;
  {
    GdipTextScreenDC screen;
    dpi = static_cast<float>(GetDeviceCaps(screen.DC(), LOGPIXELSY));
  }
  const TdxGpRectF layout = TdxGpRectF::FromRectF(ARect);
  GdipCheck(GdipAddPathString(FHandle, GdipTextChars(S), static_cast<INT>(S.size()),
                              AFont->FontFamily()->Handle(), AFont->Style(), AFont->SizeInPoints() * dpi / 72,
                              layout.Gp(), AFormat ? AFormat->Handle() : nullptr));
}

void TdxGPPath::AddString(const String& S, TdxGPFont* AFont, const TdxPointF& AOrigin,
                          TdxGPStringFormat* AFormat) {
  AddString(S, AFont, TdxRectF(AOrigin.X, AOrigin.Y, AOrigin.X, AOrigin.Y), AFormat);
}

void TdxGPPath::AddString(const String& S, TdxGPFontFamily* AFamily, TdxGPStringFormat* AFormat,
                          const TdxRectF& ALayoutRect, float AEmSize, int32_t AStyle) {
  const TdxGpRectF layout = TdxGpRectF::FromRectF(ALayoutRect);
  GdipCheck(GdipAddPathString(FHandle, GdipTextChars(S), static_cast<INT>(S.size()),
                              AFamily ? AFamily->Handle() : nullptr, AStyle, AEmSize, layout.Gp(),
                              AFormat ? AFormat->Handle() : nullptr));
}

void TdxGPPath::AddString(const String& S, TdxGPFontFamily* AFamily, TdxGPStringFormat* AFormat,
                          const TdxPointF& AOrigin, float AEmSize, int32_t AStyle) {
  AddString(S, AFamily, AFormat, TdxRectF(AOrigin.X, AOrigin.Y, AOrigin.X, AOrigin.Y), AEmSize, AStyle);
}

void TdxGPPath::AddString(const String& S, TdxGPFontFamily* AFamily, TdxGPStringFormat* AFormat,
                          const TPoint& AOrigin, float AEmSize, int32_t AStyle) {
  AddString(S, AFamily, AFormat, TdxPointF(AOrigin), AEmSize, AStyle);
}

void TdxGPPath::AddString(const String& S, TdxGPFontFamily* AFamily, TdxGPStringFormat* AFormat,
                          const TRect& ALayoutRect, float AEmSize, int32_t AStyle) {
  AddString(S, AFamily, AFormat, TdxRectF(ALayoutRect), AEmSize, AStyle);
}

void TdxGPPath::AddString(const String& S, TFont* AFont, const TRect& ARect, int32_t AEmSize) {
  TdxGPStringFormat format(0, 0);
  TdxGPFontFamily family(AFont->Name());
  const TdxGpRect layout = TdxGpRect::FromRect(ARect);
  GdipCheck(GdipAddPathStringI(FHandle, GdipTextChars(S), static_cast<INT>(S.size()), family.Handle(),
                               dxFontStylesToGpFontStyles(AFont->Style()), static_cast<float>(AEmSize),
                               layout.Gp(), format.Handle()));
}

namespace dxGDIPlusText {

void Finalize() {
  GdipTextGenericDefault.reset();
  GdipTextGenericTypographic.reset();
  GdipTextSansSerif.reset();
  GdipTextSerif.reset();
  GdipTextMonospace.reset();
}

}  // namespace dxGDIPlusText

}  // namespace qd

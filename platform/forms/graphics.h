#pragma once
// The visual class library's graphics: colours, fonts, pens, brushes, the canvas over a
// device context, and the graphic classes (bitmap, icon, picture) with the registry of
// graphic classes by file extension and by class name.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/method.h"
#include "platform/base/set.h"
#include "platform/classes/classes.h"
#include "platform/classes/lists.h"
#include "platform/classes/rtti.h"
#include "platform/os/gdi.h"
#include "platform/os/gdi_metafile.h"

namespace qd {

class TStream;

QD_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
QD_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)

// ---- Colours ------------------------------------------------------------------------------------

// A colour: 0x00BBGGRR, or a system colour (0xFF0000nn, nn = COLOR_xxx index).
using TColor = int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;
constexpr TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
constexpr TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
constexpr TColor clMenu = clSystemColor | COLOR_MENU;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
constexpr TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
constexpr TColor clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER;
constexpr TColor clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER;
constexpr TColor clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
constexpr TColor clHotLight = clSystemColor | COLOR_HOTLIGHT;
constexpr TColor clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION;
constexpr TColor clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION;
constexpr TColor clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT;
constexpr TColor clMenuBar = clSystemColor | COLOR_MENUBAR;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours become their current RGB value; others are returned unchanged.
COLORREF ColorToRGB(TColor Color);
bool ColorToIdent(int64_t Color, String& Ident);
bool IdentToColor(const String& Ident, int64_t& Color);
// "clRed" or "$00FF8000"; StringToColor also accepts numbers (raises EConvertError).
String ColorToString(TColor Color);
TColor StringToColor(const String& S);
// The published type of colour properties (the stored-form reader accepts the names).
const TTypeInfo* TypeInfoTColor();
// The published type of font character sets (DEFAULT_CHARSET ... accepted by name).
const TTypeInfo* TypeInfoTFontCharset();

// ---- Fonts, pens, brushes -----------------------------------------------------------------------

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum TFontQuality : uint8_t {
  fqDefault,
  fqDraft,
  fqProof,
  fqNonAntialiased,
  fqAntialiased,
  fqClearType,
  fqClearTypeNatural
};
using TFontCharset = uint8_t;
const TTypeInfo* TypeInfoTFontStyles();

enum TPenStyle : uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame,
  psUserStyle,
  psAlternate
};
enum TPenMode : uint8_t {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};
enum TBrushStyle : uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

// Base of TFont, TPen and TBrush: tells its owner (OnChange) about every change.
class TGraphicsObject : public TPersistent {
  QD_CLASS(TGraphicsObject, TPersistent)

 public:
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
};

class TFont : public TGraphicsObject {
  QD_CLASS(TFont, TGraphicsObject)
  QD_PUBLISHED(TFont)

 public:
  TFont();
  ~TFont() override;

  void Assign(TPersistent* Source) override;

  const String& Name() const { return name_; }
  void SetName(const String& Value);
  int32_t Height() const { return height_; }
  void SetHeight(int32_t Value);
  // Points, from Height and PixelsPerInch.
  int32_t Size() const;
  void SetSize(int32_t Value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset Value);
  int32_t Orientation() const { return orientation_; }
  void SetOrientation(int32_t Value);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch Value);
  TFontQuality Quality() const { return quality_; }
  void SetQuality(TFontQuality Value);
  int32_t PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int32_t Value) { pixelsPerInch_ = Value > 0 ? Value : 96; }

  // The font object for these settings (made on first use, remade after a change).
  HFONT Handle();
  // Takes the settings of a font object (the handle becomes this font's).
  void SetHandle(HFONT Value);
  bool HandleAllocated() const { return handle_ != nullptr; }
  LOGFONTW LogFont() const;

  // The library's default font (the system's message font).
  static const String& DefaultName();
  static int32_t DefaultHeight();

 protected:
  void Changed() override;

 private:
  void FreeHandle();

  String name_;
  int32_t height_;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = DEFAULT_CHARSET;
  int32_t orientation_ = 0;
  TFontPitch pitch_ = fpDefault;
  TFontQuality quality_ = fqDefault;
  int32_t pixelsPerInch_;
  HFONT handle_ = nullptr;
};

class TPen : public TGraphicsObject {
  QD_CLASS(TPen, TGraphicsObject)
  QD_PUBLISHED(TPen)

 public:
  TPen() = default;
  ~TPen() override;
  void Assign(TPersistent* Source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  int32_t Width() const { return width_; }
  void SetWidth(int32_t Value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode Value);
  HPEN Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Drops the handle when it was made for a system colour that has changed since.
  void CheckSystemColor();

 protected:
  void Changed() override;

 private:
  TColor color_ = clBlack;
  int32_t width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
  HPEN handle_ = nullptr;
  COLORREF handleRgb_ = 0;  // what color_ was when the handle was made
};

class TBitmap;

class TBrush : public TGraphicsObject {
  QD_CLASS(TBrush, TGraphicsObject)
  QD_PUBLISHED(TBrush)

 public:
  TBrush() = default;
  ~TBrush() override;
  void Assign(TPersistent* Source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle Value);
  // A pattern bitmap (not owned); the brush becomes a pattern brush while it is set.
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* Value);
  HBRUSH Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Drops the handle when it was made for a system colour that has changed since.
  void CheckSystemColor();

 protected:
  void Changed() override;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TBitmap* bitmap_ = nullptr;
  HBRUSH handle_ = nullptr;
  COLORREF handleRgb_ = 0;  // what color_ was when the handle was made
};

// ---- Canvas -------------------------------------------------------------------------------------

class TGraphic;

enum TCanvasStateItem : uint8_t { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStateItem>;

enum TTextFormats : uint8_t {
  tfBottom,
  tfCalcRect,
  tfCenter,
  tfEditControl,
  tfEndEllipsis,
  tfPathEllipsis,
  tfExpandTabs,
  tfExternalLeading,
  tfLeft,
  tfModifyString,
  tfNoClip,
  tfNoPrefix,
  tfRight,
  tfRtlReading,
  tfSingleLine,
  tfTop,
  tfVerticalCenter,
  tfWordBreak,
  tfHidePrefix,
  tfNoFullWidthCharBreak,
  tfPrefixOnly,
  tfTabStop,
  tfWordEllipsis,
  tfComposited
};
using TTextFormat = TSet<TTextFormats>;
UINT TextFormatToDrawTextFlags(const TTextFormat& Format);

// How FloodFill finds the area: pixels of the colour (surface) or up to the colour (border).
enum TFillStyle : uint8_t { fsSurface, fsBorder };

using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// Drawing onto a device context with a font, a pen and a brush that are selected into it
// when needed. Descendants make the device context on demand (CreateHandle).
class TCanvas : public TPersistent {
  QD_CLASS(TCanvas, TPersistent)

 public:
  TCanvas();
  ~TCanvas() override;

  HDC Handle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return handle_ != nullptr; }

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  TPen* Pen() const { return pen_.get(); }
  void SetPen(TPen* Value) { pen_->Assign(Value); }
  TBrush* Brush() const { return brush_.get(); }
  void SetBrush(TBrush* Value) { brush_->Assign(Value); }

  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode Value) { copyMode_ = Value; }
  TPoint PenPos();
  void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
  int32_t TextFlags() const { return textFlags_; }
  void SetTextFlags(int32_t Value) { textFlags_ = Value; }
  TRect ClipRect();

  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Polygon(const std::vector<TPoint>& Points);
  void Polyline(const std::vector<TPoint>& Points);
  void DrawFocusRect(const TRect& Rect);

  void TextOut(int X, int Y, const String& Text);
  // Draws Text at (X, Y) clipped to Rect (the brush fills Rect first unless it is clear).
  void TextRect(const TRect& Rect, int X, int Y, const String& Text);
  // Draws Text into Rect with the format; tfCalcRect only measures, and Rect receives the
  // size the text needs.
  void TextRect(TRect& Rect, String& Text, const TTextFormat& TextFormat = {});
  int TextWidth(const String& Text) { return TextExtent(Text).cx; }
  int TextHeight(const String& Text) { return TextExtent(Text).cy; }
  TSize TextExtent(const String& Text);

  // Draws a graphic with its top-left corner at (X, Y) in its own size.
  void Draw(int X, int Y, TGraphic* Graphic);
  // The same with a constant opacity (255 = opaque).
  void Draw(int X, int Y, TGraphic* Graphic, uint8_t Opacity);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  // Copies Source of the bitmap into Dest (stretched) with the pixels of Color replaced by
  // the brush; with a clear brush those pixels leave the canvas as it was.
  void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

  // The canvas lock (recursive) for drawing from several threads.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return lockCount_; }
  // Deselects the font, pen and brush: they are selected again when next needed.
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  virtual void Changed();
  virtual void Changing();

 protected:
  virtual void CreateHandle() {}
  void RequiredState(TCanvasState ReqState);
  TCanvasState State() const { return state_; }

 private:
  void DeselectHandles();
  void CreateFont();
  void CreatePen();
  void CreateBrush();
  void FontChanged(TObject* Sender);
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);

  HDC handle_ = nullptr;
  TCanvasState state_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  TPoint penPos_;
  TCopyMode copyMode_ = cmSrcCopy;
  int32_t textFlags_ = 0;
  std::recursive_mutex lock_;
  int lockCount_ = 0;
};

// ---- Graphics -----------------------------------------------------------------------------------

// An image that knows how to load, save and draw itself.
class TGraphic : public TPersistent {
  QD_CLASS(TGraphic, TPersistent)

 public:
  TGraphic() = default;

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  virtual void SetSize(int AWidth, int AHeight);
  virtual bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool Value);
  virtual bool SupportsPartialTransparency() const { return false; }
  bool Modified() const { return modified_; }
  void SetModified(bool Value);

  // Raise EInvalidGraphic for data the class cannot read.
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

  // The graphic's part of picture data in stored forms (after the class name); by
  // default the file's bytes to the end of the stream.
  virtual void ReadData(TStream* Stream) { LoadFromStream(Stream); }
  virtual void WriteData(TStream* Stream) { SaveToStream(Stream); }
  // A graphic that is a published property stores that data as its "Data".
  void DefineProperties(TFiler* Filer) override;

  TNotifyEvent OnChange;

  // Draws into Rect (stretched to it) on the canvas's device context.
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  // With a constant opacity; the default ignores it.
  virtual void DrawTransparent(TCanvas* ACanvas, const TRect& Rect, uint8_t Opacity) { Draw(ACanvas, Rect); }

 protected:
  virtual void Changed(TObject* Sender);

 private:
  bool transparent_ = false;
  bool modified_ = false;
};
using TGraphicClass = TClass;

enum TPixelFormat : uint8_t {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom
};
enum TAlphaFormat : uint8_t { afIgnored, afDefined, afPremultiplied };
enum TTransparentMode : uint8_t { tmAuto, tmFixed };
enum TBitmapHandleType : uint8_t { bmDIB, bmDDB };

class TBitmapCanvas;

// A bitmap over a DIB section (or a device-dependent bitmap for pfDevice) with its own
// canvas. Rows are stored bottom-up, as the platform's DIBs are by default.
class TBitmap : public TGraphic {
  QD_CLASS(TBitmap, TGraphic)

 public:
  TBitmap();
  TBitmap(int AWidth, int AHeight);
  ~TBitmap() override;

  void Assign(TPersistent* Source) override;

  bool Empty() const override { return width_ == 0 || height_ == 0; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int Value) override { SetSize(Value, height_); }
  void SetHeight(int Value) override { SetSize(width_, Value); }
  void SetSize(int AWidth, int AHeight) override;
  bool SupportsPartialTransparency() const override;

  TPixelFormat PixelFormat() const { return pixelFormat_; }
  void SetPixelFormat(TPixelFormat Value);
  TAlphaFormat AlphaFormat() const { return alphaFormat_; }
  void SetAlphaFormat(TAlphaFormat Value);
  TBitmapHandleType HandleType() const { return pixelFormat_ == pfDevice ? bmDDB : bmDIB; }

  // The canvas drawing into the bitmap.
  TCanvas* Canvas();
  HBITMAP Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Takes ownership of a bitmap object (its size and bit depth become this bitmap's).
  void SetHandle(HBITMAP Value);
  // Gives up the bitmap object to the caller.
  HBITMAP ReleaseHandle();
  // The first byte of row Row (0 = top); for pfDevice the bitmap becomes a 32-bit DIB first.
  void* ScanLine(int Row);

  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode Value);

  // BMP files (all the header variants the codecs read).
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // Stored-form data: a 32-bit length, then the BMP file.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;
  // Copies 32-bit straight-alpha pixels (0xAARRGGBB, top-down) into a pf32bit bitmap.
  void LoadFromPixels(int AWidth, int AHeight, const uint32_t* Pixels);

  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  void DrawTransparent(TCanvas* ACanvas, const TRect& Rect, uint8_t Opacity) override;

  void Dormant() {}
  void FreeImage() {}
  // Bits per pixel of the pixel format; pfDevice and pfCustom bitmaps are kept in 32 bits.
  int BitCount() const;

 protected:
  void Changed(TObject* Sender) override;

 private:
  friend class TBitmapCanvas;
  void FreeHandle();
  void EnsureHandle();
  HBITMAP MakeBitmap(int w, int h, TPixelFormat pf, void** bits) const;
  int RowBytes() const;

  int width_ = 0;
  int height_ = 0;
  TPixelFormat pixelFormat_ = pfDevice;
  TAlphaFormat alphaFormat_ = afIgnored;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
  HBITMAP handle_ = nullptr;
  void* bits_ = nullptr;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

class TBitmapCanvas : public TCanvas {
  QD_CLASS(TBitmapCanvas, TCanvas)

 public:
  explicit TBitmapCanvas(TBitmap* ABitmap) : bitmap_(ABitmap) {}
  ~TBitmapCanvas() override;
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TBitmap* bitmap_;
  HDC dc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

// An icon (ICO file); drawn with its alpha channel.
class TIcon : public TGraphic {
  QD_CLASS(TIcon, TGraphic)

 public:
  TIcon() = default;
  ~TIcon() override;
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return width_ == 0 && !handle_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  bool Transparent() const override { return true; }
  bool SupportsPartialTransparency() const override { return true; }

  // The size the next load picks from a file with several images (0 = the largest).
  void SetSize(int AWidth, int AHeight) override;

  HICON Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Takes ownership of an icon object.
  void SetHandle(HICON Value);
  HICON ReleaseHandle();

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // Loads the embedded resource ICON/<Name>.
  void LoadFromResourceName(const String& Name);

  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  void FreeHandle();
  void Decode();

  TBytes data_;
  std::vector<uint32_t> pixels_;  // straight alpha, top-down
  int width_ = 0;
  int height_ = 0;
  int requestedWidth_ = 0;
  int requestedHeight_ = 0;
  HICON handle_ = nullptr;
};

class TMetafileCanvas;

// A metafile picture (EMF, or WMF with or without the placeable header). It keeps the file's
// bytes, draws by playing them into the target rectangle and is recorded through a
// TMetafileCanvas. Width and Height are pixels at 96 DPI; setting them sets the size the
// picture is drawn at and the frame of the next recording.
class TMetafile : public TGraphic {
  QD_CLASS(TMetafile, TGraphic)

 public:
  TMetafile() = default;
  ~TMetafile() override;
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return data_.empty(); }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  bool Transparent() const override { return true; }
  // The size in 0.01 mm.
  int MMWidth() const;
  int MMHeight() const;
  void SetMMWidth(int Value);
  void SetMMHeight(int Value);
  // Saved as EMF when set (the default), else as WMF.
  bool Enhanced() const { return enhanced_; }
  void SetEnhanced(bool Value) { enhanced_ = Value; }

  // A metafile handle of the picture (owned by this object; null when empty).
  HENHMETAFILE Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Takes ownership of a metafile handle.
  void SetHandle(HENHMETAFILE Value);
  HENHMETAFILE ReleaseHandle();
  void Clear();

  // EInvalidGraphic "Metafile is not valid" for data that is not a sound metafile.
  void LoadFromStream(TStream* Stream) override;
  // An enhanced picture asked to be saved as WMF (which it cannot be converted to) raises
  // EInvalidGraphicOperation.
  void SaveToStream(TStream* Stream) override;
  // Stored-form data: a 32-bit length, then the file.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  friend class TMetafileCanvas;
  void Load(TBytes Data, bool Notify);
  void FreeHandle();

  TBytes data_;
  bool dataEnhanced_ = true;  // the kind of the bytes kept
  bool enhanced_ = true;
  int width_ = 0;
  int height_ = 0;
  HENHMETAFILE handle_ = nullptr;
};

// A canvas recording into a metafile: when it is destroyed (or Close is called) the metafile
// receives the recorded picture, framed by the metafile's size when it has one.
class TMetafileCanvas : public TCanvas {
  QD_CLASS(TMetafileCanvas, TCanvas)

 public:
  TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice);
  ~TMetafileCanvas() override;
  void Close();

 private:
  TMetafile* metafile_;
  HDC dc_ = nullptr;
};

// Holds one graphic of any registered class.
class TPicture : public TInterfacedPersistent {
  QD_CLASS(TPicture, TInterfacedPersistent)

 public:
  TPicture();
  ~TPicture() override;

  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Copies Value (nullptr clears the picture).
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap; a graphic of another class is replaced by an empty bitmap.
  TBitmap* Bitmap();
  TIcon* Icon();
  TMetafile* Metafile();
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // The class is chosen by the file extension (EInvalidGraphic "Unknown picture file
  // extension (.xyz)").
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);
  // The class is chosen by the data's signature.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);

  // Picture data of stored forms: a length byte and the graphic's class name, then the
  // graphic's own data.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  static void RegisterFileFormat(const String& Extension, const String& Description,
                                 TGraphicClass GraphicClass);
  static void UnregisterGraphicClass(TGraphicClass GraphicClass);
  // nullptr when none is registered for the extension ("png" or ".png").
  static TGraphicClass FindGraphicClassByExtension(const String& Extension);
  // A registered graphic class of that name (the file formats first, then the class
  // registry when the class is a graphic).
  static TGraphicClass FindGraphicClassByName(const String& ClassName);

  TNotifyEvent OnChange;

 protected:
  virtual void Changed(TObject* Sender);

 private:
  void ForceType(TGraphicClass GraphicClass);
  void Adopt(TGraphic* NewGraphic);

  std::unique_ptr<TGraphic> graphic_;
};

// File-dialog texts for the registered picture formats of a graphic class (and its
// descendants): "All (*.a;*.b)|*.a;*.b|Desc A (*.a)|*.a|...", the mask "*.a;*.b", and the
// class's first extension without the dot ("" when none is registered).
String GraphicFilter(TGraphicClass GraphicClass);
String GraphicFileMask(TGraphicClass GraphicClass);
String GraphicExtension(TGraphicClass GraphicClass);

// Pixel helpers shared by the graphic classes.
namespace graphics_detail {
// A 32-bit top-down DIB section holding premultiplied copies of straight-alpha pixels.
HBITMAP CreatePremultipliedDib(int Width, int Height, const uint32_t* Pixels, void** Bits = nullptr);
// Draws straight-alpha pixels into Rect (stretched), blending with their alpha.
void DrawPixels(HDC DC, const TRect& Rect, int Width, int Height, const uint32_t* Pixels,
                uint8_t Opacity = 255, bool UseAlpha = true);
// The remaining bytes of a stream.
TBytes ReadRest(TStream* Stream);
// Stored-form graphic data that starts with its own 32-bit length (or, when that length does
// not fit, the whole rest of the stream).
TBytes ReadSizedData(TStream* Stream);
}  // namespace graphics_detail

}  // namespace qd

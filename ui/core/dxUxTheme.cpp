#include "ui/core/dxUxTheme.h"

#include <iterator>

#include "platform/os/gdi.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"

namespace qd {

namespace {

HMODULE FThemeLibrary = nullptr;
TdxUxThemeProcs FProcs;

const char* const kBoundNames[] = {
#define QD_UXTHEME_NAME(Name) #Name,
    QD_UXTHEME_FUNCTIONS(QD_UXTHEME_NAME)
#undef QD_UXTHEME_NAME
};

void SetMethodPointers() {
#define QD_UXTHEME_BIND(Name) \
  FProcs.Name = reinterpret_cast<decltype(FProcs.Name)>(GetProcAddress(FThemeLibrary, #Name));
  QD_UXTHEME_FUNCTIONS(QD_UXTHEME_BIND)
#undef QD_UXTHEME_BIND
}

}  // namespace

const TdxUxThemeProcs& dxUxThemeProcs() {
  return FProcs;
}

int32_t dxUxThemeBoundNameCount() {
  return static_cast<int32_t>(std::size(kBoundNames));
}

bool IsThemeLibraryLoaded() {
  return FThemeLibrary != nullptr;
}

bool dxBeginPanningFeedback(HWND AWnd) {
  return FProcs.BeginPanningFeedback && FProcs.BeginPanningFeedback(AWnd);
}

bool dxUpdatePanningFeedback(HWND AWnd, const TPoint& AOverpan, bool AIsInertia) {
  return FProcs.UpdatePanningFeedback &&
         FProcs.UpdatePanningFeedback(AWnd, AOverpan.X, AOverpan.Y, AIsInertia);
}

bool dxEndPanningFeedback(HWND AWnd, bool AAnimateBack) {
  return FProcs.EndPanningFeedback && FProcs.EndPanningFeedback(AWnd, AAnimateBack);
}

namespace dxUxTheme {

HTHEME OpenThemeData(HWND AWnd, LPCWSTR AClassList) {
  return FProcs.OpenThemeData ? FProcs.OpenThemeData(AWnd, AClassList) : 0;
}

HRESULT CloseThemeData(HTHEME ATheme) {
  return FProcs.CloseThemeData ? FProcs.CloseThemeData(ATheme) : E_NOTIMPL;
}

HRESULT DrawThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ARect,
                            const RECT* AClipRect) {
  return FProcs.DrawThemeBackground
             ? FProcs.DrawThemeBackground(ATheme, DC, APartId, AStateId, ARect, AClipRect)
             : E_NOTIMPL;
}

HRESULT DrawThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const TRect& ARect,
                            const TRect* AClipRect) {
  return dxUxTheme::DrawThemeBackground(ATheme, DC, APartId, AStateId, &ARect, AClipRect);
}

HRESULT DrawThemeText(HTHEME ATheme, HDC DC, int APartId, int AStateId, LPCWSTR AText, int ACharCount,
                      DWORD ATextFlags, DWORD ATextFlags2, const RECT* ARect) {
  return FProcs.DrawThemeText ? FProcs.DrawThemeText(ATheme, DC, APartId, AStateId, AText, ACharCount,
                                                     ATextFlags, ATextFlags2, ARect)
                              : E_NOTIMPL;
}

HRESULT DrawThemeText(HTHEME ATheme, HDC DC, int APartId, int AStateId, const String& AText, int ACharCount,
                      DWORD ATextFlags, DWORD ATextFlags2, const RECT* ARect) {
  return dxUxTheme::DrawThemeText(ATheme, DC, APartId, AStateId, AText.c_str(), ACharCount, ATextFlags,
                                  ATextFlags2, ARect);
}

HRESULT GetThemeBackgroundContentRect(HTHEME ATheme, HDC DC, int APartId, int AStateId,
                                      const RECT* ABoundingRect, RECT* AContentRect) {
  return FProcs.GetThemeBackgroundContentRect
             ? FProcs.GetThemeBackgroundContentRect(ATheme, DC, APartId, AStateId, ABoundingRect,
                                                    AContentRect)
             : E_NOTIMPL;
}

HRESULT GetThemePartSize(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ARect, THEMESIZE ASize,
                         SIZE* APartSize) {
  return FProcs.GetThemePartSize
             ? FProcs.GetThemePartSize(ATheme, DC, APartId, AStateId, ARect, ASize, APartSize)
             : E_NOTIMPL;
}

HRESULT GetThemePartSize(HTHEME ATheme, HDC DC, int APartId, int AStateId, const TRect& ARect,
                         THEMESIZE ASize, SIZE* APartSize) {
  return dxUxTheme::GetThemePartSize(ATheme, DC, APartId, AStateId, &ARect, ASize, APartSize);
}

HRESULT GetThemePartSize(HTHEME ATheme, HDC DC, int APartId, int AStateId, THEMESIZE ASize, SIZE* APartSize) {
  return dxUxTheme::GetThemePartSize(ATheme, DC, APartId, AStateId, static_cast<const RECT*>(nullptr), ASize,
                                     APartSize);
}

HRESULT GetThemeBackgroundRegion(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ARect,
                                 HRGN* ARegion) {
  return FProcs.GetThemeBackgroundRegion
             ? FProcs.GetThemeBackgroundRegion(ATheme, DC, APartId, AStateId, ARect, ARegion)
             : E_NOTIMPL;
}

HRESULT DrawThemeEdge(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ADestRect, UINT AEdge,
                      UINT AFlags, RECT* AContentRect) {
  return FProcs.DrawThemeEdge
             ? FProcs.DrawThemeEdge(ATheme, DC, APartId, AStateId, ADestRect, AEdge, AFlags, AContentRect)
             : E_NOTIMPL;
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME ATheme, int APartId, int AStateId) {
  return FProcs.IsThemeBackgroundPartiallyTransparent
             ? FProcs.IsThemeBackgroundPartiallyTransparent(ATheme, APartId, AStateId)
             : FALSE;
}

HRESULT GetThemeColor(HTHEME ATheme, int APartId, int AStateId, int APropId, COLORREF* AColor) {
  return FProcs.GetThemeColor ? FProcs.GetThemeColor(ATheme, APartId, AStateId, APropId, AColor) : E_NOTIMPL;
}

HRESULT GetThemeMargins(HTHEME ATheme, HDC DC, int APartId, int AStateId, int APropId, const RECT* ARect,
                        MARGINS* AMargins) {
  return FProcs.GetThemeMargins
             ? FProcs.GetThemeMargins(ATheme, DC, APartId, AStateId, APropId, ARect, AMargins)
             : E_NOTIMPL;
}

HRESULT GetCurrentThemeName(LPWSTR AThemeFileName, int AMaxNameChars, LPWSTR AColorBuff, int AMaxColorChars,
                            LPWSTR ASizeBuff, int AMaxSizeChars) {
  return FProcs.GetCurrentThemeName ? FProcs.GetCurrentThemeName(AThemeFileName, AMaxNameChars, AColorBuff,
                                                                 AMaxColorChars, ASizeBuff, AMaxSizeChars)
                                    : E_NOTIMPL;
}

HRESULT BufferedPaintInit() {
  return FProcs.BufferedPaintInit ? FProcs.BufferedPaintInit() : E_NOTIMPL;
}

HRESULT BufferedPaintUnInit() {
  return FProcs.BufferedPaintUnInit ? FProcs.BufferedPaintUnInit() : E_NOTIMPL;
}

HPAINTBUFFER BeginBufferedPaint(HDC ATargetDC, const RECT* ATargetRect, BP_BUFFERFORMAT AFormat,
                                const BP_PAINTPARAMS* APaintParams, HDC* APaintDC) {
  if (!FProcs.BeginBufferedPaint) {
    if (APaintDC) *APaintDC = nullptr;
    return nullptr;
  }
  return FProcs.BeginBufferedPaint(ATargetDC, ATargetRect, AFormat, APaintParams, APaintDC);
}

HRESULT EndBufferedPaint(HPAINTBUFFER ABufferedPaint, BOOL AUpdateTarget) {
  return FProcs.EndBufferedPaint ? FProcs.EndBufferedPaint(ABufferedPaint, AUpdateTarget) : E_NOTIMPL;
}

HRESULT BufferedPaintClear(HPAINTBUFFER ABufferedPaint, const RECT* ARect) {
  return FProcs.BufferedPaintClear ? FProcs.BufferedPaintClear(ABufferedPaint, ARect) : E_NOTIMPL;
}

HRESULT BufferedPaintSetAlpha(HPAINTBUFFER ABufferedPaint, const RECT* ARect, BYTE AAlpha) {
  return FProcs.BufferedPaintSetAlpha ? FProcs.BufferedPaintSetAlpha(ABufferedPaint, ARect, AAlpha)
                                      : E_NOTIMPL;
}

HRESULT DrawThemeParentBackground(HWND AWnd, HDC DC, const RECT* ARect) {
  if (!FProcs.DrawThemeParentBackground) return E_NOTIMPL;
  HGDIOBJ font = GetCurrentObject(DC, OBJ_FONT);
  const HRESULT result = FProcs.DrawThemeParentBackground(AWnd, DC, ARect);
  if (font) SelectObject(DC, font);
  return result;
}

BOOL IsThemeActive() {
  return FProcs.IsThemeActive ? FProcs.IsThemeActive() : FALSE;
}

void Initialize() {
  InitCommonControls();
  FThemeLibrary = LoadLibraryW(u"uxtheme.dll");
  if (FThemeLibrary) SetMethodPointers();
}

void Finalize() {
  FProcs = {};
  if (FThemeLibrary) FreeLibrary(FThemeLibrary);
  FThemeLibrary = nullptr;
}

}  // namespace dxUxTheme

}  // namespace qd

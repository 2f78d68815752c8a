#pragma once
// The visual-styles library (UxTheme), loaded at start-up with its functions bound by name.
// Without the library every wrapper answers failure (0, FALSE or an error result) and no
// visual style is ever used.
//
// The wrappers carry the system functions' names, so they live in namespace dxUxTheme:
// dxUxTheme::DrawThemeBackground(...). Callers use them only after IsThemeLibraryLoaded or
// AreVisualStylesAvailable (dxThemeManager.h).
#include "platform/base/geometry.h"
#include "platform/base/types.h"
#include "platform/os/uxtheme.h"
#include "platform/os/wintypes.h"

namespace qd {

// Every function bound from the library, by name.
// clang-format off
#define QD_UXTHEME_FUNCTIONS(X)                                                                 \
  X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeEdge) X(DrawThemeIcon)                    \
  X(DrawThemeParentBackground) X(DrawThemeText) X(DrawThemeTextEx) X(EnableThemeDialogTexture)  \
  X(GetCurrentThemeName) X(GetThemeAppProperties) X(GetThemeBackgroundContentRect)              \
  X(GetThemeBackgroundRegion) X(GetThemeBackgroundExtent) X(GetThemeBool) X(GetThemeColor)      \
  X(GetThemeDocumentationProperty) X(GetThemeEnumValue) X(GetThemeFilename) X(GetThemeFont)     \
  X(GetThemeInt) X(GetThemeIntList) X(GetThemeMargins) X(GetThemeMetric) X(GetThemePartSize)    \
  X(GetThemePosition) X(GetThemePropertyOrigin) X(GetThemeRect) X(GetThemeString)               \
  X(GetThemeSysBool) X(GetThemeSysColor) X(GetThemeSysColorBrush) X(GetThemeSysFont)            \
  X(GetThemeSysInt) X(GetThemeSysSize) X(GetThemeSysString) X(GetThemeTextExtent)               \
  X(GetThemeTextMetrics) X(GetWindowTheme) X(HitTestThemeBackground) X(IsAppThemed)             \
  X(IsThemeActive) X(IsThemePartDefined) X(IsThemeBackgroundPartiallyTransparent)               \
  X(IsThemeDialogTextureEnabled) X(OpenThemeData) X(SetThemeAppProperties) X(SetWindowTheme)    \
  X(BeginBufferedPaint) X(BufferedPaintClear) X(BufferedPaintInit) X(BufferedPaintSetAlpha)     \
  X(BufferedPaintUnInit) X(EndBufferedPaint) X(BeginPanningFeedback) X(UpdatePanningFeedback)   \
  X(EndPanningFeedback)
// clang-format on

// The bound entry points (nullptr when absent), with the system functions' signatures.
struct TdxUxThemeProcs {
#define QD_UXTHEME_MEMBER(Name) decltype(&::qd::Name) Name = nullptr;
  QD_UXTHEME_FUNCTIONS(QD_UXTHEME_MEMBER)
#undef QD_UXTHEME_MEMBER
};
const TdxUxThemeProcs& dxUxThemeProcs();
// How many names the binding looks up.
int32_t dxUxThemeBoundNameCount();

// The library was loaded.
bool IsThemeLibraryLoaded();

// Panning feedback (touch gestures): False when the function is not bound.
bool dxBeginPanningFeedback(HWND AWnd);
bool dxUpdatePanningFeedback(HWND AWnd, const TPoint& AOverpan, bool AIsInertia);
bool dxEndPanningFeedback(HWND AWnd, bool AAnimateBack);

namespace dxUxTheme {

HTHEME OpenThemeData(HWND AWnd, LPCWSTR AClassList);
HRESULT CloseThemeData(HTHEME ATheme);
HRESULT DrawThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ARect,
                            const RECT* AClipRect);
HRESULT DrawThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId, const TRect& ARect,
                            const TRect* AClipRect = nullptr);
HRESULT DrawThemeText(HTHEME ATheme, HDC DC, int APartId, int AStateId, LPCWSTR AText, int ACharCount,
                      DWORD ATextFlags, DWORD ATextFlags2, const RECT* ARect);
HRESULT DrawThemeText(HTHEME ATheme, HDC DC, int APartId, int AStateId, const String& AText, int ACharCount,
                      DWORD ATextFlags, DWORD ATextFlags2, const RECT* ARect);
HRESULT GetThemeBackgroundContentRect(HTHEME ATheme, HDC DC, int APartId, int AStateId,
                                      const RECT* ABoundingRect, RECT* AContentRect);
HRESULT GetThemePartSize(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ARect, THEMESIZE ASize,
                         SIZE* APartSize);
HRESULT GetThemePartSize(HTHEME ATheme, HDC DC, int APartId, int AStateId, const TRect& ARect,
                         THEMESIZE ASize, SIZE* APartSize);
HRESULT GetThemePartSize(HTHEME ATheme, HDC DC, int APartId, int AStateId, THEMESIZE ASize, SIZE* APartSize);
HRESULT GetThemeBackgroundRegion(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ARect,
                                 HRGN* ARegion);
HRESULT DrawThemeEdge(HTHEME ATheme, HDC DC, int APartId, int AStateId, const RECT* ADestRect, UINT AEdge,
                      UINT AFlags, RECT* AContentRect);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME ATheme, int APartId, int AStateId);
HRESULT GetThemeColor(HTHEME ATheme, int APartId, int AStateId, int APropId, COLORREF* AColor);
HRESULT GetThemeMargins(HTHEME ATheme, HDC DC, int APartId, int AStateId, int APropId, const RECT* ARect,
                        MARGINS* AMargins);
HRESULT GetCurrentThemeName(LPWSTR AThemeFileName, int AMaxNameChars, LPWSTR AColorBuff, int AMaxColorChars,
                            LPWSTR ASizeBuff, int AMaxSizeChars);
HRESULT BufferedPaintInit();
HRESULT BufferedPaintUnInit();
HPAINTBUFFER BeginBufferedPaint(HDC ATargetDC, const RECT* ATargetRect, BP_BUFFERFORMAT AFormat,
                                const BP_PAINTPARAMS* APaintParams, HDC* APaintDC);
HRESULT EndBufferedPaint(HPAINTBUFFER ABufferedPaint, BOOL AUpdateTarget);
HRESULT BufferedPaintClear(HPAINTBUFFER ABufferedPaint, const RECT* ARect);
HRESULT BufferedPaintSetAlpha(HPAINTBUFFER ABufferedPaint, const RECT* ARect, BYTE AAlpha);
// Selects the device context's font again after the call.
HRESULT DrawThemeParentBackground(HWND AWnd, HDC DC, const RECT* ARect);
// False when the function is not bound.
BOOL IsThemeActive();

// Start-up initialises the common controls, loads the library and binds every name;
// shut-down clears the bindings and frees the library.
void Initialize();
void Finalize();

}  // namespace dxUxTheme

}  // namespace qd

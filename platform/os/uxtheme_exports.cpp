// The exports of "uxtheme.dll" (and DwmFlush of "dwmapi.dll") in the by-name module table.
#include "platform/os/dwmapi.h"
#include "platform/os/modules.h"
#include "platform/os/uxtheme.h"

namespace qd::os {

void RegisterThemeModules() {
  const char* ux = "uxtheme.dll";
  RegisterExport(ux, "OpenThemeData", &OpenThemeData);
  RegisterExport(ux, "OpenThemeDataEx", &OpenThemeDataEx);
  RegisterExport(ux, "OpenThemeDataForDpi", &OpenThemeDataForDpi);
  RegisterExport(ux, "CloseThemeData", &CloseThemeData);
  RegisterExport(ux, "IsThemeActive", &IsThemeActive);
  RegisterExport(ux, "IsAppThemed", &IsAppThemed);
  RegisterExport(ux, "IsThemePartDefined", &IsThemePartDefined);
  RegisterExport(ux, "IsThemeBackgroundPartiallyTransparent", &IsThemeBackgroundPartiallyTransparent);
  RegisterExport(ux, "GetThemeAppProperties", &GetThemeAppProperties);
  RegisterExport(ux, "SetThemeAppProperties", &SetThemeAppProperties);
  RegisterExport(ux, "GetCurrentThemeName", &GetCurrentThemeName);
  RegisterExport(ux, "GetThemeDocumentationProperty", &GetThemeDocumentationProperty);
  RegisterExport(ux, "SetWindowTheme", &SetWindowTheme);
  RegisterExport(ux, "GetWindowTheme", &GetWindowTheme);
  RegisterExport(ux, "EnableThemeDialogTexture", &EnableThemeDialogTexture);
  RegisterExport(ux, "IsThemeDialogTextureEnabled", &IsThemeDialogTextureEnabled);
  RegisterExport(ux, "DrawThemeBackground", &DrawThemeBackground);
  RegisterExport(ux, "DrawThemeBackgroundEx", &DrawThemeBackgroundEx);
  RegisterExport(ux, "DrawThemeText", &DrawThemeText);
  RegisterExport(ux, "DrawThemeTextEx", &DrawThemeTextEx);
  RegisterExport(ux, "DrawThemeEdge", &DrawThemeEdge);
  RegisterExport(ux, "DrawThemeIcon", &DrawThemeIcon);
  RegisterExport(ux, "DrawThemeParentBackground", &DrawThemeParentBackground);
  RegisterExport(ux, "DrawThemeParentBackgroundEx", &DrawThemeParentBackgroundEx);
  RegisterExport(ux, "GetThemeBackgroundContentRect", &GetThemeBackgroundContentRect);
  RegisterExport(ux, "GetThemeBackgroundExtent", &GetThemeBackgroundExtent);
  RegisterExport(ux, "GetThemeBackgroundRegion", &GetThemeBackgroundRegion);
  RegisterExport(ux, "HitTestThemeBackground", &HitTestThemeBackground);
  RegisterExport(ux, "GetThemePartSize", &GetThemePartSize);
  RegisterExport(ux, "GetThemeTextExtent", &GetThemeTextExtent);
  RegisterExport(ux, "GetThemeTextMetrics", &GetThemeTextMetrics);
  RegisterExport(ux, "GetThemeColor", &GetThemeColor);
  RegisterExport(ux, "GetThemeMetric", &GetThemeMetric);
  RegisterExport(ux, "GetThemeInt", &GetThemeInt);
  RegisterExport(ux, "GetThemeIntList", &GetThemeIntList);
  RegisterExport(ux, "GetThemeBool", &GetThemeBool);
  RegisterExport(ux, "GetThemeEnumValue", &GetThemeEnumValue);
  RegisterExport(ux, "GetThemeMargins", &GetThemeMargins);
  RegisterExport(ux, "GetThemePosition", &GetThemePosition);
  RegisterExport(ux, "GetThemeRect", &GetThemeRect);
  RegisterExport(ux, "GetThemeFont", &GetThemeFont);
  RegisterExport(ux, "GetThemeString", &GetThemeString);
  RegisterExport(ux, "GetThemeFilename", &GetThemeFilename);
  RegisterExport(ux, "GetThemePropertyOrigin", &GetThemePropertyOrigin);
  RegisterExport(ux, "GetThemeSysColor", &GetThemeSysColor);
  RegisterExport(ux, "GetThemeSysColorBrush", &GetThemeSysColorBrush);
  RegisterExport(ux, "GetThemeSysFont", &GetThemeSysFont);
  RegisterExport(ux, "GetThemeSysSize", &GetThemeSysSize);
  RegisterExport(ux, "GetThemeSysInt", &GetThemeSysInt);
  RegisterExport(ux, "GetThemeSysBool", &GetThemeSysBool);
  RegisterExport(ux, "GetThemeSysString", &GetThemeSysString);
  RegisterExport(ux, "BeginPanningFeedback", &BeginPanningFeedback);
  RegisterExport(ux, "UpdatePanningFeedback", &UpdatePanningFeedback);
  RegisterExport(ux, "EndPanningFeedback", &EndPanningFeedback);
  RegisterExport(ux, "BufferedPaintInit", &BufferedPaintInit);
  RegisterExport(ux, "BufferedPaintUnInit", &BufferedPaintUnInit);
  RegisterExport(ux, "BeginBufferedPaint", &BeginBufferedPaint);
  RegisterExport(ux, "EndBufferedPaint", &EndBufferedPaint);
  RegisterExport(ux, "BufferedPaintClear", &BufferedPaintClear);
  RegisterExport(ux, "BufferedPaintSetAlpha", &BufferedPaintSetAlpha);
  RegisterExport(ux, "BufferedPaintMakeOpaque", &BufferedPaintMakeOpaque);
  RegisterExport(ux, "GetBufferedPaintBits", &GetBufferedPaintBits);
  RegisterExport(ux, "GetBufferedPaintDC", &GetBufferedPaintDC);
  RegisterExport(ux, "GetBufferedPaintTargetDC", &GetBufferedPaintTargetDC);
  RegisterExport(ux, "GetBufferedPaintTargetRect", &GetBufferedPaintTargetRect);
  RegisterExport(ux, "BeginBufferedAnimation", &BeginBufferedAnimation);
  RegisterExport(ux, "EndBufferedAnimation", &EndBufferedAnimation);
  RegisterExport(ux, "BufferedPaintRenderAnimation", &BufferedPaintRenderAnimation);
  RegisterExport(ux, "BufferedPaintStopAllAnimations", &BufferedPaintStopAllAnimations);

  // The window manager registers the binding's twelve composition functions.
  RegisterExport("dwmapi.dll", "DwmFlush", &DwmFlush);
}

}  // namespace qd::os

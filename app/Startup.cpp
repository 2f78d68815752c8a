#include "app/Startup.h"

#include "app/Deployment.h"
#include "platform/base/strings.h"
#include "platform/classes/registry_timezones.h"
#include "platform/display/display.h"
#include "platform/forms/forms.h"
#include "platform/forms/forms_init.h"
#include "platform/gdiplus/gdiplus.h"
#include "platform/net/http_transfer.h"
#include "platform/net/net_published.h"
#include "platform/os/uxtheme.h"
#include "ui/controls/cxControlsWndProc.h"
#include "ui/controls/cxHint.h"
#include "ui/controls/dxForms.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/cxDataConsts.h"
#include "ui/core/cxDataStorage.h"
#include "ui/core/cxDateUtils.h"
#include "ui/core/cxFormats.h"
#include "ui/core/dxCultureInfo.h"
#include "ui/core/cxFilterConsts.h"
#include "ui/core/cxGeometryObjects.h"
#include "ui/core/cxLibraryStrs.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxCoreClasses.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxDWMApi.h"
#include "ui/core/dxHooks.h"
#include "ui/core/dxThreading.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxTouch.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/cxGraphics.h"
#include "ui/graphics/cxTextLayout.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/graphics/svg/dxSVGCore.h"
#include "ui/graphics/svg/dxSVGImage.h"
#include "ui/controls/cxContainer.h"
#include "ui/controls/cxContainerPopup.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"
#include "ui/lookandfeel/cxLookAndFeels.h"
#include "ui/lookandfeel/dxAnimation.h"
#include "ui/lookandfeel/dxFading.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/concrete/cxImage.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/editors/concrete/cxLabel.h"
#include "ui/editors/cxMaskEdit.h"
#include "ui/editors/cxDropDownEdit.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/editors/dxSpellCheckerCore.h"
#include "ui/editors/concrete/cxCheckBox.h"
#include "ui/editors/concrete/cxSpinEdit.h"
#include "ui/editors/concrete/cxProgressBar.h"
#include "ui/editors/concrete/cxTrackBar.h"
#include "ui/editors/concrete/dxCameraControl.h"
#include "ui/editors/concrete/cxMemo.h"
#include "ui/skins/dxSkinsCore.h"
#include "ui/skins/dxSkinsDefaultPainters.h"

namespace qd {

namespace {

void Nothing() {}

// The HTTP client's waits let the application's messages through (see TIdAntiFreeze).
void ProcessApplicationMessages() {
  if (Application) Application->ProcessMessages();
}

void PlatformInitialize() {
  // The screen first: headless, or real X windows when DISPLAY is set (QD_PLATFORM chooses).
  display::Initialize();
  // The library binds the visual-styles and GDI+ entries by module name, so both
  // modules are in the module table before any unit binds them.
  os::RegisterThemeModules();
  gdiplus::RegisterModule();
  forms::Initialize();
  net::SetAntiFreezeProcessMessages(&ProcessApplicationMessages);
  RegistryAddSystemTimeZones();
  net::RegisterPublishedNetClasses();
  if (!Deployment().CAFile.empty()) net::SetDefaultCAFile(StringToUtf8(Deployment().CAFile));
}

void PlatformFinalize() {
  net::SetAntiFreezeProcessMessages(nullptr);
  forms::Finalize();
  display::Finalize();
}

// In unit order; shut-down runs backwards.
const TUnit kUnits[] = {
    {&PlatformInitialize, &PlatformFinalize},
    {&dxCore::Initialize, &dxCore::Finalize},
    {&Nothing, &dxCoreClasses::Finalize},
    {&cxLibraryStrs::Initialize, &cxLibraryStrs::Finalize},
    {&cxClasses::Initialize, &cxClasses::Finalize},
    {&dxThreading::Initialize, &dxThreading::Finalize},
    {&dxHooks::Initialize, &dxHooks::Finalize},
    {&dxDPIAwareUtils::Initialize, &dxDPIAwareUtils::Finalize},
    {&dxUxTheme::Initialize, &dxUxTheme::Finalize},
    {&dxThemeManager::Initialize, &dxThemeManager::Finalize},
    {&dxDWMApi::Initialize, &dxDWMApi::Finalize},
    {&dxTouch::Initialize, &dxTouch::Finalize},
    {&cxDateUtils::Initialize, &cxDateUtils::Finalize},
    {&cxFormats::Initialize, &cxFormats::Finalize},
    {&dxCultureInfo::Initialize, &dxCultureInfo::Finalize},
    {&cxDataConsts::Initialize, &cxDataConsts::Finalize},
    {&cxFilterConsts::Initialize, &cxFilterConsts::Finalize},
    {&cxGeometry::Initialize, &cxGeometry::Finalize},
    {&cxDataStorage::Initialize, &cxDataStorage::Finalize},
    // Graphics.
    {&dxCoreGraphics::Initialize, &dxCoreGraphics::Finalize},
    {&cxGraphics::Initialize, &cxGraphics::Finalize},
    {&cxTextLayout::Initialize, &cxTextLayout::Finalize},
    {&dxGDIPlusAPI::Initialize, &dxGDIPlusAPI::Finalize},
    {&dxGDIPlusClasses::Initialize, &dxGDIPlusClasses::Finalize},
    {&dxGDIPlusCanvas::Initialize, &dxGDIPlusCanvas::Finalize},
    // Smart images, then the GDI+ image classes and codecs that stored forms name.
    {&dxSmartImage::Initialize, &dxSmartImage::Finalize},
    {&dxGDIPlusImage::Initialize, &dxGDIPlusImage::Finalize},
    // The SVG element map, then the SVG codec and picture class.
    {&dxSVGCore::Initialize, &dxSVGCore::Finalize},
    {&dxSVGImage::Initialize, &dxSVGImage::Finalize},
    // The painters' fader and animation controller.
    {&dxFading::Initialize, &dxFading::Finalize},
    {&dxAnimation::Initialize, &dxAnimation::Finalize},
    // The painters registry and the system-palette listener's primary notifier.
    {&cxLookAndFeelPainters::Initialize, &cxLookAndFeelPainters::Finalize},
    // The painters' shared bitmaps: the check-button size, the scroll-bar patterns, and the
    // radio-button images recoloured through the primary notifier.
    {&cxLookAndFeelPaintersBitmaps::Initialize, &cxLookAndFeelPaintersBitmaps::Finalize},
    // The root look-and-feel.
    {&cxLookAndFeels::Initialize, &cxLookAndFeels::Finalize},
    // The frame-window hook that gives plain frames a DPI controller.
    {&dxForms::Initialize, &dxForms::Finalize},
    // The control framework: cursors, system controller, window services and hooks.
    {&cxControls::Initialize, &cxControls::Finalize},
    // Containers: the default style controller every container style links to.
    {&cxContainer::Initialize, &cxContainer::Finalize},
    // The hooks that close container popups when the user acts elsewhere.
    {&cxContainerPopup::Initialize, &cxContainerPopup::Finalize},
    // The hint controller that lets hint style controllers take over the application's hints.
    {&cxHint::Initialize, &cxHint::Finalize},
    // The spell-checker slots and their context-popup hook, the editors' texts, then the
    // editor framework's registries.
    {&dxSpellCheckerCore::Initialize, &dxSpellCheckerCore::Finalize},
    {&cxEditConsts::Initialize, &cxEditConsts::Finalize},
    {&cxEdit::Initialize, &cxEdit::Finalize},
    {&cxExtEditConsts::Initialize, &cxExtEditConsts::Finalize},
    {&cxFilterControlStrs::Initialize, &cxFilterControlStrs::Finalize},
    // The skin classes (and the details record's reader of old skin streams).
    {&dxSkinsCore::Initialize, &dxSkinsCore::Finalize},
    // The "UserSkin" painter (only where GDI+ is usable); its skin is read on first use.
    {&dxSkinsDefaultPainters::Initialize, &dxSkinsDefaultPainters::Finalize},
    // The editors' registrations.
    {&cxTextEdit::Initialize, &cxTextEdit::Finalize},
    {&cxMaskEdit::Initialize, &cxMaskEdit::Finalize},
    {&cxDropDownEdit::Initialize, &cxDropDownEdit::Finalize},
    {&cxCheckBox::Initialize, &cxCheckBox::Finalize},
    {&cxSpinEdit::Initialize, &cxSpinEdit::Finalize},
    {&cxProgressBar::Initialize, &cxProgressBar::Finalize},
    {&cxMemo::Initialize, &cxMemo::Finalize},
    {&cxLabel::Initialize, &cxLabel::Finalize},
    {&cxTrackBar::Initialize, &cxTrackBar::Finalize},
    {&cxImage::Initialize, &cxImage::Finalize},
    // The camera control class for stored forms; shutting down frees the camera manager.
    {&dxCameraControl::Initialize, &dxCameraControl::Finalize},
};

}  // namespace

std::span<const TUnit> ProgramUnits() {
  return kUnits;
}

void InitializeUnits(std::span<const TUnit> AUnits) {
  size_t started = 0;
  try {
    for (; started < AUnits.size(); ++started) AUnits[started].Initialize();
  } catch (...) {
    // The start-up's exception is the one reported; a unit that fails to shut down as well
    // does not keep the ones before it from shutting down.
    while (started > 0) {
      try {
        AUnits[--started].Finalize();
      } catch (...) {
      }
    }
    throw;
  }
}

void FinalizeUnits(std::span<const TUnit> AUnits) {
  for (auto it = AUnits.rbegin(); it != AUnits.rend(); ++it) it->Finalize();
}

}  // namespace qd

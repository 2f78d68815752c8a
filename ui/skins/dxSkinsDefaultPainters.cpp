#include "ui/skins/dxSkinsDefaultPainters.h"

#include "ui/core/dxCore.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxSkinUserLookAndFeelPainterInfo)
QD_IMPLEMENT_CLASS(TdxSkinsUserSkinPainter)

void TdxSkinUserLookAndFeelPainterInfo::SkinChanged() {
  inherited::SkinChanged();
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->Refresh();
}

namespace dxSkinsDefaultPainters {

void RegisterPainters() {
  if (!CheckGdiPlus(false)) return;
  // The program's own module holds the resource.
  if (TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager())
    manager->Register(std::make_unique<TdxSkinsUserSkinPainter>(sdxDefaultUserSkinData, nullptr));
}

void UnregisterPainters() {
  if (TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager())
    manager->Unregister(sdxDefaultUserSkinName);
}

void Initialize() {
  dxUnitsLoader()->AddUnit(&RegisterPainters, &UnregisterPainters);
}

void Finalize() {
  dxUnitsLoader()->RemoveUnit(&UnregisterPainters);
}

}  // namespace dxSkinsDefaultPainters

}  // namespace qd

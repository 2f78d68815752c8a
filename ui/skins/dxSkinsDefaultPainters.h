#pragma once
// The default skin painter "UserSkin": the skin painter of the skin the program carries as the
// resource "DXSKINS"/"DefaultUserSkinData", and the unit work that registers it with the
// painters registry at start-up (only where GDI+ is usable) and takes it out at shut-down.
#include "ui/skins/dxSkinsLookAndFeelPainter.h"

namespace qd {

inline constexpr const Char* sdxDefaultUserSkinData = u"DefaultUserSkinData";
inline constexpr const Char* sdxDefaultUserSkinName = u"UserSkin";

// Refreshes the root look-and-feel after resolving the changed skin again, so that every control
// following the root repaints with it.
class TdxSkinUserLookAndFeelPainterInfo : public TdxSkinLookAndFeelPainterInfo {
  QD_CLASS(TdxSkinUserLookAndFeelPainterInfo, TdxSkinLookAndFeelPainterInfo)

 public:
  using TdxSkinLookAndFeelPainterInfo::SkinChanged;
  using TdxSkinLookAndFeelPainterInfo::TdxSkinLookAndFeelPainterInfo;
  void SkinChanged() override;
};

class TdxSkinsUserSkinPainter : public TdxSkinLookAndFeelPainter {
  QD_CLASS(TdxSkinsUserSkinPainter, TdxSkinLookAndFeelPainter)

 public:
  using TdxSkinLookAndFeelPainter::TdxSkinLookAndFeelPainter;

  bool IsInternalPainter() override { return true; }
  // A constant: asking for the name never loads the skin.
  String LookAndFeelName() override { return sdxDefaultUserSkinName; }
  TClass GetSkinInfoClass() override { return TdxSkinUserLookAndFeelPainterInfo::StaticClass(); }
};

namespace dxSkinsDefaultPainters {
// Creates the "UserSkin" painter over the program's own resource and registers it; nothing
// without GDI+.
void RegisterPainters();
// Unregisters (and so frees) it; nothing once the registry is gone.
void UnregisterPainters();
// The unit's start-up and shut-down: the pair above through the units loader.
void Initialize();
void Finalize();
}  // namespace dxSkinsDefaultPainters

}  // namespace qd

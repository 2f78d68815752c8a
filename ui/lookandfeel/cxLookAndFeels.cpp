// TcxLookAndFeel: values through the master chain, painter choice, batched change notification,
// stored-form extras; the look-and-feel controller; the unit's globals, root and start-up.
#include "ui/lookandfeel/cxLookAndFeels.h"

#include <algorithm>

#include "platform/base/scopeexit.h"
#include "platform/classes/filer.h"
#include "platform/forms/forms.h"
#include "ui/core/dxCore.h"
#include "ui/lookandfeel/dxSkinDetails.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxLookAndFeel)
QD_IMPLEMENT_CLASS(TcxLookAndFeelController)

bool cxUseSkins = true;
bool cxIsTouchSettingsChanging = false;
TcxGetSkinPainterProc GetSkinPainterProc = nullptr;
TcxClassSupportsSkinProc ClassSupportsSkinProc = nullptr;

namespace {

TcxLookAndFeel* gRootLookAndFeel = nullptr;
// Controllers listening to the root.
int32_t gLookAndFeelControllerCount = 0;
TcxDesignerModifiedProc gLookAndFeelDesignerModifiedProc = nullptr;

const TTypeInfo* LookAndFeelKindTypeInfo() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TcxLookAndFeelKind", {u"lfFlat", u"lfStandard", u"lfUltraFlat", u"lfOffice11"});
  return &t;
}

const TTypeInfo* ScrollbarModeTypeInfo() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TdxScrollbarMode", {u"sbmDefault", u"sbmTouch", u"sbmClassic", u"sbmHybrid"});
  return &t;
}

const TTypeInfo* LookAndFeelValuesTypeInfo() {
  static const TTypeInfo e = MakeEnumTypeInfo(
      u"TcxLookAndFeelValue", {u"lfvKind", u"lfvNativeStyle", u"lfvSkinName", u"lfvScrollbarMode"});
  static const TTypeInfo t = MakeSetTypeInfo(u"TcxLookAndFeelValues", &e);
  return &t;
}

const TTypeInfo* TouchScrollUIModeTypeInfo() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TdxTouchScrollUIMode", {u"tsmDefault", u"tsmEnabled", u"tsmDisabled"});
  return &t;
}

TcxLookAndFeelValues AllLookAndFeelValues() {
  return {lfvKind, lfvNativeStyle, lfvSkinName, lfvScrollbarMode};
}

bool IsLookAndFeelController(IcxLookAndFeelNotificationListener* AListener) {
  return dynamic_cast<TcxLookAndFeelController*>(AListener->GetObject()) != nullptr;
}

// Every look-and-feel alive, for the registry's refresh.
std::vector<TcxLookAndFeel*>& LookAndFeelInstances() {
  static std::vector<TcxLookAndFeel*> instances;
  return instances;
}

bool IsPainterRegistered(TcxCustomLookAndFeelPainter* APainter) {
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  if (!APainter || !manager) return true;
  for (int32_t i = 0; i < manager->Count(); ++i)
    if (manager->Items(i) == APainter) return true;
  return false;
}

}  // namespace

// The root's creation and destruction, run by the units loader.
struct TcxLookAndFeelUnit {
  static void CreateRoot() {
    if (gRootLookAndFeel) return;
    auto* root = new TcxLookAndFeel(nullptr);
    root->FIsRootLookAndFeel = true;
    gRootLookAndFeel = root;
    cxSetRootLookAndFeelRefreshProc(&RefreshRoot);
  }
  static void DestroyRoot() {
    cxSetRootLookAndFeelRefreshProc(nullptr);
    delete gRootLookAndFeel;
    gRootLookAndFeel = nullptr;
    gLookAndFeelControllerCount = 0;
  }
  // After a painter joined or left the registry. A look-and-feel with every value assigned
  // hears nothing of the root's refresh, yet may hold the painter that is about to be freed.
  static void RefreshRoot() {
    if (gRootLookAndFeel) gRootLookAndFeel->Refresh();
    const std::vector<TcxLookAndFeel*> instances = LookAndFeelInstances();
    for (TcxLookAndFeel* lookAndFeel : instances) {
      const auto& alive = LookAndFeelInstances();
      if (std::find(alive.begin(), alive.end(), lookAndFeel) == alive.end()) continue;
      if (IsPainterRegistered(lookAndFeel->FPainter) && IsPainterRegistered(lookAndFeel->FSkinPainter))
        continue;
      lookAndFeel->InitializeCurrentState();
      lookAndFeel->InitializePainter();
    }
  }
};

// --- Globals ---------------------------------------------------------------------------------------

TcxLookAndFeel* RootLookAndFeel() {
  return gRootLookAndFeel;
}

bool cxIsTouchScrollUIModeEnabled() {
  if (!gRootLookAndFeel) return true;
  const TdxScrollbarMode mode = gRootLookAndFeel->ScrollbarMode();
  return mode == sbmDefault || mode == sbmTouch;
}

bool ClassSupportsSkinHandler(TPersistent* AObject) {
  if (auto* support2 = dynamic_cast<IdxSkinSupport2*>(AObject)) return support2->IsSkinnable();
  return dynamic_cast<IdxSkinSupport*>(AObject) != nullptr;
}

void cxSetLookAndFeelDesignerModifiedProc(TcxDesignerModifiedProc AProc) {
  gLookAndFeelDesignerModifiedProc = AProc;
}

// --- TcxLookAndFeel ----------------------------------------------------------------------------------

void TcxLookAndFeel::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("AssignedValues", &TcxLookAndFeel::AssignedValues, &TcxLookAndFeel::SetAssignedValues,
         LookAndFeelValuesTypeInfo())
      .Default(0);
  r.Prop("Kind", &TcxLookAndFeel::Kind, &TcxLookAndFeel::SetKind, LookAndFeelKindTypeInfo())
      .Stored(&TcxLookAndFeel::IsKindStored);
  r.Prop("NativeStyle", &TcxLookAndFeel::NativeStyle, &TcxLookAndFeel::SetNativeStyle)
      .Stored(&TcxLookAndFeel::IsNativeStyleStored);
  r.Prop("ScrollbarMode", &TcxLookAndFeel::ScrollbarMode, &TcxLookAndFeel::SetScrollbarMode,
         ScrollbarModeTypeInfo())
      .Stored(&TcxLookAndFeel::IsScrollbarModeStored);
  r.Prop("SkinName", &TcxLookAndFeel::SkinName, &TcxLookAndFeel::SetSkinName)
      .Stored(&TcxLookAndFeel::IsSkinNameStored);
}

TcxLookAndFeel::TcxLookAndFeel(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {
  FCurrentState = FData;
  FSystemPaletteChangedNotifier = std::make_unique<TcxSystemPaletteChangedNotifier>(false);
  FSystemPaletteChangedNotifier->SetOnSystemPaletteChanged(
      TcxSystemPaletteChangedEvent(this, &TcxLookAndFeel::SystemPaletteChanged));
  if (gRootLookAndFeel) {
    gRootLookAndFeel->AddChangeListener(this);
    InitializeCurrentState();
  }
  InitializePainter();
  LookAndFeelInstances().push_back(this);
}

TcxLookAndFeel::~TcxLookAndFeel() {
  FSystemPaletteChangedNotifier.reset();
  DoMasterLookAndFeelDestroying();
  FChangeListenerList.clear();
  if (TcxLookAndFeel* master = MasterLookAndFeel()) master->RemoveChangeListener(this);
  if (FIsRootLookAndFeel) {
    if (gRootLookAndFeel == this) gRootLookAndFeel = nullptr;
    FIsRootLookAndFeel = false;
  }
  auto& instances = LookAndFeelInstances();
  instances.erase(std::remove(instances.begin(), instances.end(), this), instances.end());
}

void TcxLookAndFeel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxLookAndFeel*>(Source);
  if (!source) {
    TcxInterfacedPersistent::Assign(Source);
    return;
  }
  SaveState();
  FData = source->FData;
  FAssignedValues = source->FAssignedValues;
  InternalSetMaster(source->MasterLookAndFeel());
  CheckStateChanges();
}

void TcxLookAndFeel::DefineProperties(TFiler* Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  Filer->DefineProperty(
      u"SkinName", [this](TReader* AReader) { ReadSkinName(AReader); },
      [this](TWriter* AWriter) { WriteSkinName(AWriter); },
      FAssignedValues.Contains(lfvSkinName) && SkinName().empty());
  Filer->DefineProperty(
      u"TouchScrollUIMode", [this](TReader* AReader) { ReadTouchScrollUIMode(AReader); }, nullptr, false);
}

void TcxLookAndFeel::ReadSkinName(TReader* AReader) {
  SetSkinName(AReader->ReadString());
}

void TcxLookAndFeel::WriteSkinName(TWriter* AWriter) {
  AWriter->WriteString(SkinName());
}

void TcxLookAndFeel::ReadTouchScrollUIMode(TReader* AReader) {
  // An identifier the type does not know counts as "disabled", like tsmDisabled.
  const int64_t mode = GetEnumValue(TouchScrollUIModeTypeInfo(), AReader->ReadIdent());
  SetTouchScrollUIMode(mode == tsmDefault ? tsmDefault : mode == tsmEnabled ? tsmEnabled : tsmDisabled);
}

TdxTouchScrollUIMode TcxLookAndFeel::TouchScrollUIMode() const {
  switch (ScrollbarMode()) {
    case sbmDefault:
      return tsmDefault;
    case sbmTouch:
      return tsmEnabled;
    default:
      return tsmDisabled;
  }
}

void TcxLookAndFeel::SetTouchScrollUIMode(TdxTouchScrollUIMode AValue) {
  switch (AValue) {
    case tsmDefault:
      SetScrollbarMode(sbmDefault);
      break;
    case tsmEnabled:
      SetScrollbarMode(sbmTouch);
      break;
    default:
      SetScrollbarMode(sbmClassic);
      break;
  }
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind AValue) {
  const TcxLookAndFeelKind previous = Kind();
  FAssignedValues.Include(lfvKind);
  FData.Kind = AValue;
  if (InternalGetKind() != previous) Changed({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool AValue) {
  const bool previous = NativeStyle();
  FAssignedValues.Include(lfvNativeStyle);
  FData.NativeStyle = AValue;
  if (InternalGetNativeStyle() != previous) Changed({lfvNativeStyle});
}

void TcxLookAndFeel::SetSkinName(const TdxSkinName& AValue) {
  const TdxSkinName previous = SkinName();
  FAssignedValues.Include(lfvSkinName);
  FData.SkinName = AValue;
  if (InternalGetSkinName() != previous) Changed({lfvSkinName});
}

void TcxLookAndFeel::SetScrollbarMode(TdxScrollbarMode AValue) {
  const TdxScrollbarMode previous = ScrollbarMode();
  FAssignedValues.Include(lfvScrollbarMode);
  FData.ScrollbarMode = AValue;
  if (InternalGetScrollbarMode() != previous) Changed({lfvScrollbarMode});
}

void TcxLookAndFeel::SetStyle(TcxLookAndFeelStyle AStyle) {
  SetNativeStyle(AStyle == lfsNative);
  if (!NativeStyle()) SetKind(cxLookAndFeelKindMap[AStyle]);
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues AValue) {
  if (AValue == FAssignedValues) return;
  SaveState();
  FAssignedValues = AValue;
  CheckStateChanges();
}

void TcxLookAndFeel::Reset() {
  SetAssignedValues({});
  if (FIsRootLookAndFeel) {
    dxSkinsUseImageSet = imsDefault;
    cxUseSkins = true;
    cxIsTouchModeEnabled = false;
  }
}

TcxLookAndFeel* TcxLookAndFeel::EffectiveMaster() const {
  if (FIsRootLookAndFeel) return nullptr;
  return FMasterLookAndFeel ? FMasterLookAndFeel : gRootLookAndFeel;
}

TcxLookAndFeel* TcxLookAndFeel::MasterLookAndFeel() const {
  return EffectiveMaster();
}

void TcxLookAndFeel::SetMasterLookAndFeel(TcxLookAndFeel* AValue) {
  SaveState();
  if (InternalSetMaster(AValue)) CheckStateChanges();
}

bool TcxLookAndFeel::InternalSetMaster(TcxLookAndFeel* AValue) {
  if (FIsRootLookAndFeel || AValue == this || AValue == EffectiveMaster()) return false;
  // A master whose own chain leads back here would make every value getter recurse forever.
  for (const TcxLookAndFeel* m = AValue; m; m = m->FMasterLookAndFeel)
    if (m == this) return false;
  if (TcxLookAndFeel* old = EffectiveMaster()) old->RemoveChangeListener(this);
  FMasterLookAndFeel = AValue;
  if (TcxLookAndFeel* master = EffectiveMaster()) master->AddChangeListener(this);
  return true;
}

bool TcxLookAndFeel::IsListener(TObject* AObject) const {
  return std::find(FChangeListenerList.begin(), FChangeListenerList.end(), AObject) !=
         FChangeListenerList.end();
}

void TcxLookAndFeel::AddChangeListener(TObject* AObject) {
  // A listener joining a master that is going away would keep a dangling master.
  if (!AObject || FIsDestruction) return;
  auto* listener = dynamic_cast<IcxLookAndFeelNotificationListener*>(AObject);
  if (!listener) return;
  const bool isController = IsLookAndFeelController(listener);
  if (isController && !FIsRootLookAndFeel) return;
  if (IsListener(AObject)) return;
  FChangeListenerList.push_back(AObject);
  if (isController) ++gLookAndFeelControllerCount;
}

void TcxLookAndFeel::RemoveChangeListener(TObject* AObject) {
  if (!AObject) return;
  auto* listener = dynamic_cast<IcxLookAndFeelNotificationListener*>(AObject);
  if (!listener) return;
  const auto it = std::find(FChangeListenerList.begin(), FChangeListenerList.end(), AObject);
  if (it == FChangeListenerList.end()) return;
  // The destruction walk keeps its indices: the entry is only emptied.
  if (FIsDestruction)
    *it = nullptr;
  else
    FChangeListenerList.erase(it);
  if (FIsRootLookAndFeel && IsLookAndFeelController(listener) && gLookAndFeelControllerCount > 0)
    if (--gLookAndFeelControllerCount == 0) Reset();
}

void TcxLookAndFeel::BeginUpdate() {
  ++FUpdateLockCount;
}

void TcxLookAndFeel::EndUpdate() {
  if (FUpdateLockCount == 0) return;
  if (--FUpdateLockCount == 0) {
    const TcxLookAndFeelValues changed = FChangedValues;
    FChangedValues.Clear();
    Changed(changed);
  }
}

void TcxLookAndFeel::Refresh() {
  Changed(AllLookAndFeelValues());
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetAvailablePainter(
    TdxThemedObjectTypes ANeededThemedObjectTypes) {
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  if (!manager) return nullptr;
  TcxLookAndFeelStyle style;
  if (FCurrentState.NativeStyle && AreVisualStylesAvailable(ANeededThemedObjectTypes)) {
    style = lfsNative;
  } else {
    if (FSkinPainter) return FSkinPainter;
    style = GetActiveStyle();
  }
  return manager->GetPainter(style);
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetAvailablePainter(
    TdxThemedObjectType ANeededThemedObjectType) {
  return GetAvailablePainter(TdxThemedObjectTypes{ANeededThemedObjectType});
}

TcxLookAndFeelStyle TcxLookAndFeel::GetActiveStyle() const {
  if (FCurrentState.NativeStyle && AreVisualStylesAvailable()) return lfsNative;
  if (FSkinPainter) return lfsSkin;
  return cxLookAndFeelStyleMap[FCurrentState.Kind];
}

void TcxLookAndFeel::MasterLookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) {
  Changed(AChangedValues - FAssignedValues);
}

void TcxLookAndFeel::MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) {
  SetMasterLookAndFeel(nullptr);
}

void TcxLookAndFeel::MasterLookAndFeelBeginChange(TcxLookAndFeel* Sender) {
  if (FOnMasterBeginChange) FOnMasterBeginChange(this);
}

void TcxLookAndFeel::MasterLookAndFeelEndChange(TcxLookAndFeel* Sender) {
  if (FOnMasterEndChange) FOnMasterEndChange(this);
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::GetSkinPainter(const TdxSkinName& ASkinName) {
  if (!cxUseSkins || ASkinName.empty()) return nullptr;
  if (TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager())
    if (TcxCustomLookAndFeelPainter* painter = manager->GetPainter(ASkinName)) return painter;
  return GetSkinPainterProc ? GetSkinPainterProc(ASkinName) : nullptr;
}

void TcxLookAndFeel::InitializeCurrentState() {
  FCurrentState.Kind = InternalGetKind();
  FCurrentState.NativeStyle = InternalGetNativeStyle();
  FCurrentState.SkinName = InternalGetSkinName();
  FCurrentState.ScrollbarMode = InternalGetScrollbarMode();
  FCurrentState.UseSkins = cxUseSkins;
  FSkinPainter = FCurrentState.NativeStyle ? nullptr : InternalGetSkinPainter();
}

void TcxLookAndFeel::InitializePainter() {
  FPainter = GetAvailablePainter(TdxThemedObjectTypes{});
}

TcxLookAndFeelKind TcxLookAndFeel::InternalGetKind() {
  if (FAssignedValues.Contains(lfvKind)) return FData.Kind;
  if (TcxLookAndFeel* master = EffectiveMaster()) return master->Kind();
  return lfUltraFlat;
}

bool TcxLookAndFeel::InternalGetNativeStyle() {
  if (FAssignedValues.Contains(lfvNativeStyle)) return FData.NativeStyle;
  if (TcxLookAndFeel* master = EffectiveMaster()) return master->NativeStyle();
  return true;
}

TdxSkinName TcxLookAndFeel::InternalGetSkinName() {
  if (FAssignedValues.Contains(lfvSkinName)) return FData.SkinName;
  if (TcxLookAndFeel* master = EffectiveMaster()) return master->SkinName();
  return TdxSkinName();
}

TcxCustomLookAndFeelPainter* TcxLookAndFeel::InternalGetSkinPainter() {
  if (FAssignedValues.Contains(lfvSkinName)) return GetSkinPainter(FData.SkinName);
  if (TcxLookAndFeel* master = EffectiveMaster()) return master->GetSkinPainter(master->SkinName());
  return nullptr;
}

TdxScrollbarMode TcxLookAndFeel::InternalGetScrollbarMode() {
  if (FAssignedValues.Contains(lfvScrollbarMode)) return FData.ScrollbarMode;
  if (TcxLookAndFeel* master = EffectiveMaster()) return master->ScrollbarMode();
  return sbmDefault;
}

void TcxLookAndFeel::SystemPaletteChanged() {
  Changed({lfvNativeStyle});
}

void TcxLookAndFeel::SaveState() {
  FPrevState.Kind = Kind();
  FPrevState.NativeStyle = NativeStyle();
  FPrevState.SkinName = SkinName();
  FPrevState.ScrollbarMode = ScrollbarMode();
}

void TcxLookAndFeel::CheckStateChanges() {
  TcxLookAndFeelValues changed;
  if (InternalGetKind() != FPrevState.Kind) changed.Include(lfvKind);
  if (InternalGetNativeStyle() != FPrevState.NativeStyle) changed.Include(lfvNativeStyle);
  if (InternalGetSkinName() != FPrevState.SkinName) changed.Include(lfvSkinName);
  if (InternalGetScrollbarMode() != FPrevState.ScrollbarMode) changed.Include(lfvScrollbarMode);
  Changed(changed);
}

void TcxLookAndFeel::Changed(TcxLookAndFeelValues AChangedValues) {
  if (FIsDestruction) return;
  if (cxUseSkins != FCurrentState.UseSkins) AChangedValues.Include(lfvSkinName);
  if (AChangedValues.Empty() && !cxIsTouchSettingsChanging) return;
  InitializeCurrentState();
  InitializePainter();
  if (FUpdateLockCount > 0) {
    FChangedValues += AChangedValues;
    return;
  }
  DoMasterLookAndFeelChanged(AChangedValues);
  if (FOnChanged) FOnChanged(this, AChangedValues);
}

void TcxLookAndFeel::DoMasterLookAndFeelChanged(TcxLookAndFeelValues AChangedValues) {
  // Listeners may leave (or join) the list while they are told: each pass walks the listeners
  // present at its start and skips those that have left meanwhile.
  const std::vector<TObject*> listeners = FChangeListenerList;
  auto forEach = [this, &listeners](auto AAction) {
    for (TObject* listener : listeners)
      if (IsListener(listener)) AAction(listener);
  };
  forEach([this](TObject* AListener) {
    if (auto* listener2 = dynamic_cast<IcxLookAndFeelNotificationListener2*>(AListener))
      listener2->MasterLookAndFeelBeginChange(this);
  });
  forEach([this, AChangedValues](TObject* AListener) {
    dynamic_cast<IcxLookAndFeelNotificationListener*>(AListener)->MasterLookAndFeelChanged(this,
                                                                                           AChangedValues);
  });
  forEach([this](TObject* AListener) {
    if (auto* listener2 = dynamic_cast<IcxLookAndFeelNotificationListener2*>(AListener))
      listener2->MasterLookAndFeelEndChange(this);
  });
}

void TcxLookAndFeel::DoMasterLookAndFeelDestroying() {
  FIsDestruction = true;
  const size_t count = FChangeListenerList.size();
  for (size_t i = 0; i < count; ++i)
    if (TObject* listener = FChangeListenerList[i])
      dynamic_cast<IcxLookAndFeelNotificationListener*>(listener)->MasterLookAndFeelDestroying(this);
  FIsDestruction = false;
}

// --- TcxLookAndFeelController --------------------------------------------------------------------------

void TcxLookAndFeelController::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Kind", &TcxLookAndFeelController::Kind, &TcxLookAndFeelController::SetKind,
         LookAndFeelKindTypeInfo())
      .Default(lfUltraFlat);
  r.Prop("NativeStyle", &TcxLookAndFeelController::NativeStyle, &TcxLookAndFeelController::SetNativeStyle)
      .Default(true);
  r.Prop("ScrollbarMode", &TcxLookAndFeelController::ScrollbarMode,
         &TcxLookAndFeelController::SetScrollbarMode, ScrollbarModeTypeInfo())
      .Default(sbmDefault);
  r.Prop("SkinName", &TcxLookAndFeelController::SkinName, &TcxLookAndFeelController::SetSkinName)
      .Stored(&TcxLookAndFeelController::IsSkinNameStored);
  r.Prop("TouchMode", &TcxLookAndFeelController::TouchMode, &TcxLookAndFeelController::SetTouchMode)
      .Default(false);
}

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* AOwner) : TcxCustomComponent(AOwner) {
  if (gRootLookAndFeel) gRootLookAndFeel->AddChangeListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
  if (gRootLookAndFeel) gRootLookAndFeel->RemoveChangeListener(this);
}

void TcxLookAndFeelController::DefineProperties(TFiler* Filer) {
  TcxCustomComponent::DefineProperties(Filer);
  Filer->DefineProperty(
      u"TouchScrollUIMode", [this](TReader* AReader) { ReadTouchScrollUIMode(AReader); }, nullptr, false);
}

void TcxLookAndFeelController::ReadTouchScrollUIMode(TReader* AReader) {
  SetTouchScrollUIMode(AReader->ReadBoolean());
}

void TcxLookAndFeelController::BeginUpdate() {
  if (gRootLookAndFeel) gRootLookAndFeel->BeginUpdate();
}

void TcxLookAndFeelController::EndUpdate() {
  if (gRootLookAndFeel) gRootLookAndFeel->EndUpdate();
}

void TcxLookAndFeelController::Reset() {
  if (gRootLookAndFeel) gRootLookAndFeel->Reset();
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const {
  return gRootLookAndFeel ? gRootLookAndFeel->Kind() : lfUltraFlat;
}

void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind AValue) {
  if (gRootLookAndFeel) gRootLookAndFeel->SetKind(AValue);
}

bool TcxLookAndFeelController::NativeStyle() const {
  return gRootLookAndFeel ? gRootLookAndFeel->NativeStyle() : true;
}

void TcxLookAndFeelController::SetNativeStyle(bool AValue) {
  if (gRootLookAndFeel) gRootLookAndFeel->SetNativeStyle(AValue);
}

TdxScrollbarMode TcxLookAndFeelController::ScrollbarMode() const {
  return gRootLookAndFeel ? gRootLookAndFeel->ScrollbarMode() : sbmDefault;
}

void TcxLookAndFeelController::SetScrollbarMode(TdxScrollbarMode AValue) {
  if (gRootLookAndFeel) gRootLookAndFeel->SetScrollbarMode(AValue);
}

TdxSkinName TcxLookAndFeelController::SkinName() const {
  return gRootLookAndFeel ? gRootLookAndFeel->SkinName() : TdxSkinName();
}

void TcxLookAndFeelController::SetSkinName(const TdxSkinName& AValue) {
  if (gRootLookAndFeel) gRootLookAndFeel->SetSkinName(AValue);
}

void TcxLookAndFeelController::SetTouchMode(bool AValue) {
  if (AValue == cxIsTouchModeEnabled) return;
  cxIsTouchSettingsChanging = true;
  ScopeExit settled{[] { cxIsTouchSettingsChanging = false; }};
  cxIsTouchModeEnabled = AValue;
  if (gRootLookAndFeel) gRootLookAndFeel->Refresh();
}

void TcxLookAndFeelController::SetTouchScrollUIMode(bool AValue) {
  if (AValue != TouchScrollUIMode()) SetScrollbarMode(AValue ? sbmTouch : sbmClassic);
}

void TcxLookAndFeelController::MasterLookAndFeelChanged(TcxLookAndFeel* Sender,
                                                        TcxLookAndFeelValues AChangedValues) {
  Modified();
}

void TcxLookAndFeelController::MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) {
  Modified();
}

void TcxLookAndFeelController::Modified() {
  if (gLookAndFeelDesignerModifiedProc) gLookAndFeelDesignerModifiedProc(this);
}

// --- Unit start-up -----------------------------------------------------------------------------------

namespace cxLookAndFeels {

void Initialize() {
  GroupDescendentsWith(TcxLookAndFeelController::StaticClass(), TForm::StaticClass());
  ClassSupportsSkinProc = &ClassSupportsSkinHandler;
  if (TdxUnitsLoader* loader = dxUnitsLoader())
    loader->AddUnit(&TcxLookAndFeelUnit::CreateRoot, &TcxLookAndFeelUnit::DestroyRoot);
  else
    TcxLookAndFeelUnit::CreateRoot();
}

void Finalize() {
  if (TdxUnitsLoader* loader = dxUnitsLoader()) loader->RemoveUnit(&TcxLookAndFeelUnit::DestroyRoot);
  TcxLookAndFeelUnit::DestroyRoot();
  ClassSupportsSkinProc = nullptr;
}

}  // namespace cxLookAndFeels

}  // namespace qd

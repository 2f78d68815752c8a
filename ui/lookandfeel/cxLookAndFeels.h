#pragma once
// Look-and-feel settings: TcxLookAndFeel, the object every control owns to choose its painter,
// with its values inherited through a chain of masters down to the one root look-and-feel; the
// controller component that edits the root; and the global switches the library reads.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/method.h"
#include "platform/base/set.h"
#include "platform/base/types.h"
#include "platform/classes/classes.h"
#include "platform/classes/rtti.h"
#include "ui/core/cxClasses.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/dxThemeManager.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

class TcxLookAndFeel;
struct TcxLookAndFeelUnit;

// The unit's start-up creates the root look-and-feel (through the units loader) and lets the
// painters registry refresh it, groups the controller with the form class and sets
// ClassSupportsSkinProc; shut-down frees the root.
namespace cxLookAndFeels {
void Initialize();
void Finalize();
}  // namespace cxLookAndFeels

// The four values of a look-and-feel; the set (bits 1, 2, 4 and 8) names the values assigned
// locally, or the values a change notification reports as changed.
enum TcxLookAndFeelValue : uint8_t { lfvKind, lfvNativeStyle, lfvSkinName, lfvScrollbarMode };
using TcxLookAndFeelValues = TSet<TcxLookAndFeelValue, 4>;

// Read only from old stored forms ("TouchScrollUIMode").
enum TdxTouchScrollUIMode : uint8_t { tsmDefault, tsmEnabled, tsmDisabled };

using TdxSkinName = String;

struct TcxLookAndFeelData {
  TcxLookAndFeelKind Kind = lfUltraFlat;
  bool NativeStyle = true;
  TdxSkinName SkinName;
  TdxScrollbarMode ScrollbarMode = sbmDefault;
  // cxUseSkins when the state was last computed (current state only).
  bool UseSkins = false;
};

using TcxLookAndFeelChangedEvent = TMethod<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues)>;

// --- Listener and marker interfaces ------------------------------------------------------------

// What a look-and-feel tells the objects that listen to it (the controls that own it and the
// look-and-feels that use it as their master).
class IcxLookAndFeelNotificationListener {
 public:
  virtual ~IcxLookAndFeelNotificationListener() = default;
  virtual TObject* GetObject() = 0;
  virtual void MasterLookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) = 0;
  virtual void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) = 0;
};

// Optional: told before and after each change notification.
class IcxLookAndFeelNotificationListener2 {
 public:
  virtual ~IcxLookAndFeelNotificationListener2() = default;
  virtual void MasterLookAndFeelBeginChange(TcxLookAndFeel* Sender) = 0;
  virtual void MasterLookAndFeelEndChange(TcxLookAndFeel* Sender) = 0;
};

// Implemented by controls that own a look-and-feel.
class IcxLookAndFeelContainer {
 public:
  virtual ~IcxLookAndFeelContainer() = default;
  virtual TcxLookAndFeel* GetLookAndFeel() = 0;
};

// Marks classes that can be drawn with skins.
class IdxSkinSupport {
 public:
  virtual ~IdxSkinSupport() = default;
};

// A class that decides per instance whether it can be drawn with skins.
class IdxSkinSupport2 {
 public:
  virtual ~IdxSkinSupport2() = default;
  virtual bool IsSkinnable() = 0;
};

// --- Globals of the unit -------------------------------------------------------------------------

// Skin painters are looked up only while this is set (initially true).
extern bool cxUseSkins;
// Touch mode (initially false): painters raise touch-target sizes while it is on (defined
// with dxAdjustToTouchableSize, cxLookAndFeelPaintersBitmaps.h).
extern bool cxIsTouchModeEnabled;
// Set only while the controller switches the touch mode: a change notification then goes out
// even when no value changed.
extern bool cxIsTouchSettingsChanging;

// Asked for the painter of a skin name that the registry does not hold (unset in this program).
using TcxGetSkinPainterProc = TcxCustomLookAndFeelPainter* (*)(const TdxSkinName& AName);
extern TcxGetSkinPainterProc GetSkinPainterProc;

// Whether objects of a class can be drawn with skins; set to ClassSupportsSkinHandler by the
// unit's start-up.
using TcxClassSupportsSkinProc = bool (*)(TPersistent* AObject);
extern TcxClassSupportsSkinProc ClassSupportsSkinProc;
// IdxSkinSupport2's answer when the object has it, else whether it has IdxSkinSupport.
bool ClassSupportsSkinHandler(TPersistent* AObject);

// The root look-and-feel, or nullptr outside the unit's start-up and shut-down.
TcxLookAndFeel* RootLookAndFeel();
// True without a root, or when the root's scroll-bar mode is sbmDefault or sbmTouch.
bool cxIsTouchScrollUIModeEnabled();

// How the controller tells the form designer that it changed (the control framework sets it to
// its SetDesignerModified; nothing is told while it is unset).
using TcxDesignerModifiedProc = void (*)(TComponent* AComponent);
void cxSetLookAndFeelDesignerModifiedProc(TcxDesignerModifiedProc AProc);

// --- TcxLookAndFeel ------------------------------------------------------------------------------

// Four values (Kind, NativeStyle, SkinName, ScrollbarMode), each assigned locally or taken from
// the master (nullptr: the root). Every change of an effective value chooses the painter again
// and is announced to the listeners and OnChanged, once per batch inside BeginUpdate/EndUpdate.
//
// Descendants may override the four InternalGet* value getters; the constructor computes the
// state with this class's own getters, so a descendant whose getters answer differently calls
// InitializeCurrentState and InitializePainter at the end of its own constructor.
class TcxLookAndFeel : public TcxInterfacedPersistent,
                       public IcxLookAndFeelNotificationListener,
                       public IcxLookAndFeelNotificationListener2 {
  QD_CLASS(TcxLookAndFeel, TcxInterfacedPersistent)
  QD_PUBLISHED(TcxLookAndFeel)

 public:
  explicit TcxLookAndFeel(TPersistent* AOwner);
  ~TcxLookAndFeel() override;

  // From another look-and-feel: its assigned values and its effective master, announcing what
  // changed. Any other source raises EConvertError.
  void Assign(TPersistent* Source) override;
  // "SkinName" (an explicitly assigned empty name) and the legacy "TouchScrollUIMode".
  void DefineProperties(TFiler* Filer) override;

  // The effective values.
  TcxLookAndFeelKind Kind() const { return FCurrentState.Kind; }
  bool NativeStyle() const { return FCurrentState.NativeStyle; }
  const TdxSkinName& SkinName() const { return FCurrentState.SkinName; }
  TdxScrollbarMode ScrollbarMode() const { return FCurrentState.ScrollbarMode; }
  // Assigning marks the value assigned; a change of the effective value is announced.
  void SetKind(TcxLookAndFeelKind AValue);
  void SetNativeStyle(bool AValue);
  void SetSkinName(const TdxSkinName& AValue);
  void SetScrollbarMode(TdxScrollbarMode AValue);
  // NativeStyle becomes (AStyle == lfsNative); without native style, Kind becomes the style's kind.
  void SetStyle(TcxLookAndFeelStyle AStyle);

  TcxLookAndFeelValues AssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxLookAndFeelValues AValue);
  // No value assigned; on the root also skins enabled, touch mode off and the default skin image set.
  void Reset();

  // The chosen painter and the skin painter (nullptr without one); both belong to the registry.
  TcxCustomLookAndFeelPainter* Painter() const { return FPainter; }
  TcxCustomLookAndFeelPainter* SkinPainter() const { return FSkinPainter; }
  // nullptr for the root; else the master, or the root when none is set.
  TcxLookAndFeel* MasterLookAndFeel() const;
  // Ignored on the root, for the object itself, for the current effective master and for a
  // look-and-feel whose chain of masters leads back to this one.
  void SetMasterLookAndFeel(TcxLookAndFeel* AValue);
  bool IsRootLookAndFeel() const { return FIsRootLookAndFeel; }

  // Objects with IcxLookAndFeelNotificationListener only; a controller only on the root.
  void AddChangeListener(TObject* AObject);
  void RemoveChangeListener(TObject* AObject);
  void BeginUpdate();
  // An EndUpdate without a BeginUpdate does nothing.
  void EndUpdate();
  // Announces all four values as changed.
  void Refresh();

  // The painter for objects of these visual-style classes (see GetActiveStyle).
  virtual TcxCustomLookAndFeelPainter* GetAvailablePainter(TdxThemedObjectTypes ANeededThemedObjectTypes);
  TcxCustomLookAndFeelPainter* GetAvailablePainter(TdxThemedObjectType ANeededThemedObjectType);
  TcxLookAndFeelStyle GetActiveStyle() const;

  TdxTouchScrollUIMode TouchScrollUIMode() const;
  void SetTouchScrollUIMode(TdxTouchScrollUIMode AValue);

  const TcxLookAndFeelChangedEvent& OnChanged() const { return FOnChanged; }
  void SetOnChanged(const TcxLookAndFeelChangedEvent& AValue) { FOnChanged = AValue; }
  const TNotifyEvent& OnMasterBeginChange() const { return FOnMasterBeginChange; }
  void SetOnMasterBeginChange(const TNotifyEvent& AValue) { FOnMasterBeginChange = AValue; }
  const TNotifyEvent& OnMasterEndChange() const { return FOnMasterEndChange; }
  void SetOnMasterEndChange(const TNotifyEvent& AValue) { FOnMasterEndChange = AValue; }

  // IcxLookAndFeelNotificationListener, IcxLookAndFeelNotificationListener2: what this object
  // does when its master calls it.
  TObject* GetObject() override { return this; }
  void MasterLookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override;
  void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) override;
  void MasterLookAndFeelBeginChange(TcxLookAndFeel* Sender) override;
  void MasterLookAndFeelEndChange(TcxLookAndFeel* Sender) override;

  // The number of listeners (for the control framework and tests).
  int32_t ChangeListenerCount() const { return static_cast<int32_t>(FChangeListenerList.size()); }

 protected:
  // The registry's painter of that name (any style), or GetSkinPainterProc's; nullptr when skins
  // are off or the name is empty.
  virtual TcxCustomLookAndFeelPainter* GetSkinPainter(const TdxSkinName& ASkinName);
  virtual void InitializeCurrentState();
  virtual void InitializePainter();
  virtual TcxLookAndFeelKind InternalGetKind();
  virtual bool InternalGetNativeStyle();
  virtual TdxSkinName InternalGetSkinName();
  virtual TcxCustomLookAndFeelPainter* InternalGetSkinPainter();
  virtual TdxScrollbarMode InternalGetScrollbarMode();
  // A system colour change: announced as a change of NativeStyle, so the painter is chosen
  // again and the listeners repaint.
  virtual void SystemPaletteChanged();

  void Changed(TcxLookAndFeelValues AChangedValues);
  void SaveState();
  void CheckStateChanges();
  void DoMasterLookAndFeelChanged(TcxLookAndFeelValues AChangedValues);
  void DoMasterLookAndFeelDestroying();

  bool IsKindStored() const { return FAssignedValues.Contains(lfvKind); }
  bool IsNativeStyleStored() const { return FAssignedValues.Contains(lfvNativeStyle); }
  bool IsSkinNameStored() const { return FAssignedValues.Contains(lfvSkinName); }
  bool IsScrollbarModeStored() const { return FAssignedValues.Contains(lfvScrollbarMode); }

  TcxLookAndFeelData FData;
  TcxLookAndFeelData FCurrentState;
  TcxLookAndFeelData FPrevState;
  TcxLookAndFeelValues FAssignedValues;
  TcxLookAndFeelValues FChangedValues;

 private:
  friend struct TcxLookAndFeelUnit;
  // The master the values come from: FMasterLookAndFeel, else the root (nullptr on the root).
  TcxLookAndFeel* EffectiveMaster() const;
  // Moves the listening to AValue; false when the change is refused (see SetMasterLookAndFeel).
  bool InternalSetMaster(TcxLookAndFeel* AValue);
  bool IsListener(TObject* AObject) const;
  void ReadSkinName(TReader* AReader);
  void WriteSkinName(TWriter* AWriter);
  void ReadTouchScrollUIMode(TReader* AReader);

  std::vector<TObject*> FChangeListenerList;
  bool FIsDestruction = false;
  bool FIsRootLookAndFeel = false;
  TcxLookAndFeel* FMasterLookAndFeel = nullptr;
  TcxCustomLookAndFeelPainter* FPainter = nullptr;
  TcxCustomLookAndFeelPainter* FSkinPainter = nullptr;
  std::unique_ptr<TcxSystemPaletteChangedNotifier> FSystemPaletteChangedNotifier;
  int32_t FUpdateLockCount = 0;
  TcxLookAndFeelChangedEvent FOnChanged;
  TNotifyEvent FOnMasterBeginChange;
  TNotifyEvent FOnMasterEndChange;
};

// --- TcxLookAndFeelController ----------------------------------------------------------------------

// A non-visual component that edits the root look-and-feel and the touch mode; it keeps no values
// of its own. While one exists the root keeps the values assigned through it; when the last one
// goes, the root is reset.
class TcxLookAndFeelController : public TcxCustomComponent, public IcxLookAndFeelNotificationListener {
  QD_CLASS(TcxLookAndFeelController, TcxCustomComponent)
  QD_PUBLISHED(TcxLookAndFeelController)

 public:
  explicit TcxLookAndFeelController(TComponent* AOwner);
  ~TcxLookAndFeelController() override;

  // Reads the legacy Boolean "TouchScrollUIMode".
  void DefineProperties(TFiler* Filer) override;

  // Forwarded to the root.
  void BeginUpdate();
  void EndUpdate();
  virtual void Reset();

  // The root's values (the defaults without a root); writing changes the root.
  TcxLookAndFeelKind Kind() const;
  void SetKind(TcxLookAndFeelKind AValue);
  bool NativeStyle() const;
  void SetNativeStyle(bool AValue);
  TdxScrollbarMode ScrollbarMode() const;
  void SetScrollbarMode(TdxScrollbarMode AValue);
  TdxSkinName SkinName() const;
  void SetSkinName(const TdxSkinName& AValue);
  // cxIsTouchModeEnabled; a change refreshes every look-and-feel.
  bool TouchMode() const { return cxIsTouchModeEnabled; }
  void SetTouchMode(bool AValue);
  // cxIsTouchScrollUIModeEnabled; a different value sets ScrollbarMode to sbmTouch or sbmClassic.
  bool TouchScrollUIMode() const { return cxIsTouchScrollUIModeEnabled(); }
  void SetTouchScrollUIMode(bool AValue);

  // IcxLookAndFeelNotificationListener: both tell the form designer.
  TObject* GetObject() override { return this; }
  void MasterLookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override;
  void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) override;

 protected:
  void Modified();

 private:
  bool IsSkinNameStored() const { return !SkinName().empty(); }
  void ReadTouchScrollUIMode(TReader* AReader);
};

}  // namespace qd

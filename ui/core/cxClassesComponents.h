#pragma once
// The library's component bases (plain, with stored fake links, and DPI-aware) and object
// links: weak references to objects that may be destroyed while they are held.
#include <cstdint>
#include <vector>

#include "platform/classes/classes.h"
#include "platform/classes/rtti.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/core/cxGeometryScaleFactorIntf.h"

namespace qd {

// --- Object links -----------------------------------------------------------------------

// Ref is the linked object, or nullptr once that object's links were cleared.
class TcxObjectLink : public TObject {
  QD_CLASS(TcxObjectLink, TObject)

 public:
  TObject* Ref = nullptr;
};

// A new link to AObject (nullptr for nullptr), owned by the caller.
TcxObjectLink* cxAddObjectLink(TObject* AObject);
// Unregisters (while its Ref is set) and frees the link; nullptr is ignored.
void cxRemoveObjectLink(TcxObjectLink* ALink);
// Every link to AObject gets Ref nullptr and leaves the registry; the links stay alive
// until their holders remove them. Does nothing once the class unit has shut down.
void cxClearObjectLinks(TObject* AObject);

// Withdraws the component's free notifications and tells its owner Notification(component,
// opRemove).
void cxBroadcastRemoveNotifications(TComponent* AComponent);

// --- Components ------------------------------------------------------------------------

class TcxCustomComponent : public TComponent {
  QD_CLASS(TcxCustomComponent, TComponent)

 public:
  explicit TcxCustomComponent(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxCustomComponent() override;

  // Components that adorners of the designer point at (none here).
  virtual void GetAdornerTargetElements(std::vector<TComponent*>& AList) {}

 protected:
  // Broadcasts the removal once; destructors of descendants that must do it before their
  // own clean-up call it first.
  void BeforeDestruction();

 private:
  bool FRemoveNotificationsBroadcast = false;
};

class TcxComponent : public TcxCustomComponent {
  QD_CLASS(TcxComponent, TcxCustomComponent)
  QD_PUBLISHED(TcxComponent)

 public:
  static constexpr int32_t FakeComponentLinkCount = 3;

  explicit TcxComponent(TComponent* AOwner) : TcxCustomComponent(AOwner) {}
  ~TcxComponent() override;

  // While designed (and not destroyed, with an owner) the components GetFakeComponentLinks
  // lists go into the three links in order; missing ones become nullptr.
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TComponent* FakeComponentLink1() const { return FFakeComponentLinks[0]; }
  void SetFakeComponentLink1(TComponent* AValue) { SetFakeComponentLink(0, AValue); }
  TComponent* FakeComponentLink2() const { return FFakeComponentLinks[1]; }
  void SetFakeComponentLink2(TComponent* AValue) { SetFakeComponentLink(1, AValue); }
  TComponent* FakeComponentLink3() const { return FFakeComponentLinks[2]; }
  void SetFakeComponentLink3(TComponent* AValue) { SetFakeComponentLink(2, AValue); }

  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  bool IsLoading() const { return ComponentState().Contains(csLoading); }

 protected:
  virtual void GetFakeComponentLinks(std::vector<TComponent*>& AList) {}

 private:
  void SetFakeComponentLink(int32_t AIndex, TComponent* AValue);

  TComponent* FFakeComponentLinks[FakeComponentLinkCount] = {};
};

// A component that keeps a scale factor taken from its owner's DPI and rescales through
// ChangeScale.
class TcxScalableComponent : public TcxComponent, public IdxScaleFactor {
  QD_CLASS(TcxScalableComponent, TcxComponent)

 public:
  explicit TcxScalableComponent(TComponent* AOwner);
  ~TcxScalableComponent() override;

  // Stores "PixelsPerInch", the DPI the component was last scaled for.
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  // ChangeScale(ATargetPPI, current) when scalable and the target differs from the current
  // DPI.
  void ScaleForPPI(int32_t ATargetPPI);

  TdxScaleFactor* GetScaleFactor() override { return FScaleFactor; }
  bool Scalable() const { return FScalable; }
  void SetScalable(bool AValue) { FScalable = AValue; }

 protected:
  // Changes the scale factor by the ratio (its listeners are told); descendants rescale
  // their content.
  virtual void ChangeScale(int32_t ANumerator, int32_t ADenominator);

  bool FScalable = true;
  TdxScaleFactor* FScaleFactor;  // owned

 private:
  int32_t CurrentPPI() const;
};

// The class unit's start-up and shut-down: the object-link registry, and (at shut-down) the
// shared timer window; once shut down, neither is created again.
// Start-up makes the object-link registry and puts TcxCustomComponent and TcxComponent into
// the visual-control class group (TControl's); shut-down frees the registry and the timer
// window and marks the unit finalized.
namespace cxClasses {
void Initialize();
void Finalize();
bool IsFinalized();
}  // namespace cxClasses

}  // namespace qd

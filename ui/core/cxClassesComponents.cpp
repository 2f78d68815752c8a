#include "ui/core/cxClassesComponents.h"

#include <memory>

#include "platform/classes/filer.h"
#include "platform/forms/controls.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/core/dxCoreClassesHashSet.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxObjectLink)
QD_IMPLEMENT_CLASS(TcxCustomComponent)
QD_IMPLEMENT_CLASS(TcxComponent)
QD_IMPLEMENT_CLASS(TcxScalableComponent)

namespace {

class TcxObjectLinkController {
 public:
  ~TcxObjectLinkController() {
    // Links still held by their owners are freed by them; only the registry goes.
    FLinks.Clear();
  }

  TcxObjectLink* AddLink(TObject* AObject) {
    auto* link = new TcxObjectLink;
    link->Ref = AObject;
    FLinks.Include(link);
    return link;
  }

  void RemoveLink(TcxObjectLink* ALink) {
    if (ALink->Ref) FLinks.Exclude(ALink);
  }

  void ClearLinks(TObject* AObject) {
    std::unique_ptr<std::vector<TcxObjectLink*>> cleared;
    for (TcxObjectLink* link : FLinks) {
      if (link->Ref != AObject) continue;
      link->Ref = nullptr;
      if (!cleared) cleared = std::make_unique<std::vector<TcxObjectLink*>>();
      cleared->push_back(link);
    }
    if (cleared)
      for (TcxObjectLink* link : *cleared) FLinks.Exclude(link);
  }

 private:
  TdxHashSet<TcxObjectLink*> FLinks;
};

TcxObjectLinkController* FObjectLinkController = nullptr;
bool FUnitIsFinalized = false;

TcxObjectLinkController* ObjectLinkController() {
  if (!FObjectLinkController && !FUnitIsFinalized) FObjectLinkController = new TcxObjectLinkController;
  return FObjectLinkController;
}

}  // namespace

// --- Object links -----------------------------------------------------------------------

TcxObjectLink* cxAddObjectLink(TObject* AObject) {
  if (!AObject) return nullptr;
  if (TcxObjectLinkController* controller = ObjectLinkController()) return controller->AddLink(AObject);
  // After shut-down nothing clears links any more; the holder still gets one to free.
  auto* link = new TcxObjectLink;
  link->Ref = AObject;
  return link;
}

void cxRemoveObjectLink(TcxObjectLink* ALink) {
  if (!ALink) return;
  if (FObjectLinkController) FObjectLinkController->RemoveLink(ALink);
  delete ALink;
}

void cxClearObjectLinks(TObject* AObject) {
  if (FObjectLinkController) FObjectLinkController->ClearLinks(AObject);
}

void cxBroadcastRemoveNotifications(TComponent* AComponent) {
  AComponent->RemoveFreeNotifications();
  if (TComponent* owner = AComponent->Owner()) owner->Notification(AComponent, opRemove);
}

// --- TcxCustomComponent -----------------------------------------------------------------

TcxCustomComponent::~TcxCustomComponent() {
  BeforeDestruction();
}

void TcxCustomComponent::BeforeDestruction() {
  if (FRemoveNotificationsBroadcast) return;
  FRemoveNotificationsBroadcast = true;
  Destroying();
  cxBroadcastRemoveNotifications(this);
}

// --- TcxComponent ------------------------------------------------------------------------

void TcxComponent::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("FakeComponentLink1", &TcxComponent::FakeComponentLink1, &TcxComponent::SetFakeComponentLink1);
  r.Prop("FakeComponentLink2", &TcxComponent::FakeComponentLink2, &TcxComponent::SetFakeComponentLink2);
  r.Prop("FakeComponentLink3", &TcxComponent::FakeComponentLink3, &TcxComponent::SetFakeComponentLink3);
}

TcxComponent::~TcxComponent() {
  BeforeDestruction();
  cxClearObjectLinks(this);
}

void TcxComponent::Loaded() {
  TcxCustomComponent::Loaded();
  if (!IsDesigning() || IsDestroying() || !Owner()) return;
  std::vector<TComponent*> links;
  GetFakeComponentLinks(links);
  for (int32_t i = 0; i < FakeComponentLinkCount; ++i)
    SetFakeComponentLink(i, i < static_cast<int32_t>(links.size()) ? links[static_cast<size_t>(i)] : nullptr);
}

void TcxComponent::Notification(TComponent* AComponent, TOperation Operation) {
  TcxCustomComponent::Notification(AComponent, Operation);
  if (Operation == opRemove)
    for (TComponent*& link : FFakeComponentLinks)
      if (link == AComponent) link = nullptr;
}

void TcxComponent::SetFakeComponentLink(int32_t AIndex, TComponent* AValue) {
  TComponent*& link = FFakeComponentLinks[AIndex];
  if (link == AValue) return;
  link = AValue;
  // A stored reference must not outlive the component it names.
  if (AValue) AValue->FreeNotification(this);
}

// --- TcxScalableComponent ---------------------------------------------------------------

TcxScalableComponent::TcxScalableComponent(TComponent* AOwner)
    : TcxComponent(AOwner), FScaleFactor(new TdxScaleFactor) {
  FScaleFactor->Assign(dxGetCurrentDPI(Owner()), dxDefaultDPI, false);
}

TcxScalableComponent::~TcxScalableComponent() {
  BeforeDestruction();
  cxClearObjectLinks(this);
  delete FScaleFactor;
  FScaleFactor = nullptr;
}

int32_t TcxScalableComponent::CurrentPPI() const {
  return FScaleFactor->Apply(dxDefaultDPI);
}

void TcxScalableComponent::DefineProperties(TFiler* Filer) {
  TcxComponent::DefineProperties(Filer);
  Filer->DefineProperty(
      u"PixelsPerInch",
      [this](TReader* Reader) {
        // A damaged value must not give a zero or absurd scale.
        FScaleFactor->Assign(dxCheckDPIValue(Reader->ReadInteger()), dxDefaultDPI, true);
      },
      [this](TWriter* Writer) { Writer->WriteInteger(CurrentPPI()); }, true);
}

void TcxScalableComponent::Loaded() {
  TcxComponent::Loaded();
  const int32_t target = dxGetCurrentDPI(Owner());
  ScaleForPPI(target);
  FScaleFactor->Assign(target, dxDefaultDPI, false);
}

void TcxScalableComponent::ScaleForPPI(int32_t ATargetPPI) {
  const int32_t current = CurrentPPI();
  if (FScalable && ATargetPPI != current) ChangeScale(ATargetPPI, current);
}

void TcxScalableComponent::ChangeScale(int32_t ANumerator, int32_t ADenominator) {
  FScaleFactor->Change(ANumerator, ADenominator);
}

// --- Unit ----------------------------------------------------------------------------------

namespace cxClasses {

void Initialize() {
  FUnitIsFinalized = false;
  ObjectLinkController();
  // Stored forms find the library's components while the visual-control group is active.
  GroupDescendentsWith(TcxComponent::StaticClass(), TControl::StaticClass());
  GroupDescendentsWith(TcxCustomComponent::StaticClass(), TControl::StaticClass());
}

void Finalize() {
  FUnitIsFinalized = true;
  cxTimerDetail::FreeTimerWindow();
  delete FObjectLinkController;
  FObjectLinkController = nullptr;
}

bool IsFinalized() {
  return FUnitIsFinalized;
}

}  // namespace cxClasses

}  // namespace qd

// Edit buttons: the button items of editor properties, the calculated button view info and
// the cross-fading of a button between its normal and its hot background.
#include "platform/base/mathutil.h"
#include "platform/os/user.h"
#include "ui/core/dxCore.h"
#include "ui/editors/cxEdit.h"
#include "ui/graphics/cxGraphicsImages.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomEditButton)
QD_IMPLEMENT_CLASS(TcxEditButton)
QD_IMPLEMENT_CLASS(TcxCustomEditButtons)
QD_IMPLEMENT_CLASS(TcxEditButtons)
QD_IMPLEMENT_CLASS(TcxCustomEditFadingHelper)
QD_IMPLEMENT_CLASS(TcxEditButtonFadingHelper)
QD_IMPLEMENT_CLASS(TcxEditButtonViewInfo)

// --- TcxCustomEditButton --------------------------------------------------------------------

TcxCustomEditButton::TcxCustomEditButton(TCollection* Collection) : TCollectionItem(Collection) {
  // The defaults are set without notification: the collection announces the new item once.
  FGlyph = std::make_unique<TdxSmartGlyph>();
  FGlyph->OnChange = TNotifyEvent(this, &TcxCustomEditButton::GlyphChanged);
}

TcxCustomEditButton::~TcxCustomEditButton() {
  FGlyph->OnChange = nullptr;
}

TcxCustomEditButtons* TcxCustomEditButton::Buttons() const {
  return static_cast<TcxCustomEditButtons*>(Collection());
}

template <class T>
void TcxCustomEditButton::SetButtonValue(T& AField, const T& Value) {
  if (AField == Value) return;
  AField = Value;
  Changed(false);
}

void TcxCustomEditButton::Assign(TPersistent* Source) {
  auto* src = ObjectCast<TcxCustomEditButton>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  TCollection* collection = Collection();
  if (collection) collection->BeginUpdate();
  try {
    FCaption = src->FCaption;
    FImageIndex = src->FImageIndex;
    FVisibleCaption = src->FVisibleCaption;
    FContentAlignment = src->FContentAlignment;
    FDefault = src->FDefault;
    FEnabled = src->FEnabled;
    FGlyph->Assign(src->FGlyph.get());
    FKind = src->FKind;
    FLeftAlignment = src->FLeftAlignment;
    FStretchable = src->FStretchable;
    FTag = src->FTag;
    FTextColor = src->FTextColor;
    FVisible = src->FVisible;
    FWidth = src->FWidth;
    FHint = src->FHint;
    Changed(false);
  } catch (...) {
    if (collection) collection->EndUpdate();
    throw;
  }
  if (collection) collection->EndUpdate();
}

void TcxCustomEditButton::ChangeScale(int32_t M, int32_t D) {
  SetWidth(MulDiv(FWidth, M, D));
}

void TcxCustomEditButton::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  FVisibleCaption = RemoveAccelChars(Value, false);
  Changed(false);
}

void TcxCustomEditButton::SetContentAlignment(TAlignment Value) {
  SetButtonValue(FContentAlignment, Value);
}

void TcxCustomEditButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  if (Value && Buttons()) {
    TcxCustomEditButtons* buttons = Buttons();
    for (int32_t i = 0; i < buttons->Count(); ++i) buttons->Items(i)->FDefault = false;
    FDefault = true;
    Changed(true);
    return;
  }
  FDefault = Value;
  Changed(false);
}

void TcxCustomEditButton::SetEnabled(bool Value) {
  SetButtonValue(FEnabled, Value);
}

void TcxCustomEditButton::SetGlyph(TdxSmartGlyph* Value) {
  FGlyph->Assign(Value);
}

void TcxCustomEditButton::GlyphChanged(TObject*) {
  Changed(false);
}

void TcxCustomEditButton::SetHint(const String& Value) {
  SetButtonValue(FHint, Value);
}

void TcxCustomEditButton::SetImageIndex(int32_t Value) {
  SetButtonValue(FImageIndex, Value);
}

void TcxCustomEditButton::SetKind(TcxEditButtonKind Value) {
  SetButtonValue(FKind, Value);
}

void TcxCustomEditButton::SetLeftAlignment(bool Value) {
  SetButtonValue(FLeftAlignment, Value);
}

void TcxCustomEditButton::SetStretchable(bool Value) {
  SetButtonValue(FStretchable, Value);
}

void TcxCustomEditButton::SetTextColor(TColor Value) {
  SetButtonValue(FTextColor, Value);
}

void TcxCustomEditButton::SetVisible(bool Value) {
  SetButtonValue(FVisible, Value);
}

void TcxCustomEditButton::SetWidth(int32_t Value) {
  if (Value < 0) return;
  SetButtonValue(FWidth, Value);
}

// --- TcxCustomEditButtons -------------------------------------------------------------------

TcxCustomEditButtons::TcxCustomEditButtons(TPersistent* AOwner, TClass AButtonClass)
    : TCollection(AButtonClass), FOwner(AOwner) {}

void TcxCustomEditButtons::ChangeScale(int32_t M, int32_t D) {
  BeginUpdate();
  try {
    for (int32_t i = 0; i < Count(); ++i) Items(i)->ChangeScale(M, D);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int32_t TcxCustomEditButtons::VisibleCount() const {
  int32_t result = 0;
  for (int32_t i = 0; i < Count(); ++i)
    if (Items(i)->Visible()) ++result;
  return result;
}

void TcxCustomEditButtons::Update(TCollectionItem*) {
  if (OnChange) OnChange(this);
}

// --- Fading ----------------------------------------------------------------------------------

IcxEditOwner* TcxCustomEditFadingHelper::GetEditOwner() {
  TcxCustomEditViewInfo* viewInfo = GetEditViewInfo();
  if (!viewInfo) return nullptr;
  if (viewInfo->Edit()) return viewInfo->Edit();
  return dynamic_cast<IcxEditOwner*>(viewInfo->Owner);
}

TcxEditButtonFadingHelper::TcxEditButtonFadingHelper(TcxEditButtonViewInfo* AViewInfo)
    : FViewInfo(AViewInfo) {
  FState = AViewInfo->Data.State;
}

TcxCustomEditViewInfo* TcxEditButtonFadingHelper::GetEditViewInfo() {
  return FViewInfo->EditViewInfo;
}

void TcxEditButtonFadingHelper::UpdateState() {
  const TcxEditButtonState state = FViewInfo->Data.State;
  if (state == FState) return;
  if (dxFader()) CheckStartFading(EditButtonStateToButtonState[FState], EditButtonStateToButtonState[state]);
  FState = state;
}

bool TcxEditButtonFadingHelper::CanFade() {
  TcxCustomEditViewInfo* viewInfo = GetEditViewInfo();
  if (!viewInfo || !viewInfo->IsFadingAvailable() || !GetEditOwner()) return false;
  bool allow = true;
  if (viewInfo->OnCanStartButtonFading) viewInfo->OnCanStartButtonFading(viewInfo, allow);
  return allow;
}

TRect TcxEditButtonFadingHelper::GetButtonRect() {
  TcxCustomEditViewInfo* viewInfo = GetEditViewInfo();
  TRect r = FViewInfo->Bounds;
  if (viewInfo) r = cxRectOffset(r, viewInfo->Left, viewInfo->Top);
  return r;
}

void TcxEditButtonFadingHelper::Invalidate() {
  if (IcxEditOwner* owner = GetEditOwner()) owner->InvalidateRect(GetButtonRect(), FViewInfo->HasBackground);
}

void TcxEditButtonFadingHelper::DrawFadeImage() {
  Invalidate();
}

void TcxEditButtonFadingHelper::DrawButton(TcxCanvas* ACanvas) {
  if (TcxCustomEditViewInfo* viewInfo = GetEditViewInfo())
    viewInfo->InternalPrepareEditButtonBackground(ACanvas, FViewInfo, false);
}

std::unique_ptr<TcxBitmap> TcxEditButtonFadingHelper::PrepareFadingImage(TcxEditButtonState AState) {
  TcxCustomEditViewInfo* viewInfo = GetEditViewInfo();
  if (viewInfo->OnPrepareButtonFadingImage) {
    TcxBitmap32* image = nullptr;
    bool handled = false;
    viewInfo->OnPrepareButtonFadingImage(viewInfo, FViewInfo, image, handled);
    if (handled) return std::unique_ptr<TcxBitmap>(image);
    delete image;
  }
  FViewInfo->Data.State = AState;
  if (IcxEditOwner* owner = GetEditOwner()) {
    bool created = false;
    TcxCustomEditViewData* viewData = owner->GetViewData(created);
    if (viewData) {
      viewData->CalculateButtonNativeInfo(FViewInfo);
      if (created) delete viewData;
    }
  }
  const TRect bounds = FViewInfo->Bounds;
  auto bitmap = std::make_unique<TcxBitmap32>(bounds.Width(), bounds.Height(), true);
  TcxCanvas* canvas = bitmap->cxCanvas();
  const TPoint origin = canvas->WindowOrg();
  canvas->SetWindowOrg(TPoint{bounds.Left, bounds.Top});
  DrawButton(canvas);
  canvas->SetWindowOrg(origin);
  return bitmap;
}

void TcxEditButtonFadingHelper::GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                                                std::unique_ptr<TcxBitmap>& AFadeInImage) {
  const TcxEditButtonState state = FViewInfo->Data.State;
  const int32_t nativeState = FViewInfo->Data.NativeState;
  auto restore = [&] {
    FViewInfo->Data.State = state;
    FViewInfo->Data.NativeState = nativeState;
  };
  try {
    AFadeOutImage = PrepareFadingImage(ebsNormal);
    AFadeInImage = PrepareFadingImage(ebsSelected);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

// --- TcxEditButtonViewInfo ------------------------------------------------------------------

TcxEditButtonViewInfo::~TcxEditButtonViewInfo() = default;

TcxEditButtonFadingHelper* TcxEditButtonViewInfo::CreateFadingHelper() {
  return new TcxEditButtonFadingHelper(this);
}

TcxEditButtonFadingHelper* TcxEditButtonViewInfo::FadingHelper() {
  if (!FFadingHelper) FFadingHelper.reset(CreateFadingHelper());
  return FFadingHelper.get();
}

TdxScaleFactor* TcxEditButtonViewInfo::ScaleFactor() const {
  return EditViewInfo ? EditViewInfo->ScaleFactor() : nullptr;
}

bool TcxEditButtonViewInfo::IsFading() {
  return FFadingHelper && dxFader() && FFadingHelper->GetActive();
}

void TcxEditButtonViewInfo::Assign(TPersistent* Source) {
  auto* src = ObjectCast<TcxEditButtonViewInfo>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  Data.NativeState = src->Data.NativeState;
  Data.BackgroundColor = src->Data.BackgroundColor;
  Bounds = src->Bounds;
  VisibleBounds = src->VisibleBounds;
  Data.Style = src->Data.Style;
  Data.State = src->Data.State;
}

TRect TcxEditButtonViewInfo::GetUpdateRegion(TcxEditButtonViewInfo* AOldViewInfo) {
  if (AOldViewInfo && Data.Style == AOldViewInfo->Data.Style && Data.State == AOldViewInfo->Data.State &&
      Data.BackgroundColor == AOldViewInfo->Data.BackgroundColor &&
      Data.NativeState == AOldViewInfo->Data.NativeState)
    return TRect{};
  return Bounds;
}

bool TcxEditButtonViewInfo::Repaint(TWinControl* AControl, TcxEditButtonViewInfo* AOldViewInfo,
                                    const TPoint& AEditPosition) {
  const bool changed = !AOldViewInfo || Data.Style != AOldViewInfo->Data.Style ||
                       Data.State != AOldViewInfo->Data.State ||
                       Data.BackgroundColor != AOldViewInfo->Data.BackgroundColor ||
                       Data.NativeState != AOldViewInfo->Data.NativeState;
  if (!changed && !IsFading()) return false;
  if (!AControl || !AControl->HandleAllocated()) return false;
  const TRect r = cxRectOffset(Bounds, AEditPosition.X, AEditPosition.Y);
  ::qd::InvalidateRect(AControl->Handle(), &r, HasBackground);
  return true;
}

// --- The buttons and view classes of editor properties ------------------------------------------

TcxCustomEditButtons* TcxCustomEditProperties::Buttons() {
  if (!FButtons) {
    // Made on first use so that a properties family's class answers which buttons it has.
    FButtons = static_cast<TcxCustomEditButtons*>(GetButtonsClass()->Create(this));
    FButtons->OnChange = TNotifyEvent(this, &TcxCustomEditProperties::ChangeHandler);
  }
  return FButtons;
}

void TcxCustomEditProperties::SetButtons(TcxCustomEditButtons* Value) {
  Buttons()->Assign(Value);
}

TCustomImageList* TcxCustomEditProperties::Images() {
  return Buttons()->Images();
}

void TcxCustomEditProperties::SetImages(TCustomImageList* Value) {
  if (Buttons()->Images() == Value) return;
  if (!FImageChangeLink) {
    FImageChangeLink = std::make_unique<TChangeLink>();
    FImageChangeLink->OnChange = TNotifyEvent(this, &TcxCustomEditProperties::ImageListChange);
    FFreeNotificator = std::make_unique<TcxFreeNotificator>(nullptr);
    FFreeNotificator->SetOnFreeNotification(
        TcxFreeNotificationEvent(this, &TcxCustomEditProperties::ImageListFreeNotification));
  }
  TCustomImageList* images = Buttons()->Images();
  Buttons()->SetImages(Value);
  // The change link announces the change.
  cxSetImageList(Value, images, FImageChangeLink.get(), FFreeNotificator.get());
}

void TcxCustomEditProperties::ImageListFreeNotification(TComponent* Sender) {
  if (Sender != Buttons()->Images()) return;
  Buttons()->SetImages(nullptr);
  Changed();
}

TClass TcxCustomEditProperties::GetButtonsClass() const {
  return TcxEditButtons::StaticClass();
}

TClass TcxCustomEditProperties::GetViewDataClass() const {
  return TcxCustomEditViewData::StaticClass();
}

TClass TcxCustomEditProperties::GetViewInfoClass() const {
  return TcxCustomEditViewInfo::StaticClass();
}

TcxCustomEditViewData* TcxCustomEditProperties::CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace,
                                                               bool APreviewMode) {
  auto* viewData = static_cast<TcxCustomEditViewData*>(GetViewDataClass()->Create(this));
  viewData->Setup(AStyle, AIsInplace);
  viewData->PreviewMode = APreviewMode;
  return viewData;
}

void TcxCustomEditProperties::ChangeScale(int32_t M, int32_t D) {
  Buttons()->ChangeScale(M, D);
}

void TcxCustomEditProperties::InitiateActions() {
  Buttons()->InitiateActions();
}

TcxEditSupportedOperations TcxCustomEditProperties::GetSupportedOperations() {
  return Buttons()->Count() > 0 ? TcxEditSupportedOperations{esoHotTrack} : TcxEditSupportedOperations{};
}

}  // namespace qd

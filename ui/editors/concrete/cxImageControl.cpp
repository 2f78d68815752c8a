// The image editor control: the picture and its change handling, zoom and panning, the zoom
// bar, the context menu, the clipboard, the picture dialogs, the camera and the keys.
#include <algorithm>
#include <cmath>

#include "platform/base/scopeexit.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"
#include "platform/os/user.h"
#include "platform/os/user_clipboard.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/editors/concrete/cxImage.h"
#include "ui/editors/concrete/dxCameraDialog.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/graphics/cxImageList.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomImage)
QD_IMPLEMENT_CLASS(TcxImage)

bool (*cxImageShowCameraDialogProc)(TPicture* APicture) = &dxShowCameraDialog;
bool (*cxImageIsCameraAvailableProc)() = &dxIsCameraAvailable;

namespace {

// Menu item tags; the separators carry -1.
constexpr int32_t kMenuTags[] = {pmiCut,  pmiCopy,   pmiPaste, pmiDelete, -1,
                                 pmiLoad, pmiWebCam, pmiSave,  -1,        pmiCustom};

bool IsCameraAvailable() {
  return cxImageIsCameraAvailableProc && cxImageIsCameraAvailableProc();
}

// Runs AAction as a user action of the editor.
template <class F>
void AsUserAction(TcxCustomEdit* AEdit, F AAction) {
  AEdit->BeginUserAction();
  ScopeExit end{[AEdit] { AEdit->EndUserAction(); }};
  AAction();
}

}  // namespace

void TcxImage::RegisterProperties(TPropertyRegistrar& r) {
  using I = TcxCustomImage;
  r.Prop("AnimationOptions", &I::AnimationOptions, &I::SetAnimationOptions);
  r.Prop("AutoSize", &TcxCustomEdit::AutoSize, &TcxCustomEdit::SetEditAutoSize).Default(false);
  r.Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  r.Prop("Picture", &I::Picture, &I::SetPicture);
  r.Prop("Properties", &TcxImage::Properties, &TcxImage::SetProperties);
  r.Prop("Style", &TcxCustomEdit::Style, &TcxImage::SetStyle);
  r.Prop("StyleDisabled", &TcxCustomEdit::StyleDisabled, &TcxImage::SetStyleDisabled);
  r.Prop("StyleFocused", &TcxCustomEdit::StyleFocused, &TcxImage::SetStyleFocused);
  r.Prop("StyleHot", &TcxCustomEdit::StyleHot, &TcxImage::SetStyleHot);
  r.Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
  r.Prop("Transparent", &TcxContainer::Transparent, &TcxContainer::SetTransparent).Default(false);
  r.Prop("ZoomingOptions", &I::ZoomingOptions, &I::SetZoomingOptions);
  r.Event("OnGetGraphicClass", &I::OnGetGraphicClass, &I::SetOnGetGraphicClass);
}

// --- Creation ---------------------------------------------------------------------------------------

TcxCustomImage::TcxCustomImage(TComponent* AOwner, bool AIsInplace) : TcxCustomEdit(AOwner, AIsInplace) {
  FZoomingOptions.reset(CreateZoomingOptions());
  FZoomingOptions->OnChanged = MakeMethod(this, &TcxCustomImage::ZoomingOptionsChangedHandler);
  FAnimationOptions = std::make_unique<TcxImageAnimationOptions>(this);
  SetDoubleBuffered(true);
  SetParentColor(false);
  SetEditAutoSize(false);
  SetWidth(140);
  SetHeight(100);
  FClipboardFormat = static_cast<uint16_t>(CF_PICTURE());
  FPicture = std::make_unique<TPicture>();
  FPicture->OnChange = MakeMethod(this, &TcxCustomImage::PictureChanged);
  SetupZoomTrackBarProperties();
}

TcxCustomImage::~TcxCustomImage() {
  FZoomTrackBarController.reset();
  FPicture->OnChange = nullptr;
  FZoomingOptions->OnChanged = nullptr;
}

TcxImageZoomingOptions* TcxCustomImage::CreateZoomingOptions() {
  return new TcxImageZoomingOptions();
}

TcxTrackBarController* TcxCustomImage::CreateZoomTrackBarController() {
  return new TdxZoomTrackBarController(this);
}

TcxTrackBarController* TcxCustomImage::ZoomTrackBarController() {
  if (!FZoomTrackBarController) FZoomTrackBarController.reset(CreateZoomTrackBarController());
  return FZoomTrackBarController.get();
}

void TcxCustomImage::Loaded() {
  TcxCustomEdit::Loaded();
  LockChangeEvents(true);
  ScopeExit unlock{[this] { LockChangeEvents(false, false); }};
  PictureChanged(FPicture.get());
}

void TcxCustomImage::PropertiesChanged(TObject* Sender) {
  TcxCustomImageProperties* properties = ActiveProperties();
  if (properties->ChangedLocked() || ComponentState().Contains(csLoading)) return;
  if (properties->NeedUpdateImage()) PictureChanged(FPicture.get());
  CheckScrollbars(false);
  TcxCustomEdit::PropertiesChanged(Sender);
  Invalidate();
}

// --- Value -------------------------------------------------------------------------------------------------

Variant TcxCustomImage::GetEditValue() {
  return SavePicture(FPicture.get());
}

void TcxCustomImage::InternalSetEditValue(const Variant& Value, bool) {
  if (cxImageEditValuesEqual(Value, GetEditValue())) return;
  if (dxVarIsBlob(Value))
    LoadPicture(FPicture.get(), GetGraphicClass(false), Value);
  else
    FPicture->SetGraphic(nullptr);
}

TGraphicClass TcxCustomImage::GetGraphicClass(bool APastingFromClipboard) {
  if (IsInplace())
    return ActiveProperties()->GetGraphicClass(InplaceParams.Position.Item,
                                               InplaceParams.Position.RecordIndex, APastingFromClipboard);
  TGraphicClass result = ActiveProperties()->GraphicClass();
  if (!result && APastingFromClipboard) result = TBitmap::StaticClass();
  if (FOnGetGraphicClass) FOnGetGraphicClass(this, APastingFromClipboard, result);
  return result;
}

void TcxCustomImage::PictureChanged(TObject* Sender) {
  if (ComponentState().Contains(csLoading)) return;
  TcxCustomImageProperties* properties = ActiveProperties();
  const bool animationFrame = FAnimationOptions->Graphic() && Sender == FAnimationOptions->Graphic() &&
                              FAnimationOptions->Graphic() == FPicture->Graphic() &&
                              FAnimationOptions->Graphic()->Animation();
  LockChangeEvents(true);
  {
    ScopeExit unlock{[this, animationFrame] { LockChangeEvents(false, !animationFrame); }};
    TGraphic* graphic = FPicture->Graphic();
    if (auto* icon = dynamic_cast<TIcon*>(graphic)) icon->Handle();
    if (properties->GraphicTransparency() != gtDefault && graphic) {
      const TNotifyEvent saved = FPicture->OnChange;
      FPicture->OnChange = nullptr;
      ScopeExit restore{[this, saved] { FPicture->OnChange = saved; }};
      graphic->SetTransparent(properties->GraphicTransparency() == gtTransparent);
    }
    DoSetSize();
    if (IsUserAction())
      SetModifiedAfterEnter(true);
    else
      SetModified(false);
    DoChange();
    ShortRefreshContainer(false);
    if (properties->ImmediatePost() && CanPostEditValue() && InternalValidateEdit())
      InternalPostEditValue(false);
  }
  if (!animationFrame) {
    FAnimationOptions->CheckGraphic(FPicture->Graphic());
    CheckScrollbars(true);
  }
  properties->SetNeedUpdateImage(false);
  Invalidate();
}

bool TcxCustomImage::CanAutoSize() {
  return TcxCustomEdit::CanAutoSize() && FPicture && FPicture->Graphic() && !FPicture->Graphic()->Empty();
}

// --- Zoom and scrolling
// ---------------------------------------------------------------------------------------

bool TcxCustomImage::AllowScaling() {
  return ActiveProperties()->FitMode() == ifmNormal;
}

bool TcxCustomImage::IsScrollbarsNeeded() {
  return !ActiveProperties()->Center() && ActiveProperties()->FitMode() == ifmNormal && FPicture->Graphic() &&
         !FPicture->Graphic()->Empty();
}

void TcxCustomImage::SetupZoomTrackBarProperties() {
  TdxCustomZoomTrackBarProperties* bar = Properties()->ZoomTrackBarProperties();
  bar->SetMax(FZoomingOptions->MaxZoom());
  bar->SetMin(FZoomingOptions->MinZoom());
  bar->FirstRange()->SetLineSize(static_cast<int32_t>(std::ceil((100 - bar->Min()) / 10.0)));
  bar->SecondRange()->SetLineSize(static_cast<int32_t>(std::ceil((bar->Max() - 100) / 10.0)));
}

void TcxCustomImage::ZoomingOptionsChangedHandler(TObject*) {
  SetupZoomTrackBarProperties();
  CheckScrollbars(false);
  ShortRefreshContainer(false);
  Invalidate();
}

void TcxCustomImage::CheckZoomPercent() {
  if (!AllowScaling()) {
    FZoomPercent = 100;
    return;
  }
  const int32_t old = FZoomPercent;
  FZoomPercent = FZoomingOptions->ZoomPercent();
  if (old == 0 || old == FZoomPercent) return;
  const TSize client = TdxScrollHelper::GetClientSize(this);
  const double cx = (client.cx / 2.0 + GetLeftPos()) * FZoomPercent / old;
  const double cy = (client.cy / 2.0 + GetTopPos()) * FZoomPercent / old;
  TcxImageViewInfo* viewInfo = ViewInfo();
  viewInfo->TopLeft = TPoint{static_cast<int32_t>(std::nearbyint(cx - client.cx / 2.0)),
                             static_cast<int32_t>(std::nearbyint(cy - client.cy / 2.0))};
}

void TcxCustomImage::CheckScrollbars(bool AReset) {
  CheckZoomPercent();
  UpdateScrollBars();
  if (!IsScrollbarsNeeded()) return;
  if (AReset)
    TdxScrollHelper::SetPos(this, 0, 0);
  else
    TdxScrollHelper::SetPos(this, GetLeftPos(), GetTopPos());
}

void TcxCustomImage::IncZoomPercent() {
  TdxCustomZoomTrackBarProperties* bar = ActiveProperties()->ZoomTrackBarProperties();
  const int32_t zoom = FZoomingOptions->ZoomPercent();
  int32_t next;
  if (zoom >= 100) {
    next = zoom + bar->SecondRange()->LineSize();
  } else {
    next = std::min(zoom + bar->FirstRange()->LineSize(), 100);
  }
  FZoomingOptions->SetZoomPercent(next);
}

void TcxCustomImage::DecZoomPercent() {
  TdxCustomZoomTrackBarProperties* bar = ActiveProperties()->ZoomTrackBarProperties();
  const int32_t zoom = FZoomingOptions->ZoomPercent();
  int32_t next;
  if (zoom > 100) {
    next = std::max(zoom - bar->SecondRange()->LineSize(), 100);
  } else {
    next = zoom - bar->FirstRange()->LineSize();
  }
  FZoomingOptions->SetZoomPercent(next);
}

TSize TcxCustomImage::GetContentSize() {
  const TSize pictureSize =
      FPicture->Graphic() ? dxGetImageSize(FPicture->Graphic(), ScaleFactor()) : TSize{};
  const TRect bounds = GetClientBounds();
  const TRect r = cxGetImageRect(bounds, pictureSize, ActiveProperties()->FitMode(), FZoomPercent,
                                 ActiveProperties()->Center());
  return TSize{r.Width(), r.Height()};
}

int32_t TcxCustomImage::GetLeftPos() {
  return ViewInfo()->TopLeft.X;
}

void TcxCustomImage::SetLeftPos(int32_t Value) {
  ViewInfo()->TopLeft.X = Value;
}

int32_t TcxCustomImage::GetTopPos() {
  return ViewInfo()->TopLeft.Y;
}

void TcxCustomImage::SetTopPos(int32_t Value) {
  ViewInfo()->TopLeft.Y = Value;
}

void TcxCustomImage::InitScrollBarsParameters() {
  if (HandleAllocated()) CalculateViewInfo(false);
  if (IsInplace() || AutoSize()) return;
  const TSize client = TdxScrollHelper::GetClientSize(this);
  if (client.cx <= 0 || client.cy <= 0 || !IsScrollbarsNeeded()) return;
  const TSize pictureSize = dxGetImageSize(FPicture->Graphic(), ScaleFactor());
  if (ActiveProperties()->GetRealStretch(pictureSize, client)) return;
  TdxScrollHelper::InitScrollBarsParameters(this);
}

void TcxCustomImage::Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int32_t& AScrollPos) {
  TdxScrollHelper::Scroll(this, AScrollBarKind, AScrollCode, AScrollPos);
}

bool TcxCustomImage::IsMouseWheelHandleNeeded() {
  return TcxCustomEdit::IsMouseWheelHandleNeeded() || GetKeyState(VK_CONTROL) < 0;
}

bool TcxCustomImage::InternalMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos) {
  if (!Shift.Contains(ssCtrl)) return TcxCustomEdit::InternalMouseWheel(Shift, WheelDelta, MousePos);
  if (WheelDelta <= 0)
    DecZoomPercent();
  else
    IncZoomPercent();
  return true;
}

// --- Zoom bar and panning with the mouse
// ----------------------------------------------------------------------

TRect TcxCustomImage::ZoomBarRect() {
  TcxImageViewInfo* viewInfo = ViewInfo();
  return viewInfo->ShowZoomTrackBar ? viewInfo->ZoomTrackBarViewInfo()->Bounds : TRect{};
}

bool TcxCustomImage::IsPointOnZoomBar(int32_t X, int32_t Y) {
  return cxRectPtIn(ZoomBarRect(), TPoint{X, Y});
}

TPoint TcxCustomImage::ZoomBarPoint(int32_t X, int32_t Y) {
  const TRect& bounds = ViewInfo()->ZoomTrackBarViewInfo()->Bounds;
  return TPoint{X - bounds.Left, Y - bounds.Top};
}

TPoint TcxCustomImage::GetMouseDownPoint() {
  const TPoint p = MouseDownPos();
  return ZoomBarPoint(p.X, p.Y);
}

void TcxCustomImage::UpdateZoomBar() {
  ShortRefreshContainer(false);
  InvalidateRect(ViewInfo()->ZoomTrackBarViewInfo()->Bounds, false);
}

void TcxCustomImage::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomEdit::MouseMove(Shift, X, Y);
  TcxImageViewInfo* viewInfo = ViewInfo();
  TcxCustomTrackBarViewInfo* bar = viewInfo->ZoomTrackBarViewInfo();
  const bool wasShown = viewInfo->ShowZoomTrackBar;
  viewInfo->ShowZoomTrackBar =
      FZoomingOptions->ShowZoomTrackBar() && AllowScaling() && cxRectPtIn(ClientRect(), TPoint{X, Y});
  const bool onBar = IsPointOnZoomBar(X, Y);
  if (viewInfo->ShowZoomTrackBar && (onBar || FZoomTrackBarSliding)) {
    const TPoint p = ZoomBarPoint(X, Y);
    if (bar->MouseStates.Empty())
      ZoomTrackBarController()->MouseEnter();
    else
      ZoomTrackBarController()->MouseMove(Shift, p.X, p.Y);
    UpdateZoomBar();
  } else if (!bar->MouseStates.Empty() || wasShown != viewInfo->ShowZoomTrackBar) {
    ZoomTrackBarController()->MouseLeave();
    UpdateZoomBar();
  }
  if (Shift.Contains(ssLeft) && !onBar && FLastDragPos != cxInvalidPoint && IsScrollbarsNeeded() &&
      !FZoomTrackBarSliding) {
    TdxScrollHelper::SetPos(this, FLastDragPos.X + GetLeftPos() - X, GetTopPos() + FLastDragPos.Y - Y);
    FLastDragPos = TPoint{X, Y};
  }
}

void TcxCustomImage::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != mbLeft || IsScrollBarsArea(TPoint{X, Y}) || !ViewInfo()->ShowZoomTrackBar) {
    FLastDragPos = cxInvalidPoint;
  } else if (IsPointOnZoomBar(X, Y)) {
    const TPoint p = ZoomBarPoint(X, Y);
    FZoomTrackBarSliding = true;
    ZoomTrackBarController()->MouseDown(Button, Shift, p.X, p.Y);
    UpdateZoomBar();
  } else {
    FLastDragPos = TPoint{X, Y};
  }
  TcxCustomEdit::MouseDown(Button, Shift, X, Y);
}

void TcxCustomImage::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool barDragging = FZoomTrackBarSliding;
  FZoomTrackBarSliding = false;
  // A press on the bar always gets its release: it stops the thumb's sliding and the repeat
  // of a held change button, wherever the pointer is let go.
  if (barDragging || (Button == mbLeft && ViewInfo()->ShowZoomTrackBar && FLastDragPos != cxInvalidPoint &&
                      AllowScaling())) {
    const TPoint p = ZoomBarPoint(X, Y);
    ZoomTrackBarController()->MouseUp(Button, Shift, p.X, p.Y);
    UpdateZoomBar();
  }
  TcxCustomEdit::MouseUp(Button, Shift, X, Y);
}

void TcxCustomImage::MouseEnter(TControl* AControl) {
  TcxCustomEdit::MouseEnter(AControl);
  Invalidate();
}

void TcxCustomImage::MouseLeave(TControl* AControl) {
  TcxImageViewInfo* viewInfo = ViewInfo();
  if (viewInfo->ShowZoomTrackBar && !viewInfo->ZoomTrackBarViewInfo()->MouseStates.Empty())
    ZoomTrackBarController()->MouseLeave();
  viewInfo->ShowZoomTrackBar = false;
  TcxCustomEdit::MouseLeave(AControl);
  ShortRefreshContainer(false);
  Invalidate();
}

void TcxCustomImage::FocusChanged() {
  if (FZoomTrackBarController) FZoomTrackBarController->FocusChanged();
  TcxCustomEdit::FocusChanged();
}

// --- Gestures ------------------------------------------------------------------------------------

bool TcxCustomImage::IsDefaultGesture(DWORD AGestureID) {
  return TcxCustomEdit::IsDefaultGesture(AGestureID) || AGestureID == GID_ZOOM;
}

TInteractiveGestureOptions TcxCustomImage::GetDefaultPanOptions() {
  TInteractiveGestureOptions options = TcxCustomEdit::GetDefaultPanOptions();
  options.Exclude(igoPanGutter);
  return options;
}

void TcxCustomImage::DoGesture(const TGestureEventInfo& AEventInfo, bool& AHandled) {
  if (AEventInfo.GestureID != GID_ZOOM) {
    TcxCustomEdit::DoGesture(AEventInfo, AHandled);
    return;
  }
  // The distance between the fingers grows or shrinks by the delta since the last event.
  const int32_t delta = AEventInfo.Flags.Contains(gfBegin) ? 0 : AEventInfo.Distance - FGestureDistance;
  FGestureDistance = AEventInfo.Distance;
  if (AllowScaling() && delta != 0)
    FZoomingOptions->SetZoomPercent(FZoomingOptions->ZoomPercent() + delta / 4);
  AHandled = true;
}

// --- Clipboard, files and camera
// -----------------------------------------------------------------------------

bool TcxCustomImage::CanPasteFromClipboard() {
  const TGraphicClass graphicClass = ActiveProperties()->GraphicClass();
  TClipboard* clipboard = Clipboard();
  if (graphicClass == TBitmap::StaticClass()) return clipboard->HasFormat(CF_BITMAP);
  if (graphicClass == TIcon::StaticClass()) return false;
  if (graphicClass == TMetafile::StaticClass()) return clipboard->HasFormat(CF_METAFILEPICT);
  if (graphicClass) return clipboard->HasFormat(FClipboardFormat);
  return clipboard->HasFormat(CF_PICTURE());
}

void TcxCustomImage::CopyToClipboard() {
  if (FPicture->Graphic() && !FPicture->Graphic()->Empty()) Clipboard()->Assign(FPicture.get());
}

void TcxCustomImage::CutToClipboard() {
  CopyToClipboard();
  EditAndClear();
}

void TcxCustomImage::EditAndClear() {
  if (DoEditing()) FPicture->SetGraphic(nullptr);
}

void TcxCustomImage::PasteFromClipboard() {
  if (!CanPasteFromClipboard() || !DoEditing()) return;
  {
    // The change event is detached while the clipboard is read and comes back even when the
    // clipboard's data cannot be read.
    const TNotifyEvent saved = FPicture->OnChange;
    FPicture->OnChange = nullptr;
    ScopeExit restore{[this, saved] { FPicture->OnChange = saved; }};
    TClipboard* clipboard = Clipboard();
    const TGraphicClass pastingClass = GetGraphicClass(true);
    if (clipboard->HasFormat(CF_BITMAP) && pastingClass &&
        pastingClass->InheritsFrom(TdxCustomSmartImage::StaticClass())) {
      std::unique_ptr<TObject> object(pastingClass->Create(nullptr));
      auto* image = static_cast<TdxCustomSmartImage*>(object.get());
      image->PasteFromClipboard();
      FPicture->SetGraphic(image);
    } else if (clipboard->HasFormat(CF_BITMAP)) {
      FPicture->Bitmap()->Assign(clipboard);
    } else {
      FPicture->Assign(clipboard);
    }
  }
  PictureChanged(FPicture.get());
}

void TcxCustomImage::LoadFromFile() {
  if (!CanModify()) return;
  TOpenPictureDialog dialog(nullptr);
  const TGraphicClass graphicClass = ActiveProperties()->GraphicClass();
  if (!ActiveProperties()->CustomFilter().empty())
    dialog.SetFilter(ActiveProperties()->CustomFilter());
  else
    dialog.SetFilter(GraphicFilter(graphicClass ? graphicClass : TGraphic::StaticClass()));
  bool ok;
  {
    FIsDialogShowed = true;
    ScopeExit reset{[this] { FIsDialogShowed = false; }};
    ok = dialog.Execute(HandleAllocated() ? Handle() : nullptr);
  }
  if (ok && DoEditing()) {
    try {
      FPicture->LoadFromFile(dialog.FileName());
    } catch (const Exception&) {
      // A file the picture classes cannot read leaves no picture rather than an error.
      FPicture->SetGraphic(nullptr);
    }
    DoClosePopup(crEnter);
    DoPictureLoadedFromFile();
  } else {
    DoClosePopup(crCancel);
  }
  if (Application) Application->ProcessMessages();
}

void TcxCustomImage::SaveToFile() {
  TGraphic* graphic = FPicture->Graphic();
  if (!graphic || graphic->Empty()) return;
  TSavePictureDialog dialog(nullptr);
  if (!ActiveProperties()->CustomFilter().empty())
    dialog.SetFilter(ActiveProperties()->CustomFilter());
  else
    dialog.SetFilter(GraphicFilter(graphic->ClassType()));
  dialog.SetDefaultExt(GraphicExtension(graphic->ClassType()));
  bool ok;
  {
    FIsDialogShowed = true;
    ScopeExit reset{[this] { FIsDialogShowed = false; }};
    ok = dialog.Execute(HandleAllocated() ? Handle() : nullptr);
  }
  if (ok) FPicture->SaveToFile(dialog.FileName());
  if (Application) Application->ProcessMessages();
}

void TcxCustomImage::AssignFromWebCam() {
  TPicture picture;
  const bool ok = cxImageShowCameraDialogProc && cxImageShowCameraDialogProc(&picture);
  if (ok && DoEditing()) {
    FPicture->Assign(&picture);
    DoClosePopup(crEnter);
  } else {
    DoClosePopup(crCancel);
  }
}

bool TcxCustomImage::Focused() {
  return FIsDialogShowed || TcxCustomEdit::Focused();
}

void TcxCustomImage::CustomClick() {
  if (const TNotifyEvent& e = Properties()->OnCustomClick()) e(this);
  if (RepositoryItem())
    if (const TNotifyEvent& e = ActiveProperties()->OnCustomClick()) e(this);
}

// --- Context menu
// ---------------------------------------------------------------------------------------------

void TcxCustomImage::DoContextPopup(TPoint MousePos, bool& Handled) {
  TcxCustomEdit::DoContextPopup(MousePos, Handled);
  if (Handled || PopupMenu() || ActiveProperties()->PopupMenuLayout()->MenuItems().Empty()) return;
  Handled = true;
  const TPoint p = MousePos.X == -1 && MousePos.Y == -1 ? TPoint{10, 10} : MousePos;
  PreparePopup();
  const TPoint screen = ClientToScreen(p);
  FInternalPopupMenu->Popup(screen.X, screen.Y);
}

void TcxCustomImage::PreparePopup() {
  if (!FInternalPopupMenu) {
    FInternalPopupMenu = new TPopupMenu(this);
    FInternalPopupMenu->SetImages(cxImageCommonResources()->PopupMenuImageList());
    for (int32_t tag : kMenuTags) {
      auto* item = new TMenuItem(FInternalPopupMenu);
      item->SetTag(tag);
      if (tag == -1) {
        item->SetCaption(u"-");
      } else {
        if (tag != pmiCustom) item->SetImageIndex(tag);
        item->OnClick = MakeMethod(this, &TcxCustomImage::MenuItemClickHandler);
      }
      FInternalPopupMenu->Items()->Add(item);
    }
  }
  TcxPopupMenuLayout* layout = ActiveProperties()->PopupMenuLayout();
  const TcxPopupMenuItems items = layout->MenuItems();
  TMenuItem* menu = FInternalPopupMenu->Items();
  menu->Items(0)->SetCaption(cxGetResourceString(cxSMenuItemCaptionCut));
  menu->Items(1)->SetCaption(cxGetResourceString(cxSMenuItemCaptionCopy));
  menu->Items(2)->SetCaption(cxGetResourceString(cxSMenuItemCaptionPaste));
  menu->Items(3)->SetCaption(cxGetResourceString(cxSMenuItemCaptionDelete));
  menu->Items(5)->SetCaption(cxGetResourceString(cxSMenuItemCaptionLoad));
  menu->Items(6)->SetCaption(cxGetResourceString(cxSMenuItemCaptionAssignFromWebCam));
  menu->Items(7)->SetCaption(cxGetResourceString(cxSMenuItemCaptionSave));
  TMenuItem* custom = menu->Items(9);
  custom->SetCaption(layout->CustomMenuItemCaption());
  if (layout->HasCustomMenuItemGlyph() && !layout->CustomMenuItemGlyph()->Empty()) {
    custom->Bitmap()->Assign(layout->CustomMenuItemGlyph());
    custom->Bitmap()->SetTransparent(true);
  } else {
    custom->SetBitmap(nullptr);
  }
  for (int32_t i = 0; i < menu->Count(); ++i) {
    const int32_t tag = static_cast<int32_t>(menu->Items(i)->Tag());
    if (tag >= 0) menu->Items(i)->SetVisible(items.Contains(static_cast<TcxPopupMenuItem>(tag)));
  }
  menu->Items(4)->SetVisible(items.Contains(pmiLoad) || items.Contains(pmiWebCam));
  menu->Items(8)->SetVisible(items.Contains(pmiCustom));

  const bool canModify = CanModify();
  const bool hasPicture = FPicture->Graphic() && !FPicture->Graphic()->Empty();
  const bool isIcon = ActiveProperties()->GraphicClass() == TIcon::StaticClass();
  menu->Items(0)->SetEnabled(canModify && hasPicture && !isIcon);
  menu->Items(1)->SetEnabled(hasPicture && !isIcon);
  menu->Items(2)->SetEnabled(canModify && CanPasteFromClipboard());
  menu->Items(3)->SetEnabled(hasPicture && canModify);
  menu->Items(5)->SetEnabled(canModify);
  menu->Items(6)->SetEnabled(canModify && IsCameraAvailable());
  menu->Items(7)->SetEnabled(hasPicture);
  custom->SetEnabled(true);
}

void TcxCustomImage::MenuItemClickHandler(TObject* Sender) {
  if (auto* item = ObjectCast<TMenuItem>(Sender)) MenuItemClick(static_cast<int32_t>(item->Tag()));
}

void TcxCustomImage::MenuItemClick(int32_t ATag) {
  AsUserAction(this, [&] {
    switch (ATag) {
      case pmiCut:
        CutToClipboard();
        break;
      case pmiCopy:
        CopyToClipboard();
        break;
      case pmiPaste:
        PasteFromClipboard();
        break;
      case pmiDelete:
        EditAndClear();
        break;
      case pmiLoad:
        LoadFromFile();
        break;
      case pmiWebCam:
        AssignFromWebCam();
        break;
      case pmiSave:
        SaveToFile();
        break;
      case pmiCustom:
        CustomClick();
        break;
      default:
        break;
    }
  });
}

// --- Keys
// -------------------------------------------------------------------------------------------------------

void TcxCustomImage::KeyDown(WORD& Key, TShiftState Shift) {
  TcxCustomEdit::KeyDown(Key, Shift);
  if (Key == 0) return;
  AsUserAction(this, [&] {
    if (Key == VK_INSERT && Shift == TShiftState{ssShift})
      PasteFromClipboard();
    else if (Key == VK_INSERT && Shift == TShiftState{ssCtrl})
      CopyToClipboard();
    else if (Key == VK_DELETE && Shift == TShiftState{ssShift})
      CutToClipboard();
  });
}

void TcxCustomImage::KeyPress(Char& Key) {
  TcxCustomEdit::KeyPress(Key);
  if (Key == 0) return;
  AsUserAction(this, [&] {
    switch (Key) {
      case 3:
        CopyToClipboard();
        break;
      case 22:
        PasteFromClipboard();
        break;
      case 24:
        CutToClipboard();
        break;
      default:
        break;
    }
  });
}

}  // namespace qd

// The camera control's floating settings toolbar: pages of items for the device and the
// resolution, their layout, hot tracking, painting, and the hooks that close it.
#include <algorithm>
#include <cmath>

#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxHooks.h"
#include "ui/editors/concrete/dxCameraControl.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxCameraControlSettingsToolbar)

namespace {

TdxCameraControlSettingsToolbar* FSettingsToolbar = nullptr;
bool FSettingsToolbarReleasing = false;

constexpr int32_t kIndent = 5;
constexpr int32_t kCaptionGap = 20;
constexpr TColor kPanelColor = 0xB2B2B2;
constexpr TColor kFrameColor = 0x7F7F7F;
constexpr TColor kHotCheckedColor = 0x555555;
constexpr TColor kHotColor = 0xD3D3D3;
constexpr TColor kCheckedColor = 0x898989;

String ResolutionText(const TSize& ASize) {
  return IntToStr(ASize.cx) + u"x" + IntToStr(ASize.cy);
}

TRect MirrorInside(const TRect& R, const TRect& AOuter) {
  return TRect{AOuter.Left + AOuter.Right - R.Right, R.Top, AOuter.Left + AOuter.Right - R.Left, R.Bottom};
}

void ReleaseSettingsToolbar() {
  if (!FSettingsToolbar || FSettingsToolbarReleasing) return;
  FSettingsToolbarReleasing = true;
  FSettingsToolbar->Release();
}

}  // namespace

// --- Items ---------------------------------------------------------------------------------------

void TdxCameraControlSettingsToolbarItem::SetState(TcxEditCheckState AValue) {
  if (FState == AValue) return;
  FState = AValue;
  if (FParentHandle) {
    RECT r = FBounds;
    InvalidateRect(FParentHandle, &r, FALSE);
  }
}

void TdxCameraControlSettingsToolbarItem::Draw(TcxCanvas* ACanvas) {
  TColor fill = FChecked ? kCheckedColor : kPanelColor;
  if (FState == ecsHot) fill = FChecked ? kHotCheckedColor : kHotColor;
  ACanvas->Pen()->SetColor(kPanelColor);
  ACanvas->Brush()->SetColor(fill);
  ACanvas->Rectangle(FBounds);
  const int32_t indent = FCameraControl->ScaleFactor()->Apply(kIndent);
  TRect r = cxRectInflate(FBounds, -indent, 0);
  const bool rtl = FCameraControl->UseRightToLeftAlignment();
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (FCameraControl->UseRightToLeftReading()) flags |= DT_RTLREADING;
  const HDC dc = ACanvas->Handle();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(ACanvas->Font()->Color()));
  RECT cr = r;
  DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &cr, flags | (rtl ? DT_RIGHT : DT_LEFT));
  RECT dr = r;
  DrawTextW(dc, FDescription.c_str(), static_cast<int>(FDescription.size()), &dr,
            flags | (rtl ? DT_LEFT : DT_RIGHT));
  SetBkMode(dc, oldMode);
}

// --- Toolbar -------------------------------------------------------------------------------------

TdxCameraControlSettingsToolbar::TdxCameraControlSettingsToolbar(TdxCustomCameraControl* ACameraControl)
    : TdxCustomFloatForm(nullptr), FCameraControl(ACameraControl) {
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  if (FCameraControl) {
    Font()->Assign(FCameraControl->Font());
  }
  FcxCanvas = std::make_unique<TcxCanvas>(Canvas());
  dxSetHook(htMouse, &dxSettingsToolbarMouseHook);
  dxSetHook(htWndProc, &dxSettingsToolbarWndProcHook);
}

TdxCameraControlSettingsToolbar::~TdxCameraControlSettingsToolbar() {
  if (FSettingsToolbar == this) {
    FSettingsToolbar = nullptr;
    FSettingsToolbarReleasing = false;
  }
  dxReleaseHook(&dxSettingsToolbarMouseHook);
  dxReleaseHook(&dxSettingsToolbarWndProcHook);
  FHotItem = nullptr;
  FItems.clear();
  FcxCanvas.reset();
  // The control's settings button shows again.
  if (FCameraControl && FCameraControl->HandleAllocated()) FCameraControl->Invalidate();
}

TCustomForm* TdxCameraControlSettingsToolbar::GetParentForm() {
  return FCameraControl ? qd::GetParentForm(FCameraControl) : nullptr;
}

void TdxCameraControlSettingsToolbar::CreateParams(TCreateParams& Params) {
  TdxCustomFloatForm::CreateParams(Params);
  if (TCustomForm* form = GetParentForm(); form && form->HandleAllocated()) Params.WndParent = form->Handle();
}

void TdxCameraControlSettingsToolbar::CreateWnd() {
  TdxCustomFloatForm::CreateWnd();
  cxSetLayeredWindowAttributes(Handle(), 200);
}

void TdxCameraControlSettingsToolbar::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_MOUSELEAVE) SetHotItem(nullptr);
  TdxCustomFloatForm::Dispatch(Message);
  if (Message.Msg == DXM_SCALECHANGED && FSettingsToolbar == this) ShowToolbar();
}

int32_t TdxCameraControlSettingsToolbar::TextLineHeight() {
  FcxCanvas->SetFont(Font());
  return FcxCanvas->TextHeight(u"Wg");
}

int32_t TdxCameraControlSettingsToolbar::TextWidth(const String& AText) {
  FcxCanvas->SetFont(Font());
  return FcxCanvas->TextWidth(AText);
}

void TdxCameraControlSettingsToolbar::AddItem(const String& ACaption, const String& ADescription,
                                              bool AChecked) {
  FItems.push_back(std::make_unique<TdxCameraControlSettingsToolbarItem>(
      FCameraControl, HandleAllocated() ? Handle() : nullptr, ACaption, ADescription, AChecked));
}

void TdxCameraControlSettingsToolbar::BuildPage(TdxCameraControlSettingsToolbarPage APage) {
  FToolbarPage = APage;
  FHotItem = nullptr;
  FItems.clear();
  TdxCameraManager* manager = dxCameraManager();
  if (manager) manager->RefreshDeviceList();
  const std::vector<String> devices = manager ? manager->Devices() : std::vector<String>{};
  static const TResStringRec* const kHeaders[] = {&sdxCameraControlSettingsFormSettings,
                                                  &sdxCameraControlSettingsFormDevices,
                                                  &sdxCameraControlSettingsFormResolutions};
  AddItem(u"<   " + cxGetResourceString(*kHeaders[APage]), String());
  switch (APage) {
    case stpSettings:
      if (!devices.empty() && FCameraControl->Active()) {
        String name = FCameraControl->DeviceName();
        const int32_t index = FCameraControl->DeviceIndex();
        if (name.empty() && index >= 0 && static_cast<size_t>(index) < devices.size())
          name = devices[static_cast<size_t>(index)];
        AddItem(cxGetResourceString(sdxCameraControlSettingsFormDevice), name + u"   >");
        TdxCamera* camera = FCameraControl->Camera();
        if (camera && camera->Connected())
          AddItem(cxGetResourceString(sdxCameraControlSettingsFormResolution),
                  ResolutionText(FCameraControl->Resolutions(FCameraControl->ResolutionIndex())) + u"   >");
      }
      break;
    case stpDevices:
      for (size_t i = 0; i < devices.size(); ++i)
        AddItem(String(), devices[i],
                FCameraControl->Active() && static_cast<int32_t>(i) == FCameraControl->DeviceIndex());
      break;
    case stpResolutions:
      for (int32_t i = 0; i < FCameraControl->ResolutionCount(); ++i)
        AddItem(String(), ResolutionText(FCameraControl->Resolutions(i)),
                i == FCameraControl->ResolutionIndex());
      break;
  }
}

TSize TdxCameraControlSettingsToolbar::GetContentRectSize() {
  const TdxScaleFactor* s = FCameraControl->ScaleFactor();
  const int32_t L = TextLineHeight();
  const int32_t n = ItemCount();
  FColumnCount = 1;
  int64_t W = 0;
  if (n > 1) {
    int32_t C = 0;
    for (int32_t i = 1; i < n; ++i) C = std::max(C, TextWidth(Items(i)->FCaption));
    for (int32_t i = 1; i < n; ++i) {
      const TdxCameraControlSettingsToolbarItem* item = Items(i);
      const int32_t d = TextWidth(item->FDescription);
      int32_t need;
      if (!item->FCaption.empty() && !item->FDescription.empty())
        need = C + d + s->Apply(kCaptionGap);
      else if (!item->FDescription.empty())
        need = d + s->Apply(kIndent);
      else
        need = TextWidth(item->FCaption) + s->Apply(kIndent);
      W = std::max<int64_t>(W, need);
    }
    // The item area made roughly square.
    if (W > 0)
      FColumnCount =
          std::max<int32_t>(1, static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(W) * L * n * 2) /
                                                              static_cast<double>(W))));
  }
  W = std::max<int64_t>(W, TextWidth(Items(0)->FCaption) + s->Apply(kIndent));
  const int32_t R = (n - 1 + FColumnCount - 1) / FColumnCount;
  return TSize{static_cast<int32_t>(W * FColumnCount), (R + 1) * 2 * L};
}

TRect TdxCameraControlSettingsToolbar::GetNewBounds() {
  const TdxScaleFactor* s = FCameraControl->ScaleFactor();
  const int32_t indent = s->Apply(kIndent);
  const TSize content = GetContentRectSize();
  TRect r = cxRectInflate(TRect{0, 0, content.cx, content.cy}, indent);
  const TRect b = FCameraControl->GetBounds();
  const TPoint corner = FCameraControl->ClientToScreen(TPoint{b.Right, b.Bottom});
  r = cxRectOffset(r, corner.X - r.Right - indent, corner.Y - r.Bottom - indent);
  if (FCameraControl->UseRightToLeftAlignment()) {
    TRect client = FCameraControl->ScreenToClient(r);
    client = MirrorInside(client, FCameraControl->ClientRect());
    r = FCameraControl->ClientToScreen(client);
  }
  return r;
}

void TdxCameraControlSettingsToolbar::CalculateItemsBounds(const TRect& ARect) {
  const TdxScaleFactor* s = FCameraControl->ScaleFactor();
  const int32_t L2 = 2 * TextLineHeight();
  const int32_t top = s->Apply(kIndent);
  const int32_t margin = s->Apply(1);
  const int32_t n = ItemCount();
  const int32_t columns = std::max(1, FColumnCount);
  const int32_t A = ARect.Width() / columns;
  const int32_t R = std::max(1, (n - 1 + columns - 1) / columns);
  auto place = [&](TdxCameraControlSettingsToolbarItem* AItem, TRect r) {
    r = cxRectInflate(r, -margin, 0, -margin, 0);
    AItem->FBounds = FCameraControl->UseRightToLeftAlignment() ? MirrorInside(r, ARect) : r;
  };
  place(Items(0), TRect{ARect.Left, ARect.Top + top, ARect.Right, ARect.Top + top + L2});
  for (int32_t i = 1; i < n; ++i) {
    const int32_t column = (i - 1) / R, row = (i - 1) % R;
    place(Items(i), cxRectBounds(ARect.Left + A * column, ARect.Top + top + (row + 1) * L2, A, L2));
  }
}

void TdxCameraControlSettingsToolbar::UpdateBoundsAndRegion() {
  const TRect bounds = GetNewBounds();
  SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  CalculateItemsBounds(TRect{0, 0, bounds.Width(), bounds.Height()});
  for (auto& item : FItems) item->FParentHandle = Handle();
  SetWindowRgn(Handle(), CreateRoundRectRgn(0, 0, Width() + 1, Height() + 1, 5, 5), TRUE);
}

void TdxCameraControlSettingsToolbar::ShowToolbar() {
  BuildPage(stpSettings);
  UpdateBoundsAndRegion();
  ShowWindow(Handle(), SW_SHOWNA);
  SetVisible(true);
}

void TdxCameraControlSettingsToolbar::Initialize(TdxCameraControlSettingsToolbarPage APage) {
  FHotItem = nullptr;
  BuildPage(APage);
  UpdateBoundsAndRegion();
  Invalidate();
}

void TdxCameraControlSettingsToolbar::Paint() {
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(Handle(), region) != ERROR) {
    const HBRUSH fill = CreateSolidBrush(ColorToRGB(kPanelColor));
    const HBRUSH frame = CreateSolidBrush(ColorToRGB(kFrameColor));
    FillRgn(Canvas()->Handle(), region, fill);
    FrameRgn(Canvas()->Handle(), region, frame, 1, 1);
    DeleteObject(fill);
    DeleteObject(frame);
  }
  DeleteObject(region);
  FcxCanvas->SetFont(Font());
  for (auto& item : FItems) item->Draw(FcxCanvas.get());
}

int32_t TdxCameraControlSettingsToolbar::ItemAt(const TPoint& P) const {
  for (int32_t i = 0; i < ItemCount(); ++i)
    if (cxRectPtIn(Items(i)->FBounds, P)) return i;
  return -1;
}

void TdxCameraControlSettingsToolbar::SetHotItem(TdxCameraControlSettingsToolbarItem* AItem) {
  if (FHotItem == AItem) return;
  if (FHotItem) FHotItem->SetState(ecsNormal);
  FHotItem = AItem;
  if (FHotItem) FHotItem->SetState(ecsHot);
}

void TdxCameraControlSettingsToolbar::MouseMove(TShiftState Shift, int X, int Y) {
  TdxCustomFloatForm::MouseMove(Shift, X, Y);
  const int32_t i = ItemAt(TPoint{X, Y});
  SetHotItem(i >= 0 ? Items(i) : nullptr);
}

void TdxCameraControlSettingsToolbar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TdxCustomFloatForm::MouseUp(Button, Shift, X, Y);
  // Only the index and the page are used from here on: the actions rebuild the items.
  const int32_t i = ItemAt(TPoint{X, Y});
  if (i < 0) return;
  const bool marked = Items(i)->FChecked;
  TdxCustomCameraControl* control = FCameraControl;
  switch (FToolbarPage) {
    case stpSettings:
      if (i == 0)
        ReleaseSettingsToolbar();
      else if (i == 1)
        Initialize(stpDevices);
      else if (i == 2)
        Initialize(stpResolutions);
      break;
    case stpDevices:
      if (i == 0)
        Initialize(stpSettings);
      else if (!control->Active() || !marked)
        control->SetDeviceIndex(i - 1);
      break;
    case stpResolutions:
      if (i == 0)
        Initialize(stpSettings);
      else if (!marked)
        control->SetResolutionIndex(i - 1);
      break;
  }
}

// --- Unit routines -------------------------------------------------------------------------------

TdxCameraControlSettingsToolbar* dxCameraControlSettingsToolbar() {
  return FSettingsToolbar;
}

void dxShowCameraControlSettingsToolbar(TdxCustomCameraControl* AControl) {
  if (FSettingsToolbar && FSettingsToolbar->CameraControl() != AControl) {
    TdxCameraControlSettingsToolbar* other = FSettingsToolbar;
    FSettingsToolbar = nullptr;
    FSettingsToolbarReleasing = false;
    other->Free();
  }
  if (FSettingsToolbar) return;
  FSettingsToolbar = new TdxCameraControlSettingsToolbar(AControl);
  FSettingsToolbar->AfterConstruction();
  FSettingsToolbar->ShowToolbar();
  if (AControl->HandleAllocated()) AControl->Invalidate();
}

void dxSettingsToolbarMouseHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult) {
  if (!FSettingsToolbar || ACode < 0 || !IsMouseDownMessage(static_cast<UINT>(AWParam))) return;
  const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(ALParam);
  if (info && !cxRectPtIn(FSettingsToolbar->BoundsRect(), info->pt)) ReleaseSettingsToolbar();
}

void dxSettingsToolbarWndProcHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult) {
  if (!FSettingsToolbar || ACode < 0) return;
  const auto* info = reinterpret_cast<const CWPSTRUCT*>(ALParam);
  if (info && info->message == WM_KILLFOCUS &&
      reinterpret_cast<HWND>(info->wParam) !=
          (FSettingsToolbar->HandleAllocated() ? FSettingsToolbar->Handle() : nullptr))
    ReleaseSettingsToolbar();
}

namespace dxCameraControlToolbar {

void Finalize() {
  if (TdxCameraControlSettingsToolbar* toolbar = FSettingsToolbar) {
    FSettingsToolbar = nullptr;
    toolbar->Free();
  }
  FSettingsToolbarReleasing = false;
}

}  // namespace dxCameraControlToolbar

}  // namespace qd

#include "ui/editors/dxIncrementalFiltering.h"

#include "platform/classes/rtti.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/dxCore.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsText.h"
#include "ui/graphics/cxTextLayout.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxCustomIncrementalFilteringHelper)
QD_IMPLEMENT_CLASS(TdxCustomIncrementalFilteringContainerViewInfo)
QD_IMPLEMENT_CLASS(TdxCustomIncrementalFilteringPopupWindow)

// --- TdxCustomIncrementalFilteringHelper --------------------------------------------------------

TdxCustomIncrementalFilteringHelper::~TdxCustomIncrementalFilteringHelper() {
  DestroySearchEdit();
}

TcxCustomTextEdit* TdxCustomIncrementalFilteringHelper::SearchEdit() const {
  return FSearchEditLink && FSearchEditLink->Ref ? FSearchEdit : nullptr;
}

void TdxCustomIncrementalFilteringHelper::CreateSearchEdit() {
  DestroySearchEdit();
  FSearchEdit = new TcxTextEdit(nullptr);
  FSearchEditLink = cxAddObjectLink(FSearchEdit);
}

void TdxCustomIncrementalFilteringHelper::DestroySearchEdit() {
  delete SearchEdit();
  FSearchEdit = nullptr;
  cxRemoveObjectLink(FSearchEditLink);
  FSearchEditLink = nullptr;
}

void TdxCustomIncrementalFilteringHelper::DrawSearchEditButton(TcxCustomEditViewInfo* Sender,
                                                               TcxCanvas* ACanvas,
                                                               int32_t AButtonVisibleIndex, bool& AHandled) {
  AHandled = true;
  if (!ACanvas || !Sender || AButtonVisibleIndex < 0 || AButtonVisibleIndex >= Sender->ButtonCount()) return;
  TcxCustomLookAndFeelPainter* painter = GetLookAndFeelPainter();
  if (!painter) return;
  TcxEditButtonViewInfo* button = Sender->ButtonsInfo[static_cast<size_t>(AButtonVisibleIndex)].get();
  painter->DrawScaledSearchEditButtonGlyph(ACanvas, button->Bounds, cxbsNormal, button->ScaleFactor());
}

void TdxCustomIncrementalFilteringHelper::InitSearchEdit() {
  if (!SearchEdit()) return;
  TcxCustomEditProperties* properties = FSearchEdit->Properties();
  properties->SetOnChange(TNotifyEvent(this, &TdxCustomIncrementalFilteringHelper::SearchEditValueChanged));
  FSearchEdit->OnKeyDown = TKeyEvent(this, &TdxCustomIncrementalFilteringHelper::SearchEditKeyDown);
  FSearchEdit->OnKeyPress = TKeyPressEvent(this, &TdxCustomIncrementalFilteringHelper::SearchEditKeyPress);
  properties->Buttons()->Add()->SetKind(bkGlyph);
  FSearchEdit->ViewInfo()->OnDrawButton =
      TcxEditDrawButtonEvent(this, &TdxCustomIncrementalFilteringHelper::DrawSearchEditButton);
  FSearchEdit->OnMouseWheel =
      TMouseWheelEvent(this, &TdxCustomIncrementalFilteringHelper::SearchEditMouseWheel);
  FSearchEdit->SetBeepOnEnter(false);
}

String TdxCustomIncrementalFilteringHelper::GetSearchText() {
  TcxCustomTextEdit* edit = SearchEdit();
  return edit ? edit->GetDisplayText() : String();
}

// --- TdxCustomIncrementalFilteringContainerViewInfo ----------------------------------------------

TdxCustomIncrementalFilteringContainerViewInfo::TdxCustomIncrementalFilteringContainerViewInfo()
    : ScaleFactor(std::make_unique<TdxOwnedScaleFactor>()) {}

TdxCustomIncrementalFilteringContainerViewInfo::~TdxCustomIncrementalFilteringContainerViewInfo() = default;

String TdxCustomIncrementalFilteringContainerViewInfo::GetSearchInfoPanelText() {
  return cxGetResourceString(cxSNoMatchesFound);
}

uint32_t TdxCustomIncrementalFilteringContainerViewInfo::GetSearchInfoPanelTextDrawFlags() {
  uint32_t flags = CXTO_SINGLELINE | CXTO_CENTER_VERTICALLY;
  if (UseRightToLeftAlignment)
    flags |= CXTO_RIGHT | CXTO_RTLREADING;
  else
    flags |= CXTO_LEFT;
  return flags;
}

int32_t TdxCustomIncrementalFilteringContainerViewInfo::GetSearchInfoPanelDefaultHeight() {
  return (Font ? cxTextHeight(Font) : 0) + 8;
}

int32_t TdxCustomIncrementalFilteringContainerViewInfo::GetSearchInfoPanelHeight() {
  return SearchInfoPanelHeight != 0 ? SearchInfoPanelHeight : GetSearchInfoPanelDefaultHeight();
}

int32_t TdxCustomIncrementalFilteringContainerViewInfo::GetSearchInfoPanelWidth() {
  return (Font ? cxTextWidth(Font, GetSearchInfoPanelText()) : 0) + 2 * GetSearchInfoPanelTextOffset();
}

void TdxCustomIncrementalFilteringContainerViewInfo::DrawSearchInfoPanel(TcxCanvas* ACanvas) {
  if (!Painter) return;
  Painter->DrawWindowContent(ACanvas, SearchInfoPanelBounds);
  uint32_t flags = GetSearchInfoPanelTextDrawFlags();
  if ((ACanvas->TextFlags() & ETO_RTLREADING) != 0) flags |= CXTO_RTLREADING;
  TRect r = SearchInfoPanelBounds;
  cxTextOut(ACanvas->Handle(), GetSearchInfoPanelText(), r, flags, 0, 0, Font, clHighlight, clHighlightText,
            0, GetSearchInfoPanelTextOffset(), 0, Painter->GetWindowContentTextColor(), 1.0);
}

void TdxCustomIncrementalFilteringContainerViewInfo::Paint(TcxCanvas* ACanvas) {
  TcxContainerViewInfo::Paint(ACanvas);
  if (IsSearchInfoPanelVisible()) DrawSearchInfoPanel(ACanvas);
}

// --- TdxCustomIncrementalFilteringPopupWindow ----------------------------------------------------

TdxCustomIncrementalFilteringPopupWindow::TdxCustomIncrementalFilteringPopupWindow(TWinControl* AOwnerControl,
                                                                                   TClass AViewInfoClass)
    : TcxCustomPopupWindow(AOwnerControl) {
  const TClass viewInfoClass =
      AViewInfoClass ? AViewInfoClass : TdxCustomIncrementalFilteringContainerViewInfo::StaticClass();
  ReplaceViewInfo(ObjectCast<TdxCustomIncrementalFilteringContainerViewInfo>(viewInfoClass->Create()));
  GetViewInfo()->ScaleFactor->SetOwner(ScaleFactor());
}

TdxCustomIncrementalFilteringContainerViewInfo* TdxCustomIncrementalFilteringPopupWindow::GetViewInfo()
    const {
  return static_cast<TdxCustomIncrementalFilteringContainerViewInfo*>(ViewInfo());
}

void TdxCustomIncrementalFilteringPopupWindow::SetShowSearchInfoPanel(bool Value) {
  FShowSearchInfoPanel = Value;
  GetViewInfo()->ShowSearchInfoPanel = Value;
}

}  // namespace qd

#include "ui/editors/concrete/cxMemo.h"

#include <algorithm>

#include "platform/base/strings.h"
#include "platform/classes/rtti.h"
#include "platform/os/user.h"
#include "platform/os/user_edit.h"
#include "ui/controls/cxContainer.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/core/cxGeometry.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/graphics/cxGraphics.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomMemoProperties)
QD_IMPLEMENT_CLASS(TcxMemoProperties)
QD_IMPLEMENT_CLASS(TcxCustomMemoViewInfo)
QD_IMPLEMENT_CLASS(TcxCustomMemoViewData)
QD_IMPLEMENT_CLASS(TcxCustomInnerMemoHelper)
QD_IMPLEMENT_CLASS(TcxCustomInnerMemo)
QD_IMPLEMENT_CLASS(TcxCustomMemo)
QD_IMPLEMENT_CLASS(TcxMemo)
QD_IMPLEMENT_CLASS(TcxFilterMemoHelper)

namespace {

constexpr int32_t kFirstLineMaxLength = 250;

bool IsHighSurrogate(Char C) {
  return C >= 0xD800 && C <= 0xDBFF;
}

// At most ALength code units of AText, one less when the cut would split a surrogate pair.
String CutAtCodePoint(const String& AText, int32_t ALength) {
  if (ALength <= 0) return {};
  if (static_cast<size_t>(ALength) >= AText.size()) return AText;
  size_t n = static_cast<size_t>(ALength);
  if (IsHighSurrogate(AText[n - 1])) --n;
  return AText.substr(0, n);
}

// The part before the first CR or LF, at most 250 characters.
String ExtractFirstLine(const String& AText) {
  const size_t end = AText.find_first_of(u"\r\n");
  return CutAtCodePoint(end == String::npos ? AText : AText.substr(0, end), kFirstLineMaxLength);
}

const TTypeInfo* MemoScrollStyleTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TScrollStyle", {u"ssNone", u"ssHorizontal", u"ssVertical", u"ssBoth"});
  return &info;
}

const TTypeInfo* MemoCharCaseTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TEditCharCase", {u"ecNormal", u"ecUpperCase", u"ecLowerCase"});
  return &info;
}

bool HasHorizontalScrollBar(TScrollStyle AStyle) {
  return AStyle == ssHorizontal || AStyle == ssBoth;
}

// Removes the bits for the scope and puts them back afterwards.
struct StyleBitsRemoved {
  StyleBitsRemoved(HWND AWnd, LONG_PTR ABits) : wnd(AWnd), style(GetWindowLongPtrW(AWnd, GWL_STYLE)) {
    SetWindowLongPtrW(wnd, GWL_STYLE, style & ~ABits);
  }
  ~StyleBitsRemoved() { SetWindowLongPtrW(wnd, GWL_STYLE, style); }
  HWND wnd;
  LONG_PTR style;
};

}  // namespace

String CorrectLineBreaks(const String& AText) {
  String result;
  result.reserve(AText.size());
  size_t i = 0;
  while (i < AText.size()) {
    const Char c = AText[i];
    if (c == u'\r' && i + 1 < AText.size() && AText[i + 1] == u'\n') {
      result += u"\r\n";
      i += 2;
    } else if (c == u'\n' && i + 1 < AText.size() && AText[i + 1] == u'\r') {
      result += u"\r\n\r\n";
      i += 2;
    } else {
      result += c;
      ++i;
    }
  }
  return result;
}

// --- TcxCustomMemoProperties --------------------------------------------------------------------

TcxCustomMemoProperties::TcxCustomMemoProperties(TPersistent* AOwner) : TcxCustomTextEditProperties(AOwner) {
  InitDefaultVertAlignment();
  SetAutoSelect(false);
}

void TcxCustomMemoProperties::SetVisibleLineCount(int32_t Value) {
  SetValue(FVisibleLineCount, std::max(Value, 0));
}

void TcxCustomMemoProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomTextEditProperties::DoAssign(Source);
  if (auto* src = ObjectCast<TcxCustomMemoProperties>(Source)) {
    FScrollBars = src->FScrollBars;
    FVisibleLineCount = src->FVisibleLineCount;
    FWantReturns = src->FWantReturns;
    FWantTabs = src->FWantTabs;
    FWordWrap = src->FWordWrap;
  }
}

TClass TcxCustomMemoProperties::GetContainerClass() const {
  return TcxMemo::StaticClass();
}

TClass TcxCustomMemoProperties::GetViewDataClass() const {
  return TcxCustomMemoViewData::StaticClass();
}

TClass TcxCustomMemoProperties::GetViewInfoClass() const {
  return TcxCustomMemoViewInfo::StaticClass();
}

String TcxCustomMemoProperties::GetDisplayText(const Variant& AEditValue, bool AFullText, bool AIsInplace) {
  const String text = TcxCustomTextEditProperties::GetDisplayText(AEditValue, AFullText, AIsInplace);
  return AFullText ? text : ExtractFirstLine(text);
}

TcxEditSpecialFeatures TcxCustomMemoProperties::GetSpecialFeatures() {
  TcxEditSpecialFeatures result = TcxCustomTextEditProperties::GetSpecialFeatures();
  result.Include(esfMultiRow);
  return result;
}

TcxEditSupportedOperations TcxCustomMemoProperties::GetSupportedOperations() {
  TcxEditSupportedOperations result = TcxCustomTextEditProperties::GetSupportedOperations();
  result.Include(esoEditingAutoHeight);
  return result;
}

void TcxMemoProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomMemoProperties;
  using T = TcxCustomTextEditProperties;
  using B = TcxCustomEditProperties;
  r.Prop("Alignment", &B::Alignment, &B::SetAlignment).Stored(&B::IsAlignmentStored);
  r.Prop("AssignedValues", &T::AssignedValues, &B::SetAssignedValues);
  r.Prop("AutoSelect", &B::AutoSelect, &B::SetAutoSelect).Default(false);
  r.Prop("CharCase", &T::CharCase, &T::SetCharCase, MemoCharCaseTypeInfo()).Default(ecNormal);
  r.Prop("ClearKey", &B::ClearKey, &B::SetClearKey).Default(0);
  r.Prop("HideSelection", &T::HideSelection, &T::SetHideSelection).Default(true);
  r.Prop("ImeName", &T::ImeName, &T::SetImeName);
  r.Prop("MaxLength", &T::MaxLength, &T::SetMaxLength).Stored(&T::IsMaxLengthStored);
  r.Prop("OEMConvert", &T::OEMConvert, &T::SetOEMConvert).Default(false);
  r.Prop("ReadOnly", &B::ReadOnly, &B::SetReadOnly).Stored(&B::IsReadOnlyStored);
  r.Prop("ScrollBars", &P::ScrollBars, &P::SetScrollBars, MemoScrollStyleTypeInfo()).Default(ssNone);
  r.Prop("ValidationErrorIconAlignment", &B::ValidationErrorIconAlignment,
         &B::SetValidationErrorIconAlignment, TypeInfoTAlignment())
      .Default(taLeftJustify);
  r.Prop("VisibleLineCount", &P::VisibleLineCount, &P::SetVisibleLineCount).Default(0);
  r.Prop("WantReturns", &P::WantReturns, &P::SetWantReturns).Default(true);
  r.Prop("WantTabs", &P::WantTabs, &P::SetWantTabs).Default(false);
  r.Prop("WordWrap", &P::WordWrap, &P::SetWordWrap).Default(true);
  r.Event("OnChange", &B::OnChange, &B::SetOnChange);
  r.Event("OnEditValueChanged", &B::OnEditValueChanged, &B::SetOnEditValueChanged);
  r.Event("OnValidate", &B::OnValidate, &B::SetOnValidate);
}

// --- View data and view info -----------------------------------------------------------------

void TcxCustomMemoViewInfo::DrawText(TcxCanvas* ACanvas) {
  if (Text.empty()) return;
  TcxCustomTextEditViewInfo::DrawText(ACanvas);
}

TcxCustomMemoProperties* TcxCustomMemoViewData::MemoProperties() const {
  return static_cast<TcxCustomMemoProperties*>(Properties());
}

uint32_t TcxCustomMemoViewData::GetDrawTextFlags() {
  TcxCustomMemoProperties* props = MemoProperties();
  TAlignment horz = props->Alignment()->Horz();
  if (UseRightToLeftAlignment && horz != taCenter)
    horz = horz == taLeftJustify ? taRightJustify : taLeftJustify;
  uint32_t flags = horz == taRightJustify ? CXTO_RIGHT
                   : horz == taCenter     ? CXTO_CENTER_HORIZONTALLY
                                          : CXTO_LEFT;
  if (props->WordWrap() && !HasHorizontalScrollBar(props->ScrollBars()))
    flags |= CXTO_CHARBREAK | CXTO_EDITCONTROL | CXTO_WORDBREAK;
  else
    flags |= CXTO_EDITCONTROL;
  flags |= CXTO_PREVENT_LEFT_EXCEED | CXTO_EXPANDTABS;
  if (UseRightToLeftReading) flags |= CXTO_RTLREADING;
  return flags;
}

TRect TcxCustomMemoViewData::GetDrawTextOffset() {
  return IsInplace() ? TRect{1, 1, 1, 1} : TRect{1, 1, 1, 3};
}

TSize TcxCustomMemoViewData::GetEditContentSizeCorrection() {
  const TRect r = GetDrawTextOffset();
  return TSize{r.Left + r.Right, r.Top + r.Bottom};
}

int32_t TcxCustomMemoViewData::GetMaxLineCount() {
  const int32_t count = MemoProperties()->VisibleLineCount();
  return count > 0 ? count : TcxCustomTextEditViewData::GetMaxLineCount();
}

TSize TcxCustomMemoViewData::InternalGetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                                        const TcxEditSizeProperties& AEditSizeProperties) {
  String text;
  EditValueToDisplayText(AEditValue, text);
  return GetTextEditContentSize(ACanvas, this, text, GetDrawTextFlags(), AEditSizeProperties,
                                MemoProperties()->VisibleLineCount());
}

TSize TcxCustomMemoViewData::GetEditingContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                                   const TcxEditSizeProperties& AEditSizeProperties) {
  String text = MemoProperties()->GetDisplayText(AEditValue, true);
  // An empty last line counts.
  if (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text += u"\r\n";
  return GetTextEditContentSize(ACanvas, this, text, GetDrawTextFlags(), AEditSizeProperties,
                                MemoProperties()->VisibleLineCount());
}

TSize TcxCustomMemoViewData::InternalGetEditConstantPartSize(TcxCanvas* ACanvas, bool AIsInplace,
                                                             const TcxEditSizeProperties& AEditSizeProperties,
                                                             TSize& AMinContentSize,
                                                             TcxCustomEditViewInfo* AViewInfo) {
  TSize result = TcxCustomTextEditViewData::InternalGetEditConstantPartSize(
      ACanvas, AIsInplace, AEditSizeProperties, AMinContentSize, AViewInfo);
  TcxCustomMemoProperties* props = MemoProperties();
  if (Edit() && HasHorizontalScrollBar(props->ScrollBars())) result.cy += Edit()->GetHScrollBarAreaHeight();
  if (props->VisibleLineCount() > 0) {
    ACanvas->Font()->Assign(Style()->GetVisibleFont());
    const int32_t lineHeight = ACanvas->TextHeight(u"Zg");
    AMinContentSize.cy = GetEditContentSizeCorrection().cy + props->VisibleLineCount() * lineHeight;
  }
  return result;
}

// --- TcxCustomInnerMemoHelper ---------------------------------------------------------------------

TcxCustomInnerMemoHelper::TcxCustomInnerMemoHelper(TcxCustomInnerMemo* AEdit)
    : TcxInterfacedPersistent(nullptr), FEdit(AEdit) {}

TWinControl* TcxCustomInnerMemoHelper::GetControl() {
  return FEdit;
}

TcxContainer* TcxCustomInnerMemoHelper::GetControlContainer() {
  return FEdit->Container();
}

LRESULT TcxCustomInnerMemoHelper::CallDefWndProc(UINT AMsg, WPARAM WParam, LPARAM LParam) {
  WNDPROC proc = FEdit->DefWndProc() ? FEdit->DefWndProc() : &DefWindowProcW;
  return CallWindowProcW(proc, FEdit->Handle(), AMsg, WParam, LParam);
}

Variant TcxCustomInnerMemoHelper::GetEditValue() {
  return Variant(FEdit->Text());
}

TNotifyEvent TcxCustomInnerMemoHelper::GetOnChange() {
  return FEdit->OnChange;
}

void TcxCustomInnerMemoHelper::SetOnChange(const TNotifyEvent& Value) {
  FEdit->OnChange = Value;
}

bool TcxCustomInnerMemoHelper::GetReadOnly() {
  return FEdit->ReadOnly();
}

void TcxCustomInnerMemoHelper::SetReadOnly(bool Value) {
  FEdit->SetReadOnly(Value);
}

void TcxCustomInnerMemoHelper::LockBounds(bool ALock) {
  if (ALock) {
    ++FEdit->FLockBoundsCount;
    return;
  }
  if (FEdit->FLockBoundsCount == 0) throw EcxEditError(u"TcxCustomInnerMemoHelper.LockBounds fails");
  --FEdit->FLockBoundsCount;
}

void TcxCustomInnerMemoHelper::SafelySetFocus() {
  const bool autoSelect = FEdit->FAutoSelect;
  FEdit->FAutoSelect = false;
  try {
    FEdit->SetFocus();
  } catch (...) {
    FEdit->FAutoSelect = autoSelect;
    throw;
  }
  FEdit->FAutoSelect = autoSelect;
}

void TcxCustomInnerMemoHelper::SetEditValue(const Variant& Value) {
  const String text = VarIsNull(Value) ? String() : VarToStr(Value);
  if (!FEdit->HandleAllocated()) {
    FEdit->TControl::SetText(text);
    return;
  }
  FEdit->BeginInternalTextSetting();
  try {
    FEdit->Lines()->SetText(text);
  } catch (...) {
    FEdit->EndInternalTextSetting();
    throw;
  }
  FEdit->EndInternalTextSetting();
  if (TcxCustomMemo* container = FEdit->Container()) {
    container->ChangeEventsCatcher()->SetOnChangeEvent(false);
    container->ChangeEventsCatcher()->SetOnEditValueChangedEvent(false);
  }
}

void TcxCustomInnerMemoHelper::SetParent(TWinControl* Value) {
  FEdit->SetParent(Value);
}

void TcxCustomInnerMemoHelper::ClearSelection() {
  FEdit->ClearSelection();
}

void TcxCustomInnerMemoHelper::CopyToClipboard() {
  FEdit->CopyToClipboard();
}

TAlignment TcxCustomInnerMemoHelper::GetAlignment() {
  return FEdit->Alignment();
}

void TcxCustomInnerMemoHelper::SetAlignment(TAlignment Value) {
  FEdit->SetAlignment(Value);
}

bool TcxCustomInnerMemoHelper::GetAutoSelect() {
  return FEdit->FAutoSelect;
}

void TcxCustomInnerMemoHelper::SetAutoSelect(bool Value) {
  FEdit->FAutoSelect = Value;
}

TEditCharCase TcxCustomInnerMemoHelper::GetCharCase() {
  return FEdit->CharCase();
}

void TcxCustomInnerMemoHelper::SetCharCase(TEditCharCase Value) {
  FEdit->SetCharCase(Value);
}

int32_t TcxCustomInnerMemoHelper::GetFirstVisibleCharIndex() {
  if (!FEdit->HandleAllocated()) return 0;
  return LOWORD(static_cast<uintptr_t>(SendMessageW(FEdit->Handle(), EM_CHARFROMPOS, 0, 0)));
}

bool TcxCustomInnerMemoHelper::GetHideSelection() {
  return FEdit->HideSelection();
}

void TcxCustomInnerMemoHelper::SetHideSelection(bool Value) {
  FEdit->SetHideSelection(Value);
}

TImeMode TcxCustomInnerMemoHelper::GetImeMode() {
  return FEdit->ImeMode();
}

void TcxCustomInnerMemoHelper::SetImeMode(TImeMode Value) {
  FEdit->SetImeMode(Value);
}

String TcxCustomInnerMemoHelper::GetImeName() {
  return FEdit->ImeName();
}

void TcxCustomInnerMemoHelper::SetImeName(const String& Value) {
  FEdit->SetImeName(Value);
}

bool TcxCustomInnerMemoHelper::GetInternalUpdating() {
  return FEdit->InternalUpdating();
}

void TcxCustomInnerMemoHelper::SetInternalUpdating(bool Value) {
  FEdit->SetInternalUpdating(Value);
}

int32_t TcxCustomInnerMemoHelper::GetMaxLength() {
  return FEdit->MaxLength();
}

void TcxCustomInnerMemoHelper::SetMaxLength(int32_t Value) {
  FEdit->SetMaxLength(Value);
}

TNotifyEvent TcxCustomInnerMemoHelper::GetOnSelChange() {
  return FEdit->OnSelChange;
}

void TcxCustomInnerMemoHelper::SetOnSelChange(const TNotifyEvent& Value) {
  FEdit->OnSelChange = Value;
}

int32_t TcxCustomInnerMemoHelper::GetSelLength() {
  return FEdit->HandleAllocated() ? FEdit->SelLength() : 0;
}

int32_t TcxCustomInnerMemoHelper::GetSelStart() {
  return FEdit->HandleAllocated() ? FEdit->SelStart() : 0;
}

String TcxCustomInnerMemoHelper::GetSelText() {
  return FEdit->HandleAllocated() ? FEdit->SelText() : String();
}

void TcxCustomInnerMemoHelper::SelectAll() {
  if (FEdit->HandleAllocated()) FEdit->SelectAll();
}

void TcxCustomInnerMemoHelper::SetSelLength(int32_t Value) {
  FEdit->SetSelLength(Value);
}

void TcxCustomInnerMemoHelper::SetSelStart(int32_t Value) {
  FEdit->SetSelStart(Value);
}

void TcxCustomInnerMemoHelper::SetSelText(const String& Value) {
  FEdit->SetSelText(Value);
}

String TcxCustomInnerMemoHelper::GetTextHint() {
  return FEdit->TextHint();
}

void TcxCustomInnerMemoHelper::SetTextHint(const String& Value) {
  FEdit->SetTextHint(Value);
}

TPoint TcxCustomInnerMemoHelper::GetCaretPos() {
  return FEdit->CaretPos();
}

void TcxCustomInnerMemoHelper::SetCaretPos(const TPoint& Value) {
  if (!FEdit->HandleAllocated()) return;
  const LRESULT start = SendMessageW(FEdit->Handle(), EM_LINEINDEX, static_cast<WPARAM>(Value.Y), 0);
  const LPARAM pos = start + Value.X;
  SendMessageW(FEdit->Handle(), EM_SETSEL, static_cast<WPARAM>(pos), pos);
}

TStrings* TcxCustomInnerMemoHelper::GetLines() {
  return FEdit->Lines();
}

TScrollStyle TcxCustomInnerMemoHelper::GetScrollBars() {
  return FEdit->ScrollBars();
}

void TcxCustomInnerMemoHelper::SetScrollBars(TScrollStyle Value) {
  FEdit->SetScrollBars(Value);
}

bool TcxCustomInnerMemoHelper::GetWantReturns() {
  return FEdit->WantReturns();
}

void TcxCustomInnerMemoHelper::SetWantReturns(bool Value) {
  FEdit->SetWantReturns(Value);
}

bool TcxCustomInnerMemoHelper::GetWantTabs() {
  return FEdit->InnerWantTabs();
}

void TcxCustomInnerMemoHelper::SetWantTabs(bool Value) {
  FEdit->SetInnerWantTabs(Value);
}

bool TcxCustomInnerMemoHelper::GetWordWrap() {
  return FEdit->WordWrap();
}

void TcxCustomInnerMemoHelper::SetWordWrap(bool Value) {
  FEdit->SetWordWrap(Value);
}

// --- TcxCustomInnerMemo -------------------------------------------------------------------------

TcxCustomInnerMemo::TcxCustomInnerMemo(TComponent* AOwner)
    : TMemo(AOwner), FHelper(std::make_unique<TcxCustomInnerMemoHelper>(this)) {
  FIsCreating = true;
  SetControlStyle(ControlStyle() + TControlStyle{csDoubleClicks});
  if (!ComponentState().Contains(csDesigning)) SetCursor(crIBeam);
  SetParentColor(true);
  SetParentFont(true);
  SetAutoSelect(false);
  FIsCreating = false;
}

TcxCustomInnerMemo::~TcxCustomInnerMemo() = default;

TcxCustomMemo* TcxCustomInnerMemo::Container() const {
  return dynamic_cast<TcxCustomMemo*>(Owner());
}

void TcxCustomInnerMemo::SetInnerWantTabs(bool Value) {
  FWantTabs = Value;
  SetWantTabs(Value);
}

bool TcxCustomInnerMemo::CanFocus() {
  TcxCustomMemo* container = Container();
  return container ? container->CanFocus() : TMemo::CanFocus();
}

void TcxCustomInnerMemo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FIsCreating || FLockBoundsCount > 0) return;
  TcxCustomMemo* container = Container();
  if (container) container->LockAlignControls(true);
  try {
    TMemo::SetBounds(ALeft, ATop, AWidth, AHeight);
  } catch (...) {
    if (container) container->LockAlignControls(false);
    throw;
  }
  if (container) container->LockAlignControls(false);
}

void TcxCustomInnerMemo::CreateParams(TCreateParams& Params) {
  TMemo::CreateParams(Params);
  Params.Style &= ~(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
  Params.WindowClass.style &= ~CS_VREDRAW;
  if (HasHorizontalScrollBar(ScrollBars()) || !WordWrap()) Params.WindowClass.style &= ~CS_HREDRAW;
}

void TcxCustomInnerMemo::CreateWindowHandle(const TCreateParams& Params) {
  TCreateParams params = Params;
  const String text = params.Caption;
  params.Caption.clear();
  BeginInternalTextSetting();
  try {
    TMemo::CreateWindowHandle(params);
  } catch (...) {
    EndInternalTextSetting();
    throw;
  }
  EndInternalTextSetting();
  if (HandleAllocated() && !text.empty()) {
    BeginInternalTextSetting();
    FHelper->CallDefWndProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    EndInternalTextSetting();
  }
}

void TcxCustomInnerMemo::CreateHandle() {
  if (TcxCustomMemo* container = Container()) container->ClearSavedChildControlRegions();
  TMemo::CreateHandle();
}

void TcxCustomInnerMemo::DestroyWnd() {
  dxForceProcessBufferedPaintMessages(this);
  TMemo::DestroyWnd();
}

void TcxCustomInnerMemo::DoEnter() {
  TMemo::DoEnter();
  if (FAutoSelect) SelectAll();
}

// --- Keys ---------------------------------------------------------------------------------------------

void TcxCustomInnerMemo::KeyDown(WORD& Key, TShiftState Shift) {
  if (TcxCustomMemo* container = Container()) {
    container->KeyDown(Key, Shift);
    if (Key == 0) FInternalUpdating = true;
  }
}

void TcxCustomInnerMemo::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_TAB && !FWantTabs) Key = 0;
  if (TcxCustomMemo* container = Container()) {
    container->KeyUp(Key, Shift);
    if (Key == 0) FInternalUpdating = true;
  }
}

void TcxCustomInnerMemo::KeyPress(Char& Key) {
  if (TcxCustomMemo* container = Container(); container && Key != 0) {
    container->KeyPress(Key);
    if (Key == 0) FInternalUpdating = true;
  }
  if (Key != 0) TMemo::KeyPress(Key);
}

void TcxCustomInnerMemo::WMKeyDown(TMessage& Message) {
  TcxTextEditState state;
  SaveTextEditState(FHelper.get(), true, state);
  FInternalUpdating = false;
  if (Message.WParam == VK_ESCAPE) FEscapePressed = true;
  try {
    TMemo::WndProc(Message);
  } catch (...) {
    FEscapePressed = false;
    throw;
  }
  FEscapePressed = false;
  TcxCustomMemo* container = Container();
  if (!container) return;
  container->SetScrollBarsParameters();
  WORD key = Message.CharCode();
  if (!FInternalUpdating && !CheckTextEditState(FHelper.get(), state) && key != 0 && key != VK_UP &&
      key != VK_DOWN)
    container->DoAfterKeyDown(key, KeyDataToShiftState(Message.KeyData()));
}

void TcxCustomInnerMemo::WMGetDlgCode(TMessage& Message) {
  TMemo::WndProc(Message);
  TcxCustomMemo* container = Container();
  if (!container) return;
  if (container->ActiveProperties()->InnerEditNeedsTabs() && GetKeyState(VK_CONTROL) >= 0)
    Message.Result |= DLGC_WANTTAB;
  if (FEscapePressed) Message.Result &= ~DLGC_WANTALLKEYS;
  if (container->ModifiedAfterEnter() && GetKeyState(VK_ESCAPE) < 0) Message.Result |= DLGC_WANTALLKEYS;
}

// --- Mouse, drag -----------------------------------------------------------------------------------------

void TcxCustomInnerMemo::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TMemo::MouseDown(Button, Shift, X, Y);
  if (TcxCustomMemo* container = Container()) container->MouseDown(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerMemo::MouseMove(TShiftState Shift, int X, int Y) {
  TMemo::MouseMove(Shift, X, Y);
  if (TcxCustomMemo* container = Container()) container->MouseMove(Shift, X + Left(), Y + Top());
}

void TcxCustomInnerMemo::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TMemo::MouseUp(Button, Shift, X, Y);
  if (TcxCustomMemo* container = Container()) container->MouseUp(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerMemo::Click() {
  TMemo::Click();
  if (TcxCustomMemo* container = Container()) container->Click();
}

void TcxCustomInnerMemo::DblClick() {
  TMemo::DblClick();
  if (TcxCustomMemo* container = Container()) container->DblClick();
}

void TcxCustomInnerMemo::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  if (TcxCustomMemo* container = Container())
    container->DragOver(Source, X + Left(), Y + Top(), State, Accept);
}

void TcxCustomInnerMemo::DragDrop(TObject* Source, int X, int Y) {
  if (TcxCustomMemo* container = Container()) container->DragDrop(Source, X + Left(), Y + Top());
}

// --- Messages ------------------------------------------------------------------------------------------

void TcxCustomInnerMemo::WMReplaceSel(TMessage& Message) {
  TcxCustomMemo* container = Container();
  if (container && container->Focused() && !container->DoEditing() && !ReadOnly()) return;
  const auto* text = reinterpret_cast<const Char*>(Message.LParam);
  const String corrected = CorrectLineBreaks(text ? String(text) : String());
  const LPARAM saved = Message.LParam;
  Message.LParam = reinterpret_cast<LPARAM>(corrected.c_str());
  try {
    TMemo::WndProc(Message);
  } catch (...) {
    Message.LParam = saved;
    throw;
  }
  Message.LParam = saved;
  if (container) container->SynchronizeEditValue();
}

void TcxCustomInnerMemo::WMSetText(TMessage& Message) {
  TMemo::WndProc(Message);
  if (IsInternalTextSetting()) return;
  TcxCustomMemo* container = Container();
  if (!container) return;
  BeginInternalTextSetting();
  try {
    container->SetInternalEditValue(Variant(Text()));
  } catch (...) {
    EndInternalTextSetting();
    throw;
  }
  EndInternalTextSetting();
}

void TcxCustomInnerMemo::WMClear(TMessage& Message) {
  TcxCustomMemo* container = Container();
  if (!container || container->FInternalAction) {
    TMemo::WndProc(Message);
    return;
  }
  if (ReadOnly()) return;
  container->BeginUserAction();
  try {
    container->ClearSelection();
  } catch (...) {
    container->EndUserAction();
    throw;
  }
  container->EndUserAction();
}

void TcxCustomInnerMemo::WMNCPaint(TMessage& Message) {
  TcxCustomMemo* container = Container();
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  const LONG_PTR bars = style & (WS_HSCROLL | WS_VSCROLL);
  if (!container || !UsecxScrollBars() || container->IsPopupScrollBars() || bars == 0) {
    TMemo::WndProc(Message);
    return;
  }
  {
    StyleBitsRemoved removed(Handle(), WS_HSCROLL | WS_VSCROLL);
    TMemo::WndProc(Message);
  }
  // The corner between the two library bars.
  SCROLLBARINFO h{};
  SCROLLBARINFO v{};
  if (container->IsScrollBarVisible(sbHorizontal, h) && container->IsScrollBarVisible(sbVertical, v)) {
    RECT window{};
    GetWindowRect(Handle(), &window);
    TRect grip{v.rcScrollBar.Left - window.Left, h.rcScrollBar.Top - window.Top,
               v.rcScrollBar.Right - window.Left, h.rcScrollBar.Bottom - window.Top};
    if (!grip.IsEmpty()) cxFillSizeGrip(container, grip);
  }
}

void TcxCustomInnerMemo::WndProc(TMessage& Message) {
  TcxCustomMemo* container = Container();
  if (container && container->InnerControlMenuHandler(Message)) return;
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && container &&
      container->DragMode() == dmAutomatic && !container->ComponentState().Contains(csDesigning) &&
      !container->Dragging()) {
    container->BeginDrag(false);
    return;
  }
  switch (Message.Msg) {
    case WM_KEYDOWN:
      WMKeyDown(Message);
      return;
    case WM_GETDLGCODE:
      WMGetDlgCode(Message);
      return;
    case EM_REPLACESEL:
      WMReplaceSel(Message);
      return;
    case WM_SETTEXT:
      WMSetText(Message);
      return;
    case WM_CLEAR:
      WMClear(Message);
      return;
    case EM_SETSEL:
      TMemo::WndProc(Message);
      if (OnSelChange) OnSelChange(this);
      return;
    case WM_NCPAINT:
      WMNCPaint(Message);
      return;
    case WM_NCCALCSIZE:
      TMemo::WndProc(Message);
      if (container && !container->ScrollBarsCalculating())
        PostMessageW(container->Handle(), CM_UPDATESCROLLBARS, 0, 0);
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      TMemo::WndProc(Message);
      if (container) container->SetScrollBarsParameters();
      return;
    case WM_WINDOWPOSCHANGED:
      if (container) container->SetScrollBarsParameters();
      TMemo::WndProc(Message);
      return;
    case WM_SETFONT:
      TMemo::WndProc(Message);
      if (HandleAllocated()) SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
      return;
    case WM_SETFOCUS:
      TMemo::WndProc(Message);
      if (container && !ComponentState().Contains(csDestroying) &&
          (!container->HandleAllocated() || reinterpret_cast<HWND>(Message.WParam) != container->Handle()))
        container->FocusChanged();
      return;
    case WM_KILLFOCUS:
      TMemo::WndProc(Message);
      if (container && !ComponentState().Contains(csDestroying)) container->FocusChanged();
      return;
    case CM_MOUSELEAVE:
      TMemo::WndProc(Message);
      if (container) container->ShortRefreshContainer(false);
      return;
    case CN_COMMAND:
      if (container && (HIWORD(Message.WParam) == EN_HSCROLL || HIWORD(Message.WParam) == EN_VSCROLL))
        container->SetScrollBarsParameters();
      break;
    default:
      break;
  }
  TMemo::WndProc(Message);
}

void TcxCustomInnerMemo::DefaultHandler(TMessage& Message) {
  if (TcxCustomMemo* container = Container())
    if (container->InnerControlDefaultHandler(Message)) return;
  TMemo::DefaultHandler(Message);
}

// --- TcxCustomMemo ---------------------------------------------------------------------------------

TcxCustomMemo::TcxCustomMemo(TComponent* AOwner, bool AIsInplace) : TcxCustomTextEdit(AOwner, AIsInplace) {}

void TcxCustomMemo::AfterConstruction() {
  TcxCustomTextEdit::AfterConstruction();
  InitializeMemo();
}

void TcxCustomMemo::SetParent(TWinControl* AParent) {
  if (AParent) InitializeMemo();
  TcxCustomTextEdit::SetParent(AParent);
}

void TcxCustomMemo::InitializeMemo() {
  if (FMemoInitialized) return;
  FMemoInitialized = true;
  SetBounds(Left(), Top(), 185, 89);
}

TStrings* TcxCustomMemo::Lines() const {
  IcxInnerMemo* memo = InnerMemo();
  return memo ? memo->GetLines() : nullptr;
}

void TcxCustomMemo::SetLines(TStrings* Value) {
  if (TStrings* lines = Lines()) lines->Assign(Value);
}

TPoint TcxCustomMemo::CaretPos() {
  IcxInnerMemo* memo = InnerMemo();
  return memo ? memo->GetCaretPos() : TPoint{};
}

void TcxCustomMemo::SetCaretPos(const TPoint& Value) {
  if (IcxInnerMemo* memo = InnerMemo()) memo->SetCaretPos(Value);
}

void TcxCustomMemo::InternalSynchronizeEditValue() {
  if (IsUserAction()) return;
  ResetOnNewDisplayValue();
  SynchronizeEditValue();
  SetModified(false);
}

void TcxCustomMemo::ClearSelection() {
  IcxInnerMemo* memo = InnerMemo();
  if (!memo || SelLength() == 0) return;
  if (Focused() && !DoEditing()) return;
  FInternalAction = true;
  try {
    memo->ClearSelection();
  } catch (...) {
    FInternalAction = false;
    throw;
  }
  FInternalAction = false;
  InternalSynchronizeEditValue();
}

void TcxCustomMemo::CutToClipboard() {
  IcxInnerMemo* memo = InnerMemo();
  if (!memo || SelLength() == 0) return;
  memo->CopyToClipboard();
  ClearSelection();
}

void TcxCustomMemo::DoSetSelText(const String& Value) {
  IcxInnerMemo* memo = InnerMemo();
  if (!memo) return;
  String text = Value;
  const int32_t maxLength = ActiveProperties()->MaxLength();
  if (Focused() && maxLength > 0) {
    const int32_t before = SelStart();
    if (before + static_cast<int32_t>(text.size()) > maxLength) {
      // The cut keeps whole characters.
      text = CutAtCodePoint(text, maxLength - before);
      if (text.empty()) return;
    }
  }
  if (!DoEditing()) return;
  memo->SetSelText(text);
  InternalSynchronizeEditValue();
}

void TcxCustomMemo::PropertiesChanged(TObject* Sender) {
  if (PropertiesChangeLocked()) return;
  if (IcxInnerMemo* memo = InnerMemo()) {
    TcxCustomMemoProperties* props = ActiveProperties();
    if (memo->GetScrollBars() != props->ScrollBars()) memo->SetScrollBars(props->ScrollBars());
    memo->SetWantReturns(props->WantReturns());
    memo->SetWantTabs(props->WantTabs());
    memo->SetWordWrap(props->WordWrap());
  }
  TcxCustomTextEdit::PropertiesChanged(Sender);
}

void TcxCustomMemo::AdjustInnerEditPosition() {
  IcxInnerMemo* memo = InnerMemo();
  if (!memo || FInnerEditPositionAdjusting || !ViewInfo()) return;
  FInnerEditPositionAdjusting = true;
  try {
    TRect r = cxRectInflate(GetClientBounds(), -2);
    if (IsPopupScrollBars()) {
      if (VScrollBar() && VScrollBar()->Visible()) {
        if (UseRightToLeftScrollBar())
          r.Left -= VScrollBar()->Width();
        else
          r.Right += VScrollBar()->Width();
      }
      if (HScrollBar() && HScrollBar()->Visible()) r.Bottom += HScrollBar()->Height();
    }
    TWinControl* control = memo->GetControl();
    if (control->BoundsRect() != r) control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  } catch (...) {
    FInnerEditPositionAdjusting = false;
    throw;
  }
  FInnerEditPositionAdjusting = false;
  TRect client = ClientRect();
  AlignControls(nullptr, client);
}

void TcxCustomMemo::ChangeHandler(TObject* Sender) {
  TcxCustomTextEdit::ChangeHandler(Sender);
  SetScrollBarsParameters();
}

bool TcxCustomMemo::CanScrollLineWithoutScrollBars(TcxDirection ADirection) {
  return ADirection == dirUp || ADirection == dirDown;
}

void TcxCustomMemo::Scroll(TScrollBarKind AScrollBarKind, TScrollCode AScrollCode, int32_t& AScrollPos) {
  IcxInnerMemo* memo = InnerMemo();
  if (!memo || !HasInnerControlHandle()) return;
  HWND wnd = memo->GetControl()->Handle();
  const int bar = AScrollBarKind == sbHorizontal ? SB_HORZ : SB_VERT;
  SetScrollPos(wnd, bar, AScrollPos, FALSE);
  int32_t pos = AScrollPos;
  if (AScrollBarKind == sbVertical && (AScrollCode == scLineUp || AScrollCode == scLineDown)) pos = 0;
  const UINT msg = AScrollBarKind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL;
  memo->CallDefWndProc(msg, MAKEWPARAM(static_cast<WORD>(AScrollCode), static_cast<WORD>(pos)),
                       reinterpret_cast<LPARAM>(GetScrollBarHandle(AScrollBarKind)));
  if (AScrollCode != scTrack) AScrollPos = GetScrollPos(wnd, bar);
  ShortRefreshContainer(false);
  if (AScrollCode != scTrack) SetScrollBarsParameters();
}

void TcxCustomMemo::InitializeViewData(TcxCustomEditViewData* AViewData) {
  TcxCustomTextEdit::InitializeViewData(AViewData);
  AViewData->HScrollBar = nullptr;
  AViewData->VScrollBar = nullptr;
}

bool TcxCustomMemo::CanAutoSize() {
  return !IsInplace() && ActiveProperties()->VisibleLineCount() >= 1;
}

bool TcxCustomMemo::CanMemoKeyModifyEdit(WORD Key, TShiftState Shift, bool AFromKeyPress) {
  if (Key == VK_RETURN) return ActiveProperties()->WantReturns() || Shift.Contains(ssCtrl);
  if (Key == VK_TAB) return AFromKeyPress || ActiveProperties()->WantTabs();
  return false;
}

bool TcxCustomMemo::CanKeyPressModifyEdit(Char Key) {
  if (TcxCustomTextEdit::CanKeyPressModifyEdit(Key) || Key == u'\n') return true;
  TShiftState shift;
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  return CanMemoKeyModifyEdit(static_cast<WORD>(Key), shift, true);
}

void TcxCustomMemo::KeyDown(WORD& Key, TShiftState Shift) {
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool wantReturns = ActiveProperties()->WantReturns();
  if (IsInplace() && Key == VK_RETURN && ctrl != wantReturns) {
    DoEditKeyDown(Key, Shift);
    return;
  }
  TcxCustomTextEdit::KeyDown(Key, Shift);
}

void TcxCustomMemo::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  TcxCustomTextEdit::DoEditKeyDown(Key, Shift);
  if (Key == u'A' && Shift.Contains(ssCtrl) && !Shift.Contains(ssShift) && !Shift.Contains(ssAlt)) {
    TStrings* lines = Lines();
    if (lines && lines->Count() > 0) {
      SelectAll();
      DoAfterKeyDown(Key, Shift);
      Key = 0;
    }
  }
}

void TcxCustomMemo::Loaded() {
  TcxCustomTextEdit::Loaded();
  TStrings* lines = Lines();
  if (lines && lines->Count() > 0) {
    Variant value;
    PrepareEditValue(Variant(GetDisplayText()), value, InternalFocused());
    InternalStoreEditValue(value);
  }
}

void TcxCustomMemo::CreateParams(TCreateParams& Params) {
  TcxCustomTextEdit::CreateParams(Params);
  Params.WindowClass.style &= ~CS_VREDRAW;
  TcxCustomMemoProperties* props = ActiveProperties();
  if (HasHorizontalScrollBar(props->ScrollBars()) || !props->WordWrap())
    Params.WindowClass.style &= ~CS_HREDRAW;
}

void TcxCustomMemo::WndProc(TMessage& Message) {
  TcxCustomTextEdit::WndProc(Message);
  switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case 0xB025:
      SetScrollBarsParameters();
      break;
    default:
      break;
  }
}

// --- TcxMemo ------------------------------------------------------------------------------------------

void TcxMemo::RegisterProperties(TPropertyRegistrar& r) {
  using M = TcxCustomMemo;
  using E = TcxCustomEdit;
  r.Prop("Lines", &M::Lines, &M::SetLines);
  r.Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  r.Prop("Properties", &TcxMemo::Properties, &TcxMemo::SetProperties);
  r.Prop("Style", &E::Style, &TcxMemo::SetEditStyle);
  r.Prop("StyleDisabled", &E::StyleDisabled, &TcxMemo::SetEditStyleDisabled);
  r.Prop("StyleFocused", &E::StyleFocused, &TcxMemo::SetEditStyleFocused);
  r.Prop("StyleHot", &E::StyleHot, &TcxMemo::SetEditStyleHot);
  r.Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
}

// --- TcxFilterMemoHelper -------------------------------------------------------------------------------

TcxFilterEditHelperClass TcxFilterMemoHelper::Class() {
  static const TcxFilterMemoHelper instance;
  return &instance;
}

TcxFilterControlOperators TcxFilterMemoHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                           TcxValueTypeClass, bool) const {
  return TcxFilterControlOperators{fcoLike,       fcoNotLike,  fcoContains, fcoNotContains,
                                   fcoBeginsWith, fcoEndsWith, fcoBlanks,   fcoNonBlanks};
}

// --- Unit start-up -----------------------------------------------------------------------------------

namespace cxMemo {

namespace {
int gUnitCounter = 0;
}

void Initialize() {
  if (gUnitCounter++ > 0) return;
  RegisterClass(TcxMemo::StaticClass());
  GetRegisteredEditProperties()->Register(TcxMemoProperties::StaticClass(),
                                          u"Memo|Represents an editor that allows editing memo data");
  FilterEditsController()->Register(TcxCustomMemoProperties::StaticClass(), TcxFilterMemoHelper::Class());
}

void Finalize() {
  if (gUnitCounter == 0 || --gUnitCounter > 0) return;
  if (FilterEditsControllerAssigned())
    FilterEditsController()->Unregister(TcxCustomMemoProperties::StaticClass(), TcxFilterMemoHelper::Class());
  if (TcxRegisteredClasses* registered = GetRegisteredEditProperties())
    registered->Unregister(TcxMemoProperties::StaticClass());
  UnRegisterClass(TcxMemo::StaticClass());
}

}  // namespace cxMemo

}  // namespace qd

// The text editor: the edit value kept in step with the text of the inner system edit,
// selection and clipboard, keys, digit grouping, window text, the inner edit's placement,
// and the unit's registration.
#include <algorithm>
#include <cmath>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/forms/clipbrd.h"
#include "platform/os/user.h"
#include "platform/os/user_clipboard.h"
#include "platform/os/user_edit.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/cxGeometry.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/editors/cxFilterEdits.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/editors/cxTextEditLookup.h"
#include "ui/graphics/cxGraphicsText.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomTextEdit)
QD_IMPLEMENT_CLASS(TcxTextEdit)
QD_IMPLEMENT_CLASS(TcxFilterTextEditHelper)

namespace {

bool IsHighSurrogate(Char C) {
  return C >= 0xD800 && C <= 0xDBFF;
}

// AText cut to at most ACount code units, never between the halves of a surrogate pair.
String CutText(const String& AText, int32_t ACount) {
  if (ACount <= 0) return {};
  if (static_cast<size_t>(ACount) >= AText.size()) return AText;
  size_t n = static_cast<size_t>(ACount);
  if (IsHighSurrogate(AText[n - 1])) --n;
  return AText.substr(0, n);
}

template <class F>
void WithChangeEventsLocked(TcxCustomEdit* AEdit, F&& AAction) {
  AEdit->LockChangeEvents(true);
  try {
    AAction();
  } catch (...) {
    AEdit->LockChangeEvents(false);
    throw;
  }
  AEdit->LockChangeEvents(false);
}

int gTextEditUnitCount = 0;

}  // namespace

// --- TcxFilterTextEditHelper ----------------------------------------------------------------------------

TcxFilterEditHelperClass TcxFilterTextEditHelper::Class() {
  static const TcxFilterTextEditHelper instance;
  return &instance;
}

TClass TcxFilterTextEditHelper::GetFilterEditClass() const {
  return TcxTextEdit::StaticClass();
}

void TcxFilterTextEditHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                   TcxCustomEditProperties* AEditProperties,
                                                   bool AHasButtons) const {
  TcxCustomFilterEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
  auto* properties = static_cast<TcxCustomTextEditProperties*>(AProperties);
  properties->SetAutoSelect(true);
  properties->SetHideSelection(true);
  properties->SetViewStyle(vsNormal);
}

void TcxFilterTextEditHelper::SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties*,
                                             const Variant& AValue) const {
  AEdit->SetEditValue(AValue);
}

// --- Unit functions ----------------------------------------------------------------------------------

void CheckCharsRegister(String& S, TEditCharCase ACharCase) {
  if (ACharCase == ecUpperCase)
    S = UpperCase(S);
  else if (ACharCase == ecLowerCase)
    S = LowerCase(S);
}

bool StrToFloatEx(String S, double& Value) {
  const Char thousand = FormatSettings().ThousandSeparator;
  if (thousand != 0) S.erase(std::remove(S.begin(), S.end(), thousand), S.end());
  double v = 0;
  if (!S.empty() && TryStrToFloat(S, v)) {
    const double a = std::fabs(v);
    if (v == 0 || (a >= 2.2250738585072014e-308 && a <= 1.7976931348623157e308)) {
      Value = v;
      return true;
    }
  }
  Value = 0;
  return S.empty();
}

void SeparateDigitGroups(TcxCustomTextEdit* AEdit) {
  IcxInnerTextEdit* inner = AEdit->InnerTextEdit();
  if (!inner) return;
  const Char thousand = FormatSettings().ThousandSeparator;
  const String text = AEdit->GetDisplayText();
  String plain = text;
  if (thousand != 0) plain.erase(std::remove(plain.begin(), plain.end(), thousand), plain.end());
  double v = 0;
  if (Trim(plain).empty() || !TryStrToFloat(Trim(plain), v)) return;
  String grouped = text;
  InsertThousandSeparator(grouped);
  if (grouped == text) return;
  const int32_t caret = inner->GetSelStart();
  int32_t count = 0;
  for (int32_t i = 0; i < caret && i < static_cast<int32_t>(text.size()); ++i)
    if (text[static_cast<size_t>(i)] != thousand) ++count;
  AEdit->SetInternalDisplayValue(Variant(grouped));
  if (count == 0) return;
  int32_t pos = 0;
  for (int32_t seen = 0; pos < static_cast<int32_t>(grouped.size()) && seen < count; ++pos)
    if (grouped[static_cast<size_t>(pos)] != thousand) ++seen;
  inner->SetSelStart(pos);
}

// --- Creation ----------------------------------------------------------------------------------------

TClass TcxCustomTextEditProperties::GetContainerClass() const {
  return TcxTextEdit::StaticClass();
}

void TcxCustomTextEdit::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("BeepOnEnter", &TcxCustomTextEdit::BeepOnEnter, &TcxCustomTextEdit::SetBeepOnEnter).Default(true);
  r.Prop("TextHint", &TcxCustomTextEdit::TextHint, &TcxCustomTextEdit::SetTextHint);
}

void TcxTextEdit::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Properties", &TcxTextEdit::Properties);
}

TcxCustomTextEdit::TcxCustomTextEdit(TComponent* AOwner, bool AIsInplace)
    : TcxCustomEdit(AOwner, AIsInplace) {}

TcxCustomTextEdit::~TcxCustomTextEdit() {
  if (IcxInnerTextEdit* inner = InnerTextEdit()) FSavedText = VarToStr(inner->GetEditValue());
  TcxCustomTextEditLookupData* data = FLookupData;
  FLookupData = nullptr;
  delete data;
}

void TcxCustomTextEdit::AfterConstruction() {
  TcxCustomEdit::AfterConstruction();
}

void TcxCustomTextEdit::InitializeInnerEdit() {
  TcxCustomEdit::InitializeInnerEdit();
  if (IcxInnerTextEdit* inner = InnerTextEdit()) {
    inner->GetControl()->SetColor(clWindow);
    inner->SetOnSelChange(MakeMethod(this, &TcxCustomTextEdit::SelChange));
  }
  CreateLookupData();
}

void TcxCustomTextEdit::Loaded() {
  TcxCustomEdit::Loaded();
  ShortRefreshContainer(false);
}

// --- Text and value --------------------------------------------------------------------------------

String TcxCustomTextEdit::GetDisplayText() {
  IcxCustomInnerEdit* inner = InnerEdit();
  return inner ? VarToStr(inner->GetEditValue()) : String();
}

void TcxCustomTextEdit::SetInternalDisplayValue(const Variant& Value) {
  if (IcxCustomInnerEdit* inner = InnerEdit()) inner->SetEditValue(Value);
}

void TcxCustomTextEdit::PrepareEditValue(const Variant& ADisplayValue, Variant& EditValue, bool) {
  EditValue = ADisplayValue;
}

bool TcxCustomTextEdit::IsEditClass() {
  const TcxEditEditingStyle style = ActiveProperties()->GetEditingStyle();
  return (style == esEdit || style == esEditList) && !PropertiesChangeLocked();
}

bool TcxCustomTextEdit::InternalDoEditing() {
  return ActiveProperties()->GetEditingStyle() != esNoEdit;
}

bool TcxCustomTextEdit::IsTextInputMode() {
  return ActiveProperties()->EchoMode() == eemNormal && CanModify();
}

void TcxCustomTextEdit::SynchronizeDisplayValue() {
  TcxCustomTextEditProperties* props = ActiveProperties();
  Variant editValue = EditValue();
  Variant display;
  const bool focused = InternalFocused();
  if (props->CanValidate()) {
    if (props->IsEditValueValid(editValue, focused)) {
      props->PrepareDisplayValue(editValue, display, focused);
    } else if (focused) {
      props->DefaultFocusedDisplayValue(display);
    } else {
      try {
        display = VarType(editValue) == varDate ? Variant(DateTimeToStr(VarToDateTime(editValue)))
                                                : Variant(VarToStr(editValue));
      } catch (const EVariantError&) {
        display = Variant(String());
      }
    }
  } else {
    props->PrepareDisplayValue(editValue, display, focused);
  }
  SaveModified();
  FIsDisplayValueSynchronizing = true;
  auto finish = [&] {
    FIsDisplayValueSynchronizing = false;
    RestoreModified();
    ResetOnNewDisplayValue();
    UpdateDrawValue();
  };
  try {
    DataBindingSetDisplayValue(display);
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TcxCustomTextEdit::SynchronizeEditValue() {
  TcxCustomTextEditProperties* props = ActiveProperties();
  const bool comparable = props->CanCompareEditValue();
  const Variant prev = comparable ? EditValue() : Null();
  Variant value;
  PrepareEditValue(GetDisplayValue(), value, InternalFocused());
  InternalStoreEditValue(value);
  if (IsUserAction())
    SetModifiedAfterEnter(true);
  else
    SetModified(false);
  if (comparable && !InternalVarEqualsExact(prev, value)) {
    DoEditValueChanged();
    if (!props->HasDisplayValue()) DoChange();
  }
}

void TcxCustomTextEdit::InternalValidateDisplayValue(const Variant& ADisplayValue) {
  if (ActiveProperties()->GetEditingStyle() == esEdit)
    if (IcxTextEditLookupData* data = GetILookupData()) {
      const String text = VarToStr(ADisplayValue);
      if (!data->Find(text)) DoOnNewLookupDisplayText(text);
    }
  // The accepted text becomes the edit value as well as the shown text.
  SaveModified();
  try {
    InternalSetDisplayValue(ADisplayValue);
  } catch (...) {
    RestoreModified();
    throw;
  }
  RestoreModified();
}

void TcxCustomTextEdit::InternalSetDisplayValue(const Variant& Value) {
  DataBindingSetDisplayValue(Value);
  if (!IsUserAction()) {
    ResetOnNewDisplayValue();
    SynchronizeEditValue();
    SetModified(false);
  }
}

bool TcxCustomTextEdit::SetDisplayText(const String& AText) {
  Variant value(AText);
  if (!ActiveProperties()->IsDisplayValueValid(value, InternalFocused())) return false;
  if (IsUserAction() && !DoEditing()) return false;
  InternalSetDisplayValue(value);
  return true;
}

void TcxCustomTextEdit::ChangeHandler(TObject* Sender) {
  LockChangeEvents(true);
  try {
    if (FIsDisplayValueSynchronizing) {
      SaveModified();
      try {
        TcxCustomEdit::ChangeHandler(Sender);
      } catch (...) {
        RestoreModified();
        throw;
      }
      RestoreModified();
    } else {
      TcxCustomEdit::ChangeHandler(Sender);
    }
    if (!IsEditClass()) UpdateDrawValue();
    TcxCustomTextEditProperties* props = ActiveProperties();
    if (Focused() && props->IsEditValueNumeric() && props->HasDigitGrouping(FIsDisplayValueSynchronizing))
      SeparateDigitGroups(this);
  } catch (...) {
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
}

void TcxCustomTextEdit::DoEditValueChanged() {
  TcxCustomEdit::DoEditValueChanged();
  DoTextChanged();
}

void TcxCustomTextEdit::FormatChanged() {
  ActiveProperties()->Changed();
  SynchronizeDisplayValue();
}

bool TcxCustomTextEdit::NeedResetInvalidTextWhenPropertiesChanged() {
  if (IsInplace() || DataBinding()->IDefaultValuesProvider()->IsDataStorage()) return false;
  TcxCustomTextEditProperties* props = ActiveProperties();
  return !(props->UseNullString() && VarIsNull(EditValue()));
}

void TcxCustomTextEdit::CheckEditValue() {
  TcxCustomTextEditProperties* props = ActiveProperties();
  if (DataBinding()->CanCheckEditorValue() && props->IsEditValueNumeric() && !PropertiesChangeLocked() &&
      props->IsValueBoundsDefined())
    CheckEditorValueBounds();
}

void TcxCustomTextEdit::UpdateDisplayValue() {
  if (PropertiesChangeLocked()) return;
  TcxCustomTextEditProperties* props = ActiveProperties();
  const TcxEditEditingStyle style = props->GetEditingStyle();
  if (style == esEdit || style == esNoEdit) {
    if (!ModifiedAfterEnter()) DataBinding()->UpdateDisplayValue();
    return;
  }
  if ((ModifiedAfterEnter() && !IsEditValidated()) || NeedResetInvalidTextWhenPropertiesChanged()) {
    Variant text(GetDisplayText());
    if (!props->IsDisplayValueValid(text, true)) {
      Variant value;
      props->DefaultFocusedDisplayValue(value);
      SaveModified();
      try {
        DataBindingSetDisplayValue(value);
      } catch (...) {
        RestoreModified();
        throw;
      }
      RestoreModified();
      if (!ModifiedAfterEnter()) SynchronizeEditValue();
    }
  } else {
    SynchronizeDisplayValue();
  }
}

void TcxCustomTextEdit::UpdateDrawValue() {
  std::unique_ptr<TcxCustomEditViewData> viewData(CreateViewData());
  auto* textViewData = static_cast<TcxCustomTextEditViewData*>(viewData.get());
  TcxCustomTextEditViewInfo* viewInfo = ViewInfo();
  textViewData->DisplayValueToDrawValue(Variant(GetDisplayText()), viewInfo);
  viewData.reset();
  if (!HandleAllocated()) return;
  CalculateViewInfo(false);
  viewInfo = ViewInfo();
  viewInfo->SelStart = 0;
  viewInfo->SelLength = 0;
  const TcxEditEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (style == esFixedList && FFindSelection && ActiveProperties()->FixedListSelection()) {
    if (viewInfo->DrawSelectionBar) {
      viewInfo->SelStart = 0;
      viewInfo->SelLength = static_cast<int32_t>(viewInfo->Text.size()) - SelLength();
      viewInfo->SelTextColor = clHighlight;
      viewInfo->SelBackgroundColor = clHighlightText;
    } else {
      viewInfo->SelStart = SelStart();
      viewInfo->SelLength = SelLength();
      viewInfo->SelTextColor = clHighlightText;
      viewInfo->SelBackgroundColor = clHighlight;
    }
  }
  InvalidateRect(GetControlRect(this), false);
}

void TcxCustomTextEdit::SetFindSelection(bool Value) {
  if (!HandleAllocated() || FFindSelection == Value || FDisableRefresh) return;
  FFindSelection = Value;
  CalculateViewInfo(false);
  UpdateDrawValue();
}

void TcxCustomTextEdit::SetEditingText(const String& Value) {
  if (!DoEditing()) return;
  SetText(Value);
  SetModifiedAfterEnter(true);
}

// --- Properties ---------------------------------------------------------------------------------------

void TcxCustomTextEdit::PropertiesChanged(TObject* Sender) {
  TcxCustomTextEditProperties* props = ActiveProperties();
  if (FLookupData) {
    FLookupData->ResetIncrementalFilter();
    FLookupData->PropertiesChanged();
    if (!FLookupDataTextChangedLocked) FLookupData->TextChanged();
  }
  if (!PropertiesChangeLocked() && !IsEditClass()) UpdateDrawValue();
  if (IcxInnerTextEdit* inner = InnerTextEdit()) {
    FImeMode = props->ImeMode();
    FImeName = props->ImeName();
    inner->SetAlignment(props->Alignment()->Horz());
    inner->SetUseLeftAlignmentOnEditing(props->UseLeftAlignmentOnEditing());
    inner->SetAutoSelect(props->AutoSelect() && !IsInplace());
    inner->SetCharCase(props->CharCase());
    inner->SetEchoMode(props->EchoMode());
    inner->SetHideSelection(props->HideSelection());
    inner->SetImeMode(props->ImeMode());
    inner->SetImeName(props->ImeName());
    inner->SetMaxLength(props->MaxLength());
    inner->SetOEMConvert(props->OEMConvert());
    inner->SetPasswordChar(props->PasswordChar());
    if (!FIsInplaceInitializing) {
      CheckEditValue();
      if (!IsPosting()) UpdateDisplayValue();
      UpdateDrawValue();
    }
  }
  TcxCustomEdit::PropertiesChanged(Sender);
  if (IcxCustomInnerEdit* inner = InnerEdit()) inner->GetControl()->Invalidate();
}

void TcxCustomTextEdit::ContainerStyleChanged(TObject* Sender) {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (inner && !IsDestroying() && !IsLoading() && ActiveProperties()->EchoMode() == eemPassword &&
      ActiveProperties()->PasswordChar() == 0 && inner->GetControl()->HandleAllocated())
    cxRecreateControlWnd(inner->GetControl());
  TcxCustomEdit::ContainerStyleChanged(Sender);
}

// --- Inner edit ------------------------------------------------------------------------------------

void TcxCustomTextEdit::AdjustInnerEdit() {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner || IsLoading()) return;
  TcxCustomTextEditViewInfo* viewInfo = ViewInfo();
  inner->LockBounds(true);
  try {
    TWinControl* control = inner->GetControl();
    control->SetColor(viewInfo->BackgroundColor());
    TFont font;
    font.Assign(viewInfo->Font ? viewInfo->Font : Font());
    font.SetColor(viewInfo->TextColor);
    control->Font()->Assign(&font);
  } catch (...) {
    inner->LockBounds(false);
    throw;
  }
  inner->LockBounds(false);
}

bool TcxCustomTextEdit::DoRefreshContainer(const TPoint& P, TcxMouseButton Button, TShiftState Shift,
                                           bool AIsMouseEvent) {
  const bool result = TcxCustomEdit::DoRefreshContainer(P, Button, Shift, AIsMouseEvent);
  if (result) AdjustInnerEdit();
  return result;
}

int32_t TcxCustomTextEdit::GetInnerEditHeight() {
  IcxCustomInnerEdit* inner = InnerEdit();
  return cxTextHeight(inner ? inner->GetControl()->Font() : Font());
}

void TcxCustomTextEdit::AdjustInnerEditPosition() {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner || FInnerEditPositionAdjusting || !ViewInfo()) return;
  FInnerEditPositionAdjusting = true;
  try {
    TWinControl* control = inner->GetControl();
    if (!IsEditClass()) {
      // Hidden: the view info draws the text.
      if (control->Width() != 0 || control->Height() != 0) control->SetBounds(0, 0, 0, 0);
    } else {
      const TRect client = ViewInfo()->ClientRect;
      const TRect offsets = ContentParams.Offsets;
      const int32_t height = GetInnerEditHeight();
      const int32_t clientHeight = client.Height();
      int32_t top = client.Top + offsets.Top;
      switch (ActiveProperties()->Alignment()->Vert()) {
        case taTopJustify:
          break;
        case taBottomJustify:
          top = client.Bottom - height - offsets.Bottom;
          break;
        case taVCenter:
          top = client.Top + offsets.Top + (clientHeight - height - offsets.Top - offsets.Bottom) / 2;
          break;
      }
      top = std::max(top, client.Top + offsets.Top);
      const int32_t left = client.Left + offsets.Left;
      const int32_t width = client.Width() - offsets.Left - offsets.Right + 1;
      const TRect r{left, top, left + width, top + height};
      if (control->BoundsRect() != r) control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
      TRect alignRect = client;
      if (IsInplace()) {
        alignRect.Top += 1;
        alignRect.Bottom -= 1;
      } else if (ViewInfo()->NativeStyle && ViewInfo()->ComboBoxStyle) {
        alignRect.Right -= 1;
        alignRect.Bottom -= 1;
      }
      AlignControls(control, alignRect);
    }
  } catch (...) {
    FInnerEditPositionAdjusting = false;
    throw;
  }
  FInnerEditPositionAdjusting = false;
}

void TcxCustomTextEdit::SetScrollBarsParameters(bool AIsScrolling) {
  TcxCustomEdit::SetScrollBarsParameters(AIsScrolling);
}

void TcxCustomTextEdit::PopulateSizeProperties(TcxEditSizeProperties& AEditSizeProperties) {
  TcxCustomEdit::PopulateSizeProperties(AEditSizeProperties);
  if (ViewInfo()) {
    AEditSizeProperties = cxDefaultEditSizeProperties;
    AEditSizeProperties.Height = -1;
    AEditSizeProperties.Width = -1;
    AEditSizeProperties.MaxLineCount = 1;
  }
}

int32_t TcxCustomTextEdit::GetTextBaseLine() {
  return ViewInfo()->GetTextBaseLine();
}

// --- Selection ------------------------------------------------------------------------------------

namespace {
bool SelectionHidden(TcxCustomTextEdit* AEdit, bool AFindSelection) {
  const TcxEditEditingStyle style = AEdit->ActiveProperties()->GetEditingStyle();
  return style == esNoEdit || (style == esFixedList && !AFindSelection);
}
}  // namespace

int32_t TcxCustomTextEdit::SelStart() {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner || SelectionHidden(this, FFindSelection)) return 0;
  return inner->GetSelStart();
}

void TcxCustomTextEdit::SetSelStart(int32_t Value) {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner || ActiveProperties()->GetEditingStyle() == esNoEdit) return;
  inner->SetSelStart(Value);
}

int32_t TcxCustomTextEdit::SelLength() {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner || SelectionHidden(this, FFindSelection)) return 0;
  return inner->GetSelLength();
}

void TcxCustomTextEdit::SetSelLength(int32_t Value) {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner || ActiveProperties()->GetEditingStyle() == esNoEdit) return;
  inner->SetSelLength(Value);
}

String TcxCustomTextEdit::SelText() {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner || SelectionHidden(this, FFindSelection)) return {};
  return inner->GetSelText();
}

void TcxCustomTextEdit::SetSelection(int32_t ASelStart, int32_t ASelLength) {
  SetSelStart(ASelStart);
  SetSelLength(ASelLength);
}

void TcxCustomTextEdit::SelectAll() {
  if (IcxInnerTextEdit* inner = InnerTextEdit()) inner->SelectAll();
}

int32_t TcxCustomTextEdit::CursorPos() {
  IcxCustomInnerEdit* inner = InnerEdit();
  auto* edit = inner ? dynamic_cast<TcxCustomInnerTextEdit*>(inner->GetControl()) : nullptr;
  return edit ? edit->GetCaretCharIndex() : 0;
}

String TcxCustomTextEdit::TextHint() {
  IcxInnerTextEdit* inner = InnerTextEdit();
  return inner ? inner->GetTextHint() : String();
}

void TcxCustomTextEdit::SetTextHint(const String& Value) {
  if (IcxInnerTextEdit* inner = InnerTextEdit()) inner->SetTextHint(Value);
}

bool TcxCustomTextEdit::CanChangeSelText(const String& Value, String& ANewText, int32_t& ANewSelStart) {
  TcxCustomTextEditProperties* props = ActiveProperties();
  const TcxEditEditingStyle style = props->GetEditingStyle();
  if (IsUserAction() && style == esNoEdit) return false;
  if (style == esFixedList || style == esNoEdit) SelectAll();
  const String text = GetDisplayText();
  IcxInnerTextEdit* inner = InnerTextEdit();
  const int32_t selStart = std::clamp(inner ? inner->GetSelStart() : 0, 0, static_cast<int32_t>(text.size()));
  const int32_t selLength =
      std::clamp(inner ? inner->GetSelLength() : 0, 0, static_cast<int32_t>(text.size()) - selStart);
  const String before = text.substr(0, static_cast<size_t>(selStart));
  const String after = text.substr(static_cast<size_t>(selStart + selLength));
  const int32_t maxLength = props->MaxLength();
  if (!IsUserAction() || style == esEditList || style == esFixedList || maxLength < 1) {
    ANewText = style == esFixedList ? Value : before + Value + after;
    ANewSelStart = selStart + static_cast<int32_t>(Value.size());
  } else {
    // Only the inserted text is cut to the maximum length: the text after the selection is
    // kept whole.
    const String head = CutText(before + Value, maxLength - static_cast<int32_t>(after.size()));
    ANewSelStart = static_cast<int32_t>(head.size());
    if (ANewSelStart < selStart) return false;
    ANewText = head + after;
  }
  Variant value(ANewText);
  if (!props->IsDisplayValueValid(value, InternalFocused()) || !DoEditing()) return false;
  ANewText = VarToStr(value);
  return true;
}

void TcxCustomTextEdit::DoSetSelText(const String& Value) {
  String text;
  int32_t selStart = 0;
  if (!CanChangeSelText(Value, text, selStart)) return;
  InternalSetDisplayValue(Variant(text));
  SetSelStart(selStart);
}

void TcxCustomTextEdit::ClearSelection() {
  if (SelLength() == 0) return;
  const int32_t selStart = SelStart();
  String text = GetDisplayText();
  text.erase(static_cast<size_t>(selStart), static_cast<size_t>(SelLength()));
  if (SetDisplayText(text)) SetSelStart(selStart);
}

// --- Clipboard --------------------------------------------------------------------------------------

void TcxCustomTextEdit::CopyToClipboard() {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner) return;
  const TcxEditEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (style == esFixedList || style == esNoEdit) SelectAll();
  if (SelLength() > 0) inner->CopyToClipboard();
}

void TcxCustomTextEdit::CutToClipboard() {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner || SelLength() == 0) return;
  if (Focused()) {
    BeginUserAction();
    try {
      String text;
      int32_t selStart = 0;
      if (CanChangeSelText(String(), text, selStart)) inner->CallDefWndProc(WM_CUT, 0, 0);
    } catch (...) {
      EndUserAction();
      throw;
    }
    EndUserAction();
  } else {
    inner->CopyToClipboard();
    SetSelText(String());
  }
}

void TcxCustomTextEdit::PasteFromClipboard() {
  IcxInnerTextEdit* inner = InnerTextEdit();
  if (!inner || !Clipboard()->HasFormat(CF_UNICODETEXT)) return;
  const String clipboardText = Clipboard()->AsText();
  if (Focused()) {
    BeginUserAction();
    try {
      String text;
      int32_t selStart = 0;
      if (CanChangeSelText(clipboardText, text, selStart)) inner->CallDefWndProc(WM_PASTE, 0, 0);
    } catch (...) {
      EndUserAction();
      throw;
    }
    EndUserAction();
  } else {
    SetSelText(clipboardText);
  }
}

// --- Keys ---------------------------------------------------------------------------------------------

bool TcxCustomTextEdit::IsValidChar(Char AChar) {
  if (TcxCustomEdit::IsValidChar(AChar)) return true;
  // The valid characters are a set of 8-bit characters: a wider character is never in it.
  return AChar < 256 && ActiveProperties()->ValidChars().Contains(static_cast<TcxTextEditChar>(AChar));
}

bool TcxCustomTextEdit::IsLookupNavigationKey(WORD Key, TShiftState) {
  return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP ||
         Key == VK_DOWN;
}

bool TcxCustomTextEdit::CanKeyPressModifyEdit(Char Key) {
  if (Key == 0 || (Key >= 2 && Key <= 7) || (Key >= 9 && Key <= 21) || Key == 23 || (Key >= 25 && Key <= 31))
    return false;
  return true;
}

bool TcxCustomTextEdit::CanKeyDownModifyEdit(WORD Key, TShiftState Shift) {
  if (TcxCustomEdit::CanKeyDownModifyEdit(Key, Shift) || Key == VK_DELETE) return true;
  IcxTextEditLookupData* data = GetILookupData();
  if (!data || data->IsEmpty() || !GetScrollLookupDataList(escKeyboard)) return false;
  if (Key == VK_PRIOR || Key == VK_NEXT) return !HasPopupWindow();
  if (Key == VK_UP || Key == VK_DOWN) return !HasPopupWindow() && !Shift.Contains(ssAlt);
  return false;
}

void TcxCustomTextEdit::DoLookupNavigationKey(WORD& Key, TShiftState Shift) {
  const TcxEditEditingStyle style = ActiveProperties()->GetEditingStyle();
  if ((Key == VK_HOME || Key == VK_END) && style != esFixedList) return;
  IcxTextEditLookupData* data = GetILookupData();
  if (!data || !GetScrollLookupDataList(escKeyboard) || data->IsEmpty()) return;
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_PRIOR:
      LookupDataGo(ctrl ? egdBegin : egdPageUp);
      break;
    case VK_NEXT:
      LookupDataGo(ctrl ? egdEnd : egdPageDown);
      break;
    case VK_END:
      LookupDataGo(egdEnd);
      break;
    case VK_HOME:
      LookupDataGo(egdBegin);
      break;
    case VK_UP:
      LookupDataGo(egdPrev);
      break;
    case VK_DOWN:
      LookupDataGo(egdNext);
      break;
    default:
      return;
  }
  Key = 0;
}

void TcxCustomTextEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  IcxInnerTextEdit* inner = InnerTextEdit();
  const TcxEditEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (style == esFixedList && !IsSpecialKey(Key, Shift) &&
      (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DELETE)) {
    SetFindSelection(false);
    DoAfterKeyDown(Key, Shift);
    Key = 0;
    return;
  }
  if (inner) inner->SetInternalUpdating(true);
  const WORD key = Key;
  const bool findSelection = FFindSelection;
  TcxCustomEdit::DoEditKeyDown(Key, Shift);
  if (key == VK_RETURN && CanSelectItem(findSelection))
    if (IcxTextEditLookupData* data = GetILookupData()) {
      data->SelectItem();
      SelectAll();
    }
  if (Key != 0) {
    switch (Key) {
      case VK_LEFT:
      case VK_RIGHT:
        SetFindSelection(false);
        break;
      case VK_DELETE:
        if (style == esEditList) {
          DoAfterKeyDown(Key, Shift);
          Key = 0;
        } else {
          SetFindSelection(false);
        }
        break;
      default:
        if (IsLookupNavigationKey(Key, Shift)) {
          DoLookupNavigationKey(Key, Shift);
          // What is left: Home and End move the caret, a multi-line edit takes any key, and in
          // a single-line edit the others go no further.
          if (Key != 0 && Key != VK_HOME && Key != VK_END && !(inner && inner->GetMultiLine())) {
            DoAfterKeyDown(Key, Shift);
            Key = 0;
          }
        }
        break;
    }
  }
  if (Key == VK_END && SelLength() == 0 && style != esFixedList) SetFindSelection(false);
  if (Key != 0 && inner) inner->SetInternalUpdating(false);
}

// --- Focus -------------------------------------------------------------------------------------------

void TcxCustomTextEdit::DoExit() {
  TcxCustomEdit::DoExit();
  SetFindSelection(false);
}

void TcxCustomTextEdit::DoSetFocusWhenActivate() {
  SetSelStart(0);
  TcxCustomEdit::DoSetFocusWhenActivate();
}

void TcxCustomTextEdit::DoFocusChanged() {
  TcxCustomEdit::DoFocusChanged();
  if (!ActiveProperties()->IsMultiLine())
    if (IcxCustomInnerEdit* inner = InnerEdit()) inner->GetControl()->Invalidate();
}

// --- Messages -----------------------------------------------------------------------------------------

void TcxCustomTextEdit::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_CONTEXTMENU) return;
  TcxCustomEdit::DefaultHandler(Message);
}

String TcxCustomTextEdit::InternalGetTextValue() {
  if (IsDestroying() && !InnerEdit()) return FSavedText;
  String text;
  InternalGetText(text);
  return text;
}

void TcxCustomTextEdit::WMGetText(TMessage& Message) {
  const auto size = static_cast<int32_t>(Message.WParam);
  auto* buffer = reinterpret_cast<Char*>(Message.LParam);
  if (size <= 0 || !buffer) {
    Message.Result = 0;
    return;
  }
  // The answer is the count copied, so a caller never reads past what was written.
  const String text = CutText(InternalGetTextValue(), size - 1);
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = 0;
  Message.Result = static_cast<LRESULT>(text.size());
}

void TcxCustomTextEdit::WMSetText(TMessage& Message) {
  if (FInternalTextSetting) {
    TcxCustomEdit::WndProc(Message);
    return;
  }
  Message.Result = 0;
  FInternalTextSetting = true;
  try {
    const auto* text = reinterpret_cast<const Char*>(Message.LParam);
    if (InternalSetText(text ? String(text) : String())) Message.Result = 1;
  } catch (...) {
    FInternalTextSetting = false;
    throw;
  }
  FInternalTextSetting = false;
}

void TcxCustomTextEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT:
      WMGetText(Message);
      return;
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(InternalGetTextValue().size());
      return;
    case WM_SETTEXT:
      WMSetText(Message);
      return;
    case WM_CLEAR:
      if (!ActiveProperties()->ReadOnly() && DataBinding()->IsDataAvailable()) {
        BeginUserAction();
        try {
          ClearSelection();
        } catch (...) {
          EndUserAction();
          throw;
        }
        EndUserAction();
      }
      return;
    case WM_SETFOCUS:
      if (!IsInplace() && !IsDestroying())
        if (IcxCustomInnerEdit* inner = InnerEdit()) inner->GetControl()->HandleNeeded();
      break;
    default:
      break;
  }
  TcxCustomEdit::WndProc(Message);
}

// --- Registration ---------------------------------------------------------------------------------------

namespace cxTextEdit {

void Initialize() {
  if (gTextEditUnitCount++ > 0) return;
  GetRegisteredEditProperties()->Register(TcxTextEditProperties::StaticClass(),
                                          cxGetResourceString(scxSEditRepositoryTextItem));
  FilterEditsController()->Register(TcxTextEditProperties::StaticClass(), TcxFilterTextEditHelper::Class());
}

void Finalize() {
  if (gTextEditUnitCount == 0 || --gTextEditUnitCount > 0) return;
  if (FilterEditsControllerAssigned())
    FilterEditsController()->Unregister(TcxTextEditProperties::StaticClass(),
                                        TcxFilterTextEditHelper::Class());
  GetRegisteredEditProperties()->Unregister(TcxTextEditProperties::StaticClass());
}

}  // namespace cxTextEdit

}  // namespace qd

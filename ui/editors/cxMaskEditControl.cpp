// The mask editor and its properties: the mask language and the mask, the mode that decides
// what keys, clicks and pasted text do, and the value form of the shown text.
#include <algorithm>

#include "platform/base/strings.h"
#include "platform/forms/clipbrd.h"
#include "platform/os/user.h"
#include "platform/os/user_clipboard.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/editors/cxFilterEdits.h"
#include "ui/editors/cxMaskEdit.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomMaskEditProperties)
QD_IMPLEMENT_CLASS(TcxMaskEditProperties)
QD_IMPLEMENT_CLASS(TcxCustomMaskEdit)
QD_IMPLEMENT_CLASS(TcxMaskEdit)

namespace {

const TTypeInfo* MaskKindTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxEditMaskKind", {u"emkStandard", u"emkRegExpr", u"emkRegExprEx"});
  return &info;
}

// The filter helper of the mask editor.
class TcxFilterMaskEditHelper : public TcxCustomFilterEditHelper {
 public:
  static TcxFilterEditHelperClass Class() {
    static const TcxFilterMaskEditHelper instance;
    return &instance;
  }
  TClass GetFilterEditClass() const override { return TcxMaskEdit::StaticClass(); }
  TcxFilterControlOperators GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                        TcxValueTypeClass AValueTypeClass,
                                                        bool AExtendedSet) const override {
    TcxFilterControlOperators result{fcoEqual,   fcoNotEqual,     fcoLess,   fcoLessEqual,
                                     fcoGreater, fcoGreaterEqual, fcoBlanks, fcoNonBlanks};
    auto* properties = ObjectCast<TcxCustomMaskEditProperties>(AProperties);
    if ((!properties || !properties->IsMasked()) && AValueTypeClass && AValueTypeClass->IsString())
      result += TcxFilterControlOperators{fcoLike,        fcoNotLike,    fcoContains,
                                          fcoNotContains, fcoBeginsWith, fcoEndsWith};
    if (AExtendedSet) result += TcxFilterControlOperators{fcoBetween, fcoNotBetween, fcoInList, fcoNotInList};
    return result;
  }
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override {
    TcxCustomFilterEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
    auto* properties = static_cast<TcxCustomTextEditProperties*>(AProperties);
    properties->SetHideSelection(true);
    properties->SetViewStyle(vsNormal);
    auto* mask = ObjectCast<TcxCustomMaskEditProperties>(AProperties);
    if (mask && mask->MaskKind() == emkRegExpr) mask->SetMaskKind(emkRegExprEx);
    properties->SetAutoSelect(!mask || !mask->IsMasked());
  }
  void SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties*, const Variant& AValue) const override {
    AEdit->SetEditValue(AValue);
  }
};

int gMaskEditUnitCount = 0;

}  // namespace

// --- The editor as its mode's host ---------------------------------------------------------------

class TcxCustomMaskEdit::THost : public IMaskModeHost {
 public:
  explicit THost(TcxCustomMaskEdit* AEdit) : FEdit(AEdit) {}

  IMaskModeProperties* ActiveProperties() override { return FEdit->ActiveProperties(); }
  bool PropertiesChangeLocked() const override { return FEdit->PropertiesChangeLocked(); }
  bool HandleAllocated() const override {
    IcxCustomInnerEdit* inner = FEdit->InnerEdit();
    return inner && inner->GetControl()->HandleAllocated();
  }
  String Text() const override { return FEdit->GetDisplayText(); }
  int32_t SelStart() const override {
    IcxInnerTextEdit* inner = FEdit->InnerTextEdit();
    return inner ? inner->GetSelStart() : 0;
  }
  int32_t SelLength() const override {
    IcxInnerTextEdit* inner = FEdit->InnerTextEdit();
    return inner ? inner->GetSelLength() : 0;
  }
  int32_t CursorPos() const override { return FEdit->CursorPos(); }
  void DirectSetSelStart(int32_t AValue) override { FEdit->DirectSetSelStart(AValue); }
  void DirectSetSelLength(int32_t AValue) override { FEdit->DirectSetSelLength(AValue); }
  void SetInternalDisplayValue(const String& AValue) override {
    FEdit->InternalSetDisplayValue(Variant(AValue));
  }
  void SetDataBindingDisplayValue(const String& AValue) override {
    FEdit->DataBindingSetDisplayValue(Variant(AValue));
  }
  void SetInternalEditValue(const String& AValue) override { FEdit->SetInternalEditValue(Variant(AValue)); }
  String PreparedDisplayValue() override {
    Variant display;
    FEdit->ActiveProperties()->PrepareDisplayValue(FEdit->EditValue(), display, true);
    return VarToStr(display);
  }
  bool ModifiedAfterEnter() const override { return FEdit->ModifiedAfterEnter(); }
  void LockChangeEvents(bool ALock, bool AInvokeChangedOnUnlock) override {
    FEdit->LockChangeEvents(ALock, AInvokeChangedOnUnlock);
  }
  void SendMyKeyDown(uint16_t AKey, TShiftState AShift) override { FEdit->SendMyKeyDown(AKey, AShift); }
  void SendMyKeyPress(Char AKey) override { FEdit->SendMyKeyPress(AKey); }
  bool ShiftOn() const override { return FEdit->FShiftOn; }
  void SetShiftOn(bool AValue) override { FEdit->FShiftOn = AValue; }
  bool IsCharValidForPos(Char& AChar, int32_t APos) override { return FEdit->IsCharValidForPos(AChar, APos); }

 private:
  TcxCustomMaskEdit* FEdit;
};

// --- TcxCustomMaskEditProperties ------------------------------------------------------------------------

void TcxMaskEditProperties::RegisterProperties(TPropertyRegistrar& r) {
  TcxTextEditProperties::RegisterProperties(r);
  // A mask editor starts validating on Enter, so only a cleared setting is stored.
  r.Prop("ValidateOnEnter", &TcxCustomEditProperties::ValidateOnEnter,
         &TcxCustomEditProperties::SetValidateOnEnter)
      .Default(true);
  r.Prop("AlwaysShowBlanksAndLiterals", &TcxCustomMaskEditProperties::AlwaysShowBlanksAndLiterals,
         &TcxCustomMaskEditProperties::SetAlwaysShowBlanksAndLiterals)
      .Default(false);
  r.Prop("CaseInsensitive", &TcxCustomMaskEditProperties::CaseInsensitive,
         &TcxCustomMaskEditProperties::SetCaseInsensitive)
      .Default(true);
  r.Prop("IgnoreMaskBlank", &TcxCustomMaskEditProperties::IgnoreMaskBlank,
         &TcxCustomMaskEditProperties::SetIgnoreMaskBlank)
      .Default(false);
  r.Prop("MaskKind", &TcxCustomMaskEditProperties::MaskKind, &TcxCustomMaskEditProperties::SetMaskKind,
         MaskKindTypeInfo())
      .Default(emkStandard);
  r.Prop("EditMask", &TcxCustomMaskEditProperties::EditMask, &TcxCustomMaskEditProperties::SetEditMask);
}

void TcxMaskEdit::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Properties", &TcxMaskEdit::Properties);
}

TcxCustomMaskEditProperties::TcxCustomMaskEditProperties(TPersistent* AOwner)
    : TcxCustomTextEditProperties(AOwner) {
  SetValidateOnEnter(true);
}

TcxCustomMaskEditProperties::~TcxCustomMaskEditProperties() = default;

std::unique_ptr<TcxMaskEditCustomMode> TcxCustomMaskEditProperties::CreateMode(TcxEditMaskKind AMaskKind,
                                                                               IMaskModeHost* AEdit) {
  switch (AMaskKind) {
    case emkRegExpr:
      return std::make_unique<TcxMaskEditRegExprMode>(AEdit, this);
    case emkRegExprEx:
      return std::make_unique<TcxMaskEditRegExprExMode>(AEdit, this);
    default:
      return std::make_unique<TcxMaskEditStandardMode>(AEdit, this);
  }
}

String TcxCustomMaskEditProperties::EditMask() const {
  if (FMaskKind == emkStandard && cxIsBlankMask(FEditMask)) {
    IcxEditDefaultValuesProvider* provider = IDefaultValuesProvider();
    return provider ? provider->DefaultEditMask() : String();
  }
  return FEditMask;
}

void TcxCustomMaskEditProperties::SetEditMask(const String& Value) {
  if (Value == EditMask()) {
    FEditMask = Value;
    return;
  }
  // Compiled once by a scratch mode: an invalid mask raises here and the old one stays.
  CreateMode(FMaskKind, nullptr)->Compile(Value);
  FEditMask = Value;
  Changed();
}

void TcxCustomMaskEditProperties::SetCaseInsensitive(bool Value) {
  FCaseInsensitive = CharCase() != ecNormal ? true : Value;
  Changed();
}

void TcxCustomMaskEditProperties::SetCharCase(TEditCharCase Value) {
  if (Value == ecUpperCase || Value == ecLowerCase) FCaseInsensitive = true;
  TcxCustomTextEditProperties::SetCharCase(Value);
}

TClass TcxCustomMaskEditProperties::GetContainerClass() const {
  return TcxMaskEdit::StaticClass();
}

TcxEditDisplayFormatOptions TcxCustomMaskEditProperties::GetDisplayFormatOptions() {
  return IsMasked() ? TcxEditDisplayFormatOptions{} : TcxCustomTextEditProperties::GetDisplayFormatOptions();
}

TcxEditSupportedOperations TcxCustomMaskEditProperties::GetSupportedOperations() {
  TcxEditSupportedOperations result = TcxCustomTextEditProperties::GetSupportedOperations();
  if (!FEditMask.empty()) result.Exclude(esoEditingAutoHeight);
  return result;
}

bool TcxCustomMaskEditProperties::UseLookupData() {
  return !IsMasked() && TcxCustomTextEditProperties::UseLookupData();
}

bool TcxCustomMaskEditProperties::IsEditValueValid(Variant& EditValue, bool AEditFocused) {
  return IsMasked() || TcxCustomTextEditProperties::IsEditValueValid(EditValue, AEditFocused);
}

void TcxCustomMaskEditProperties::MaxLengthChanged() {
  if (!IsMasked()) {
    TcxCustomTextEditProperties::MaxLengthChanged();
    return;
  }
  if (FMaxLengthSetting) return;
  FMaxLengthSetting = true;
  BeginUpdate();
  try {
    SetMaxLength(0);
  } catch (...) {
    EndUpdate();
    FMaxLengthSetting = false;
    throw;
  }
  EndUpdate();
  FMaxLengthSetting = false;
}

TcxMaskEditCustomMode* TcxCustomMaskEditProperties::FormattingMode() {
  const String mask = EditMask();
  if (!FTempMode || FTempMode->GetMaskKind() != FMaskKind || FTempMode->EditMask() != mask) {
    FTempMode.reset();
    std::unique_ptr<TcxMaskEditCustomMode> mode = CreateMode(FMaskKind, nullptr);
    try {
      mode->Compile(mask);
    } catch (const EcxMaskEditError&) {
      return nullptr;
    }
    FTempMode = std::move(mode);
  }
  return FTempMode.get();
}

void TcxCustomMaskEditProperties::DoPrepareDisplayValue(const Variant& AEditValue, Variant& ADisplayValue,
                                                        bool AEditFocused) {
  IcxEditDefaultValuesProvider* provider = IDefaultValuesProvider();
  if (!IsMasked() || (!AEditFocused && provider && provider->IsDisplayFormatDefined(false))) {
    TcxCustomTextEditProperties::DoPrepareDisplayValue(AEditValue, ADisplayValue, AEditFocused);
    return;
  }
  const String text = VarIsNull(AEditValue) ? String() : VarToStr(AEditValue);
  ADisplayValue = Variant(text);
  TcxMaskEditCustomMode* mode = FormattingMode();
  if (!mode) return;
  if (AEditFocused || mode->GetMaskKind() != emkStandard || FAlwaysShowBlanksAndLiterals)
    ADisplayValue = Variant(mode->GetFormattedText(text, false));
  else
    ADisplayValue = Variant(mode->GetUpdatedText(text, false));
}

void TcxCustomMaskEditProperties::ValidateDisplayValue(Variant& ADisplayValue, String& AErrorText,
                                                       bool& AError, const TValidateHandler& AValidator,
                                                       const Variant* ACurrentDisplayValue) {
  if (!AError && IsMasked()) {
    auto* edit = ObjectCast<TcxCustomMaskEdit>(Owner());
    TcxMaskEditCustomMode* mode = edit && edit->Mode() ? edit->Mode() : FormattingMode();
    if (mode && !mode->IsFullValidText(VarIsNull(ADisplayValue) ? String() : VarToStr(ADisplayValue))) {
      AError = true;
      AErrorText = cxGetResourceString(scxMaskEditInvalidEditValue);
    }
  }
  TcxCustomTextEditProperties::ValidateDisplayValue(ADisplayValue, AErrorText, AError, AValidator,
                                                    ACurrentDisplayValue);
}

void TcxCustomMaskEditProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomTextEditProperties::DoAssign(Source);
  auto* src = ObjectCast<TcxCustomMaskEditProperties>(Source);
  if (!src) return;
  FMaskKind = src->FMaskKind;
  FEditMask = src->EditMask();
  FCaseInsensitive = src->FCaseInsensitive;
  FIgnoreMaskBlank = src->FIgnoreMaskBlank;
  FAlwaysShowBlanksAndLiterals = src->FAlwaysShowBlanksAndLiterals;
}

void TcxCustomMaskEditProperties::DoChanged() {
  FTempMode.reset();
  TcxCustomTextEditProperties::DoChanged();
}

// --- TcxCustomMaskEdit: creation ---------------------------------------------------------------------

TcxCustomMaskEdit::TcxCustomMaskEdit(TComponent* AOwner, bool AIsInplace)
    : TcxCustomTextEdit(AOwner, AIsInplace),
      FHost(std::make_unique<THost>(this)),
      FMode(std::make_unique<TcxMaskEditStandardMode>(FHost.get(), nullptr)) {}

TcxCustomMaskEdit::~TcxCustomMaskEdit() {
  FMode.reset();
}

void TcxCustomMaskEdit::AfterConstruction() {
  TcxCustomTextEdit::AfterConstruction();
  Properties()->FEmptyString = InternalGetEmptyString();
}

String TcxCustomMaskEdit::InternalGetEmptyString() {
  return IsMasked() && FMode ? FMode->GetEmptyString() : String();
}

void TcxCustomMaskEdit::Loaded() {
  TcxCustomTextEdit::Loaded();
  if (IsMasked()) {
    LockChangeEvents(true);
    try {
      UpdateTextFormatting();
    } catch (...) {
      LockChangeEvents(false);
      throw;
    }
    LockChangeEvents(false);
  }
}

void TcxCustomMaskEdit::UpdateTextFormatting() {
  Variant display;
  ActiveProperties()->PrepareDisplayValue(EditValue(), display, true);
  InternalSetDisplayValue(display);
}

// --- Text and value -----------------------------------------------------------------------------

String TcxCustomMaskEdit::FormatEditText(const String& AText) {
  if (Focused() || FMode->GetMaskKind() != emkStandard) return FMode->GetFormattedText(AText, true);
  if (ActiveProperties()->AlwaysShowBlanksAndLiterals()) return FMode->GetFormattedText(AText, true);
  return FMode->GetUpdatedText(AText, true);
}

void TcxCustomMaskEdit::SetEditText(const String& Value) {
  const String text = IsMasked() ? FormatEditText(Value) : Value;
  SetInternalDisplayValue(Variant(text));
  SetInternalEditValue(Variant(FMaskText));
}

void TcxCustomMaskEdit::InternalSetValue(const String& AText) {
  if (CanSynchronizeModeText() && FMode) FMode->SetText(AText);
}

void TcxCustomMaskEdit::InternalSetDisplayValue(const Variant& Value) {
  if (IsLoading()) return;
  String text = VarIsNull(Value) ? String() : VarToStr(Value);
  if (IsMasked()) text = FormatEditText(text);
  TcxCustomTextEdit::InternalSetDisplayValue(Variant(text));
  InternalSetValue(GetDisplayText());
}

void TcxCustomMaskEdit::SynchronizeDisplayValue() {
  TcxCustomTextEdit::SynchronizeDisplayValue();
  InternalSetValue(GetDisplayText());
}

void TcxCustomMaskEdit::UndoPerformed() {
  TcxCustomTextEdit::UndoPerformed();
  InternalSetValue(GetDisplayText());
}

bool TcxCustomMaskEdit::InternalSetText(const String& AText) {
  if (IsLoading()) return false;
  SetInternalEditValue(Variant(AText));
  return true;
}

void TcxCustomMaskEdit::ChangeHandler(TObject* Sender) {
  FMaskText = FMode ? FMode->GetUpdatedText(GetDisplayText(), true) : GetDisplayText();
  TcxCustomTextEdit::ChangeHandler(Sender);
}

void TcxCustomMaskEdit::PrepareEditValue(const Variant& ADisplayValue, Variant& EditValue,
                                         bool AEditFocused) {
  if (!IsMasked()) {
    TcxCustomTextEdit::PrepareEditValue(ADisplayValue, EditValue, AEditFocused);
    return;
  }
  const String text = VarIsNull(ADisplayValue) ? String() : VarToStr(ADisplayValue);
  if (AEditFocused || FMode->GetMaskKind() != emkStandard) {
    EditValue = Variant(FMode->GetUpdatedText(text, true));
    return;
  }
  auto* standard = static_cast<TcxMaskEditStandardMode*>(FMode.get());
  if (!standard->Mask().SaveLiteralCharacters() && ActiveProperties()->AlwaysShowBlanksAndLiterals())
    EditValue = Variant(FMode->GetUpdatedText(text, true));
  else
    TcxCustomTextEdit::PrepareEditValue(ADisplayValue, EditValue, AEditFocused);
}

bool TcxCustomMaskEdit::IsTextInputMode() {
  return ActiveProperties()->StoredEditMask().empty() && TcxCustomTextEdit::IsTextInputMode();
}

// --- Keys ---------------------------------------------------------------------------------------------

void TcxCustomMaskEdit::SendMyKeyDown(WORD AKey, TShiftState AShift) {
  IcxCustomInnerEdit* inner = InnerEdit();
  if (!inner) return;
  FMyMessage = true;
  try {
    SendKeyDown(inner->GetControl(), AKey, AShift);
  } catch (...) {
    FMyMessage = false;
    throw;
  }
  FMyMessage = false;
}

void TcxCustomMaskEdit::SendMyKeyPress(Char AKey) {
  IcxCustomInnerEdit* inner = InnerEdit();
  if (!inner) return;
  FMyMessage = true;
  try {
    SendKeyPress(inner->GetControl(), AKey);
  } catch (...) {
    FMyMessage = false;
    throw;
  }
  FMyMessage = false;
}

void TcxCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (FMyMessage) return;
  TcxCustomTextEdit::KeyDown(Key, Shift);
}

void TcxCustomMaskEdit::KeyPress(Char& Key) {
  if (FMyMessage) return;
  TcxCustomTextEdit::KeyPress(Key);
}

void TcxCustomMaskEdit::KeyUp(WORD& Key, TShiftState Shift) {
  if (FMyMessage) return;
  TcxCustomTextEdit::KeyUp(Key, Shift);
}

void TcxCustomMaskEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  if (!IsMasked()) {
    TcxCustomTextEdit::DoEditKeyDown(Key, Shift);
    return;
  }
  if (!IsSpecialKey(Key, Shift)) {
    if (!ValidateKeyDown(Key, Shift)) {
      DoAfterKeyDown(Key, Shift);
      Key = 0;
      return;
    }
    if (Key != VK_TAB) FShiftOn = Shift.Contains(ssShift);
    switch (Key) {
      case VK_UP:
      case VK_DOWN:
        DoAfterKeyDown(Key, Shift);
        Key = 0;
        break;
      case VK_LEFT:
        if (Shift.Contains(ssCtrl)) {
          SendMyKeyDown(VK_HOME, Shift);
          if (!FMode->PressHome()) Key = 0;
        } else {
          const bool atBegin = FMode->IsCursorBegin();
          if (!FMode->PressLeft()) {
            if (atBegin) DoAfterKeyDown(Key, Shift);
            Key = 0;
          }
        }
        break;
      case VK_RIGHT:
        if (Shift.Contains(ssCtrl)) {
          SendMyKeyDown(VK_END, Shift);
          if (!FMode->PressEnd()) Key = 0;
        } else {
          const bool atEnd = FMode->IsCursorEnd();
          if (!FMode->PressRight()) {
            if (atEnd) DoAfterKeyDown(Key, Shift);
            Key = 0;
          }
        }
        break;
      case VK_DELETE:
        if (!Shift.Contains(ssShift)) {
          if (!FMode->PressDelete()) Key = 0;
        } else if (SelLength() == 0) {
          // As the Backspace key, which is pressed without Shift.
          FShiftOn = false;
          if (!FMode->PressBackSpace()) Key = 0;
        }
        break;
      case VK_HOME:
        if (!FMode->PressHome()) Key = 0;
        break;
      case VK_END:
        if (!FMode->PressEnd()) Key = 0;
        break;
      default:
        break;
    }
  }
  if (Key != 0) TcxCustomTextEdit::DoEditKeyDown(Key, Shift);
}

void TcxCustomMaskEdit::DoEditKeyPress(Char& Key) {
  if (!IsMasked()) {
    TcxCustomTextEdit::DoEditKeyPress(Key);
    return;
  }
  if (Key == u'\t' || Key == 0x1B || !ValidateKeyPress(Key)) {
    Key = 0;
    return;
  }
  switch (Key) {
    case u'\r':
      break;
    case 1:
    case 3:
    case 22:
    case 24:
      TcxCustomTextEdit::DoEditKeyPress(Key);
      break;
    case u'\b':
      if (!FMode->PressBackSpace()) Key = 0;
      break;
    default:
      if (!FMode->PressSymbol(Key)) Key = 0;
      break;
  }
}

// --- Mouse, focus, selection -----------------------------------------------------------------------

void TcxCustomMaskEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && IsMasked()) FMode->LMouseDown(Shift);
  TcxCustomTextEdit::MouseDown(Button, Shift, X, Y);
}

void TcxCustomMaskEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomTextEdit::MouseMove(Shift, X, Y);
  if (Shift.Contains(ssLeft) && IsMasked()) {
    const bool shiftOn = FShiftOn;
    FShiftOn = true;
    FMode->LMouseDown(Shift);
    FShiftOn = shiftOn;
  }
}

void TcxCustomMaskEdit::DblClick() {
  if (IsMasked()) {
    FMode->GotoEnd();
    FMode->LMouseDown({});
  }
  TcxCustomTextEdit::DblClick();
}

void TcxCustomMaskEdit::DoEnter() {
  if (IsMasked() && ActiveProperties()->AutoSelect()) FMode->GotoEnd();
  TcxCustomTextEdit::DoEnter();
}

void TcxCustomMaskEdit::SelChange(TObject* Sender) {
  TcxCustomTextEdit::SelChange(Sender);
  if (!FInternalTextSelection && IsMasked()) FMode->LMouseDown({});
}

void TcxCustomMaskEdit::DirectSetSelStart(int32_t AValue) {
  FInternalTextSelection = true;
  try {
    SetSelStart(AValue);
  } catch (...) {
    FInternalTextSelection = false;
    throw;
  }
  FInternalTextSelection = false;
}

void TcxCustomMaskEdit::DirectSetSelLength(int32_t AValue) {
  FInternalTextSelection = true;
  try {
    SetSelLength(AValue);
  } catch (...) {
    FInternalTextSelection = false;
    throw;
  }
  FInternalTextSelection = false;
}

// --- Clipboard -----------------------------------------------------------------------------------------

void TcxCustomMaskEdit::CutToClipboard() {
  if (!IsMasked()) {
    TcxCustomTextEdit::CutToClipboard();
    return;
  }
  if (Focused() && !DoEditing()) return;
  CopyToClipboard();
  if (FMode->PressDelete()) SendMyKeyPress(u'\b');
}

void TcxCustomMaskEdit::PasteFromClipboard() {
  if (!IsMasked()) {
    TcxCustomTextEdit::PasteFromClipboard();
    return;
  }
  if (!Clipboard()->HasFormat(CF_UNICODETEXT)) return;
  const String text = Clipboard()->AsText();
  FMode->SetClipboardTextLength(static_cast<int32_t>(text.size()));
  FMode->PressDelete();
  FMode->PrePasteFromClipboard();
  TcxCustomTextEdit::DoSetSelText(text);
  FMode->AfterPasteFromClipboard();
}

void TcxCustomMaskEdit::DoSetSelText(const String& Value) {
  if (!IsMasked()) {
    TcxCustomTextEdit::DoSetSelText(Value);
    return;
  }
  FMode->SetClipboardTextLength(static_cast<int32_t>(Value.size()));
  FMode->PrePasteFromClipboard();
  TcxCustomTextEdit::DoSetSelText(Value);
  FMode->AfterPasteFromClipboard();
}

bool TcxCustomMaskEdit::CanChangeSelText(const String& Value, String& ANewText, int32_t& ANewSelStart) {
  if (IsMasked() && FMode->ProcessSelText(Value, ANewText, ANewSelStart)) return true;
  return TcxCustomTextEdit::CanChangeSelText(Value, ANewText, ANewSelStart);
}

// --- Properties ---------------------------------------------------------------------------------------

void TcxCustomMaskEdit::PropertiesChanged(TObject* Sender) {
  TcxCustomMaskEditProperties* props = ActiveProperties();
  bool kindChanged = false;
  bool maskChanged = false;
  bool charCaseChanged = false;
  bool echoModeChanged = false;
  IcxInnerTextEdit* inner = InnerTextEdit();
  int32_t savedSelStart = 0;
  int32_t savedSelLength = 0;
  props->LockUpdate(true);
  try {
    const String startMask = props->EditMask();
    maskChanged = FMode->EditMask() != startMask || props->FormatChanging();
    kindChanged = FMode->GetMaskKind() != props->MaskKind();
    charCaseChanged = FMode->CharCase() != props->CharCase();
    bool storedMaskCleared = false;
    if (kindChanged) {
      const TcxEditMaskKind oldKind = FMode->GetMaskKind();
      FMode = props->CreateMode(props->MaskKind(), FHost.get());
      // A mask of one language means nothing in the other; the two regular-expression
      // kinds share theirs.
      if ((oldKind == emkStandard) != (props->MaskKind() == emkStandard)) {
        storedMaskCleared = !props->FEditMask.empty();
        props->FEditMask.clear();
      }
      FMode->Compile(props->EditMask());
      if (!props->EditMask().empty()) FMode->SynchronizeEditValue();
      props->FEmptyString = InternalGetEmptyString();
    }
    if (maskChanged) {
      if (props->IsMasked()) props->AssignedValues()->SetMaxLength(false);
      // Kind and mask set together: the new mask survives the kind change.
      if (storedMaskCleared) props->FEditMask = startMask;
      FMode->Compile(startMask);
      if (!cxIsBlankMask(startMask)) {
        FMode->SynchronizeEditValue();
      } else if (FMode->GetMaskKind() == emkStandard && inner && inner->GetSelLength() == 1) {
        inner->SetSelLength(0);
      }
      props->FEmptyString = InternalGetEmptyString();
    }
    if (charCaseChanged) {
      if (props->CharCase() == ecNormal) {
        if (inner) inner->SetCharCase(ecNormal);
        SynchronizeDisplayValue();
      }
      FMode->SetCharCase(props->CharCase());
    }
    echoModeChanged =
        inner && inner->GetEchoMode() != props->EchoMode() && inner->GetControl()->HandleAllocated();
    if (echoModeChanged) {
      savedSelStart = inner->GetSelStart();
      savedSelLength = inner->GetSelLength();
    }
    if (props->IsMasked() && (PropertiesChangeLocked() || !VarIsNull(EditValue()))) FMode->UpdateEditValue();
    if (auto* regExprMode = dynamic_cast<TcxMaskEditRegExprMode*>(FMode.get()))
      regExprMode->SetRegExprCaseInsensitive();
  } catch (...) {
    props->LockUpdate(false);
    throw;
  }
  props->LockUpdate(false);
  TcxCustomTextEdit::PropertiesChanged(Sender);
  if (echoModeChanged && inner) {
    inner->SetSelStart(savedSelStart);
    inner->SetSelLength(savedSelLength);
  }
  if (kindChanged || charCaseChanged || maskChanged)
    FMaskText = FMode->GetUpdatedText(GetDisplayText(), true);
}

// --- Registration ----------------------------------------------------------------------------------------

namespace cxMaskEdit {

void Initialize() {
  if (gMaskEditUnitCount++ > 0) return;
  GetRegisteredEditProperties()->Register(TcxMaskEditProperties::StaticClass(),
                                          cxGetResourceString(scxSEditRepositoryMaskItem));
  FilterEditsController()->Register(TcxCustomMaskEditProperties::StaticClass(),
                                    TcxFilterMaskEditHelper::Class());
}

void Finalize() {
  if (gMaskEditUnitCount == 0 || --gMaskEditUnitCount > 0) return;
  if (FilterEditsControllerAssigned())
    FilterEditsController()->Unregister(TcxCustomMaskEditProperties::StaticClass(),
                                        TcxFilterMaskEditHelper::Class());
  GetRegisteredEditProperties()->Unregister(TcxMaskEditProperties::StaticClass());
}

}  // namespace cxMaskEdit

}  // namespace qd

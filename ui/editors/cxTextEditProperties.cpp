#include <algorithm>

#include "platform/base/fmtbcd.h"
#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/classes/rtti.h"
#include "ui/core/cxVariants.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxUxTheme.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/editors/cxTextEditLookup.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxTextEditPropertiesValues)
QD_IMPLEMENT_CLASS(TcxCustomTextEditProperties)
QD_IMPLEMENT_CLASS(TcxTextEditProperties)

TcxEditVertAlignment cxTextEditDefaultVertAlignment = taVCenter;

namespace {

// A number's text rewritten from its exact decimal value: in fixed notation with ADigits
// decimals, or in general notation (no trailing zeros); at most APrecision significant
// digits, rounded half away from zero. Texts that are not numbers come back unchanged.
String TextEditFormatDecimal(const String& AText, bool AFixed, int APrecision, int ADigits) {
  TBcd bcd;
  if (!TryStrToBcd(AText, bcd)) return AText;
  String canonical = BcdToStr(bcd);  // "-12.5", "0", "100"
  bool negative = !canonical.empty() && canonical[0] == u'-';
  if (negative) canonical.erase(0, 1);
  size_t point = canonical.find(u'.');
  std::string digits;  // all digits, the decimal point at position pointPos
  for (Char c : canonical)
    if (c != u'.') digits.push_back(static_cast<char>(c));
  int pointPos = static_cast<int>(point == String::npos ? canonical.size() : point);
  // Leading zeros do not count as significant digits.
  size_t firstNonZero = digits.find_first_not_of('0');
  if (firstNonZero == std::string::npos) {
    digits = "0";
    pointPos = 1;
    negative = false;
  } else {
    digits.erase(0, firstNonZero);
    pointPos -= static_cast<int>(firstNonZero);
  }
  APrecision = std::clamp(APrecision, 1, 64);
  ADigits = std::max(ADigits, 0);
  // pointPos may be negative (0.00123: digits "123", pointPos -2).
  int keep = static_cast<int>(digits.size());
  keep = std::min(keep, APrecision);
  if (AFixed) keep = std::min(keep, pointPos + ADigits);
  auto roundAt = [&](int AKeep) {
    if (AKeep >= static_cast<int>(digits.size())) return;
    if (AKeep < 0) {
      digits = "0";
      pointPos = 1;
      return;
    }
    bool up = digits[static_cast<size_t>(AKeep)] >= '5';
    digits.resize(static_cast<size_t>(AKeep));
    if (up) {
      int i = AKeep - 1;
      for (; i >= 0; --i) {
        if (digits[static_cast<size_t>(i)] == '9') {
          digits[static_cast<size_t>(i)] = '0';
        } else {
          ++digits[static_cast<size_t>(i)];
          break;
        }
      }
      if (i < 0) {
        digits.insert(digits.begin(), '1');
        ++pointPos;
      }
    }
    if (digits.empty()) {
      digits = "0";
      pointPos = 1;
    }
  };
  roundAt(keep);
  const Char sep = FormatSettings().DecimalSeparator;
  String intPart, fracPart;
  for (int i = 0; i < pointPos; ++i)
    intPart.push_back(i < static_cast<int>(digits.size()) ? static_cast<Char>(digits[static_cast<size_t>(i)])
                                                          : u'0');
  for (int i = std::min(pointPos, 0); i < 0; ++i) fracPart.push_back(u'0');
  for (int i = std::max(pointPos, 0); i < static_cast<int>(digits.size()); ++i)
    fracPart.push_back(static_cast<Char>(digits[static_cast<size_t>(i)]));
  if (intPart.empty()) intPart = u"0";
  if (AFixed) {
    if (static_cast<int>(fracPart.size()) < ADigits)
      fracPart.append(static_cast<size_t>(ADigits) - fracPart.size(), u'0');
  } else {
    while (!fracPart.empty() && fracPart.back() == u'0') fracPart.pop_back();
    if (pointPos > APrecision) {
      // Too many integer digits for the precision: scientific notation.
      String mantissa(1, static_cast<Char>(digits[0]));
      String rest;
      for (size_t i = 1; i < digits.size(); ++i) rest.push_back(static_cast<Char>(digits[i]));
      while (!rest.empty() && rest.back() == u'0') rest.pop_back();
      if (!rest.empty()) mantissa += sep + rest;
      String result = mantissa + u"E" + IntToStr(pointPos - 1);
      return negative ? u"-" + result : result;
    }
  }
  bool isZero = digits == "0";
  String result = intPart;
  if (!fracPart.empty()) result += sep + fracPart;
  return negative && !isZero ? u"-" + result : result;
}

const TTypeInfo* TextEditCharCaseTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TEditCharCase", {u"ecNormal", u"ecUpperCase", u"ecLowerCase"});
  return &info;
}

const TTypeInfo* TextEditEchoModeTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(u"TcxEditEchoMode", {u"eemNormal", u"eemPassword"});
  return &info;
}

const TTypeInfo* TextEditImeModeTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(
      u"TImeMode", {u"imDisable", u"imClose", u"imOpen", u"imDontCare", u"imSAlpha", u"imAlpha", u"imHira",
                    u"imSKata", u"imKata", u"imChinese", u"imSHanguel", u"imHanguel"});
  return &info;
}

const TTypeInfo* TextEditValidationOptionsTypeInfo() {
  static const TTypeInfo element = MakeEnumTypeInfo(
      u"TcxEditValidationOption", {u"evoRaiseException", u"evoShowErrorIcon", u"evoAllowLoseFocus"});
  static const TTypeInfo info = MakeSetTypeInfo(u"TcxEditValidationOptions", &element);
  return &info;
}

}  // namespace

// --- Unit functions ------------------------------------------------------------------------

Char GetWindowsPasswordChar(bool AUseBullets, Char APasswordChar) {
  if (APasswordChar != 0) return APasswordChar;
  if (AUseBullets && IsWinSevenOrLater() && dxUxTheme::IsThemeActive()) return u'\u25CF';
  return u'*';
}

void InsertThousandSeparator(String& S) {
  const TFormatSettings& settings = FormatSettings();
  const Char thousand = settings.ThousandSeparator;
  const Char decimal = settings.DecimalSeparator;
  // Grouping with a separator that is also the decimal point (or none) would corrupt the number.
  if (thousand == 0 || thousand == decimal) return;
  size_t first = 0;
  while (first < S.size() && S[first] <= u' ') ++first;
  size_t last = S.size();
  while (last > first && S[last - 1] <= u' ') --last;
  const String leading = S.substr(0, first);
  const String trailing = S.substr(last);
  String body = S.substr(first, last - first);
  String exponent;
  size_t e = body.find_first_of(u"Ee");
  if (e != String::npos) {
    exponent = body.substr(e);
    body.erase(e);
  }
  body.erase(std::remove(body.begin(), body.end(), thousand), body.end());
  size_t end = body.find(decimal);
  if (end == String::npos) end = body.size();
  auto isDigit = [](Char c) { return c >= u'0' && c <= u'9'; };
  int count = 0;
  for (size_t i = end; i > 1;) {
    --i;
    if (!isDigit(body[i])) break;
    if (++count % 3 == 0 && isDigit(body[i - 1])) body.insert(i, 1, thousand);
  }
  S = leading + body + exponent + trailing;
}

// --- TcxTextEditPropertiesValues ------------------------------------------------------------

void TcxTextEditPropertiesValues::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("DisplayFormat", &TcxTextEditPropertiesValues::DisplayFormat,
         &TcxTextEditPropertiesValues::SetDisplayFormat)
      .Stored(&TcxTextEditPropertiesValues::IsDisplayFormatStored);
  r.Prop("EditFormat", &TcxTextEditPropertiesValues::EditFormat, &TcxTextEditPropertiesValues::SetEditFormat)
      .Stored(&TcxTextEditPropertiesValues::IsEditFormatStored);
  r.Prop("MaxLength", &TcxTextEditPropertiesValues::MaxLength, &TcxTextEditPropertiesValues::SetMaxLength)
      .Stored(false);
  r.Prop("MaxValue", &TcxCustomEditPropertiesValues::MaxValue, &TcxCustomEditPropertiesValues::SetMaxValue)
      .Stored(&TcxCustomEditPropertiesValues::IsMaxValueStored);
  r.Prop("MinValue", &TcxCustomEditPropertiesValues::MinValue, &TcxCustomEditPropertiesValues::SetMinValue)
      .Stored(&TcxCustomEditPropertiesValues::IsMinValueStored);
}

TcxCustomTextEditProperties* TcxTextEditPropertiesValues::TextProperties() const {
  return static_cast<TcxCustomTextEditProperties*>(Properties());
}

void TcxTextEditPropertiesValues::Assign(TPersistent* Source) {
  auto* src = ObjectCast<TcxTextEditPropertiesValues>(Source);
  if (!src) {
    TcxCustomEditPropertiesValues::Assign(Source);
    return;
  }
  Properties()->BeginUpdate();
  try {
    TcxCustomEditPropertiesValues::Assign(Source);
    SetDisplayFormat(src->FDisplayFormat);
    SetEditFormat(src->FEditFormat);
    SetMaxLength(src->FMaxLength);
  } catch (...) {
    Properties()->EndUpdate();
    throw;
  }
  Properties()->EndUpdate();
}

void TcxTextEditPropertiesValues::RestoreDefaults() {
  Properties()->BeginUpdate();
  try {
    TcxCustomEditPropertiesValues::RestoreDefaults();
    SetDisplayFormat(false);
    SetEditFormat(false);
    SetMaxLength(false);
  } catch (...) {
    Properties()->EndUpdate();
    throw;
  }
  Properties()->EndUpdate();
}

void TcxTextEditPropertiesValues::SetDisplayFormat(bool Value) {
  if (FDisplayFormat == Value) return;
  FDisplayFormat = Value;
  Properties()->Changed();
}

void TcxTextEditPropertiesValues::SetEditFormat(bool Value) {
  if (FEditFormat == Value) return;
  FEditFormat = Value;
  Properties()->Changed();
}

void TcxTextEditPropertiesValues::SetMaxLength(bool Value) {
  if (FMaxLength == Value) return;
  FMaxLength = Value;
  TextProperties()->MaxLengthChanged();
}

bool TcxTextEditPropertiesValues::IsDisplayFormatStored() const {
  return FDisplayFormat && TextProperties()->FDisplayFormat.empty() &&
         IsPropertiesPropertyVisible(Properties(), u"DisplayFormat");
}

bool TcxTextEditPropertiesValues::IsEditFormatStored() const {
  return FEditFormat && TextProperties()->FEditFormat.empty() &&
         IsPropertiesPropertyVisible(Properties(), u"EditFormat");
}

// --- TcxCustomTextEditProperties -------------------------------------------------------------

TcxCustomTextEditProperties::TcxCustomTextEditProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner) {
  InitAssignedValues(new TcxTextEditPropertiesValues(this));
  InitDefaultVertAlignment();
  FIncrementalFilteringOptions = GetDefaultIncrementalFilteringOptions();
  FLookupItems = new TStringList();
  FLookupItems->SetDuplicates(dupAccept);
  FLookupItems->OnChange = MakeMethod(this, &TcxCustomTextEditProperties::LookupItemsChanged);
  cxFormatController()->AddListener(this);
}

TcxCustomTextEditProperties::~TcxCustomTextEditProperties() {
  cxFormatController()->RemoveListener(this);
  delete FLookupItems;
}

void TcxCustomTextEditProperties::SetCharCase(TEditCharCase Value) {
  SetValue(FCharCase, Value);
}

String TcxCustomTextEditProperties::DisplayFormat() {
  if (AssignedValues()->DisplayFormat()) return FDisplayFormat;
  if (IcxEditDefaultValuesProvider* provider = IDefaultValuesProvider()) {
    String format = provider->DefaultDisplayFormat();
    if (!format.empty()) return format;
  }
  return GetDefaultDisplayFormat();
}

void TcxCustomTextEditProperties::SetDisplayFormat(const String& Value) {
  TcxTextEditPropertiesValues* values = AssignedValues();
  if (values->FDisplayFormat && FDisplayFormat == Value) return;
  values->FDisplayFormat = true;
  FDisplayFormat = Value;
  Changed();
}

String TcxCustomTextEditProperties::EditFormat() {
  bool isCurrency = false, isOnGetTextAssigned = false;
  String format;
  InternalGetEditFormat(isCurrency, isOnGetTextAssigned, format, nullptr);
  return format;
}

void TcxCustomTextEditProperties::SetEditFormat(const String& Value) {
  TcxTextEditPropertiesValues* values = AssignedValues();
  if (values->FEditFormat && FEditFormat == Value) return;
  values->FEditFormat = true;
  FEditFormat = Value;
  Changed();
}

void TcxCustomTextEditProperties::SetFixedListSelection(bool Value) {
  if (FFixedListSelection == Value) return;
  FFixedListSelection = Value;
  if (GetEditingStyle() == esFixedList) Changed();
}

int32_t TcxCustomTextEditProperties::MaxLength() {
  return AssignedValues()->MaxLength() ? FMaxLength : GetDefaultMaxLength();
}

void TcxCustomTextEditProperties::SetMaxLength(int32_t Value) {
  Value = std::max(Value, 0);
  TcxTextEditPropertiesValues* values = AssignedValues();
  if (values->FMaxLength && FMaxLength == Value) return;
  values->FMaxLength = true;
  FMaxLength = Value;
  MaxLengthChanged();
}

TcxTextEditViewStyle TcxCustomTextEditProperties::ViewStyle() const {
  switch (ButtonsViewStyle()) {
    case bvsButtonsOnly:
      return vsButtonsOnly;
    case bvsButtonsAutoWidth:
      return vsButtonsAutoWidth;
    default:
      return FHideCursor ? vsHideCursor : vsNormal;
  }
}

void TcxCustomTextEditProperties::SetViewStyle(TcxTextEditViewStyle Value) {
  if (Value == ViewStyle()) return;
  static constexpr TcxEditButtonsViewStyle kButtonsViewStyle[] = {bvsNormal, bvsNormal, bvsButtonsOnly,
                                                                  bvsButtonsAutoWidth};
  BeginUpdate();
  try {
    SetButtonsViewStyle(kButtonsViewStyle[Value]);
    SetHideCursor(Value != vsNormal);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomTextEditProperties::FormatChanged() {
  FFormatChanging = true;
  try {
    Changed();
  } catch (...) {
    FFormatChanging = false;
    throw;
  }
  FFormatChanging = false;
}

void TcxCustomTextEditProperties::CheckEditValueBounds(const Variant& AValue, String& AErrorText,
                                                       bool& AError) {
  double value = 0;
  if (VarIsDate(AValue))
    value = VarToDateTime(AValue);
  else if (VarIsNumericEx(AValue))
    value = VarAsType(AValue, varDouble).AsDouble();
  else
    return;
  if ((IsValueBoundDefined(evbMin) && value < MinValue()) ||
      (IsValueBoundDefined(evbMax) && value > MaxValue())) {
    AError = true;
    AErrorText = GetValidateErrorText(ekValueOutOfBounds);
  }
}

void TcxCustomTextEditProperties::CheckDisplayValueBounds(const Variant& ADisplayValue, String& AErrorText,
                                                          bool& AError, TcxCustomEdit* AEdit) {
  // The text editor's edit value is a copy of its display value; editors that convert
  // between the two check the converted value through their own properties.
  (void)AEdit;
  CheckEditValueBounds(ADisplayValue, AErrorText, AError);
}

void TcxCustomTextEditProperties::DoPrepareDisplayValue(const Variant& AEditValue, Variant& ADisplayValue,
                                                        bool AEditFocused) {
  if (!IsEditValueNumeric()) {
    if (VarIsArray(AEditValue) && VarArrayDimCount(AEditValue) != 1)
      ADisplayValue = Variant(String());
    else
      ADisplayValue = Variant(dxVariantToString(AEditValue));
    return;
  }
  if (VarIsSoftNull(AEditValue)) {
    ADisplayValue = Variant(String());
    return;
  }
  if (!VarIsNumericEx(AEditValue) && !VarIsStr(AEditValue))
    throw EConvertError(cxGetResourceString(cxSEditNumericValueConvertError));
  String text;
  if (AEditFocused) {
    bool isCurrency = false, isOnGetTextAssigned = false;
    String format;
    InternalGetEditFormat(isCurrency, isOnGetTextAssigned, format, nullptr);
    IcxEditDefaultValuesProvider* provider = IDefaultValuesProvider();
    const int precision = provider ? provider->DefaultPrecision() : 15;
    if (isCurrency) {
      text = TextEditFormatDecimal(VarToStr(AEditValue), true, precision, FormatSettings().CurrencyDecimals);
    } else if (!format.empty()) {
      text = FormatFloat(format, VarAsType(AEditValue, varDouble).AsDouble());
    } else {
      text = TextEditFormatDecimal(VarToStr(AEditValue), false, precision, 0);
      if (HasDigitGrouping(false)) InsertThousandSeparator(text);
    }
  } else {
    String format = DisplayFormat();
    text = format.empty() ? VarToStr(AEditValue)
                          : FormatFloat(format, VarAsType(AEditValue, varDouble).AsDouble());
  }
  ADisplayValue = Variant(text);
}

bool TcxCustomTextEditProperties::FindLookupText(const String& AText) {
  for (int i = 0, n = FLookupItems->Count(); i < n; ++i)
    if (SameText(FLookupItems->Get(i), AText)) return true;
  return false;
}

int32_t TcxCustomTextEditProperties::GetDefaultMaxLength() {
  IcxEditDefaultValuesProvider* provider = IDefaultValuesProvider();
  return provider ? provider->DefaultMaxLength() : 0;
}

void TcxCustomTextEditProperties::InternalGetEditFormat(bool& AIsCurrency, bool& AIsOnGetTextAssigned,
                                                        String& AFormat, TcxCustomEdit* AEdit) {
  AIsCurrency = false;
  AIsOnGetTextAssigned = false;
  AFormat.clear();
  if (AssignedValues()->EditFormat()) {
    AFormat = FEditFormat;
    return;
  }
  IcxEditDefaultValuesProvider* provider = IDefaultValuesProvider();
  if ((!AEdit || !AEdit->IsInplace()) && provider && provider->IsOnGetTextAssigned())
    AIsOnGetTextAssigned = true;
  if (provider) {
    String format = provider->DefaultEditFormat();
    if (!format.empty()) {
      AFormat = format;
      return;
    }
  }
  if (AssignedValues()->DisplayFormat()) {
    AFormat = DisplayFormat();
  } else if (provider && !provider->DefaultDisplayFormat().empty()) {
    AFormat = provider->DefaultDisplayFormat();
  } else if (!GetDefaultDisplayFormat().empty()) {
    AFormat = GetDefaultDisplayFormat();
  } else if (provider && !GetDisplayFormatOptions().Contains(dfoNoCurrencyValue)) {
    AIsCurrency = provider->IsCurrency();
  }
  if (!FUseDisplayFormatWhenEditing) AFormat.clear();
}

TClass TcxCustomTextEditProperties::GetLookupDataClass() {
  return TcxCustomTextEditLookupData::StaticClass();
}

bool TcxCustomTextEditProperties::UseSearchControl() {
  TcxEditEditingStyle style = GetEditingStyle();
  return !IsLookupEdit() && FIncrementalFiltering && (style == esEditList || style == esFixedList);
}

bool TcxCustomTextEditProperties::IsValueBoundDefined(TcxEditValueBound ABound) {
  const bool minAssigned = AssignedValues()->MinValue();
  const bool maxAssigned = AssignedValues()->MaxValue();
  if (minAssigned == maxAssigned) return MaxValue() > MinValue();
  return ABound == evbMin ? minAssigned : maxAssigned;
}

bool TcxCustomTextEditProperties::IsValueBoundsDefined() {
  return IsValueBoundDefined(evbMin) || IsValueBoundDefined(evbMax);
}

namespace {
void TextEditCheckCharsRegister(String& S, TEditCharCase ACharCase) {
  if (ACharCase == ecUpperCase)
    S = UpperCase(S);
  else if (ACharCase == ecLowerCase)
    S = LowerCase(S);
}
}  // namespace

void TcxCustomTextEditProperties::DisplayValueToDisplayText(String& AText) {
  if (FEchoMode == eemNormal) TextEditCheckCharsRegister(AText, FCharCase);
}

bool TcxCustomTextEditProperties::IsDisplayValueValid(Variant& ADisplayValue, bool) {
  String text = VarIsNull(ADisplayValue) ? String() : VarToStr(ADisplayValue);
  if (!text.empty()) {
    TcxEditEditingStyle style = GetEditingStyle();
    if ((style == esEditList || style == esFixedList) && UseLookupData() && !FindLookupText(text))
      return false;
  }
  TextEditCheckCharsRegister(text, FCharCase);
  ADisplayValue = Variant(text);
  return true;
}

void TcxCustomTextEditProperties::DoDisplayValueToDisplayText(bool AUseBullets, String& AText) {
  if (FEchoMode == eemPassword) {
    // One password character for each character the user sees (a surrogate pair is one).
    size_t count = 0;
    for (size_t i = 0; i < AText.size(); ++i) {
      if (AText[i] >= 0xD800 && AText[i] <= 0xDBFF && i + 1 < AText.size() && AText[i + 1] >= 0xDC00 &&
          AText[i + 1] <= 0xDFFF)
        ++i;
      ++count;
    }
    AText.assign(count, GetWindowsPasswordChar(AUseBullets, FPasswordChar));
  }
  DisplayValueToDisplayText(AText);
}

void TcxCustomTextEditProperties::GetDefaultDisplayValue(const Variant& AEditValue, bool AEditFocused,
                                                         Variant& ADisplayValue) {
  Variant value = AEditValue;
  if (IsEditValueValid(value, AEditFocused))
    PrepareDisplayValue(AEditValue, ADisplayValue, AEditFocused);
  else if (VarIsDate(AEditValue))
    ADisplayValue = Variant(DateTimeToStr(VarToDateTime(AEditValue)));
  else
    ADisplayValue = Variant(VarToStr(AEditValue));
}

bool TcxCustomTextEditProperties::CompareDisplayValues(const Variant& AEditValue1,
                                                       const Variant& AEditValue2) {
  return GetDisplayText(AEditValue1, true, true) == GetDisplayText(AEditValue2, true, true);
}

TcxEditSupportedOperations TcxCustomTextEditProperties::GetSupportedOperations() {
  TcxEditSupportedOperations result = TcxCustomEditProperties::GetSupportedOperations();
  result += TcxEditSupportedOperations{esoAutoHeight,    esoEditing,   esoFiltering,
                                       esoHorzAlignment, esoIncSearch, esoSorting};
  if (Buttons()->Count() == 0 && FEchoMode == eemNormal) result += esoEditingAutoHeight;
  return result;
}

String TcxCustomTextEditProperties::GetValidateErrorText(TcxEditErrorKind AErrorKind) {
  if (AErrorKind == ekValueOutOfBounds) return cxGetResourceString(cxSEditValueOutOfBounds);
  return TcxCustomEditProperties::GetValidateErrorText(AErrorKind);
}

TcxEditEditValueSource TcxCustomTextEditProperties::GetEditValueSource(bool AEditFocused) {
  if (AEditFocused || !FUseNullString) return evsText;
  return TcxCustomEditProperties::GetEditValueSource(AEditFocused);
}

bool TcxCustomTextEditProperties::IsEditValueValid(Variant& EditValue, bool AEditFocused) {
  if (VarIsNull(EditValue) || !VarIsStr(EditValue)) return true;
  return IsDisplayValueValid(EditValue, AEditFocused);
}

void TcxCustomTextEditProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                                                      bool AEditFocused) {
  if (IsEditValueEmpty(AEditValue) && FUseNullString && !AEditFocused && !IsDesigning())
    DisplayValue = Variant(FNullstring);
  else
    DoPrepareDisplayValue(AEditValue, DisplayValue, AEditFocused);
}

String TcxCustomTextEditProperties::GetDisplayText(const Variant& AEditValue, bool, bool AIsInplace) {
  String text;
  try {
    if (IsValueFormattedByProvider()) {
      text = VarToStr(AEditValue);
    } else {
      Variant displayValue;
      GetDefaultDisplayValue(AEditValue, !AIsInplace && !IsEditValueConversionDependOnFocused(),
                             displayValue);
      text = VarToStr(displayValue);
    }
  } catch (...) {
    DisplayValueToDisplayText(text);
    throw;
  }
  DisplayValueToDisplayText(text);
  return text;
}

void TcxCustomTextEditProperties::ValidateDisplayValue(Variant& ADisplayValue, String& AErrorText,
                                                       bool& AError, const TValidateHandler& AValidator,
                                                       const Variant* ACurrentDisplayValue) {
  if (IsEditValueNumeric() && IsValueBoundsDefined())
    CheckDisplayValueBounds(ADisplayValue, AErrorText, AError, ObjectCast<TcxCustomEdit>(Owner()));
  TcxCustomEditProperties::ValidateDisplayValue(ADisplayValue, AErrorText, AError, AValidator,
                                                ACurrentDisplayValue);
}

void TcxCustomTextEditProperties::DefineProperties(TFiler* Filer) {
  TcxCustomEditProperties::DefineProperties(Filer);
  // Written by older forms only: an assigned empty display format.
  Filer->DefineProperty(
      u"IsDisplayFormatAssigned",
      [this](TReader* Reader) { AssignedValues()->SetDisplayFormat(Reader->ReadBoolean()); }, nullptr, false);
}

void TcxCustomTextEditProperties::AlignmentChangedHandler(TObject* Sender) {
  BeginUpdate();
  try {
    TcxCustomEditProperties::AlignmentChangedHandler(Sender);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomTextEditProperties::BaseSetAlignment(TcxEditAlignment* Value) {
  BeginUpdate();
  try {
    TcxCustomEditProperties::BaseSetAlignment(Value);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomTextEditProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomEditProperties::DoAssign(Source);
  auto* src = ObjectCast<TcxCustomTextEditProperties>(Source);
  if (!src) return;
  SetCharCase(src->CharCase());
  SetEchoMode(src->EchoMode());
  SetFixedListSelection(src->FixedListSelection());
  SetHideCursor(src->HideCursor());
  SetHideSelection(src->HideSelection());
  SetImmediateUpdateText(src->ImmediateUpdateText());
  SetIncrementalSearch(src->IncrementalSearch());
  SetIncrementalFiltering(src->IncrementalFiltering());
  SetIncrementalFilteringOptions(src->IncrementalFilteringOptions());
  SetMRUMode(src->MRUMode());
  SetUseNullString(src->UseNullString());
  SetNullstring(src->Nullstring());
  SetValidChars(src->ValidChars());
  SetLookupItemsSorted(false);
  FLookupItems->Assign(src->FLookupItems);
  SetLookupItemsSorted(src->LookupItemsSorted());
  TcxTextEditPropertiesValues* values = AssignedValues();
  TcxTextEditPropertiesValues* srcValues = src->AssignedValues();
  values->SetDisplayFormat(false);
  if (srcValues->DisplayFormat()) SetDisplayFormat(src->DisplayFormat());
  values->SetEditFormat(false);
  if (srcValues->EditFormat()) SetEditFormat(src->FEditFormat);
  values->SetMaxLength(false);
  if (srcValues->MaxLength()) SetMaxLength(src->MaxLength());
  SetOEMConvert(src->OEMConvert());
  SetImeMode(src->ImeMode());
  SetImeName(src->ImeName());
  SetPasswordChar(src->PasswordChar());
  SetUseDisplayFormatWhenEditing(src->UseDisplayFormatWhenEditing());
  FOnNewLookupDisplayText = src->FOnNewLookupDisplayText;
}

void TcxCustomTextEditProperties::LookupItemsChanged(TObject* Sender) {
  LookupDataChanged(Sender);
}

// --- TcxTextEditProperties ---------------------------------------------------------------------

void TcxTextEditProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomTextEditProperties;
  using B = TcxCustomEditProperties;
  r.Prop("Alignment", &B::Alignment, &B::SetAlignment).Stored(&B::IsAlignmentStored);
  r.Prop("AssignedValues", &P::AssignedValues, &B::SetAssignedValues);
  r.Prop("AutoSelect", &B::AutoSelect, &B::SetAutoSelect).Default(true);
  r.Prop("BeepOnError", &B::BeepOnError, &B::SetBeepOnError).Default(false);
  r.Prop("CharCase", &P::CharCase, &P::SetCharCase, TextEditCharCaseTypeInfo()).Default(ecNormal);
  r.Prop("ClearKey", &B::ClearKey, &B::SetClearKey).Default(0);
  r.Prop("EchoMode", &P::EchoMode, &P::SetEchoMode, TextEditEchoModeTypeInfo()).Default(eemNormal);
  r.Prop("HideSelection", &P::HideSelection, &P::SetHideSelection).Default(true);
  r.Prop("ImeMode", &P::ImeMode, &P::SetImeMode, TextEditImeModeTypeInfo()).Default(imDontCare);
  r.Prop("ImeName", &P::ImeName, &P::SetImeName);
  r.Prop("IncrementalSearch", &P::IncrementalSearch, &P::SetIncrementalSearch).Default(true);
  r.Prop("LookupItems", &P::LookupItems, &P::SetLookupItems);
  r.Prop("LookupItemsSorted", &P::LookupItemsSorted, &P::SetLookupItemsSorted).Default(false);
  r.Prop("MaxLength", &P::MaxLength, &P::SetMaxLength).Stored(&P::IsMaxLengthStored);
  r.Prop("Nullstring", &P::Nullstring, &P::SetNullstring);
  r.Prop("OEMConvert", &P::OEMConvert, &P::SetOEMConvert).Default(false);
  r.Prop("PasswordChar", &P::PasswordChar, &P::SetPasswordChar).Default(0);
  r.Prop("ReadOnly", &B::ReadOnly, &B::SetReadOnly).Stored(&B::IsReadOnlyStored);
  r.Prop("UseLeftAlignmentOnEditing", &B::UseLeftAlignmentOnEditing, &B::SetUseLeftAlignmentOnEditing)
      .Stored(&B::IsUseLeftAlignmentOnEditingStored);
  r.Prop("UseNullString", &P::UseNullString, &P::SetUseNullString).Default(false);
  r.Prop("ValidateOnEnter", &B::ValidateOnEnter, &B::SetValidateOnEnter).Default(false);
  r.Prop("ValidationErrorIconAlignment", &B::ValidationErrorIconAlignment,
         &B::SetValidationErrorIconAlignment, TypeInfoTAlignment())
      .Default(taLeftJustify);
  r.Prop("ValidationOptions", &B::ValidationOptions, &B::SetValidationOptions,
         TextEditValidationOptionsTypeInfo())
      .Default(1);
  r.Event("OnChange", &B::OnChange, &B::SetOnChange);
  r.Event("OnEditValueChanged", &B::OnEditValueChanged, &B::SetOnEditValueChanged);
  r.Event("OnNewLookupDisplayText", &P::OnNewLookupDisplayText, &P::SetOnNewLookupDisplayText);
  r.Event("OnValidate", &B::OnValidate, &B::SetOnValidate);
}

}  // namespace qd

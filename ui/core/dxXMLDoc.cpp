// The XML document model: nodes, attributes, typed accessors, date-times and loading.
#include "ui/core/dxXMLDoc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/base/variant.h"
#include "platform/classes/streams.h"

namespace qd {

QD_IMPLEMENT_CLASS(EdxXMLUnexpectedToken)
QD_IMPLEMENT_CLASS(TdxXMLNodeAttribute)
QD_IMPLEMENT_CLASS(TdxXMLNodeAttributes)
QD_IMPLEMENT_CLASS(TdxXMLNodes)
QD_IMPLEMENT_CLASS(TdxXMLNode)
QD_IMPLEMENT_CLASS(TdxXMLDocument)

namespace {

constexpr std::string_view sXMLBoolValues[2] = {"false", "true"};

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

[[noreturn]] void RaiseInvalidInteger(const TdxXMLString& AValue) {
  throw EConvertError(u"'" + dxXMLStringToString(AValue) + u"' is not a valid integer value");
}

[[noreturn]] void RaiseUnexpectedToken(std::string_view AToken, std::string_view AText) {
  throw EdxXMLUnexpectedToken(u"Unexpected token was founded (\"" + dxXMLStringToString(AToken) +
                              u"\" in \"" + dxXMLStringToString(AText) + u"\")");
}

template <class T>
T ParseIntegerValue(const TdxXMLString& AValue) {
  const String text = dxXMLStringToString(AValue);
  if constexpr (sizeof(T) == 4) {
    int32_t v;
    if (TryStrToInt(text, v)) return v;
  } else {
    int64_t v;
    if (TryStrToInt64(text, v)) return v;
  }
  if (dxXMLSameText(AValue, sXMLBoolValues[0])) return 0;
  if (dxXMLSameText(AValue, sXMLBoolValues[1])) return 1;
  RaiseInvalidInteger(AValue);
}

TdxXMLString IntegerText(int64_t AValue) {
  return std::to_string(AValue);
}

// Conversions with "." as the decimal separator and otherwise neutral settings.
const TFormatSettings& PointFormatSettings() {
  static const TFormatSettings settings = [] {
    TFormatSettings fs = TFormatSettings::Invariant();
    fs.DecimalSeparator = u'.';
    return fs;
  }();
  return settings;
}

}  // namespace

// --- Strings -----------------------------------------------------------------------

TdxXMLString dxStringToXMLString(StringView S) {
  return StringToUtf8(S);
}

String dxXMLStringToString(std::string_view S) {
  return Utf8ToString(S);
}

bool dxXMLSameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i)
    if (AsciiLower(A[i]) != AsciiLower(B[i])) return false;
  return true;
}

// --- Helper ------------------------------------------------------------------------

bool TdxXMLHelper::DecodeBoolean(std::string_view S) {
  int32_t v;
  if (TryStrToInt(dxXMLStringToString(S), v)) return v != 0;
  return dxXMLSameText(S, sXMLBoolValues[1]);
}

TdxXMLString TdxXMLHelper::EncodeBoolean(bool AValue) {
  return TdxXMLString(sXMLBoolValues[AValue ? 1 : 0]);
}

bool TdxXMLHelper::IsBoolean(std::string_view S) {
  return dxXMLSameText(S, sXMLBoolValues[0]) || dxXMLSameText(S, sXMLBoolValues[1]);
}

TdxXMLString TdxXMLHelper::ExtractNameScope(std::string_view S) {
  const size_t p = S.rfind(':');
  return p == std::string_view::npos ? TdxXMLString() : TdxXMLString(S.substr(0, p + 1));
}

TdxXMLString TdxXMLHelper::ExtractNameWithoutNameScope(std::string_view S) {
  const size_t p = S.rfind(':');
  return TdxXMLString(p == std::string_view::npos ? S : S.substr(p + 1));
}

// --- Date-time ---------------------------------------------------------------------

void TdxXMLDateTime::Assign(TDateTime AValue, bool AIsUTC) {
  int y, m, d, h, n, s, ms;
  DecodeDate(AValue, y, m, d);
  DecodeTime(AValue, h, n, s, ms);
  Year = static_cast<uint16_t>(y);
  Month = static_cast<uint16_t>(m);
  Day = static_cast<uint16_t>(d);
  Hour = static_cast<uint16_t>(h);
  Minute = static_cast<uint16_t>(n);
  Second = static_cast<uint16_t>(s);
  Millisecond = static_cast<uint16_t>(ms);
  IsUTC = AIsUTC;
}

void TdxXMLDateTime::Parse(std::string_view S) {
  Clear();
  size_t pos = 0;
  char delimiter = '\0';
  // A run of digits ended by the next non-digit (the delimiter) or by the end of S.
  auto readRun = [&](std::string_view& ADigits) {
    const size_t start = pos;
    while (pos < S.size() && S[pos] >= '0' && S[pos] <= '9') ++pos;
    ADigits = S.substr(start, pos - start);
    if (pos < S.size()) {
      delimiter = S[pos];
      ++pos;
    } else {
      delimiter = '\0';
    }
  };
  auto readNumber = [&]() -> uint16_t {
    std::string_view digits;
    readRun(digits);
    // An integer conversion with a default of 0, stored into a 16-bit field.
    int64_t v = 0;
    for (char c : digits) {
      v = v * 10 + (c - '0');
      if (v > INT32_MAX) return 0;
    }
    return static_cast<uint16_t>(v);
  };
  auto expect = [&](char ADelimiter) {
    if (delimiter != ADelimiter) RaiseUnexpectedToken(delimiter ? std::string(1, delimiter) : "#0", S);
  };

  Year = readNumber();
  expect('-');
  Month = readNumber();
  expect('-');
  Day = readNumber();
  if (delimiter == 'T') {
    Hour = readNumber();
    expect(':');
    Minute = readNumber();
    expect(':');
    Second = readNumber();
    if (delimiter == '.') {
      std::string_view digits;
      readRun(digits);
      // Fifteen digits are far more than milliseconds need.
      if (digits.size() > 15) digits = digits.substr(0, 15);
      double fraction = 0;
      for (char c : digits) fraction = fraction * 10 + (c - '0');
      if (!digits.empty()) {
        const double ms = fraction * 1000 / std::pow(10.0, static_cast<double>(digits.size()));
        // A fraction that rounds up to a whole second stays in this second.
        Millisecond = static_cast<uint16_t>(std::min<double>(std::nearbyint(ms), 999));
      }
    }
  }
  if (delimiter == '+' || delimiter == '-') {
    const double sign = delimiter == '+' ? 1 : -1;
    const uint16_t hours = readNumber();
    uint16_t minutes = 0;
    if (delimiter == ':') minutes = readNumber();
    const TDateTime local = ToDateTime();
    Assign(local - sign * (hours * 60.0 + minutes) / (24.0 * 60.0), true);
  } else if (delimiter == 'Z') {
    std::string_view rest;
    readRun(rest);
    IsUTC = true;
  }
  expect('\0');
}

TDateTime TdxXMLDateTime::ToDateTime() const {
  return EncodeDate(Year, Month, Day) + EncodeTime(Hour, Minute, Second, Millisecond);
}

TdxXMLString TdxXMLDateTime::ToString() const {
  TdxXMLDateTime t;
  t.Assign(ToDateTime(), IsUTC);
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%04u-%02u-%02uT%02u:%02u:%02u.%03u%s", t.Year, t.Month, t.Day,
                t.Hour, t.Minute, t.Second, t.Millisecond, IsUTC ? "Z" : "");
  return buffer;
}

// --- Attribute ---------------------------------------------------------------------

String TdxXMLNodeAttribute::ValueAsString() const {
  return dxXMLStringToString(FValue);
}
void TdxXMLNodeAttribute::SetValueAsString(StringView AValue) {
  FValue = dxStringToXMLString(AValue);
}
int32_t TdxXMLNodeAttribute::ValueAsInteger() const {
  return ParseIntegerValue<int32_t>(FValue);
}
void TdxXMLNodeAttribute::SetValueAsInteger(int32_t AValue) {
  FValue = IntegerText(AValue);
}
int64_t TdxXMLNodeAttribute::ValueAsInt64() const {
  return ParseIntegerValue<int64_t>(FValue);
}
void TdxXMLNodeAttribute::SetValueAsInt64(int64_t AValue) {
  FValue = IntegerText(AValue);
}
double TdxXMLNodeAttribute::ValueAsFloat() const {
  return StrToFloat(dxXMLStringToString(FValue), PointFormatSettings());
}
void TdxXMLNodeAttribute::SetValueAsFloat(double AValue) {
  FValue = dxStringToXMLString(FloatToStr(AValue, PointFormatSettings()));
}
bool TdxXMLNodeAttribute::ValueAsBoolean() const {
  return TdxXMLHelper::DecodeBoolean(FValue);
}
void TdxXMLNodeAttribute::SetValueAsBoolean(bool AValue) {
  SetValueAsInteger(AValue ? 1 : 0);
}

TDateTime TdxXMLNodeAttribute::ValueAsDateTime() const {
  TdxXMLDateTime dt;
  dt.Parse(FValue);
  return dt.ToDateTime();
}

void TdxXMLNodeAttribute::SetValueAsDateTime(TDateTime AValue) {
  TdxXMLDateTime dt;
  dt.Assign(AValue, false);
  FValue = dt.ToString();
}

// --- Attribute list ----------------------------------------------------------------

TcxDoublyLinkedObject* TdxXMLNodeAttributes::CreateLinkedObject() {
  return new TdxXMLNodeAttribute();
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(std::string_view AName) {
  auto* attr = static_cast<TdxXMLNodeAttribute*>(TcxDoublyLinkedObjectList::Add());
  attr->SetName(TdxXMLString(AName));
  return attr;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(std::string_view AName, bool AValue) {
  TdxXMLNodeAttribute* attr = Add(AName);
  attr->SetValueAsBoolean(AValue);
  return attr;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(std::string_view AName, int32_t AValue) {
  TdxXMLNodeAttribute* attr = Add(AName);
  attr->SetValueAsInteger(AValue);
  return attr;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(std::string_view AName, int64_t AValue) {
  TdxXMLNodeAttribute* attr = Add(AName);
  attr->SetValueAsInt64(AValue);
  return attr;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(std::string_view AName, double AValue) {
  TdxXMLNodeAttribute* attr = Add(AName);
  attr->SetValueAsFloat(AValue);
  return attr;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(std::string_view AName, const TdxXMLString& AValue) {
  TdxXMLNodeAttribute* attr = Add(AName);
  attr->SetValue(AValue);
  return attr;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(std::string_view AName, const char* AValue) {
  return Add(AName, TdxXMLString(AValue ? AValue : ""));
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(std::string_view AName, StringView AValue) {
  TdxXMLNodeAttribute* attr = Add(AName);
  attr->SetValueAsString(AValue);
  return attr;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(std::string_view AName, const Char* AValue) {
  return Add(AName, AValue ? StringView(AValue) : StringView());
}

void TdxXMLNodeAttributes::Assign(const TdxXMLNodeAttributes& ASource) {
  if (&ASource == this) return;
  Clear();
  for (TdxXMLNodeAttribute* a = ASource.First(); a; a = a->Next()) Add(a->Name(), a->Value());
}

void TdxXMLNodeAttributes::Delete(std::string_view AName) {
  if (TdxXMLNodeAttribute* attr = Find(AName)) TcxDoublyLinkedObjectList::Delete(attr);
}

bool TdxXMLNodeAttributes::Exists(std::string_view AName) const {
  return Find(AName) != nullptr;
}

bool TdxXMLNodeAttributes::Find(std::string_view AName, TdxXMLNodeAttribute*& AAttr) const {
  AAttr = Find(AName);
  return AAttr != nullptr;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Find(std::string_view AName) const {
  for (TdxXMLNodeAttribute* a = First(); a; a = a->Next())
    if (dxXMLSameText(a->Name(), AName)) return a;
  return nullptr;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::GetAttr(std::string_view AName) {
  TdxXMLNodeAttribute* attr = Find(AName);
  return attr ? attr : Add(AName);
}

TdxXMLString TdxXMLNodeAttributes::GetValue(std::string_view AName, const TdxXMLString& ADefault) const {
  const TdxXMLNodeAttribute* attr = Find(AName);
  return attr ? attr->Value() : ADefault;
}

String TdxXMLNodeAttributes::GetValueAsString(std::string_view AName, StringView ADefault) const {
  const TdxXMLNodeAttribute* attr = Find(AName);
  return attr ? attr->ValueAsString() : String(ADefault);
}

bool TdxXMLNodeAttributes::GetValueAsBoolean(std::string_view AName, bool ADefault) const {
  const TdxXMLNodeAttribute* attr = Find(AName);
  return attr ? attr->ValueAsBoolean() : ADefault;
}

TDateTime TdxXMLNodeAttributes::GetValueAsDateTime(std::string_view AName, TDateTime ADefault) const {
  const TdxXMLNodeAttribute* attr = Find(AName);
  return attr ? attr->ValueAsDateTime() : ADefault;
}

bool TdxXMLNodeAttributes::GetValueAsDateTime(std::string_view AName, TdxXMLDateTime& ADateTime) const {
  const TdxXMLNodeAttribute* attr = Find(AName);
  if (attr) ADateTime.Parse(attr->Value());
  return attr != nullptr;
}

TdxDefaultBoolean TdxXMLNodeAttributes::GetValueAsDefaultBoolean(std::string_view AName) const {
  const TdxXMLNodeAttribute* attr = Find(AName);
  if (!attr) return bDefault;
  return attr->ValueAsBoolean() ? bTrue : bFalse;
}

double TdxXMLNodeAttributes::GetValueAsFloat(std::string_view AName, double ADefault) const {
  const TdxXMLNodeAttribute* attr = Find(AName);
  return attr ? attr->ValueAsFloat() : ADefault;
}

int32_t TdxXMLNodeAttributes::GetValueAsInteger(std::string_view AName, int32_t ADefault) const {
  const TdxXMLNodeAttribute* attr = Find(AName);
  if (!attr) return ADefault;
  try {
    return attr->ValueAsInteger();
  } catch (const EConvertError&) {
    return ADefault;
  }
}

int64_t TdxXMLNodeAttributes::GetValueAsInt64(std::string_view AName, int64_t ADefault) const {
  const TdxXMLNodeAttribute* attr = Find(AName);
  if (!attr) return ADefault;
  try {
    return attr->ValueAsInt64();
  } catch (const EConvertError&) {
    return ADefault;
  }
}

void TdxXMLNodeAttributes::SetValue(std::string_view AName, const TdxXMLString& AValue) {
  GetAttr(AName)->SetValue(AValue);
}
void TdxXMLNodeAttributes::SetValueAsString(std::string_view AName, StringView AValue) {
  GetAttr(AName)->SetValueAsString(AValue);
}
void TdxXMLNodeAttributes::SetValueAsBoolean(std::string_view AName, bool AValue) {
  GetAttr(AName)->SetValueAsBoolean(AValue);
}
void TdxXMLNodeAttributes::SetValueAsDateTime(std::string_view AName, TDateTime AValue) {
  GetAttr(AName)->SetValueAsDateTime(AValue);
}
void TdxXMLNodeAttributes::SetValueAsDateTime(std::string_view AName, const TdxXMLDateTime& AValue) {
  GetAttr(AName)->SetValue(AValue.ToString());
}
void TdxXMLNodeAttributes::SetValueAsFloat(std::string_view AName, double AValue) {
  GetAttr(AName)->SetValueAsFloat(AValue);
}
void TdxXMLNodeAttributes::SetValueAsInteger(std::string_view AName, int32_t AValue) {
  GetAttr(AName)->SetValueAsInteger(AValue);
}
void TdxXMLNodeAttributes::SetValueAsInt64(std::string_view AName, int64_t AValue) {
  GetAttr(AName)->SetValueAsInt64(AValue);
}

void TdxXMLNodeAttributes::SetValueAsDefaultBoolean(std::string_view AName, TdxDefaultBoolean AValue) {
  if (AValue == bDefault)
    Delete(AName);
  else
    SetValue(AName, AValue == bTrue ? "1" : "0");
}

// --- Node list ---------------------------------------------------------------------

TdxXMLNode* TdxXMLNodes::First() const {
  return static_cast<TdxXMLNode*>(FFirst);
}
TdxXMLNode* TdxXMLNodes::Last() const {
  return static_cast<TdxXMLNode*>(FLast);
}

// --- Node --------------------------------------------------------------------------

TdxXMLNode::TdxXMLNode() = default;

TdxXMLNode::~TdxXMLNode() {
  if (FParent && FParent->FChildren) FParent->FChildren->Extract(this);
  FreeDescendants();
}

TdxXMLNodeAttributes* TdxXMLNode::CreateAttributes() {
  return new TdxXMLNodeAttributes(this);
}

TdxXMLNodeAttributes& TdxXMLNode::Attributes() const {
  if (!FAttributes) FAttributes.reset(const_cast<TdxXMLNode*>(this)->CreateAttributes());
  return *FAttributes;
}

bool TdxXMLNode::GetIsEmpty() const {
  return (!FAttributes || !FAttributes->First()) && !HasChildren() && FText.empty();
}

TClass TdxXMLNode::GetNodeClass() const {
  return ClassType();
}

void TdxXMLNode::ChildrenNeeded() {
  if (!FChildren) FChildren = std::make_unique<TdxXMLNodes>();
}

// Frees the subtree bottom-up without recursion: always the last leaf below this node.
void TdxXMLNode::FreeDescendants() {
  TdxXMLNode* node = this;
  for (;;) {
    TdxXMLNode* last = node->Last();
    if (last) {
      node = last;
      continue;
    }
    if (node == this) break;
    TdxXMLNode* parent = node->FParent;
    delete node;
    node = parent;
  }
  FChildren.reset();
}

TdxXMLNode* TdxXMLNode::AddChild(std::string_view ATagName) {
  ChildrenNeeded();
  const TClass nodeClass = GetNodeClass();
  TdxXMLNode* child = nullptr;
  if (nodeClass == TdxXMLNode::StaticClass()) {
    child = new TdxXMLNode();
  } else {
    TObject* created = nodeClass->Create(nullptr);
    child = dynamic_cast<TdxXMLNode*>(created);
    if (!child) {
      delete created;
      child = new TdxXMLNode();
    }
  }
  FChildren->DoAdd(child);
  child->FParent = this;
  child->FName.assign(ATagName);
  return child;
}

void TdxXMLNode::Clear() {
  if (FAttributes) FAttributes->Clear();
  FreeDescendants();
}

void TdxXMLNode::Assign(const TdxXMLNode& ASource) {
  if (&ASource == this) return;
  for (const TdxXMLNode* p = FParent; p; p = p->FParent) {
    if (p == &ASource) {
      // The source contains this node: copy it aside first.
      TdxXMLNode copy;
      copy.Assign(ASource);
      Assign(copy);
      return;
    }
  }
  Clear();
  FName = ASource.FName;
  if (ASource.FAttributes) Attributes().Assign(*ASource.FAttributes);
  std::vector<std::pair<const TdxXMLNode*, TdxXMLNode*>> pending{{&ASource, this}};
  while (!pending.empty()) {
    auto [source, target] = pending.back();
    pending.pop_back();
    for (const TdxXMLNode* child = source->First(); child; child = child->Next()) {
      TdxXMLNode* copy = target->AddChild({});
      copy->FName = child->FName;
      if (child->FAttributes) copy->Attributes().Assign(*child->FAttributes);
      if (child->HasChildren()) pending.emplace_back(child, copy);
    }
  }
}

bool TdxXMLNode::FindChild(std::string_view AName, TdxXMLNode*& ANode) const {
  for (TdxXMLNode* child = First(); child; child = child->Next()) {
    if (dxXMLSameText(child->FName, AName)) {
      ANode = child;
      return true;
    }
  }
  ANode = nullptr;
  return false;
}

TdxXMLNode* TdxXMLNode::FindChild(std::string_view AName) const {
  TdxXMLNode* node;
  return FindChild(AName, node) ? node : nullptr;
}

bool TdxXMLNode::FindChild(const std::vector<TdxXMLString>& ANames, TdxXMLNode*& ANode, bool ACanCreate) {
  ANode = nullptr;
  if (ANames.empty()) return false;
  TdxXMLNode* node = this;
  for (const TdxXMLString& name : ANames) {
    TdxXMLNode* child;
    if (!node->FindChild(name, child)) {
      if (!ACanCreate) return false;
      child = node->AddChild(name);
    }
    node = child;
  }
  ANode = node;
  return true;
}

void TdxXMLNode::ForEach(const TdxXMLNodeForEachProc& AProc, void* AUserData) {
  for (TdxXMLNode* child = First(); child;) {
    TdxXMLNode* next = child->Next();
    AProc(child, AUserData);
    child = next;
  }
}

String TdxXMLNode::GetChildValue(std::string_view AName) const {
  const TdxXMLNode* child = FindChild(AName);
  return child ? child->TextAsString() : String();
}

bool TdxXMLNode::HasAttribute(std::string_view AName) const {
  return FAttributes && FAttributes->Exists(AName);
}

void TdxXMLNode::SetAttribute(std::string_view AName, const Variant& AValue) {
  Attributes().SetValueAsString(AName, dxVariantToString(AValue));
}

int32_t TdxXMLNode::Count() const {
  int32_t n = 0;
  for (TdxXMLNode* child = First(); child; child = child->Next()) ++n;
  return n;
}

TdxXMLNode* TdxXMLNode::First() const {
  return FChildren ? FChildren->First() : nullptr;
}
TdxXMLNode* TdxXMLNode::Last() const {
  return FChildren ? FChildren->Last() : nullptr;
}

int32_t TdxXMLNode::Index() const {
  if (!FParent) return -1;
  int32_t i = 0;
  for (TdxXMLNode* n = FParent->First(); n; n = n->Next(), ++i)
    if (n == this) return i;
  return -1;
}

TdxXMLNode* TdxXMLNode::Items(int32_t AIndex) const {
  if (AIndex >= 0) {
    int32_t i = 0;
    for (TdxXMLNode* n = First(); n; n = n->Next(), ++i)
      if (i == AIndex) return n;
  }
  RaiseListIndexError(AIndex);
}

int32_t TdxXMLNode::Level() const {
  int32_t level = -1;
  for (const TdxXMLNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

String TdxXMLNode::NameAsString() const {
  return dxXMLStringToString(FName);
}
void TdxXMLNode::SetNameAsString(StringView AValue) {
  FName = dxStringToXMLString(AValue);
}
TdxXMLString TdxXMLNode::NameScope() const {
  return TdxXMLHelper::ExtractNameScope(FName);
}
TdxXMLString TdxXMLNode::NameWithoutNameScope() const {
  return TdxXMLHelper::ExtractNameWithoutNameScope(FName);
}
String TdxXMLNode::TextAsString() const {
  return dxXMLStringToString(FText);
}
void TdxXMLNode::SetTextAsString(StringView AValue) {
  FText = dxStringToXMLString(AValue);
}
bool TdxXMLNode::TextAsBoolean() const {
  return TdxXMLHelper::DecodeBoolean(FText);
}
void TdxXMLNode::SetTextAsBoolean(bool AValue) {
  FText = TdxXMLHelper::EncodeBoolean(AValue);
}

TDateTime TdxXMLNode::TextAsDateTime() const {
  TdxXMLDateTime dt;
  dt.Parse(FText);
  return dt.ToDateTime();
}

void TdxXMLNode::SetTextAsDateTime(TDateTime AValue) {
  TdxXMLDateTime dt;
  dt.Assign(AValue, false);
  FText = dt.ToString();
}

// --- Document ----------------------------------------------------------------------

TdxXMLDocument::TdxXMLDocument(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {}

TdxXMLDocument::~TdxXMLDocument() = default;

std::unique_ptr<TdxXMLDocument> TdxXMLDocument::CreateEx(const String& AFileName) {
  auto doc = std::make_unique<TdxXMLDocument>(nullptr);
  doc->LoadFromFile(AFileName);
  return doc;
}

TdxXMLNode* TdxXMLDocument::Root() const {
  if (!FRoot) FRoot = const_cast<TdxXMLDocument*>(this)->CreateRootNode();
  return FRoot.get();
}

// Names and values are value strings here, so interning them would save no memory; the
// document's parser does without the string table.
std::unique_ptr<TdxXMLParser> TdxXMLDocument::CreateParser() {
  return std::make_unique<TdxXMLParser>(this);
}

std::unique_ptr<TdxXMLNode> TdxXMLDocument::CreateRootNode() {
  return std::make_unique<TdxXMLNode>();
}

TdxXMLNode* TdxXMLDocument::AddChild(std::string_view ATagName) {
  return Root()->AddChild(ATagName);
}

bool TdxXMLDocument::FindChild(std::string_view AName, TdxXMLNode*& ANode) const {
  return Root()->FindChild(AName, ANode);
}

bool TdxXMLDocument::FindChild(const std::vector<TdxXMLString>& ANames, TdxXMLNode*& ANode) const {
  return Root()->FindChild(ANames, ANode, false);
}

TdxXMLNode* TdxXMLDocument::FindChild(const std::vector<TdxXMLString>& ANames) const {
  TdxXMLNode* node;
  return FindChild(ANames, node) ? node : nullptr;
}

void TdxXMLDocument::ForEach(const std::vector<TdxXMLString>& ANames, const TdxXMLNodeForEachProc& AProc,
                             void* AUserData) {
  if (TdxXMLNode* node = FindChild(ANames)) node->ForEach(AProc, AUserData);
}

void TdxXMLDocument::ParseBuffer(const void* AData, size_t ACount) {
  BeginUpdate();
  try {
    Root()->Clear();
    if (ACount > 0) CreateParser()->Parse(AData, ACount);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxXMLDocument::LoadFromFile(const String& AFileName) {
  TFileStream stream(AFileName, fmOpenRead | fmShareDenyNone);
  LoadFromStream(stream);
}

void TdxXMLDocument::LoadFromStream(TStream& AStream) {
  const int64_t count = AStream.Size() - AStream.Position();
  TBytes buffer;
  if (count > 0) {
    buffer.resize(static_cast<size_t>(count));
    AStream.ReadBuffer(buffer.data(), count);
  }
  ParseBuffer(buffer.data(), buffer.size());
}

void TdxXMLDocument::LoadFromString(const TdxXMLString& AString) {
  ParseBuffer(AString.data(), AString.size());
}

}  // namespace qd

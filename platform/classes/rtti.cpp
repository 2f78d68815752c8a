#include "platform/classes/rtti.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/base/strings.h"
#include "platform/classes/classes.h"

namespace qd {

QD_IMPLEMENT_CLASS(EPropertyError)
QD_IMPLEMENT_CLASS(EPropertyConvertError)

namespace {

struct ClassEntry {
  std::vector<std::unique_ptr<TPropInfo>> props;
  std::vector<TPublishedMethod> methods;
  std::vector<TPublishedField> fields;
};

struct PropertyTables {
  std::recursive_mutex lock;
  std::map<TClass, ClassEntry> classes;
  std::map<TClass, std::unique_ptr<TTypeInfo>> classTypes;
};

PropertyTables& PropertyTablesOf() {
  static PropertyTables r;
  return r;
}

const TTypeInfo* Simple(TTypeInfo& t) {
  return &t;
}

void Ensure(const TObject* Instance) {
  if (auto* p = dynamic_cast<const TPersistent*>(Instance)) p->EnsurePublished();
}

[[noreturn]] void Unknown(const String& name) {
  throw EPropertyError(u"Property " + name + u" does not exist");
}

[[noreturn]] void WrongType(const TPropInfo* p) {
  throw EPropertyConvertError(u"Invalid property type: " + (p->PropType ? p->PropType->Name : String(u"?")));
}

const TPropInfo* Need(TObject* Instance, const String& name) {
  const TPropInfo* p = GetPropInfo(Instance, name);
  if (!p) Unknown(name);
  return p;
}

}  // namespace

// --- types ------------------------------------------------------------------------------

const TTypeInfo* TypeInfoInteger() {
  static TTypeInfo t{u"Integer", tkInteger, {}, INT32_MIN, INT32_MAX, nullptr, nullptr};
  return Simple(t);
}
const TTypeInfo* TypeInfoInt64() {
  static TTypeInfo t{u"Int64", tkInt64, {}, INT64_MIN, INT64_MAX, nullptr, nullptr};
  return Simple(t);
}
const TTypeInfo* TypeInfoCardinal() {
  static TTypeInfo t{u"Cardinal", tkInteger, {}, 0, UINT32_MAX, nullptr, nullptr};
  return Simple(t);
}
const TTypeInfo* TypeInfoBoolean() {
  static TTypeInfo t{u"Boolean", tkEnumeration, {u"False", u"True"}, 0, 1, nullptr, nullptr};
  return Simple(t);
}
const TTypeInfo* TypeInfoDouble() {
  static TTypeInfo t{u"Double", tkFloat, {}, 0, 0, nullptr, nullptr};
  return Simple(t);
}
const TTypeInfo* TypeInfoString() {
  static TTypeInfo t{u"string", tkUString, {}, 0, 0, nullptr, nullptr};
  return Simple(t);
}
const TTypeInfo* TypeInfoWChar() {
  static TTypeInfo t{u"Char", tkWChar, {}, 0, 0xFFFF, nullptr, nullptr};
  return Simple(t);
}
const TTypeInfo* TypeInfoVariant() {
  static TTypeInfo t{u"Variant", tkVariant, {}, 0, 0, nullptr, nullptr};
  return Simple(t);
}
const TTypeInfo* TypeInfoMethod() {
  static TTypeInfo t{u"TMethod", tkMethod, {}, 0, 0, nullptr, nullptr};
  return Simple(t);
}

TTypeInfo MakeEnumTypeInfo(const String& Name, std::initializer_list<const Char*> Names, int64_t MinValue) {
  TTypeInfo t;
  t.Name = Name;
  t.Kind = tkEnumeration;
  for (const Char* n : Names) t.EnumNames.emplace_back(n);
  t.MinValue = MinValue;
  t.MaxValue = MinValue + static_cast<int64_t>(t.EnumNames.size()) - 1;
  return t;
}

TTypeInfo MakeSetTypeInfo(const String& Name, const TTypeInfo* Element) {
  TTypeInfo t;
  t.Name = Name;
  t.Kind = tkSet;
  t.CompType = Element;
  return t;
}

const TTypeInfo* ClassTypeInfo(TClass c) {
  auto& r = PropertyTablesOf();
  std::lock_guard g(r.lock);
  auto& slot = r.classTypes[c];
  if (!slot) {
    slot = std::make_unique<TTypeInfo>();
    slot->Name = c->ClassName();
    slot->Kind = tkClass;
    slot->ClassType = c;
  }
  return slot.get();
}

String GetEnumName(const TTypeInfo* TypeInfo, int64_t Value) {
  if (!TypeInfo || Value < TypeInfo->MinValue || Value > TypeInfo->MaxValue) return {};
  size_t i = static_cast<size_t>(Value - TypeInfo->MinValue);
  return i < TypeInfo->EnumNames.size() ? TypeInfo->EnumNames[i] : String();
}

int64_t GetEnumValue(const TTypeInfo* TypeInfo, const String& Name) {
  if (!TypeInfo) return -1;
  for (size_t i = 0; i < TypeInfo->EnumNames.size(); ++i)
    if (SameText(TypeInfo->EnumNames[i], Name)) return TypeInfo->MinValue + static_cast<int64_t>(i);
  return -1;
}

String SetToString(const TTypeInfo* SetType, uint64_t Value, bool Brackets) {
  String r;
  const TTypeInfo* e = SetType ? SetType->CompType : nullptr;
  for (int i = 0; i < 64; ++i) {
    if (!(Value & (uint64_t{1} << i))) continue;
    String n = GetEnumName(e, i);
    if (n.empty()) n = IntToStr(i);
    if (!r.empty()) r += u",";
    r += n;
  }
  return Brackets ? u"[" + r + u"]" : r;
}

uint64_t StringToSet(const TTypeInfo* SetType, const String& Value) {
  const TTypeInfo* e = SetType ? SetType->CompType : nullptr;
  String s = Trim(Value);
  if (!s.empty() && s.front() == u'[') s = s.substr(1);
  if (!s.empty() && s.back() == u']') s.pop_back();
  uint64_t r = 0;
  size_t i = 0;
  while (i <= s.size()) {
    size_t j = s.find(u',', i);
    if (j == String::npos) j = s.size();
    String name = Trim(StringView(s).substr(i, j - i));
    if (!name.empty()) {
      int64_t v = GetEnumValue(e, name);
      if (v < 0 || v > 63) throw EPropertyConvertError(u"Invalid property element: " + name);
      r |= uint64_t{1} << v;
    }
    i = j + 1;
  }
  return r;
}

// --- registration -------------------------------------------------------------------------

String TPropertyRegistrar::Utf8Name(const char* s) {
  return Utf8ToString(s);
}

TPropInfo* TPropertyRegistrar::AddProp(TPropInfo&& p) {
  auto& r = PropertyTablesOf();
  std::lock_guard g(r.lock);
  p.Declarer = class_;
  auto& props = r.classes[class_].props;
  for (auto& existing : props)
    if (SameText(existing->Name, p.Name)) {
      *existing = std::move(p);
      return existing.get();
    }
  props.push_back(std::make_unique<TPropInfo>(std::move(p)));
  return props.back().get();
}

void TPropertyRegistrar::AddMethod(TPublishedMethod&& m) {
  auto& r = PropertyTablesOf();
  std::lock_guard g(r.lock);
  r.classes[class_].methods.push_back(std::move(m));
}

void TPropertyRegistrar::AddField(TPublishedField&& f) {
  auto& r = PropertyTablesOf();
  std::lock_guard g(r.lock);
  r.classes[class_].fields.push_back(std::move(f));
}

void RegisterPublishedClass(TClass c, void (*Register)(TPropertyRegistrar&)) {
  auto& r = PropertyTablesOf();
  std::lock_guard g(r.lock);
  if (r.classes.count(c)) return;
  r.classes[c];  // marks the class as registered before its function runs
  TPropertyRegistrar reg(c);
  Register(reg);
}

// --- look-ups ------------------------------------------------------------------------------

const TPropInfo* GetPropInfo(TClass AClass, const String& PropName) {
  auto& r = PropertyTablesOf();
  std::lock_guard g(r.lock);
  for (TClass c = AClass; c; c = c->parent) {
    auto it = r.classes.find(c);
    if (it == r.classes.end()) continue;
    for (auto& p : it->second.props)
      if (SameText(p->Name, PropName)) return p.get();
  }
  return nullptr;
}

const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName) {
  if (!Instance) return nullptr;
  Ensure(Instance);
  return GetPropInfo(Instance->ClassType(), PropName);
}

std::vector<const TPropInfo*> GetPropList(TClass AClass) {
  auto& r = PropertyTablesOf();
  std::lock_guard g(r.lock);
  std::vector<TClass> chain;
  for (TClass c = AClass; c; c = c->parent) chain.push_back(c);
  std::vector<const TPropInfo*> list;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    auto e = r.classes.find(*it);
    if (e == r.classes.end()) continue;
    for (auto& p : e->second.props) {
      bool replaced = false;
      for (auto& q : list)
        if (SameText(q->Name, p->Name)) {
          q = p.get();
          replaced = true;
        }
      if (!replaced) list.push_back(p.get());
    }
  }
  return list;
}

std::vector<const TPropInfo*> GetPropList(const TObject* Instance) {
  if (!Instance) return {};
  Ensure(Instance);
  return GetPropList(Instance->ClassType());
}

bool IsPublishedProp(const TObject* Instance, const String& PropName) {
  return GetPropInfo(Instance, PropName) != nullptr;
}

bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo) {
  return !PropInfo->IsStored || PropInfo->IsStored(Instance);
}

const TPublishedMethod* FindPublishedMethod(const TObject* Instance, const String& Name) {
  if (!Instance) return nullptr;
  Ensure(Instance);
  auto& r = PropertyTablesOf();
  std::lock_guard g(r.lock);
  for (TClass c = Instance->ClassType(); c; c = c->parent) {
    auto it = r.classes.find(c);
    if (it == r.classes.end()) continue;
    for (auto& m : it->second.methods)
      if (SameText(m.Name, Name)) return &m;
  }
  return nullptr;
}

String GetPublishedMethodName(const TObject* Instance, const TMethodValue& Value) {
  if (!Instance || !Value.Assigned) return {};
  Ensure(Instance);
  auto& r = PropertyTablesOf();
  std::lock_guard g(r.lock);
  for (TClass c = Instance->ClassType(); c; c = c->parent) {
    auto it = r.classes.find(c);
    if (it == r.classes.end()) continue;
    for (auto& m : it->second.methods)
      if (m.Sig == Value.Sig && m.Is(const_cast<TObject*>(Instance), Value)) return m.Name;
  }
  return {};
}

const TPublishedField* FindPublishedField(const TObject* Instance, const String& Name) {
  if (!Instance) return nullptr;
  Ensure(Instance);
  auto& r = PropertyTablesOf();
  std::lock_guard g(r.lock);
  for (TClass c = Instance->ClassType(); c; c = c->parent) {
    auto it = r.classes.find(c);
    if (it == r.classes.end()) continue;
    for (auto& f : it->second.fields)
      if (SameText(f.Name, Name)) return &f;
  }
  return nullptr;
}

// --- typed access ------------------------------------------------------------------------------

int64_t GetOrdProp(TObject* Instance, const String& PropName) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->GetOrd) WrongType(p);
  return p->GetOrd(Instance);
}

void SetOrdProp(TObject* Instance, const String& PropName, int64_t Value) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->SetOrd) WrongType(p);
  p->SetOrd(Instance, Value);
}

String GetEnumProp(TObject* Instance, const String& PropName) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->GetOrd || p->PropType->Kind != tkEnumeration) WrongType(p);
  return GetEnumName(p->PropType, p->GetOrd(Instance));
}

void SetEnumProp(TObject* Instance, const String& PropName, const String& Value) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->SetOrd || p->PropType->Kind != tkEnumeration) WrongType(p);
  int64_t v = GetEnumValue(p->PropType, Value);
  if (v < 0) throw EPropertyConvertError(u"Invalid enumeration name: " + Value);
  p->SetOrd(Instance, v);
}

String GetSetProp(TObject* Instance, const String& PropName, bool Brackets) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->GetOrd || p->PropType->Kind != tkSet) WrongType(p);
  return SetToString(p->PropType, static_cast<uint64_t>(p->GetOrd(Instance)), Brackets);
}

void SetSetProp(TObject* Instance, const String& PropName, const String& Value) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->SetOrd || p->PropType->Kind != tkSet) WrongType(p);
  p->SetOrd(Instance, static_cast<int64_t>(StringToSet(p->PropType, Value)));
}

String GetStrProp(TObject* Instance, const String& PropName) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->GetStr) WrongType(p);
  return p->GetStr(Instance);
}

void SetStrProp(TObject* Instance, const String& PropName, const String& Value) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->SetStr) WrongType(p);
  p->SetStr(Instance, Value);
}

double GetFloatProp(TObject* Instance, const String& PropName) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->GetFloat) WrongType(p);
  return p->GetFloat(Instance);
}

void SetFloatProp(TObject* Instance, const String& PropName, double Value) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->SetFloat) WrongType(p);
  p->SetFloat(Instance, Value);
}

TObject* GetObjectProp(TObject* Instance, const String& PropName) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->GetObj) WrongType(p);
  return p->GetObj(Instance);
}

void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->SetObj) WrongType(p);
  p->SetObj(Instance, Value);
}

TMethodValue GetMethodProp(TObject* Instance, const String& PropName) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->GetMethod) WrongType(p);
  return p->GetMethod(Instance);
}

void SetMethodProp(TObject* Instance, const String& PropName, const TMethodValue& Value) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->SetMethod) WrongType(p);
  if (Value.Assigned && Value.Sig != p->MethodSig) throw EPropertyConvertError(u"Invalid property value");
  p->SetMethod(Instance, Value);
}

Variant GetPropValue(TObject* Instance, const String& PropName) {
  const TPropInfo* p = Need(Instance, PropName);
  switch (p->PropType->Kind) {
    case tkEnumeration:
      if (p->PropType == TypeInfoBoolean()) return Variant(p->GetOrd(Instance) != 0);
      return Variant(GetEnumName(p->PropType, p->GetOrd(Instance)));
    case tkSet:
      return Variant(SetToString(p->PropType, static_cast<uint64_t>(p->GetOrd(Instance)), true));
    case tkInteger:
      return Variant(static_cast<int>(p->GetOrd(Instance)));
    case tkChar:
    case tkWChar:
      return Variant(String(1, static_cast<Char>(p->GetOrd(Instance))));
    case tkInt64:
      return Variant(static_cast<long long>(p->GetOrd(Instance)));
    case tkFloat:
      return Variant(p->GetFloat(Instance));
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
      return Variant(p->GetStr(Instance));
    case tkVariant:
      return p->GetVar(Instance);
    default:
      WrongType(p);
  }
}

void SetPropValue(TObject* Instance, const String& PropName, const Variant& Value) {
  const TPropInfo* p = Need(Instance, PropName);
  if (!p->Writable()) WrongType(p);
  switch (p->PropType->Kind) {
    case tkEnumeration:
      if (VarIsStr(Value)) {
        int64_t v = GetEnumValue(p->PropType, Value.AsString());
        if (v < 0) throw EPropertyConvertError(u"Invalid enumeration name: " + Value.AsString());
        p->SetOrd(Instance, v);
      } else if (p->PropType == TypeInfoBoolean()) {
        p->SetOrd(Instance, Value.AsBoolean() ? 1 : 0);
      } else {
        p->SetOrd(Instance, Value.AsInt64());
      }
      return;
    case tkSet:
      if (VarIsStr(Value))
        p->SetOrd(Instance, static_cast<int64_t>(StringToSet(p->PropType, Value.AsString())));
      else
        p->SetOrd(Instance, Value.AsInt64());
      return;
    case tkChar:
    case tkWChar:
      if (VarIsStr(Value)) {
        String s = Value.AsString();
        p->SetOrd(Instance, s.empty() ? 0 : s[0]);
      } else {
        p->SetOrd(Instance, Value.AsInt64());
      }
      return;
    case tkInteger:
      p->SetOrd(Instance, Value.AsInteger());
      return;
    case tkInt64:
      p->SetOrd(Instance, Value.AsInt64());
      return;
    case tkFloat:
      p->SetFloat(Instance, Value.AsDouble());
      return;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
      p->SetStr(Instance, Value.AsString());
      return;
    case tkVariant:
      p->SetVar(Instance, Value);
      return;
    default:
      WrongType(p);
  }
}

}  // namespace qd

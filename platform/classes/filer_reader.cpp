// TReader: applies a parsed stored form to components, their published properties and the
// properties they define themselves, then fixes up references by name.
#include <algorithm>
#include <set>

#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/classes/filer_internal.h"
#include "platform/classes/lists.h"
#include "platform/classes/streams.h"

namespace qd {

using filer::IdentToIntFor;
using filer::InvalidValue;
using filer::LineSuffix;

// --- TReader ----------------------------------------------------------------------------------

struct TReader::Impl {
  struct Fixup {
    TObject* instance;
    const TPropInfo* prop;
    String name;
    String path;
    int line;
  };
  struct Cursor {
    const std::vector<TFormValue>* list;
    size_t index;
  };
  const TFormObject* current = nullptr;
  std::vector<TComponent*> loaded;
  std::vector<TComponent*> created;  // for clean-up on failure, in creation order
  std::vector<Fixup> fixups;
  // DefineProperty state: the property being read and its value.
  String defName;
  const TFormValue* defValue = nullptr;
  bool defHandled = false;
  std::vector<TFormValue> defHolder;
  std::vector<Cursor> cursors;
  String objectPath;  // "Form1.Button1" for messages
  String propPath;    // the property being applied, for messages
  int line = 0;

  const TFormValue& Cur() const {
    const Cursor& c = cursors.back();
    if (c.index >= c.list->size()) InvalidValue();
    return (*c.list)[c.index];
  }
  void Advance() { ++cursors.back().index; }
};

TReader::TReader() : impl_(std::make_unique<Impl>()) {}
TReader::~TReader() = default;

namespace {

// Raises EReadError with the place and line, keeping an EReadError's own text.
[[noreturn]] void Fail(const String& path, const String& msg, int line) {
  String where = path.empty() ? String() : u"Error reading " + path + u": ";
  throw EReadError(where + msg + LineSuffix(line));
}

}  // namespace

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
  auto& d = *impl_;
  if (d.defHandled || !d.defValue || !ReadData || !SameText(Name, d.defName)) return;
  d.defHandled = true;
  d.defHolder.assign(1, *d.defValue);
  d.cursors.assign(1, Impl::Cursor{&d.defHolder, 0});
  ReadData(this);
  d.cursors.clear();
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&,
                                   bool) {
  auto& d = *impl_;
  if (d.defHandled || !d.defValue || !ReadData || !SameText(Name, d.defName)) return;
  d.defHandled = true;
  if (d.defValue->Kind != TFormValue::vkBinary) InvalidValue();
  TBytesStream s(d.defValue->Bytes);
  ReadData(&s);
}

TFormValue::TKind TReader::NextValue() const {
  return impl_->Cur().Kind;
}

int64_t TReader::ReadInt64() {
  const TFormValue& v = impl_->Cur();
  if (v.Kind != TFormValue::vkInt) InvalidValue();
  impl_->Advance();
  return v.Int;
}

int32_t TReader::ReadInteger() {
  int64_t v = ReadInt64();
  if (v < INT32_MIN || v > INT32_MAX) InvalidValue();
  return static_cast<int32_t>(v);
}

double TReader::ReadFloat() {
  const TFormValue& v = impl_->Cur();
  double r;
  if (v.Kind == TFormValue::vkFloat)
    r = v.Float;
  else if (v.Kind == TFormValue::vkInt)
    r = static_cast<double>(v.Int);
  else
    InvalidValue();
  impl_->Advance();
  return r;
}

String TReader::ReadString() {
  const TFormValue& v = impl_->Cur();
  if (v.Kind != TFormValue::vkString) InvalidValue();
  impl_->Advance();
  return v.Str;
}

String TReader::ReadIdent() {
  const TFormValue& v = impl_->Cur();
  if (v.Kind != TFormValue::vkIdent) InvalidValue();
  impl_->Advance();
  return v.Str;
}

bool TReader::ReadBoolean() {
  String s = ReadIdent();
  if (SameText(s, u"True")) return true;
  if (SameText(s, u"False")) return false;
  InvalidValue();
}

Char TReader::ReadChar() {
  const TFormValue& v = impl_->Cur();
  if (v.Kind == TFormValue::vkString && v.Str.size() == 1) {
    impl_->Advance();
    return v.Str[0];
  }
  InvalidValue();
}

Variant TReader::ReadVariant() {
  const TFormValue& v = impl_->Cur();
  switch (v.Kind) {
    case TFormValue::vkInt:
      impl_->Advance();
      return v.Int >= INT32_MIN && v.Int <= INT32_MAX ? Variant(static_cast<int>(v.Int))
                                                      : Variant(static_cast<long long>(v.Int));
    case TFormValue::vkFloat:
      impl_->Advance();
      return Variant(v.Float);
    case TFormValue::vkString:
      impl_->Advance();
      return Variant(v.Str);
    case TFormValue::vkIdent:
      impl_->Advance();
      if (SameText(v.Str, u"True")) return Variant(true);
      if (SameText(v.Str, u"False")) return Variant(false);
      if (SameText(v.Str, u"Null")) return Null();
      if (SameText(v.Str, u"Unassigned")) return Unassigned();
      InvalidValue();
    default:
      InvalidValue();
  }
}

void TReader::ReadListBegin() {
  const TFormValue& v = impl_->Cur();
  if (v.Kind != TFormValue::vkList) InvalidValue();
  impl_->Advance();
  impl_->cursors.push_back({&v.List, 0});
}

void TReader::ReadListEnd() {
  if (impl_->cursors.size() < 2 || !EndOfList()) InvalidValue();
  impl_->cursors.pop_back();
}

bool TReader::EndOfList() const {
  if (impl_->cursors.empty()) return true;
  const auto& c = impl_->cursors.back();
  return c.index >= c.list->size();
}

namespace {

// Assigns a parsed value to a published property; references wait for the fix-up.
void AssignValue(TReader* reader, TObject* obj, const TPropInfo* p, const TFormValue& v,
                 std::vector<TReader::Impl::Fixup>& fixups, const String& path);

}  // namespace

void TReader::ApplyProperty(TObject* Obj, const TFormProperty& Prop) {
  auto& d = *impl_;
  const String path = d.propPath;
  // Walk the dotted name down through object properties.
  TObject* obj = Obj;
  std::vector<String> parts;
  size_t i = 0;
  while (i <= Prop.Name.size()) {
    size_t j = Prop.Name.find(u'.', i);
    if (j == String::npos) j = Prop.Name.size();
    parts.push_back(Prop.Name.substr(i, j - i));
    i = j + 1;
  }
  for (size_t k = 0; k + 1 < parts.size(); ++k) {
    const TPropInfo* pi = GetPropInfo(obj, parts[k]);
    if (!pi) throw EReadError(u"Property " + parts[k] + u" does not exist");
    if (!pi->GetObj) InvalidValue();
    obj = pi->GetObj(obj);
    if (!obj) InvalidValue();
  }
  const String& last = parts.back();
  if (const TPropInfo* pi = GetPropInfo(obj, last)) {
    AssignValue(this, obj, pi, Prop.Value, d.fixups, path);
    return;
  }
  // A defined property may itself read defined properties (a collection's items): the
  // state of the outer one is kept aside meanwhile.
  String savedName = std::move(d.defName);
  const TFormValue* savedValue = d.defValue;
  const bool savedHandled = d.defHandled;
  std::vector<TFormValue> savedHolder = std::move(d.defHolder);
  std::vector<Impl::Cursor> savedCursors = std::move(d.cursors);
  auto restore = [&] {
    d.defName = std::move(savedName);
    d.defValue = savedValue;
    d.defHandled = savedHandled;
    d.defHolder = std::move(savedHolder);
    d.cursors = std::move(savedCursors);
  };
  d.defName = last;
  d.defValue = &Prop.Value;
  d.defHandled = false;
  d.defHolder.clear();
  d.cursors.clear();
  bool handled = false;
  try {
    if (auto* persistent = dynamic_cast<TPersistent*>(obj)) persistent->DefineProperties(this);
    handled = d.defHandled;
  } catch (...) {
    restore();
    throw;
  }
  restore();
  if (!handled) throw EReadError(u"Property " + last + u" does not exist");
}

void TReader::ReadCollection(TCollection* Collection) {
  auto& d = *impl_;
  // A copy: reading the items reuses the reader's state that holds this value.
  const TFormValue value = d.Cur();
  d.Advance();
  if (!Collection) InvalidValue();
  const String path = d.propPath;  // reading the items moves it on
  filer::ReadCollectionItems(this, Collection, value, path);
}

void TReader::ReadData(TComponent* Instance) {
  auto& d = *impl_;
  const TFormObject& o = *d.current;
  String savedPath = d.objectPath;
  String name = Instance->Name().empty() ? Instance->ClassName() : Instance->Name();
  d.objectPath = savedPath.empty() || Instance == root_ ? name : savedPath + u"." + name;
  for (const TFormProperty& prop : o.Props) {
    d.line = prop.Line;
    String path = d.objectPath + u"." + prop.Name;
    try {
      d.propPath = path;
      ApplyProperty(Instance, prop);
    } catch (const EReadError& e) {
      d.defValue = nullptr;
      d.cursors.clear();
      String msg = e.Message();
      if (OnError && OnError(this, msg)) continue;
      if (dynamic_cast<const EParserError*>(&e) || msg.find(u" on line ") != String::npos) throw;
      Fail(path, msg, prop.Line);
    } catch (const Exception& e) {
      d.defValue = nullptr;
      d.cursors.clear();
      if (OnError && OnError(this, e.Message())) continue;
      Fail(path, e.Message(), prop.Line);
    }
  }
  // Owned components.
  TComponent* savedOwner = owner_;
  TComponent* savedParent = parent_;
  const TFormObject* savedCurrent = d.current;
  const String myPath = d.objectPath;
  TComponent* childOwner = Instance->GetChildOwner();
  owner_ = childOwner ? childOwner : root_;
  parent_ = Instance->GetChildParent();
  for (const TFormObject& child : o.Children) {
    d.line = child.Line;
    TComponent* c = nullptr;
    bool createdHere = false;
    try {
      if (child.Kind == TFormObject::okInherited) {
        c = owner_->FindComponent(child.Name);
        if (!c) throw EReadError(u"A component named " + child.Name + u" was not found in the ancestor");
      } else {
        TClass cls = nullptr;
        if (OnFindComponentClass) OnFindComponentClass(this, child.ClassName, cls);
        if (!cls) cls = GetClass(StringToUtf8(child.ClassName));
        if (!cls) throw EReadError(u"Class " + child.ClassName + u" not found");
        if (!cls->InheritsFrom(TComponent::StaticClass()))
          throw EReadError(u"Class " + child.ClassName + u" is not a component");
        TObject* obj = cls->Create(owner_);
        c = dynamic_cast<TComponent*>(obj);
        if (!c) {
          delete obj;
          throw EReadError(u"Cannot create a " + child.ClassName);
        }
        createdHere = true;
        d.created.push_back(c);
        if (c->Owner() != owner_ && owner_) {
          if (c->Owner()) c->Owner()->RemoveComponent(c);
          owner_->InsertComponent(c);
        }
        if (child.Kind == TFormObject::okInline) c->SetInline(true);
      }
      c->IncludeState(csLoading);
      c->IncludeState(csReading);
      if (child.Kind != TFormObject::okInherited && !child.Name.empty()) c->SetName(child.Name);
      if (std::find(d.loaded.begin(), d.loaded.end(), c) == d.loaded.end()) d.loaded.push_back(c);
      if (parent_ && parent_ != c) c->SetParentComponent(parent_);
      d.current = &child;
      c->ReadState(this);
      d.current = savedCurrent;
    } catch (const EReadError& e) {
      d.current = savedCurrent;
      owner_ = savedOwner;
      parent_ = savedParent;
      d.objectPath = savedPath;
      if (e.Message().find(u" on line ") != String::npos) throw;
      Fail(myPath, e.Message(), child.Line);
    } catch (const Exception& e) {
      d.current = savedCurrent;
      owner_ = savedOwner;
      parent_ = savedParent;
      d.objectPath = savedPath;
      Fail(myPath, e.Message(), child.Line);
    }
    (void)createdHere;
  }
  owner_ = savedOwner;
  parent_ = savedParent;
  d.objectPath = savedPath;
}

namespace {

int64_t OrdinalFrom(const TPropInfo* p, const TFormValue& v) {
  const TTypeInfo* t = p->PropType;
  switch (t->Kind) {
    case tkInteger:
    case tkInt64: {
      int64_t r;
      if (v.Kind == TFormValue::vkInt) {
        r = v.Int;
      } else if (v.Kind == TFormValue::vkIdent && IdentToIntFor(t, v.Str, r)) {
      } else {
        InvalidValue();
      }
      if (t->Kind == tkInteger && (r < t->MinValue || r > t->MaxValue)) {
        // Unsigned 32-bit values may be stored as negative numbers.
        if (t->MinValue == 0 && r < 0 && r >= INT32_MIN)
          r = static_cast<int64_t>(static_cast<uint32_t>(r));
        else
          InvalidValue();
      }
      return r;
    }
    case tkChar:
    case tkWChar:
      if (v.Kind == TFormValue::vkString && v.Str.size() == 1) return v.Str[0];
      if (v.Kind == TFormValue::vkInt && v.Int >= 0 && v.Int <= 0xFFFF) return v.Int;
      InvalidValue();
    case tkEnumeration: {
      if (v.Kind != TFormValue::vkIdent) InvalidValue();
      int64_t r = GetEnumValue(t, v.Str);
      if (r < 0) InvalidValue();
      return r;
    }
    case tkSet: {
      if (v.Kind != TFormValue::vkSet) InvalidValue();
      uint64_t bits = 0;
      for (const String& e : v.Set) {
        int64_t r = GetEnumValue(t->CompType, e);
        if (r < 0 || r > 63) InvalidValue();
        bits |= uint64_t{1} << r;
      }
      return static_cast<int64_t>(bits);
    }
    default:
      InvalidValue();
  }
}

}  // namespace

void filer::ReadCollectionItems(TReader* reader, TCollection* coll, const TFormValue& v, const String& path) {
  if (v.Kind != TFormValue::vkCollection) InvalidValue();
  coll->BeginUpdate();
  try {
    coll->Clear();
    for (size_t i = 0; i < v.Items.size(); ++i) {
      TCollectionItem* item = coll->Add();
      for (const TFormProperty& prop : v.Items[i].Props) {
        String itemPath = path + u"[" + IntToStr(static_cast<int64_t>(i)) + u"]." + prop.Name;
        try {
          reader->impl_->propPath = itemPath;
          reader->ApplyProperty(item, prop);
        } catch (const EReadError& e) {
          if (e.Message().find(u" on line ") != String::npos) throw;
          Fail(itemPath, e.Message(), prop.Line);
        } catch (const Exception& e) {
          Fail(itemPath, e.Message(), prop.Line);
        }
      }
    }
  } catch (...) {
    coll->EndUpdate();
    throw;
  }
  coll->EndUpdate();
}

namespace {

void AssignValue(TReader* reader, TObject* obj, const TPropInfo* p, const TFormValue& v,
                 std::vector<TReader::Impl::Fixup>& fixups, const String& path) {
  switch (p->PropType->Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
      if (!p->SetOrd) InvalidValue();
      p->SetOrd(obj, OrdinalFrom(p, v));
      return;
    case tkFloat:
      if (!p->SetFloat) InvalidValue();
      if (v.Kind == TFormValue::vkFloat)
        p->SetFloat(obj, v.Float);
      else if (v.Kind == TFormValue::vkInt)
        p->SetFloat(obj, static_cast<double>(v.Int));
      else
        InvalidValue();
      return;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
      if (!p->SetStr || v.Kind != TFormValue::vkString) InvalidValue();
      p->SetStr(obj, v.Str);
      return;
    case tkVariant: {
      if (!p->SetVar) InvalidValue();
      switch (v.Kind) {
        case TFormValue::vkInt:
          p->SetVar(obj, Variant(static_cast<long long>(v.Int)));
          return;
        case TFormValue::vkFloat:
          p->SetVar(obj, Variant(v.Float));
          return;
        case TFormValue::vkString:
          p->SetVar(obj, Variant(v.Str));
          return;
        case TFormValue::vkIdent:
          if (SameText(v.Str, u"True") || SameText(v.Str, u"False")) {
            p->SetVar(obj, Variant(SameText(v.Str, u"True")));
            return;
          }
          if (SameText(v.Str, u"Null")) {
            p->SetVar(obj, Null());
            return;
          }
          InvalidValue();
        default:
          InvalidValue();
      }
    }
    case tkMethod: {
      if (!p->SetMethod || v.Kind != TFormValue::vkIdent) InvalidValue();
      if (SameText(v.Str, u"nil")) {
        p->SetMethod(obj, TMethodValue{});
        return;
      }
      const TPublishedMethod* m = FindPublishedMethod(reader->Root(), v.Str);
      if (!m) throw EReadError(u"Method " + v.Str + u" not found");
      if (m->Sig != p->MethodSig) InvalidValue();
      p->SetMethod(obj, m->Bind(reader->Root()));
      return;
    }
    case tkClass: {
      if (v.Kind == TFormValue::vkIdent) {
        if (!p->SetObj) InvalidValue();
        if (SameText(v.Str, u"nil")) {
          p->SetObj(obj, nullptr);
          return;
        }
        if (!p->PropType->ClassType || !p->PropType->ClassType->InheritsFrom(TComponent::StaticClass()))
          InvalidValue();
        fixups.push_back({obj, p, v.Str, path, v.Line});
        return;
      }
      if (v.Kind == TFormValue::vkCollection) {
        TObject* target = p->GetObj ? p->GetObj(obj) : nullptr;
        auto* coll = dynamic_cast<TCollection*>(target);
        if (!coll) InvalidValue();
        filer::ReadCollectionItems(reader, coll, v, path);
        return;
      }
      InvalidValue();
    }
    default:
      InvalidValue();
  }
}

TComponent* ResolveReference(TComponent* root, const String& name) {
  std::vector<String> parts;
  size_t i = 0;
  while (i <= name.size()) {
    size_t j = name.find(u'.', i);
    if (j == String::npos) j = name.size();
    parts.push_back(name.substr(i, j - i));
    i = j + 1;
  }
  TComponent* c = nullptr;
  size_t k = 0;
  if (SameText(parts[0], root->Name())) {
    c = root;
    k = 1;
  } else if (TComponent* own = root->FindComponent(parts[0])) {
    c = own;
    k = 1;
  } else {
    c = filer::FindGlobalComponent(parts[0]);
    if (!c) return nullptr;
    k = 1;
  }
  for (; k < parts.size() && c; ++k) c = c->FindComponent(parts[k]);
  return c;
}

}  // namespace

TComponent* TReader::ReadRootComponent(const TFormObject& Form, TComponent* Root, TComponent* Owner) {
  auto& d = *impl_;
  bool createdRoot = false;
  try {
    if (!Root) {
      TClass cls = nullptr;
      if (OnFindComponentClass) OnFindComponentClass(this, Form.ClassName, cls);
      if (!cls) cls = GetClass(StringToUtf8(Form.ClassName));
      if (!cls || !cls->InheritsFrom(TComponent::StaticClass()))
        Fail(String(), u"Class " + Form.ClassName + u" not found", Form.Line);
      TObject* obj = cls->Create(Owner);
      Root = dynamic_cast<TComponent*>(obj);
      if (!Root) {
        delete obj;
        Fail(String(), u"Cannot create a " + Form.ClassName, Form.Line);
      }
      createdRoot = true;
    }
    root_ = Root;
    owner_ = Root;
    parent_ = nullptr;
    Root->IncludeState(csLoading);
    Root->IncludeState(csReading);
    if (!Form.Name.empty() && Form.Kind != TFormObject::okInherited && Root->Name() != Form.Name) {
      try {
        Root->SetName(Form.Name);
      } catch (const Exception& e) {
        Fail(String(), e.Message(), Form.Line);
      }
    }
    d.loaded.push_back(Root);
    d.current = &Form;
    Root->ReadState(this);
    // References by name, now that every component exists.
    for (const auto& f : d.fixups) {
      TComponent* target = ResolveReference(Root, f.name);
      if (!target) Fail(f.path, u"Invalid reference to " + f.name, f.line);
      try {
        f.prop->SetObj(f.instance, target);
      } catch (const Exception& e) {
        Fail(f.path, e.Message(), f.line);
      }
    }
  } catch (...) {
    // Nothing half-built is left: the components created by this read go, last first
    // (those owned by another created component go with it).
    std::set<TComponent*> created(d.created.begin(), d.created.end());
    for (auto it = d.created.rbegin(); it != d.created.rend(); ++it) {
      TComponent* c = *it;
      if (created.count(c->Owner())) continue;
      delete c;
    }
    if (createdRoot) {
      delete Root;
    } else if (Root) {
      Root->ExcludeState(csReading);
      Root->ExcludeState(csLoading);
    }
    d.created.clear();
    d.loaded.clear();
    d.fixups.clear();
    throw;
  }
  std::vector<TComponent*> loaded;
  loaded.swap(d.loaded);
  d.created.clear();
  d.fixups.clear();
  for (TComponent* c : loaded) c->ExcludeState(csReading);
  try {
    for (TComponent* c : loaded) c->Loaded();
  } catch (...) {
    if (createdRoot) delete Root;
    throw;
  }
  return Root;
}

}  // namespace qd

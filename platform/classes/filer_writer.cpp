// TWriter: turns components, their published properties and the properties they define
// themselves into a TFormObject.
#include <set>

#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/classes/filer_internal.h"
#include "platform/classes/lists.h"
#include "platform/classes/streams.h"

namespace qd {

using filer::IntToIdentFor;

// --- TWriter ------------------------------------------------------------------------------

struct TWriter::Impl {
  TFormObject* current = nullptr;
  std::vector<TFormProperty>* props = nullptr;  // where properties go
  String prefix;                                // "Font." for nested objects
  // Value building for defined properties.
  std::vector<TFormValue> built;
  std::vector<std::vector<TFormValue>*> stack;
  std::set<const TObject*> visiting;  // guards against cycles through object properties

  void Push(TFormValue v) {
    if (stack.empty()) stack.push_back(&built);
    stack.back()->push_back(std::move(v));
  }
};

TWriter::TWriter() : impl_(std::make_unique<Impl>()) {}
TWriter::~TWriter() = default;

void TWriter::WriteInteger(int64_t Value) {
  TFormValue v;
  v.Kind = TFormValue::vkInt;
  v.Int = Value;
  impl_->Push(std::move(v));
}

void TWriter::WriteFloat(double Value) {
  TFormValue v;
  v.Kind = TFormValue::vkFloat;
  v.Float = Value;
  impl_->Push(std::move(v));
}

void TWriter::WriteString(const String& Value) {
  TFormValue v;
  v.Kind = TFormValue::vkString;
  v.Str = Value;
  impl_->Push(std::move(v));
}

void TWriter::WriteIdent(const String& Ident) {
  TFormValue v;
  v.Kind = TFormValue::vkIdent;
  v.Str = Ident;
  impl_->Push(std::move(v));
}

void TWriter::WriteBoolean(bool Value) {
  WriteIdent(Value ? u"True" : u"False");
}

void TWriter::WriteChar(Char Value) {
  WriteString(String(1, Value));
}

void TWriter::WriteVariant(const Variant& Value) {
  if (VarIsNull(Value)) return WriteIdent(u"Null");
  if (VarIsEmpty(Value)) return WriteIdent(u"Unassigned");
  if (VarType(Value) == varBoolean) return WriteBoolean(Value.AsBoolean());
  if (VarIsOrdinal(Value)) return WriteInteger(Value.AsInt64());
  if (VarIsFloat(Value)) return WriteFloat(Value.AsDouble());
  WriteString(Value.AsString());
}

void TWriter::WriteListBegin() {
  TFormValue v;
  v.Kind = TFormValue::vkList;
  impl_->Push(std::move(v));
  impl_->stack.push_back(&impl_->stack.back()->back().List);
}

void TWriter::WriteListEnd() {
  if (impl_->stack.size() > 1) impl_->stack.pop_back();
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData,
                             bool HasData) {
  auto& d = *impl_;
  if (!HasData || !WriteData || !d.props) return;
  d.built.clear();
  d.stack.assign(1, &d.built);
  WriteData(this);
  d.stack.clear();
  if (d.built.empty()) return;
  d.props->push_back({d.prefix + Name, std::move(d.built.front()), 0});
  d.built.clear();
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData) {
  auto& d = *impl_;
  if (!HasData || !WriteData || !d.props) return;
  TBytesStream s;
  WriteData(&s);
  TFormValue v;
  v.Kind = TFormValue::vkBinary;
  v.Bytes.assign(s.Bytes().begin(), s.Bytes().begin() + s.Size());
  d.props->push_back({d.prefix + Name, std::move(v), 0});
}

namespace {

String ReferenceName(TComponent* root, TComponent* c) {
  if (c == root) return c->Name();
  if (c->Owner() == root || !c->Owner()) return c->Name();
  String owner = ReferenceName(root, c->Owner());
  return owner.empty() ? c->Name() : owner + u"." + c->Name();
}

void WriteProperties(TWriter* w, TWriter::Impl& d, TComponent* root, TObject* obj, const String& prefix);

bool ValueOf(TWriter* w, TWriter::Impl& d, TComponent* root, TObject* obj, const TPropInfo* p,
             const String& name, TFormValue& out) {
  const TTypeInfo* t = p->PropType;
  switch (t->Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet: {
      if (!p->GetOrd) return false;
      int64_t v = p->GetOrd(obj);
      if (p->Default != kNoDefault && v == p->Default) return false;
      if (t->Kind == tkEnumeration) {
        out.Kind = TFormValue::vkIdent;
        out.Str = GetEnumName(t, v);
        if (out.Str.empty()) return false;
      } else if (t->Kind == tkSet) {
        out.Kind = TFormValue::vkSet;
        for (int i = 0; i < 64; ++i)
          if (static_cast<uint64_t>(v) & (uint64_t{1} << i)) out.Set.push_back(GetEnumName(t->CompType, i));
      } else if (t->Kind == tkChar || t->Kind == tkWChar) {
        out.Kind = TFormValue::vkString;
        out.Str = String(1, static_cast<Char>(v));
      } else {
        String ident;
        if (IntToIdentFor(t, v, ident)) {
          out.Kind = TFormValue::vkIdent;
          out.Str = ident;
        } else {
          out.Kind = TFormValue::vkInt;
          out.Int = v;
        }
      }
      return true;
    }
    case tkFloat: {
      if (!p->GetFloat) return false;
      double v = p->GetFloat(obj);
      if (v == 0) return false;
      out.Kind = TFormValue::vkFloat;
      out.Float = v;
      return true;
    }
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString: {
      if (!p->GetStr) return false;
      String s = p->GetStr(obj);
      if (s.empty()) return false;
      out.Kind = TFormValue::vkString;
      out.Str = s;
      return true;
    }
    case tkVariant: {
      if (!p->GetVar) return false;
      Variant v = p->GetVar(obj);
      if (VarIsEmpty(v)) return false;
      d.built.clear();
      d.stack.assign(1, &d.built);
      w->WriteVariant(v);
      d.stack.clear();
      out = d.built.front();
      d.built.clear();
      return true;
    }
    case tkMethod: {
      if (!p->GetMethod) return false;
      TMethodValue m = p->GetMethod(obj);
      if (!m.Assigned) return false;
      String n = GetPublishedMethodName(root, m);
      if (n.empty()) return false;
      out.Kind = TFormValue::vkIdent;
      out.Str = n;
      return true;
    }
    case tkClass: {
      if (!p->GetObj) return false;
      TObject* o = p->GetObj(obj);
      if (!o) return false;
      auto* comp = dynamic_cast<TComponent*>(o);
      if (comp && !comp->ComponentStyle().Contains(csSubComponent)) {
        if (comp->Name().empty()) return false;
        out.Kind = TFormValue::vkIdent;
        out.Str = ReferenceName(root, comp);
        return true;
      }
      if (auto* coll = dynamic_cast<TCollection*>(o)) {
        if (coll->Count() == 0) return false;
        out.Kind = TFormValue::vkCollection;
        auto* savedProps = d.props;
        String savedPrefix = d.prefix;
        for (int i = 0; i < coll->Count(); ++i) {
          TFormItem item;
          d.props = &item.Props;
          d.prefix.clear();
          WriteProperties(w, d, root, coll->Items(i), String());
          out.Items.push_back(std::move(item));
        }
        d.props = savedProps;
        d.prefix = savedPrefix;
        return true;
      }
      // A persistent (or sub-component) object: its properties, nested by name.
      WriteProperties(w, d, root, o, name + u".");
      return false;
    }
    default:
      return false;
  }
}

void WriteProperties(TWriter* w, TWriter::Impl& d, TComponent* root, TObject* obj, const String& prefix) {
  if (!d.visiting.insert(obj).second) return;
  String savedPrefix = d.prefix;
  for (const TPropInfo* p : GetPropList(obj)) {
    if (!IsStoredProp(obj, p)) continue;
    TFormValue v;
    if (ValueOf(w, d, root, obj, p, prefix + p->Name, v))
      d.props->push_back({prefix + p->Name, std::move(v), 0});
  }
  if (auto* pers = dynamic_cast<TPersistent*>(obj)) {
    d.prefix = prefix;
    pers->DefineProperties(w);
    d.prefix = savedPrefix;
  }
  d.visiting.erase(obj);
}

}  // namespace

void TWriter::WriteData(TComponent* Instance) {
  auto& d = *impl_;
  TFormObject* o = d.current;
  d.props = &o->Props;
  d.prefix.clear();
  WriteProperties(this, d, root_, Instance, String());
  Instance->GetChildren(
      [&](TComponent* child) {
        TFormObject c;
        c.Kind = child->ComponentState().Contains(csInline) ? TFormObject::okInline : TFormObject::okObject;
        c.Name = child->Name();
        c.ClassName = child->ClassName();
        TFormObject* saved = d.current;
        d.current = &c;
        child->WriteState(this);
        d.current = saved;
        d.props = &saved->Props;
        o->Children.push_back(std::move(c));
      },
      root_);
}

void TWriter::WriteCollection(TCollection* Collection) {
  auto& d = *impl_;
  TFormValue v;
  v.Kind = TFormValue::vkCollection;
  // The items may define properties of their own, which reuse the value being built.
  std::vector<TFormValue> savedBuilt = std::move(d.built);
  std::vector<std::vector<TFormValue>*> savedStack = std::move(d.stack);
  auto* savedProps = d.props;
  const String savedPrefix = d.prefix;
  auto restore = [&] {
    d.built = std::move(savedBuilt);
    d.stack = std::move(savedStack);
    d.props = savedProps;
    d.prefix = savedPrefix;
  };
  try {
    for (int i = 0; Collection && i < Collection->Count(); ++i) {
      TFormItem item;
      d.props = &item.Props;
      d.prefix.clear();
      d.built.clear();
      d.stack.clear();
      WriteProperties(this, d, root_, Collection->Items(i), String());
      v.Items.push_back(std::move(item));
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  d.Push(std::move(v));
}

TFormObject TWriter::WriteRootComponent(TComponent* Root) {
  TFormObject o;
  o.Name = Root->Name();
  o.ClassName = Root->ClassName();
  root_ = Root;
  impl_->current = &o;
  Root->IncludeState(csWriting);
  try {
    Root->WriteState(this);
  } catch (...) {
    Root->ExcludeState(csWriting);
    throw;
  }
  Root->ExcludeState(csWriting);
  impl_->current = nullptr;
  return o;
}

}  // namespace qd

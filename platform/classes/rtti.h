#pragma once
// Published-property metadata: per class, the properties that stored forms and look-ups by
// name reach, with their types, defaults and type-erased accessors; also published methods
// (event handlers bound by name) and published fields (components bound by name).
//
// A class declares its published members in a static function and names it with
// QD_PUBLISHED in its body:
//
//   class TMyButton : public TControl {
//     QD_CLASS(TMyButton, TControl)
//     QD_PUBLISHED(TMyButton)
//    public:
//     ...
//   };
//   void TMyButton::RegisterProperties(TPropertyRegistrar& r) {
//     r.Prop("Caption", &TMyButton::Caption, &TMyButton::SetCaption);
//     r.Prop("Align", &TMyButton::Align, &TMyButton::SetAlign, AlignTypeInfo()).Default(alNone);
//     r.Prop("Visible", &TMyButton::Visible, &TMyButton::SetVisible).Default(true);
//     r.Prop("Font", &TMyButton::Font, &TMyButton::SetFont);          // an object property
//     r.Event("OnClick", &TMyButton::OnClick);                         // a TMethod member
//     r.Member("Tag", &TMyButton::FTag);                               // a data member
//     r.Method("ButtonClick", &TMyButton::ButtonClick);               // a published method
//     r.Field("Label1", &TMyButton::Label1);                          // a published field
//   }
//
// Nothing is registered at start-up: a class's function runs on the first look-up that
// reaches the class (through an instance), or when RegisterPublished<T>() is called.
// Properties of ancestors come first; a class may register a property again to change
// its default or accessors, and it keeps its place.
#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/method.h"
#include "platform/base/object.h"
#include "platform/base/set.h"
#include "platform/base/types.h"
#include "platform/base/variant.h"

namespace qd {

QD_DECLARE_EXCEPTION(EPropertyError, Exception)
QD_DECLARE_EXCEPTION(EPropertyConvertError, Exception)

enum TTypeKind : uint8_t {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
  tkDynArray,
  tkUString,
  tkClassRef,
  tkPointer,
  tkProcedure
};

struct TTypeInfo {
  String Name;
  TTypeKind Kind = tkUnknown;
  // Enumerations (and Boolean): the names by ordinal, starting at MinValue.
  std::vector<String> EnumNames;
  int64_t MinValue = 0;
  int64_t MaxValue = 0;
  // Sets: the element type.
  const TTypeInfo* CompType = nullptr;
  // Classes: the declared class.
  TClass ClassType = nullptr;
};

// Built-in types.
const TTypeInfo* TypeInfoInteger();
const TTypeInfo* TypeInfoInt64();
const TTypeInfo* TypeInfoCardinal();
const TTypeInfo* TypeInfoBoolean();
const TTypeInfo* TypeInfoDouble();
const TTypeInfo* TypeInfoString();
const TTypeInfo* TypeInfoWChar();
const TTypeInfo* TypeInfoVariant();
const TTypeInfo* TypeInfoMethod();
// Makes the description of an enumeration (keep it in a function-local static).
TTypeInfo MakeEnumTypeInfo(const String& Name, std::initializer_list<const Char*> Names,
                           int64_t MinValue = 0);
TTypeInfo MakeSetTypeInfo(const String& Name, const TTypeInfo* Element);
// The description of a class type (one per class, made on first use).
const TTypeInfo* ClassTypeInfo(TClass c);

// The name of an enumeration value ("" when out of range) and the value of a name
// (case-insensitive; -1 when unknown).
String GetEnumName(const TTypeInfo* TypeInfo, int64_t Value);
int64_t GetEnumValue(const TTypeInfo* TypeInfo, const String& Name);
// Sets as text: "[a,b]" (with brackets when Brackets) and back; an unknown name raises
// EPropertyConvertError "Invalid property element: <name>".
String SetToString(const TTypeInfo* SetType, uint64_t Value, bool Brackets = false);
uint64_t StringToSet(const TTypeInfo* SetType, const String& Value);

// The Default of an ordinal property that has no default value: such a property is always
// stored.
constexpr int64_t kNoDefault = static_cast<int64_t>(INT32_MIN);

// An event value without its signature: the method reference (a TMethod<Sig> inside
// Value) and the signature it has.
struct TMethodValue {
  std::any Value;
  std::type_index Sig = typeid(void);
  bool Assigned = false;
};

struct TPropInfo {
  String Name;
  const TTypeInfo* PropType = nullptr;
  int64_t Default = kNoDefault;  // ordinal properties
  TClass Declarer = nullptr;
  std::function<bool(TObject*)> IsStored;  // empty: always stored
  std::function<int64_t(TObject*)> GetOrd;
  std::function<void(TObject*, int64_t)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<String(TObject*)> GetStr;
  std::function<void(TObject*, const String&)> SetStr;
  std::function<TObject*(TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;
  std::function<TMethodValue(TObject*)> GetMethod;
  std::function<void(TObject*, const TMethodValue&)> SetMethod;
  std::function<Variant(TObject*)> GetVar;
  std::function<void(TObject*, const Variant&)> SetVar;
  std::type_index MethodSig = typeid(void);
  bool Writable() const { return SetOrd || SetFloat || SetStr || SetObj || SetMethod || SetVar; }
};

// A method that stored forms can name as an event handler.
struct TPublishedMethod {
  String Name;
  std::type_index Sig = typeid(void);
  std::function<TMethodValue(TObject* Instance)> Bind;
  // True when the event value is this method of Instance.
  std::function<bool(TObject* Instance, const TMethodValue&)> Is;
};

// A component field of the owner that is set to the owned component of the same name.
struct TPublishedField {
  String Name;
  std::function<bool(TObject* Owner, TObject* Value)> Set;  // false when the type differs
};

class TPropertyRegistrar;

namespace rtti_detail {
template <class M>
struct MemberClass;
template <class R, class C, class... A>
struct MemberClass<R (C::*)(A...)> {
  using type = C;
  using ret = R;
};
template <class R, class C, class... A>
struct MemberClass<R (C::*)(A...) const> {
  using type = C;
  using ret = R;
};
template <class T>
struct IsTMethod : std::false_type {};
template <class Sig>
struct IsTMethod<TMethod<Sig>> : std::true_type {};
template <class E>
struct IsTSet : std::false_type {};
template <class E, std::size_t N>
struct IsTSet<TSet<E, N>> : std::true_type {};
}  // namespace rtti_detail

// Builder of one property: set the default and the stored rule.
class TPropBuilder {
 public:
  explicit TPropBuilder(TPropInfo* p) : p_(p) {}
  template <class V>
  TPropBuilder& Default(V v) {
    p_->Default = static_cast<int64_t>(v);
    return *this;
  }
  TPropBuilder& NoDefault() {
    p_->Default = kNoDefault;
    return *this;
  }
  TPropBuilder& Stored(bool s) {
    if (s)
      p_->IsStored = nullptr;
    else
      p_->IsStored = [](TObject*) { return false; };
    return *this;
  }
  template <class C>
  TPropBuilder& Stored(bool (C::*fn)() const) {
    p_->IsStored = [fn](TObject* o) { return (static_cast<C*>(o)->*fn)(); };
    return *this;
  }
  TPropInfo* Info() const { return p_; }

 private:
  TPropInfo* p_;
};

class TPropertyRegistrar {
 public:
  explicit TPropertyRegistrar(TClass c) : class_(c) {}
  TClass Class() const { return class_; }

  // A property read by Getter and written by Setter (nullptr for read-only). The kind
  // follows the value type: integers, bool, double/float, String, Char, enumerations
  // (give their TTypeInfo), TSet (give the set's TTypeInfo), pointers to objects, Variant.
  template <class G, class S = std::nullptr_t>
  TPropBuilder Prop(const char* Name, G Getter, S Setter = nullptr, const TTypeInfo* Type = nullptr) {
    using C = typename rtti_detail::MemberClass<G>::type;
    using R = std::remove_cvref_t<typename rtti_detail::MemberClass<G>::ret>;
    auto get = [Getter](TObject* o) -> R { return (static_cast<C*>(o)->*Getter)(); };
    std::function<void(TObject*, R)> set;
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      using SC = typename rtti_detail::MemberClass<S>::type;
      set = [Setter](TObject* o, R v) { (static_cast<SC*>(o)->*Setter)(v); };
    }
    return Add<R>(Name, std::move(get), std::move(set), Type);
  }

  // A property over a data member (including an event member of type TMethod<Sig>).
  template <class C, class R>
  TPropBuilder Member(const char* Name, R C::*Member,
                      const TTypeInfo* Type = nullptr) requires(!std::is_function_v<R>) {
    auto get = [Member](TObject* o) -> R { return static_cast<C*>(o)->*Member; };
    std::function<void(TObject*, R)> set = [Member](TObject* o, R v) { static_cast<C*>(o)->*Member = v; };
    return Add<R>(Name, std::move(get), std::move(set), Type);
  }

  // An event over a TMethod<Sig> data member.
  template <class C, class Sig>
  TPropBuilder Event(const char* Name, TMethod<Sig> C::*Member) {
    return this->Member(Name, Member);
  }
  // An event with getter and setter.
  template <class G, class S>
  TPropBuilder Event(const char* Name, G Getter, S Setter) {
    return Prop(Name, Getter, Setter);
  }

  // A published method that forms name as event handlers.
  template <class C, class R, class... A>
  void Method(const char* Name, R (C::*Fn)(A...)) {
    using M = TMethod<R(A...)>;
    TPublishedMethod m;
    m.Name = Utf8Name(Name);
    m.Sig = typeid(M);
    m.Bind = [Fn](TObject* inst) {
      return TMethodValue{std::any(M(static_cast<C*>(inst), Fn)), typeid(M), true};
    };
    m.Is = [Fn](TObject* inst, const TMethodValue& v) {
      const M* cur = std::any_cast<M>(&v.Value);
      return cur && *cur == M(static_cast<C*>(inst), Fn);
    };
    AddMethod(std::move(m));
  }

  // A field of the owner set to the owned component named like it (nullptr on removal).
  template <class C, class T>
  void Field(const char* Name, T* C::*Member) requires std::is_base_of_v<TObject, T> {
    TPublishedField f;
    f.Name = Utf8Name(Name);
    f.Set = [Member](TObject* owner, TObject* value) {
      T* typed = value ? dynamic_cast<T*>(value) : nullptr;
      if (value && !typed) return false;
      static_cast<C*>(owner)->*Member = typed;
      return true;
    };
    AddField(std::move(f));
  }

 private:
  template <class R>
  TPropBuilder Add(const char* Name, std::function<R(TObject*)> get, std::function<void(TObject*, R)> set,
                   const TTypeInfo* Type) {
    TPropInfo p;
    p.Name = Utf8Name(Name);
    if constexpr (std::is_same_v<R, bool>) {
      p.PropType = TypeInfoBoolean();
      p.GetOrd = [get](TObject* o) -> int64_t { return get(o) ? 1 : 0; };
      if (set) p.SetOrd = [set](TObject* o, int64_t v) { set(o, v != 0); };
    } else if constexpr (std::is_same_v<R, Char>) {
      p.PropType = TypeInfoWChar();
      p.GetOrd = [get](TObject* o) -> int64_t { return get(o); };
      if (set) p.SetOrd = [set](TObject* o, int64_t v) { set(o, static_cast<Char>(v)); };
    } else if constexpr (std::is_enum_v<R>) {
      if (!Type) throw EPropertyError(u"Enumeration property " + p.Name + u" needs its type information");
      p.PropType = Type;
      p.GetOrd = [get](TObject* o) -> int64_t { return static_cast<int64_t>(get(o)); };
      if (set) p.SetOrd = [set](TObject* o, int64_t v) { set(o, static_cast<R>(v)); };
    } else if constexpr (rtti_detail::IsTSet<R>::value) {
      if (!Type) throw EPropertyError(u"Set property " + p.Name + u" needs its type information");
      p.PropType = Type;
      p.GetOrd = [get](TObject* o) -> int64_t { return static_cast<int64_t>(get(o).ToBits()); };
      if (set)
        p.SetOrd = [set](TObject* o, int64_t v) { set(o, R::FromBits(static_cast<unsigned long>(v))); };
    } else if constexpr (std::is_integral_v<R>) {
      p.PropType = Type ? Type : sizeof(R) > 4 ? TypeInfoInt64() : TypeInfoInteger();
      p.GetOrd = [get](TObject* o) -> int64_t { return static_cast<int64_t>(get(o)); };
      if (set) p.SetOrd = [set](TObject* o, int64_t v) { set(o, static_cast<R>(v)); };
    } else if constexpr (std::is_floating_point_v<R>) {
      p.PropType = Type ? Type : TypeInfoDouble();
      p.GetFloat = [get](TObject* o) -> double { return static_cast<double>(get(o)); };
      if (set) p.SetFloat = [set](TObject* o, double v) { set(o, static_cast<R>(v)); };
    } else if constexpr (std::is_same_v<R, String>) {
      p.PropType = Type ? Type : TypeInfoString();
      p.GetStr = get;
      if (set) p.SetStr = [set](TObject* o, const String& v) { set(o, v); };
    } else if constexpr (std::is_same_v<R, Variant>) {
      p.PropType = TypeInfoVariant();
      p.GetVar = get;
      if (set) p.SetVar = [set](TObject* o, const Variant& v) { set(o, v); };
    } else if constexpr (std::is_pointer_v<R> && std::is_base_of_v<TObject, std::remove_pointer_t<R>>) {
      using T = std::remove_pointer_t<R>;
      p.PropType = ClassTypeInfo(T::StaticClass());
      p.GetObj = [get](TObject* o) -> TObject* { return get(o); };
      if (set)
        p.SetObj = [set](TObject* o, TObject* v) {
          T* typed = v ? dynamic_cast<T*>(v) : nullptr;
          if (v && !typed) throw EPropertyConvertError(u"Invalid property value");
          set(o, typed);
        };
    } else if constexpr (rtti_detail::IsTMethod<R>::value) {
      p.PropType = TypeInfoMethod();
      p.MethodSig = typeid(R);
      p.GetMethod = [get](TObject* o) {
        R m = get(o);
        return TMethodValue{std::any(m), typeid(R), static_cast<bool>(m)};
      };
      if (set)
        p.SetMethod = [set](TObject* o, const TMethodValue& v) {
          if (!v.Assigned) return set(o, R());
          const R* m = std::any_cast<R>(&v.Value);
          if (!m) throw EPropertyConvertError(u"Invalid property value");
          set(o, *m);
        };
    } else {
      static_assert(sizeof(R) == 0, "unsupported published property type");
    }
    return TPropBuilder(AddProp(std::move(p)));
  }

  static String Utf8Name(const char* s);
  TPropInfo* AddProp(TPropInfo&& p);
  void AddMethod(TPublishedMethod&& m);
  void AddField(TPublishedField&& f);

  TClass class_;
};

// Registers a class's published members once (normally done on first look-up).
void RegisterPublishedClass(TClass c, void (*Register)(TPropertyRegistrar&));

namespace rtti_detail {
// Registers T and its ancestors that declare RegisterProperties of their own.
template <class T>
void EnsureChain() {
  if constexpr (requires { typename T::inherited; }) {
    using P = typename T::inherited;
    if constexpr (requires { &T::RegisterProperties; }) {
      bool own = true;
      if constexpr (requires { &P::RegisterProperties; })
        own = &T::RegisterProperties != &P::RegisterProperties;
      if (own) RegisterPublishedClass(T::StaticClass(), &T::RegisterProperties);
      EnsureChain<P>();
    }
  }
}
}  // namespace rtti_detail

template <class T>
void RegisterPublished() {
  rtti_detail::EnsureChain<T>();
}

// Look-ups. The instance forms register the classes of the instance's chain on first use.
const TPropInfo* GetPropInfo(const TObject* Instance, const String& PropName);
const TPropInfo* GetPropInfo(TClass AClass, const String& PropName);
std::vector<const TPropInfo*> GetPropList(const TObject* Instance);
std::vector<const TPropInfo*> GetPropList(TClass AClass);
bool IsPublishedProp(const TObject* Instance, const String& PropName);
bool IsStoredProp(TObject* Instance, const TPropInfo* PropInfo);
const TPublishedMethod* FindPublishedMethod(const TObject* Instance, const String& Name);
// The name of the published method of Instance that Value refers to ("" when none).
String GetPublishedMethodName(const TObject* Instance, const TMethodValue& Value);
const TPublishedField* FindPublishedField(const TObject* Instance, const String& Name);

// Typed access by name; an unknown name raises EPropertyError "Property <name> does not
// exist", a wrong kind EPropertyConvertError "Invalid property type: <type>".
int64_t GetOrdProp(TObject* Instance, const String& PropName);
void SetOrdProp(TObject* Instance, const String& PropName, int64_t Value);
String GetEnumProp(TObject* Instance, const String& PropName);
void SetEnumProp(TObject* Instance, const String& PropName, const String& Value);
String GetSetProp(TObject* Instance, const String& PropName, bool Brackets = false);
void SetSetProp(TObject* Instance, const String& PropName, const String& Value);
String GetStrProp(TObject* Instance, const String& PropName);
void SetStrProp(TObject* Instance, const String& PropName, const String& Value);
double GetFloatProp(TObject* Instance, const String& PropName);
void SetFloatProp(TObject* Instance, const String& PropName, double Value);
TObject* GetObjectProp(TObject* Instance, const String& PropName);
void SetObjectProp(TObject* Instance, const String& PropName, TObject* Value);
TMethodValue GetMethodProp(TObject* Instance, const String& PropName);
void SetMethodProp(TObject* Instance, const String& PropName, const TMethodValue& Value);
// Any kind as a Variant (enumerations as their names, sets as "[a,b]" text, objects and
// methods are not supported).
Variant GetPropValue(TObject* Instance, const String& PropName);
void SetPropValue(TObject* Instance, const String& PropName, const Variant& Value);

}  // namespace qd

// In a class body: the class has published members, declared in
// `static void RegisterProperties(TPropertyRegistrar&)`.
#define QD_PUBLISHED(Cls)                                      \
 public:                                                       \
  static void RegisterProperties(::qd::TPropertyRegistrar& r); \
  void EnsurePublished() const override {                      \
    ::qd::rtti_detail::EnsureChain<Cls>();                     \
  }                                                            \
                                                               \
 private:

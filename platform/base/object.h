#pragma once
// TObject and class metadata: every class of the system that needs a class reference
// (ClassName, InheritsFrom, creation by class, registries, stored forms) declares
// QD_CLASS in its body and QD_IMPLEMENT_CLASS in its .cpp file.
#include <concepts>
#include <string_view>
#include <type_traits>

#include "platform/base/types.h"

namespace qd {

class TObject;

// The static description of a class; a TClass is a pointer to one.
struct TClassInfo {
  const char* name;               // the class name, e.g. "TcxLabel"
  const TClassInfo* parent;       // nullptr for TObject
  TObject* (*factory)(TObject*);  // creates an instance (nullptr for abstract classes)

  bool InheritsFrom(const TClassInfo* ancestor) const {
    for (const TClassInfo* c = this; c; c = c->parent)
      if (c == ancestor) return true;
    return false;
  }
  String ClassName() const;
  // Creates an instance with the class's creation constructor; the argument is the owner
  // for classes whose constructor takes one (see QD_CLASS_OWNER), otherwise ignored.
  TObject* Create(TObject* owner = nullptr) const { return factory ? factory(owner) : nullptr; }
};
using TClass = const TClassInfo*;

class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  String ClassName() const { return ClassType()->ClassName(); }
  const char* ClassNameA() const { return ClassType()->name; }
  TClass ClassParent() const { return ClassType()->parent; }
  bool InheritsFrom(TClass c) const { return ClassType()->InheritsFrom(c); }
  template <class T>
  bool Is() const {
    return InheritsFrom(T::StaticClass());
  }
  // Called after the most derived constructor has run, by creation through a class
  // reference and by classes that need a virtual second phase.
  virtual void AfterConstruction() {}
};

namespace detail {
template <class T>
TObject* CreateInstance(TObject* owner) {
  if constexpr (std::is_abstract_v<T>) {
    return nullptr;
  } else if constexpr (requires { typename T::OwnerType; }) {
    using O = typename T::OwnerType;
    if constexpr (std::is_constructible_v<T, O*>) {
      T* obj = new T(dynamic_cast<O*>(owner));
      obj->AfterConstruction();
      return obj;
    } else {
      return nullptr;
    }
  } else if constexpr (std::is_default_constructible_v<T>) {
    T* obj = new T();
    obj->AfterConstruction();
    return obj;
  } else {
    return nullptr;
  }
}
}  // namespace detail

// Class registry for look-up by name (stored forms, picture data, RegisterClass).
void RegisterClass(TClass c);
void UnRegisterClass(TClass c);
// nullptr when no class of that name is registered (names compare case-insensitively).
TClass GetClass(std::string_view name);
// Raises EClassNotFound when no class of that name is registered.
TClass FindClass(std::string_view name);

// Class groups: every registered class belongs to one group, named by its group class. The
// root group (TObject's) holds every class that no other group claims, and is always searched;
// of the other groups only the active one is, so GetClass and FindClass see the root group's
// classes and those of the active group. A class belongs to the group of its nearest ancestor
// (itself included) that is a group class or was grouped with GroupDescendentsWith.
//
// Starts a group for AClass and its descendants (nothing when AClass already names a group).
void StartClassGroup(TClass AClass);
// AClass and its descendants join the group that AClassGroup belongs to now.
void GroupDescendentsWith(TClass AClass, TClass AClassGroup);
// Makes the group of AClass the active one; answers the group class of the group that was
// active (TObject's when only the root group was).
TClass ActivateClassGroup(TClass AClass);
// The group class of the group AClass belongs to.
TClass ClassGroupOf(TClass AClass);

template <class T>
T* ObjectCast(TObject* o) {
  return dynamic_cast<T*>(o);
}

}  // namespace qd

// In a class body: declares the class reference and the `inherited` alias.
#define QD_CLASS(Cls, Parent)               \
 public:                                    \
  using inherited = Parent;                 \
  static ::qd::TClass StaticClass();        \
  ::qd::TClass ClassType() const override { \
    return StaticClass();                   \
  }                                         \
                                            \
 private:

// In the class's .cpp file (at namespace scope, in the class's namespace).
#define QD_IMPLEMENT_CLASS(Cls)                                             \
  ::qd::TClass Cls::StaticClass() {                                         \
    static const ::qd::TClassInfo info{#Cls, Cls::inherited::StaticClass(), \
                                       &::qd::detail::CreateInstance<Cls>}; \
    return &info;                                                           \
  }

// A class template or header-only class: defines StaticClass inline.
#define QD_CLASS_INLINE(Cls, Parent)                                                                     \
 public:                                                                                                 \
  using inherited = Parent;                                                                              \
  static ::qd::TClass StaticClass() {                                                                    \
    static const ::qd::TClassInfo info{#Cls, Parent::StaticClass(), &::qd::detail::CreateInstance<Cls>}; \
    return &info;                                                                                        \
  }                                                                                                      \
  ::qd::TClass ClassType() const override {                                                              \
    return StaticClass();                                                                                \
  }                                                                                                      \
                                                                                                         \
 private:

#pragma once
// The library's class unit: root objects and persistent bases, the free-notification
// helper, owning lists, event handler collections, class registries and small helpers.
#include <cstdint>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/method.h"
#include "platform/base/object.h"
#include "platform/base/types.h"
#include "platform/classes/classes.h"
#include "ui/core/dxCoreClasses.h"

namespace qd {

using TNotifyEvent = TMethod<void(TObject* Sender)>;

// --- Root objects -------------------------------------------------------------------

// An object reached through interfaces without reference counting: its owner frees it,
// and interface references must not outlive it.
class TcxIUnknownObject : public TObject {
  QD_CLASS(TcxIUnknownObject, TObject)

 public:
  static constexpr int32_t S_OK = 0;
  static constexpr int32_t E_NOINTERFACE = static_cast<int32_t>(0x80004002u);

  // S_OK and the interface when the object implements it, E_NOINTERFACE otherwise.
  template <class I>
  int32_t QueryInterface(I*& AObj) {
    AObj = dynamic_cast<I*>(this);
    return AObj ? S_OK : E_NOINTERFACE;
  }
  int32_t _AddRef() { return -1; }
  int32_t _Release() { return -1; }
};

// A persistent object with an owner that can be reached through interfaces; releasing an
// interface never frees it.
class TcxInterfacedPersistent : public TInterfacedPersistent {
  QD_CLASS(TcxInterfacedPersistent, TInterfacedPersistent)

 public:
  using OwnerType = TPersistent;
  explicit TcxInterfacedPersistent(TPersistent* AOwner) : FOwner(AOwner) {}
  TPersistent* GetOwner() const override { return FOwner; }
  TPersistent* Owner() const { return FOwner; }

 protected:
  TPersistent* FOwner;
};

// A persistent object with an owner; assigning another one calls DoAssign.
class TcxOwnedPersistent : public TPersistent {
  QD_CLASS(TcxOwnedPersistent, TPersistent)

 public:
  using OwnerType = TPersistent;
  explicit TcxOwnedPersistent(TPersistent* AOwner) : FOwner(AOwner) {}
  // From a TcxOwnedPersistent: DoAssign; otherwise the platform's assignment, which raises
  // EConvertError for a source it cannot take.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }
  TPersistent* Owner() const { return FOwner; }

 protected:
  virtual void DoAssign(TPersistent* Source) {}

  TPersistent* FOwner;
};

using TcxFreeNotificationEvent = TMethod<void(TComponent* Sender)>;

// Calls OnFreeNotification for every component handed to AddSender when it is freed.
class TcxFreeNotificator : public TComponent {
  QD_CLASS(TcxFreeNotificator, TComponent)

 public:
  explicit TcxFreeNotificator(TComponent* AOwner) : TComponent(AOwner) {}
  void AddSender(TComponent* ASender);
  void RemoveSender(TComponent* ASender);

  const TcxFreeNotificationEvent& OnFreeNotification() const { return FOnFreeNotification; }
  void SetOnFreeNotification(const TcxFreeNotificationEvent& AValue) { FOnFreeNotification = AValue; }

  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TcxFreeNotificationEvent FOnFreeNotification;
};

// --- Owning object list ------------------------------------------------------------------

// A platform list of objects that frees them on Clear when it owns them.
class TcxObjectList : public TList {
  QD_CLASS(TcxObjectList, TList)

 public:
  explicit TcxObjectList(bool AOwnObjects = true) : FOwnObjects(AOwnObjects) {}
  ~TcxObjectList() override;

  // Frees every object (index 0 upward) when owning, then clears.
  void Clear() override;
  // Frees the object and deletes its entry.
  void FreeAndDelete(int32_t AIndex);
  // Deletes and frees the first occurrence; yields its former index or -1.
  int32_t FreeAndRemove(TObject* AObject);
  TObject* Items(int32_t AIndex) const { return static_cast<TObject*>(TList::Items(AIndex)); }
  TObject* operator[](int32_t AIndex) const { return Items(AIndex); }
  bool OwnObjects() const { return FOwnObjects; }

 protected:
  virtual void FreeItem(int32_t AIndex);

 private:
  bool FOwnObjects;
};

// --- Owning doubly linked list ----------------------------------------------------

class TcxDoublyLinkedObjectList;

class TcxDoublyLinkedObject : public TObject {
  QD_CLASS(TcxDoublyLinkedObject, TObject)

 public:
  TcxDoublyLinkedObject* Prev() const { return FPrev; }
  TcxDoublyLinkedObject* Next() const { return FNext; }

 protected:
  friend class TcxDoublyLinkedObjectList;
  TcxDoublyLinkedObject* FPrev = nullptr;
  TcxDoublyLinkedObject* FNext = nullptr;
};

// Owns its objects; Clear and the destructor free them, last first.
class TcxDoublyLinkedObjectList : public TObject {
  QD_CLASS(TcxDoublyLinkedObjectList, TObject)

 public:
  TcxDoublyLinkedObjectList() = default;
  ~TcxDoublyLinkedObjectList() override;

  // A new object of GetLinkedObjectClass, appended.
  virtual TcxDoublyLinkedObject* Add();
  virtual void Clear();
  // Unlinks and frees.
  virtual void Delete(TcxDoublyLinkedObject* AObject);
  // Unlinks; the object's own links are left as they were.
  virtual void Extract(TcxDoublyLinkedObject* AObject);
  virtual void Remove(TcxDoublyLinkedObject* AObject);

  // Link ASource (not in the list) before or after ADestination.
  void InsertBefore(TcxDoublyLinkedObject* ADestination, TcxDoublyLinkedObject* ASource);
  void InsertAfter(TcxDoublyLinkedObject* ADestination, TcxDoublyLinkedObject* ASource);

  int32_t Count() const;
  TcxDoublyLinkedObject* First() const { return FFirst; }
  TcxDoublyLinkedObject* Last() const { return FLast; }

 protected:
  virtual TcxDoublyLinkedObject* CreateLinkedObject();
  virtual void DoAdd(TcxDoublyLinkedObject* AObject);
  virtual TClass GetLinkedObjectClass() const { return TcxDoublyLinkedObject::StaticClass(); }

  TcxDoublyLinkedObject* FFirst = nullptr;
  TcxDoublyLinkedObject* FLast = nullptr;
};

// --- Event handler collection ------------------------------------------------------

// A handler with a sender and an untyped argument record.
using TcxEventHandler = TMethod<void(TObject* Sender, const void* AEventArgs)>;

// Handlers called in the order of adding; a handler already present is not added again.
class TcxEventHandlerCollection {
 public:
  void Add(const TcxEventHandler& AEvent);
  void Remove(const TcxEventHandler& AEvent);
  // Calls every handler with the sender and the argument record. A handler may add or
  // remove handlers: the call goes over the handlers present at its start, skipping those
  // removed meanwhile.
  void CallEvents(TObject* ASender, const void* AEventArgs) const;
  // Passes an empty argument record (one zero integer).
  void CallEvents(TObject* ASender) const;
  int32_t Count() const { return static_cast<int32_t>(FEvents.size()); }

 private:
  std::vector<TcxEventHandler> FEvents;
};

// --- Class registries -------------------------------------------------------------------

struct TcxRegisteredClassListItemData {
  TClass ItemClass = nullptr;        // the class asked about
  TClass RegisteredClass = nullptr;  // the class registered for it
};

// Maps a class to a class registered for it; a look-up answers with the entry of the most
// specific registered ancestor. Entries are kept so that walking from the end meets more
// specific classes first.
class TcxRegisteredClassList : public TObject {
  QD_CLASS(TcxRegisteredClassList, TObject)

 public:
  TcxRegisteredClassList() = default;
  ~TcxRegisteredClassList() override;

  // True with AIndex at the entry of AItemClass or its most specific registered ancestor.
  // Otherwise False, with AIndex at the lowest registered descendant if there is one, else
  // untouched.
  virtual bool Find(TClass AItemClass, int32_t& AIndex) const;
  // nullptr when no ancestor of AItemClass (or the class itself) is registered.
  TClass FindClass(TClass AItemClass) const;
  virtual void Register(TClass AItemClass, TClass ARegisteredClass);
  // Removes every entry of that pair.
  virtual void Unregister(TClass AItemClass, TClass ARegisteredClass);
  void Clear();

  int32_t Count() const { return FItems.Count(); }
  TcxRegisteredClassListItemData* Items(int32_t AIndex) const {
    return static_cast<TcxRegisteredClassListItemData*>(FItems.Items(AIndex));
  }

 private:
  TdxFastList FItems;
};

// Classes with human-readable descriptions; a description may carry a hint after "|".
class TcxRegisteredClasses : public TObject {
  QD_CLASS(TcxRegisteredClasses, TObject)

 public:
  // ARegisterClasses: also register each class with the platform's class registry.
  explicit TcxRegisteredClasses(bool ARegisterClasses = false) : FRegisterClasses(ARegisterClasses) {}
  ~TcxRegisteredClasses() override = default;

  // Ignored for a class already present.
  void Register(TClass AClass, const String& ADescription);
  void Unregister(TClass AClass);
  void Clear() { FItems.clear(); }

  // The text before the first "|" (all of it when there is none).
  String GetDescription(int32_t AIndex) const;
  // The text after the first "|" (all of it when there is none).
  String GetHint(int32_t AIndex) const;
  String GetDescriptionByClass(TClass AClass) const;
  String GetHintByClass(TClass AClass) const;
  int32_t GetIndexByClass(TClass AClass) const;
  // Exact, case-sensitive class name.
  TClass FindByClassName(const String& AClassName) const;
  // Exact description; nullptr for an empty text.
  TClass FindByDescription(const String& ADescription) const;

  bool Sorted() const { return FSorted; }
  // Setting it sorts at once; clearing it keeps the current order.
  void SetSorted(bool AValue);
  virtual void Sort();

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TClass Items(int32_t AIndex) const { return FItems.at(static_cast<size_t>(AIndex)).Class; }

 protected:
  // The locale-aware case-insensitive comparison of two descriptions (hints ignored).
  virtual int32_t CompareItems(int32_t AIndex1, int32_t AIndex2) const;

 private:
  struct TItem {
    String Text;  // description, optionally "|" and a hint
    TClass Class;
  };
  bool FRegisterClasses;
  bool FSorted = false;
  std::vector<TItem> FItems;
};

// --- Small helpers ----------------------------------------------------------------

// The hint split lives in the unit's namespace: the platform's control classes have
// functions of the same names.
namespace cxClasses {
// The part before the first "|" (all of S when there is none).
String GetShortHint(const String& S);
// The part after the first "|" (all of S when there is none).
String GetLongHint(const String& S);
}  // namespace cxClasses
// The character at the 1-based position AIndex.
const Char* GetPChar(const String& S, int32_t AIndex);
// Size in bytes of the character that begins at the 1-based position AIndex: 2, or 4 for
// a surrogate pair; 0 at or past the end.
int32_t cxStrCharLength(const String& S, int32_t AIndex);

template <class... A>
void dxCallNotify(const TMethod<void(A...)>& AEvent, TObject* ASender) {
  if (AEvent) AEvent(ASender);
}
inline void CallNotify(const TNotifyEvent& AEvent, TObject* ASender) {
  dxCallNotify(AEvent, ASender);
}
// Both the code and the data of two method references are equal.
template <class Sig>
bool dxSameMethods(const TMethod<Sig>& A, const TMethod<Sig>& B) {
  return A == B;
}

inline TPersistent* GetPersistentOwner(const TPersistent* APersistent) {
  return APersistent ? APersistent->GetOwner() : nullptr;
}

inline TSize Size(int32_t cx, int32_t cy) {
  return {cx, cy};
}
inline void SwapIntegers(int32_t& A, int32_t& B) {
  int32_t t = A;
  A = B;
  B = t;
}
inline int32_t cxSign(int64_t X) {
  return X >= 0 ? 1 : -1;
}
inline int32_t cxSign(double X) {
  return X >= 0 ? 1 : -1;
}
// (A + B) / 2 rounded toward minus infinity.
inline int32_t GetRangeCenter(int32_t A, int32_t B) {
  int64_t s = static_cast<int64_t>(A) + B;
  return static_cast<int32_t>((s - (s & 1)) / 2);
}

}  // namespace qd

#include "ui/core/cxClasses.h"

#include <algorithm>
#include <numeric>

#include "platform/os/nls.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxIUnknownObject)
QD_IMPLEMENT_CLASS(TcxInterfacedPersistent)
QD_IMPLEMENT_CLASS(TcxOwnedPersistent)
QD_IMPLEMENT_CLASS(TcxFreeNotificator)
QD_IMPLEMENT_CLASS(TcxObjectList)
QD_IMPLEMENT_CLASS(TcxDoublyLinkedObject)
QD_IMPLEMENT_CLASS(TcxDoublyLinkedObjectList)
QD_IMPLEMENT_CLASS(TcxRegisteredClassList)
QD_IMPLEMENT_CLASS(TcxRegisteredClasses)

// --- Persistent bases ------------------------------------------------------------------

void TcxOwnedPersistent::Assign(TPersistent* Source) {
  if (Source && Source->InheritsFrom(TcxOwnedPersistent::StaticClass()))
    DoAssign(Source);
  else
    TPersistent::Assign(Source);
}

void TcxFreeNotificator::AddSender(TComponent* ASender) {
  if (ASender) ASender->FreeNotification(this);
}

void TcxFreeNotificator::RemoveSender(TComponent* ASender) {
  if (ASender) ASender->RemoveFreeNotification(this);
}

void TcxFreeNotificator::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && FOnFreeNotification) FOnFreeNotification(AComponent);
}

// --- TcxObjectList ----------------------------------------------------------------------

TcxObjectList::~TcxObjectList() {
  TcxObjectList::Clear();
}

void TcxObjectList::Clear() {
  if (FOwnObjects)
    for (int32_t i = 0; i < Count(); ++i) FreeItem(i);
  TList::Clear();
}

void TcxObjectList::FreeItem(int32_t AIndex) {
  TObject* obj = Items(AIndex);
  Put(AIndex, nullptr);
  delete obj;
}

void TcxObjectList::FreeAndDelete(int32_t AIndex) {
  TObject* obj = Items(AIndex);
  Delete(AIndex);
  delete obj;
}

int32_t TcxObjectList::FreeAndRemove(TObject* AObject) {
  const int32_t index = IndexOf(AObject);
  if (index >= 0) FreeAndDelete(index);
  return index;
}

// --- TcxDoublyLinkedObjectList ---------------------------------------------------------

TcxDoublyLinkedObjectList::~TcxDoublyLinkedObjectList() {
  TcxDoublyLinkedObjectList::Clear();
}

TcxDoublyLinkedObject* TcxDoublyLinkedObjectList::CreateLinkedObject() {
  TObject* obj = GetLinkedObjectClass()->Create();
  auto* result = dynamic_cast<TcxDoublyLinkedObject*>(obj);
  if (!result) {
    delete obj;
    throw EInvalidOperation(u"Invalid linked object class");
  }
  return result;
}

void TcxDoublyLinkedObjectList::DoAdd(TcxDoublyLinkedObject* AObject) {
  if (FLast)
    InsertAfter(FLast, AObject);
  else
    FFirst = FLast = AObject;
}

TcxDoublyLinkedObject* TcxDoublyLinkedObjectList::Add() {
  TcxDoublyLinkedObject* obj = CreateLinkedObject();
  DoAdd(obj);
  return obj;
}

void TcxDoublyLinkedObjectList::InsertBefore(TcxDoublyLinkedObject* ADestination,
                                             TcxDoublyLinkedObject* ASource) {
  ASource->FNext = ADestination;
  ASource->FPrev = ADestination->FPrev;
  if (ADestination->FPrev)
    ADestination->FPrev->FNext = ASource;
  else
    FFirst = ASource;
  ADestination->FPrev = ASource;
}

void TcxDoublyLinkedObjectList::InsertAfter(TcxDoublyLinkedObject* ADestination,
                                            TcxDoublyLinkedObject* ASource) {
  ASource->FPrev = ADestination;
  ASource->FNext = ADestination->FNext;
  if (ADestination->FNext)
    ADestination->FNext->FPrev = ASource;
  else
    FLast = ASource;
  ADestination->FNext = ASource;
}

void TcxDoublyLinkedObjectList::Extract(TcxDoublyLinkedObject* AObject) {
  if (AObject->FPrev)
    AObject->FPrev->FNext = AObject->FNext;
  else if (FFirst == AObject)
    FFirst = AObject->FNext;
  if (AObject->FNext)
    AObject->FNext->FPrev = AObject->FPrev;
  else if (FLast == AObject)
    FLast = AObject->FPrev;
}

void TcxDoublyLinkedObjectList::Delete(TcxDoublyLinkedObject* AObject) {
  Extract(AObject);
  delete AObject;
}

void TcxDoublyLinkedObjectList::Remove(TcxDoublyLinkedObject* AObject) {
  Delete(AObject);
}

void TcxDoublyLinkedObjectList::Clear() {
  TcxDoublyLinkedObject* obj = FLast;
  FFirst = FLast = nullptr;
  while (obj) {
    TcxDoublyLinkedObject* prev = obj->FPrev;
    delete obj;
    obj = prev;
  }
}

int32_t TcxDoublyLinkedObjectList::Count() const {
  int32_t n = 0;
  for (TcxDoublyLinkedObject* obj = FLast; obj; obj = obj->FPrev) ++n;
  return n;
}

// --- TcxEventHandlerCollection ---------------------------------------------------------

void TcxEventHandlerCollection::Add(const TcxEventHandler& AEvent) {
  if (std::find(FEvents.begin(), FEvents.end(), AEvent) == FEvents.end()) FEvents.push_back(AEvent);
}

void TcxEventHandlerCollection::Remove(const TcxEventHandler& AEvent) {
  auto it = std::find(FEvents.begin(), FEvents.end(), AEvent);
  if (it != FEvents.end()) FEvents.erase(it);
}

void TcxEventHandlerCollection::CallEvents(TObject* ASender, const void* AEventArgs) const {
  const std::vector<TcxEventHandler> snapshot = FEvents;
  for (const TcxEventHandler& h : snapshot)
    if (std::find(FEvents.begin(), FEvents.end(), h) != FEvents.end()) h(ASender, AEventArgs);
}

void TcxEventHandlerCollection::CallEvents(TObject* ASender) const {
  const int32_t empty = 0;
  CallEvents(ASender, &empty);
}

// --- TcxRegisteredClassList ------------------------------------------------------------

TcxRegisteredClassList::~TcxRegisteredClassList() {
  Clear();
}

bool TcxRegisteredClassList::Find(TClass AItemClass, int32_t& AIndex) const {
  for (int32_t i = Count() - 1; i >= 0; --i) {
    const TClass itemClass = Items(i)->ItemClass;
    if (AItemClass->InheritsFrom(itemClass)) {
      AIndex = i;
      return true;
    }
    if (itemClass->InheritsFrom(AItemClass)) AIndex = i;
  }
  return false;
}

TClass TcxRegisteredClassList::FindClass(TClass AItemClass) const {
  int32_t index = -1;
  return AItemClass && Find(AItemClass, index) ? Items(index)->RegisteredClass : nullptr;
}

void TcxRegisteredClassList::Register(TClass AItemClass, TClass ARegisteredClass) {
  auto* item = new TcxRegisteredClassListItemData{AItemClass, ARegisteredClass};
  int32_t index = -1;
  if (Find(AItemClass, index))
    FItems.Insert(index + 1, item);
  else if (index == -1)
    FItems.Add(item);
  else
    FItems.Insert(index, item);
}

void TcxRegisteredClassList::Unregister(TClass AItemClass, TClass ARegisteredClass) {
  for (int32_t i = Count() - 1; i >= 0; --i) {
    TcxRegisteredClassListItemData* item = Items(i);
    if (item->ItemClass == AItemClass && item->RegisteredClass == ARegisteredClass) {
      FItems.Delete(i);
      delete item;
    }
  }
}

void TcxRegisteredClassList::Clear() {
  for (int32_t i = 0; i < Count(); ++i) delete Items(i);
  FItems.Clear();
}

// --- TcxRegisteredClasses --------------------------------------------------------------

void TcxRegisteredClasses::Register(TClass AClass, const String& ADescription) {
  if (!AClass || GetIndexByClass(AClass) >= 0) return;
  FItems.push_back({ADescription, AClass});
  if (FSorted) Sort();
  if (FRegisterClasses) RegisterClass(AClass);
}

void TcxRegisteredClasses::Unregister(TClass AClass) {
  const int32_t index = GetIndexByClass(AClass);
  if (index >= 0) FItems.erase(FItems.begin() + index);
}

String TcxRegisteredClasses::GetDescription(int32_t AIndex) const {
  return cxClasses::GetShortHint(FItems.at(static_cast<size_t>(AIndex)).Text);
}

String TcxRegisteredClasses::GetHint(int32_t AIndex) const {
  return cxClasses::GetLongHint(FItems.at(static_cast<size_t>(AIndex)).Text);
}

String TcxRegisteredClasses::GetDescriptionByClass(TClass AClass) const {
  const int32_t index = GetIndexByClass(AClass);
  return index >= 0 ? GetDescription(index) : String();
}

String TcxRegisteredClasses::GetHintByClass(TClass AClass) const {
  const int32_t index = GetIndexByClass(AClass);
  return index >= 0 ? GetHint(index) : String();
}

int32_t TcxRegisteredClasses::GetIndexByClass(TClass AClass) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Class == AClass) return static_cast<int32_t>(i);
  return -1;
}

TClass TcxRegisteredClasses::FindByClassName(const String& AClassName) const {
  for (const TItem& item : FItems)
    if (item.Class->ClassName() == AClassName) return item.Class;
  return nullptr;
}

TClass TcxRegisteredClasses::FindByDescription(const String& ADescription) const {
  if (ADescription.empty()) return nullptr;
  for (size_t i = 0; i < FItems.size(); ++i)
    if (GetDescription(static_cast<int32_t>(i)) == ADescription) return FItems[i].Class;
  return nullptr;
}

void TcxRegisteredClasses::SetSorted(bool AValue) {
  if (FSorted == AValue) return;
  FSorted = AValue;
  if (FSorted) Sort();
}

int32_t TcxRegisteredClasses::CompareItems(int32_t AIndex1, int32_t AIndex2) const {
  const String d1 = GetDescription(AIndex1);
  const String d2 = GetDescription(AIndex2);
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, d1.data(), static_cast<int>(d1.size()),
                        d2.data(), static_cast<int>(d2.size())) -
         CSTR_EQUAL;
}

void TcxRegisteredClasses::Sort() {
  std::vector<int32_t> order(FItems.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [this](int32_t a, int32_t b) { return CompareItems(a, b) < 0; });
  std::vector<TItem> sorted;
  sorted.reserve(FItems.size());
  for (int32_t i : order) sorted.push_back(FItems[static_cast<size_t>(i)]);
  FItems.swap(sorted);
}

// --- Small helpers ---------------------------------------------------------------------

namespace cxClasses {

String GetShortHint(const String& S) {
  const size_t p = S.find(u'|');
  return p == String::npos ? S : S.substr(0, p);
}

String GetLongHint(const String& S) {
  const size_t p = S.find(u'|');
  return p == String::npos ? S : S.substr(p + 1);
}

}  // namespace cxClasses

const Char* GetPChar(const String& S, int32_t AIndex) {
  return S.data() + (AIndex - 1);
}

int32_t cxStrCharLength(const String& S, int32_t AIndex) {
  if (AIndex < 1 || static_cast<size_t>(AIndex) > S.size()) return 0;
  const size_t i = static_cast<size_t>(AIndex - 1);
  const Char c = S[i];
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF) return 4;
  return 2;
}

}  // namespace qd

#include "ui/core/cxClasses.h"

#include <algorithm>

namespace qd {

QD_IMPLEMENT_CLASS(TcxIUnknownObject)
QD_IMPLEMENT_CLASS(TcxInterfacedPersistent)
QD_IMPLEMENT_CLASS(TcxOwnedPersistent)
QD_IMPLEMENT_CLASS(TcxFreeNotificator)
QD_IMPLEMENT_CLASS(TcxDoublyLinkedObject)
QD_IMPLEMENT_CLASS(TcxDoublyLinkedObjectList)

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

// --- Small helpers ---------------------------------------------------------------------

String GetShortHint(const String& S) {
  const size_t p = S.find(u'|');
  return p == String::npos ? S : S.substr(0, p);
}

String GetLongHint(const String& S) {
  const size_t p = S.find(u'|');
  return p == String::npos ? S : S.substr(p + 1);
}

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

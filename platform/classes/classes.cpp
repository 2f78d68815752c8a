#include "platform/classes/classes.h"

#include <algorithm>

#include "platform/base/strings.h"
#include "platform/classes/rtti.h"

namespace qd {

QD_IMPLEMENT_CLASS(TPersistent)
QD_IMPLEMENT_CLASS(TInterfacedPersistent)
QD_IMPLEMENT_CLASS(TComponent)
QD_IMPLEMENT_CLASS(TCollectionItem)
QD_IMPLEMENT_CLASS(TCollection)
QD_IMPLEMENT_CLASS(TOwnedCollection)

// --- TPersistent ---------------------------------------------------------------------

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
  } else {
    RaiseAssignError(nullptr, this);
  }
}

void TPersistent::AssignTo(TPersistent* Dest) {
  RaiseAssignError(this, Dest);
}

String TPersistent::GetNamePath() const {
  String result = ClassName();
  if (TPersistent* o = GetOwner()) {
    String s = o->GetNamePath();
    if (!s.empty()) result = s + u"." + result;
  }
  return result;
}

// --- TComponent ----------------------------------------------------------------------

bool IsValidIdent(StringView s, bool AllowDots) {
  if (s.empty()) return false;
  auto alpha = [](Char c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; };
  auto digit = [](Char c) { return c >= u'0' && c <= u'9'; };
  if (!alpha(s[0])) return false;
  for (size_t i = 1; i < s.size(); ++i) {
    Char c = s[i];
    if (AllowDots && c == u'.') {
      if (i + 1 >= s.size() || !alpha(s[i + 1])) return false;
      continue;
    }
    if (!alpha(c) && !digit(c)) return false;
  }
  return true;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  RemoveFreeNotifications();
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) RaiseListIndexError(Index);
  return components_[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (!owner_) return;
  int i = ComponentIndex();
  if (i < 0) return;
  auto& list = owner_->components_;
  int count = static_cast<int>(list.size());
  Value = std::clamp(Value, 0, count - 1);
  if (Value == i) return;
  list.erase(list.begin() + i);
  list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, AName)) return c;
  return nullptr;
}

void TComponent::SetName(const String& NewName) {
  if (name_ == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError(u"'" + NewName + u"' is not a valid component name");
  if (owner_)
    owner_->ValidateRename(this, name_, NewName);
  else
    ValidateRename(nullptr, name_, NewName);
  SetReference(false);
  ChangeName(NewName);
  SetReference(true);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  // Also checked when a named component is inserted (owner not yet set), so that names
  // stay unique in every owner.
  if (AComponent && !SameText(CurName, NewName) && (AComponent->owner_ == this || !AComponent->owner_)) {
    TComponent* other = FindComponent(NewName);
    if (other && other != AComponent)
      throw EComponentError(u"A component named " + NewName + u" already exists");
  }
  if (state_.Contains(csDesigning) && owner_) owner_->ValidateRename(AComponent, CurName, NewName);
}

void TComponent::SetReference(bool Enable) {
  if (!owner_ || name_.empty()) return;
  if (const TPublishedField* f = FindPublishedField(owner_, name_)) f->Set(owner_, Enable ? this : nullptr);
}

void TComponent::Insert(TComponent* AComponent) {
  components_.push_back(AComponent);
  AComponent->owner_ = this;
}

void TComponent::Remove(TComponent* AComponent) {
  AComponent->owner_ = nullptr;
  auto it = std::find(components_.begin(), components_.end(), AComponent);
  if (it != components_.end()) components_.erase(it);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  AComponent->ValidateContainer(this);
  ValidateRename(AComponent, String(), AComponent->name_);
  Insert(AComponent);
  AComponent->SetReference(true);
  if (state_.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  ValidateContainer(AComponent);
  Notification(AComponent, opRemove);
  AComponent->SetReference(false);
  Remove(AComponent);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* instance = components_.back();
    if (instance->state_.Contains(csFreeNotification) ||
        (state_.Contains(csDesigning) && state_.Contains(csInline)))
      RemoveComponent(instance);
    else
      Remove(instance);
    delete instance;
  }
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (!owner_ || AComponent->owner_ != owner_) {
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
      freeNotifies_.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent);
  if (it == freeNotifies_.end()) return;
  freeNotifies_.erase(it);
  AComponent->RemoveFreeNotification(this);
}

void TComponent::RemoveFreeNotifications() {
  // The partner is taken off both lists before it is told, so a Notification override
  // that does not call the inherited one cannot make this loop forever.
  while (!freeNotifies_.empty()) {
    TComponent* partner = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& back = partner->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    partner->Notification(this, opRemove);
  }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // Owned components may be added or removed by the calls; walk down by index.
  int i = ComponentCount() - 1;
  while (i >= 0) {
    components_[static_cast<size_t>(i)]->Notification(AComponent, Operation);
    --i;
    if (i >= ComponentCount()) i = ComponentCount() - 1;
  }
}

void TComponent::Loaded() {
  state_.Exclude(csLoading);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value)
    state_.Include(csDesigning);
  else
    state_.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* c : components_) c->SetDesigning(Value, true);
}

void TComponent::SetInline(bool Value) {
  if (Value)
    state_.Include(csInline);
  else
    state_.Exclude(csInline);
}

void TComponent::SetDesignInstance(bool Value) {
  if (Value)
    state_.Include(csDesignInstance);
  else
    state_.Exclude(csDesignInstance);
}

void TComponent::SetAncestor(bool Value) {
  if (Value)
    state_.Include(csAncestor);
  else
    state_.Exclude(csAncestor);
  for (TComponent* c : components_) c->SetAncestor(Value);
}

void TComponent::SetSubComponent(bool IsSubComponent) {
  if (IsSubComponent)
    style_.Include(csSubComponent);
  else
    style_.Exclude(csSubComponent);
}

// --- Collections ---------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* Collection) {
  SetCollection(Collection);
}

TCollectionItem::~TCollectionItem() {
  SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (collection_ == Value) return;
  if (collection_) collection_->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& items = collection_->items_;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int cur = Index();
  if (cur >= 0 && cur != Value) {
    collection_->MoveItem(this, Value);
    Changed(true);
  }
}

void TCollectionItem::Changed(bool AllItems) {
  if (collection_ && collection_->updateCount_ == 0) collection_->Update(AllItems ? nullptr : this);
}

String TCollectionItem::GetNamePath() const {
  if (!collection_) return ClassName();
  return collection_->GetNamePath() + u"[" + IntToStr(Index()) + u"]";
}

TPersistent* TCollectionItem::GetOwner() const {
  return collection_;
}

TCollection::TCollection(TCollectionItemClass ItemClass) : itemClass_(ItemClass) {}

TCollection::~TCollection() {
  updateCount_ = 1;
  while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::Add() {
  // The item joins the list from its constructor; the notifications wait until it is
  // fully constructed, so overrides of Notify and Update see a complete item.
  TObject* obj = nullptr;
  deferNotify_ = true;
  try {
    obj = itemClass_ ? itemClass_->Create(this) : nullptr;
  } catch (...) {
    deferNotify_ = false;
    throw;
  }
  deferNotify_ = false;
  auto* item = dynamic_cast<TCollectionItem*>(obj);
  if (!item) {
    delete obj;
    throw EInvalidOperation(u"Cannot create an item of class " +
                            (itemClass_ ? itemClass_->ClassName() : String(u"nil")));
  }
  if (item->collection_ != this) {
    item->SetCollection(this);
  } else {
    Notify(item, cnAdded);
    Changed();
    Added(item);
  }
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  Notify(item, cnDeleting);
  Deleting(item);
  // Taken out before the destructor runs, so Notify sees the whole item.
  RemoveItem(item);
  delete item;
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  try {
    while (!items_.empty()) {
      TCollectionItem* item = items_.back();
      RemoveItem(item);
      delete item;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::ClearAndResetID() {
  Clear();
  nextId_ = 0;
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  return items_[static_cast<size_t>(Index)];
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* i : items_)
    if (i->id_ == ID) return i;
  return nullptr;
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  Changed();
}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TCollection*>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      for (TCollectionItem* item : src->items_) Add()->Assign(item);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

String TCollection::GetNamePath() const {
  String result = ClassName();
  TPersistent* o = GetOwner();
  if (!o) return result;
  String s = o->GetNamePath();
  if (s.empty() || propName_.empty()) return result;
  return s + u"." + propName_;
}

void TCollection::Exchange(int Index1, int Index2) {
  Items(Index1);
  Items(Index2);
  std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  items_.push_back(Item);
  Item->collection_ = this;
  Item->id_ = nextId_++;
  if (deferNotify_) return;
  Notify(Item, cnAdded);
  Changed();
  Added(Item);
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it != items_.end()) items_.erase(it);
  Item->collection_ = nullptr;
  Changed();
}

void TCollection::MoveItem(TCollectionItem* Item, int NewIndex) {
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it == items_.end()) return;
  if (NewIndex < 0 || NewIndex >= Count()) RaiseListIndexError(NewIndex);
  items_.erase(it);
  items_.insert(items_.begin() + NewIndex, Item);
}

// ---- Identifier tables ------------------------------------------------------------------------

bool IdentToInt(StringView Ident, int64_t& Int, std::span<const TIdentMapEntry> Map) {
  for (const TIdentMapEntry& e : Map)
    if (SameText(Ident, e.Name)) {
      Int = e.Value;
      return true;
    }
  return false;
}

bool IntToIdent(int64_t Int, String& Ident, std::span<const TIdentMapEntry> Map) {
  for (const TIdentMapEntry& e : Map)
    if (e.Value == Int) {
      Ident = e.Name;
      return true;
    }
  return false;
}

}  // namespace qd

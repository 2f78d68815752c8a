#pragma once
// Persistent objects, components with ownership and free notification, collections.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/object.h"
#include "platform/base/set.h"
#include "platform/base/types.h"

namespace qd {

class TFiler;
class TReader;
class TWriter;
class TComponent;

class TPersistent : public TObject {
  QD_CLASS(TPersistent, TObject)

 public:
  // Copies Source into this object; the default asks Source to assign itself to this
  // object and raises EConvertError when neither side knows how.
  virtual void Assign(TPersistent* Source);
  // Dotted path naming this object in its owner chain ("Form1.Button1.Font").
  virtual String GetNamePath() const;
  virtual TPersistent* GetOwner() const { return nullptr; }
  // Adds non-published data to stored forms (TFiler::DefineProperty).
  virtual void DefineProperties(TFiler* Filer) {}
  // Registers the published members of this object's classes (see rtti.h, QD_PUBLISHED).
  virtual void EnsurePublished() const {}

 protected:
  virtual void AssignTo(TPersistent* Dest);
};

// A persistent object that can be reached through interfaces without reference counting.
class TInterfacedPersistent : public TPersistent {
  QD_CLASS(TInterfacedPersistent, TPersistent)
};

enum TComponentStateItem : uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TComponentStyleItem : uint8_t { csInheritable, csCheckPropAvail, csSubComponent, csTransient };
using TComponentStyle = TSet<TComponentStyleItem>;

enum TOperation : uint8_t { opInsert, opRemove };

using TGetChildProc = std::function<void(TComponent* Child)>;

// A component: named, owned by another component, which frees it. Components that
// reference each other across owners ask for free notification and are told
// (Notification(x, opRemove)) when the other side is destroyed.
//
// C++ note: the destructor runs after the derived parts are gone, so virtual calls made
// from it reach TComponent's own versions. A derived class whose Notification or owned
// components must still see its own state calls Destroying() and DestroyComponents() at
// the start of its destructor.
class TComponent : public TPersistent {
  QD_CLASS(TComponent, TPersistent)

 public:
  using OwnerType = TComponent;

  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  TPersistent* GetOwner() const override { return owner_; }
  String GetNamePath() const override { return name_; }

  const String& Name() const { return name_; }
  // Raises EComponentError for an invalid identifier or a duplicate in the same owner.
  virtual void SetName(const String& NewName);

  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t v) { tag_ = v; }
  // The design-time position of a component that is not a control (Left in the low word,
  // Top in the high word), stored in forms as Left and Top.
  uint32_t DesignInfo() const { return designInfo_; }
  void SetDesignInfo(uint32_t v) { designInfo_ = v; }
  void DefineProperties(TFiler* Filer) override;

  TComponentState ComponentState() const { return state_; }
  TComponentStyle ComponentStyle() const { return style_; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises EListError for an index out of range.
  TComponent* Components(int Index) const;
  int ComponentIndex() const;
  void SetComponentIndex(int Value);
  // Case-insensitive; nullptr for an empty name or when there is none.
  TComponent* FindComponent(const String& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees the owned components, last first.
  void DestroyComponents();
  // Marks this component and its owned components as being destroyed.
  void Destroying();

  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  // Tells every free-notification partner that this component goes away.
  void RemoveFreeNotifications();

  virtual void Notification(TComponent* AComponent, TOperation Operation);

  // Stored-form support.
  virtual void Loaded();
  virtual void ReadState(TReader* Reader);
  virtual void WriteState(TWriter* Writer);
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root) {}
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual void SetChildOrder(TComponent* Child, int Order) {}
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value) {}
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  virtual void ValidateContainer(TComponent* AComponent) {}
  virtual void ValidateInsert(TComponent* AComponent) {}
  virtual void Updating() { state_.Include(csUpdating); }
  virtual void Updated() { state_.Exclude(csUpdating); }

  void SetDesigning(bool Value, bool SetChildren = true);
  void SetInline(bool Value);
  void SetDesignInstance(bool Value);
  void SetAncestor(bool Value);
  void SetSubComponent(bool IsSubComponent);

  // Direct state changes for the stored-form reader and the visual library.
  void IncludeState(TComponentStateItem s) { state_.Include(s); }
  void ExcludeState(TComponentStateItem s) { state_.Exclude(s); }

  // Called when the name changes (after validation); sets the name.
  virtual void ChangeName(const String& NewName) { name_ = NewName; }

 protected:
  // Sets (or clears) the owner's published field named like this component.
  virtual void SetReference(bool Enable);

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);

  TComponent* owner_ = nullptr;
  String name_;
  intptr_t tag_ = 0;
  uint32_t designInfo_ = 0;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  TComponentState state_;
  TComponentStyle style_{csInheritable};
};

// True when s is a valid identifier: a letter or '_' followed by letters, digits or '_'.
bool IsValidIdent(StringView s, bool AllowDots = false);

// --- Collections -------------------------------------------------------------------

class TCollection;

enum TCollectionNotification : uint8_t { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  QD_CLASS(TCollectionItem, TPersistent)

 public:
  using OwnerType = TCollection;

  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  void SetCollection(TCollection* Value);
  int ID() const { return id_; }
  int Index() const;
  virtual void SetIndex(int Value);
  virtual String DisplayName() const { return ClassName(); }
  virtual void SetDisplayName(const String& Value) { Changed(false); }
  String GetNamePath() const override;
  TPersistent* GetOwner() const override;

 protected:
  // Tells the collection that this item (or, with AllItems, every item) changed.
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

using TCollectionItemClass = TClass;

class TCollection : public TPersistent {
  QD_CLASS(TCollection, TPersistent)

 public:
  explicit TCollection(TCollectionItemClass ItemClass = TCollectionItem::StaticClass());
  ~TCollection() override;

  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  // Clear, and numbering of new items starts at 0 again.
  void ClearAndResetID();
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int Index) const;
  void SetItem(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }
  TCollectionItem* FindItemID(int ID) const;
  TCollectionItemClass ItemClass() const { return itemClass_; }
  int NextID() const { return nextId_; }

  virtual void BeginUpdate() { ++updateCount_; }
  virtual void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  void Assign(TPersistent* Source) override;
  String GetNamePath() const override;
  // The name of the owner's property that holds this collection ("" when unknown).
  String PropName() const { return propName_; }
  void SetPropName(const String& v) { propName_ = v; }

  // Moves an item between positions without notification.
  void Exchange(int Index1, int Index2);

 protected:
  friend class TCollectionItem;
  // Item is nullptr when the whole collection changed.
  virtual void Update(TCollectionItem* Item) {}
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
  virtual void Added(TCollectionItem* Item) {}
  virtual void Deleting(TCollectionItem* Item) {}
  void Changed();

 private:
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void MoveItem(TCollectionItem* Item, int NewIndex);

  TCollectionItemClass itemClass_;
  std::vector<TCollectionItem*> items_;
  int updateCount_ = 0;
  int nextId_ = 0;
  bool deferNotify_ = false;
  String propName_;
};

// A collection whose owner (for name paths and stored forms) is given at creation.
class TOwnedCollection : public TCollection {
  QD_CLASS(TOwnedCollection, TCollection)

 public:
  TOwnedCollection(TPersistent* AOwner = nullptr,
                   TCollectionItemClass ItemClass = TCollectionItem::StaticClass())
      : TCollection(ItemClass), owner_(AOwner) {}
  TPersistent* GetOwner() const override { return owner_; }

 private:
  TPersistent* owner_;
};

// A table of identifiers for integer values (colour, cursor and modal-result names...).
struct TIdentMapEntry {
  int64_t Value;
  const Char* Name;
};

// The value of the first entry whose name equals Ident, case-insensitively.
bool IdentToInt(StringView Ident, int64_t& Int, std::span<const TIdentMapEntry> Map);
// The name of the first entry holding Int.
bool IntToIdent(int64_t Int, String& Ident, std::span<const TIdentMapEntry> Map);

}  // namespace qd

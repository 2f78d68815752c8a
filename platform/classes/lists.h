#pragma once
// Pointer lists, object lists and string lists.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/base/method.h"
#include "platform/classes/classes.h"

namespace qd {

class TEncoding;
class TStream;

using TNotifyEvent = TMethod<void(TObject* Sender)>;

enum TListNotification : uint8_t { lnAdded, lnExtracted, lnDeleted };
enum TListAssignOp : uint8_t { laCopy, laAnd, laOr, laXor, laSrcUnique, laDestUnique };
enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

using TListSortCompare = int (*)(void* Item1, void* Item2);

// A list of pointers. Index errors raise EListError "List index out of bounds (<i>)".
class TList : public TObject {
  QD_CLASS(TList, TObject)

 public:
  TList() = default;
  ~TList() override;

  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  // Returns the index the item had, or -1.
  int Remove(void* Item);
  // Takes the item out without the delete notification; nullptr when absent.
  void* Extract(void* Item);
  int IndexOf(void* Item) const;
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  // Removes the nullptr items.
  void Pack();
  void Sort(TListSortCompare Compare);
  void SortList(const std::function<int(void*, void*)>& Compare);
  virtual void Clear();
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }
  TList* Expand();

  int Count() const { return static_cast<int>(items_.size()); }
  void SetCount(int NewCount);
  int Capacity() const { return capacity_; }
  void SetCapacity(int NewCapacity);
  void* Get(int Index) const;
  void Put(int Index, void* Item);
  void* Items(int Index) const { return Get(Index); }
  void* operator[](int Index) const { return Get(Index); }
  void** List() { return items_.data(); }

  // Combines this list with ListA (and ListB): with ListB, this list first becomes a copy
  // of ListA and ListB is the source; otherwise ListA is the source.
  //   laCopy: the source; laAnd: items in both; laOr: union; laXor: items in one only;
  //   laSrcUnique: this list's items not in the source; laDestUnique: the source's items
  //   not in this list (in reverse source order).
  void Assign(TList* ListA, TListAssignOp AOperator = laCopy, TList* ListB = nullptr);

 protected:
  virtual void Notify(void* Ptr, TListNotification Action) {}
  virtual void Grow();

 private:
  std::vector<void*> items_;
  int capacity_ = 0;
};

// A list of objects that frees the objects it removes while OwnsObjects is set.
class TObjectList : public TList {
  QD_CLASS(TObjectList, TList)

 public:
  explicit TObjectList(bool AOwnsObjects = true) : ownsObjects_(AOwnsObjects) {}
  ~TObjectList() override;
  int Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(int Index, TObject* AObject) { TList::Insert(Index, AObject); }
  int Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  int IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
  TObject* Items(int Index) const { return static_cast<TObject*>(Get(Index)); }
  void SetItem(int Index, TObject* AObject) { Put(Index, AObject); }
  TObject* operator[](int Index) const { return Items(Index); }
  TObject* First() const { return Items(0); }
  TObject* Last() const { return Items(Count() - 1); }
  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }

 protected:
  void Notify(void* Ptr, TListNotification Action) override;

 private:
  bool ownsObjects_;
};

// --- String lists ----------------------------------------------------------------------

// An abstract list of strings with attached objects. Descendants provide Get, GetCount,
// Insert, Delete and Clear (and GetObject/PutObject when they keep objects).
class TStrings : public TPersistent {
  QD_CLASS(TStrings, TPersistent)

 public:
  TStrings() = default;

  virtual String Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int Index) const { return nullptr; }
  virtual void Put(int Index, const String& S);
  virtual void PutObject(int Index, TObject* AObject) {}
  virtual void Insert(int Index, const String& S) = 0;
  virtual void InsertObject(int Index, const String& S, TObject* AObject);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual int Add(const String& S);
  virtual int AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  // Adds "Name=Value" (with the current separator).
  int AddPair(const String& Name, const String& Value) { return Add(Name + NameValueSeparator + Value); }
  virtual void AddStrings(TStrings* Strings);
  void AddStrings(const std::vector<String>& Strings);
  void Assign(TPersistent* Source) override;
  // Stored forms keep the lines as "Strings = ('a' 'b')".
  void DefineProperties(TFiler* Filer) override;
  bool Equals(TStrings* Strings) const;

  virtual int IndexOf(const String& S) const;
  virtual int IndexOfName(const String& Name) const;
  int IndexOfObject(TObject* AObject) const;
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);

  int Count() const { return GetCount(); }
  String Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const String& S) { Put(Index, S); }
  String operator[](int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

  // "Name=Value" access. Names compare as CompareStrings does (case-insensitive unless a
  // string list is case-sensitive). Setting an empty value deletes the line.
  String Names(int Index) const;
  String Values(const String& Name) const;
  void SetValues(const String& Name, const String& Value);
  String ValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const String& Value);

  Char NameValueSeparator = u'=';
  Char Delimiter = u',';
  Char QuoteChar = u'"';
  bool StrictDelimiter = false;
  String LineBreak = u"\r\n";
  bool TrailingLineBreak = true;
  bool WriteBOM = true;

  // Lines joined with LineBreak (after every line while TrailingLineBreak); setting splits
  // at CR LF, LF or CR.
  virtual String Text() const;
  virtual void SetText(const String& Value);
  String CommaText() const;
  void SetCommaText(const String& Value);
  String DelimitedText() const;
  void SetDelimitedText(const String& Value);

  // Without an encoding, a byte-order mark decides; else UTF-8, or Windows-1252 for bytes
  // that are not UTF-8. Saving without one uses the encoding the text was loaded with,
  // else UTF-8 without a byte-order mark.
  virtual void LoadFromFile(const String& FileName, TEncoding* Encoding = nullptr);
  virtual void LoadFromStream(TStream* Stream, TEncoding* Encoding = nullptr);
  virtual void SaveToFile(const String& FileName, TEncoding* Encoding = nullptr) const;
  virtual void SaveToStream(TStream* Stream, TEncoding* Encoding = nullptr) const;
  TEncoding* Encoding() const { return encoding_; }

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  std::vector<String> ToStringArray() const;
  // <0, 0, >0; TStrings compares case-insensitively with the user locale's collation.
  virtual int CompareStrings(const String& S1, const String& S2) const;

 protected:
  virtual void SetUpdateState(bool Updating) {}
  [[noreturn]] void Error(const String& Msg, int Data) const;

 private:
  int updateCount_ = 0;
  TEncoding* encoding_ = nullptr;
};

class TStringList;
using TStringListSortCompare = int (*)(TStringList* List, int Index1, int Index2);

class TStringList : public TStrings {
  QD_CLASS(TStringList, TStrings)

 public:
  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : ownsObjects_(OwnsObjects) {}
  TStringList(TDuplicates QueryDuplicates, bool QuerySorted, bool QueryCaseSensitive)
      : sorted_(QuerySorted), caseSensitive_(QueryCaseSensitive), duplicates_(QueryDuplicates) {}
  ~TStringList() override;

  String Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(list_.size()); }
  TObject* GetObject(int Index) const override;
  void Put(int Index, const String& S) override;
  void PutObject(int Index, TObject* AObject) override;
  // Raise EStringListError "Operation not allowed on sorted list" while Sorted.
  void Insert(int Index, const String& S) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;
  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  int IndexOf(const String& S) const override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;
  void Assign(TPersistent* Source) override;

  // Binary search in a sorted list: true when found; Index is the match (the first one
  // with dupAccept) or the insertion point.
  virtual bool Find(const String& S, int& Index) const;
  virtual void Sort();
  // Sorts an unsorted list with the comparison (a TStringListSortCompare or a lambda).
  virtual void CustomSort(const std::function<int(TStringList*, int, int)>& Compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool Value);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }
  int Capacity() const { return static_cast<int>(list_.capacity()); }
  void SetCapacity(int Value) { list_.reserve(static_cast<size_t>(Value < 0 ? 0 : Value)); }

  int CompareStrings(const String& S1, const String& S2) const override;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool Updating) override;
  virtual void InsertItem(int Index, const String& S, TObject* AObject);
  void ExchangeItems(int Index1, int Index2);

 private:
  struct Item {
    String s;
    TObject* o = nullptr;
  };
  void CheckIndex(int Index) const;
  std::vector<Item> list_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  bool ownsObjects_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

}  // namespace qd

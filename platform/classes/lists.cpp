#include "platform/classes/lists.h"

#include <algorithm>

#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
#include "platform/classes/streams.h"
#include "platform/os/nls.h"

namespace qd {

QD_IMPLEMENT_CLASS(TList)
QD_IMPLEMENT_CLASS(TObjectList)
QD_IMPLEMENT_CLASS(TStrings)
QD_IMPLEMENT_CLASS(TStringList)

namespace {

// The library's quicksort over indices: the pivot is followed through exchanges, and the
// scans stop at the pivot, so an inconsistent comparison cannot run off the ends.
template <class Compare, class Swap>
void QuickSortIndices(int L, int R, Compare&& cmp, Swap&& swap) {
  while (L < R) {
    if (R - L == 1) {
      if (cmp(L, R) > 0) swap(L, R);
      break;
    }
    int I = L, J = R, P = (L + R) >> 1;
    do {
      while (I != P && cmp(I, P) < 0) ++I;
      while (J != P && cmp(J, P) > 0) --J;
      if (I <= J) {
        if (I != J) swap(I, J);
        if (P == I)
          P = J;
        else if (P == J)
          P = I;
        ++I;
        --J;
      }
    } while (I <= J);
    if (J - L > R - I) {
      if (I < R) QuickSortIndices(I, R, cmp, swap);
      R = J;
    } else {
      if (L < J) QuickSortIndices(L, J, cmp, swap);
      L = I;
    }
  }
}

String QuotedStr(StringView s, Char quote) {
  String r(1, quote);
  for (Char c : s) {
    r.push_back(c);
    if (c == quote) r.push_back(quote);
  }
  r.push_back(quote);
  return r;
}

// Src[pos] is the opening quote. Doubled quotes give one; the text ends at the closing
// quote or, when there is none, at the end.
String ExtractQuotedStr(StringView src, size_t& pos, Char quote) {
  String r;
  ++pos;
  while (pos < src.size()) {
    Char c = src[pos];
    if (c == quote) {
      if (pos + 1 < src.size() && src[pos + 1] == quote) {
        r.push_back(quote);
        pos += 2;
        continue;
      }
      ++pos;
      return r;
    }
    r.push_back(c);
    ++pos;
  }
  return r;
}

bool IsBlank(Char c) {
  return c >= 1 && c <= u' ';
}

int LocaleCompare(const String& a, const String& b, bool ignoreCase) {
  return CompareStringW(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(),
                        static_cast<int>(a.size()), b.data(), static_cast<int>(b.size())) -
         2;
}

}  // namespace

// --- TList -------------------------------------------------------------------------------

TList::~TList() {
  Clear();
}

void TList::Grow() {
  int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
  SetCapacity(capacity_ + delta);
}

TList* TList::Expand() {
  if (Count() == capacity_) Grow();
  return this;
}

void TList::SetCapacity(int NewCapacity) {
  if (NewCapacity < Count())
    throw EListError(u"List capacity out of bounds (" + IntToStr(NewCapacity) + u")");
  capacity_ = NewCapacity;
  items_.reserve(static_cast<size_t>(NewCapacity));
}

void TList::SetCount(int NewCount) {
  if (NewCount < 0) throw EListError(u"List count out of bounds (" + IntToStr(NewCount) + u")");
  if (NewCount > capacity_) SetCapacity(NewCount);
  if (NewCount > Count()) {
    items_.resize(static_cast<size_t>(NewCount), nullptr);
  } else {
    for (int i = Count() - 1; i >= NewCount; --i) Delete(i);
  }
}

int TList::Add(void* Item) {
  int r = Count();
  if (r == capacity_) Grow();
  items_.push_back(Item);
  if (Item) Notify(Item, lnAdded);
  return r;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
  if (Count() == capacity_) Grow();
  items_.insert(items_.begin() + Index, Item);
  if (Item) Notify(Item, lnAdded);
}

void TList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  void* temp = items_[static_cast<size_t>(Index)];
  items_.erase(items_.begin() + Index);
  if (temp) Notify(temp, lnDeleted);
}

int TList::Remove(void* Item) {
  int i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void* TList::Extract(void* Item) {
  int i = IndexOf(Item);
  if (i < 0) return nullptr;
  items_.erase(items_.begin() + i);
  Notify(Item, lnExtracted);
  return Item;
}

int TList::IndexOf(void* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::Exchange(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= Count()) RaiseListIndexError(Index1);
  if (Index2 < 0 || Index2 >= Count()) RaiseListIndexError(Index2);
  std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (CurIndex < 0 || CurIndex >= Count()) RaiseListIndexError(CurIndex);
  if (NewIndex < 0 || NewIndex >= Count()) RaiseListIndexError(NewIndex);
  void* item = items_[static_cast<size_t>(CurIndex)];
  items_.erase(items_.begin() + CurIndex);
  items_.insert(items_.begin() + NewIndex, item);
}

void TList::Pack() {
  items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
}

void TList::Sort(TListSortCompare Compare) {
  SortList([Compare](void* a, void* b) { return Compare(a, b); });
}

void TList::SortList(const std::function<int(void*, void*)>& Compare) {
  if (Count() < 2) return;
  QuickSortIndices(
      0, Count() - 1,
      [&](int i, int j) { return Compare(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]); },
      [&](int i, int j) { std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]); });
}

void TList::Clear() {
  SetCount(0);
  capacity_ = 0;
  items_.shrink_to_fit();
}

void* TList::Get(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  return items_[static_cast<size_t>(Index)];
}

void TList::Put(int Index, void* Item) {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  void* temp = items_[static_cast<size_t>(Index)];
  if (Item == temp) return;
  items_[static_cast<size_t>(Index)] = Item;
  if (temp) Notify(temp, lnDeleted);
  if (Item) Notify(Item, lnAdded);
}

void TList::Assign(TList* ListA, TListAssignOp AOperator, TList* ListB) {
  TList* source;
  // Copies are taken first, so that a list may be combined with itself.
  TList copyA, copyB;
  if (ListA) copyA.items_ = ListA->items_;
  if (ListB) {
    copyB.items_ = ListB->items_;
    source = &copyB;
    Assign(&copyA);
  } else {
    source = &copyA;
  }
  switch (AOperator) {
    case laCopy:
      Clear();
      SetCapacity(source->Count());
      for (void* p : source->items_) Add(p);
      break;
    case laAnd:
      for (int i = Count() - 1; i >= 0; --i)
        if (source->IndexOf(items_[static_cast<size_t>(i)]) < 0) Delete(i);
      break;
    case laOr:
      for (void* p : source->items_)
        if (IndexOf(p) < 0) Add(p);
      break;
    case laXor: {
      std::vector<void*> temp;
      for (void* p : source->items_)
        if (IndexOf(p) < 0) temp.push_back(p);
      for (int i = Count() - 1; i >= 0; --i)
        if (source->IndexOf(items_[static_cast<size_t>(i)]) >= 0) Delete(i);
      for (void* p : temp) Add(p);
      break;
    }
    case laSrcUnique:
      for (int i = Count() - 1; i >= 0; --i)
        if (source->IndexOf(items_[static_cast<size_t>(i)]) >= 0) Delete(i);
      break;
    case laDestUnique: {
      TList temp;
      for (int i = source->Count() - 1; i >= 0; --i)
        if (IndexOf(source->items_[static_cast<size_t>(i)]) < 0)
          temp.Add(source->items_[static_cast<size_t>(i)]);
      Assign(&temp);
      break;
    }
  }
}

TObjectList::~TObjectList() {
  Clear();
}

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (ownsObjects_ && Action == lnDeleted) delete static_cast<TObject*>(Ptr);
  TList::Notify(Ptr, Action);
}

// --- TStrings -------------------------------------------------------------------------------

void TStrings::Error(const String& Msg, int Data) const {
  String m = StringReplaceAll(Msg, u"%d", IntToStr(Data));
  throw EStringListError(m);
}

void TStrings::Put(int Index, const String& S) {
  TObject* temp = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, temp);
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

int TStrings::Add(const String& S) {
  int r = GetCount();
  Insert(r, S);
  return r;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
  int r = Add(S);
  PutObject(r, AObject);
  return r;
}

void TStrings::AddStrings(TStrings* Strings) {
  BeginUpdate();
  try {
    for (int i = 0; i < Strings->GetCount(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::AddStrings(const std::vector<String>& Strings) {
  BeginUpdate();
  try {
    for (const String& s : Strings) Add(s);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    if (src == this) return;
    // A copy first: the source may be changed by clearing this list (a view of it).
    std::vector<std::pair<String, TObject*>> items;
    for (int i = 0; i < src->GetCount(); ++i) items.emplace_back(src->Get(i), src->GetObject(i));
    BeginUpdate();
    try {
      Clear();
      NameValueSeparator = src->NameValueSeparator;
      QuoteChar = src->QuoteChar;
      Delimiter = src->Delimiter;
      LineBreak = src->LineBreak;
      StrictDelimiter = src->StrictDelimiter;
      TrailingLineBreak = src->TrailingLineBreak;
      WriteBOM = src->WriteBOM;
      for (auto& [s, o] : items) AddObject(s, o);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

bool TStrings::Equals(TStrings* Strings) const {
  int n = GetCount();
  if (n != Strings->GetCount()) return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

int TStrings::IndexOf(const String& S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const String& Name) const {
  for (int i = 0; i < GetCount(); ++i) {
    String s = Get(i);
    size_t p = s.find(NameValueSeparator);
    if (p != String::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  try {
    String s = Get(Index1);
    TObject* o = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s);
    PutObject(Index2, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  try {
    String s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    PutObject(CurIndex, nullptr);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::Names(int Index) const {
  String s = Get(Index);
  size_t p = s.find(NameValueSeparator);
  return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(const String& Name) const {
  int i = IndexOfName(Name);
  if (i < 0) return {};
  String s = Get(i);
  return s.substr(s.find(NameValueSeparator) + 1);
}

void TStrings::SetValues(const String& Name, const String& Value) {
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    if (i < 0)
      Add(Name + NameValueSeparator + Value);
    else
      Put(i, Name + NameValueSeparator + Value);
  } else if (i >= 0) {
    Delete(i);
  }
}

String TStrings::ValueFromIndex(int Index) const {
  if (Index < 0) return {};
  String s = Get(Index);
  size_t p = s.find(NameValueSeparator);
  return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, const String& Value) {
  if (!Value.empty()) {
    if (Index < 0)
      Add(NameValueSeparator + Value);
    else
      Put(Index, Names(Index) + NameValueSeparator + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

String TStrings::Text() const {
  String r;
  int n = GetCount();
  for (int i = 0; i < n; ++i) {
    r += Get(i);
    if (i + 1 < n || TrailingLineBreak) r += LineBreak;
  }
  return r;
}

void TStrings::SetText(const String& Value) {
  BeginUpdate();
  try {
    Clear();
    size_t i = 0, n = Value.size();
    if (LineBreak == u"\r\n" || LineBreak == u"\n" || LineBreak == u"\r" || LineBreak.empty()) {
      while (i < n) {
        size_t start = i;
        while (i < n && Value[i] != u'\r' && Value[i] != u'\n') ++i;
        Add(Value.substr(start, i - start));
        if (i < n && Value[i] == u'\r') {
          ++i;
          if (i < n && Value[i] == u'\n') ++i;
        } else if (i < n) {
          ++i;
        }
      }
    } else {
      while (i < n) {
        size_t p = Value.find(LineBreak, i);
        if (p == String::npos) p = n;
        Add(Value.substr(i, p - i));
        i = p == n ? n : p + LineBreak.size();
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::DelimitedText() const {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return String(2, QuoteChar);
  String r;
  for (int i = 0; i < n; ++i) {
    String s = Get(i);
    bool quote = false;
    for (Char c : s) {
      if (c == 0) break;
      if (c == QuoteChar || c == Delimiter || (!StrictDelimiter && IsBlank(c))) {
        quote = true;
        break;
      }
    }
    if (quote) s = QuotedStr(s, QuoteChar);
    if (i > 0) r.push_back(Delimiter);
    r += s;
  }
  return r;
}

void TStrings::SetDelimitedText(const String& Value) {
  BeginUpdate();
  try {
    Clear();
    size_t p = 0, n = Value.size();
    auto at = [&](size_t k) -> Char { return k < n ? Value[k] : Char(0); };
    if (!StrictDelimiter)
      while (IsBlank(at(p))) ++p;
    while (at(p) != 0) {
      String s;
      if (at(p) == QuoteChar) {
        s = ExtractQuotedStr(Value, p, QuoteChar);
      } else {
        size_t p1 = p;
        while (((!StrictDelimiter && at(p) > u' ') || (StrictDelimiter && at(p) != 0)) && at(p) != Delimiter)
          ++p;
        s = Value.substr(p1, p - p1);
      }
      Add(s);
      if (!StrictDelimiter)
        while (IsBlank(at(p))) ++p;
      if (at(p) == Delimiter) {
        if (at(p + 1) == 0) Add(String());
        do {
          ++p;
        } while (!StrictDelimiter && IsBlank(at(p)));
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

namespace {

// Runs f with the comma-text settings (',' delimiting, '"' quoting, not strict) and puts the
// list's own settings back afterwards, also when f raises.
template <class F>
auto WithCommaSettings(TStrings* s, F&& f) {
  ScopeExit restore{[s, d = s->Delimiter, q = s->QuoteChar, strict = s->StrictDelimiter] {
    s->Delimiter = d;
    s->QuoteChar = q;
    s->StrictDelimiter = strict;
  }};
  s->Delimiter = u',';
  s->QuoteChar = u'"';
  s->StrictDelimiter = false;
  return f();
}

}  // namespace

String TStrings::CommaText() const {
  // The settings change for the call only, so that a const list keeps its own.
  return WithCommaSettings(const_cast<TStrings*>(this), [this] { return DelimitedText(); });
}

void TStrings::SetCommaText(const String& Value) {
  WithCommaSettings(this, [&] { SetDelimitedText(Value); });
}

void TStrings::LoadFromFile(const String& FileName, TEncoding* Encoding) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f, Encoding);
}

void TStrings::LoadFromStream(TStream* Stream, TEncoding* Encoding) {
  BeginUpdate();
  try {
    int64_t size = Stream->Size() - Stream->Position();
    TBytes buf = size > 0 ? Stream->ReadBytes(size) : TBytes();
    if (Encoding) {
      TEncoding* e = Encoding;
      int bom = TEncoding::GetBufferEncoding(buf, e, Encoding);
      encoding_ = e;
      SetText(e->GetString(std::span<const uint8_t>(buf).subspan(static_cast<size_t>(bom))));
    } else {
      TEncoding* e = nullptr;
      String text = DecodeTextBytes(buf, &e);
      encoding_ = e;
      SetText(text);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::SaveToFile(const String& FileName, TEncoding* Encoding) const {
  TFileStream f(FileName, fmCreate);
  SaveToStream(&f, Encoding);
}

void TStrings::SaveToStream(TStream* Stream, TEncoding* Encoding) const {
  TEncoding* e = Encoding ? Encoding : encoding_ ? encoding_ : TEncoding::UTF8NoBOM();
  if (WriteBOM) {
    TBytes pre = e->GetPreamble();
    if (!pre.empty()) Stream->WriteBytes(pre);
  }
  Stream->WriteBytes(e->GetBytes(Text()));
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ <= 0) return;
  --updateCount_;
  if (updateCount_ == 0) SetUpdateState(false);
}

std::vector<String> TStrings::ToStringArray() const {
  std::vector<String> r;
  for (int i = 0; i < GetCount(); ++i) r.push_back(Get(i));
  return r;
}

int TStrings::CompareStrings(const String& S1, const String& S2) const {
  return LocaleCompare(S1, S2, true);
}

// --- TStringList -------------------------------------------------------------------------------

namespace {
constexpr const char16_t* kSortedListError = u"Operation not allowed on sorted list";
constexpr const char16_t* kDuplicateString = u"String list does not allow duplicates";
constexpr const char16_t* kListIndexError = u"List index out of bounds (%d)";
}  // namespace

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (ownsObjects_)
    for (auto& i : list_) delete i.o;
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error(kListIndexError, Index);
}

String TStringList::Get(int Index) const {
  CheckIndex(Index);
  return list_[static_cast<size_t>(Index)].s;
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return list_[static_cast<size_t>(Index)].o;
}

void TStringList::Put(int Index, const String& S) {
  if (sorted_) Error(kSortedListError, 0);
  CheckIndex(Index);
  Changing();
  list_[static_cast<size_t>(Index)].s = S;
  Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  list_[static_cast<size_t>(Index)].o = AObject;
  Changed();
}

void TStringList::Insert(int Index, const String& S) {
  InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
  if (sorted_) Error(kSortedListError, 0);
  if (Index < 0 || Index > GetCount()) Error(kListIndexError, Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
  Changing();
  list_.insert(list_.begin() + Index, Item{S, AObject});
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* o = list_[static_cast<size_t>(Index)].o;
  list_.erase(list_.begin() + Index);
  if (ownsObjects_) delete o;
  Changed();
}

void TStringList::Clear() {
  if (list_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(list_);
  if (ownsObjects_)
    for (auto& i : old) delete i.o;
  Changed();
}

int TStringList::Add(const String& S) {
  return AddObject(S, nullptr);
}

int TStringList::AddObject(const String& S, TObject* AObject) {
  int result;
  if (!sorted_) {
    result = GetCount();
  } else if (Find(S, result)) {
    switch (duplicates_) {
      case dupIgnore:
        return result;
      case dupError:
        Error(kDuplicateString, 0);
      case dupAccept:
        break;
    }
  }
  InsertItem(result, S, AObject);
  return result;
}

int TStringList::IndexOf(const String& S) const {
  if (!sorted_) return TStrings::IndexOf(S);
  int i;
  return Find(S, i) ? i : -1;
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  ExchangeItems(Index1, Index2);
  Changed();
}

void TStringList::ExchangeItems(int Index1, int Index2) {
  std::swap(list_[static_cast<size_t>(Index1)], list_[static_cast<size_t>(Index2)]);
}

void TStringList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (sorted_) Error(kSortedListError, 0);
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  Changing();
  Item it = std::move(list_[static_cast<size_t>(CurIndex)]);
  list_.erase(list_.begin() + CurIndex);
  list_.insert(list_.begin() + NewIndex, std::move(it));
  Changed();
}

void TStringList::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStringList*>(Source)) {
    if (src == this) return;
    // The source's order is kept as it is; its settings come along.
    bool wasSorted = sorted_;
    sorted_ = false;
    try {
      TStrings::Assign(Source);
    } catch (...) {
      sorted_ = wasSorted;
      throw;
    }
    caseSensitive_ = src->caseSensitive_;
    duplicates_ = src->duplicates_;
    sorted_ = src->sorted_;
    return;
  }
  TStrings::Assign(Source);
}

bool TStringList::Find(const String& S, int& Index) const {
  bool result = false;
  int L = 0, H = GetCount() - 1;
  while (L <= H) {
    int I = (L + H) >> 1;
    int C = CompareStrings(list_[static_cast<size_t>(I)].s, S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        result = true;
        if (duplicates_ != dupAccept) L = I;
      }
    }
  }
  Index = L;
  return result;
}

void TStringList::Sort() {
  CustomSort([](TStringList* l, int a, int b) {
    return l->CompareStrings(l->list_[static_cast<size_t>(a)].s, l->list_[static_cast<size_t>(b)].s);
  });
}

void TStringList::CustomSort(const std::function<int(TStringList*, int, int)>& Compare) {
  if (sorted_ || GetCount() < 2 || !Compare) return;
  Changing();
  QuickSortIndices(
      0, GetCount() - 1, [&](int i, int j) { return Compare(this, i, j); },
      [&](int i, int j) { ExchangeItems(i, j); });
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  if (Value) Sort();
  sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (caseSensitive_ == Value) return;
  caseSensitive_ = Value;
  if (sorted_) {
    sorted_ = false;
    SetSorted(true);
  }
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
  return LocaleCompare(S1, S2, !caseSensitive_);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

}  // namespace qd

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
#include "platform/classes/lists.h"
#include "platform/classes/streams.h"

namespace qd {
namespace {

void* P(intptr_t v) {
  return reinterpret_cast<void*>(v);
}

std::string Digits(const TList& l) {
  std::string s;
  for (int i = 0; i < l.Count(); ++i) s += std::to_string(reinterpret_cast<intptr_t>(l.Get(i)));
  return s;
}

void Fill(TList& l, const std::string& digits) {
  l.Clear();
  for (char c : digits) l.Add(P(c - '0'));
}

TEST(List, AssignOperators) {
  struct Case {
    TListAssignOp op;
    const char* want;
  } cases[] = {{laCopy, "346"}, {laAnd, "34"},        {laOr, "123456"},
               {laXor, "1256"}, {laSrcUnique, "125"}, {laDestUnique, "6"}};
  for (const auto& c : cases) {
    TList dest, src;
    Fill(dest, "12345");
    Fill(src, "346");
    dest.Assign(&src, c.op);
    EXPECT_EQ(Digits(dest), c.want) << int(c.op);
    // The three-list form: dest becomes a copy of A, then is combined with B.
    TList a, three;
    Fill(a, "12345");
    Fill(three, "999");
    three.Assign(&a, c.op, &src);
    EXPECT_EQ(Digits(three), c.want) << int(c.op);
  }
}

TEST(List, IndexErrorsMoveExtractPackAndSort) {
  TList l;
  Fill(l, "5132");
  try {
    l.Get(4);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), u"List index out of bounds (4)");
  }
  EXPECT_THROW(l.Insert(5, nullptr), EListError);
  EXPECT_THROW(l.Delete(-1), EListError);
  EXPECT_THROW(l.SetCapacity(2), EListError);
  l.Move(0, 3);
  EXPECT_EQ(Digits(l), "1325");
  l.Exchange(0, 3);
  EXPECT_EQ(Digits(l), "5321");
  EXPECT_EQ(l.Extract(P(3)), P(3));
  EXPECT_EQ(l.Extract(P(9)), nullptr);
  EXPECT_EQ(l.Remove(P(9)), -1);
  l.Add(nullptr);
  l.Insert(0, nullptr);
  l.Pack();
  EXPECT_EQ(Digits(l), "521");
  l.Sort([](void* a, void* b) {
    return static_cast<int>(reinterpret_cast<intptr_t>(a) - reinterpret_cast<intptr_t>(b));
  });
  EXPECT_EQ(Digits(l), "125");
  // An inconsistent comparison must not run past the ends.
  TList big;
  for (int i = 0; i < 200; ++i) big.Add(P(i % 7 + 1));
  big.Sort([](void*, void*) { return -1; });
  big.Sort([](void*, void*) { return 1; });
  EXPECT_EQ(big.Count(), 200);
}

struct Counted : TObject {
  static inline int alive = 0;
  Counted() { ++alive; }
  ~Counted() override { --alive; }
};

TEST(ObjectList, OwnsObjectsFreesOnDeleteAndClearButNotOnExtract) {
  {
    TObjectList l;
    for (int i = 0; i < 4; ++i) l.Add(new Counted);
    l.Delete(0);
    EXPECT_EQ(Counted::alive, 3);
    TObject* x = l.Extract(l.Items(0));
    EXPECT_EQ(Counted::alive, 3);
    delete x;
    l.SetOwnsObjects(false);
    TObject* y = l.Items(0);
    l.Remove(y);
    delete y;
    l.SetOwnsObjects(true);
  }
  EXPECT_EQ(Counted::alive, 0);
}

std::vector<std::string> Lines(const TStrings& s) {
  std::vector<std::string> r;
  for (int i = 0; i < s.Count(); ++i) r.push_back(StringToUtf8(s[i]));
  return r;
}

TEST(StringList, SortedDuplicatesAndCase) {
  struct Case {
    TDuplicates dup;
    bool caseSensitive;
    std::vector<std::string> want;
    bool raises;
  } cases[] = {
      {dupIgnore, false, {"a", "B", "c"}, false},       // the first spelling stays
      {dupAccept, false, {"a", "b", "B", "c"}, false},  // a later duplicate goes before
      {dupError, false, {}, true},
      {dupIgnore, true, {"a", "b", "B", "c"}, false},  // lower case sorts first
  };
  for (const auto& c : cases) {
    TStringList l(c.dup, true, c.caseSensitive);
    try {
      for (const char16_t* s : {u"c", u"B", u"a", u"b"}) l.Add(s);
      EXPECT_FALSE(c.raises);
      EXPECT_EQ(Lines(l), c.want);
    } catch (const EStringListError& e) {
      EXPECT_TRUE(c.raises);
      EXPECT_EQ(e.Message(), u"String list does not allow duplicates");
    }
  }
  TStringList l(dupAccept, true, false);
  for (const char16_t* s : {u"x", u"y", u"y", u"y", u"z"}) l.Add(s);
  int i = -1;
  EXPECT_TRUE(l.Find(u"Y", i));
  EXPECT_EQ(i, 1);  // the first of equal strings
  EXPECT_FALSE(l.Find(u"xa", i));
  EXPECT_EQ(i, 1);
  EXPECT_EQ(l.IndexOf(u"Z"), 4);
  try {
    l.Insert(0, u"w");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), u"Operation not allowed on sorted list");
  }
  EXPECT_THROW(l.Put(0, u"w"), EStringListError);
  EXPECT_THROW(l.Get(5), EStringListError);
  // Sorting is linguistic: accents and case weigh less than letters.
  TStringList words;
  for (const char16_t* s : {u"Zebra", u"émile", u"apple", u"Éclair", u"co-op", u"coop", u"Banana"})
    words.Add(s);
  words.SetSorted(true);
  EXPECT_EQ(Lines(words),
            (std::vector<std::string>{"apple", "Banana", "coop", "co-op", "Éclair", "émile", "Zebra"}));
}

TEST(StringList, NamesAndValues) {
  TStringList l;
  l.SetText(u"Key=1\r\nother=a=b\r\nnovalue\r\nEMPTY=");
  EXPECT_EQ(l.Values(u"key"), u"1");
  EXPECT_EQ(l.Values(u"OTHER"), u"a=b");
  EXPECT_EQ(l.Values(u"novalue"), u"");
  EXPECT_EQ(l.Names(1), u"other");
  EXPECT_EQ(l.Names(2), u"");
  EXPECT_EQ(l.ValueFromIndex(1), u"a=b");
  EXPECT_EQ(l.ValueFromIndex(2), u"");
  EXPECT_EQ(l.IndexOfName(u"empty"), 3);
  l.SetValues(u"KEY", u"2");  // replaces the line with the new spelling
  EXPECT_EQ(l[0], u"KEY=2");
  l.SetValues(u"other", u"");  // an empty value deletes
  EXPECT_EQ(l.Count(), 3);
  l.SetValues(u"new", u"v");
  EXPECT_EQ(l[3], u"new=v");
  l.NameValueSeparator = u':';
  l.Add(u"a:b");
  EXPECT_EQ(l.Values(u"A"), u"b");
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.Values(u"A"), u"");
}

TEST(StringList, TextSplitsEveryLineBreakAndJoinsWithCrLf) {
  struct Case {
    std::u16string in;
    std::vector<std::string> lines;
  } cases[] = {
      {u"", {}},
      {u"a", {"a"}},
      {u"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {u"a\r\n", {"a"}},
      {u"a\r\n\r\n", {"a", ""}},
      {u"\n", {""}},
      {u"a\n\rb", {"a", "", "b"}},
      {u"a\r\r\nb", {"a", "", "b"}},
  };
  for (const auto& c : cases) {
    TStringList l;
    l.SetText(c.in);
    EXPECT_EQ(Lines(l), c.lines) << StringToUtf8(c.in);
    TStringList back;
    back.SetText(l.Text());
    EXPECT_EQ(Lines(back), c.lines);
  }
  TStringList l;
  l.SetText(u"x\ny");
  EXPECT_EQ(l.Text(), u"x\r\ny\r\n");
  l.TrailingLineBreak = false;
  EXPECT_EQ(l.Text(), u"x\r\ny");
}

TEST(StringList, CommaAndDelimitedText) {
  struct Case {
    std::vector<std::u16string> items;
    std::u16string comma;
  } cases[] = {
      {{u"a", u"b c", u"d\"e", u"", u"f,g"}, u"a,\"b c\",\"d\"\"e\",,\"f,g\""},
      {{u""}, u"\"\""},
      {{}, u""},
  };
  for (const auto& c : cases) {
    TStringList l;
    for (const auto& s : c.items) l.Add(s);
    EXPECT_EQ(l.CommaText(), c.comma);
    TStringList back;
    back.SetCommaText(c.comma);
    EXPECT_EQ(back.ToStringArray(), std::vector<String>(c.items.begin(), c.items.end()))
        << StringToUtf8(c.comma);
  }
  struct Parse {
    std::u16string in;
    bool strict;
    std::vector<std::string> want;
  } parses[] = {
      {u"a b,c", false, {"a", "b", "c"}},  // blanks separate unless strict
      {u"a b,c", true, {"a b", "c"}},     {u"  x ,  y  ", false, {"x", "y"}},
      {u"a,", false, {"a", ""}},          {u"\"q\"\"x\",\"open", false, {"q\"x", "open"}},
      {u"a;b", false, {"a;b"}},
  };
  for (const auto& p : parses) {
    TStringList l;
    l.StrictDelimiter = p.strict;
    l.SetDelimitedText(p.in);
    EXPECT_EQ(Lines(l), p.want) << StringToUtf8(p.in);
  }
  TStringList semi;
  semi.Delimiter = u';';
  semi.StrictDelimiter = true;
  semi.SetDelimitedText(u"a b;c");
  EXPECT_EQ(semi.DelimitedText(), u"a b;c");
  EXPECT_EQ(semi.CommaText(), u"\"a b\",c");
  EXPECT_EQ(semi.Delimiter, u';');
}

TEST(StringList, ChangeEventsRespectUpdates) {
  struct Counter {
    int changes = 0, changing = 0;
    void OnChange(TObject*) { ++changes; }
    void OnChanging(TObject*) { ++changing; }
  } counter;
  TStringList l;
  l.OnChange = TNotifyEvent(&counter, &Counter::OnChange);
  l.OnChanging = TNotifyEvent(&counter, &Counter::OnChanging);
  l.Add(u"a");
  l.Add(u"b");
  EXPECT_EQ(counter.changes, 2);
  l.BeginUpdate();
  l.Add(u"c");
  l.Delete(0);
  l.EndUpdate();
  EXPECT_EQ(counter.changes, 3);
  EXPECT_EQ(counter.changing, 3);
  l.CustomSort([](TStringList* s, int a, int b) { return -s->CompareStrings(s->Get(a), s->Get(b)); });
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"c", "b"}));
  l.Move(0, 1);
  l.Exchange(0, 1);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"c", "b"}));

  TStringList copy;
  copy.SetSorted(true);
  copy.Add(u"zzz");
  copy.Assign(&l);  // the source's order and settings
  EXPECT_EQ(Lines(copy), (std::vector<std::string>{"c", "b"}));
  EXPECT_FALSE(copy.Sorted());
}

TEST(StringList, FilesWithEncodings) {
  char tmpl[] = "/tmp/qdlistsXXXXXX";
  std::filesystem::path dir = mkdtemp(tmpl);
  struct Case {
    std::string bytes;
    std::vector<std::string> want;
  } cases[] = {
      {"\xEF\xBB\xBF"
       "ol\xC3\xA1\r\nb",
       {"olá", "b"}},
      {"ol\xC3\xA1\nb\n", {"olá", "b"}},
      {"ol\xE1\r\nS\xE3o", {"olá", "São"}},  // Windows-1252
      {std::string("\xFF\xFE"
                   "a\0\r\0\n\0b\0",
                   10),
       {"a", "b"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    auto f = dir / "in.txt";
    std::ofstream(f, std::ios::binary) << c.bytes;
    TStringList l;
    l.LoadFromFile(Utf8ToString(f.string()));
    EXPECT_EQ(Lines(l), c.want);
  }
  TStringList l;
  l.Add(u"São");
  auto out = Utf8ToString((dir / "out.txt").string());
  l.SaveToFile(out);
  EXPECT_EQ(ReadFileBytes(out), (TBytes{'S', 0xC3, 0xA3, 'o', '\r', '\n'}));
  l.SaveToFile(out, TEncoding::UTF8());
  EXPECT_EQ(ReadFileBytes(out).size(), 9u);
  TStringList back;
  back.LoadFromFile(out);
  EXPECT_EQ(back.Encoding(), TEncoding::UTF8());
  EXPECT_EQ(Lines(back), Lines(l));
  EXPECT_THROW(back.LoadFromFile(Utf8ToString((dir / "missing").string())), EFOpenError);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qd

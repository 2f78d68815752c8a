#include "platform/classes/filer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <mutex>
#include <set>

#include "platform/base/resources.h"
#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
#include "platform/classes/lists.h"
#include "platform/classes/streams.h"

namespace qd {

QD_IMPLEMENT_CLASS(EParserError)
QD_IMPLEMENT_CLASS(TFiler)
QD_IMPLEMENT_CLASS(TReader)
QD_IMPLEMENT_CLASS(TWriter)

namespace {

constexpr int kMaxDepth = 200;

String LineSuffix(int line) {
  return u" on line " + IntToStr(line);
}

// --- parser -------------------------------------------------------------------------------

bool IsIdentStart(Char c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}
bool IsIdentChar(Char c) {
  return IsIdentStart(c) || (c >= u'0' && c <= u'9');
}
bool IsDigit(Char c) {
  return c >= u'0' && c <= u'9';
}
int HexDigit(Char c) {
  return HexDigitValue(c);
}

class Parser {
 public:
  explicit Parser(StringView s) : s_(s) {
    if (!s_.empty() && s_[0] == 0xFEFF) p_ = 1;
  }

  TFormObject ParseRoot() {
    SkipWS();
    TFormObject o = ParseObject(0);
    SkipWS();
    if (p_ < s_.size()) Error(u"End of file expected");
    return o;
  }

 private:
  [[noreturn]] void Error(const String& msg) { throw EParserError(msg + LineSuffix(line_)); }

  Char Peek(size_t ahead = 0) const { return p_ + ahead < s_.size() ? s_[p_ + ahead] : Char(0); }
  bool AtEnd() const { return p_ >= s_.size(); }

  void SkipWS() {
    while (p_ < s_.size()) {
      Char c = s_[p_];
      if (c == u'\n') {
        ++line_;
      } else if (c == u'\r') {
        if (Peek(1) != u'\n') ++line_;
      } else if (c != u' ' && c != u'\t' && c != 0xFEFF) {
        break;
      }
      ++p_;
    }
  }

  String FoundText() {
    if (AtEnd()) return u"end of file";
    size_t e = p_;
    if (IsIdentChar(s_[e])) {
      while (e < s_.size() && IsIdentChar(s_[e])) ++e;
    } else {
      ++e;
    }
    return u"'" + String(s_.substr(p_, e - p_)) + u"'";
  }

  void Expect(Char c) {
    SkipWS();
    if (Peek() != c) Error(u"'" + String(1, c) + u"' expected but " + FoundText() + u" found");
    ++p_;
  }

  String ReadIdent(bool dotted) {
    SkipWS();
    if (!IsIdentStart(Peek())) Error(u"Identifier expected but " + FoundText() + u" found");
    size_t b = p_;
    while (true) {
      while (IsIdentChar(Peek())) ++p_;
      if (dotted && Peek() == u'.' && IsIdentStart(Peek(1))) {
        ++p_;
        continue;
      }
      break;
    }
    return String(s_.substr(b, p_ - b));
  }

  // A keyword at the position (case-insensitive, whole word), not followed by '=' or '.'.
  bool AtKeyword(const char16_t* word) const {
    size_t n = std::char_traits<char16_t>::length(word);
    if (p_ + n > s_.size()) return false;
    for (size_t i = 0; i < n; ++i)
      if (UpCase(s_[p_ + i]) != UpCase(word[i])) return false;
    if (p_ + n < s_.size() && IsIdentChar(s_[p_ + n])) return false;
    size_t q = p_ + n;
    while (q < s_.size() && (s_[q] == u' ' || s_[q] == u'\t')) ++q;
    return q >= s_.size() || (s_[q] != u'=' && s_[q] != u'.');
  }

  TFormObject ParseObject(int depth) {
    if (depth > kMaxDepth) Error(u"Objects nested too deeply");
    SkipWS();
    TFormObject o;
    o.Line = line_;
    if (AtKeyword(u"object")) {
      o.Kind = TFormObject::okObject;
      p_ += 6;
    } else if (AtKeyword(u"inherited")) {
      o.Kind = TFormObject::okInherited;
      p_ += 9;
    } else if (AtKeyword(u"inline")) {
      o.Kind = TFormObject::okInline;
      p_ += 6;
    } else {
      Error(u"'object' expected but " + FoundText() + u" found");
    }
    String first = ReadIdent(false);
    SkipWS();
    if (Peek() == u':') {
      ++p_;
      o.Name = first;
      o.ClassName = ReadIdent(false);
    } else {
      o.ClassName = first;
    }
    SkipWS();
    if (Peek() == u'[') {
      ++p_;
      SkipWS();
      TFormValue v = ParseNumber();
      if (v.Kind != TFormValue::vkInt || v.Int < 0 || v.Int > INT32_MAX) Error(u"Invalid index");
      o.Index = static_cast<int>(v.Int);
      Expect(u']');
    }
    while (true) {
      SkipWS();
      if (AtEnd()) Error(u"'end' expected but end of file found");
      if (AtKeyword(u"end")) {
        p_ += 3;
        return o;
      }
      if (AtKeyword(u"object") || AtKeyword(u"inherited") || AtKeyword(u"inline")) {
        o.Children.push_back(ParseObject(depth + 1));
        continue;
      }
      o.Props.push_back(ParseProperty(depth));
    }
  }

  TFormProperty ParseProperty(int depth) {
    TFormProperty prop;
    SkipWS();
    prop.Line = line_;
    prop.Name = ReadIdent(true);
    Expect(u'=');
    prop.Value = ParseValue(depth + 1);
    return prop;
  }

  TFormValue ParseValue(int depth) {
    if (depth > kMaxDepth) Error(u"Values nested too deeply");
    SkipWS();
    TFormValue v;
    v.Line = line_;
    Char c = Peek();
    if (c == u'\'' || c == u'#') {
      v.Kind = TFormValue::vkString;
      v.Str = ParseString();
    } else if (IsDigit(c) || c == u'$' ||
               ((c == u'-' || c == u'+') && (IsDigit(Peek(1)) || Peek(1) == u'$'))) {
      v = ParseNumber();
    } else if (IsIdentStart(c)) {
      v.Kind = TFormValue::vkIdent;
      v.Str = ReadIdent(true);
    } else if (c == u'[') {
      ++p_;
      v.Kind = TFormValue::vkSet;
      SkipWS();
      if (Peek() != u']') {
        while (true) {
          SkipWS();
          if (IsDigit(Peek())) {
            TFormValue n = ParseNumber();
            if (n.Kind != TFormValue::vkInt) Error(u"Invalid set element");
            v.Set.push_back(IntToStr(n.Int));
          } else {
            v.Set.push_back(ReadIdent(false));
          }
          SkipWS();
          if (Peek() == u',') {
            ++p_;
            continue;
          }
          break;
        }
      }
      Expect(u']');
    } else if (c == u'(') {
      ++p_;
      v.Kind = TFormValue::vkList;
      while (true) {
        SkipWS();
        if (AtEnd()) Error(u"')' expected but end of file found");
        if (Peek() == u')') {
          ++p_;
          break;
        }
        v.List.push_back(ParseValue(depth + 1));
      }
    } else if (c == u'<') {
      ++p_;
      v.Kind = TFormValue::vkCollection;
      while (true) {
        SkipWS();
        if (AtEnd()) Error(u"'>' expected but end of file found");
        if (Peek() == u'>') {
          ++p_;
          break;
        }
        if (!AtKeyword(u"item")) Error(u"'item' expected but " + FoundText() + u" found");
        TFormItem item;
        item.Line = line_;
        p_ += 4;
        SkipWS();
        if (Peek() == u'[') {
          ++p_;
          SkipWS();
          ParseNumber();
          Expect(u']');
        }
        while (true) {
          SkipWS();
          if (AtEnd()) Error(u"'end' expected but end of file found");
          if (AtKeyword(u"end")) {
            p_ += 3;
            break;
          }
          item.Props.push_back(ParseProperty(depth + 1));
        }
        v.Items.push_back(std::move(item));
      }
    } else if (c == u'{') {
      ++p_;
      v.Kind = TFormValue::vkBinary;
      int high = -1;
      while (true) {
        SkipWS();
        if (AtEnd()) Error(u"'}' expected but end of file found");
        if (Peek() == u'}') {
          ++p_;
          break;
        }
        int d = HexDigit(Peek());
        if (d < 0) Error(u"Invalid binary value");
        ++p_;
        if (high < 0) {
          high = d;
        } else {
          v.Bytes.push_back(static_cast<uint8_t>(high * 16 + d));
          high = -1;
        }
      }
      if (high >= 0) Error(u"Invalid binary value");
    } else if (AtEnd()) {
      Error(u"Property value expected but end of file found");
    } else {
      Error(u"Invalid property value " + FoundText());
    }
    return v;
  }

  TFormValue ParseNumber() {
    TFormValue v;
    v.Line = line_;
    v.Kind = TFormValue::vkInt;
    bool neg = false;
    if (Peek() == u'-' || Peek() == u'+') {
      neg = Peek() == u'-';
      ++p_;
    }
    if (Peek() == u'$') {
      ++p_;
      uint64_t r = 0;
      int n = 0;
      while (HexDigit(Peek()) >= 0) {
        if (++n > 16) Error(u"Invalid number");
        r = r * 16 + static_cast<uint64_t>(HexDigit(Peek()));
        ++p_;
      }
      if (n == 0) Error(u"Invalid number");
      // Up to 8 digits a 32-bit value (so $FFFFFFFF is -1 as stored integers are).
      int64_t val = n <= 8 ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(r)))
                           : static_cast<int64_t>(r);
      v.Int = neg ? -val : val;
      if (IsIdentChar(Peek())) Error(u"Invalid number");
      return v;
    }
    size_t b = p_;
    while (IsDigit(Peek())) ++p_;
    if (p_ == b) Error(u"Number expected");
    bool isFloat = false;
    if (Peek() == u'.' && IsDigit(Peek(1))) {
      isFloat = true;
      ++p_;
      while (IsDigit(Peek())) ++p_;
    }
    if ((Peek() == u'e' || Peek() == u'E') &&
        (IsDigit(Peek(1)) || ((Peek(1) == u'-' || Peek(1) == u'+') && IsDigit(Peek(2))))) {
      isFloat = true;
      p_ += 2;
      while (IsDigit(Peek())) ++p_;
    }
    if (IsIdentChar(Peek()) || Peek() == u'.') Error(u"Invalid number");
    std::string text = StringToUtf8(s_.substr(b, p_ - b));
    if (isFloat) {
      v.Kind = TFormValue::vkFloat;
      double d = 0;
      auto r = std::from_chars(text.data(), text.data() + text.size(), d);
      if (r.ec != std::errc()) Error(u"Invalid number");
      v.Float = neg ? -d : d;
    } else {
      uint64_t u = 0;
      auto r = std::from_chars(text.data(), text.data() + text.size(), u);
      if (r.ec != std::errc() || u > static_cast<uint64_t>(INT64_MAX) + (neg ? 1 : 0))
        Error(u"Number out of range");
      v.Int = neg ? static_cast<int64_t>(0 - u) : static_cast<int64_t>(u);
    }
    return v;
  }

  String ParseString() {
    String r;
    while (true) {
      Char c = Peek();
      if (c == u'\'') {
        ++p_;
        while (true) {
          if (AtEnd() || Peek() == u'\r' || Peek() == u'\n') Error(u"Unterminated string");
          if (Peek() == u'\'') {
            if (Peek(1) == u'\'') {
              r.push_back(u'\'');
              p_ += 2;
              continue;
            }
            ++p_;
            break;
          }
          r.push_back(Peek());
          ++p_;
        }
      } else if (c == u'#') {
        ++p_;
        uint32_t code = 0;
        int n = 0;
        if (Peek() == u'$') {
          ++p_;
          while (HexDigit(Peek()) >= 0 && n < 8) {
            code = code * 16 + static_cast<uint32_t>(HexDigit(Peek()));
            ++p_;
            ++n;
          }
        } else {
          while (IsDigit(Peek()) && n < 8) {
            code = code * 10 + static_cast<uint32_t>(Peek() - u'0');
            ++p_;
            ++n;
          }
        }
        if (n == 0 || code > 0xFFFF) Error(u"Invalid character code");
        r.push_back(static_cast<Char>(code));
      } else {
        break;
      }
      Char next = Peek();
      if (next == u'\'' || next == u'#') continue;
      size_t save = p_;
      int saveLine = line_;
      SkipWS();
      if (Peek() == u'+') {
        ++p_;
        SkipWS();
        if (Peek() != u'\'' && Peek() != u'#') Error(u"String expected but " + FoundText() + u" found");
        continue;
      }
      p_ = save;
      line_ = saveLine;
      break;
    }
    return r;
  }

  StringView s_;
  size_t p_ = 0;
  int line_ = 1;
};

// --- printer --------------------------------------------------------------------------------

String QuoteFormString(const String& s) {
  if (s.empty()) return u"''";
  String out;
  bool inQuote = false;
  for (Char c : s) {
    if (c >= 32 && c < 127) {
      if (!inQuote) {
        out.push_back(u'\'');
        inQuote = true;
      }
      out.push_back(c);
      if (c == u'\'') out.push_back(u'\'');
    } else {
      if (inQuote) {
        out.push_back(u'\'');
        inQuote = false;
      }
      out += u"#" + IntToStr(c);
    }
  }
  if (inQuote) out.push_back(u'\'');
  return out;
}

String FormatFloatValue(double d) {
  if (!std::isfinite(d)) return u"0";
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof(buf), d);
  std::string s(buf, r.ptr);
  for (char& c : s)
    if (c == 'e') c = 'E';
  if (s.find_first_of(".E") == std::string::npos) s += ".0";
  return Utf8ToString(s);
}

void PrintValue(const TFormValue& v, const String& indent, String& out);

void PrintProps(const std::vector<TFormProperty>& props, const String& indent, String& out) {
  for (const auto& p : props) {
    out += indent + p.Name + u" = ";
    PrintValue(p.Value, indent, out);
    out += u"\r\n";
  }
}

// Long strings go over several lines, joined with '+'.
void PrintString(const String& s, const String& indent, String& out) {
  constexpr size_t kChunk = 64;
  if (s.size() <= kChunk) {
    out += QuoteFormString(s);
    return;
  }
  for (size_t i = 0; i < s.size(); i += kChunk) {
    if (i > 0) out += u" +\r\n" + indent + u"  ";
    out += QuoteFormString(s.substr(i, kChunk));
  }
}

void PrintValue(const TFormValue& v, const String& indent, String& out) {
  switch (v.Kind) {
    case TFormValue::vkInt:
      out += IntToStr(v.Int);
      break;
    case TFormValue::vkFloat:
      out += FormatFloatValue(v.Float);
      break;
    case TFormValue::vkString:
      PrintString(v.Str, indent, out);
      break;
    case TFormValue::vkIdent:
      out += v.Str;
      break;
    case TFormValue::vkSet:
      out += u"[";
      for (size_t i = 0; i < v.Set.size(); ++i) out += (i ? u", " : u"") + v.Set[i];
      out += u"]";
      break;
    case TFormValue::vkList:
      out += u"(";
      for (const auto& e : v.List) {
        out += u"\r\n" + indent + u"  ";
        PrintValue(e, indent + u"  ", out);
      }
      out += u")";
      break;
    case TFormValue::vkCollection:
      out += u"<";
      for (size_t i = 0; i < v.Items.size(); ++i) {
        out += u"\r\n" + indent + u"  item\r\n";
        PrintProps(v.Items[i].Props, indent + u"    ", out);
        out += indent + u"  end";
      }
      out += u">";
      break;
    case TFormValue::vkBinary: {
      out += u"{";
      for (size_t i = 0; i < v.Bytes.size(); ++i) {
        if (i % 32 == 0) out += u"\r\n" + indent + u"  ";
        out.push_back(static_cast<Char>(HexDigitChar(v.Bytes[i] >> 4)));
        out.push_back(static_cast<Char>(HexDigitChar(v.Bytes[i])));
      }
      out += u"}";
      break;
    }
  }
}

void PrintObject(const TFormObject& o, const String& indent, String& out) {
  static const char16_t* kinds[] = {u"object", u"inherited", u"inline"};
  out += indent + kinds[o.Kind] + u" ";
  if (!o.Name.empty()) out += o.Name + u": ";
  out += o.ClassName;
  if (o.Index >= 0) out += u" [" + IntToStr(o.Index) + u"]";
  out += u"\r\n";
  PrintProps(o.Props, indent + u"  ", out);
  for (const auto& c : o.Children) PrintObject(c, indent + u"  ", out);
  out += indent + u"end\r\n";
}

// --- shared registries ---------------------------------------------------------------------

struct IntConsts {
  std::function<bool(const String&, int64_t&)> toInt;
  std::function<bool(int64_t, String&)> toIdent;
};
struct Globals {
  std::mutex lock;
  std::map<const TTypeInfo*, IntConsts> intConsts;
  std::function<TComponent*(const String&)> findGlobal;
};
Globals& G() {
  static Globals g;
  return g;
}

bool IdentToIntFor(const TTypeInfo* t, const String& ident, int64_t& v) {
  std::function<bool(const String&, int64_t&)> f;
  {
    std::lock_guard g(G().lock);
    auto it = G().intConsts.find(t);
    if (it == G().intConsts.end()) return false;
    f = it->second.toInt;
  }
  return f && f(ident, v);
}

bool IntToIdentFor(const TTypeInfo* t, int64_t v, String& ident) {
  std::function<bool(int64_t, String&)> f;
  {
    std::lock_guard g(G().lock);
    auto it = G().intConsts.find(t);
    if (it == G().intConsts.end()) return false;
    f = it->second.toIdent;
  }
  return f && f(v, ident);
}

[[noreturn]] void InvalidValue() {
  throw EReadError(u"Invalid property value");
}

}  // namespace

TFormObject ParseStoredForm(StringView Text) {
  return Parser(Text).ParseRoot();
}

String PrintStoredForm(const TFormObject& Object) {
  String out;
  PrintObject(Object, u"", out);
  return out;
}

void RegisterIntegerConsts(const TTypeInfo* IntegerType,
                           std::function<bool(const String&, int64_t&)> IdentToInt,
                           std::function<bool(int64_t, String&)> IntToIdent) {
  std::lock_guard g(G().lock);
  G().intConsts[IntegerType] = {std::move(IdentToInt), std::move(IntToIdent)};
}

void SetFindGlobalComponent(std::function<TComponent*(const String& Name)> Find) {
  std::lock_guard g(G().lock);
  G().findGlobal = std::move(Find);
}

// --- TReader ----------------------------------------------------------------------------------

struct TReader::Impl {
  struct Fixup {
    TObject* instance;
    const TPropInfo* prop;
    String name;
    String path;
    int line;
  };
  struct Cursor {
    const std::vector<TFormValue>* list;
    size_t index;
  };
  const TFormObject* current = nullptr;
  std::vector<TComponent*> loaded;
  std::vector<TComponent*> created;  // for clean-up on failure, in creation order
  std::vector<Fixup> fixups;
  // DefineProperty state: the property being read and its value.
  String defName;
  const TFormValue* defValue = nullptr;
  bool defHandled = false;
  std::vector<TFormValue> defHolder;
  std::vector<Cursor> cursors;
  String objectPath;  // "Form1.Button1" for messages
  int line = 0;

  const TFormValue& Cur() const {
    const Cursor& c = cursors.back();
    if (c.index >= c.list->size()) InvalidValue();
    return (*c.list)[c.index];
  }
  void Advance() { ++cursors.back().index; }
};

TReader::TReader() : impl_(std::make_unique<Impl>()) {}
TReader::~TReader() = default;

namespace {

// Raises EReadError with the place and line, keeping an EReadError's own text.
[[noreturn]] void Fail(const String& path, const String& msg, int line) {
  String where = path.empty() ? String() : u"Error reading " + path + u": ";
  throw EReadError(where + msg + LineSuffix(line));
}

}  // namespace

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
  auto& d = *impl_;
  if (d.defHandled || !d.defValue || !ReadData || !SameText(Name, d.defName)) return;
  d.defHandled = true;
  d.defHolder.assign(1, *d.defValue);
  d.cursors.assign(1, Impl::Cursor{&d.defHolder, 0});
  ReadData(this);
  d.cursors.clear();
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&,
                                   bool) {
  auto& d = *impl_;
  if (d.defHandled || !d.defValue || !ReadData || !SameText(Name, d.defName)) return;
  d.defHandled = true;
  if (d.defValue->Kind != TFormValue::vkBinary) InvalidValue();
  TBytesStream s(d.defValue->Bytes);
  ReadData(&s);
}

TFormValue::TKind TReader::NextValue() const {
  return impl_->Cur().Kind;
}

int64_t TReader::ReadInt64() {
  const TFormValue& v = impl_->Cur();
  if (v.Kind != TFormValue::vkInt) InvalidValue();
  impl_->Advance();
  return v.Int;
}

int32_t TReader::ReadInteger() {
  int64_t v = ReadInt64();
  if (v < INT32_MIN || v > INT32_MAX) InvalidValue();
  return static_cast<int32_t>(v);
}

double TReader::ReadFloat() {
  const TFormValue& v = impl_->Cur();
  double r;
  if (v.Kind == TFormValue::vkFloat)
    r = v.Float;
  else if (v.Kind == TFormValue::vkInt)
    r = static_cast<double>(v.Int);
  else
    InvalidValue();
  impl_->Advance();
  return r;
}

String TReader::ReadString() {
  const TFormValue& v = impl_->Cur();
  if (v.Kind != TFormValue::vkString) InvalidValue();
  impl_->Advance();
  return v.Str;
}

String TReader::ReadIdent() {
  const TFormValue& v = impl_->Cur();
  if (v.Kind != TFormValue::vkIdent) InvalidValue();
  impl_->Advance();
  return v.Str;
}

bool TReader::ReadBoolean() {
  String s = ReadIdent();
  if (SameText(s, u"True")) return true;
  if (SameText(s, u"False")) return false;
  InvalidValue();
}

Char TReader::ReadChar() {
  const TFormValue& v = impl_->Cur();
  if (v.Kind == TFormValue::vkString && v.Str.size() == 1) {
    impl_->Advance();
    return v.Str[0];
  }
  InvalidValue();
}

Variant TReader::ReadVariant() {
  const TFormValue& v = impl_->Cur();
  switch (v.Kind) {
    case TFormValue::vkInt:
      impl_->Advance();
      return v.Int >= INT32_MIN && v.Int <= INT32_MAX ? Variant(static_cast<int>(v.Int))
                                                      : Variant(static_cast<long long>(v.Int));
    case TFormValue::vkFloat:
      impl_->Advance();
      return Variant(v.Float);
    case TFormValue::vkString:
      impl_->Advance();
      return Variant(v.Str);
    case TFormValue::vkIdent:
      impl_->Advance();
      if (SameText(v.Str, u"True")) return Variant(true);
      if (SameText(v.Str, u"False")) return Variant(false);
      if (SameText(v.Str, u"Null")) return Null();
      if (SameText(v.Str, u"Unassigned")) return Unassigned();
      InvalidValue();
    default:
      InvalidValue();
  }
}

void TReader::ReadListBegin() {
  const TFormValue& v = impl_->Cur();
  if (v.Kind != TFormValue::vkList) InvalidValue();
  impl_->Advance();
  impl_->cursors.push_back({&v.List, 0});
}

void TReader::ReadListEnd() {
  if (impl_->cursors.size() < 2 || !EndOfList()) InvalidValue();
  impl_->cursors.pop_back();
}

bool TReader::EndOfList() const {
  if (impl_->cursors.empty()) return true;
  const auto& c = impl_->cursors.back();
  return c.index >= c.list->size();
}

namespace {

// Assigns a parsed value to a published property; references wait for the fix-up.
void AssignValue(TReader* reader, TObject* obj, const TPropInfo* p, const TFormValue& v,
                 std::vector<TReader::Impl::Fixup>& fixups, const String& path);

}  // namespace

void TReader::ReadData(TComponent* Instance) {
  auto& d = *impl_;
  const TFormObject& o = *d.current;
  String savedPath = d.objectPath;
  String name = Instance->Name().empty() ? Instance->ClassName() : Instance->Name();
  d.objectPath = savedPath.empty() || Instance == root_ ? name : savedPath + u"." + name;
  for (const TFormProperty& prop : o.Props) {
    d.line = prop.Line;
    String path = d.objectPath + u"." + prop.Name;
    try {
      // Walk the dotted name down through object properties.
      TObject* obj = Instance;
      std::vector<String> parts;
      size_t i = 0;
      while (i <= prop.Name.size()) {
        size_t j = prop.Name.find(u'.', i);
        if (j == String::npos) j = prop.Name.size();
        parts.push_back(prop.Name.substr(i, j - i));
        i = j + 1;
      }
      for (size_t k = 0; k + 1 < parts.size(); ++k) {
        const TPropInfo* pi = GetPropInfo(obj, parts[k]);
        if (!pi) throw EReadError(u"Property " + parts[k] + u" does not exist");
        if (!pi->GetObj) InvalidValue();
        obj = pi->GetObj(obj);
        if (!obj) InvalidValue();
      }
      const String& last = parts.back();
      if (const TPropInfo* pi = GetPropInfo(obj, last)) {
        AssignValue(this, obj, pi, prop.Value, d.fixups, path);
        continue;
      }
      auto* persistent = dynamic_cast<TPersistent*>(obj);
      d.defName = last;
      d.defValue = &prop.Value;
      d.defHandled = false;
      if (persistent) persistent->DefineProperties(this);
      d.defValue = nullptr;
      if (!d.defHandled) throw EReadError(u"Property " + last + u" does not exist");
    } catch (const EReadError& e) {
      d.defValue = nullptr;
      d.cursors.clear();
      String msg = e.Message();
      if (OnError && OnError(this, msg)) continue;
      if (dynamic_cast<const EParserError*>(&e) || msg.find(u" on line ") != String::npos) throw;
      Fail(path, msg, prop.Line);
    } catch (const Exception& e) {
      d.defValue = nullptr;
      d.cursors.clear();
      if (OnError && OnError(this, e.Message())) continue;
      Fail(path, e.Message(), prop.Line);
    }
  }
  // Owned components.
  TComponent* savedOwner = owner_;
  TComponent* savedParent = parent_;
  const TFormObject* savedCurrent = d.current;
  const String myPath = d.objectPath;
  TComponent* childOwner = Instance->GetChildOwner();
  owner_ = childOwner ? childOwner : root_;
  parent_ = Instance->GetChildParent();
  for (const TFormObject& child : o.Children) {
    d.line = child.Line;
    TComponent* c = nullptr;
    bool createdHere = false;
    try {
      if (child.Kind == TFormObject::okInherited) {
        c = owner_->FindComponent(child.Name);
        if (!c) throw EReadError(u"A component named " + child.Name + u" was not found in the ancestor");
      } else {
        TClass cls = nullptr;
        if (OnFindComponentClass) OnFindComponentClass(this, child.ClassName, cls);
        if (!cls) cls = GetClass(StringToUtf8(child.ClassName));
        if (!cls) throw EReadError(u"Class " + child.ClassName + u" not found");
        if (!cls->InheritsFrom(TComponent::StaticClass()))
          throw EReadError(u"Class " + child.ClassName + u" is not a component");
        TObject* obj = cls->Create(owner_);
        c = dynamic_cast<TComponent*>(obj);
        if (!c) {
          delete obj;
          throw EReadError(u"Cannot create a " + child.ClassName);
        }
        createdHere = true;
        d.created.push_back(c);
        if (c->Owner() != owner_ && owner_) {
          if (c->Owner()) c->Owner()->RemoveComponent(c);
          owner_->InsertComponent(c);
        }
        if (child.Kind == TFormObject::okInline) c->SetInline(true);
      }
      c->IncludeState(csLoading);
      c->IncludeState(csReading);
      if (child.Kind != TFormObject::okInherited && !child.Name.empty()) c->SetName(child.Name);
      if (std::find(d.loaded.begin(), d.loaded.end(), c) == d.loaded.end()) d.loaded.push_back(c);
      if (parent_ && parent_ != c) c->SetParentComponent(parent_);
      d.current = &child;
      c->ReadState(this);
      d.current = savedCurrent;
    } catch (const EReadError& e) {
      d.current = savedCurrent;
      owner_ = savedOwner;
      parent_ = savedParent;
      d.objectPath = savedPath;
      if (e.Message().find(u" on line ") != String::npos) throw;
      Fail(myPath, e.Message(), child.Line);
    } catch (const Exception& e) {
      d.current = savedCurrent;
      owner_ = savedOwner;
      parent_ = savedParent;
      d.objectPath = savedPath;
      Fail(myPath, e.Message(), child.Line);
    }
    (void)createdHere;
  }
  owner_ = savedOwner;
  parent_ = savedParent;
  d.objectPath = savedPath;
}

namespace {

int64_t OrdinalFrom(const TPropInfo* p, const TFormValue& v) {
  const TTypeInfo* t = p->PropType;
  switch (t->Kind) {
    case tkInteger:
    case tkInt64: {
      int64_t r;
      if (v.Kind == TFormValue::vkInt) {
        r = v.Int;
      } else if (v.Kind == TFormValue::vkIdent && IdentToIntFor(t, v.Str, r)) {
      } else {
        InvalidValue();
      }
      if (t->Kind == tkInteger && (r < t->MinValue || r > t->MaxValue)) {
        // Unsigned 32-bit values may be stored as negative numbers.
        if (t->MinValue == 0 && r < 0 && r >= INT32_MIN)
          r = static_cast<int64_t>(static_cast<uint32_t>(r));
        else
          InvalidValue();
      }
      return r;
    }
    case tkChar:
    case tkWChar:
      if (v.Kind == TFormValue::vkString && v.Str.size() == 1) return v.Str[0];
      if (v.Kind == TFormValue::vkInt && v.Int >= 0 && v.Int <= 0xFFFF) return v.Int;
      InvalidValue();
    case tkEnumeration: {
      if (v.Kind != TFormValue::vkIdent) InvalidValue();
      int64_t r = GetEnumValue(t, v.Str);
      if (r < 0) InvalidValue();
      return r;
    }
    case tkSet: {
      if (v.Kind != TFormValue::vkSet) InvalidValue();
      uint64_t bits = 0;
      for (const String& e : v.Set) {
        int64_t r = GetEnumValue(t->CompType, e);
        if (r < 0 || r > 63) InvalidValue();
        bits |= uint64_t{1} << r;
      }
      return static_cast<int64_t>(bits);
    }
    default:
      InvalidValue();
  }
}

void ReadCollection(TReader* reader, TCollection* coll, const TFormValue& v,
                    std::vector<TReader::Impl::Fixup>& fixups, const String& path) {
  if (v.Kind != TFormValue::vkCollection) InvalidValue();
  coll->BeginUpdate();
  try {
    coll->Clear();
    for (size_t i = 0; i < v.Items.size(); ++i) {
      TCollectionItem* item = coll->Add();
      for (const TFormProperty& prop : v.Items[i].Props) {
        const TPropInfo* pi = GetPropInfo(item, prop.Name);
        String itemPath = path + u"[" + IntToStr(static_cast<int64_t>(i)) + u"]." + prop.Name;
        if (!pi) Fail(itemPath, u"Property " + prop.Name + u" does not exist", prop.Line);
        try {
          AssignValue(reader, item, pi, prop.Value, fixups, itemPath);
        } catch (const EReadError& e) {
          if (e.Message().find(u" on line ") != String::npos) throw;
          Fail(itemPath, e.Message(), prop.Line);
        } catch (const Exception& e) {
          Fail(itemPath, e.Message(), prop.Line);
        }
      }
    }
  } catch (...) {
    coll->EndUpdate();
    throw;
  }
  coll->EndUpdate();
}

void AssignValue(TReader* reader, TObject* obj, const TPropInfo* p, const TFormValue& v,
                 std::vector<TReader::Impl::Fixup>& fixups, const String& path) {
  switch (p->PropType->Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
      if (!p->SetOrd) InvalidValue();
      p->SetOrd(obj, OrdinalFrom(p, v));
      return;
    case tkFloat:
      if (!p->SetFloat) InvalidValue();
      if (v.Kind == TFormValue::vkFloat)
        p->SetFloat(obj, v.Float);
      else if (v.Kind == TFormValue::vkInt)
        p->SetFloat(obj, static_cast<double>(v.Int));
      else
        InvalidValue();
      return;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
      if (!p->SetStr || v.Kind != TFormValue::vkString) InvalidValue();
      p->SetStr(obj, v.Str);
      return;
    case tkVariant: {
      if (!p->SetVar) InvalidValue();
      switch (v.Kind) {
        case TFormValue::vkInt:
          p->SetVar(obj, Variant(static_cast<long long>(v.Int)));
          return;
        case TFormValue::vkFloat:
          p->SetVar(obj, Variant(v.Float));
          return;
        case TFormValue::vkString:
          p->SetVar(obj, Variant(v.Str));
          return;
        case TFormValue::vkIdent:
          if (SameText(v.Str, u"True") || SameText(v.Str, u"False")) {
            p->SetVar(obj, Variant(SameText(v.Str, u"True")));
            return;
          }
          if (SameText(v.Str, u"Null")) {
            p->SetVar(obj, Null());
            return;
          }
          InvalidValue();
        default:
          InvalidValue();
      }
    }
    case tkMethod: {
      if (!p->SetMethod || v.Kind != TFormValue::vkIdent) InvalidValue();
      if (SameText(v.Str, u"nil")) {
        p->SetMethod(obj, TMethodValue{});
        return;
      }
      const TPublishedMethod* m = FindPublishedMethod(reader->Root(), v.Str);
      if (!m) throw EReadError(u"Method " + v.Str + u" not found");
      if (m->Sig != p->MethodSig) InvalidValue();
      p->SetMethod(obj, m->Bind(reader->Root()));
      return;
    }
    case tkClass: {
      if (v.Kind == TFormValue::vkIdent) {
        if (!p->SetObj) InvalidValue();
        if (SameText(v.Str, u"nil")) {
          p->SetObj(obj, nullptr);
          return;
        }
        if (!p->PropType->ClassType || !p->PropType->ClassType->InheritsFrom(TComponent::StaticClass()))
          InvalidValue();
        fixups.push_back({obj, p, v.Str, path, v.Line});
        return;
      }
      if (v.Kind == TFormValue::vkCollection) {
        TObject* target = p->GetObj ? p->GetObj(obj) : nullptr;
        auto* coll = dynamic_cast<TCollection*>(target);
        if (!coll) InvalidValue();
        ReadCollection(reader, coll, v, fixups, path);
        return;
      }
      InvalidValue();
    }
    default:
      InvalidValue();
  }
}

TComponent* ResolveReference(TComponent* root, const String& name) {
  std::vector<String> parts;
  size_t i = 0;
  while (i <= name.size()) {
    size_t j = name.find(u'.', i);
    if (j == String::npos) j = name.size();
    parts.push_back(name.substr(i, j - i));
    i = j + 1;
  }
  TComponent* c = nullptr;
  size_t k = 0;
  if (SameText(parts[0], root->Name())) {
    c = root;
    k = 1;
  } else if (TComponent* own = root->FindComponent(parts[0])) {
    c = own;
    k = 1;
  } else {
    std::function<TComponent*(const String&)> find;
    {
      std::lock_guard g(G().lock);
      find = G().findGlobal;
    }
    c = find ? find(parts[0]) : nullptr;
    if (!c) return nullptr;
    k = 1;
  }
  for (; k < parts.size() && c; ++k) c = c->FindComponent(parts[k]);
  return c;
}

}  // namespace

TComponent* TReader::ReadRootComponent(const TFormObject& Form, TComponent* Root, TComponent* Owner) {
  auto& d = *impl_;
  bool createdRoot = false;
  try {
    if (!Root) {
      TClass cls = nullptr;
      if (OnFindComponentClass) OnFindComponentClass(this, Form.ClassName, cls);
      if (!cls) cls = GetClass(StringToUtf8(Form.ClassName));
      if (!cls || !cls->InheritsFrom(TComponent::StaticClass()))
        Fail(String(), u"Class " + Form.ClassName + u" not found", Form.Line);
      TObject* obj = cls->Create(Owner);
      Root = dynamic_cast<TComponent*>(obj);
      if (!Root) {
        delete obj;
        Fail(String(), u"Cannot create a " + Form.ClassName, Form.Line);
      }
      createdRoot = true;
    }
    root_ = Root;
    owner_ = Root;
    parent_ = nullptr;
    Root->IncludeState(csLoading);
    Root->IncludeState(csReading);
    if (!Form.Name.empty() && Form.Kind != TFormObject::okInherited && Root->Name() != Form.Name) {
      try {
        Root->SetName(Form.Name);
      } catch (const Exception& e) {
        Fail(String(), e.Message(), Form.Line);
      }
    }
    d.loaded.push_back(Root);
    d.current = &Form;
    Root->ReadState(this);
    // References by name, now that every component exists.
    for (const auto& f : d.fixups) {
      TComponent* target = ResolveReference(Root, f.name);
      if (!target) Fail(f.path, u"Invalid reference to " + f.name, f.line);
      try {
        f.prop->SetObj(f.instance, target);
      } catch (const Exception& e) {
        Fail(f.path, e.Message(), f.line);
      }
    }
  } catch (...) {
    // Nothing half-built is left: the components created by this read go, last first
    // (those owned by another created component go with it).
    std::set<TComponent*> created(d.created.begin(), d.created.end());
    for (auto it = d.created.rbegin(); it != d.created.rend(); ++it) {
      TComponent* c = *it;
      if (created.count(c->Owner())) continue;
      delete c;
    }
    if (createdRoot) {
      delete Root;
    } else if (Root) {
      Root->ExcludeState(csReading);
      Root->ExcludeState(csLoading);
    }
    d.created.clear();
    d.loaded.clear();
    d.fixups.clear();
    throw;
  }
  std::vector<TComponent*> loaded;
  loaded.swap(d.loaded);
  d.created.clear();
  d.fixups.clear();
  for (TComponent* c : loaded) c->ExcludeState(csReading);
  try {
    for (TComponent* c : loaded) c->Loaded();
  } catch (...) {
    if (createdRoot) delete Root;
    throw;
  }
  return Root;
}

// --- TWriter ------------------------------------------------------------------------------

struct TWriter::Impl {
  TFormObject* current = nullptr;
  std::vector<TFormProperty>* props = nullptr;  // where properties go
  String prefix;                                // "Font." for nested objects
  // Value building for defined properties.
  std::vector<TFormValue> built;
  std::vector<std::vector<TFormValue>*> stack;
  std::set<const TObject*> visiting;  // guards against cycles through object properties

  void Push(TFormValue v) {
    if (stack.empty()) stack.push_back(&built);
    stack.back()->push_back(std::move(v));
  }
};

TWriter::TWriter() : impl_(std::make_unique<Impl>()) {}
TWriter::~TWriter() = default;

void TWriter::WriteInteger(int64_t Value) {
  TFormValue v;
  v.Kind = TFormValue::vkInt;
  v.Int = Value;
  impl_->Push(std::move(v));
}

void TWriter::WriteFloat(double Value) {
  TFormValue v;
  v.Kind = TFormValue::vkFloat;
  v.Float = Value;
  impl_->Push(std::move(v));
}

void TWriter::WriteString(const String& Value) {
  TFormValue v;
  v.Kind = TFormValue::vkString;
  v.Str = Value;
  impl_->Push(std::move(v));
}

void TWriter::WriteIdent(const String& Ident) {
  TFormValue v;
  v.Kind = TFormValue::vkIdent;
  v.Str = Ident;
  impl_->Push(std::move(v));
}

void TWriter::WriteBoolean(bool Value) {
  WriteIdent(Value ? u"True" : u"False");
}

void TWriter::WriteChar(Char Value) {
  WriteString(String(1, Value));
}

void TWriter::WriteVariant(const Variant& Value) {
  if (VarIsNull(Value)) return WriteIdent(u"Null");
  if (VarIsEmpty(Value)) return WriteIdent(u"Unassigned");
  if (VarType(Value) == varBoolean) return WriteBoolean(Value.AsBoolean());
  if (VarIsOrdinal(Value)) return WriteInteger(Value.AsInt64());
  if (VarIsFloat(Value)) return WriteFloat(Value.AsDouble());
  WriteString(Value.AsString());
}

void TWriter::WriteListBegin() {
  TFormValue v;
  v.Kind = TFormValue::vkList;
  impl_->Push(std::move(v));
  impl_->stack.push_back(&impl_->stack.back()->back().List);
}

void TWriter::WriteListEnd() {
  if (impl_->stack.size() > 1) impl_->stack.pop_back();
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData,
                             bool HasData) {
  auto& d = *impl_;
  if (!HasData || !WriteData || !d.props) return;
  d.built.clear();
  d.stack.assign(1, &d.built);
  WriteData(this);
  d.stack.clear();
  if (d.built.empty()) return;
  d.props->push_back({d.prefix + Name, std::move(d.built.front()), 0});
  d.built.clear();
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData) {
  auto& d = *impl_;
  if (!HasData || !WriteData || !d.props) return;
  TBytesStream s;
  WriteData(&s);
  TFormValue v;
  v.Kind = TFormValue::vkBinary;
  v.Bytes.assign(s.Bytes().begin(), s.Bytes().begin() + s.Size());
  d.props->push_back({d.prefix + Name, std::move(v), 0});
}

namespace {

String ReferenceName(TComponent* root, TComponent* c) {
  if (c == root) return c->Name();
  if (c->Owner() == root || !c->Owner()) return c->Name();
  String owner = ReferenceName(root, c->Owner());
  return owner.empty() ? c->Name() : owner + u"." + c->Name();
}

void WriteProperties(TWriter* w, TWriter::Impl& d, TComponent* root, TObject* obj, const String& prefix);

bool ValueOf(TWriter* w, TWriter::Impl& d, TComponent* root, TObject* obj, const TPropInfo* p,
             const String& name, TFormValue& out) {
  const TTypeInfo* t = p->PropType;
  switch (t->Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet: {
      if (!p->GetOrd) return false;
      int64_t v = p->GetOrd(obj);
      if (p->Default != kNoDefault && v == p->Default) return false;
      if (t->Kind == tkEnumeration) {
        out.Kind = TFormValue::vkIdent;
        out.Str = GetEnumName(t, v);
        if (out.Str.empty()) return false;
      } else if (t->Kind == tkSet) {
        out.Kind = TFormValue::vkSet;
        for (int i = 0; i < 64; ++i)
          if (static_cast<uint64_t>(v) & (uint64_t{1} << i)) out.Set.push_back(GetEnumName(t->CompType, i));
      } else if (t->Kind == tkChar || t->Kind == tkWChar) {
        out.Kind = TFormValue::vkString;
        out.Str = String(1, static_cast<Char>(v));
      } else {
        String ident;
        if (IntToIdentFor(t, v, ident)) {
          out.Kind = TFormValue::vkIdent;
          out.Str = ident;
        } else {
          out.Kind = TFormValue::vkInt;
          out.Int = v;
        }
      }
      return true;
    }
    case tkFloat: {
      if (!p->GetFloat) return false;
      double v = p->GetFloat(obj);
      if (v == 0) return false;
      out.Kind = TFormValue::vkFloat;
      out.Float = v;
      return true;
    }
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString: {
      if (!p->GetStr) return false;
      String s = p->GetStr(obj);
      if (s.empty()) return false;
      out.Kind = TFormValue::vkString;
      out.Str = s;
      return true;
    }
    case tkVariant: {
      if (!p->GetVar) return false;
      Variant v = p->GetVar(obj);
      if (VarIsEmpty(v)) return false;
      d.built.clear();
      d.stack.assign(1, &d.built);
      w->WriteVariant(v);
      d.stack.clear();
      out = d.built.front();
      d.built.clear();
      return true;
    }
    case tkMethod: {
      if (!p->GetMethod) return false;
      TMethodValue m = p->GetMethod(obj);
      if (!m.Assigned) return false;
      String n = GetPublishedMethodName(root, m);
      if (n.empty()) return false;
      out.Kind = TFormValue::vkIdent;
      out.Str = n;
      return true;
    }
    case tkClass: {
      if (!p->GetObj) return false;
      TObject* o = p->GetObj(obj);
      if (!o) return false;
      auto* comp = dynamic_cast<TComponent*>(o);
      if (comp && !comp->ComponentStyle().Contains(csSubComponent)) {
        if (comp->Name().empty()) return false;
        out.Kind = TFormValue::vkIdent;
        out.Str = ReferenceName(root, comp);
        return true;
      }
      if (auto* coll = dynamic_cast<TCollection*>(o)) {
        if (coll->Count() == 0) return false;
        out.Kind = TFormValue::vkCollection;
        auto* savedProps = d.props;
        String savedPrefix = d.prefix;
        for (int i = 0; i < coll->Count(); ++i) {
          TFormItem item;
          d.props = &item.Props;
          d.prefix.clear();
          WriteProperties(w, d, root, coll->Items(i), String());
          out.Items.push_back(std::move(item));
        }
        d.props = savedProps;
        d.prefix = savedPrefix;
        return true;
      }
      // A persistent (or sub-component) object: its properties, nested by name.
      WriteProperties(w, d, root, o, name + u".");
      return false;
    }
    default:
      return false;
  }
}

void WriteProperties(TWriter* w, TWriter::Impl& d, TComponent* root, TObject* obj, const String& prefix) {
  if (!d.visiting.insert(obj).second) return;
  String savedPrefix = d.prefix;
  for (const TPropInfo* p : GetPropList(obj)) {
    if (!IsStoredProp(obj, p)) continue;
    TFormValue v;
    if (ValueOf(w, d, root, obj, p, prefix + p->Name, v))
      d.props->push_back({prefix + p->Name, std::move(v), 0});
  }
  if (auto* pers = dynamic_cast<TPersistent*>(obj)) {
    d.prefix = prefix;
    pers->DefineProperties(w);
    d.prefix = savedPrefix;
  }
  d.visiting.erase(obj);
}

}  // namespace

void TWriter::WriteData(TComponent* Instance) {
  auto& d = *impl_;
  TFormObject* o = d.current;
  d.props = &o->Props;
  d.prefix.clear();
  WriteProperties(this, d, root_, Instance, String());
  Instance->GetChildren(
      [&](TComponent* child) {
        TFormObject c;
        c.Kind = child->ComponentState().Contains(csInline) ? TFormObject::okInline : TFormObject::okObject;
        c.Name = child->Name();
        c.ClassName = child->ClassName();
        TFormObject* saved = d.current;
        d.current = &c;
        child->WriteState(this);
        d.current = saved;
        d.props = &saved->Props;
        o->Children.push_back(std::move(c));
      },
      root_);
}

TFormObject TWriter::WriteRootComponent(TComponent* Root) {
  TFormObject o;
  o.Name = Root->Name();
  o.ClassName = Root->ClassName();
  root_ = Root;
  impl_->current = &o;
  Root->IncludeState(csWriting);
  try {
    Root->WriteState(this);
  } catch (...) {
    Root->ExcludeState(csWriting);
    throw;
  }
  Root->ExcludeState(csWriting);
  impl_->current = nullptr;
  return o;
}

// --- TComponent's streaming -------------------------------------------------------------------

void TComponent::ReadState(TReader* Reader) {
  Reader->ReadData(this);
}

void TComponent::WriteState(TWriter* Writer) {
  Writer->WriteData(this);
}

void TComponent::DefineProperties(TFiler* Filer) {
  // The design-time position of components that are not controls.
  Filer->DefineProperty(
      u"Left",
      [this](TReader* r) {
        designInfo_ = (designInfo_ & ~0xFFFFu) | (static_cast<uint32_t>(r->ReadInteger()) & 0xFFFF);
      },
      [this](TWriter* w) { w->WriteInteger(static_cast<int16_t>(designInfo_ & 0xFFFF)); }, designInfo_ != 0);
  Filer->DefineProperty(
      u"Top",
      [this](TReader* r) {
        designInfo_ = (designInfo_ & 0xFFFFu) | (static_cast<uint32_t>(r->ReadInteger()) << 16);
      },
      [this](TWriter* w) { w->WriteInteger(static_cast<int16_t>(designInfo_ >> 16)); }, designInfo_ != 0);
}

void TStrings::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty(
      u"Strings",
      [this](TReader* r) {
        BeginUpdate();
        try {
          Clear();
          r->ReadListBegin();
          while (!r->EndOfList()) Add(r->ReadString());
          r->ReadListEnd();
        } catch (...) {
          EndUpdate();
          throw;
        }
        EndUpdate();
      },
      [this](TWriter* w) {
        w->WriteListBegin();
        for (int i = 0; i < Count(); ++i) w->WriteString(Get(i));
        w->WriteListEnd();
      },
      Count() > 0);
}

// --- whole forms --------------------------------------------------------------------------------

TComponent* ReadComponentFromText(StringView Text, TComponent* Instance, TComponent* Owner) {
  TFormObject form = ParseStoredForm(Text);
  TReader reader;
  return reader.ReadRootComponent(form, Instance, Owner);
}

String WriteComponentToText(TComponent* Instance) {
  TWriter writer;
  return PrintStoredForm(writer.WriteRootComponent(Instance));
}

TComponent* ReadComponentFromStream(TStream* Stream, TComponent* Instance, TComponent* Owner) {
  int64_t left = Stream->Size() - Stream->Position();
  TBytes bytes = left > 0 ? Stream->ReadBytes(left) : TBytes();
  return ReadComponentFromText(DecodeTextBytes(bytes), Instance, Owner);
}

void WriteComponentToStream(TStream* Stream, TComponent* Instance) {
  Stream->WriteBytes(TEncoding::UTF8NoBOM()->GetBytes(WriteComponentToText(Instance)));
}

void ReadComponentResFromResource(TComponent* Instance, const String& ResourceName) {
  TResourceStream s(ResourceName, RT_RCDATA);
  ReadComponentFromStream(&s, Instance);
}

bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor) {
  std::vector<TClass> chain;
  for (TClass c = Instance->ClassType(); c && c != RootAncestor; c = c->parent) chain.push_back(c);
  bool any = false;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    std::string name = (*it)->name;
    if (!EmbeddedResourceExists("RCDATA", name)) continue;
    ReadComponentResFromResource(Instance, Utf8ToString(name));
    any = true;
  }
  return any;
}

TComponent* CreateComponentFromResource(const String& ClassName, TComponent* Owner) {
  TClass cls = FindClass(StringToUtf8(ClassName));
  if (!cls->InheritsFrom(TComponent::StaticClass()))
    throw EReadError(u"Class " + ClassName + u" is not a component");
  TObject* obj = cls->Create(Owner);
  auto* c = dynamic_cast<TComponent*>(obj);
  if (!c) {
    delete obj;
    throw EReadError(u"Cannot create a " + ClassName);
  }
  try {
    InitInheritedComponent(c, TComponent::StaticClass());
  } catch (...) {
    delete c;
    throw;
  }
  return c;
}

}  // namespace qd

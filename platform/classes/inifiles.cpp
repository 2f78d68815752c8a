#include "platform/classes/inifiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
#include "platform/classes/lists.h"
#include "platform/classes/streams.h"

namespace qd {

QD_IMPLEMENT_CLASS(TCustomIniFile)
QD_IMPLEMENT_CLASS(TMemIniFile)
QD_IMPLEMENT_CLASS(TIniFile)

namespace {

String Unquote(String v) {
  if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

TCustomIniFile::TCustomIniFile(const String& FileName) : fileName_(FileName) {}

void TCustomIniFile::Load() {
  sections_.clear();
  std::string path = StringToUtf8(fileName_);
  if (path.empty()) return;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;  // a missing or unreadable file reads as empty
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return;
  }
  THandleStream s(fd);
  TBytes bytes;
  try {
    bytes = s.ReadBytes(s.Size());
  } catch (const EReadError&) {
    bytes.clear();
  }
  ::close(fd);
  Parse(DecodeTextBytes(bytes));
}

void TCustomIniFile::Parse(const String& Text) {
  sections_.clear();
  Section* current = nullptr;
  size_t i = 0, n = Text.size();
  while (i < n) {
    size_t start = i;
    while (i < n && Text[i] != u'\r' && Text[i] != u'\n') ++i;
    String line = Trim(StringView(Text).substr(start, i - start));
    if (i < n && Text[i] == u'\r') ++i;
    if (i < n && Text[i] == u'\n') ++i;
    if (line.empty() || line[0] == u';') continue;
    if (line[0] == u'[') {
      size_t close = line.find(u']');
      String name = Trim(StringView(line).substr(1, close == String::npos ? String::npos : close - 1));
      current = FindSection(name);
      if (!current) {
        sections_.push_back({name, {}});
        current = &sections_.back();
      }
      continue;
    }
    if (!current) continue;  // lines before the first section
    size_t eq = line.find(u'=');
    if (eq == String::npos) continue;
    String key = TrimRight(StringView(line).substr(0, eq));
    if (key.empty()) continue;
    bool seen = std::any_of(current->entries.begin(), current->entries.end(),
                            [&](const Entry& e) { return SameText(e.key, key); });
    if (seen) continue;  // the first occurrence wins
    current->entries.push_back({key, Unquote(Trim(StringView(line).substr(eq + 1)))});
  }
}

String TCustomIniFile::Serialize() const {
  String out;
  for (size_t s = 0; s < sections_.size(); ++s) {
    if (s > 0) out += u"\r\n";
    out += u"[" + sections_[s].name + u"]\r\n";
    for (const Entry& e : sections_[s].entries) out += e.key + u"=" + e.value + u"\r\n";
  }
  return out;
}

void TCustomIniFile::Save() const {
  TBytes bytes = TEncoding::UTF8NoBOM()->GetBytes(Serialize());
  TFileStream f(fileName_, fmCreate);
  f.WriteBytes(bytes);
}

const TCustomIniFile::Section* TCustomIniFile::FindSection(const String& Name) const {
  for (const Section& s : sections_)
    if (SameText(s.name, Name)) return &s;
  return nullptr;
}

TCustomIniFile::Section* TCustomIniFile::FindSection(const String& Name) {
  return const_cast<Section*>(static_cast<const TCustomIniFile*>(this)->FindSection(Name));
}

void TCustomIniFile::SetValue(const String& SectionName, const String& Ident, const String& Value) {
  Section* s = FindSection(SectionName);
  if (!s) {
    sections_.push_back({SectionName, {}});
    s = &sections_.back();
  }
  for (Entry& e : s->entries) {
    if (SameText(e.key, Ident)) {
      e.value = Value;
      return;
    }
  }
  s->entries.push_back({Ident, Value});
}

void TCustomIniFile::RemoveSection(const String& SectionName) {
  sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                 [&](const Section& s) { return SameText(s.name, SectionName); }),
                  sections_.end());
}

void TCustomIniFile::RemoveKey(const String& SectionName, const String& Ident) {
  if (Section* s = FindSection(SectionName))
    s->entries.erase(std::remove_if(s->entries.begin(), s->entries.end(),
                                    [&](const Entry& e) { return SameText(e.key, Ident); }),
                     s->entries.end());
}

bool TCustomIniFile::SectionExists(const String& SectionName) const {
  const Section* s = FindSection(SectionName);
  return s && !s->entries.empty();
}

String TCustomIniFile::ReadString(const String& SectionName, const String& Ident,
                                  const String& Default) const {
  if (const Section* s = FindSection(SectionName))
    for (const Entry& e : s->entries)
      if (SameText(e.key, Ident)) return e.value;
  return Default;
}

int32_t TCustomIniFile::ReadInteger(const String& SectionName, const String& Ident, int32_t Default) const {
  String s = ReadString(SectionName, Ident, String());
  if (s.size() > 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) s = u"$" + s.substr(2);
  return StrToIntDef(s, Default);
}

void TCustomIniFile::WriteInteger(const String& SectionName, const String& Ident, int32_t Value) {
  WriteString(SectionName, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& SectionName, const String& Ident, bool Default) const {
  return ReadInteger(SectionName, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& SectionName, const String& Ident, bool Value) {
  WriteString(SectionName, Ident, Value ? u"1" : u"0");
}

void TCustomIniFile::ReadSection(const String& SectionName, TStrings* Strings) const {
  Strings->BeginUpdate();
  Strings->Clear();
  if (const Section* s = FindSection(SectionName))
    for (const Entry& e : s->entries) Strings->Add(e.key);
  Strings->EndUpdate();
}

void TCustomIniFile::ReadSections(TStrings* Strings) const {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const Section& s : sections_) Strings->Add(s.name);
  Strings->EndUpdate();
}

void TCustomIniFile::ReadSectionValues(const String& SectionName, TStrings* Strings) const {
  Strings->BeginUpdate();
  Strings->Clear();
  if (const Section* s = FindSection(SectionName))
    for (const Entry& e : s->entries) Strings->Add(e.key + u"=" + e.value);
  Strings->EndUpdate();
}

bool TCustomIniFile::ValueExists(const String& SectionName, const String& Ident) const {
  if (const Section* s = FindSection(SectionName))
    for (const Entry& e : s->entries)
      if (SameText(e.key, Ident)) return true;
  return false;
}

// --- TMemIniFile ---------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName) {
  Load();
}

void TMemIniFile::WriteString(const String& SectionName, const String& Ident, const String& Value) {
  SetValue(SectionName, Ident, Value);
}

void TMemIniFile::EraseSection(const String& SectionName) {
  RemoveSection(SectionName);
}

void TMemIniFile::DeleteKey(const String& SectionName, const String& Ident) {
  RemoveKey(SectionName, Ident);
}

void TMemIniFile::UpdateFile() {
  Save();
}

void TMemIniFile::GetStrings(TStrings* List) const {
  TStringList l;
  l.SetText(Serialize());
  List->Assign(&l);
}

void TMemIniFile::SetStrings(TStrings* List) {
  Parse(List->Text());
}

void TMemIniFile::Rename(const String& FileName, bool Reload) {
  fileName_ = FileName;
  if (Reload) Load();
}

// --- TIniFile ------------------------------------------------------------------------------

TIniFile::TIniFile(const String& FileName) : TCustomIniFile(FileName) {
  Load();
}

void TIniFile::WriteString(const String& SectionName, const String& Ident, const String& Value) {
  SetValue(SectionName, Ident, Value);
  Save();
}

void TIniFile::EraseSection(const String& SectionName) {
  RemoveSection(SectionName);
  Save();
}

void TIniFile::DeleteKey(const String& SectionName, const String& Ident) {
  RemoveKey(SectionName, Ident);
  Save();
}

}  // namespace qd

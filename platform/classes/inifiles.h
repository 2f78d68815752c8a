#pragma once
// INI files: sections of "key=value" lines. Section and key names compare without
// regard to case; values are trimmed and lose one pair of surrounding matching quotes;
// lines starting with ';' are comments; the first of duplicate keys wins (as the
// platform's profile functions do) and duplicate sections are read as one. A missing
// file reads as empty. The text is UTF-8 (with or without byte-order mark; also UTF-16
// with a mark), bytes that are not UTF-8 are read as Windows-1252.
#include <cstdint>
#include <vector>

#include "platform/base/object.h"
#include "platform/base/types.h"

namespace qd {

class TStrings;

class TCustomIniFile : public TObject {
  QD_CLASS(TCustomIniFile, TObject)

 public:
  explicit TCustomIniFile(const String& FileName);
  const String& FileName() const { return fileName_; }

  bool SectionExists(const String& Section) const;  // a section with at least one key
  virtual String ReadString(const String& Section, const String& Ident, const String& Default) const;
  virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
  // Through StrToIntDef ("0x" is read as hexadecimal too): anything else gives Default.
  int32_t ReadInteger(const String& Section, const String& Ident, int32_t Default) const;
  void WriteInteger(const String& Section, const String& Ident, int32_t Value);
  // Read as an integer: non-zero is true.
  bool ReadBool(const String& Section, const String& Ident, bool Default) const;
  void WriteBool(const String& Section, const String& Ident, bool Value);
  // Keys of a section, in file order.
  void ReadSection(const String& Section, TStrings* Strings) const;
  void ReadSections(TStrings* Strings) const;
  // "key=value" lines of a section.
  void ReadSectionValues(const String& Section, TStrings* Strings) const;
  bool ValueExists(const String& Section, const String& Ident) const;
  virtual void EraseSection(const String& Section) = 0;
  virtual void DeleteKey(const String& Section, const String& Ident) = 0;
  virtual void UpdateFile() = 0;

 protected:
  struct Entry {
    String key, value;
  };
  struct Section {
    String name;
    std::vector<Entry> entries;
  };
  void Load();
  // Replaces the content with the parsed text.
  void Parse(const String& Text);
  String Serialize() const;
  void Save() const;
  const Section* FindSection(const String& Name) const;
  Section* FindSection(const String& Name);
  void SetValue(const String& Section, const String& Ident, const String& Value);
  void RemoveSection(const String& Section);
  void RemoveKey(const String& Section, const String& Ident);

  String fileName_;
  std::vector<Section> sections_;
};

// Reads the file once; writes go to memory until UpdateFile.
class TMemIniFile : public TCustomIniFile {
  QD_CLASS(TMemIniFile, TCustomIniFile)

 public:
  explicit TMemIniFile(const String& FileName);
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  void UpdateFile() override;
  void Clear() { sections_.clear(); }
  void GetStrings(TStrings* List) const;
  void SetStrings(TStrings* List);
  void Rename(const String& FileName, bool Reload);
};

// Reads the file when created; every write is saved at once (comments are not kept).
class TIniFile : public TCustomIniFile {
  QD_CLASS(TIniFile, TCustomIniFile)

 public:
  explicit TIniFile(const String& FileName);
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  void UpdateFile() override {}
};

}  // namespace qd

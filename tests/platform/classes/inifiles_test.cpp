#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/strings.h"
#include "platform/classes/inifiles.h"
#include "platform/classes/lists.h"

namespace qd {
namespace {

namespace fs = std::filesystem;

struct IniFixture : ::testing::Test {
  fs::path dir;
  void SetUp() override {
    char tmpl[] = "/tmp/qdiniXXXXXX";
    dir = mkdtemp(tmpl);
  }
  void TearDown() override { fs::remove_all(dir); }
  String Write(const std::string& bytes) {
    auto p = dir / "ERP.INI";
    std::ofstream(p, std::ios::binary) << bytes;
    return Utf8ToString(p.string());
  }
};

TEST_F(IniFixture, ReadStringEdgeCases) {
  String f = Write(
      "; comment\r\n"
      "orphan=before any section\r\n"
      "[Atualizador]\r\n"
      "  CNPJ  =  12345678000199  \r\n"
      "NomeEXE=\"brackenvaleNFCe\"\n"
      "Quoted='single'\r"
      "Mixed=\"open'\n"
      "Empty=\n"
      "Dup=first\n"
      "dup=second\n"
      "NoEquals\n"
      ";Commented=x\n"
      "Inline=a ; not a comment\n"
      "Eq=a=b\n"
      "[other]\n"
      "k=v\n"
      "[ATUALIZADOR]\n"
      "Late=merged\n"
      "cnpj=ignored\n");
  TIniFile ini(f);
  struct Case {
    const char16_t* section;
    const char16_t* key;
    const char16_t* want;
  } cases[] = {
      {u"ATUALIZADOR", u"cnpj", u"12345678000199"},
      {u"atualizador", u"NomeEXE", u"brackenvaleNFCe"},
      {u"Atualizador", u"Quoted", u"single"},
      {u"Atualizador", u"Mixed", u"\"open'"},
      {u"Atualizador", u"Empty", u""},
      {u"Atualizador", u"DUP", u"first"},
      {u"Atualizador", u"NoEquals", u"<default>"},
      {u"Atualizador", u";Commented", u"<default>"},
      {u"Atualizador", u"Inline", u"a ; not a comment"},
      {u"Atualizador", u"Eq", u"a=b"},
      {u"Atualizador", u"Late", u"merged"},
      {u"Atualizador", u"orphan", u"<default>"},
      {u"Other", u"K", u"v"},
      {u"missing", u"k", u"<default>"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ini.ReadString(c.section, c.key, u"<default>"), c.want) << StringToUtf8(c.key);
  TStringList keys;
  ini.ReadSection(u"atualizador", &keys);
  EXPECT_EQ(keys.CommaText(), u"CNPJ,NomeEXE,Quoted,Mixed,Empty,Dup,Inline,Eq,Late");
  ini.ReadSections(&keys);
  EXPECT_EQ(keys.CommaText(), u"Atualizador,other");
  ini.ReadSectionValues(u"other", &keys);
  EXPECT_EQ(keys.Text(), u"k=v\r\n");
  EXPECT_TRUE(ini.SectionExists(u"OTHER"));
  EXPECT_FALSE(ini.SectionExists(u"none"));
  EXPECT_TRUE(ini.ValueExists(u"other", u"K"));
  EXPECT_TRUE(ini.ValueExists(u"atualizador", u"empty"));
  EXPECT_FALSE(ini.ValueExists(u"atualizador", u"noequals"));
}

TEST_F(IniFixture, IntegersAndBooleans) {
  String f = Write(
      "[s]\n"
      "a=12\nb= -7 \nc=abc\nd=0x1F\ne=$10\nf=99999999999\ng=1.5\nh=\ni=true\nj=0\n");
  TMemIniFile ini(f);
  struct Case {
    const char16_t* key;
    int32_t want;
  } cases[] = {{u"a", 12}, {u"b", -7}, {u"c", 1}, {u"d", 31},     {u"e", 16},
               {u"f", 1},  {u"g", 1},  {u"h", 1}, {u"missing", 1}};
  for (const auto& c : cases) EXPECT_EQ(ini.ReadInteger(u"s", c.key, 1), c.want) << StringToUtf8(c.key);
  EXPECT_TRUE(ini.ReadBool(u"s", u"a", false));
  EXPECT_FALSE(ini.ReadBool(u"s", u"j", true));
  EXPECT_TRUE(ini.ReadBool(u"s", u"i", true));  // not an integer: the default
  EXPECT_FALSE(ini.ReadBool(u"s", u"i", false));
}

TEST_F(IniFixture, EncodingsAndMissingFile) {
  struct Case {
    std::string bytes;
    std::u16string want;
  } cases[] = {
      {"[s]\nk=Jo\xC3\xA3o\n", u"João"},
      {"\xEF\xBB\xBF[s]\r\nk=Jo\xC3\xA3o\r\n", u"João"},  // the mark does not spoil the first section
      {"[s]\nk=Jo\xE3o\n", u"João"},                      // Windows-1252
      {std::string("\xFF\xFE[\0s\0]\0\n\0k\0=\0\xE3\0", 16), u"ã"},
  };
  for (const auto& c : cases) {
    TMemIniFile ini(Write(c.bytes));
    EXPECT_EQ(ini.ReadString(u"S", u"K", u""), c.want);
  }
  TIniFile missing(Utf8ToString((dir / "none.ini").string()));
  EXPECT_EQ(missing.ReadString(u"s", u"k", u"def"), u"def");
  EXPECT_EQ(missing.ReadInteger(u"s", u"k", 3), 3);
  TIniFile folder(Utf8ToString(dir.string()));  // not a file
  EXPECT_EQ(folder.ReadString(u"s", u"k", u"def"), u"def");
}

TEST_F(IniFixture, WritesRoundTrip) {
  String f = Write("[a]\nx=1\n");
  {
    TMemIniFile ini(f);
    ini.WriteString(u"A", u"X", u"2");
    ini.WriteInteger(u"b", u"n", 5);
    ini.WriteBool(u"b", u"flag", true);
    ini.DeleteKey(u"b", u"n");
    ini.UpdateFile();
  }
  TIniFile ini(f);
  EXPECT_EQ(ini.ReadString(u"a", u"x", u""), u"2");
  EXPECT_FALSE(ini.ValueExists(u"b", u"n"));
  EXPECT_TRUE(ini.ReadBool(u"b", u"flag", false));
  ini.EraseSection(u"b");
  TIniFile again(f);
  EXPECT_FALSE(again.SectionExists(u"b"));
  EXPECT_EQ(again.ReadString(u"a", u"x", u""), u"2");
}

}  // namespace
}  // namespace qd

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "platform/archive/zip.h"
#include "platform/base/strings.h"
#include "servers/zip_writer.h"
#include "servers/test_files.h"

namespace qd {
namespace {

namespace fs = std::filesystem;
using testing::MakeZip;
using testing::ReadFile;
using testing::TTempDir;
using testing::UnixAttributes;
using testing::WriteFile;
using testing::ZipEntrySpec;

mode_t ModeOf(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Everything below a folder: relative path -> kind, mode and content.
std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> out;
  if (!fs::exists(root)) return out;
  for (auto& e : fs::recursive_directory_iterator(root)) {
    std::string rel = fs::relative(e.path(), root).string();
    char mode[16];
    std::snprintf(mode, sizeof mode, "%04o", ModeOf(e.path().string()));
    if (e.is_symlink())
      out[rel] = "link";
    else if (e.is_directory())
      out[rel] = std::string("dir ") + mode;
    else
      out[rel] = std::string("file ") + mode + " " + ReadFile(e.path().string());
  }
  return out;
}

class ZipTest : public ::testing::Test {
 protected:
  std::string Archive(const std::vector<ZipEntrySpec>& entries, const std::string& name = "a.zip") {
    std::string path = dir_ / name;
    WriteFile(path, MakeZip(entries));
    return path;
  }
  void Extract(const std::string& zip, const std::string& target) {
    TZipFile z;
    z.Open(Utf8ToString(zip), zmRead);
    z.ExtractAll(Utf8ToString(target));
    z.Close();
  }
  TTempDir dir_;
};

TEST_F(ZipTest, ExtractsNestedFoldersWithBothMethodsAndBothSeparators) {
  std::string big(300000, 'x');
  for (size_t i = 0; i < big.size(); i += 7) big[i] = static_cast<char>('a' + i % 26);
  std::string zip = Archive({
      {.name = "top.txt", .data = "top"},
      {.name = "sub/", .data = ""},
      {.name = "sub/inner/deep.bin", .data = big, .deflate = true},
      {.name = "win\\style\\path.txt", .data = "backslashes", .deflate = true},
      {.name = "./dot/./x.txt", .data = "dots"},
      {.name = "emptydir/", .data = ""},
      {.name = "empty.txt", .data = ""},
  });
  TZipFile z;
  z.Open(Utf8ToString(zip), zmRead);
  EXPECT_EQ(z.FileCount(), 7);
  EXPECT_EQ(StringToUtf8(z.FileNames()[3]), "win\\style\\path.txt");
  std::string target = dir_ / "out/new";  // missing parents are created
  z.ExtractAll(Utf8ToString(target));
  EXPECT_EQ(ReadFile(target + "/top.txt"), "top");
  EXPECT_EQ(ReadFile(target + "/sub/inner/deep.bin"), big);
  EXPECT_EQ(ReadFile(target + "/win/style/path.txt"), "backslashes");
  EXPECT_EQ(ReadFile(target + "/dot/x.txt"), "dots");
  EXPECT_TRUE(fs::is_directory(target + "/emptydir"));
  EXPECT_TRUE(fs::is_regular_file(target + "/empty.txt"));
  // Modes for an archive not made on Unix; the stored time is kept.
  EXPECT_EQ(ModeOf(target + "/top.txt"), 0644u);
  EXPECT_EQ(ModeOf(target + "/sub/inner"), 0755u);
  struct stat st;
  ASSERT_EQ(::stat((target + "/top.txt").c_str(), &st), 0);
  struct tm t;
  localtime_r(&st.st_mtime, &t);
  EXPECT_EQ(t.tm_year + 1900, 2024);
  EXPECT_EQ(t.tm_hour, 12);
  // No temporary files are left beside the results.
  for (auto& e : fs::recursive_directory_iterator(target))
    EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
}

TEST_F(ZipTest, OverwritesFilesKeepingTheirModeAndLeavesOthersAlone) {
  std::string target = dir_ / "inst";
  WriteFile(target + "/app.exe", "old program", fs::perms(0700));
  WriteFile(target + "/data/keep.txt", "untouched", fs::perms(0640));
  WriteFile(target + "/data/conf.ini", "old conf", fs::perms(0600));
  std::string zip = Archive({
      {.name = "app.exe", .data = "new program", .deflate = true},
      {.name = "data/conf.ini", .data = "new conf"},
      {.name = "data/new.sh",
       .data = "#!/bin/sh\n",
       .madeBySystem = 3,
       .externalAttributes = UnixAttributes(0100755)},
      {.name = "data/ro.txt", .data = "r", .madeBySystem = 3, .externalAttributes = UnixAttributes(0100444)},
      {.name = "tools/", .madeBySystem = 3, .externalAttributes = UnixAttributes(040750)},
  });
  Extract(zip, target);
  EXPECT_EQ(ReadFile(target + "/app.exe"), "new program");
  EXPECT_EQ(ModeOf(target + "/app.exe"), 0700u);
  EXPECT_EQ(ReadFile(target + "/data/conf.ini"), "new conf");
  EXPECT_EQ(ModeOf(target + "/data/conf.ini"), 0600u);
  EXPECT_EQ(ReadFile(target + "/data/keep.txt"), "untouched");
  EXPECT_EQ(ModeOf(target + "/data/new.sh"), 0755u);
  EXPECT_EQ(ModeOf(target + "/data/ro.txt"), 0444u);
  EXPECT_EQ(ModeOf(target + "/tools"), 0750u);
  // A second extraction over read-only results still works.
  Extract(zip, target);
  EXPECT_EQ(ReadFile(target + "/data/ro.txt"), "r");
}

TEST_F(ZipTest, DecodesUtf8AndCodePage437Names) {
  std::string zip = Archive({
      {.name = "caf\xC3\xA9/\xC3\xB1.txt", .data = "utf8", .utf8Flag = true},
      {.name = "caf\x82.txt", .data = "cp437"},  // 0x82 is e-acute in code page 437
  });
  TZipFile z;
  z.Open(Utf8ToString(zip), zmRead);
  auto names = z.FileNames();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], u"caf\u00e9/\u00f1.txt");
  EXPECT_EQ(names[1], u"caf\u00e9.txt");
  std::string target = dir_ / "names";
  z.ExtractAll(Utf8ToString(target));
  EXPECT_EQ(ReadFile(target + "/caf\xC3\xA9/\xC3\xB1.txt"), "utf8");
  EXPECT_EQ(ReadFile(target + "/caf\xC3\xA9.txt"), "cp437");
}

TEST_F(ZipTest, RefusesEntriesThatEscapeAndLeavesTheTargetAsItWas) {
  struct Case {
    const char* what;
    ZipEntrySpec bad;
  } cases[] = {
      {"parent", {.name = "../evil.txt", .data = "x"}},
      {"nested parent", {.name = "a/b/../../../evil.txt", .data = "x"}},
      {"backslash parent", {.name = "..\\evil.txt", .data = "x"}},
      {"absolute", {.name = "/tmp/qd-evil.txt", .data = "x"}},
      {"absolute backslash", {.name = "\\evil.txt", .data = "x"}},
      {"drive", {.name = "C:evil.txt", .data = "x"}},
      {"drive path", {.name = "c:\\windows\\evil.txt", .data = "x"}},
      {"symlink",
       {.name = "link",
        .data = "/etc/passwd",
        .madeBySystem = 3,
        .externalAttributes = UnixAttributes(0120777)}},
      {"unsupported method", {.name = "bz.txt", .data = "x", .methodOverride = 12}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TTempDir d;
    std::string target = d / "root/target";
    WriteFile(target + "/existing.txt", "before", fs::perms(0644));
    auto before = Snapshot(d.Path());
    WriteFile(d / "a.zip",
              MakeZip({{.name = "good.txt", .data = "good"}, {.name = "sub/good2.txt", .data = "g"}, c.bad}));
    TZipFile z;
    z.Open(Utf8ToString(d / "a.zip"), zmRead);
    try {
      z.ExtractAll(Utf8ToString(target));
      ADD_FAILURE() << "no exception";
    } catch (const EZipException& e) {
      EXPECT_NE(StringToUtf8(e.Message()).find("Damaged archive"), std::string::npos)
          << StringToUtf8(e.Message());
    }
    fs::remove(d / "a.zip");
    EXPECT_EQ(Snapshot(d.Path()), before);
    EXPECT_FALSE(fs::exists("/tmp/qd-evil.txt"));
  }
}

TEST_F(ZipTest, NeverWritesThroughASymlinkInTheTarget) {
  std::string target = dir_ / "target";
  std::string outside = dir_ / "outside";
  fs::create_directories(target);
  fs::create_directories(outside);
  fs::create_directory_symlink(outside, target + "/link");
  std::string zip = Archive({{.name = "ok.txt", .data = "ok"}, {.name = "link/x.txt", .data = "x"}});
  TZipFile z;
  z.Open(Utf8ToString(zip), zmRead);
  EXPECT_THROW(z.ExtractAll(Utf8ToString(target)), EZipException);
  EXPECT_TRUE(fs::is_empty(outside));
  EXPECT_FALSE(fs::exists(target + "/ok.txt"));
}

TEST_F(ZipTest, DamagedArchivesRaise) {
  std::string good = MakeZip({{.name = "a.txt", .data = std::string(5000, 'a'), .deflate = true},
                              {.name = "b.txt", .data = "bbbbbbbbbb"}});
  std::string truncated = good.substr(0, good.size() / 2);
  std::string garbage = "this is not a zip archive at all, just text";
  // A changed byte in the stored data of b.txt: its checksum no longer matches.
  std::string badCrc = good;
  size_t pos = badCrc.find("bbbbbbbbbb");
  ASSERT_NE(pos, std::string::npos);
  badCrc[pos] = 'X';
  // A broken deflate stream.
  std::string badDeflate = good;
  size_t data = 30 + 5;  // local header + name of the first entry
  for (size_t i = data; i < data + 8; ++i) badDeflate[i] = static_cast<char>(0xFF);

  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {{"truncated", truncated}, {"garbage", garbage}, {"crc", badCrc}, {"deflate", badDeflate}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string path = dir_ / (std::string(c.what) + ".zip");
    WriteFile(path, c.bytes);
    std::string target = dir_ / (std::string("out-") + c.what);
    EXPECT_THROW(TZipFile::ExtractZipFile(Utf8ToString(path), Utf8ToString(target)), EZipException);
    // Whatever was written, no temporary file stays behind.
    if (fs::exists(target)) {
      for (auto& e : fs::recursive_directory_iterator(target))
        EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
    }
  }
  EXPECT_FALSE(TZipFile::IsValid(Utf8ToString(dir_ / "garbage.zip")));
  WriteFile(dir_ / "good.zip", good);
  EXPECT_TRUE(TZipFile::IsValid(Utf8ToString(dir_ / "good.zip")));
  TZipFile z;
  EXPECT_THROW(z.Open(Utf8ToString(dir_ / "missing.zip"), zmRead), EZipException);
  EXPECT_THROW(z.Open(Utf8ToString(dir_ / "good.zip"), zmWrite), EZipException);
  EXPECT_THROW(z.ExtractAll(Utf8ToString(dir_.Path())), EZipException);  // not open
}

}  // namespace
}  // namespace qd

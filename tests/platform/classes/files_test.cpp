#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/classes/sysutils_files.h"
#include "platform/os/kernel.h"

namespace qd {
namespace {

namespace fs = std::filesystem;

struct TempDir {
  fs::path path;
  TempDir() {
    char tmpl[] = "/tmp/qdfilesXXXXXX";
    path = mkdtemp(tmpl);
  }
  ~TempDir() {
    // Read-only folders left by a test must not stop the clean-up.
    std::error_code ec;
    for (auto& e : fs::recursive_directory_iterator(path, ec))
      if (!e.is_symlink()) fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path, ec);
  }
  String S(const std::string& rel = "") const { return Utf8ToString((path / rel).string()); }
  void Write(const std::string& rel, const std::string& data) const {
    std::ofstream(path / rel, std::ios::binary) << data;
  }
  std::string Read(const std::string& rel) const {
    std::ifstream f(path / rel, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
};

TEST(Files, MaskMatching) {
  struct Case {
    const char16_t* name;
    const char16_t* mask;
    bool match;
  } cases[] = {
      {u"A.ZIP", u"*.zip", true},     {u"a.zip.bak", u"*.zip", false},
      {u"noext", u"*.*", true},       {u"noext", u"*", true},
      {u".", u"*.*", true},           {u"x.y.z", u"*.z", true},
      {u"abc", u"a?c", true},         {u"ac", u"a?c", false},
      {u"noext", u"*.", true},        {u"a.b", u"*.", false},
      {u"abc", u"abc.*", true},       {u"Report.ZIP", u"rep*.z?p", true},
      {u"dump.zip", u"*.txt", false}, {u"zip", u"*.zip", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << StringToUtf8(c.name) << " ~ " << StringToUtf8(c.mask);
}

std::vector<std::string> Search(const String& path, int attr, std::vector<int>* attrs = nullptr) {
  std::vector<std::string> names;
  TSearchRec sr;
  if (FindFirst(path, attr, sr) == 0) {
    do {
      names.push_back(StringToUtf8(sr.Name));
      if (attrs) attrs->push_back(sr.Attr);
    } while (FindNext(sr) == 0);
    FindClose(sr);
  }
  return names;
}

TEST(Files, FolderSearchWithMasksAndAttributes) {
  TempDir d;
  d.Write("A.ZIP", "1");
  d.Write("b.zip", "22");
  d.Write("c.txt", "333");
  d.Write(".hidden", "");
  fs::create_directory(d.path / "sub");
  d.Write("sub/inner.zip", "");
  fs::create_directory(d.path / "ro.dir");
  fs::create_symlink(d.path / "sub", d.path / "link");
  chmod((d.path / "ro.dir").c_str(), 0555);  // a folder with the read-only bit still is a folder
  chmod((d.path / "c.txt").c_str(), 0444);

  std::vector<int> attrs;
  auto all = Search(d.S("*.*"), faAnyFile, &attrs);
  EXPECT_EQ(all, (std::vector<std::string>{".", "..", ".hidden", "A.ZIP", "b.zip", "c.txt", "link", "ro.dir",
                                           "sub"}));
  ASSERT_EQ(attrs.size(), all.size());
  EXPECT_EQ(attrs[0], faDirectory);
  EXPECT_EQ(attrs[2], faArchive | faHidden);
  EXPECT_EQ(attrs[3], faArchive);
  EXPECT_EQ(attrs[5], faArchive | faReadOnly);
  EXPECT_EQ(attrs[6], faSymLink);  // never reported as a folder, so never descended into
  EXPECT_TRUE(attrs[7] & faDirectory);
  EXPECT_EQ(attrs[8], faDirectory);

  EXPECT_EQ(Search(d.S("*.zip"), faAnyFile), (std::vector<std::string>{"A.ZIP", "b.zip"}));
  // Without faDirectory and faHidden those entries are left out.
  EXPECT_EQ(Search(d.S("*"), 0), (std::vector<std::string>{"A.ZIP", "b.zip", "c.txt", "link"}));
  EXPECT_EQ(Search(d.S("*"), faReadOnly), (std::vector<std::string>{"A.ZIP", "b.zip", "c.txt", "link"}));
  TSearchRec sr;
  EXPECT_EQ(FindFirst(d.S("*.doc"), faAnyFile, sr), 2);
  EXPECT_EQ(FindFirst(d.S("missing/*.*"), faAnyFile, sr), 3);
  EXPECT_EQ(FindFirst(d.S("link/*.*"), faAnyFile, sr), 3);  // a link is not searched through
  ASSERT_EQ(FindFirst(d.S("b.zip"), faAnyFile, sr), 0);
  EXPECT_EQ(sr.Size, 2);
  EXPECT_GT(sr.TimeStamp, 40000.0);
  EXPECT_EQ(FindNext(sr), 18);
  FindClose(sr);
}

TEST(Files, AttributesDeleteAndLinks) {
  TempDir d;
  d.Write("f", "x");
  d.Write("target", "keep");
  fs::create_directory(d.path / "dir");
  d.Write("dir/inside", "keep");
  fs::create_symlink(d.path / "target", d.path / "flink");
  fs::create_symlink(d.path / "dir", d.path / "dlink");
  chmod((d.path / "f").c_str(), 0444);

  EXPECT_EQ(GetFileAttributesW(d.S("missing").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(d.S("f").c_str()), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(GetFileAttributesW(d.S("dir").c_str()), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesW(d.S("dlink").c_str()), FILE_ATTRIBUTE_REPARSE_POINT);

  // A read-only file is not deleted until its attributes are cleared.
  EXPECT_FALSE(DeleteFile(d.S("f")));
  EXPECT_EQ(GetLastError(), 5u);
  EXPECT_TRUE(SetFileAttributesW(d.S("f").c_str(), 0));
  EXPECT_EQ(GetFileAttributesW(d.S("f").c_str()), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_TRUE(SetFileAttributesW(d.S("f").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(FileGetAttr(d.S("f")), faArchive | faReadOnly);
  EXPECT_EQ(FileSetAttr(d.S("f"), 0), 0);
  EXPECT_TRUE(DeleteFile(d.S("f")));
  EXPECT_FALSE(FileExists(d.S("f")));

  // Links: deleted themselves; what they point to stays.
  EXPECT_TRUE(SetFileAttributesW(d.S("dlink").c_str(), 0));
  EXPECT_FALSE(DirectoryExists(d.S("dlink")));
  EXPECT_FALSE(DirectoryExists(d.S("dlink/")));
  EXPECT_TRUE(DirectoryExists(d.S("dlink"), true));
  EXPECT_FALSE(RemoveDir(d.S("dlink")));
  EXPECT_TRUE(DeleteFile(d.S("dlink")));
  EXPECT_TRUE(DeleteFile(d.S("flink")));
  EXPECT_EQ(d.Read("target"), "keep");
  EXPECT_EQ(d.Read("dir/inside"), "keep");

  EXPECT_FALSE(DeleteFile(d.S("dir")));
  EXPECT_FALSE(RemoveDir(d.S("dir")));  // not empty
  EXPECT_TRUE(DirectoryExists(d.S("dir")));
  EXPECT_FALSE(FileExists(d.S("dir")));
  EXPECT_TRUE(FileExists(d.S("target")));
}

TEST(Files, CopyFileReplacesAtomicallyOrLeavesTheTargetAlone) {
  TempDir d;
  d.Write("src", "new content");
  d.Write("dst", "old");
  d.Write("ro", "read-only");
  chmod((d.path / "src").c_str(), 0750);
  chmod((d.path / "dst").c_str(), 0600);
  chmod((d.path / "ro").c_str(), 0444);
  fs::create_symlink(d.path / "src", d.path / "srclink");

  struct Case {
    std::string src, dst;
    bool failIfExists, ok;
    std::string dstAfter;
  } cases[] = {
      {"src", "dst", true, false, "old"},         {"src", "ro", false, false, "read-only"},
      {"missing", "dst", false, false, "old"},    {"srclink", "dst", false, false, "old"},
      {"src", "dst", false, true, "new content"}, {"src", "fresh", true, true, "new content"},
      {"src", "nofolder/x", false, false, ""},
  };
  for (const auto& c : cases) {
    BOOL r = CopyFileW(d.S(c.src).c_str(), d.S(c.dst).c_str(), c.failIfExists);
    EXPECT_EQ(r != FALSE, c.ok) << c.src << " -> " << c.dst;
    EXPECT_EQ(d.Read(c.dst), c.dstAfter) << c.dst;
  }
  struct stat st {};
  stat((d.path / "dst").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);  // an overwritten file keeps its mode
  stat((d.path / "fresh").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0750u);  // a new one gets the source's
  // No temporary file is left anywhere.
  int n = 0;
  for (auto& e : fs::directory_iterator(d.path)) n += e.path().filename().string()[0] == '.';
  EXPECT_EQ(n, 0);
  // A target folder that cannot be written: the copy fails, the old file stays.
  fs::create_directory(d.path / "locked");
  d.Write("locked/f", "locked");
  chmod((d.path / "locked").c_str(), 0555);
  if (geteuid() != 0) {
    EXPECT_FALSE(CopyFileW(d.S("src").c_str(), d.S("locked/f").c_str(), FALSE));
    EXPECT_EQ(d.Read("locked/f"), "locked");
  }
}

TEST(Files, FoldersRenameAndCurrentDir) {
  TempDir d;
  EXPECT_TRUE(ForceDirectories(d.S("a/b/c/")));
  EXPECT_TRUE(DirectoryExists(d.S("a/b/c")));
  EXPECT_TRUE(ForceDirectories(d.S("a/b")));
  EXPECT_THROW(ForceDirectories(u""), EInOutError);
  EXPECT_FALSE(CreateDir(d.S("a")));
  d.Write("x", "1");
  d.Write("y", "2");
  EXPECT_FALSE(RenameFile(d.S("x"), d.S("y")));
  EXPECT_EQ(d.Read("y"), "2");
  EXPECT_TRUE(RenameFile(d.S("x"), d.S("z")));
  EXPECT_TRUE(RemoveDir(d.S("a/b/c/")));
  String old = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(d.S("a")));
  EXPECT_EQ(GetCurrentDir(), ExcludeTrailingPathDelimiter(ExpandFileName(d.S("a"))));
  EXPECT_EQ(ExpandFileName(u"b/../c/./d"), d.S("a/c/d"));
  ASSERT_TRUE(SetCurrentDir(old));
}

TEST(Files, PathNames) {
  struct Case {
    const char16_t* name;
    const char16_t* path;
    const char16_t* dir;
    const char16_t* file;
    const char16_t* ext;
    const char16_t* changed;
  } cases[] = {
      {u"/a/b.c/d.txt", u"/a/b.c/", u"/a/b.c", u"d.txt", u".txt", u"/a/b.c/d.ini"},
      {u"/a/b.c/d", u"/a/b.c/", u"/a/b.c", u"d", u"", u"/a/b.c/d.ini"},
      {u"x.tar.gz", u"", u"", u"x.tar.gz", u".gz", u"x.tar.ini"},
      {u"/x", u"/", u"/", u"x", u"", u"/x.ini"},
      {u"dir/", u"dir/", u"dir", u"", u"", u"dir/.ini"},
      {u"a/.bashrc", u"a/", u"a", u".bashrc", u".bashrc", u"a/.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path);
    EXPECT_EQ(ExtractFileDir(c.name), c.dir);
    EXPECT_EQ(ExtractFileName(c.name), c.file);
    EXPECT_EQ(ExtractFileExt(c.name), c.ext);
    EXPECT_EQ(ChangeFileExt(c.name, u".ini"), c.changed);
  }
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a"), u"/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a/"), u"/a/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a/"), u"/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a"), u"/a");
}

TEST(Files, ProgramParameters) {
  char a0[] = "prog", a1[] = "S", a2[] = "olá";
  char* argv[] = {a0, a1, a2};
  InitParams(3, argv);
  EXPECT_EQ(ParamCount(), 2);
  EXPECT_EQ(ParamStr(1), u"S");
  EXPECT_EQ(ParamStr(2), u"olá");
  EXPECT_EQ(ParamStr(3), u"");
  EXPECT_EQ(ParamStr(0)[0], u'/');  // the running executable's full path
  EXPECT_TRUE(FileExists(ParamStr(0)));
}

}  // namespace
}  // namespace qd

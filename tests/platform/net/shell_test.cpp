#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/strings.h"
#include "platform/os/shell.h"
#include "servers/test_servers.h"

namespace qd {
namespace {

using testing::ReadLineFromFifo;
using testing::TTempDir;
using testing::WriteFile;
using namespace std::chrono_literals;

std::vector<std::string> Utf8List(const std::vector<String>& v) {
  std::vector<std::string> out;
  for (const auto& s : v) out.push_back(StringToUtf8(s));
  return out;
}

TEST(CommandLineToArgs, SplitsTheWindowsWay) {
  using V = std::vector<std::string>;
  struct Case {
    const char16_t* line;
    V want;
  } cases[] = {
      {u"cmd /c taskkill -f -im Torvelix.exe", {"cmd", "/c", "taskkill", "-f", "-im", "Torvelix.exe"}},
      {u"  a\t b  ", {"a", "b"}},
      {u"", {}},
      {u"   ", {}},
      // Program name: quotes group, backslashes are literal.
      {u"\"C:\\Program Files\\x.exe\" y", {"C:\\Program Files\\x.exe", "y"}},
      {u"C:\\dir\\\"a b\" c", {"C:\\dir\\a b", "c"}},
      // Arguments: quotes, the backslash rules and "" inside quotes.
      {u"p \"a b\" c", {"p", "a b", "c"}},
      {u"p a\"b c\"d", {"p", "ab cd"}},
      {u"p \\\"a", {"p", "\"a"}},
      {u"p \\\\\"a b\"", {"p", "\\a b"}},
      {u"p \\\\\\\"a", {"p", "\\\"a"}},
      {u"p a\\\\b", {"p", "a\\\\b"}},
      {u"p a\\", {"p", "a\\"}},
      {u"p \"\"", {"p", ""}},
      {u"p \"a\"\"b\"", {"p", "a\"b"}},
      {u"p \"unterminated arg", {"p", "unterminated arg"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.line));
    EXPECT_EQ(Utf8List(os::CommandLineToArgs(c.line)), c.want);
  }
  EXPECT_EQ(Utf8List(os::SplitArguments(u"\"/tmp/a b\" \"/tmp/c\" /S /Y")),
            (std::vector<std::string>{"/tmp/a b", "/tmp/c", "/S", "/Y"}));
}

class RecordingLauncher : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = os::SetProcessLauncher(&rec_); }
  void TearDown() override { os::SetProcessLauncher(previous_); }
  os::TRecordingProcessLauncher rec_;
  os::TProcessLauncher* previous_ = nullptr;
};

TEST_F(RecordingLauncher, RecordsBothEntryPointsAndMapsResults) {
  EXPECT_GT(WinExec("cmd /c taskkill -f -im Torvelix.exe", 5), 31u);
  EXPECT_GT(reinterpret_cast<intptr_t>(
                ShellExecuteW(nullptr, nullptr, u"/inst/brackenvaleNFCe.exe", u"", nullptr, 1)),
            32);
  EXPECT_GT(reinterpret_cast<intptr_t>(
                ShellExecuteW(nullptr, u"", u"xCopy", u"\"/w/temp/a\" \"/w/a\" /S /Y", u"/w", 5)),
            32);
  ASSERT_EQ(rec_.Calls.size(), 3u);
  const auto& w = rec_.Calls[0];
  EXPECT_EQ(w.Source, os::TProcessSource::WinExec);
  EXPECT_EQ(StringToUtf8(w.CommandLine), "cmd /c taskkill -f -im Torvelix.exe");
  EXPECT_EQ(w.Argv, (std::vector<std::string>{"cmd", "/c", "taskkill", "-f", "-im", "Torvelix.exe"}));
  EXPECT_EQ(w.ShowCmd, 5);
  const auto& r = rec_.Calls[1];
  EXPECT_EQ(r.Source, os::TProcessSource::ShellExecute);
  EXPECT_EQ(r.Argv, (std::vector<std::string>{"/inst/brackenvaleNFCe.exe"}));
  EXPECT_EQ(r.Directory, "");
  const auto& x = rec_.Calls[2];
  EXPECT_EQ(x.Argv, (std::vector<std::string>{"xCopy", "/w/temp/a", "/w/a", "/S", "/Y"}));
  EXPECT_EQ(x.Directory, "/w");

  // Failures of the launcher come back as the original's small results.
  rec_.Result = ENOENT;
  EXPECT_EQ(WinExec("missing", 5), 2u);
  EXPECT_EQ(reinterpret_cast<intptr_t>(ShellExecuteW(nullptr, nullptr, u"/x", nullptr, nullptr, 1)),
            SE_ERR_FNF);
  // Other verbs are not supported and never reach the launcher.
  size_t before = rec_.Calls.size();
  EXPECT_EQ(reinterpret_cast<intptr_t>(ShellExecuteW(nullptr, u"runas", u"/x", nullptr, nullptr, 1)),
            SE_ERR_NOASSOC);
  EXPECT_EQ(rec_.Calls.size(), before);
}

// Real processes: a script reports its folder, arguments, standard input and session
// through a FIFO.
class RealLauncher : public ::testing::Test {
 protected:
  void SetUp() override {
    fifo_ = dir_ / "report.fifo";
    ASSERT_EQ(::mkfifo(fifo_.c_str(), 0600), 0);
    ::setenv("QD_TEST_FIFO", fifo_.c_str(), 1);
    oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    WriteFile(dir_ / "bin/qdreport",
              "#!/bin/sh\n"
              "echo \"$PWD|$#|$1|$2|$(readlink /proc/$$/fd/0)|$(cut -d' ' -f6 /proc/$$/stat)\" > "
              "\"$QD_TEST_FIFO\"\n",
              std::filesystem::perms(0755));
    WriteFile(dir_ / "plain.txt", "not a program\n", std::filesystem::perms(0644));
    ::mkdir((dir_ / "work").c_str(), 0755);
  }
  void TearDown() override {
    ::setenv("PATH", oldPath_.c_str(), 1);
    ::unsetenv("QD_TEST_FIFO");
  }
  std::string Report() { return ReadLineFromFifo(fifo_, 20s); }

  TTempDir dir_;
  std::string fifo_;
  std::string oldPath_;
};

TEST_F(RealLauncher, WinExecStartsFromPathDetached) {
  ::setenv("PATH", ((dir_ / "bin") + ":" + oldPath_).c_str(), 1);
  ASSERT_GT(WinExec("qdreport \"one arg\" two", 5), 31u);
  std::string line = Report();
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  std::string want = std::string(cwd) + "|2|one arg|two|/dev/null|";
  EXPECT_EQ(line.substr(0, want.size()), want) << line;
  std::string sid = line.substr(line.rfind('|') + 1);
  ASSERT_FALSE(sid.empty());
  EXPECT_NE(std::stol(sid), static_cast<long>(::getsid(0))) << "not in a new session";
}

TEST_F(RealLauncher, WinExecNeverSearchesTheCurrentFolder) {
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(::chdir((dir_ / "bin").c_str()), 0);
  // An empty entry and "." would mean the current folder on a shell's PATH.
  ::setenv("PATH", (":.:" + oldPath_).c_str(), 1);
  UINT r = WinExec("qdreport", 5);
  ASSERT_EQ(::chdir(cwd), 0);
  EXPECT_EQ(r, 2u);
  EXPECT_EQ(WinExec("qd-no-such-program-anywhere /c x", 5), 2u);
  EXPECT_EQ(WinExec("", 5), 2u);
}

TEST_F(RealLauncher, ShellExecuteRunsTheFileInTheGivenFolder) {
  std::u16string file = Utf8ToString(dir_ / "bin/qdreport");
  std::u16string work = Utf8ToString(dir_ / "work");
  auto r = reinterpret_cast<intptr_t>(
      ShellExecuteW(nullptr, nullptr, file.c_str(), u"\"a b\" c", work.c_str(), 1));
  ASSERT_GT(r, 32);
  std::string line = Report();
  EXPECT_EQ(line.substr(0, line.rfind('|')), (dir_ / "work") + "|2|a b|c|/dev/null");
}

TEST_F(RealLauncher, ShellExecuteRefusesWhatIsNotAnExecutableFile) {
  struct Case {
    std::string file, directory;
  } cases[] = {
      {dir_ / "plain.txt", ""},                 // no execute bit
      {dir_ / "bin", ""},                       // a folder
      {dir_ / "missing.exe", ""},               // absent
      {dir_ / "bin/qdreport", dir_ / "nodir"},  // working folder absent
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file + " in " + c.directory);
    std::u16string file = Utf8ToString(c.file), d = Utf8ToString(c.directory);
    EXPECT_EQ(reinterpret_cast<intptr_t>(ShellExecuteW(nullptr, nullptr, file.c_str(), u"",
                                                       c.directory.empty() ? nullptr : d.c_str(), 1)),
              SE_ERR_FNF);
  }
}

}  // namespace
}  // namespace qd

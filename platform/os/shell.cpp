#include "platform/os/shell.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/base/strings.h"

extern char** environ;

namespace qd::os {

namespace {

bool IsBlank(Char c) {
  return c == u' ' || c == u'\t';
}

// Parses one argument after the program name, starting at a non-blank character.
String ParseArgument(StringView s, size_t& i) {
  String arg;
  bool inQuotes = false;
  while (i < s.size()) {
    size_t slashes = 0;
    while (i < s.size() && s[i] == u'\\') {
      ++slashes;
      ++i;
    }
    if (i < s.size() && s[i] == u'"') {
      arg.append(slashes / 2, u'\\');
      if (slashes % 2) {
        arg.push_back(u'"');
        ++i;
      } else if (inQuotes && i + 1 < s.size() && s[i + 1] == u'"') {
        arg.push_back(u'"');
        i += 2;
      } else {
        inQuotes = !inQuotes;
        ++i;
      }
      continue;
    }
    arg.append(slashes, u'\\');
    if (i >= s.size()) break;
    if (!inQuotes && IsBlank(s[i])) break;
    arg.push_back(s[i++]);
  }
  return arg;
}

void SplitRest(StringView s, size_t i, std::vector<String>& out) {
  while (true) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i >= s.size()) break;
    out.push_back(ParseArgument(s, i));
  }
}

TSystemProcessLauncher gSystemLauncher;
std::atomic<TProcessLauncher*> gLauncher{nullptr};

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0111) != 0;
}

// Writes an errno value to the error pipe and leaves; only async-signal-safe calls here.
[[noreturn]] void ChildFail(int fd, int err) {
  ssize_t r = ::write(fd, &err, sizeof err);
  (void)r;
  ::_exit(127);
}

}  // namespace

std::vector<String> CommandLineToArgs(StringView s) {
  std::vector<String> out;
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i >= s.size()) return out;
  // The program name: quotes group, nothing is escaped.
  String name;
  bool inQuotes = false;
  while (i < s.size() && (inQuotes || !IsBlank(s[i]))) {
    if (s[i] == u'"')
      inQuotes = !inQuotes;
    else
      name.push_back(s[i]);
    ++i;
  }
  out.push_back(std::move(name));
  SplitRest(s, i, out);
  return out;
}

std::vector<String> SplitArguments(StringView params) {
  std::vector<String> out;
  SplitRest(params, 0, out);
  return out;
}

std::string FindProgramOnPath(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return {};
  const char* path = std::getenv("PATH");
  if (!path) return {};
  std::string_view rest(path);
  while (true) {
    size_t colon = rest.find(':');
    std::string_view dir = rest.substr(0, colon);
    if (!dir.empty() && dir.front() == '/') {
      std::string candidate(dir);
      if (candidate.back() != '/') candidate.push_back('/');
      candidate += name;
      if (IsExecutableFile(candidate)) return candidate;
    }
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return {};
}

int TSystemProcessLauncher::Start(const TProcessStart& request) {
  if (request.Argv.empty() || request.Argv[0].empty()) return ENOENT;
  const std::string& named = request.Argv[0];
  std::string program;
  if (named.find('/') == std::string::npos) {
    program = FindProgramOnPath(named);
    if (program.empty()) return ENOENT;
  } else {
    program = named;
    if (program.front() != '/') {
      // Relative to the caller's folder, not to the child's working folder.
      char cwd[PATH_MAX];
      if (!::getcwd(cwd, sizeof cwd)) return errno;
      program = std::string(cwd) + "/" + program;
    }
    struct stat st;
    if (::stat(program.c_str(), &st) != 0) return errno;
    if (!S_ISREG(st.st_mode) || (st.st_mode & 0111) == 0) return EACCES;
  }

  // Everything the children need is prepared before fork: after it only async-signal-safe
  // calls are allowed.
  std::vector<char*> argv;
  for (const auto& a : request.Argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const char* dir = request.Directory.empty() ? nullptr : request.Directory.c_str();

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return errno;

  // Fork twice so that the program is not our child: nobody has to wait for it.
  pid_t middle = ::fork();
  if (middle < 0) {
    int err = errno;
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    return err;
  }
  if (middle == 0) {
    ::close(pipeFds[0]);
    if (::setsid() < 0) ChildFail(pipeFds[1], errno);
    pid_t child = ::fork();
    if (child < 0) ChildFail(pipeFds[1], errno);
    if (child > 0) ::_exit(0);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGPIPE, SIG_DFL);
    int devNull = ::open("/dev/null", O_RDWR);
    if (devNull < 0) ChildFail(pipeFds[1], errno);
    if (::dup2(devNull, 0) < 0 || ::dup2(devNull, 1) < 0 || ::dup2(devNull, 2) < 0)
      ChildFail(pipeFds[1], errno);
    if (devNull > 2) ::close(devNull);
    // No other descriptor of ours reaches the program (the error pipe closes on exec).
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    if (dir && ::chdir(dir) != 0) ChildFail(pipeFds[1], errno);
    ::execve(program.c_str(), argv.data(), environ);
    ChildFail(pipeFds[1], errno);
  }
  ::close(pipeFds[1]);
  int status = 0;
  while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  // EOF without data: the program's exec succeeded.
  int err = 0;
  ssize_t n;
  do {
    n = ::read(pipeFds[0], &err, sizeof err);
  } while (n < 0 && errno == EINTR);
  ::close(pipeFds[0]);
  if (n == static_cast<ssize_t>(sizeof err)) return err ? err : ECHILD;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return ECHILD;
  return 0;
}

TProcessLauncher& ProcessLauncher() {
  TProcessLauncher* l = gLauncher.load();
  return l ? *l : gSystemLauncher;
}

TProcessLauncher* SetProcessLauncher(TProcessLauncher* launcher) {
  TProcessLauncher* previous = &ProcessLauncher();
  gLauncher.store(launcher == &gSystemLauncher ? nullptr : launcher);
  return previous;
}

}  // namespace qd::os

namespace qd {

UINT WinExec(const char* lpCmdLine, UINT uCmdShow) {
  os::TProcessStart request;
  request.Source = os::TProcessSource::WinExec;
  String line = Utf8ToString(lpCmdLine ? lpCmdLine : "");
  request.CommandLine = line;
  for (const String& a : os::CommandLineToArgs(line)) request.Argv.push_back(StringToUtf8(a));
  request.ShowCmd = static_cast<int>(uCmdShow);
  int err = os::ProcessLauncher().Start(request);
  switch (err) {
    case 0:
      return 33;
    case EACCES:
    case EPERM:
      return 5;  // ERROR_ACCESS_DENIED
    case ENOEXEC:
      return 11;  // ERROR_BAD_FORMAT
    default:
      return 2;  // ERROR_FILE_NOT_FOUND
  }
}

HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                        LPCWSTR lpDirectory, INT nShowCmd) {
  auto result = [](intptr_t v) { return reinterpret_cast<HINSTANCE>(v); };
  StringView operation = lpOperation ? StringView(lpOperation) : StringView();
  if (!operation.empty() && !SameText(operation, u"open")) return result(SE_ERR_NOASSOC);
  StringView file = lpFile ? StringView(lpFile) : StringView();
  if (file.empty()) return result(SE_ERR_FNF);
  os::TProcessStart request;
  request.Source = os::TProcessSource::ShellExecute;
  request.CommandLine = String(file);
  request.Parameters = lpParameters ? String(lpParameters) : String();
  request.Argv.push_back(StringToUtf8(file));
  for (const String& a : os::SplitArguments(request.Parameters)) request.Argv.push_back(StringToUtf8(a));
  if (lpDirectory) request.Directory = StringToUtf8(lpDirectory);
  request.ShowCmd = nShowCmd;
  int err = os::ProcessLauncher().Start(request);
  return result(err == 0 ? 42 : SE_ERR_FNF);
}

}  // namespace qd

#pragma once
// Starting programs: WinExec and ShellExecuteW. Both split their command line the way the
// original platform does and hand one request to the process launcher, which starts the
// program detached (own session, standard handles on /dev/null) and never waits for it.
// Programs are started directly, never through a shell or a desktop opener. Tests replace
// the launcher with a recording one.
#include <string>
#include <vector>

#include "platform/os/wintypes.h"

namespace qd {

// ShellExecute's small error results (a result > 32 means success).
constexpr intptr_t SE_ERR_FNF = 2;
constexpr intptr_t SE_ERR_PNF = 3;
constexpr intptr_t SE_ERR_ACCESSDENIED = 5;
constexpr intptr_t SE_ERR_NOASSOC = 31;

// Starts a command line. argv[0] without a path is looked up on PATH only (never in the
// current folder); with a path it is used as given. Returns a value > 31 on success, 2
// when the program cannot be found, 5 when it is not executable. The command line's bytes
// are passed on unchanged (UTF-8).
UINT WinExec(const char* lpCmdLine, UINT uCmdShow);

// Starts lpFile itself (only the default verb, "" or "open"): a regular file with an
// execute bit, a script with "#!" included. lpParameters is split like a command line;
// the working folder is lpDirectory, or the current one when it is empty. Returns a value
// > 32 on success, SE_ERR_FNF otherwise (SE_ERR_NOASSOC for any other verb).
HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                        LPCWSTR lpDirectory, INT nShowCmd);

}  // namespace qd

namespace qd::os {

// Splits a command line like CommandLineToArgvW: the program name ends at the first blank
// or tab outside double quotes and takes no escapes; in later arguments 2n backslashes
// before a quote give n backslashes and a delimiting quote, 2n+1 give n backslashes and a
// literal quote, "" inside quotes gives a literal quote, other backslashes are literal.
std::vector<String> CommandLineToArgs(StringView cmdLine);
// The same rules for arguments only (no program name), as ShellExecute's parameters.
std::vector<String> SplitArguments(StringView params);

enum class TProcessSource { WinExec, ShellExecute };

// One request to start a program.
struct TProcessStart {
  TProcessSource Source = TProcessSource::WinExec;
  String CommandLine;             // WinExec: the line as given; ShellExecute: the file
  String Parameters;              // ShellExecute's parameters as given
  std::vector<std::string> Argv;  // Argv[0] is the program as named (UTF-8)
  std::string Directory;          // working folder; empty: the current one
  int ShowCmd = 0;
};

class TProcessLauncher {
 public:
  virtual ~TProcessLauncher() = default;
  // Starts the program detached. Returns 0 on success, else an errno value (ENOENT when
  // the program cannot be found, EACCES when it is not an executable regular file).
  virtual int Start(const TProcessStart& request) = 0;
};

// The real launcher: resolves Argv[0] (a bare name on PATH's absolute folders only), checks
// that it is a regular file with an execute bit, and starts it in a new session with the
// standard handles on /dev/null and no other inherited descriptors.
class TSystemProcessLauncher : public TProcessLauncher {
 public:
  int Start(const TProcessStart& request) override;
};

// Records every request instead of starting anything; answers with Result.
class TRecordingProcessLauncher : public TProcessLauncher {
 public:
  int Start(const TProcessStart& request) override {
    Calls.push_back(request);
    return Result;
  }
  std::vector<TProcessStart> Calls;
  int Result = 0;
};

// The launcher in force (the system launcher unless a test installed another).
TProcessLauncher& ProcessLauncher();
// Installs a launcher (nullptr restores the system launcher); returns the previous one.
// The caller keeps ownership.
TProcessLauncher* SetProcessLauncher(TProcessLauncher* launcher);

// The absolute path of a bare program name found on PATH, or "" (relative and empty PATH
// entries are skipped, so the current folder is never searched).
std::string FindProgramOnPath(const std::string& name);

}  // namespace qd::os

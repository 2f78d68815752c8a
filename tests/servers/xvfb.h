#pragma once
// A private Xvfb server for tests that need a real X display: it picks its own display
// number (-displayfd) and is stopped with the object.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace qd::testing {

class XvfbServer {
 public:
  ~XvfbServer() { Stop(); }
  XvfbServer() = default;
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  static bool Installed() { return !Find().empty(); }

  // Starts `Xvfb -screen 0 1280x1024x24`; false with `error` set when it does not come up.
  bool Start(std::string& error) {
    const std::string xvfb = Find();
    int fds[2];
    if (xvfb.empty() || pipe(fds) != 0) {
      error = xvfb.empty() ? "Xvfb is not installed" : "pipe failed";
      return false;
    }
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string fd = std::to_string(fds[1]);
    std::vector<std::string> args = {xvfb,           "-displayfd", fd,    "-screen", "0",
                                     "1280x1024x24", "-nolisten",  "tcp", "-noreset"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, xvfb.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
      close(fds[0]);
      error = "cannot start Xvfb";
      return false;
    }
    pid_ = pid;
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (number.find('\n') == std::string::npos) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd p{fds[0], POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
      char buf[32];
      const ssize_t n = read(fds[0], buf, sizeof buf);
      if (n <= 0) break;
      number.append(buf, static_cast<size_t>(n));
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
      error = "Xvfb did not report its display";
      Stop();
      return false;
    }
    display_ = ":" + number.substr(0, number.find('\n'));
    return true;
  }

  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }

  const std::string& Display() const { return display_; }

 private:
  static std::string Find() {
    const char* path = std::getenv("PATH");
    std::string paths = path ? path : "/usr/bin:/bin";
    size_t pos = 0;
    while (pos <= paths.size()) {
      size_t end = paths.find(':', pos);
      if (end == std::string::npos) end = paths.size();
      std::string candidate = paths.substr(pos, end - pos) + "/Xvfb";
      if (access(candidate.c_str(), X_OK) == 0) return candidate;
      pos = end + 1;
    }
    return {};
  }

  int pid_ = -1;
  std::string display_;
};

}  // namespace qd::testing

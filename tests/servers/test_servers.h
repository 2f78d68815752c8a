#pragma once
// Test support for network and process tests: temporary folders, files, and the loopback
// test servers of this folder (started on free ports, stopped on destruction).
//
//   TTempDir dir;                                   // removed with everything in it
//   auto files = TTestServer::StartFileServer(dir.Path() + "/www");
//   files->Url("/arquivos/download.ini")            // "http://127.0.0.1:<port>/arquivos/..."
//   files->Requests()                               // what the server saw, in order
//
//   auto certs = MakeTestCertificates(dir.Path() + "/pki");   // throw-away CA + server cert
//   auto svc = TTestServer::StartVersionService(scenarioFile, certs);
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace qd::testing {

namespace fs = std::filesystem;

inline std::string ServersDir() {
  return std::string(QD_TESTS_DIR) + "/servers";
}

// A fresh folder under the system's temporary folder, removed with its content.
class TTempDir {
 public:
  TTempDir() {
    std::string tmpl = (fs::temp_directory_path() / "qd-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
  }
  ~TTempDir() {
    std::error_code ec;
    // Make read-only folders writable first, so removal cannot fail on them.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_directory(ec) && !it->is_symlink(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(path_, ec);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& rel) const { return path_ + "/" + rel; }

 private:
  std::string path_;
};

inline void WriteFile(const std::string& path, std::string_view data, fs::perms mode = fs::perms(0644)) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(data.data(), static_cast<std::streamsize>(data.size()));
  f.close();
  fs::permissions(path, mode);
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

// Reads one line from a FIFO that a started program writes to; waits for the writer at
// most `timeout` (the process runs on its own, so this waits on an event, not a clock).
inline std::string ReadLineFromFifo(const std::string& fifo, std::chrono::milliseconds timeout) {
  int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return "<open failed>";
  std::string out;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (out.find('\n') == std::string::npos) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    char buf[512];
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      out.append(buf, static_cast<size_t>(n));
    } else if (n == 0) {
      break;  // the writer closed
    }
  }
  ::close(fd);
  if (auto nl = out.find('\n'); nl != std::string::npos) out.resize(nl);
  return out;
}

}  // namespace qd::testing

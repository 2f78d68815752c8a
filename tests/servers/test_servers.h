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

#include <algorithm>
#include <cctype>
#include <cerrno>
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

#include "platform/base/strings.h"
#include "platform/net/json.h"
#include "servers/test_files.h"

extern char** environ;

namespace qd::testing {

namespace fs = std::filesystem;

inline std::string ServersDir() {
  return std::string(QD_TESTS_DIR) + "/servers";
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

// One request as a test server logged it.
struct TLoggedRequest {
  std::string Method, Path, Module;
  std::vector<std::pair<std::string, std::string>> Headers;  // in the order received
  std::string Body;                                          // the exact bytes
  std::string Fault;                                         // the injected fault, as JSON text

  // The first header of that name (case-insensitive), or "" when absent.
  std::string Header(std::string_view name) const {
    for (const auto& [k, v] : Headers)
      if (k.size() == name.size() && std::equal(k.begin(), k.end(), name.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
          }))
        return v;
    return {};
  }
  bool HasHeader(std::string_view name) const {
    for (const auto& [k, v] : Headers)
      if (k.size() == name.size() && std::equal(k.begin(), k.end(), name.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
          }))
        return true;
    return false;
  }
};

inline std::string HexToBytes(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

// A Python test server from this folder, started on a free loopback port. Destroying the
// object ends the server (it also ends by itself when this process goes away).
class TTestServer {
 public:
  // file_server.py over root; faults (a JSON file, see the script) may be changed while it runs.
  static std::unique_ptr<TTestServer> StartFileServer(const std::string& root,
                                                      const std::string& faultsFile = {}) {
    std::vector<std::string> args = {"--root", root};
    if (!faultsFile.empty()) args.insert(args.end(), {"--faults", faultsFile});
    return Start("file_server.py", args, "http");
  }
  // version_service.py with the certificate folder made by MakeTestCertificates.
  static std::unique_ptr<TTestServer> StartVersionService(const std::string& scenarioFile,
                                                          const std::string& certDir) {
    return Start(
        "version_service.py",
        {"--scenario", scenarioFile, "--cert", certDir + "/server.pem", "--key", certDir + "/server.key"},
        "https");
  }

  ~TTestServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      int status = 0;
      while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
    }
    if (stdinFd_ >= 0) ::close(stdinFd_);
    std::error_code ec;
    fs::remove_all(workDir_, ec);
  }

  int Port() const { return port_; }
  // "http://127.0.0.1:<port>" + path
  std::string Url(const std::string& path = "/") const {
    return scheme_ + "://127.0.0.1:" + std::to_string(port_) + path;
  }
  String UrlW(const std::string& path = "/") const { return Utf8ToString(Url(path)); }

  // Every request logged so far, in order.
  std::vector<TLoggedRequest> Requests() const {
    std::vector<TLoggedRequest> out;
    std::ifstream f(logFile_);
    std::string line;
    while (std::getline(f, line)) {
      auto v = TJSONObject::ParseJSONValue(Utf8ToString(line));
      auto* o = dynamic_cast<TJSONObject*>(v.get());
      if (!o) continue;
      TLoggedRequest r;
      auto text = [&](const char16_t* name) {
        TJSONValue* x = o->GetValue(name);
        return x ? U8(x->Value()) : std::string();
      };
      r.Method = text(u"method");
      r.Path = text(u"path");
      r.Module = text(u"module");
      r.Body = HexToBytes(text(u"body_hex"));
      if (TJSONValue* fault = o->GetValue(u"fault")) r.Fault = U8(fault->ToString());
      if (auto* headers = dynamic_cast<TJSONArray*>(o->GetValue(u"headers"))) {
        for (int i = 0; i < headers->Count(); ++i) {
          auto* pair = dynamic_cast<TJSONArray*>(headers->Items(i));
          if (pair && pair->Count() == 2)
            r.Headers.emplace_back(U8(pair->Items(0)->Value()), U8(pair->Items(1)->Value()));
        }
      }
      out.push_back(std::move(r));
    }
    return out;
  }

 private:
  TTestServer() = default;

  static std::string Python() {
    return ::access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
  }

  static std::unique_ptr<TTestServer> Start(const std::string& script, const std::vector<std::string>& extra,
                                            const std::string& scheme) {
    std::unique_ptr<TTestServer> s(new TTestServer());
    s->scheme_ = scheme;
    std::string tmpl = (fs::temp_directory_path() / "qd-server-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    s->workDir_ = tmpl;
    s->logFile_ = tmpl + "/requests.jsonl";
    std::vector<std::string> args = {Python(), ServersDir() + "/" + script, "--log", s->logFile_};
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, in[0], 0);
    posix_spawn_file_actions_adddup2(&fa, out[1], 1);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    ::close(in[0]);
    ::close(out[1]);
    if (rc != 0) {
      ::close(in[1]);
      ::close(out[0]);
      throw std::runtime_error("cannot start " + script);
    }
    s->pid_ = pid;
    s->stdinFd_ = in[1];  // closing it ends the server

    // Wait for "PORT <n>" (the server announces it once it listens).
    std::string got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (got.find('\n') == std::string::npos) {
      auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd p{out[0], POLLIN, 0};
      if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
      char buf[256];
      ssize_t n = ::read(out[0], buf, sizeof buf);
      if (n <= 0) break;
      got.append(buf, static_cast<size_t>(n));
    }
    ::close(out[0]);
    if (got.rfind("PORT ", 0) != 0) throw std::runtime_error(script + " did not start: " + got);
    s->port_ = std::stoi(got.substr(5));
    return s;
  }

  pid_t pid_ = -1;
  int stdinFd_ = -1;
  int port_ = 0;
  std::string scheme_;
  std::string workDir_;
  std::string logFile_;
};

// A throw-away CA (dir/ca.pem) and a server certificate for 127.0.0.1 and localhost
// (dir/server.pem, dir/server.key), made with the openssl tool. Returns dir.
inline std::string MakeTestCertificates(const std::string& dir) {
  std::string cmd = "'" +
                    std::string(::access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3") +
                    "' '" + ServersDir() + "/make_certs.py' '" + dir + "'";
  if (std::system(cmd.c_str()) != 0) throw std::runtime_error("make_certs.py failed");
  return dir;
}

}  // namespace qd::testing

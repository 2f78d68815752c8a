// Download speed of TIdHTTP (transfer events on) against the curl tool: both fetch the same
// 200 MB file from the local test file server into a file. Prints the ratio of the mean
// times (target: within 1.2).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "platform/base/strings.h"
#include "platform/classes/streams.h"
#include "platform/net/idhttp.h"

namespace {
// The test-server helper finds its scripts through QD_TESTS_DIR.
std::string TestsDir() {
  std::string here = __FILE__;
  return here.substr(0, here.rfind("/bench/")) + "/tests";
}
}  // namespace
#define QD_TESTS_DIR (TestsDir().c_str())
#include "tests/servers/test_servers.h"

namespace {

using qd::testing::TTempDir;
using qd::testing::TTestServer;

constexpr size_t kSize = 200u << 20;

struct Setup {
  TTempDir dir;
  std::unique_ptr<TTestServer> server;
  Setup() {
    std::string path = dir / "www/big.bin";
    std::filesystem::create_directories(dir / "www");
    FILE* f = std::fopen(path.c_str(), "wb");
    std::mt19937_64 rng(42);
    std::vector<uint64_t> block(1 << 17);
    for (size_t written = 0; written < kSize; written += block.size() * 8) {
      for (auto& v : block) v = rng();
      std::fwrite(block.data(), 8, block.size(), f);
    }
    std::fclose(f);
    server = TTestServer::StartFileServer(dir / "www");
  }
};

Setup& Env() {
  static Setup s;
  return s;
}

double gOurs = 0, gCurl = 0;

struct Counter {
  int64_t last = 0;
  int events = 0;
  void Work(qd::TObject*, qd::TWorkMode, int64_t count) {
    last = count;
    ++events;
  }
};

void BM_TIdHTTP(benchmark::State& state) {
  Setup& env = Env();
  std::string out = env.dir / "ours.bin";
  double total = 0;
  int runs = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    qd::TIdHTTP http;
    Counter counter;
    http.SetOnWork(qd::TWorkEvent(&counter, &Counter::Work));
    http.SetReadTimeout(5000);
    {
      qd::TFileStream file(qd::Utf8ToString(out), qd::fmCreate);
      http.Get(env.server->UrlW("/big.bin"), &file);
    }
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    ++runs;
    if (counter.last != static_cast<int64_t>(kSize)) state.SkipWithError("short download");
    state.counters["events"] = counter.events;
  }
  gOurs = total / runs;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kSize));
}

void BM_CurlTool(benchmark::State& state) {
  Setup& env = Env();
  std::string cmd = "curl -s -o '" + (env.dir / "curl.bin") + "' " + env.server->Url("/big.bin");
  double total = 0;
  int runs = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    if (std::system(cmd.c_str()) != 0) state.SkipWithError("curl failed");
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    ++runs;
  }
  gCurl = total / runs;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kSize));
}

BENCHMARK(BM_TIdHTTP)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CurlTool)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (gOurs > 0 && gCurl > 0)
    std::printf("TIdHTTP / curl tool: %.2f (mean %.0f ms vs %.0f ms; target <= 1.2)\n", gOurs / gCurl,
                gOurs * 1000, gCurl * 1000);
  return 0;
}

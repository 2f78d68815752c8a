// Extraction speed of TZipFile against the unzip tool on the same 200 MB archive (stored
// random data and deflated text, in nested folders), made at run time. Prints the ratio of
// the mean times.
#include <benchmark/benchmark.h>
#include <zip.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "platform/archive/zip.h"
#include "platform/base/strings.h"

namespace {

namespace fs = std::filesystem;

struct Setup {
  fs::path dir;
  std::string archive;
  Setup() {
    std::string tmpl = (fs::temp_directory_path() / "qd-zipbench-XXXXXX").string();
    dir = ::mkdtemp(tmpl.data());
    archive = (dir / "big.zip").string();
    int err = 0;
    zip_t* z = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    std::mt19937_64 rng(7);
    // 70 x 2 MiB of random bytes, stored; 60 x 2 MiB of text, deflated (about 200 MB in all).
    for (int i = 0; i < 130; ++i) {
      std::string data(2u << 20, '\0');
      bool text = i >= 70;
      if (text) {
        for (size_t j = 0; j < data.size(); ++j) data[j] = "abcdefghij klmnopqrstuvwxyz\n"[(rng() >> 7) % 28];
      } else {
        for (size_t j = 0; j + 8 <= data.size(); j += 8) {
          uint64_t v = rng();
          std::memcpy(&data[j], &v, 8);
        }
      }
      void* copy = std::malloc(data.size());
      std::memcpy(copy, data.data(), data.size());
      zip_source_t* src = zip_source_buffer(z, copy, data.size(), 1);
      std::string name = "dir" + std::to_string(i % 7) + "/sub" + std::to_string(i % 3) + "/file" +
                         std::to_string(i) + (text ? ".txt" : ".bin");
      zip_int64_t idx = zip_file_add(z, name.c_str(), src, ZIP_FL_ENC_UTF_8);
      zip_set_file_compression(z, static_cast<zip_uint64_t>(idx), text ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 1);
    }
    zip_close(z);
  }
  ~Setup() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

Setup& Env() {
  static Setup s;
  return s;
}

double gOurs = 0, gUnzip = 0;

void BM_TZipFile(benchmark::State& state) {
  Setup& env = Env();
  fs::path out = env.dir / "ours";
  double total = 0;
  int runs = 0;
  for (auto _ : state) {
    fs::remove_all(out);
    auto t0 = std::chrono::steady_clock::now();
    qd::TZipFile::ExtractZipFile(qd::Utf8ToString(env.archive), qd::Utf8ToString(out.string()));
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    ++runs;
  }
  gOurs = total / runs;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(fs::file_size(env.archive)));
}

void BM_UnzipTool(benchmark::State& state) {
  Setup& env = Env();
  fs::path out = env.dir / "unzip";
  std::string cmd = "unzip -qo '" + env.archive + "' -d '" + out.string() + "'";
  double total = 0;
  int runs = 0;
  for (auto _ : state) {
    fs::remove_all(out);
    auto t0 = std::chrono::steady_clock::now();
    if (std::system(cmd.c_str()) != 0) state.SkipWithError("unzip failed");
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    ++runs;
  }
  gUnzip = total / runs;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(fs::file_size(env.archive)));
}

BENCHMARK(BM_TZipFile)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnzipTool)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (gOurs > 0 && gUnzip > 0)
    std::printf("TZipFile / unzip tool: %.2f (mean %.0f ms vs %.0f ms)\n", gOurs / gUnzip, gOurs * 1000,
                gUnzip * 1000);
  return 0;
}

// Mask patterns matched against 100,000 inputs: full matches by our regular-expression
// engine (fed one character at a time, as the mask editor does) against PCRE2 doing the same
// anchored full matches (interpreter and JIT), pattern compilation, and the incremental cost
// of one keystroke: our engine's step against PCRE2 re-matching the typed prefix with hard
// partial matching, and a keystroke typed through the regular-expression mask mode. The
// ratios are printed after the runs.
#define PCRE2_CODE_UNIT_WIDTH 8
#include <benchmark/benchmark.h>
#include <pcre2.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/os/user.h"
#include "ui/editors/cxMaskEdit.h"
#include "ui/editors/cxRegExpr.h"

namespace {

using qd::Char;
using qd::String;

struct TMask {
  const char* Name;
  const char* Pattern;  // the same text in both syntaxes ('/' and ':' as the separators)
  std::string (*Make)(std::mt19937&);
};

int Pick(std::mt19937& ARng, int ACount) {
  return std::uniform_int_distribution<int>(0, ACount - 1)(ARng);
}
std::string Digits(std::mt19937& ARng, int ACount) {
  std::string s;
  for (int i = 0; i < ACount; ++i) s += char('0' + Pick(ARng, 10));
  return s;
}
std::string Letters(std::mt19937& ARng, int ACount, char AFirst = 'a') {
  std::string s;
  for (int i = 0; i < ACount; ++i) s += char(AFirst + Pick(ARng, 26));
  return s;
}

const std::vector<TMask>& Masks() {
  static const std::vector<TMask> masks = {
      {"phone", R"(\(\d{3}\)\d{3}-\d{4})",
       [](std::mt19937& r) { return "(" + Digits(r, 3) + ")" + Digits(r, 3) + "-" + Digits(r, 4); }},
      {"date", R"(\d\d/\d\d/\d\d\d\d)",
       [](std::mt19937& r) { return Digits(r, 2) + "/" + Digits(r, 2) + "/" + Digits(r, 4); }},
      {"time", R"(([01]\d|2[0-3]):[0-5]\d)",
       [](std::mt19937& r) {
         return std::to_string(10 + Pick(r, 14)) + ":" + std::to_string(10 + Pick(r, 50));
       }},
      {"email", R"(\w+@\w+\.(com|org|net))",
       [](std::mt19937& r) {
         static const char* const kTop[] = {"com", "org", "net"};
         return Letters(r, 3 + Pick(r, 8)) + "@" + Letters(r, 2 + Pick(r, 6)) + "." + kTop[Pick(r, 3)];
       }},
      {"ip", R"(\d{1,3}(\.\d{1,3}){3})",
       [](std::mt19937& r) {
         return Digits(r, 1 + Pick(r, 3)) + "." + Digits(r, 1 + Pick(r, 3)) + "." +
                Digits(r, 1 + Pick(r, 3)) + "." + Digits(r, 1 + Pick(r, 3));
       }},
      {"zip", R"(\d{5}(-\d{4})?)",
       [](std::mt19937& r) { return Digits(r, 5) + (Pick(r, 2) ? "-" + Digits(r, 4) : std::string()); }},
      {"code", R"([A-Z]{2}\d{2,6})",
       [](std::mt19937& r) { return Letters(r, 2, 'A') + Digits(r, 2 + Pick(r, 5)); }},
      {"amount", R"(\d{1,3}(,\d{3})*(\.\d\d)?)",
       [](std::mt19937& r) {
         std::string s = Digits(r, 1 + Pick(r, 3));
         for (int n = Pick(r, 3); n > 0; --n) s += "," + Digits(r, 3);
         return Pick(r, 2) ? s + "." + Digits(r, 2) : s;
       }},
      {"plate", R"([A-Z]{3}-?\d[A-Z0-9]\d\d)",
       [](std::mt19937& r) {
         return Letters(r, 3, 'A') + (Pick(r, 2) ? "-" : "") + Digits(r, 1) + Letters(r, 1, 'A') +
                Digits(r, 2);
       }},
      {"cpf", R"(\d{3}\.\d{3}\.\d{3}-\d{2})",
       [](std::mt19937& r) {
         return Digits(r, 3) + "." + Digits(r, 3) + "." + Digits(r, 3) + "-" + Digits(r, 2);
       }},
  };
  return masks;
}

constexpr int kInputs = 100000;

// 10,000 inputs per mask: valid texts, 30 % of them damaged by one edit.
struct TInputs {
  std::vector<std::vector<std::string>> Narrow;
  std::vector<std::vector<String>> Wide;
  size_t Keystrokes = 0;
};

const TInputs& Inputs() {
  static const TInputs inputs = [] {
    TInputs result;
    std::mt19937 rng(2024);
    const int perMask = kInputs / static_cast<int>(Masks().size());
    for (const TMask& mask : Masks()) {
      std::vector<std::string> narrow;
      std::vector<String> wide;
      for (int i = 0; i < perMask; ++i) {
        std::string s = mask.Make(rng);
        if (Pick(rng, 10) < 3 && !s.empty()) {
          const size_t at = static_cast<size_t>(Pick(rng, static_cast<int>(s.size())));
          static const char kNoise[] = "x9-./:,@A ";
          switch (Pick(rng, 3)) {
            case 0:
              s[at] = kNoise[Pick(rng, 10)];
              break;
            case 1:
              s.erase(at, 1);
              break;
            default:
              s.insert(at, 1, kNoise[Pick(rng, 10)]);
              break;
          }
        }
        result.Keystrokes += s.size();
        wide.push_back(qd::Utf8ToString(s));
        narrow.push_back(std::move(s));
      }
      result.Narrow.push_back(std::move(narrow));
      result.Wide.push_back(std::move(wide));
    }
    return result;
  }();
  return inputs;
}

void SetSeparators() {
  qd::FormatSettings().DateSeparator = u'/';
  qd::FormatSettings().TimeSeparator = u':';
}

std::vector<std::unique_ptr<qd::TcxRegExpr>> CompileOurs() {
  std::vector<std::unique_ptr<qd::TcxRegExpr>> result;
  for (const TMask& mask : Masks()) {
    result.push_back(std::make_unique<qd::TcxRegExpr>());
    result.back()->Compile(qd::Utf8ToString(mask.Pattern));
  }
  return result;
}

bool OursFullMatch(qd::TcxRegExpr& AExpr, const String& AInput) {
  AExpr.Reset();
  for (Char c : AInput) {
    Char token = c;
    if (!AExpr.Next(token)) return false;
  }
  return AExpr.IsFinal();
}

// Full matches are anchored at both ends. Partial matching does not take the end anchor
// option, so the prefix patterns end in \z instead; a hard partial match reports a prefix
// that can still be completed.
class Pcre2Patterns {
 public:
  explicit Pcre2Patterns(bool AJit, bool APrefix = false) {
    for (const TMask& mask : Masks()) {
      int error = 0;
      PCRE2_SIZE offset = 0;
      const std::string pattern = APrefix ? "(?:" + std::string(mask.Pattern) + ")\\z" : mask.Pattern;
      const uint32_t options = APrefix ? PCRE2_ANCHORED : PCRE2_ANCHORED | PCRE2_ENDANCHORED;
      pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.c_str()), PCRE2_ZERO_TERMINATED,
                                       options, &error, &offset, nullptr);
      if (!code) std::abort();
      if (AJit && pcre2_jit_compile(code, PCRE2_JIT_COMPLETE | PCRE2_JIT_PARTIAL_HARD) != 0) std::abort();
      FCodes.push_back(code);
    }
    FData = pcre2_match_data_create(4, nullptr);
  }
  ~Pcre2Patterns() {
    for (pcre2_code* code : FCodes) pcre2_code_free(code);
    pcre2_match_data_free(FData);
  }
  int Match(size_t AMask, const char* AText, size_t ALength, uint32_t AOptions = 0) const {
    return pcre2_match(FCodes[AMask], reinterpret_cast<PCRE2_SPTR>(AText), ALength, 0, AOptions, FData,
                       nullptr);
  }
  int JitMatch(size_t AMask, const std::string& AText) const {
    return pcre2_jit_match(FCodes[AMask], reinterpret_cast<PCRE2_SPTR>(AText.data()), AText.size(), 0, 0,
                           FData, nullptr);
  }

 private:
  std::vector<pcre2_code*> FCodes;
  pcre2_match_data* FData;
};

// Both engines must agree on every input, and on every prefix of it, before anything is
// timed.
void CheckAgreement() {
  SetSeparators();
  auto ours = CompileOurs();
  Pcre2Patterns pcre(false);
  Pcre2Patterns prefix(false, true);
  const TInputs& inputs = Inputs();
  size_t matches = 0;
  for (size_t m = 0; m < Masks().size(); ++m)
    for (size_t i = 0; i < inputs.Wide[m].size(); ++i) {
      const bool a = OursFullMatch(*ours[m], inputs.Wide[m][i]);
      const std::string& s = inputs.Narrow[m][i];
      const bool b = pcre.Match(m, s.data(), s.size()) >= 0;
      ours[m]->Reset();
      bool accepted = true;
      for (size_t n = 1; n <= s.size() && accepted; ++n) {
        Char token = inputs.Wide[m][i][n - 1];
        accepted = ours[m]->Next(token);
        const int rc = prefix.Match(m, s.data(), n, PCRE2_PARTIAL_HARD);
        if (accepted != (rc >= 0 || rc == PCRE2_ERROR_PARTIAL)) {
          std::fprintf(stderr, "prefix disagreement on %s / %s at %zu\n", Masks()[m].Name, s.c_str(), n);
          std::abort();
        }
      }
      if (a != b) {
        std::fprintf(stderr, "disagreement on %s / %s\n", Masks()[m].Name, s.c_str());
        std::abort();
      }
      matches += a;
    }
  std::printf("%zu inputs, %zu full matches, %zu keystrokes\n", size_t(kInputs), matches, inputs.Keystrokes);
}

void BM_FullMatch_Ours(benchmark::State& state) {
  SetSeparators();
  auto ours = CompileOurs();
  const TInputs& inputs = Inputs();
  for (auto _ : state) {
    size_t matches = 0;
    for (size_t m = 0; m < ours.size(); ++m)
      for (const String& input : inputs.Wide[m]) matches += OursFullMatch(*ours[m], input);
    benchmark::DoNotOptimize(matches);
  }
  state.SetItemsProcessed(state.iterations() * kInputs);
}
BENCHMARK(BM_FullMatch_Ours)->Unit(benchmark::kMillisecond);

void BM_FullMatch_Pcre2(benchmark::State& state) {
  Pcre2Patterns pcre(false);
  const TInputs& inputs = Inputs();
  for (auto _ : state) {
    size_t matches = 0;
    for (size_t m = 0; m < Masks().size(); ++m)
      for (const std::string& input : inputs.Narrow[m])
        matches += pcre.Match(m, input.data(), input.size()) >= 0;
    benchmark::DoNotOptimize(matches);
  }
  state.SetItemsProcessed(state.iterations() * kInputs);
}
BENCHMARK(BM_FullMatch_Pcre2)->Unit(benchmark::kMillisecond);

void BM_FullMatch_Pcre2Jit(benchmark::State& state) {
  Pcre2Patterns pcre(true);
  const TInputs& inputs = Inputs();
  for (auto _ : state) {
    size_t matches = 0;
    for (size_t m = 0; m < Masks().size(); ++m)
      for (const std::string& input : inputs.Narrow[m]) matches += pcre.JitMatch(m, input) >= 0;
    benchmark::DoNotOptimize(matches);
  }
  state.SetItemsProcessed(state.iterations() * kInputs);
}
BENCHMARK(BM_FullMatch_Pcre2Jit)->Unit(benchmark::kMillisecond);

void BM_Compile_Ours(benchmark::State& state) {
  SetSeparators();
  for (auto _ : state) benchmark::DoNotOptimize(CompileOurs());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(Masks().size()));
}
BENCHMARK(BM_Compile_Ours)->Unit(benchmark::kMicrosecond);

void BM_Compile_Pcre2(benchmark::State& state) {
  for (auto _ : state) {
    Pcre2Patterns pcre(false);
    benchmark::DoNotOptimize(&pcre);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(Masks().size()));
}
BENCHMARK(BM_Compile_Pcre2)->Unit(benchmark::kMicrosecond);

// One keystroke: the step, then whether the text is complete. Typing stops at the first
// refused character, as in the editor.
void BM_Keystroke_Ours(benchmark::State& state) {
  SetSeparators();
  auto ours = CompileOurs();
  const TInputs& inputs = Inputs();
  int64_t keys = 0;
  for (auto _ : state) {
    size_t complete = 0;
    for (size_t m = 0; m < ours.size(); ++m)
      for (const String& input : inputs.Wide[m]) {
        ours[m]->Reset();
        for (Char c : input) {
          Char token = c;
          ++keys;
          if (!ours[m]->Next(token)) break;
          complete += ours[m]->IsFinal();
        }
      }
    benchmark::DoNotOptimize(complete);
  }
  state.SetItemsProcessed(keys);
}
BENCHMARK(BM_Keystroke_Ours)->Unit(benchmark::kMillisecond);

// PCRE2 has no incremental state: each keystroke matches the whole typed prefix again, with
// hard partial matching (can it still be completed?) and as a full match (is it complete?).
void BM_Keystroke_Pcre2Partial(benchmark::State& state) {
  Pcre2Patterns prefix(true, true);
  Pcre2Patterns full(true);
  const TInputs& inputs = Inputs();
  int64_t keys = 0;
  for (auto _ : state) {
    size_t complete = 0;
    for (size_t m = 0; m < Masks().size(); ++m)
      for (const std::string& input : inputs.Narrow[m])
        for (size_t n = 1; n <= input.size(); ++n) {
          ++keys;
          const int rc = prefix.Match(m, input.data(), n, PCRE2_PARTIAL_HARD);
          if (rc < 0 && rc != PCRE2_ERROR_PARTIAL) break;
          complete += full.Match(m, input.data(), n) >= 0;
        }
    benchmark::DoNotOptimize(complete);
  }
  state.SetItemsProcessed(keys);
}
BENCHMARK(BM_Keystroke_Pcre2Partial)->Unit(benchmark::kMillisecond);

// A keystroke typed at the end of the text through the regular-expression mask mode.
class TypingHost : public qd::IMaskModeHost, public qd::IMaskModeProperties {
 public:
  qd::IMaskModeProperties* ActiveProperties() override { return this; }
  bool PropertiesChangeLocked() const override { return false; }
  bool HandleAllocated() const override { return true; }
  String Text() const override { return FText; }
  int32_t SelStart() const override { return static_cast<int32_t>(FText.size()); }
  int32_t SelLength() const override { return 0; }
  int32_t CursorPos() const override { return static_cast<int32_t>(FText.size()); }
  void DirectSetSelStart(int32_t) override {}
  void DirectSetSelLength(int32_t) override {}
  void SetInternalDisplayValue(const String& AValue) override { FText = AValue; }
  void SetDataBindingDisplayValue(const String& AValue) override { FText = AValue; }
  void SetInternalEditValue(const String&) override {}
  String PreparedDisplayValue() override { return {}; }
  bool ModifiedAfterEnter() const override { return false; }
  void LockChangeEvents(bool, bool) override {}
  void SendMyKeyDown(uint16_t, qd::TShiftState) override {}
  void SendMyKeyPress(Char AKey) override { FText += AKey; }
  bool ShiftOn() const override { return false; }
  void SetShiftOn(bool) override {}
  bool IsCharValidForPos(Char&, int32_t) override { return true; }
  bool BeepOnError() const override { return false; }
  bool CaseInsensitive() const override { return false; }
  bool IgnoreMaskBlank() const override { return false; }
  String FText;
};

void BM_Keystroke_RegExprMode(benchmark::State& state) {
  SetSeparators();
  const TInputs& inputs = Inputs();
  TypingHost host;
  std::vector<std::unique_ptr<qd::TcxMaskEditRegExprMode>> modes;
  for (const TMask& mask : Masks()) {
    modes.push_back(std::make_unique<qd::TcxMaskEditRegExprMode>(&host, nullptr));
    modes.back()->Compile(qd::Utf8ToString(mask.Pattern));
  }
  int64_t keys = 0;
  for (auto _ : state) {
    for (size_t m = 0; m < modes.size(); ++m)
      for (const String& input : inputs.Wide[m]) {
        host.FText.clear();
        modes[m]->SetText(host.FText);
        for (Char c : input) {
          Char key = c;
          ++keys;
          if (!modes[m]->PressSymbol(key)) break;
          host.FText += key;
        }
      }
    benchmark::DoNotOptimize(host.FText);
  }
  state.SetItemsProcessed(keys);
}
BENCHMARK(BM_Keystroke_RegExprMode)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) {
        FTimes[r.benchmark_name()] = r.GetAdjustedRealTime();
        auto items = r.counters.find("items_per_second");
        if (items != r.counters.end() && items->second.value > 0)
          FNsPerItem[r.benchmark_name()] = 1e9 / items->second.value;
      }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatio(const char* AWhat, const std::string& AOurs, const std::string& APeer) const {
    auto a = FTimes.find(AOurs);
    auto b = FTimes.find(APeer);
    if (a == FTimes.end() || b == FTimes.end()) return;
    std::printf("%-44s ours / peer = %.2f\n", AWhat, a->second / b->second);
  }
  void PrintPerItem(const char* AWhat, const std::string& AName) const {
    auto it = FNsPerItem.find(AName);
    if (it != FNsPerItem.end()) std::printf("%-44s %.1f ns\n", AWhat, it->second);
  }

 private:
  std::map<std::string, double> FTimes;
  std::map<std::string, double> FNsPerItem;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  CheckAgreement();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("full matches against PCRE2 (interpreter)", "BM_FullMatch_Ours", "BM_FullMatch_Pcre2");
  reporter.PrintRatio("full matches against PCRE2 (JIT)", "BM_FullMatch_Ours", "BM_FullMatch_Pcre2Jit");
  reporter.PrintRatio("compiling the 10 masks against PCRE2", "BM_Compile_Ours", "BM_Compile_Pcre2");
  reporter.PrintPerItem("full match, ours, per input", "BM_FullMatch_Ours");
  reporter.PrintPerItem("full match, PCRE2 interpreter, per input", "BM_FullMatch_Pcre2");
  reporter.PrintPerItem("keystroke, our engine", "BM_Keystroke_Ours");
  reporter.PrintPerItem("keystroke, PCRE2 JIT re-matching the prefix", "BM_Keystroke_Pcre2Partial");
  reporter.PrintPerItem("keystroke, regular-expression mask mode", "BM_Keystroke_RegExprMode");
  benchmark::Shutdown();
  return 0;
}

// Compiles arbitrary patterns with the regular-expression engine and the standard mask, and
// drives the engine with arbitrary input. Layout: one flags byte (bit 0 case-insensitive,
// bit 1 forced characters), the pattern (UTF-8) up to the first zero byte, then the steps:
// bytes 1 to 4 are Prev, Reset, NextEx of the next three bytes and a check of IsFinal and
// IsStart; any other byte is fed as a character.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/strings.h"
#include "ui/editors/cxRegExpr.h"
#include "ui/editors/cxStandardMask.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t zero = rest.find('\0');
  const String pattern = Utf8ToString(rest.substr(0, zero));
  const std::string steps = zero == std::string::npos ? std::string() : rest.substr(zero + 1);

  TcxStandardMask mask;
  mask.Compile(pattern);
  String text = Utf8ToString(steps);
  mask.Format(text, flags & 4, flags & 8);
  String valid = text;
  mask.IsValid(valid);
  mask.IsFullValid(valid);
  mask.Format2(text);

  TcxRegExpr expr;
  expr.SetCaseInsensitive(flags & 1);
  expr.SetUpdateOn(flags & 2);
  try {
    expr.Compile(pattern);
  } catch (const EcxRegExprError& e) {
    if (e.Errors().Count() == 0) __builtin_trap();
    for (int32_t i = 0; i < e.Errors().Count(); ++i) e.Errors().Items(i).FullMessage();
    return 0;
  }
  expr.Print();
  for (size_t i = 0; i < steps.size(); ++i) {
    const uint8_t step = static_cast<uint8_t>(steps[i]);
    switch (step) {
      case 1:
        expr.Prev();
        break;
      case 2:
        expr.Reset();
        break;
      case 3: {
        const String part = Utf8ToString(steps.substr(i + 1, 3));
        if (expr.NextEx(part).size() > part.size()) __builtin_trap();
        i += 3;
        break;
      }
      case 4:
        expr.IsFinal();
        expr.IsStart();
        break;
      default: {
        const bool final = expr.IsFinal();
        const bool start = expr.IsStart();
        Char token = step;
        // Without forced characters a step back undoes the step exactly.
        if (expr.Next(token) && !expr.UpdateOn()) {
          if (!expr.Prev() || expr.IsFinal() != final || expr.IsStart() != start) __builtin_trap();
          token = step;
          if (!expr.Next(token)) __builtin_trap();
        }
        break;
      }
    }
  }
  return 0;
}

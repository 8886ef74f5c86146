#pragma once
// What every fuzz target shares: the process set-up done once, and how a broken promise is reported.

#include <cstdio>
#include <cstdlib>

#include "platform/text_fonts.h"
#include "scale/datetime_month_names.h"

namespace nox::fuzz {

// Text is measured with the font files the tests pin (so that a crash input replays the same way
// on every machine), and month names do not depend on the machine's locale.
inline void PrepareProcess() {
  static const bool prepared = [] {
#ifdef NOX_FUZZ_FONT_DIR
    SetFontDirectory(NOX_FUZZ_FONT_DIR);
#endif
    SetShortMonthNames(EnglishShortMonthNames());
    return true;
  }();
  static_cast<void>(prepared);
}

// A promise of the code under test did not hold: abort, so that the fuzzer keeps the input.
[[noreturn]] inline void Fault(const char* what) {
  std::fprintf(stderr, "fuzz target fault: %s\n", what);
  std::abort();
}

inline void Check(bool condition, const char* what) {
  if (!condition) Fault(what);
}

}  // namespace nox::fuzz

#pragma once
// Pixel-exact comparison of a rendered image with a golden PNG under tests/golden/.
//
// Updating goldens after an intended change: run the test program with NOX_UPDATE_GOLDENS=1 in the
// environment (for example `NOX_UPDATE_GOLDENS=1 ctest --preset default -R Golden`); every golden
// comparison then writes its file from the actual image and passes. Look at the rewritten PNGs before
// committing them.
//
// On a mismatch (or a missing golden) the actual image and a diff image are written to
// NOX_TEST_OUTPUT_DIR/golden/<name>.actual.png and <name>.diff.png (differing pixels red, equal ones
// faded), and the failure message says where, how many pixels differ and where the first one is.

#include <gtest/gtest.h>

#include <string>

#include "platform/bitmap.h"

namespace nox::test {

// name is the path below tests/golden without ".png", e.g. "scale/xb_numeric".
::testing::AssertionResult MatchesGolden(const TBitmap& actual, const std::string& name);

// Whether NOX_UPDATE_GOLDENS asks for goldens to be rewritten.
bool UpdatingGoldens();

}  // namespace nox::test

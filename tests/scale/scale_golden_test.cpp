// Whole scales compared pixel-exactly with tests/golden/scale/*.png (see tests/support/golden.h for
// how to update them after an intended change).

#include <gtest/gtest.h>

#include "scale/Nox_Scale.h"
#include "support/golden.h"

namespace nox {
namespace {

enum TGoldenLabels { glNumeric, glLogarithmic, glTime };

// A stand-alone opaque scale: 320 x 64 when horizontal, 96 x 320 when vertical, default margins,
// frame and colours.
void Configure(TScale& s, TScaleType type, TGoldenLabels labels) {
  const bool vertical = type == sctYL || type == sctYR;
  s.SetBounds(0, 0, vertical ? 96 : 320, vertical ? 320 : 64);
  s.SetScaleType(type);
  switch (labels) {
    case glNumeric:
      s.SetRange(-60, 40);
      s.SetCaption("Volts");
      if (vertical) {
        s.SetCaptionAnchor(uaSclBotRgt);
        s.SetCaptionAlignment(taLeftJustify);
        s.SetCaptionPosX(type == sctYL ? 40 : -70);
      } else {
        s.SetCaptionAnchor(uaSclCenter);
        s.SetCaptionPosY(type == sctXT ? 22 : 4);
      }
      break;
    case glLogarithmic:
      s.SetRange(1, 1000);
      s.SetLogarithmic(true);
      s.SetMinTicks(4);
      break;
    case glTime:
      s.SetLabelType(ftTime);
      s.SetRange(0, 3600);
      break;
  }
}

void ExpectGolden(TScaleType type, TGoldenLabels labels, const std::string& name) {
  TScale s(nullptr);
  s.HandleNeeded();
  Configure(s, type, labels);
  s.RequestRedraw();
  EXPECT_TRUE(test::MatchesGolden(s.ScreenImage(), "scale/" + name));
}

// Grey face, sunken frame; base line near the bottom with ticks and labels above it: majors and
// labels every 20 from -60 to 40, short ticks every 5, "0" without decimals; "Volts" centred below.
TEST(ScaleGolden, BottomNumeric) { ExpectGolden(sctXB, glNumeric, "xb_numeric"); }
// Decades 1, 10, 100, 1000 and the 2 and 5 ticks labelled, short ticks at 3, 4, 6, 7, 8, 9 of each
// decade, spaced logarithmically (1..10 takes a third of the axis).
TEST(ScaleGolden, BottomLogarithmic) { ExpectGolden(sctXB, glLogarithmic, "xb_log"); }
// Labels " 00:00:00" to " 01:00:00" every 20 minutes, short ticks every 200 s; the last label is
// pushed left to end 2 pixels inside the right edge if it would cross it.
TEST(ScaleGolden, BottomTime) { ExpectGolden(sctXB, glTime, "xb_time"); }

// The mirror images of the bottom scales: base line near the top, ticks and labels below it; the
// caption below the labels.
TEST(ScaleGolden, TopNumeric) { ExpectGolden(sctXT, glNumeric, "xt_numeric"); }
TEST(ScaleGolden, TopLogarithmic) { ExpectGolden(sctXT, glLogarithmic, "xt_log"); }
TEST(ScaleGolden, TopTime) { ExpectGolden(sctXT, glTime, "xt_time"); }

// Base line near the left edge, values growing upwards, ticks (majors 6 pixels) and labels to the
// right of it, each label centred on its tick; "Volts" at the bottom right.
TEST(ScaleGolden, LeftNumeric) { ExpectGolden(sctYL, glNumeric, "yl_numeric"); }
// On vertical logarithmic scales every tick, labelled or not, is drawn long.
TEST(ScaleGolden, LeftLogarithmic) { ExpectGolden(sctYL, glLogarithmic, "yl_log"); }
TEST(ScaleGolden, LeftTime) { ExpectGolden(sctYL, glTime, "yl_time"); }

// Base line near the right edge, ticks and right-aligned labels to its left; "Volts" at the bottom
// left.
TEST(ScaleGolden, RightNumeric) { ExpectGolden(sctYR, glNumeric, "yr_numeric"); }
TEST(ScaleGolden, RightLogarithmic) { ExpectGolden(sctYR, glLogarithmic, "yr_log"); }
TEST(ScaleGolden, RightTime) { ExpectGolden(sctYR, glTime, "yr_time"); }

}  // namespace
}  // namespace nox

// A date/time scale on the screen: event order, tick list, where labels, date lines and messages go.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "scale/Nox_Scale.h"
#include "scale/datetime_calendar.h"
#include "scale/datetime_month_names.h"

namespace nox {
namespace {

using ::testing::ElementsAre;

const TColor kFace = ColorToRGB(clBtnFace);

double At(int year, int month, int day, int hour = 0, int minute = 0) {
  return static_cast<double>(detail::DayNumber(year, month, day)) + (hour * 60 + minute) / 1440.0;
}

// A stand-alone date/time scale (400 x 120 or 160 x 400) with English month names, whatever the
// machine's locale.
struct DateTimePaint : ::testing::Test {
  DateTimePaint() {
    SetShortMonthNames(EnglishShortMonthNames());
    scale.HandleNeeded();
    scale.SetLabelType(ftDateTime);
  }
  ~DateTimePaint() override { SetShortMonthNames(savedNames); }

  void Orient(TScaleType type) {
    const bool vertical = type == sctYL || type == sctYR;
    scale.SetBounds(0, 0, vertical ? 160 : 400, vertical ? 400 : 120);
    scale.SetScaleType(type);
  }
  const TBitmap& Paint() {
    scale.RequestRedraw();
    return scale.ScreenImage();
  }
  // The pixel of the middle of the range, where messages go. It is always the middle of the axis,
  // which on an odd number of pixels lies on a half pixel: computed as the scale computes it.
  int Middle() const {
    return scale.ValueToPixel(
        static_cast<double>((static_cast<long double>(scale.RangeLow()) + scale.RangeHigh()) / 2));
  }
  int Width(const std::string& text) const { return Measure().TextWidth(text); }
  int Height(const std::string& text) const { return Measure().TextHeight(text); }
  TCanvas& Measure() const {
    measure.Canvas().SetFont(scale.Font());
    return measure.Canvas();
  }

  // Whether text drawn at (x, y) looks in image exactly as it would alone on the background.
  ::testing::AssertionResult TextAt(const TBitmap& image, int x, int y, const std::string& text) const {
    TBitmap reference(image.Width(), image.Height());
    reference.Fill(kFace);
    reference.Canvas().SetFont(scale.Font());
    reference.Canvas().Brush().SetColor(kFace);
    reference.Canvas().TextOut(x, y, text);
    for (int j = y; j < y + Height(text); ++j) {
      for (int i = x; i < x + Width(text); ++i) {
        if (image.Pixel(i, j) != reference.Pixel(i, j)) {
          return ::testing::AssertionFailure() << "\"" << text << "\" at (" << x << ", " << y << "): pixel ("
                                               << i << ", " << j << ") differs";
        }
      }
    }
    return ::testing::AssertionSuccess();
  }

  TMonthNames savedNames = ShortMonthNames();
  TScale scale{nullptr};
  mutable TBitmap measure{1, 1};
};

// Per tick: the label, then its date line, then OnScaleTickDrawn; minor ticks fire only the last.
TEST_F(DateTimePaint, EventsComeInDrawingOrder) {
  Orient(sctXT);
  scale.SetRange(At(2024, 3, 15, 21), At(2024, 3, 16, 3));  // two hours per tick: majors 2 h, minors 1 h
  std::vector<std::string> events;
  scale.OnBeforeTickLabel = [&](TObject* sender, TScaleType type, double, std::string& text) {
    EXPECT_EQ(sender, &scale);
    EXPECT_EQ(type, sctXT);
    events.push_back("label " + text);
  };
  scale.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double value, int, int) {
    events.push_back(value == At(2024, 3, 16) ? "tick midnight" : "tick");
  };
  Paint();
  EXPECT_THAT(events,
              ElementsAre("tick", "label 22:00", "label 15-Mar-2024", "tick", "tick", "label 00:00",
                          "label 16-Mar-2024", "tick midnight", "tick", "label 02:00", "tick", "tick"));
}

TEST_F(DateTimePaint, TheTickListHoldsTheDrawnTicks) {
  Orient(sctXB);
  scale.SetRange(At(2024, 1, 10), At(2024, 1, 30));  // every day, majors every third day
  std::vector<double> drawn;
  scale.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double value, int x, int y) {
    drawn.push_back(value);
    EXPECT_EQ(x, scale.ValueToPixel(value));
    EXPECT_EQ(y, 120 - 20 - 1);
  };
  Paint();
  ASSERT_EQ(scale.NumTicks(), 21);
  ASSERT_EQ(drawn.size(), 21u);
  for (int i = 1; i <= 21; ++i) EXPECT_EQ(scale.TickPos(i), drawn[static_cast<std::size_t>(i - 1)]);
  EXPECT_EQ(scale.TickPos(1), At(2024, 1, 10));

  // One tick a day over the whole calendar: the list keeps 250, the walk stops at its bound.
  scale.SetMinTicks(0);
  scale.SetRange(-693593, 3000000);
  drawn.clear();
  Paint();
  EXPECT_EQ(scale.NumTicks(), kTickListCapacity);
  EXPECT_EQ(drawn.size(), 4000u);
}

TEST_F(DateTimePaint, VerticalLabelsAreCentredByTheirOwnHeightWithTheDateLineAbove) {
  Orient(sctYL);
  scale.SetRange(At(2024, 3, 15, 21), At(2024, 3, 16, 3));
  const TBitmap& image = Paint();
  const int p = scale.ValueToPixel(At(2024, 3, 16));
  const int b = 20;
  const int h2 = Height("00:00") / 2;
  EXPECT_TRUE(TextAt(image, b + 8, p - h2, "00:00"));
  EXPECT_TRUE(TextAt(image, b + 8, p - 3 * (Height("16-Mar-2024") / 2), "16-Mar-2024"));
  // A major tick is 6 pixels long, a minor one 4.
  EXPECT_EQ(image.Pixel(b + 5, p), clBlack);
  EXPECT_EQ(image.Pixel(b + 6, p), kFace);
  const int minor = scale.ValueToPixel(At(2024, 3, 16, 1));
  EXPECT_EQ(image.Pixel(b + 3, minor), clBlack);
  EXPECT_EQ(image.Pixel(b + 4, minor), kFace);

  Orient(sctYR);
  Paint();
  const int r = 160 - 20 - 1;
  EXPECT_TRUE(TextAt(image, r - Width("00:00") - 8, p - h2, "00:00"));
  EXPECT_TRUE(
      TextAt(image, r - Width("16-Mar-2024") - 8, p - 3 * (Height("16-Mar-2024") / 2), "16-Mar-2024"));
}

TEST_F(DateTimePaint, HorizontalDateLinesStandOneLineFurtherOut) {
  Orient(sctXB);
  scale.SetRange(At(2024, 3, 15, 21), At(2024, 3, 16, 3));
  const TBitmap& image = Paint();
  const int p = scale.ValueToPixel(At(2024, 3, 16));
  const int b = 120 - 20 - 1;
  const int h = Height("00:00");
  EXPECT_TRUE(TextAt(image, p - Width("00:00") / 2, b - 7 - h, "00:00"));
  EXPECT_TRUE(TextAt(image, p - Width("16-Mar-2024") / 2, b - h - 7 - h, "16-Mar-2024"));
  EXPECT_EQ(image.Pixel(p, b - 6), clBlack);  // major: 7 pixels
  EXPECT_EQ(image.Pixel(p, b - 7), kFace);

  Orient(sctXT);
  Paint();
  EXPECT_TRUE(TextAt(image, p - Width("00:00") / 2, 20 + 7, "00:00"));
  EXPECT_TRUE(TextAt(image, p - Width("16-Mar-2024") / 2, 20 + h + 7, "16-Mar-2024"));
}

TEST_F(DateTimePaint, AReplacedTextIsWhatIsDrawnAndMeasured) {
  Orient(sctYL);
  scale.SetRange(At(2024, 3, 15, 21), At(2024, 3, 16, 3));
  scale.OnBeforeTickLabel = [](TObject*, TScaleType, double, std::string& text) {
    if (text == "00:00") text = "midnight";
    if (text == "16-Mar-2024") text = "Saturday";
  };
  const TBitmap& image = Paint();
  const int p = scale.ValueToPixel(At(2024, 3, 16));
  EXPECT_TRUE(TextAt(image, 28, p - Height("midnight") / 2, "midnight"));
  EXPECT_TRUE(TextAt(image, 28, p - 3 * (Height("Saturday") / 2), "Saturday"));
}

TEST_F(DateTimePaint, InvalidRangeMessageOnAVerticalScale) {
  Orient(sctYR);
  scale.SetRange(At(2024, 3, 16), At(2024, 3, 15));  // reversed
  int ticks = 0;
  scale.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, int, int) { ++ticks; };
  const TBitmap& image = Paint();
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(scale.NumTicks(), 0);
  const int mid = Middle();
  const int h = Height("T");
  const int b = 160 - 20 - 1;
  EXPECT_TRUE(TextAt(image, b - Width("invalid") - 2, mid - h, "invalid"));
  EXPECT_TRUE(TextAt(image, b - Width("DateTime") - 2, mid, "DateTime"));
  EXPECT_TRUE(TextAt(image, b - Width("scale") - 2, mid + h, "scale"));
}

TEST_F(DateTimePaint, RangeTooSmallMessageOnAVerticalScale) {
  Orient(sctYL);
  const double low = At(2024, 3, 15, 12);
  scale.SetRange(low, low + 0.02 / 86400);
  const TBitmap& image = Paint();
  const int mid = Middle();
  const int h = Height("T");
  EXPECT_TRUE(TextAt(image, 22, mid - h, "DateTime"));
  EXPECT_TRUE(TextAt(image, 22, mid, "range is"));
  EXPECT_TRUE(TextAt(image, 22, mid + h, "below 1"));
  EXPECT_TRUE(TextAt(image, 22, mid + 2 * h, "second"));
}

// A horizontal message stands where labels go: above an sctXB base line, below an sctXT one.
TEST_F(DateTimePaint, HorizontalMessagesStandOnTheLabelSide) {
  Orient(sctXB);
  const double low = At(2024, 3, 15, 12);
  scale.SetRange(low, low + 2.0 / 86400);
  const TBitmap& image = Paint();
  const std::string text = "DateTime range is below 1 second";
  const int mid = Middle();
  const int b = 120 - 20 - 1;
  EXPECT_TRUE(TextAt(image, mid - Width(text) / 2, b - 7 - Height(text), text));

  Orient(sctXT);
  scale.SetRangeHigh(3000001);  // past the highest accepted bound
  Paint();
  const std::string invalid = "invalid DateTime scale";
  EXPECT_TRUE(TextAt(image, Middle() - Width(invalid) / 2, 27, invalid));
}

}  // namespace
}  // namespace nox

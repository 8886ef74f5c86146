#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/model/scale_props.h"
#include "platform/host.h"

namespace nox {
namespace {

class ScaleProps : public ::testing::Test {
 protected:
  ScaleProps() {
    x.OnChange = [this](TObject*) { ++changes; };
  }
  THeadlessHost host;
  TScopedHost scoped{host};
  TScalePropsHoriz x;
  int changes = 0;
};

TEST_F(ScaleProps, StartsAsAfterConstruction) {
  EXPECT_EQ(x.RangeLow(), 0.0);
  EXPECT_EQ(x.RangeHigh(), 1.0);
  EXPECT_EQ(x.MinRange(), 1e-10);
  EXPECT_EQ(x.DecPlaces(), -2);
  EXPECT_EQ(x.LabelType(), ftNum);
  EXPECT_EQ(x.MinTicks(), 3);
  EXPECT_TRUE(x.ShortTicks());
  EXPECT_FALSE(x.Visible());
  EXPECT_FALSE(x.Logarithmic());
  EXPECT_TRUE(x.LoadingGuard());
  EXPECT_EQ(x.ScaleType(), sctXT);
  EXPECT_EQ(x.ScaleLocation(), slBottom);
  EXPECT_EQ(x.CaptionAlignment(), taCenter);
  EXPECT_EQ(x.CaptionAnchor(), uaSclTopLft);
  EXPECT_EQ(x.DateFormat().DateSeparator(), '-');
  EXPECT_EQ(x.DateFormat().TimeSeparator(), ':');
  EXPECT_EQ(x.DateFormat().YearLength(), ylYYYY);
  EXPECT_EQ(x.DateFormat().DateOrder(), doDDMMYY);
  EXPECT_EQ(x.DateFormat().DateForTime(), dtOnePerDay);
  EXPECT_TRUE(x.DateFormat().MonthName());
  TScalePropsVert y;
  EXPECT_EQ(y.ScaleLocation(), slLeft);
}

TEST_F(ScaleProps, BoundCloserThanMinRangePushesTheOtherBound) {
  x.SetMinRange(0.5);
  x.SetRangeLow(0.8);
  EXPECT_EQ(x.RangeLow(), 0.8);
  EXPECT_EQ(x.RangeHigh(), 0.8 + 0.5);
  x.SetRangeHigh(1.0);
  EXPECT_EQ(x.RangeHigh(), 1.0);
  EXPECT_EQ(x.RangeLow(), 1.0 - 0.5);
  x.SetRangeHigh(7);
  EXPECT_EQ(x.RangeLow(), 0.5);
  EXPECT_EQ(x.RangeHigh(), 7);
  EXPECT_EQ(changes, 3);
}

TEST_F(ScaleProps, LogarithmicAxisRefusesTinyBoundsButStillNotifies) {
  x.SetRangeLow(1);
  x.SetRangeHigh(100);
  x.SetLogarithmic(true);
  changes = 0;
  x.SetRangeLow(0);
  x.SetRangeLow(1e-101);
  EXPECT_EQ(x.RangeLow(), 1);
  EXPECT_EQ(changes, 2);
  x.SetRangeLow(1e-100);
  EXPECT_EQ(x.RangeLow(), 1e-100);
}

TEST_F(ScaleProps, NonFiniteOrOverflowingBoundsAreIgnored) {
  x.SetRangeLow(std::nan(""));
  x.SetRangeHigh(std::numeric_limits<double>::infinity());
  x.SetRangeLow(-std::numeric_limits<double>::infinity());
  EXPECT_EQ(x.RangeLow(), 0.0);
  EXPECT_EQ(x.RangeHigh(), 1.0);
  x.SetRangeHigh(1e308);
  x.SetRangeLow(-1e308);  // the span would overflow
  EXPECT_EQ(x.RangeLow(), 0.0);
  EXPECT_EQ(x.RangeHigh(), 1e308);
  EXPECT_EQ(changes, 1);
  x.SetMinRange(std::nan(""));
  EXPECT_EQ(x.MinRange(), 1e-10);
}

TEST_F(ScaleProps, MinRangeWidensANarrowerRangeAboutItsCentre) {
  x.SetMinRange(5);
  EXPECT_EQ(x.RangeLow(), -2.0);
  EXPECT_EQ(x.RangeHigh(), 3.0);
  EXPECT_EQ(changes, 1);
  x.SetMinRange(0.5);  // narrower than the span: only stored
  EXPECT_EQ(x.MinRange(), 0.5);
  EXPECT_EQ(x.RangeLow(), -2.0);
  EXPECT_EQ(changes, 1);
  x.SetMinRange(1e-100);
  x.SetMinRange(-3);
  EXPECT_EQ(x.MinRange(), 0.5);
  EXPECT_EQ(changes, 1);
}

TEST_F(ScaleProps, LogarithmicIsCheckedOnlyAfterLoading) {
  x.SetLogarithmic(true);  // range 0..1, but the guard is set
  EXPECT_TRUE(x.Logarithmic());
  x.SetLogarithmic(false);
  x.SetLoadingGuard(false);
  x.SetLogarithmic(true);
  EXPECT_FALSE(x.Logarithmic());
  x.SetRangeLow(1);
  x.SetRangeHigh(1000);
  x.SetLogarithmic(true);
  EXPECT_TRUE(x.Logarithmic());
  x.SetLogarithmic(false);
  x.SetLabelType(ftDateTime);
  x.SetLogarithmic(true);
  EXPECT_FALSE(x.Logarithmic());
  EXPECT_EQ(changes, 9);  // every call notifies, refused or not
}

TEST_F(ScaleProps, LabelTypeAdjustsLogarithmicAndDecimals) {
  x.SetLogarithmic(true);
  x.SetLabelType(ftDateTime);
  EXPECT_FALSE(x.Logarithmic());
  x.SetDecPlaces(1);
  x.SetLabelType(ftTime);
  EXPECT_EQ(x.DecPlaces(), 4);
  x.SetLabelType(static_cast<TFigType>(9));
  EXPECT_EQ(x.LabelType(), ftTime);
}

TEST_F(ScaleProps, DecPlacesIsClamped) {
  x.SetDecPlaces(20);
  EXPECT_EQ(x.DecPlaces(), 12);
  x.SetDecPlaces(-7);
  EXPECT_EQ(x.DecPlaces(), -3);
}

TEST_F(ScaleProps, ScaleLocationSetsTheScaleType) {
  x.SetScaleLocation(slTop);
  EXPECT_EQ(x.ScaleType(), sctXB);
  x.SetScaleLocation(slBottom);
  EXPECT_EQ(x.ScaleType(), sctXT);
  EXPECT_EQ(changes, 2);
  TScalePropsVert y;
  y.SetScaleLocation(slRight);
  EXPECT_EQ(y.ScaleType(), sctYL);
  y.SetScaleLocation(slLeft);
  EXPECT_EQ(y.ScaleType(), sctYR);
}

TEST_F(ScaleProps, ScalePosKeepsOneSlotForXTypesAndOneForYTypes) {
  x.SetScaleType(sctXT);
  x.SetScalePos(30);
  x.SetScaleType(sctYL);
  EXPECT_EQ(x.ScalePos(), 0);
  x.SetScalePos(50);
  x.SetScaleType(sctXB);
  EXPECT_EQ(x.ScalePos(), 30);
  x.SetScaleType(sctYR);
  EXPECT_EQ(x.ScalePos(), 50);
}

TEST_F(ScaleProps, FontAndDateFormatChangesNotify) {
  x.Font().SetSize(14);
  x.DateFormat().SetTimeFormat(tfAMPM);
  EXPECT_EQ(changes, 1);  // the date format's notification is the owning chart's to install
  TDTLabel other;
  other.SetScaleDefaults();
  other.SetDateSeparator('/');
  int otherChanges = 0;
  other.OnChange = [&otherChanges](TObject*) { ++otherChanges; };
  int ownChanges = 0;
  x.DateFormat().OnChange = [&ownChanges](TObject*) { ++ownChanges; };
  x.SetDateFormat(other);
  EXPECT_EQ(x.DateFormat().DateSeparator(), '/');
  x.DateFormat().SetTimeFormat(tfHHhMM);
  EXPECT_EQ(ownChanges, 1);  // still its own handler
  EXPECT_EQ(otherChanges, 0);
}

TEST_F(ScaleProps, AssignCopiesValuesButNotMouseAction) {
  TScalePropsHoriz source;
  source.SetCaption("t");
  source.SetRangeLow(-5);
  source.SetRangeHigh(5);
  source.SetMinRange(0.25);
  source.SetLogarithmic(true);
  source.SetScaleLocation(slTop);
  source.SetScalePos(12);
  source.SetMouseAction(maPan);
  source.SetVisible(true);
  source.SetLoadingGuard(false);
  source.Font().SetName("Arial");
  source.DateFormat().SetDateOrder(doYYMMDD);
  changes = 0;
  x.Assign(source);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(x.Caption(), "t");
  EXPECT_EQ(x.RangeLow(), -5);
  EXPECT_EQ(x.RangeHigh(), 5);
  EXPECT_EQ(x.MinRange(), 0.25);
  EXPECT_TRUE(x.Logarithmic());
  EXPECT_EQ(x.ScaleType(), sctXB);
  EXPECT_EQ(x.ScalePos(), 12);
  EXPECT_TRUE(x.Visible());
  EXPECT_FALSE(x.LoadingGuard());
  EXPECT_EQ(x.Font().Name(), "Arial");
  EXPECT_EQ(x.DateFormat().DateOrder(), doYYMMDD);
  EXPECT_EQ(x.MouseAction(), maNone);
  EXPECT_EQ(x.ScaleLocation(), slTop);  // where the copied scale type draws the axis
  x.SetCaption("u");
  EXPECT_EQ(changes, 1);  // keeps notifying its own owner
}

TEST_F(ScaleProps, AssignFromAnotherClassFails) {
  TFont font;
  EXPECT_THROW(x.Assign(font), EConvertError);
}

}  // namespace
}  // namespace nox

#include "scale/scale_stored_form.h"

#include <gtest/gtest.h>

#include <string>

namespace nox {
namespace {

// The message of the refusal of json by a scale, or "" when it is accepted; unchanged tells whether
// the scale's stored form stayed the same.
std::string Refusal(TScale& scale, std::string_view json, bool& unchanged) {
  const std::string before = WriteScaleForm(scale);
  std::string message;
  try {
    ReadScaleForm(scale, json);
  } catch (const EStoredFormError& e) {
    message = e.what();
  }
  unchanged = WriteScaleForm(scale) == before;
  return message;
}

// A font whose written form does not depend on the host's default font.
void PinFont(TScale& scale) {
  scale.Font().SetName("Arial");
  scale.Font().SetHeight(-13);
  scale.Font().SetColor(clBlack);
}

TEST(ScaleStoredForm, NewScaleWritesEveryPropertyInStoredOrder) {
  TScale scale(nullptr);
  scale.SetName("Scale1");
  PinFont(scale);
  EXPECT_EQ(WriteScaleForm(scale),
            "{\n"
            "  \"Name\": \"Scale1\",\n"
            "  \"Left\": 0,\n"
            "  \"Top\": 0,\n"
            "  \"Width\": 400,\n"
            "  \"Height\": 400,\n"
            "  \"Caption\": \"\",\n"
            "  \"CaptionPosX\": 4,\n"
            "  \"CaptionPosY\": 4,\n"
            "  \"CaptionAlignment\": \"taCenter\",\n"
            "  \"CaptionAnchor\": \"uaSclTopLft\",\n"
            "  \"ColorBackGnd\": 4278190095,\n"
            "  \"ColorScale\": 0,\n"
            "  \"ColorScheme\": \"csBWG\",\n"
            "  \"DateFormat\": {\n"
            "    \"TimeFormat\": \"tfHHMMSS\",\n"
            "    \"DateSeparator\": \"-\",\n"
            "    \"TimeSeparator\": \":\",\n"
            "    \"YearLength\": \"ylYYYY\",\n"
            "    \"MonthName\": true,\n"
            "    \"DateOrder\": \"doDDMMYY\",\n"
            "    \"DateForTime\": \"dtOnePerDay\"\n"
            "  },\n"
            "  \"Font\": {\n"
            "    \"Color\": 0,\n"
            "    \"Height\": -13,\n"
            "    \"Name\": \"Arial\",\n"
            "    \"Style\": []\n"
            "  },\n"
            "  \"FrameStyle\": \"fsLowered\",\n"
            "  \"LabelType\": \"ftNum\",\n"
            "  \"Logarithmic\": false,\n"
            "  \"DecPlaces\": -2,\n"
            "  \"MarginTop\": 20,\n"
            "  \"MarginBottom\": 20,\n"
            "  \"MarginLeft\": 20,\n"
            "  \"MarginRight\": 20,\n"
            "  \"MinTicks\": 3,\n"
            "  \"MouseAction\": \"maNone\",\n"
            "  \"RangeLow\": 0,\n"
            "  \"RangeHigh\": 100,\n"
            "  \"ShortTicks\": true,\n"
            "  \"ShowBaseLine\": true,\n"
            "  \"ScaleInscript\": \"\",\n"
            "  \"ScaleType\": \"sctXB\",\n"
            "  \"Transparent\": false,\n"
            "  \"UserTickText\": \"\",\n"
            "  \"ShowHint\": false,\n"
            "  \"Visible\": true\n"
            "}\n");
}

TEST(ScaleStoredForm, WriteReadWriteGivesTheSameText) {
  TScale source(nullptr);
  source.SetName("DepthScale");
  source.SetBounds(12, 34, 90, 300);
  source.SetCaption("depth & time");
  source.SetCaptionAnchor(uaSclBotRgt);
  source.SetColorScheme(csSystem);
  source.SetColorBackGnd(clYellow);
  source.DateFormat().SetTimeFormat(tfAMPM);
  source.DateFormat().SetDateSeparator('/');
  source.Font().SetStyle({fsBold});
  source.SetFrameStyle(fsEngraved);
  source.SetScaleType(sctYR);
  source.SetRangeLow(1);
  source.SetRangeHigh(1000);
  source.SetLogarithmic(true);
  source.SetDecPlaces(-3);
  source.SetMarginTop(3);
  source.SetMarginLeft(0);
  source.SetMinTicks(0);
  source.SetMouseAction(maZoom);
  source.SetShowBaseLine(false);
  source.SetScaleInscript("$&.-");
  source.SetUserTickText("a|b|c");
  source.SetTransparent(true);
  source.SetShowHint(true);
  source.SetVisible(false);
  const std::string form = WriteScaleForm(source);

  TScale copy(nullptr);
  ReadScaleForm(copy, form);
  EXPECT_EQ(WriteScaleForm(copy), form);
  EXPECT_EQ(copy.Name(), "DepthScale");
  EXPECT_EQ(copy.Left(), 12);
  EXPECT_EQ(copy.Height(), 300);
  EXPECT_TRUE(copy.Logarithmic());
  EXPECT_EQ(copy.RangeLow(), 1);
  EXPECT_EQ(copy.RangeHigh(), 1000);
  EXPECT_EQ(copy.ScaleType(), sctYR);
  EXPECT_EQ(copy.DateFormat().DateSeparator(), '/');
  EXPECT_EQ(copy.FrameColorShadow(), clBtnShadow);  // through the ColorScheme setter
  EXPECT_FALSE(copy.Visible());
}

TEST(ScaleStoredForm, ReadingEndsWithLoadedAndTheMappingOfTheStoredRange) {
  TScale scale(nullptr);
  ReadScaleForm(scale, R"({"RangeLow": 0, "RangeHigh": 50, "Width": 200})");
  EXPECT_FALSE(scale.Initialising());
  EXPECT_FALSE(scale.IsLoading());
  EXPECT_EQ(scale.ValueToPixel(0), 20);
  EXPECT_EQ(scale.ValueToPixel(50), 179);
}

TEST(ScaleStoredForm, StoredLogarithmicIsTakenBeforeItsRangeEvenByAScaleLoadedBefore) {
  TScale scale(nullptr);
  ReadScaleForm(scale, "{}");
  scale.SetLogarithmic(true);  // 0 .. 100 after loading: refused
  ASSERT_FALSE(scale.Logarithmic());

  ReadScaleForm(scale, R"({"Logarithmic": true, "RangeLow": 10, "RangeHigh": 1e6})");
  EXPECT_TRUE(scale.Logarithmic());
  EXPECT_FALSE(scale.Initialising());
  scale.SetLogarithmic(false);
  scale.SetRangeLow(-1);
  scale.SetLogarithmic(true);
  EXPECT_FALSE(scale.Logarithmic());
}

TEST(ScaleStoredForm, TimeLabelsKeepTheirStoredDecimals) {
  TScale source(nullptr);
  source.SetLabelType(ftTime);
  source.SetDecPlaces(0);
  TScale copy(nullptr);
  ReadScaleForm(copy, WriteScaleForm(source));
  EXPECT_EQ(copy.LabelType(), ftTime);
  EXPECT_EQ(copy.DecPlaces(), 0);
  // The text's order decides: a LabelType after DecPlaces sets 4.
  ReadScaleForm(copy, R"({"DecPlaces": 1, "LabelType": "ftTime"})");
  EXPECT_EQ(copy.DecPlaces(), 4);
}

TEST(ScaleStoredForm, RefusalsNameThePlaceAndChangeNothing) {
  TScale scale(nullptr);
  scale.SetCaption("kept");
  bool unchanged = false;
  EXPECT_EQ(Refusal(scale, "{\"Caption\": \"new\",\n \"Colour\": 5}", unchanged),
            "line 2, column 2: Colour: unknown property");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(scale, R"({"Caption": "new", "MinTicks": "3"})", unchanged),
            "line 1, column 32: MinTicks: expected an integer, found a string");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(scale, R"({"Caption": "new", "Font": {"Style": ["fsBold", "fsWide"]}})", unchanged),
            "line 1, column 49: Font.Style: unknown identifier \"fsWide\"");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(scale, R"({"Caption": "new", "ScaleType": "sctXY"})", unchanged),
            "line 1, column 33: ScaleType: unknown identifier \"sctXY\"");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(scale, R"({"Caption": "new", "RangeLow": 1,})", unchanged),
            "line 1, column 34: expected a property name (a string), found '}'");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(scale, R"({"Caption": "new", "Width": 20000})", unchanged),
            "line 1, column 29: Width: value \"20000\" is out of range 0..16384");
  EXPECT_TRUE(unchanged);
  // Taken before its range, a logarithmic switch is refused once the range is known not positive.
  EXPECT_EQ(Refusal(scale, R"({"Logarithmic":true,"RangeLow":-5,"RangeHigh":10})", unchanged),
            "Logarithmic: Logarithmic axis must not be negative.");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(scale.Caption(), "kept");
}

TEST(ScaleStoredForm, SizeTheImagesCannotTakeIsRefusedBeforeTheScaleIsTouched) {
  TScale scale(nullptr);
  bool unchanged = false;
  EXPECT_EQ(Refusal(scale, R"({"Caption": "new", "Width": 16384, "Height": 16384})", unchanged),
            "line 1, column 46: Height: image size 16384 x 16384 exceeds the limit of 37748736 pixels");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(scale.Caption(), "");
}

}  // namespace
}  // namespace nox

#include "chart/form/grafon_stored_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/pixel_helpers.h"
#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

using GrafonStoredForm = ChartTest;

// The chart of the demo's main window as its form stores it: the values it sets, the rest left at
// what a new chart has.
constexpr std::string_view kDemoForm = R"({
  "Name": "Grafon1",
  "Left": 170,
  "Top": 10,
  "Width": 429,
  "Height": 365,
  "AllocSize": 1000,
  "AutoRedraw": true,
  "MarginLeft": 60,
  "MarginRight": 15,
  "MarginTop": 20,
  "MarginBottom": 40,
  "BackGroundImg": {"IncludePath": false, "FillMode": "bfStretch", "AreaMode": "bamNone",
                    "AreaColor": 14540253, "AreaLeft": -1, "AreaRight": 1, "AreaTop": 1, "AreaBottom": -1},
  "GridStyle": "gsNone",
  "GridDx": 1.0,
  "GridDy": 1.0,
  "Isometric": false,
  "Caption": "Caption",
  "CaptionPosX": 0,
  "CaptionPosY": -16,
  "CaptionAlignment": "taRightJustify",
  "CaptionAnchorHoriz": "cahChartRight",
  "CaptionAnchorVert": "cavChartTop",
  "ChartColor": "clBtnFace",
  "CrossHair1": {"Color": "clBlack", "Layer": 1, "Mode": "chOff", "LineType": "psSolid", "LineWid": 1},
  "CrossHair2": {"Color": "clBlack", "Layer": 2, "Mode": "chOff", "LineType": "psSolid", "LineWid": 1},
  "CrossHair3": {"Color": "clBlack", "Layer": 3, "Mode": "chOff", "LineType": "psSolid", "LineWid": 1},
  "CrossHair4": {"Color": "clBlack", "Layer": 4, "Mode": "chOff", "LineType": "psSolid", "LineWid": 1},
  "MouseAction": "maPan",
  "MouseCursorFixed": false,
  "Scale1X": {"RangeLow": 0, "RangeHigh": 300, "Visible": true, "ScaleLocation": "slBottom",
              "CaptionPosX": 0, "CaptionPosY": 22, "CaptionAlignment": "taCenter",
              "CaptionAnchor": "uaSclCenter", "ColorScale": "clBlack",
              "Font": {"Name": "MS Sans Serif", "Height": -13}},
  "Scale1Y": {"RangeLow": -60, "RangeHigh": 110, "Visible": true, "ScaleLocation": "slLeft",
              "CaptionPosX": 0, "CaptionPosY": -16, "CaptionAlignment": "taLeftJustify",
              "CaptionAnchor": "uaSclTopLft", "ColorScale": "clBlack",
              "Font": {"Name": "MS Sans Serif", "Height": -13}},
  "Scale2X": {"RangeLow": 0, "RangeHigh": 1, "Visible": false, "CaptionPosX": 10, "CaptionPosY": 100,
              "ColorScale": "clMaroon"},
  "Scale2Y": {"RangeLow": 0, "RangeHigh": 1, "Visible": false, "CaptionPosX": 10, "CaptionPosY": 100,
              "ColorScale": "clMaroon"},
  "ShadowStyle": "ssFlying",
  "ShadowColor": "clGray",
  "ShadowBakColor": "clSilver",
  "TextBkStyle": "tbClear",
  "TextBkColor": "clWhite",
  "TextAlignment": "taCenter",
  "Font": {"Name": "Arial", "Height": -13, "Color": "clBlack"}
})";

// What a refused read must leave alone: the stored form, the history, the loading state and the
// axis objects' loading guards.
struct TChartState {
  std::string form;
  detail::TZoomHistory history;
  bool loading;
  bool guard;
  explicit TChartState(const TGrafon& chart)
      : form(WriteGrafonForm(chart)),
        history(chart.ZoomHistory()),
        loading(chart.IsLoading()),
        guard(chart.ScaleXOf(1).LoadingGuard()) {}
  bool operator==(const TChartState&) const = default;
};

// The message of the refusal of json, or "" when it is read; unchanged tells whether the chart's
// state stayed as it was.
std::string Refusal(TGrafon& chart, std::string_view json, bool& unchanged) {
  const TChartState before(chart);
  std::string message;
  try {
    ReadGrafonForm(chart, json);
  } catch (const std::exception& e) {
    message = e.what();
  }
  unchanged = TChartState(chart) == before;
  return message;
}

bool HasTopLevel(const std::string& form, const std::string& name) {
  return form.find("\n  \"" + name + "\": ") != std::string::npos;
}

TEST_F(GrafonStoredForm, NewChartWritesItsValuesAndLeavesOutDeclaredDefaults) {
  TTestGrafon chart;
  const std::string form = WriteGrafonForm(chart);
  // MarginLeft 50 equals its declared default and is left out; the other margins are always written.
  const std::string head =
      "{\n"
      "  \"Name\": \"\",\n"
      "  \"AllocSize\": 1000,\n"
      "  \"AutoRedraw\": true,\n"
      "  \"MarginRight\": 20,\n"
      "  \"MarginTop\": 20,\n"
      "  \"MarginBottom\": 40,\n"
      "  \"Left\": 0,\n"
      "  \"Top\": 0,\n"
      "  \"Width\": 280,\n"
      "  \"Height\": 200,\n"
      "  \"AvoidDuplicateMarks\": false,\n"
      "  \"MinDupMarkDist\": 1,\n"
      "  \"BackGroundImg\": {\n"
      "    \"IncludePath\": false,\n"
      "    \"Name\": \"\",\n";
  EXPECT_EQ(form.substr(0, head.size()), head);
  for (const char* name :
       {"MarginLeft", "ShadowWidth", "DataColor", "PenStyle", "ChartFrameColor", "FillColor", "ChartColor",
        "WindColor", "GridColor", "LineWidth", "StandardLayout", "LRim", "RRim", "TRim", "BRim",
        "TextBkColor", "TextFontStyle", "TextLabel1", "UseDataOf"}) {
    EXPECT_FALSE(HasTopLevel(form, name)) << name;
  }
  for (const char* name : {"Isometric", "JointLayers", "CaptionTrim", "CrossHair4", "Scale4Y", "Scale16Y",
                           "TextFont", "ShadowColor", "Font", "Visible", "ShowHint"}) {
    EXPECT_TRUE(HasTopLevel(form, name)) << name;
  }
  EXPECT_NE(form.find("    \"L16yControlledBy\": 16\n"), std::string::npos);
}

TEST_F(GrafonStoredForm, MarginsANewChartDoesNotHaveAreWrittenSoTheyReadBack) {
  TTestGrafon source;
  source.SetMarginLeft(50);
  source.SetMarginRight(10);
  source.SetMarginTop(16);
  source.SetMarginBottom(32);
  const std::string form = WriteGrafonForm(source);
  EXPECT_FALSE(HasTopLevel(form, "MarginLeft"));
  EXPECT_NE(form.find("\n  \"MarginRight\": 10,\n  \"MarginTop\": 16,\n  \"MarginBottom\": 32,\n"),
            std::string::npos);

  TTestGrafon copy;  // margins 50, 20, 20, 40 as every new chart
  ReadGrafonForm(copy, form);
  EXPECT_EQ(copy.MarginLeft(), 50);
  EXPECT_EQ(copy.MarginRight(), 10);
  EXPECT_EQ(copy.MarginTop(), 16);
  EXPECT_EQ(copy.MarginBottom(), 32);
  EXPECT_EQ(WriteGrafonForm(copy), form);
}

// Margins read after the size, or without one, leave the control smaller than its margins allow,
// as margins set after a resize do; the size stays as stored, so that the form reads back the same.
TEST_F(GrafonStoredForm, MarginsReadAfterTheSizeLeaveTheSizeAsStored) {
  const std::tuple<const char*, int, int> cases[] = {
      {R"({"Width": 120, "Height": 90, "LRim": 500, "BRim": 300})", 120, 90},
      {R"({"MarginLeft": 500, "MarginBottom": 300})", 280, 200}};  // a new chart's size
  for (const auto& [form, width, height] : cases) {
    TTestGrafon chart;
    ReadGrafonForm(chart, form);
    EXPECT_EQ(chart.Width(), width) << form;
    EXPECT_EQ(chart.Height(), height) << form;
    const std::string written = WriteGrafonForm(chart);
    TTestGrafon copy;
    ReadGrafonForm(copy, written);
    EXPECT_EQ(WriteGrafonForm(copy), written) << form;
  }
}

// A form gives the size, margins and shadow one by one; the chart image ends as they leave it:
// the chart area and its last column and row.
TEST_F(GrafonStoredForm, ChartImageFollowsTheSizeAndMarginsRead) {
  const char* forms[] = {
      R"({"Width": 300, "Height": 150, "MarginLeft": 70, "MarginTop": 5, "ShadowWidth": 4})",
      R"({"MarginRight": 90, "Width": 200, "TRim": 33})",
      R"({"Width": 120, "Height": 90, "LRim": 500, "BRim": 300})"};
  for (const char* form : forms) {
    TTestGrafon chart;
    ReadGrafonForm(chart, form);
    const int sw = chart.ShadowWidth();
    EXPECT_EQ(chart.ChartImage().Width(),
              std::max(0, chart.Width() - chart.MarginLeft() - chart.MarginRight() - sw + 1))
        << form;
    EXPECT_EQ(chart.ChartImage().Height(),
              std::max(0, chart.Height() - chart.MarginTop() - chart.MarginBottom() - sw + 1))
        << form;
  }
}

TEST_F(GrafonStoredForm, PropertiesTheTextLeavesOutKeepTheirValues) {
  TTestGrafon chart;
  chart.SetDataColor(clRed);
  chart.SetCaption("kept");
  ReadGrafonForm(chart, R"({"ChartColor": "clYellow"})");
  EXPECT_EQ(chart.DataColor(), clRed);
  EXPECT_EQ(chart.Caption(), "kept");
  EXPECT_EQ(chart.ChartColor(), clYellow);
}

TEST_F(GrafonStoredForm, StandardLayoutIsNeverWrittenButActsWhereItStandsInTheText) {
  TTestGrafon chart;
  chart.SetStandardLayout(gfl_X2Both_Y2Both);
  EXPECT_EQ(WriteGrafonForm(chart).find("StandardLayout"), std::string::npos);

  TTestGrafon copy;
  ReadGrafonForm(copy, R"({"StandardLayout": "gfl_X2Both_Y2Both", "MarginTop": 30})");
  EXPECT_EQ(copy.Scale2X().ScaleLocation(), slTop);
  EXPECT_TRUE(copy.Scale2Y().Visible());
  EXPECT_EQ(copy.MarginRight(), 50);
  EXPECT_EQ(copy.MarginTop(), 30);
}

TEST_F(GrafonStoredForm, AliasesAreReadButWrittenOnlyUnderTheirMainNames) {
  TTestGrafon chart;
  ReadGrafonForm(chart,
                 R"({"LRim": 70, "BRim": 45, "TextBkColor": "clWhite", "TextFontStyle": ["fsItalic"]})");
  EXPECT_EQ(chart.MarginLeft(), 70);
  EXPECT_EQ(chart.MarginBottom(), 45);
  EXPECT_EQ(chart.FillColor(), clWhite);
  EXPECT_TRUE(chart.TextFont().Style().Contains(fsItalic));
  const std::string form = WriteGrafonForm(chart);
  EXPECT_TRUE(HasTopLevel(form, "MarginLeft"));
  EXPECT_TRUE(HasTopLevel(form, "FillColor"));
  EXPECT_NE(form.find("    \"Style\": [\"fsItalic\"]\n"), std::string::npos);
  EXPECT_FALSE(HasTopLevel(form, "LRim"));
  EXPECT_FALSE(HasTopLevel(form, "TextBkColor"));
}

TEST_F(GrafonStoredForm, StoredLogarithmicIsTakenWhileLoadingAndTheGuardEndsAfterwards) {
  TTestGrafon chart;
  // At the time Logarithmic is read the range is still 0 .. 1.
  ReadGrafonForm(chart, R"({"Scale1X": {"Logarithmic": true, "RangeLow": 1, "RangeHigh": 1000}})");
  EXPECT_TRUE(chart.Scale1X().Logarithmic());
  int px = 0;
  int py = 0;
  chart.WorldToPixel(1, 10, 0.5, px, py);
  EXPECT_EQ(px, 120);  // a third of the 210 pixels of the chart area, from its left edge at 50
  for (int l = 1; l <= kLayerCount; ++l) {
    EXPECT_FALSE(chart.ScaleXOf(l).LoadingGuard()) << l;
    EXPECT_FALSE(chart.ScaleYOf(l).LoadingGuard()) << l;
  }
  // Loaded now: the rule applies to a range that reaches 0.
  chart.Scale1Y().SetLogarithmic(true);
  EXPECT_FALSE(chart.Scale1Y().Logarithmic());
  // A second reading is a reading again: the stored switch comes before its range once more.
  chart.Scale1X().SetLogarithmic(false);
  chart.Scale1X().SetRangeLow(0);
  ReadGrafonForm(chart, R"({"Scale1X": {"Logarithmic": true, "RangeLow": 2, "RangeHigh": 20}})");
  EXPECT_TRUE(chart.Scale1X().Logarithmic());
}

TEST_F(GrafonStoredForm, ReadingRecordsNoZoomHistoryAndEndsWithLoaded) {
  TTestGrafon chart;
  chart.HandleNeeded();  // the chart may paint
  const detail::TZoomHistory history = chart.ZoomHistory();
  chart.Paints = 0;
  ReadGrafonForm(chart, R"({"Isometric": true, "JointLayers": {"L02xControlledBy": 1},
                            "Scale1X": {"RangeLow": 5, "RangeHigh": 25}, "Width": 300})");
  EXPECT_EQ(chart.ZoomHistory(), history);
  EXPECT_FALSE(chart.IsLoading());
  EXPECT_EQ(chart.Paints, 1);  // once, by Loaded
  EXPECT_EQ(chart.Scale2X().RangeLow(), 5);
  EXPECT_EQ(chart.Scale2X().RangeHigh(), 25);
  int px = 0;
  int py = 0;
  chart.WorldToPixel(1, 25, 0, px, py);
  EXPECT_EQ(px, 300 - 20);
}

TEST_F(GrafonStoredForm, DemoFormGivesTheDemoChart) {
  TTestGrafon chart;
  ReadGrafonForm(chart, kDemoForm);
  EXPECT_EQ(chart.Name(), "Grafon1");
  EXPECT_EQ(chart.Left(), 170);
  EXPECT_EQ(chart.Top(), 10);
  EXPECT_EQ(chart.Width(), 429);
  EXPECT_EQ(chart.Height(), 365);
  EXPECT_EQ(chart.MarginLeft(), 60);
  EXPECT_EQ(chart.MarginRight(), 15);
  EXPECT_EQ(chart.MarginTop(), 20);
  EXPECT_EQ(chart.MarginBottom(), 40);
  EXPECT_EQ(chart.Caption(), "Caption");
  EXPECT_EQ(chart.CaptionPosY(), -16);
  EXPECT_EQ(chart.ChartColor(), clBtnFace);
  EXPECT_EQ(chart.GridDx(), 1.0);
  EXPECT_EQ(chart.GridDy(), 1.0);
  EXPECT_EQ(chart.MouseAction(), maPan);
  EXPECT_FALSE(chart.MouseCursorFixed());
  EXPECT_EQ(chart.ShadowColor(), clGray);
  EXPECT_EQ(chart.ShadowBakColor(), clSilver);
  EXPECT_EQ(chart.FillColor(), clWhite);
  EXPECT_EQ(chart.BackGroundImg().FillMode(), bfStretch);
  EXPECT_EQ(chart.BackGroundImg().AreaColor(), 14540253u);
  EXPECT_EQ(chart.BackGroundImg().AreaBottom(), -1.0);
  for (int i = 1; i <= kCrossHairCount; ++i) {
    EXPECT_EQ(chart.CrossHair(i).Color(), clBlack) << i;
    EXPECT_EQ(chart.CrossHair(i).Layer(), i) << i;
    EXPECT_EQ(chart.CrossHair(i).LineType(), psSolid) << i;
  }
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 300, -60, 110}));
  EXPECT_TRUE(chart.Scale1X().Visible());
  EXPECT_EQ(chart.Scale1X().CaptionAnchor(), uaSclCenter);
  EXPECT_EQ(chart.Scale1X().Font().Name(), "MS Sans Serif");
  EXPECT_EQ(chart.Scale1Y().CaptionAlignment(), taLeftJustify);
  EXPECT_EQ(chart.Scale1Y().ScaleLocation(), slLeft);
  EXPECT_FALSE(chart.Scale2X().Visible());
  EXPECT_EQ(chart.Scale2Y().ColorScale(), clMaroon);
  EXPECT_EQ(chart.Scale2Y().CaptionPosY(), 100);
  EXPECT_EQ(chart.Scale2X().MinRange(), 1e-10);
  EXPECT_EQ(chart.Font().Name(), "Arial");
  EXPECT_EQ(chart.Font().Height(), -13);
  EXPECT_TRUE(host.Messages().empty());

  // Setting ranges from the form recorded nothing: one step back from the activation's range is the
  // range of a new chart.
  chart.SetLayerRange(1, 0, -60, 300, 110);
  chart.RecallZoom(-1);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 1, 0, 1}));
}

TEST_F(GrafonStoredForm, WriteReadWriteGivesTheSameText) {
  TTestGrafon source;
  source.SetName("Plot");
  source.SetIsometric(true);
  source.SetShadowWidth(6);
  source.SetMarginLeft(0);
  source.SetMarginTop(16);
  source.SetBounds(3, 4, 110, 85);  // narrower than a new chart's margins allow
  source.SetAllocSize(77);
  source.SetAutoRedraw(false);
  source.SetAvoidDuplicateMarks(true);
  source.SetMinDupMarkDist(3);
  source.BackGroundImg().SetIncludePath(true);
  source.BackGroundImg().SetName("C:\\pictures\\sky.bmp");
  source.BackGroundImg().SetAreaMode(bamRectInv);
  source.BackGroundImg().SetAreaTop(0.1);
  source.SetClassDefault(9);
  source.SetGridStyle(gsDotLines);
  source.SetGridDx(-3);
  source.SetGridDy(0.25);
  source.SetDataColor(clFuchsia);
  source.SetPenStyle(psDashDot);
  source.SetFillColor(clAqua);
  source.SetWindColor(clWindow);
  source.JointLayers().SetXControlledBy(2, 1);
  source.JointLayers().SetYControlledBy(3, 4);
  source.SetLineWidth(4);
  source.SetCaption(
      "Temperature 25\xB0"
      "C\nby hour");
  source.SetCaptionAnchorVert(cavControlBottom);
  source.SetCaptionTrim(0);
  source.SetMouseTraceInvert(false);
  source.CrossHair3().SetMode(chCrossBox);
  source.CrossHair3().SetPosX(1.0 / 3);
  source.SetMouseAction(maZoomWindPos);
  source.SetPanGridOffsY(-2.5);
  source.Scale1X().SetRangeLow(1);
  source.Scale1X().SetRangeHigh(1000);
  source.Scale1X().SetLogarithmic(true);
  source.Scale1X().SetMinRange(0.5);
  source.Scale1X().DateFormat().SetDateOrder(doYYMMDD);
  source.Scale2X().SetLabelType(ftTime);
  source.Scale2X().SetDecPlaces(0);
  source.Scale2X().SetScaleLocation(slTop);
  source.Scale2X().SetScalePos(12);
  source.Scale3Y().SetScaleInscript("m&/s");
  source.Scale3Y().Font().SetStyle({fsBold, fsStrikeOut});
  source.Scale4Y().SetRangeLow(-7e-300);
  source.Scale4Y().SetRangeHigh(3e300);
  source.Scale4Y().SetMouseAction(maZoomDrag);
  source.Scale4Y().SetScaleLocation(slRight);
  source.SetShadowStyle(ssBox);
  source.TextFont().SetName("Liberation Sans");
  source.SetTextBkStyle(tbSolid);
  source.SetTextAlignment(taLeftJustify);
  source.SetShowHint(true);
  source.SetAnchors({akLeft, akRight});
  source.Constraints().SetMaxHeight(90);
  const std::string form = WriteGrafonForm(source);

  TTestGrafon copy;
  // Constraints the form replaces do not clip the size it gives before them.
  copy.Constraints().SetMaxHeight(84);
  ReadGrafonForm(copy, form);
  EXPECT_EQ(WriteGrafonForm(copy), form);
  EXPECT_EQ(copy.Width(), 110);
  EXPECT_EQ(copy.Height(), 85);
  EXPECT_EQ(copy.ShadowWidth(), 6);
  EXPECT_EQ(copy.BackGroundImg().Name(), "C:\\pictures\\sky.bmp");
  EXPECT_EQ(copy.JointLayers().XControlledBy(2), 1);
  EXPECT_EQ(copy.JointLayers().YControlledBy(3), 4);
  EXPECT_TRUE(copy.Scale1X().Logarithmic());
  EXPECT_EQ(copy.Scale2X().DecPlaces(), 0);
  EXPECT_EQ(copy.Scale2X().ScaleType(), sctXB);
  EXPECT_EQ(copy.Scale4Y().MouseAction(), maZoomDrag);
  EXPECT_EQ(copy.Caption(),
            "Temperature 25\xC2\xB0"
            "C\nby hour");  // stored as the character it draws
  EXPECT_TRUE(copy.Isometric());
  EXPECT_EQ(copy.Anchors(), (TAnchors{akLeft, akRight}));
}

TEST_F(GrafonStoredForm, RefusalsNameThePlaceAndChangeNothing) {
  TTestGrafon chart;
  chart.SetCaption("kept");
  bool unchanged = false;
  EXPECT_EQ(Refusal(chart, "{\"Caption\": \"new\",\n  \"Scale1X\": {\"Rangelow\": 5}}", unchanged),
            "line 2, column 15: Scale1X.Rangelow: unknown property");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(chart, R"({"Caption": "new", "Scale17X": {}})", unchanged),
            "line 1, column 20: Scale17X: unknown property");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(chart, R"({"Caption": "new", "Isometric": 1})", unchanged),
            "line 1, column 33: Isometric: expected true or false, found a number");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(chart, R"({"Caption": "new", "MouseAction": "maPann"})", unchanged),
            "line 1, column 35: MouseAction: unknown identifier \"maPann\"");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(chart, R"({"Caption": "new", "Scale2Y": {"ScaleLocation": "slTop"}})", unchanged),
            "line 1, column 49: Scale2Y.ScaleLocation: unknown identifier \"slTop\"");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(chart, R"({"Caption": "new", "JointLayers": {"L03xControlledBy": 17}})", unchanged),
            "line 1, column 56: JointLayers.L03xControlledBy: value \"17\" is out of range 1..16");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(chart, R"({"Caption": "new", "GridDx": 1e999})", unchanged),
            "line 1, column 30: GridDx: number \"1e999\" is out of the range of Double");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(chart, R"({"Caption": "new" "GridDx": 2})", unchanged),
            "line 1, column 19: expected ',' or '}', found a string");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(chart, R"({"Caption": "new", "Caption": "twice"})", unchanged),
            "line 1, column 20: Caption: property given twice");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(chart.Caption(), "kept");
}

TEST_F(GrafonStoredForm, RefusalOfASetterIsFoundBeforeTheChartIsTouched) {
  TTestGrafon chart;
  bool unchanged = false;
  // Layer 1 follows layer 2, so layer 2 can no longer follow layer 3.
  const std::string json =
      R"({"Caption": "new", "JointLayers": {"L01xControlledBy": 2, "L02xControlledBy": 3}})";
  EXPECT_EQ(Refusal(chart, json, unchanged),
            "line 1, column 79: JointLayers.L02xControlledBy: Layer 2 is joined by other layers (1)");
  EXPECT_TRUE(unchanged);
  try {
    ReadGrafonForm(chart, json);
    ADD_FAILURE() << "accepted";
  } catch (const EStoredFormError& e) {
    EXPECT_THROW(std::rethrow_if_nested(e), ENoxGrafonError);
  }
  EXPECT_EQ(chart.Caption(), "");
  EXPECT_EQ(chart.JointLayers().XControlledBy(1), 1);
}

TEST_F(GrafonStoredForm, LogarithmicAxisEndingAtZeroIsRefusedAndChangesNothing) {
  TTestGrafon chart;
  bool unchanged = false;
  EXPECT_EQ(Refusal(chart, R"({"Caption": "new", "Scale1Y": {"Logarithmic": true}})", unchanged),
            "Logarithmic axis must not be negative.");
  EXPECT_TRUE(unchanged);
  EXPECT_FALSE(chart.Scale1Y().Logarithmic());
  EXPECT_EQ(chart.Caption(), "");
  EXPECT_TRUE(chart.Scale1Y().LoadingGuard());  // a chart made in code keeps its guard
}

TEST_F(GrafonStoredForm, SizeTheImagesCannotTakeIsRefusedAndChangesNothing) {
  TTestGrafon chart;
  chart.SetWidth(150);  // keeps the images of the first step small
  bool unchanged = false;
  // Each side alone is allowed, both together exceed the image limit.
  EXPECT_EQ(Refusal(chart, R"({"Caption": "new", "Height": 4097, "Width": 16384})", unchanged),
            "line 1, column 45: Width: image size 16384 x 4097 exceeds the limit of 37748736 pixels");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(chart, R"({"Width": 16385})", unchanged),
            "line 1, column 11: Width: value \"16385\" is out of range 0..16384");
  EXPECT_TRUE(unchanged);
}

// A form of 32 bytes asking for 64 M pixels (256 MiB for each image) and a caption beyond its limit.
TEST_F(GrafonStoredForm, ValuesBeyondTheChartsLimitsAreRefusedAndChangeNothing) {
  TTestGrafon chart;
  chart.SetWidth(150);
  std::ifstream in(NOX_TEST_DATA_DIR "/../fuzz/regressions/stored_form_grafon/size_beyond_the_pixel_limit");
  const std::string form{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  bool unchanged = false;
  EXPECT_EQ(Refusal(chart, form, unchanged),
            "line 1, column 28: Height: image size 16384 x 4096 exceeds the limit of 37748736 pixels");
  EXPECT_TRUE(unchanged);
  const std::string caption = "{\"Caption\": \"" + std::string(kMaxCaptionLength + 1, 'x') + "\"}";
  EXPECT_EQ(Refusal(chart, caption, unchanged),
            "line 1, column 13: Caption: Caption is 4097 bytes long; a chart caption may have 4096 at most.");
  EXPECT_TRUE(unchanged);
}

TEST_F(GrafonStoredForm, SavedToAFileAsWritten) {
  TTestGrafon chart;
  chart.SetCaption("saved");
  const std::string path = NOX_TEST_OUTPUT_DIR "/chart_form.json";
  SaveGrafonFormToFile(chart, path);
  std::ifstream in(path);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            WriteGrafonForm(chart));
}

TEST_F(GrafonStoredForm, DeepNestingAndLongArraysAreHandledInTurn) {
  TTestGrafon chart;
  bool unchanged = false;
  EXPECT_EQ(Refusal(chart, "{\"Caption\": " + std::string(200000, '['), unchanged),
            "line 1, column 13: Caption: expected a string, found an array");
  EXPECT_TRUE(unchanged);
  EXPECT_EQ(Refusal(chart, "{\"Scale1X\": {\"Font\": {\"Name\": " + std::string(200000, '{'), unchanged),
            "line 1, column 31: Scale1X.Font.Name: expected a string, found an object");
  EXPECT_TRUE(unchanged);
  std::string styles;
  for (int i = 0; i < 100000; ++i) styles += "\"fsBold\", ";
  ReadGrafonForm(chart, "{\"Scale3Y\": {\"Font\": {\"Style\": [" + styles + "\"fsItalic\"]}}}");
  EXPECT_EQ(chart.Scale3Y().Font().Style(), (TFontStyles{fsBold, fsItalic}));
}

// Damaged copies of a good form: each is read or refused as a whole, and nothing crashes.
TEST_F(GrafonStoredForm, DamagedFormsAreReadWholeOrRefusedWhole) {
  TTestGrafon source;
  ReadGrafonForm(source, kDemoForm);
  const std::string good = WriteGrafonForm(source);
  std::vector<std::size_t> digits;
  for (std::size_t i = 0; i < good.size(); ++i) {
    if (good[i] >= '0' && good[i] <= '9') digits.push_back(i);
  }
  constexpr std::string_view kPieces[] = {"{",
                                          "}",
                                          "[",
                                          "\"",
                                          ",",
                                          ":",
                                          "-",
                                          "1e308",
                                          "true",
                                          "\"maZoom\"",
                                          "\"Scale1X\": {",
                                          "\"L01xControlledBy\": 3,",
                                          "\\u0000",
                                          "\xFF"};
  std::mt19937 random(20240611);
  auto chart = std::make_unique<TTestGrafon>();
  int read = 0;
  for (int round = 0; round < 100; ++round) {
    std::string text = good;
    const std::size_t at = random() % text.size();
    switch (random() % 3) {
      case 0:
        text.erase(at, 1 + random() % 8);
        break;
      case 1:
        text.insert(at, kPieces[random() % std::size(kPieces)]);
        break;
      default:  // mostly still a form, with other values: joins, sizes, logarithmic ranges
        text[digits[random() % digits.size()]] = static_cast<char>('0' + random() % 10);
        break;
    }
    bool unchanged = false;
    if (Refusal(*chart, text, unchanged).empty()) {
      ++read;
      chart = std::make_unique<TTestGrafon>();
    } else {
      EXPECT_TRUE(unchanged) << text;
    }
  }
  EXPECT_GT(read, 0);
}

// A chart put into a random state through the operations a program uses, where reading could
// repair or lose something: ranges set every way (near MinRange, below 1e-10, reversed, positive),
// MinRange, logarithmic and date/time axes, joins, isometric scaling, axis locations and objects
// assigned as a whole, layouts, margins after the size, the layers 5..16, text labels, cross hairs.
class TRandomChart {
 public:
  explicit TRandomChart(std::uint32_t seed) : m_random(seed) {}

  void Shape(TTestGrafon& c) {
    c.SetBounds(Pick(50), Pick(50), 150 + Pick(250), 100 + Pick(200));
    for (int step = Pick(30); step > 0; --step) Step(c, 1 + Pick(kLayerCount));
    if (Chance(4)) c.SetIsometric(true);
    if (Chance(4)) c.SetBounds(0, 0, 150 + Pick(250), 100 + Pick(200));  // re-fits isometric layers
  }

 private:
  int Pick(int n) { return static_cast<int>(m_random() % static_cast<std::uint32_t>(n)); }
  bool Chance(int n) { return Pick(n) == 0; }
  double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(m_random); }
  template <class E>
  E Enum(int count) {
    return static_cast<E>(Pick(count));
  }

  std::array<double, 2> Range(double minRange) {
    const double low = Uniform(-1000, 1000);
    const double positive = std::pow(10.0, Uniform(-3, 2));
    const std::array<double, 2> ranges[] = {{low, low + minRange * Uniform(0.99, 1)},
                                            {low, low + std::pow(10.0, Uniform(-14, -10))},
                                            {low, low - std::pow(10.0, Uniform(-2, 3))},
                                            {positive, positive * std::pow(10.0, Uniform(0.3, 5))},
                                            {low, low + std::pow(10.0, Uniform(-3, 4))}};
    return ranges[Pick(5)];
  }

  void Axis(TScaleProps& a) {
    switch (Pick(6)) {
      case 0:
        a.SetMinRange(std::pow(10.0, Uniform(-12, 2)));
        break;
      case 1: {
        const auto r = Range(a.MinRange());
        a.SetRangeLow(r[0]);
        a.SetRangeHigh(r[1]);
        break;
      }
      case 2:
        a.SetLabelType(Enum<TFigType>(kFigTypeCount));
        a.SetDecPlaces(Pick(16) - 3);
        break;
      case 3:  // a chart made in code takes the switch as it comes
        a.SetLogarithmic(a.RangeLow() > 0 && a.RangeHigh() > 0);
        break;
      case 4:
        a.SetVisible(!Chance(3));
        a.SetScalePos(Pick(60) - 10);
        break;
      default:
        if (auto* x = dynamic_cast<TScalePropsHoriz*>(&a)) x->SetScaleLocation(Enum<TScaleLocationHoriz>(2));
        if (auto* y = dynamic_cast<TScalePropsVert*>(&a)) y->SetScaleLocation(Enum<TScaleLocationVert>(2));
        break;
    }
  }

  void Step(TTestGrafon& c, int layer) {
    switch (Pick(9)) {
      case 0:
      case 1:
        Axis(Chance(2) ? static_cast<TScaleProps&>(c.ScaleXOf(layer)) : c.ScaleYOf(layer));
        break;
      case 2: {
        const auto x = Range(c.ScaleXOf(layer).MinRange());
        const auto y = Range(c.ScaleYOf(layer).MinRange());
        c.SetLayerRange(layer, x[0], y[0], x[1], y[1]);
        break;
      }
      case 3:
        try {
          std::invoke(Chance(2) ? &TJointLayers::SetXControlledBy : &TJointLayers::SetYControlledBy,
                      c.JointLayers(), layer, 1 + Pick(kLayerCount));
        } catch (const ENoxGrafonError&) {  // a join the rules refuse
        }
        break;
      case 4: {  // an axis object of layers 1..4 assigned as a whole
        TScalePropsHoriz x;
        x.Assign(c.ScaleXOf(layer));
        Axis(x);
        (c.*std::array{&TCustomGrafon::SetScale1X, &TCustomGrafon::SetScale2X, &TCustomGrafon::SetScale3X,
                       &TCustomGrafon::SetScale4X}[static_cast<std::size_t>(Pick(4))])(x);
        break;
      }
      case 5: {
        TTextLabel& t = c.TextLabel(1 + Pick(kTextLabelCount));
        t.SetMode(Enum<TTxtLblMode>(kTxtLblModeCount));
        t.SetVisible(true);
        t.SetCaption("label");
        t.SetAttachToData(Enum<TTxtLblAttachMode>(kTxtLblAttachModeCount));
        t.SetPosX(Uniform(-10, 300));
        t.SetLayer(layer);
        break;
      }
      case 6:
        c.CrossHair(1 + Pick(kCrossHairCount)).SetMode(Enum<TCrossHMode>(kCrossHModeCount));
        c.CrossHair(1 + Pick(kCrossHairCount)).SetPosX(Uniform(-1, 2));
        c.CrossHair(1 + Pick(kCrossHairCount)).SetLayer(layer);
        break;
      case 7:  // after the size: the control may be left below its minimum
        c.SetMarginLeft(Pick(150));
        c.SetMarginBottom(Pick(100));
        c.SetShadowWidth(Pick(12));
        break;
      default:
        c.SetStandardLayout(Enum<TgfLayout>(kgfLayoutCount));
        break;
    }
  }

  std::mt19937 m_random;
};

// What a chart paints on screen once it has a window.
const TBitmap& Painted(TTestGrafon& chart) {
  chart.HandleNeeded();
  chart.Repaint();
  return chart.ScreenImage();
}

// Reads form into a new chart; expects its own form to be form again and its picture to be picture.
void ExpectReadsBack(const std::string& form, const TBitmap& picture, const std::string& what) {
  TTestGrafon copy;
  ReadGrafonForm(copy, form);
  EXPECT_EQ(WriteGrafonForm(copy), form) << what;
  EXPECT_TRUE(SameImage(picture, Painted(copy))) << what;
}

TEST_F(GrafonStoredForm, RandomChartStatesReadBackToTheSameTextAndPixels) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    TTestGrafon source;
    TRandomChart(seed).Shape(source);
    const std::string form = WriteGrafonForm(source);
    ExpectReadsBack(form, Painted(source), "seed " + std::to_string(seed));
    if (HasFailure()) break;  // one seed to look at is enough
  }
}

// The states that did not read back before, one each.
TEST_F(GrafonStoredForm, StatesTheSettersWouldRepairReadBackAsTheyWere) {
  const std::vector<std::pair<std::string, std::function<void(TTestGrafon&)>>> cases = {
      {"a span just under MinRange",
       [](TTestGrafon& c) {
         c.Scale1X().SetMinRange(1);
         c.SetLayerRange(1, 0, 0, 0.995, 1);
       }},
      {"a span below 1e-10", [](TTestGrafon& c) { c.SetLayerRange(1, 5, 0, 5 + 4e-11, 1); }},
      {"a logarithmic date/time axis",
       [](TTestGrafon& c) {
         c.SetLayerRange(1, 40000, 1, 40100, 10);
         c.Scale1X().SetLabelType(ftDateTime);
         c.Scale1X().SetLogarithmic(true);
       }},
      {"isometric with MinRange",
       [](TTestGrafon& c) {
         c.Scale1Y().SetMinRange(5);
         c.SetIsometric(true);
       }},
      {"layers 5..16, text labels, cross hairs", [](TTestGrafon& c) {
         c.ScaleXOf(9).SetVisible(true);
         c.SetLayerRange(9, -3, 2, 3, 4);
         c.TextLabel(50).SetMode(tlBox);
         c.TextLabel(50).SetVisible(true);
         c.CrossHair4().SetMode(chBoth);
       }}};
  for (const auto& [what, set] : cases) {
    TTestGrafon source;
    set(source);
    ExpectReadsBack(WriteGrafonForm(source), Painted(source), what);
  }
  // An axis object assigned at the top is drawn there and says so, so its form puts it there again.
  TTestGrafon source;
  TScalePropsHoriz top;
  top.SetScaleLocation(slTop);
  source.SetScale2X(top);
  EXPECT_EQ(source.Scale2X().ScaleLocation(), slTop);
  ExpectReadsBack(WriteGrafonForm(source), Painted(source), "an axis assigned at the top");
}

// A read replaces the joins as a whole: a form whose joins differ from the chart's is read.
TEST_F(GrafonStoredForm, JoinsOfTheFormReplaceTheChartsAsAWhole) {
  TTestGrafon source;
  source.JointLayers().SetXControlledBy(1, 2);
  const std::string form = WriteGrafonForm(source);
  TTestGrafon chart;
  chart.JointLayers().SetXControlledBy(3, 1);
  ReadGrafonForm(chart, form);
  EXPECT_EQ(chart.JointLayers().XControlledBy(1), 2);
  EXPECT_EQ(chart.JointLayers().XControlledBy(3), 3);
}

// Layer 2's y follows layer 4, whose span is too narrow for layer 2's MinRange: both read back as
// stored, as do charts that read the form.
TEST_F(GrafonStoredForm, JoinedLayerKeepsTheRangeItWasStoredWith) {
  std::ifstream file(NOX_TEST_DATA_DIR
                     "/../fuzz/regressions/stored_form_grafon/joined_layer_keeps_its_stored_range");
  std::stringstream text;
  text << file.rdbuf();
  TTestGrafon chart;
  ReadGrafonForm(chart, text.str());
  EXPECT_EQ(RangesOf(chart, 2), (std::array<double, 4>{0, 1, -2.35, 3.35}));
  EXPECT_EQ(RangesOf(chart, 4)[2], 9.6946326617311662);
  ExpectReadsBack(WriteGrafonForm(chart), Painted(chart), "the stored joined layer");
}

TEST_F(GrafonStoredForm, ValuesThatCannotBeAppliedAreRefusedWithTheirProperty) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {R"({"Scale1X": {"RangeLow": "NaN"}})",
       "line 1, column 26: Scale1X.RangeLow: value NaN is not accepted: a range bound is a finite number"},
      {R"({"Scale2Y": {"RangeLow": -1.7e308, "RangeHigh": 1.7e308}})",
       "line 1, column 49: Scale2Y.RangeHigh: the range -1.7e+308 .. 1.7e+308 is wider than a Double holds"},
      {R"({"Scale1X": {"MinRange": 0}})",
       "line 1, column 26: Scale1X.MinRange: value 0 is not accepted: MinRange is a finite number above "
       "1e-100"},
      {R"({"AllocSize": 0})", "line 1, column 15: AllocSize: value \"0\" is out of range 1..1000000"},
      {R"({"JointLayers": {"L05yControlledBy": 6, "L06yControlledBy": 7}})",
       "line 1, column 61: JointLayers.L06yControlledBy: Layer 6 is joined by other layers (5)"}};
  TTestGrafon chart;
  for (const auto& [json, message] : cases) {
    bool unchanged = false;
    EXPECT_EQ(Refusal(chart, json, unchanged), message);
    EXPECT_TRUE(unchanged) << json;
  }
}

}  // namespace
}  // namespace nox::test

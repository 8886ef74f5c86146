#include "chart/form/grafon_stored_form.h"

#include <array>
#include <cmath>
#include <exception>

#include "base/stored_form_identifiers.h"
#include "base/stored_form_json.h"
#include "base/stored_form_tables.h"
#include "platform/bitmap.h"
#include "platform/file_replace.h"
#include "scale/scale_stored_form.h"

namespace nox {

namespace {
using namespace std::string_view_literals;

constexpr std::array kgfLayout = {"gfl_X1Bottom_Y1Left"sv, "gfl_X1Bottom_Y2Left"sv, "gfl_X1Bottom_Y3Left"sv,
                                  "gfl_X1Bottom_Y4Left"sv, "gfl_X1Bottom_Y2Both"sv, "gfl_X2Bottom_Y2Left"sv,
                                  "gfl_X2Both_Y2Both"sv};
constexpr std::array kCaptionAnchorHoriz = {"cahControlLeft"sv, "cahChartLeft"sv, "cahChartCenter"sv,
                                            "cahChartRight"sv, "cahControlRight"sv};
constexpr std::array kCaptionAnchorVert = {"cavControlTop"sv, "cavChartTop"sv, "cavChartCenter"sv,
                                           "cavChartBottom"sv, "cavControlBottom"sv};
constexpr std::array kGridStyleType = {"gsNone"sv,  "gsPoints"sv,        "gsVertLines"sv,    "gsHorizLines"sv,
                                       "gsLines"sv, "gsHorizDotLines"sv, "gsVertDotLines"sv, "gsDotLines"sv};
constexpr std::array kTextBkg = {"tbClear"sv, "tbSolid"sv};
constexpr std::array kBGAreaMode = {"bamNone"sv,    "bamLeft"sv,       "bamRight"sv,     "bamTop"sv,
                                    "bamBottom"sv,  "bamVStripe"sv,    "bamHStripe"sv,   "bamRect"sv,
                                    "bamRectInv"sv, "bamVStripeInv"sv, "bamHStripeInv"sv};
constexpr std::array kScaleLocationHoriz = {"slTop"sv, "slBottom"sv};
constexpr std::array kScaleLocationVert = {"slLeft"sv, "slRight"sv};

static_assert(kgfLayout.size() == kgfLayoutCount);
static_assert(kCaptionAnchorHoriz.size() == kCaptionAnchorHorizCount);
static_assert(kCaptionAnchorVert.size() == kCaptionAnchorVertCount);
static_assert(kGridStyleType.size() == kGridStyleTypeCount);
static_assert(kTextBkg.size() == kTextBkgCount);
static_assert(kBGAreaMode.size() == kBGAreaModeCount);
static_assert(kScaleLocationHoriz.size() == kScaleLocationHorizCount);
static_assert(kScaleLocationVert.size() == kScaleLocationVertCount);

bool IsFinite(double v) { return std::isfinite(v); }
bool IsMinRange(double v) { return std::isfinite(v) && v > kMinLogValue; }
bool IsGridStep(double v) { return std::isfinite(v) && v >= -3; }

// The table of one axis class; P is TScalePropsHoriz or TScalePropsVert.
template <class P>
TStoredTable ScalePropsTable() {
  using C = TScaleProps;
  return TStoredTableOf<P>()
      .String("Caption", &C::Caption, &C::SetCaption)
      .Integer("CaptionPosX", &C::CaptionPosX, &C::SetCaptionPosX)
      .Integer("CaptionPosY", &C::CaptionPosY, &C::SetCaptionPosY)
      .Enum("CaptionAlignment", &C::CaptionAlignment, &C::SetCaptionAlignment)
      .Enum("CaptionAnchor", &C::CaptionAnchor, &C::SetCaptionAnchor)
      .Color("ColorScale", &C::ColorScale, &C::SetColorScale)
      .Object(
          "DateFormat", [](P& p) -> TDTLabel& { return p.DateFormat(); }, DTLabelStoredTable())
      .Boolean("Logarithmic", &C::Logarithmic, &C::SetLogarithmic)
      .Enum("LabelType", &C::LabelType, &C::SetLabelTypeAsStored)
      .Integer("DecPlaces", &C::DecPlaces, &C::SetDecPlaces)
      .Object(
          "Font", [](P& p) -> TFont& { return p.Font(); }, FontStoredTable())
      .Integer("MinTicks", &C::MinTicks, &C::SetMinTicks)
      .Double("RangeLow", &C::RangeLow, &C::SetRangeLowAsStored)
      .Accepting(IsFinite, "a range bound is a finite number")
      .Double("RangeHigh", &C::RangeHigh, &C::SetRangeHighAsStored)
      .Accepting(IsFinite, "a range bound is a finite number")
      .Boolean("ShortTicks", &C::ShortTicks, &C::SetShortTicks)
      .String("ScaleInscript", &C::ScaleInscript, &C::SetScaleInscript)
      .Integer("ScalePos", &C::ScalePos, &C::SetScalePos)
      .Double("MinRange", &C::MinRange, &C::SetMinRangeAsStored)
      .Accepting(IsMinRange, "MinRange is a finite number above 1e-100")
      .Enum("MouseAction", &C::MouseAction, &C::SetMouseAction)
      .String("UserTickText", &C::UserTickText, &C::SetUserTickText)
      .Boolean("Visible", &C::Visible, &C::SetVisible)
      .Enum("ScaleLocation", &P::ScaleLocation, &P::SetScaleLocation);
}

std::string AxisName(int layer, bool isX) { return "Scale" + std::to_string(layer) + (isX ? "X" : "Y"); }

std::string JoinName(int layer, bool isX) {
  return (layer < 10 ? "L0" : "L") + std::to_string(layer) + (isX ? "xControlledBy" : "yControlledBy");
}

// The text labels are written where they differ from a new chart's, so that a form does not list
// fifty labels a chart never used: their table declares a new chart's label as its defaults.
const TStoredTable& TextLabelTable() {
  static const TStoredTableCopy table = [] {
    const TGrafon reference(nullptr);
    return TStoredTableCopy(TextLabelStoredTable(), &reference.TextLabel(1));
  }();
  return table;
}

void AddTextLabels(TStoredTableOf<TGrafon>& t) {
  for (int i = 1; i <= kTextLabelCount; ++i) {
    t.Object(
        "TextLabel" + std::to_string(i), [i](TGrafon& c) -> TCustomTextLabel& { return c.TextLabel(i); },
        TextLabelTable());
  }
}

void AddAxisObjects(TStoredTableOf<TGrafon>& t) {
  for (int l = 1; l <= kLayerCount; ++l) {
    t.Object(
         AxisName(l, true), [l](TGrafon& c) -> TScalePropsHoriz& { return c.ScaleXOf(l); },
         ScalePropsHorizStoredTable())
        .Object(
            AxisName(l, false), [l](TGrafon& c) -> TScalePropsVert& { return c.ScaleYOf(l); },
            ScalePropsVertStoredTable());
  }
}

// The chart's table without declared defaults: its written form holds every property, the state a
// trial read starts from.
const TStoredTable& FullStateTable() {
  static const TStoredTableCopy table(GrafonStoredTable(), nullptr);
  return table;
}

EStoredFormError Refusal(const TStoredPlaces& places, const std::string& path, const std::string& reason) {
  const TStoredPlace place = PlaceOf(places, path);
  return EStoredFormError(path, place.line, place.column, reason);
}

// Refuses a state that the text leaves the chart in and that the chart cannot hold, at the property
// of the text that makes it so: joins more than one level deep (the setter's error nested), a range
// wider than a Double holds.
void CheckReadState(const TGrafon& chart, const TStoredPlaces& places) {
  const TJointLayers& joins = chart.JointLayers();
  for (int l = 1; l <= kLayerCount; ++l) {
    for (const bool isX : {true, false}) {
      try {
        isX ? joins.CheckXJoin(l) : joins.CheckYJoin(l);
      } catch (const ENoxGrafonError& e) {
        std::throw_with_nested(Refusal(places, "JointLayers." + JoinName(l, isX), e.what()));
      }
    }
  }
  for (int l = 1; l <= kLayerCount; ++l) {
    for (const bool isX : {true, false}) {
      const TScaleProps& axis = isX ? static_cast<const TScaleProps&>(chart.ScaleXOf(l)) : chart.ScaleYOf(l);
      if (std::isfinite(axis.RangeHigh() - axis.RangeLow())) continue;
      const std::string prefix = AxisName(l, isX) + ".";
      const bool highGiven = PlaceOf(places, prefix + "RangeHigh").line > 0;
      throw Refusal(places, prefix + (highGiven ? "RangeHigh" : "RangeLow"),
                    "the range " + detail::FormatDouble(axis.RangeLow()) + " .. " +
                        detail::FormatDouble(axis.RangeHigh()) + " is wider than a Double holds");
    }
  }
}

// What reading a text does to a chart: the axis objects' loading guards set again (a chart that was
// loaded before ended them), then the text inside the loading state, then Loaded.
void ReadIntoChart(TGrafon& chart, std::string_view json) {
  for (int l = 1; l <= kLayerCount; ++l) {
    chart.ScaleXOf(l).SetLoadingGuard(true);
    chart.ScaleYOf(l).SetLoadingGuard(true);
  }
  ReadStoredForm(chart, json, GrafonStoredTable());
}

// Reads json into a stand-in that holds chart's stored state and the axis objects of all its
// layers, and checks the state it leaves; throws what reading it into chart would throw. The
// stand-in is built without events, so nothing outside learns of it.
void TrialRead(const TGrafon& chart, std::string_view json, const TStoredPlaces& places) {
  TGrafon trial(nullptr);
  trial.SetBounds(chart.Left(), chart.Top(), chart.Width(),
                  chart.Height());  // one resize of its images, not two
  try {
    ReadStoredForm(trial, WriteStoredForm(chart, FullStateTable()), FullStateTable());
  } catch (const ENoxGrafonError&) {
    // The chart's own state cannot be mapped (an axis made logarithmic over a bound <= 0 in code);
    // the stand-in holds it all the same, and the text decides whether it can.
  }
  for (int l = 1; l <= kLayerCount; ++l) {
    trial.ScaleXOf(l).Assign(chart.ScaleXOf(l));
    trial.ScaleYOf(l).Assign(chart.ScaleYOf(l));
  }
  ReadIntoChart(trial, json);
  CheckReadState(trial, places);
}

}  // namespace

TIdentifiers IdentifiersOf(TgfLayout) { return TIdentifiers(kgfLayout); }
TIdentifiers IdentifiersOf(TCaptionAnchorHoriz) { return TIdentifiers(kCaptionAnchorHoriz); }
TIdentifiers IdentifiersOf(TCaptionAnchorVert) { return TIdentifiers(kCaptionAnchorVert); }
TIdentifiers IdentifiersOf(GridStyleType) { return TIdentifiers(kGridStyleType); }
TIdentifiers IdentifiersOf(TTextBkg) { return TIdentifiers(kTextBkg); }
TIdentifiers IdentifiersOf(TBGAreaMode) { return TIdentifiers(kBGAreaMode); }
TIdentifiers IdentifiersOf(TScaleLocationHoriz) { return TIdentifiers(kScaleLocationHoriz); }
TIdentifiers IdentifiersOf(TScaleLocationVert) { return TIdentifiers(kScaleLocationVert); }

const TStoredTable& ScalePropsHorizStoredTable() {
  static const TStoredTable table = ScalePropsTable<TScalePropsHoriz>();
  return table;
}

const TStoredTable& ScalePropsVertStoredTable() {
  static const TStoredTable table = ScalePropsTable<TScalePropsVert>();
  return table;
}

const TStoredTable& BakGndImgStoredTable() {
  using C = TBakGndImg;
  static const TStoredTable table = TStoredTableOf<C>()
                                        .Boolean("IncludePath", &C::IncludePath, &C::SetIncludePath)
                                        .String("Name", &C::Name, &C::SetName)
                                        .Enum("FillMode", &C::FillMode, &C::SetFillMode)
                                        .Enum("AreaMode", &C::AreaMode, &C::SetAreaMode)
                                        .Color("AreaColor", &C::AreaColor, &C::SetAreaColor)
                                        .Double("AreaLeft", &C::AreaLeft, &C::SetAreaLeft)
                                        .Double("AreaRight", &C::AreaRight, &C::SetAreaRight)
                                        .Double("AreaTop", &C::AreaTop, &C::SetAreaTop)
                                        .Double("AreaBottom", &C::AreaBottom, &C::SetAreaBottom);
  return table;
}

const TStoredTable& JointLayersStoredTable() {
  static const TStoredTable table = [] {
    TStoredTableOf<TJointLayers> t;
    for (int l = 1; l <= kLayerCount; ++l) {
      t.Integer(
           JoinName(l, true), [l](const TJointLayers& j) { return j.XControlledBy(l); },
           [l](TJointLayers& j, int d) { j.SetXControlledByAsStored(l, d); })
          .Range(1, kLayerCount);
      t.Integer(
           JoinName(l, false), [l](const TJointLayers& j) { return j.YControlledBy(l); },
           [l](TJointLayers& j, int d) { j.SetYControlledByAsStored(l, d); })
          .Range(1, kLayerCount);
    }
    return t;
  }();
  return table;
}

const TStoredTable& GrafonStoredTable() {
  using C = TGrafon;
  static const TStoredTable table =
      TStoredTableOf<C>()
          .String("Name", &C::Name, &C::SetName)
          .Integer("AllocSize", &C::AllocSize, &C::SetAllocSize)
          .Range(1, 1000000)
          .Boolean("AutoRedraw", &C::AutoRedraw, &C::SetAutoRedraw)
          .Integer("MarginLeft", &C::MarginLeft, &C::SetMarginLeft)
          .Default(50)
          // No defaults for these three: a new chart has 20, 20, 40, not the 10, 16, 32 its
          // construction starts from, so leaving them out at 10, 16, 32 would read back wrong.
          .Integer("MarginRight", &C::MarginRight, &C::SetMarginRight)
          .Integer("MarginTop", &C::MarginTop, &C::SetMarginTop)
          .Integer("MarginBottom", &C::MarginBottom, &C::SetMarginBottom)
          .Integer("LRim", &C::LRim, &C::SetLRim)
          .NotWritten()
          .Integer("RRim", &C::RRim, &C::SetRRim)
          .NotWritten()
          .Integer("TRim", &C::TRim, &C::SetTRim)
          .NotWritten()
          .Integer("BRim", &C::BRim, &C::SetBRim)
          .NotWritten()
          .Integer("ShadowWidth", &C::ShadowWidth, &C::SetShadowWidth)
          .Default(0)
          .Integer("Left", &C::Left, &C::SetLeft)
          .Integer("Top", &C::Top, &C::SetTop)
          .Integer("Width", &C::Width, &C::SetWidth)
          .Range(0, kMaxBitmapSide)
          .Integer("Height", &C::Height, &C::SetHeight)
          .Range(0, kMaxBitmapSide)
          .Boolean("AvoidDuplicateMarks", &C::AvoidDuplicateMarks, &C::SetAvoidDuplicateMarks)
          .Integer("MinDupMarkDist", &C::MinDupMarkDist, &C::SetMinDupMarkDist)
          .Object(
              "BackGroundImg", [](C& c) -> TBakGndImg& { return c.BackGroundImg(); }, BakGndImgStoredTable())
          .Integer("ClassDefault", &C::ClassDefault, &C::SetClassDefault)
          .Range(0, 254)
          .Enum("GridStyle", &C::GridStyle, &C::SetGridStyle)
          .Double("GridDx", &C::GridDx, &C::SetGridDx)
          .Accepting(IsGridStep, "a grid step is a finite number of at least -3")
          .Double("GridDy", &C::GridDy, &C::SetGridDy)
          .Accepting(IsGridStep, "a grid step is a finite number of at least -3")
          .Boolean("Isometric", &C::Isometric, &C::SetIsometric)
          .Color("DataColor", &C::DataColor, &C::SetDataColor)
          .Default(TColor{0})
          .Enum("PenStyle", &C::PenStyle, &C::SetPenStyle)
          .Default(psSolid)
          .Color("ChartFrameColor", &C::ChartFrameColor, &C::SetChartFrameColor)
          .Default(TColor{0})
          .Color("FillColor", &C::FillColor, &C::SetFillColor)
          .Default(TColor{0xC0C0C0})
          .Color("TextBkColor", &C::TextBkColor, &C::SetTextBkColor)
          .NotWritten()
          .Color("ChartColor", &C::ChartColor, &C::SetChartColor)
          .Default(TColor{0xFFFFFF})
          .Color("WindColor", &C::WindColor, &C::SetWindColor)
          .Default(clBtnFace)
          .Color("GridColor", &C::GridColor, &C::SetGridColor)
          .Default(TColor{0})
          .Object(
              "JointLayers", [](C& c) -> TJointLayers& { return c.JointLayers(); }, JointLayersStoredTable())
          .Integer("LineWidth", &C::LineWidth, &C::SetLineWidth)
          .Default(1)
          .String("Caption", &C::Caption, &C::SetCaption)
          .Integer("CaptionPosX", &C::CaptionPosX, &C::SetCaptionPosX)
          .Integer("CaptionPosY", &C::CaptionPosY, &C::SetCaptionPosY)
          .Enum("CaptionAlignment", &C::CaptionAlignment, &C::SetCaptionAlignment)
          .Enum("CaptionAnchorHoriz", &C::CaptionAnchorHoriz, &C::SetCaptionAnchorHoriz)
          .Enum("CaptionAnchorVert", &C::CaptionAnchorVert, &C::SetCaptionAnchorVert)
          .Integer("CaptionTrim", &C::CaptionTrim, &C::SetCaptionTrim)
          .Color("MouseTraceColor", &C::MouseTraceColor, &C::SetMouseTraceColor)
          .Boolean("MouseTraceInvert", &C::MouseTraceInvert, &C::SetMouseTraceInvert)
          .Object(
              "CrossHair1", [](C& c) -> TCrossHair& { return c.CrossHair1(); }, CrossHairStoredTable())
          .Object(
              "CrossHair2", [](C& c) -> TCrossHair& { return c.CrossHair2(); }, CrossHairStoredTable())
          .Object(
              "CrossHair3", [](C& c) -> TCrossHair& { return c.CrossHair3(); }, CrossHairStoredTable())
          .Object(
              "CrossHair4", [](C& c) -> TCrossHair& { return c.CrossHair4(); }, CrossHairStoredTable())
          .With(AddTextLabels)
          .Enum("MouseAction", &C::MouseAction, &C::SetMouseAction)
          .Boolean("MouseCursorFixed", &C::MouseCursorFixed, &C::SetMouseCursorFixed)
          .Double("PanGridDx", &C::PanGridDx, &C::SetPanGridDx)
          .Accepting(IsFinite, "a finite number")
          .Double("PanGridDy", &C::PanGridDy, &C::SetPanGridDy)
          .Accepting(IsFinite, "a finite number")
          .Double("PanGridOffsX", &C::PanGridOffsX, &C::SetPanGridOffsX)
          .Accepting(IsFinite, "a finite number")
          .Double("PanGridOffsY", &C::PanGridOffsY, &C::SetPanGridOffsY)
          .Accepting(IsFinite, "a finite number")
          .With(AddAxisObjects)
          .Enum("StandardLayout", &C::StandardLayout, &C::SetStandardLayout)
          .NotWritten()
          .Enum("ShadowStyle", &C::ShadowStyle, &C::SetShadowStyle)
          .Color("ShadowColor", &C::ShadowColor, &C::SetShadowColor)
          .Color("ShadowBakColor", &C::ShadowBakColor, &C::SetShadowBakColor)
          .Object(
              "TextFont", [](C& c) -> TFont& { return c.TextFont(); }, FontStoredTable())
          .Set("TextFontStyle", &C::TextFontStyle, &C::SetTextFontStyle)
          .NotWritten()
          .Enum("TextBkStyle", &C::TextBkStyle, &C::SetTextBkStyle)
          .Enum("TextAlignment", &C::TextAlignment, &C::SetTextAlignment)
          .Object(
              "Font", [](C& c) -> TFont& { return c.Font(); }, FontStoredTable())
          .Boolean("Visible", &C::Visible, &C::SetVisible)
          .Boolean("ShowHint", &C::ShowHint, &C::SetShowHint)
          .Include(ControlStoredTable());
  return table;
}

std::string WriteGrafonForm(const TGrafon& chart) { return WriteStoredForm(chart, GrafonStoredTable()); }

void SaveGrafonFormToFile(const TGrafon& chart, const std::string& path) {
  ReplaceFile(path, "stored form", WriteGrafonForm(chart));
}

void ReadGrafonForm(TGrafon& chart, std::string_view json) {
  // A text that does not fit the tables is refused before anything is built.
  const TStoredPlaces places = StoredFormPlaces(json, GrafonStoredTable());
  TrialRead(chart, json, places);
  ReadIntoChart(chart, json);
}

}  // namespace nox

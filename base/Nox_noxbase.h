#pragma once
// The library's shared vocabulary: the enumerations used by the chart, the axis control and their
// property objects, the shared event types, the library's exception class, and three small property
// objects: the cross-hair settings TCrossHair, the text-label settings TCustomTextLabel and the
// date/time label format TDTLabel. They hold settings and call OnChange after every change; the
// drawing and mouse logic that uses them lives with the chart and the scale.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/color.h"
#include "platform/font.h"
#include "platform/object.h"
#include "platform/pen.h"
#include "platform/ui_types.h"

namespace nox {

// Enumerations; stored forms use these identifiers. Each has a count for tables and range checks.
enum TBkgFill : std::uint8_t { bfSimple, bfStretch, bfTile };
enum TColorScheme : std::uint8_t { csBWG, csSystem };
enum TFigType : std::uint8_t { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };
enum TScaleType : std::uint8_t { sctXB, sctXT, sctYL, sctYR };
enum TVerticalAlignment : std::uint8_t { vaTop, vaCenter, vaBottom };
enum TYearLength : std::uint8_t { ylNone, ylYY, ylYYYY };
enum TDateOrder : std::uint8_t { doMMDDYY, doDDMMYY, doYYMMDD };
enum TDateForTime : std::uint8_t { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };
enum TShadowStyle : std::uint8_t { ssFlying, ssBox };
enum TFrameStyle : std::uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
enum TTimeFormat : std::uint8_t { tfHHMMSS, tfHHhMM, tfAMPM };
enum TCrossHMode : std::uint8_t { chOff, chHoriz, chVert, chBoth, chCrossBox, chBox };
enum TTxtLblAttachMode : std::uint8_t { tlamNone, tlamXOnly, tlamYOnly, tlamBoth };
enum TTxtLblMode : std::uint8_t { tlOff, tlsimple, tlBox, tlUnderline, tlShadow };
enum TMouseActMode : std::uint8_t {
  maNone,
  maPan,
  maPanHoriz,
  maPanVert,
  maPanGrid,
  maRubberBand,
  maZoom,
  maZoomWind,
  maZoomWindPos,
  maZoomDrag,
  maDragCrossH,
  maDragLabel,
  maRotate,
  maRotAndZoom,
  maRotXOnly,
  maRotZOnly,
  maSelectRect,
  maDrawMTrace,
  maZoomPanColors
};

constexpr int kBkgFillCount = bfTile + 1;
constexpr int kColorSchemeCount = csSystem + 1;
constexpr int kFigTypeCount = ftUserText + 1;
constexpr int kScaleTypeCount = sctYR + 1;
constexpr int kVerticalAlignmentCount = vaBottom + 1;
constexpr int kYearLengthCount = ylYYYY + 1;
constexpr int kDateOrderCount = doYYMMDD + 1;
constexpr int kDateForTimeCount = dtAllTicks + 1;
constexpr int kShadowStyleCount = ssBox + 1;
constexpr int kFrameStyleCount = fsEngraved + 1;
constexpr int kTimeFormatCount = tfAMPM + 1;
constexpr int kCrossHModeCount = chBox + 1;
constexpr int kTxtLblAttachModeCount = tlamBoth + 1;
constexpr int kTxtLblModeCount = tlShadow + 1;
constexpr int kMouseActModeCount = maZoomPanColors + 1;
static_assert(kMouseActModeCount == 19);

// Shared event types.
using TZoomPanEvent = std::function<void(TObject* Sender)>;
using TSelectRectEvent =
    std::function<void(TObject* Sender, int Layer, double LoX, double LoY, double HiX, double HiY)>;

// Every error the library raises; the chart's ENoxGrafonError derives from it.
class ENoxError : public Exception {
 public:
  using Exception::Exception;
};

// Exchanges two values.
inline void SwapDouble(double& a, double& b) {
  const double t = a;
  a = b;
  b = t;
}

// A cross hair: a horizontal and/or vertical line through a world point of one layer.
// A new object has every field zero (chOff, psSolid, width 0, layer 0). Every setter stores and then
// calls OnChange (Sender = the cross hair), even when the value is unchanged.
class TCrossHair : public TPersistent {
 public:
  std::string_view ClassName() const override { return "TCrossHair"; }

  double PosX() const { return m_posX; }
  void SetPosX(double value);
  double PosY() const { return m_posY; }
  void SetPosY(double value);
  TColor Color() const { return m_color; }
  void SetColor(TColor value);
  TCrossHMode Mode() const { return m_mode; }
  void SetMode(TCrossHMode value);
  TPenStyle LineType() const { return m_lineType; }
  void SetLineType(TPenStyle value);
  int LineWid() const { return m_lineWid; }
  void SetLineWid(int value);
  // Values below 1 store 1, above 16 store 16.
  int Layer() const { return m_layer; }
  void SetLayer(int value);

  // From a TCrossHair (or a derived object): copies every field and the OnChange handler, without
  // notifying. Any other source raises EConvertError.
  void Assign(const TPersistent& Source) override;
  // Dest takes the values through its Assign when this object is an instance of Dest's class;
  // otherwise EConvertError.
  void AssignTo(TPersistent& Dest) const override;

  TNotifyEvent OnChange;

 private:
  void Changed();

  double m_posX = 0;               // world x of the vertical line
  double m_posY = 0;               // world y of the horizontal line
  TColor m_color = clBlack;        // line colour
  TCrossHMode m_mode = chOff;      // which lines show
  TPenStyle m_lineType = psSolid;  // pen style of the lines
  int m_lineWid = 0;               // pen width, pixels
  int m_layer = 0;                 // layer whose mapping places the cross hair
};

// Settings of one text label. The chart publishes them as TTextLabel. Every setter stores and then
// calls OnChange (Sender = the label), except as noted.
class TCustomTextLabel : public TPersistent {
 public:
  TCustomTextLabel();
  std::string_view ClassName() const override { return "TCustomTextLabel"; }

  double PosX() const { return m_posX; }
  void SetPosX(double value);
  double PosY() const { return m_posY; }
  void SetPosY(double value);
  // A value outside 1..16 is ignored (nothing stored, no notification).
  int Layer() const { return m_layer; }
  void SetLayer(int value);
  int ShadowDx() const { return m_shadowDx; }
  void SetShadowDx(int value);
  int ShadowDy() const { return m_shadowDy; }
  void SetShadowDy(int value);
  TColor ColorShadow() const { return m_colorShadow; }
  void SetColorShadow(TColor value);
  TAlignment Alignment() const { return m_alignment; }
  void SetAlignment(TAlignment value);
  TVerticalAlignment VerticalAlignment() const { return m_verticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment value);
  TTxtLblAttachMode AttachToData() const { return m_attachToData; }
  void SetAttachToData(TTxtLblAttachMode value);
  TColor ColorBkg() const { return m_colorBkg; }
  void SetColorBkg(TColor value);
  TColor ColorBorder() const { return m_colorBorder; }
  void SetColorBorder(TColor value);
  bool Transparent() const { return m_transparent; }
  void SetTransparent(bool value);
  // The label owns its font; setting it copies the attributes in and notifies. Changing the font
  // through Font() does not notify the label.
  TFont& Font() { return m_font; }
  const TFont& Font() const { return m_font; }
  void SetFont(const TFont& value);
  // Characters below 32 other than the line feed are stored as spaces.
  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& value);
  TTxtLblMode Mode() const { return m_mode; }
  void SetMode(TTxtLblMode value);
  bool Visible() const { return m_visible; }
  void SetVisible(bool value);

  // From a TCustomTextLabel (or a derived object): copies every field (font attributes, caption text)
  // and OnChange, without notifying. Any other source raises EConvertError.
  void Assign(const TPersistent& Source) override;
  // As TCrossHair::AssignTo.
  void AssignTo(TPersistent& Dest) const override;

  TNotifyEvent OnChange;

 private:
  void Changed();

  double m_posX = 100.0;                              // anchor x: pixels or world x, by AttachToData
  double m_posY = 10.0;                               // anchor y: pixels or world y, by AttachToData
  int m_layer = 1;                                    // layer whose mapping converts world coordinates
  int m_shadowDx = 0;                                 // shadow offset in x, pixels
  int m_shadowDy = 0;                                 // shadow offset in y, pixels
  TColor m_colorShadow = 0x808080;                    // shadow colour
  TAlignment m_alignment = taCenter;                  // horizontal placement relative to the anchor
  TVerticalAlignment m_verticalAlignment = vaBottom;  // vertical placement relative to the anchor
  TTxtLblAttachMode m_attachToData = tlamNone;        // which coordinates are world coordinates
  TColor m_colorBkg = 0xC0C0C0;                       // background colour
  TColor m_colorBorder = 0;                           // border colour
  bool m_transparent = false;                         // no background fill
  TFont m_font;                                       // text font, owned
  std::string m_caption;                              // the text; may contain line feeds
  TTxtLblMode m_mode = tlsimple;                      // tlOff hides the label
  bool m_visible = true;                              // shown or not
};

// The format of date/time labels. A new object has every field zero; scales and scale property
// objects give it their defaults (TimeFormat tfHHMMSS, "-", ":", ylYYYY, month names, doDDMMYY,
// dtOnePerDay) through SetScaleDefaults.
class TDTLabel : public TPersistent {
 public:
  // Clears OnChange first, so that nothing is told about an object that is going away.
  ~TDTLabel() override;
  std::string_view ClassName() const override { return "TDTLabel"; }

  // The defaults a scale or scale property object gives its own format object (no notification).
  void SetScaleDefaults();

  TTimeFormat TimeFormat() const { return m_timeFormat; }
  void SetTimeFormat(TTimeFormat value);  // always stores and notifies
  char DateSeparator() const { return m_dateSeparator; }
  void SetDateSeparator(char value);  // stores and notifies only on a change (as the next four)
  char TimeSeparator() const { return m_timeSeparator; }
  void SetTimeSeparator(char value);
  TYearLength YearLength() const { return m_yearLength; }
  void SetYearLength(TYearLength value);
  bool MonthName() const { return m_monthName; }
  void SetMonthName(bool value);
  TDateOrder DateOrder() const { return m_dateOrder; }
  void SetDateOrder(TDateOrder value);  // always stores and notifies
  TDateForTime DateForTime() const { return m_dateForTime; }
  void SetDateForTime(TDateForTime value);

  // From a TDTLabel (or a derived object): copies the seven settings and OnChange, without
  // notifying. Any other source raises EConvertError.
  void Assign(const TPersistent& Source) override;
  // As TCrossHair::AssignTo.
  void AssignTo(TPersistent& Dest) const override;

  TNotifyEvent OnChange;

 private:
  void Changed();

  TTimeFormat m_timeFormat = tfHHMMSS;  // clock style of time labels
  char m_dateSeparator = '\0';          // between day, month and year
  char m_timeSeparator = '\0';          // between hours, minutes and seconds
  TYearLength m_yearLength = ylNone;    // digits of the year
  bool m_monthName = false;             // abbreviated month name instead of its number
  TDateOrder m_dateOrder = doMMDDYY;    // order of the date parts
  TDateForTime m_dateForTime = dtNone;  // where a date line accompanies time labels
};

}  // namespace nox

#pragma once
// The stored form of a chart: TGrafon's published properties as JSON (base/stored_form.h), with the
// chart's property objects nested.
//
// Top level, in this order: Name; AllocSize, AutoRedraw, MarginLeft, MarginRight, MarginTop,
// MarginBottom, ShadowWidth, Left, Top, Width, Height (the chart area's geometry before the size, so
// that the minimum size never clips a stored size); AvoidDuplicateMarks, MinDupMarkDist,
// BackGroundImg {...}, ClassDefault, GridStyle, GridDx, GridDy, Isometric, DataColor, PenStyle,
// ChartFrameColor, FillColor, ChartColor, WindColor, GridColor, JointLayers {...}, LineWidth,
// Caption, CaptionPosX, CaptionPosY, CaptionAlignment, CaptionAnchorHoriz, CaptionAnchorVert,
// CaptionTrim, MouseTraceColor, MouseTraceInvert, CrossHair1..CrossHair4 {...}, MouseAction,
// MouseCursorFixed, PanGridDx, PanGridDy, PanGridOffsX, PanGridOffsY, Scale1X, Scale1Y .. Scale4X,
// Scale4Y {...}, ShadowStyle, ShadowColor, ShadowBakColor, TextFont {...}, TextBkStyle,
// TextAlignment, Font {...}, Visible, ShowHint; then the standard control properties (Align,
// Anchors, Constraints {...}, ParentFont, ParentShowHint, DragCursor, DragKind, DragMode; each left
// out at its default, base/stored_form_tables.h). Layers 5..16 have no published axis objects and
// are not stored; neither are the text labels, UseDataOf and the items.
//
// Declared defaults (left out when equal): MarginLeft 50, DataColor 0, PenStyle psSolid,
// ChartFrameColor 0, FillColor 12632256, ChartColor 16777215, WindColor clBtnFace, GridColor 0,
// LineWidth 1, ShadowWidth 0: the values a new chart has, so a property left out reads back into a
// new chart as it was written. MarginRight, MarginTop and MarginBottom have none: a new chart has 20,
// 20 and 40 (its standard layout's), not the 10, 16 and 32 its construction starts from, so leaving
// them out at those values would lose them; they are always written, like every other property.
// Read but never written: the aliases LRim, RRim, TRim, BRim,
// TextBkColor (= FillColor) and TextFontStyle (= TextFont.Style), and StandardLayout, which applies
// its layout at the point of the text where it stands.
//
// Axis objects (TScalePropsHoriz / TScalePropsVert): Caption, CaptionPosX, CaptionPosY,
// CaptionAlignment, CaptionAnchor, ColorScale, DateFormat {...}, Logarithmic, LabelType, DecPlaces,
// Font {...}, MinTicks, RangeLow, RangeHigh, ShortTicks, ScaleInscript, ScalePos, MinRange,
// MouseAction, UserTickText, Visible, ScaleLocation. Logarithmic comes before the range; DecPlaces
// after LabelType, because ftTime sets DecPlaces to 4 and a stored DecPlaces must win.
// Background (TBakGndImg): IncludePath, Name, FillMode, AreaMode, AreaColor, AreaLeft, AreaRight,
// AreaTop, AreaBottom; IncludePath first, because Name keeps its path only while IncludePath is set.
// Joins (TJointLayers): L01xControlledBy, L01yControlledBy .. L16yControlledBy, each 1..16.

#include <string>
#include <string_view>

#include "base/stored_form.h"
#include "chart/Nox_grafon.h"

namespace nox {

TIdentifiers IdentifiersOf(TgfLayout);
TIdentifiers IdentifiersOf(TCaptionAnchorHoriz);
TIdentifiers IdentifiersOf(TCaptionAnchorVert);
TIdentifiers IdentifiersOf(GridStyleType);
TIdentifiers IdentifiersOf(TTextBkg);
TIdentifiers IdentifiersOf(TBGAreaMode);
TIdentifiers IdentifiersOf(TScaleLocationHoriz);
TIdentifiers IdentifiersOf(TScaleLocationVert);

const TStoredTable& ScalePropsHorizStoredTable();
const TStoredTable& ScalePropsVertStoredTable();
const TStoredTable& BakGndImgStoredTable();
const TStoredTable& JointLayersStoredTable();
const TStoredTable& GrafonStoredTable();

// The chart's stored form (WriteStoredForm's layout).
std::string WriteGrafonForm(const TGrafon& chart);
// Writes it to a file, replacing any old one in one step (platform/file_replace.h): EFileError on
// failure, and the old file stays as it was.
void SaveGrafonFormToFile(const TGrafon& chart, const std::string& path);

// Reads a stored form into chart, as a chart is read when it is created from one: the axis objects'
// loading guards set (so a stored Logarithmic True is taken before its range is read, also by a chart
// that was loaded before), the loading state (no zoom history, no mapping, no painting), the text's
// properties in the order of the text, then Loaded (the guards end, the mapping is computed, the
// chart repaints). A property the text leaves out keeps its value.
//
// A text that cannot be read is refused and leaves the chart as it was:
//   - malformed JSON, an unknown property, a wrong type, an unknown identifier, a value out of range:
//     EStoredFormError "line L, column C: Path.To.Property: reason";
//   - a value a setter refuses (a join that TJointLayers forbids, a size the chart's images cannot
//     take): EStoredFormError at that property, the setter's error nested;
//   - a logarithmic axis that ends with a bound <= 0: ENoxGrafonError "Logarithmic axis must not be
//     negative." (the mapping's own error).
// The last two are found by a trial read into a stand-in chart holding the chart's stored state and
// its layers' axis objects, before the chart itself is touched.
void ReadGrafonForm(TGrafon& chart, std::string_view json);

}  // namespace nox

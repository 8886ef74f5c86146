#pragma once
// The stored form of a chart: TGrafon's published properties as JSON (base/stored_form.h), with the
// chart's property objects nested. A form holds everything needed to show the same chart again:
// write, read into a new chart, write gives the same text, and the chart paints the same pixels.
// Not stored: UseDataOf (a reference to another chart, which a form cannot hold) and the chart's
// data: the items, their class and layer visibility and the pen state of new items.
//
// Top level, in this order: Name; AllocSize (1..1000000), AutoRedraw, MarginLeft, MarginRight,
// MarginTop, MarginBottom, ShadowWidth, Left, Top, Width, Height; AvoidDuplicateMarks,
// MinDupMarkDist, BackGroundImg {...}, ClassDefault (0..254), GridStyle, GridDx, GridDy (finite, at
// least -3), Isometric, DataColor, PenStyle, ChartFrameColor, FillColor, ChartColor, WindColor,
// GridColor, JointLayers {...}, LineWidth, Caption, CaptionPosX, CaptionPosY, CaptionAlignment,
// CaptionAnchorHoriz, CaptionAnchorVert, CaptionTrim, MouseTraceColor, MouseTraceInvert,
// CrossHair1..CrossHair4 {...}, TextLabel1..TextLabel50 {...}, MouseAction, MouseCursorFixed,
// PanGridDx, PanGridDy, PanGridOffsX, PanGridOffsY (finite), Scale1X, Scale1Y .. Scale16X,
// Scale16Y {...}, ShadowStyle, ShadowColor, ShadowBakColor, TextFont {...}, TextBkStyle,
// TextAlignment, Font {...}, Visible, ShowHint; then the standard control properties (Align,
// Anchors, Constraints {...}, ParentFont, ParentShowHint, DragCursor, DragKind, DragMode; each left
// out at its default, base/stored_form_tables.h).
//
// Declared defaults (left out when equal): MarginLeft 50, DataColor 0, PenStyle psSolid,
// ChartFrameColor 0, FillColor 12632256, ChartColor 16777215, WindColor clBtnFace, GridColor 0,
// LineWidth 1, ShadowWidth 0: the values a new chart has, so a property left out reads back into a
// new chart as it was written. MarginRight, MarginTop and MarginBottom have none: a new chart has 20,
// 20 and 40 (its standard layout's), not the 10, 16 and 32 its construction starts from, so leaving
// them out at those values would lose them; they are always written, like every other property.
// The text labels declare a new chart's label as their defaults: only what differs is written, and
// a label left as it was is not written at all. Every axis object is written in full, so that the
// form gives every range (see Loaded below).
// Read but never written: the aliases LRim, RRim, TRim, BRim,
// TextBkColor (= FillColor) and TextFontStyle (= TextFont.Style), and StandardLayout, which applies
// its layout at the point of the text where it stands.
//
// Axis objects (TScalePropsHoriz / TScalePropsVert): Caption, CaptionPosX, CaptionPosY,
// CaptionAlignment, CaptionAnchor, ColorScale, DateFormat {...}, Logarithmic, LabelType, DecPlaces,
// Font {...}, MinTicks, RangeLow, RangeHigh (finite), ShortTicks, ScaleInscript, ScalePos,
// MinRange (finite, above 1e-100), MouseAction, UserTickText, Visible, ScaleLocation.
// Background (TBakGndImg): IncludePath, Name, FillMode, AreaMode, AreaColor, AreaLeft, AreaRight,
// AreaTop, AreaBottom; IncludePath first, because Name keeps its path only while IncludePath is set.
// Joins (TJointLayers): L01xControlledBy, L01yControlledBy .. L16yControlledBy, each 1..16.
// Text labels (TTextLabel) and cross hairs: as base/stored_form_tables.h lists.
//
// Reading takes the form as one state: the ranges, MinRange, the label type, the joins and the
// control's size as written, without the setters' repairs (MinRange widening, the label type's
// effect on Logarithmic and DecPlaces, a join's range change, the minimum size) and without the
// reactions to them while loading (isometric re-fitting, joined layers following). Loaded then
// lets a joined axis the text gives no range for take its controller's range, as a new join does.

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
// loading guards set (so a stored Logarithmic True is taken whatever the range at that point, also
// by a chart that was loaded before), the loading state (no zoom history, no mapping, no painting),
// the text's properties in the order of the text, then Loaded (the guards end, joined axes without
// a stored range follow, the mapping is computed, the chart repaints). A property the text leaves
// out keeps its value.
//
// A text that cannot be read is refused and leaves the chart as it was:
//   - malformed JSON, an unknown property, a wrong type, an unknown identifier, a value out of range
//     or one the property does not accept (a range bound that is NaN or infinite, AllocSize 0):
//     EStoredFormError "line L, column C: Path.To.Property: reason";
//   - a value a setter refuses (a size the chart's images cannot take): EStoredFormError at that
//     property, the setter's error nested;
//   - a state the whole text leaves that the chart cannot hold: joins more than one level deep
//     (EStoredFormError at the join of the layer in the middle, TJointLayers' error nested), a range
//     wider than a Double holds (at its RangeHigh, or RangeLow when the text gives only that);
//   - a logarithmic axis that ends with a bound <= 0: ENoxGrafonError "Logarithmic axis must not be
//     negative." (the mapping's own error).
// The last three are found by a trial read into a stand-in chart holding the chart's stored state
// and its layers' axis objects, before the chart itself is touched.
void ReadGrafonForm(TGrafon& chart, std::string_view json);

}  // namespace nox

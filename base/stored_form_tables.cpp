#include "base/stored_form_tables.h"

#include "base/stored_form_identifiers.h"

namespace nox {

const TStoredTable& FontStoredTable() {
  using C = TFont;
  static const TStoredTable table = TStoredTableOf<C>()
                                        .Color("Color", &C::Color, &C::SetColor)
                                        .Integer("Height", &C::Height, &C::SetHeight)
                                        .String("Name", &C::Name, &C::SetName)
                                        .Set("Style", &C::Style, &C::SetStyle);
  return table;
}

const TStoredTable& CrossHairStoredTable() {
  using C = TCrossHair;
  static const TStoredTable table = TStoredTableOf<C>()
                                        .Double("PosX", &C::PosX, &C::SetPosX)
                                        .Double("PosY", &C::PosY, &C::SetPosY)
                                        .Color("Color", &C::Color, &C::SetColor)
                                        .Enum("Mode", &C::Mode, &C::SetMode)
                                        .Enum("LineType", &C::LineType, &C::SetLineType)
                                        .Integer("LineWid", &C::LineWid, &C::SetLineWid)
                                        .Integer("Layer", &C::Layer, &C::SetLayer);
  return table;
}

const TStoredTable& TextLabelStoredTable() {
  using C = TCustomTextLabel;
  static const TStoredTable table =
      TStoredTableOf<C>()
          .Double("PosX", &C::PosX, &C::SetPosX)
          .Double("PosY", &C::PosY, &C::SetPosY)
          .Integer("Layer", &C::Layer, &C::SetLayer)
          .Integer("ShadowDx", &C::ShadowDx, &C::SetShadowDx)
          .Integer("ShadowDy", &C::ShadowDy, &C::SetShadowDy)
          .Color("ColorShadow", &C::ColorShadow, &C::SetColorShadow)
          .Enum("Alignment", &C::Alignment, &C::SetAlignment)
          .Enum("VerticalAlignment", &C::VerticalAlignment, &C::SetVerticalAlignment)
          .Enum("AttachToData", &C::AttachToData, &C::SetAttachToData)
          .Color("ColorBkg", &C::ColorBkg, &C::SetColorBkg)
          .Color("ColorBorder", &C::ColorBorder, &C::SetColorBorder)
          .Boolean("Transparent", &C::Transparent, &C::SetTransparent)
          .Object("Font", &C::Font, FontStoredTable())
          .String("Caption", &C::Caption, &C::SetCaption)
          .Enum("Mode", &C::Mode, &C::SetMode)
          .Boolean("Visible", &C::Visible, &C::SetVisible);
  return table;
}

const TStoredTable& DTLabelStoredTable() {
  using C = TDTLabel;
  static const TStoredTable table = TStoredTableOf<C>()
                                        .Enum("TimeFormat", &C::TimeFormat, &C::SetTimeFormat)
                                        .Char("DateSeparator", &C::DateSeparator, &C::SetDateSeparator)
                                        .Char("TimeSeparator", &C::TimeSeparator, &C::SetTimeSeparator)
                                        .Enum("YearLength", &C::YearLength, &C::SetYearLength)
                                        .Boolean("MonthName", &C::MonthName, &C::SetMonthName)
                                        .Enum("DateOrder", &C::DateOrder, &C::SetDateOrder)
                                        .Enum("DateForTime", &C::DateForTime, &C::SetDateForTime);
  return table;
}

const TStoredTable& SizeConstraintsStoredTable() {
  using C = TSizeConstraints;
  static const TStoredTable table = TStoredTableOf<C>()
                                        .Integer("MinWidth", &C::MinWidth, &C::SetMinWidth)
                                        .Default(0)
                                        .Integer("MinHeight", &C::MinHeight, &C::SetMinHeight)
                                        .Default(0)
                                        .Integer("MaxWidth", &C::MaxWidth, &C::SetMaxWidth)
                                        .Default(0)
                                        .Integer("MaxHeight", &C::MaxHeight, &C::SetMaxHeight)
                                        .Default(0);
  return table;
}

const TStoredTableOf<TControl>& ControlStoredTable() {
  using C = TControl;
  static const TStoredTableOf<C> table =
      TStoredTableOf<C>()
          .Enum("Align", &C::Align, &C::SetAlign)
          .Default(alNone)
          .Set("Anchors", &C::Anchors, &C::SetAnchors)
          .Default(TAnchors{akLeft, akTop})
          .Object("Constraints", &C::Constraints, SizeConstraintsStoredTable())
          .Boolean("ParentFont", &C::ParentFont, &C::SetParentFont)
          .Default(false)
          .Boolean("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint)
          .Default(false)
          .Integer("DragCursor", &C::DragCursor, &C::SetDragCursor)
          .Default(crDrag)
          .Enum("DragKind", &C::DragKind, &C::SetDragKind)
          .Default(dkDrag)
          .Enum("DragMode", &C::DragMode, &C::SetDragMode)
          .Default(dmManual);
  return table;
}

}  // namespace nox

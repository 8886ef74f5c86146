#include "base/stored_form_tables.h"

#include <gtest/gtest.h>

#include "base/Nox_noxbase.h"

namespace nox {
namespace {

TEST(StoredFormTables, DateFormatCreatedOnItsOwnWritesItsZeroSeparators) {
  TDTLabel d;
  EXPECT_EQ(WriteStoredForm(d, DTLabelStoredTable()),
            "{\n"
            "  \"TimeFormat\": \"tfHHMMSS\",\n"
            "  \"DateSeparator\": \"\\u0000\",\n"
            "  \"TimeSeparator\": \"\\u0000\",\n"
            "  \"YearLength\": \"ylNone\",\n"
            "  \"MonthName\": false,\n"
            "  \"DateOrder\": \"doMMDDYY\",\n"
            "  \"DateForTime\": \"dtNone\"\n"
            "}\n");
}

TEST(StoredFormTables, DateFormatRoundTrip) {
  TDTLabel source;
  source.SetScaleDefaults();
  source.SetTimeFormat(tfAMPM);
  source.SetDateSeparator('/');
  const std::string form = WriteStoredForm(source, DTLabelStoredTable());
  TDTLabel copy;
  int changes = 0;
  copy.OnChange = [&changes](TObject*) { ++changes; };
  ReadStoredProperties(copy, form, DTLabelStoredTable());
  EXPECT_EQ(WriteStoredForm(copy, DTLabelStoredTable()), form);
  EXPECT_EQ(copy.TimeFormat(), tfAMPM);
  EXPECT_EQ(copy.DateSeparator(), '/');
  EXPECT_EQ(copy.TimeSeparator(), ':');
  EXPECT_EQ(copy.YearLength(), ylYYYY);
  EXPECT_TRUE(copy.MonthName());
  EXPECT_EQ(copy.DateOrder(), doDDMMYY);
  EXPECT_EQ(copy.DateForTime(), dtOnePerDay);
  EXPECT_EQ(changes, 7);  // every setting differs from a fresh object's, and two setters always notify
}

TEST(StoredFormTables, CrossHairIsWrittenInFieldOrderAndReadThroughItsSetters) {
  TCrossHair c;
  c.SetPosX(2.5);
  c.SetColor(clRed);
  c.SetMode(chBoth);
  c.SetLineType(psDashDotDot);
  c.SetLineWid(1);
  c.SetLayer(3);
  EXPECT_EQ(WriteStoredForm(c, CrossHairStoredTable()),
            "{\n"
            "  \"PosX\": 2.5,\n"
            "  \"PosY\": 0,\n"
            "  \"Color\": 255,\n"
            "  \"Mode\": \"chBoth\",\n"
            "  \"LineType\": \"psDashDotDot\",\n"
            "  \"LineWid\": 1,\n"
            "  \"Layer\": 3\n"
            "}\n");
  // The setter's own repair applies to stored values.
  ReadStoredProperties(c, R"({"Layer": 0, "Mode": "chCrossBox"})", CrossHairStoredTable());
  EXPECT_EQ(c.Layer(), 1);
  EXPECT_EQ(c.Mode(), chCrossBox);
}

TEST(StoredFormTables, TextLabelRoundTripIncludingItsFont) {
  TCustomTextLabel source;
  source.SetAttachToData(tlamXOnly);
  source.SetAlignment(taRightJustify);
  source.SetVerticalAlignment(vaTop);
  source.SetCaption("two\nlines");
  source.SetMode(tlUnderline);
  source.Font().SetName("Liberation Sans");
  source.Font().SetStyle({fsBold, fsUnderline});
  source.Font().SetColor(clNavy);
  const std::string form = WriteStoredForm(source, TextLabelStoredTable());
  EXPECT_NE(form.find("  \"Font\": {\n"), std::string::npos);
  EXPECT_NE(form.find("    \"Style\": [\"fsBold\", \"fsUnderline\"]\n"), std::string::npos);

  TCustomTextLabel copy;
  ReadStoredProperties(copy, form, TextLabelStoredTable());
  EXPECT_EQ(WriteStoredForm(copy, TextLabelStoredTable()), form);
  EXPECT_EQ(copy.Font().Name(), "Liberation Sans");
  EXPECT_EQ(copy.Font().Color(), clNavy);
  EXPECT_EQ(copy.Caption(), "two\nlines");
  EXPECT_EQ(copy.AttachToData(), tlamXOnly);
  EXPECT_EQ(copy.Mode(), tlUnderline);
}

TEST(StoredFormTables, TextLabelLayerOutsideTheRangeIsIgnoredByTheSetter) {
  TCustomTextLabel l;
  l.SetLayer(4);
  ReadStoredProperties(l, R"({"Layer": 17, "Caption": "a\tb"})", TextLabelStoredTable());
  EXPECT_EQ(l.Layer(), 4);
  EXPECT_EQ(l.Caption(), "a b");
}

// The standard control properties: left out at their defaults, and what is written reads back.
TEST(StoredFormTables, ControlPropertiesRoundTripAndLeaveOutDefaults) {
  TControl fresh(nullptr);
  EXPECT_EQ(WriteStoredForm(fresh, ControlStoredTable()), "{}\n");
  TControl source(nullptr);
  source.SetBounds(0, 0, 300, 100);
  source.SetAlign(alBottom);
  source.SetAnchors({akRight, akBottom});
  source.Constraints().SetMinHeight(40);
  source.Constraints().SetMaxWidth(200);
  source.SetParentFont(true);
  source.SetParentShowHint(true);
  source.SetDragCursor(crHandPoint);
  source.SetDragKind(dkDock);
  source.SetDragMode(dmAutomatic);
  const std::string form = WriteStoredForm(source, ControlStoredTable());
  EXPECT_NE(form.find("\"Anchors\": [\"akRight\", \"akBottom\"]"), std::string::npos) << form;
  EXPECT_EQ(form.find("MinWidth"), std::string::npos) << form;
  TControl copy(nullptr);
  ReadStoredForm(copy, form, ControlStoredTable());
  EXPECT_EQ(WriteStoredForm(copy, ControlStoredTable()), form);
  EXPECT_EQ(copy.Align(), alBottom);
  EXPECT_EQ(copy.Constraints().MaxWidth(), 200);
  EXPECT_EQ(copy.DragMode(), dmAutomatic);
}

}  // namespace
}  // namespace nox

#include "base/stored_form.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "base/stored_form_identifiers.h"
#include "base/stored_form_tables.h"

namespace nox {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

enum TTestMood : std::uint8_t { tmCalm, tmBusy, tmAngry };
constexpr std::array kMoodNames = {"tmCalm"sv, "tmBusy"sv, "tmAngry"sv};
TIdentifiers IdentifiersOf(TTestMood) { return kMoodNames; }

// Every setter records its name and whether the owner was loading at that moment.
struct TSetterLog {
  std::vector<std::string> calls;
  void Record(const std::string& name, const TComponent* owner) {
    calls.push_back(owner != nullptr && owner->IsLoading() ? name + "(loading)" : name);
  }
};

// A property object nested in the sample component, with a font nested in it.
class TPart : public TPersistent {
 public:
  std::string_view ClassName() const override { return "TPart"; }
  int Count() const { return m_count; }
  void SetCount(int v) {
    m_count = v;
    if (log) log->Record("Part.Count", owner);
  }
  TTestMood Mood() const { return m_mood; }
  void SetMood(TTestMood v) {
    m_mood = v;
    if (log) log->Record("Part.Mood", owner);
  }
  TFont& Font() { return m_font; }

  TSetterLog* log = nullptr;
  const TComponent* owner = nullptr;

 private:
  int m_count = 0;
  TTestMood m_mood = tmCalm;
  TFont m_font;
};

const TStoredTable& PartTable() {
  static const TStoredTable table = TStoredTableOf<TPart>()
                                        .Integer("Count", &TPart::Count, &TPart::SetCount)
                                        .Default(0)
                                        .Enum("Mood", &TPart::Mood, &TPart::SetMood)
                                        .Default(tmCalm)
                                        .Object("Font", &TPart::Font, FontStoredTable());
  return table;
}

// A component with a property of every kind. Declared defaults match the constructor's values, except
// Text, which has none and so is always written.
class TSample : public TComponent {
 public:
  TSample() : TComponent(nullptr) {
    m_part.log = &log;
    m_part.owner = this;
  }
  std::string_view ClassName() const override { return "TSample"; }

  bool Flag() const { return m_flag; }
  void SetFlag(bool v) { Set(m_flag, v, "Flag"); }
  int Count() const { return m_count; }
  void SetCount(int v) {
    if (v == 13) throw ENoxError("thirteen is refused");
    Set(m_count, v, "Count");
  }
  std::uint8_t Small() const { return m_small; }
  void SetSmall(std::uint8_t v) { Set(m_small, v, "Small"); }
  int Percent() const { return m_percent; }
  void SetPercent(int v) { Set(m_percent, v, "Percent"); }
  double Value() const { return m_value; }
  void SetValue(double v) { Set(m_value, v, "Value"); }
  const std::string& Text() const { return m_text; }
  void SetText(const std::string& v) { Set(m_text, v, "Text"); }
  char Separator() const { return m_separator; }
  void SetSeparator(char v) { Set(m_separator, v, "Separator"); }
  TColor Color() const { return m_color; }
  void SetColor(TColor v) { Set(m_color, v, "Color"); }
  TTestMood Mood() const { return m_mood; }
  void SetMood(TTestMood v) { Set(m_mood, v, "Mood"); }
  TFontStyles Styles() const { return m_styles; }
  void SetStyles(TFontStyles v) { Set(m_styles, v, "Styles"); }
  TPart& Part() { return m_part; }

  void Loaded() override {
    TComponent::Loaded();
    log.calls.push_back("Loaded");
  }

  TSetterLog log;

 private:
  template <class T>
  void Set(T& field, const T& v, const char* name) {
    field = v;
    log.Record(name, this);
  }

  bool m_flag = false;
  int m_count = 0;
  std::uint8_t m_small = 7;
  int m_percent = 50;
  double m_value = 1.5;
  std::string m_text;
  char m_separator = '-';
  TColor m_color = clBtnFace;
  TTestMood m_mood = tmCalm;
  TFontStyles m_styles;
  TPart m_part;
};

const TStoredTable& SampleTable() {
  using C = TSample;
  static const TStoredTable table = TStoredTableOf<C>()
                                        .Boolean("Flag", &C::Flag, &C::SetFlag)
                                        .Default(false)
                                        .Integer("Count", &C::Count, &C::SetCount)
                                        .Default(0)
                                        .Integer("Small", &C::Small, &C::SetSmall)
                                        .Default(7)
                                        .Integer("Percent", &C::Percent, &C::SetPercent)
                                        .Range(0, 100)
                                        .Default(50)
                                        .Double("Value", &C::Value, &C::SetValue)
                                        .Default(1.5)
                                        .String("Text", &C::Text, &C::SetText)
                                        .Char("Separator", &C::Separator, &C::SetSeparator)
                                        .Default('-')
                                        .Color("Color", &C::Color, &C::SetColor)
                                        .Default(clBtnFace)
                                        .Enum("Mood", &C::Mood, &C::SetMood)
                                        .Default(tmCalm)
                                        .Set("Styles", &C::Styles, &C::SetStyles)
                                        .Default(TFontStyles{})
                                        .Object("Part", &C::Part, PartTable());
  return table;
}

// The message of the refusal of text, or "" when it is accepted.
std::string Refusal(std::string_view text) {
  TSample sample;
  try {
    ReadStoredForm(sample, text, SampleTable());
  } catch (const EStoredFormError& e) {
    return e.what();
  }
  return "";
}

// A TSample with a font whose written form is fixed (the default font's size depends on the host).
void PinFont(TSample& s) {
  s.Part().Font().SetName("Arial");
  s.Part().Font().SetHeight(-13);
  s.Part().Font().SetColor(clBlack);
}

constexpr const char* kPinnedFont =
    "  \"Part\": {\n"
    "    \"Font\": {\n"
    "      \"Color\": 0,\n"
    "      \"Height\": -13,\n"
    "      \"Name\": \"Arial\",\n"
    "      \"Style\": []\n"
    "    }\n"
    "  }\n";

TEST(StoredFormWrite, OmitsDefaultsAndKeepsTheTablesOrder) {
  TSample s;
  PinFont(s);
  EXPECT_EQ(WriteStoredForm(s, SampleTable()), std::string("{\n  \"Text\": \"\",\n") + kPinnedFont + "}\n");
}

TEST(StoredFormWrite, EveryKind) {
  TSample s;
  PinFont(s);
  s.SetFlag(true);
  s.SetCount(-12);
  s.SetSmall(255);
  s.SetPercent(0);
  s.SetValue(0.1);
  s.SetText("say \"hi\"\n\ttab \\ \xc3\xa9\x01");
  s.SetSeparator('\xe9');
  s.SetColor(clRed);
  s.SetMood(tmAngry);
  s.SetStyles({fsStrikeOut, fsBold});
  s.Part().SetCount(3);
  s.Part().SetMood(tmBusy);
  s.Part().Font().SetStyle({fsItalic});
  EXPECT_EQ(WriteStoredForm(s, SampleTable()),
            "{\n"
            "  \"Flag\": true,\n"
            "  \"Count\": -12,\n"
            "  \"Small\": 255,\n"
            "  \"Percent\": 0,\n"
            "  \"Value\": 0.1,\n"
            "  \"Text\": \"say \\\"hi\\\"\\n\\ttab \\\\ \xc3\xa9\\u0001\",\n"
            "  \"Separator\": \"\xc3\xa9\",\n"
            "  \"Color\": 255,\n"
            "  \"Mood\": \"tmAngry\",\n"
            "  \"Styles\": [\"fsBold\", \"fsStrikeOut\"],\n"
            "  \"Part\": {\n"
            "    \"Count\": 3,\n"
            "    \"Mood\": \"tmBusy\",\n"
            "    \"Font\": {\n"
            "      \"Color\": 0,\n"
            "      \"Height\": -13,\n"
            "      \"Name\": \"Arial\",\n"
            "      \"Style\": [\"fsItalic\"]\n"
            "    }\n"
            "  }\n"
            "}\n");
}

TEST(StoredFormWrite, NestedObjectWithNothingToWriteIsOmitted) {
  TPart part;
  part.SetCount(4);
  // A part whose only property equals its default writes nothing, so its object is left out.
  static const TStoredTable inner =
      TStoredTableOf<TPart>().Integer("Count", &TPart::Count, &TPart::SetCount).Default(4);
  static const TStoredTable outer = TStoredTableOf<TPart>()
                                        .Enum("Mood", &TPart::Mood, &TPart::SetMood)
                                        .Object(
                                            "Same", [](TPart& p) -> TPart& { return p; }, inner);
  EXPECT_EQ(WriteStoredForm(part, outer), "{\n  \"Mood\": \"tmCalm\"\n}\n");
  EXPECT_EQ(WriteStoredForm(part, inner), "{}\n");
  part.SetCount(5);
  EXPECT_EQ(WriteStoredForm(part, outer),
            "{\n  \"Mood\": \"tmCalm\",\n  \"Same\": {\n    \"Count\": 5\n  }\n}\n");
}

TEST(StoredFormWrite, DoublesInTheirShortestExactForm) {
  TSample s;
  const std::vector<std::pair<double, std::string>> cases = {
      {0.1, "0.1"},
      {100.0, "100"},
      {-0.0, "-0"},
      {1e300, "1e+300"},
      {5e-324, "5e-324"},
      {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
      {1.0 / 3.0, "0.3333333333333333"},
      {std::nan(""), "\"NaN\""},
      {HUGE_VAL, "\"Infinity\""},
      {-HUGE_VAL, "\"-Infinity\""},
  };
  for (const auto& [value, text] : cases) {
    s.SetValue(value);
    const std::string form = WriteStoredForm(s, SampleTable());
    EXPECT_NE(form.find("\"Value\": " + text + ",\n"), std::string::npos) << form;
  }
}

// The platform draws a byte outside UTF-8 as its Western code page character; the stored text keeps
// that character, so it draws the same after reading.
TEST(StoredFormWrite, StrayBytesAreWrittenAsTheCharactersTheyDraw) {
  TSample s;
  s.SetText(
      "25\xb0"
      "C \x80 \x81 \xe9t\xc3\xa9");
  const std::string form = WriteStoredForm(s, SampleTable());
  EXPECT_NE(form.find("\"Text\": \"25\xc2\xb0"
                      "C \xe2\x82\xac \xef\xbf\xbd \xc3\xa9t\xc3\xa9\",\n"),
            std::string::npos)
      << form;
  TSample copy;
  ReadStoredForm(copy, form, SampleTable());
  EXPECT_EQ(copy.Text(),
            "25\xc2\xb0"
            "C \xe2\x82\xac \xef\xbf\xbd \xc3\xa9t\xc3\xa9");
  EXPECT_EQ(WriteStoredForm(copy, SampleTable()), form);
}

TEST(StoredFormWrite, ValuesWithoutAStoredFormAreRefused) {
  TSample s;
  s.Part().SetMood(static_cast<TTestMood>(9));
  try {
    WriteStoredForm(s, SampleTable());
    FAIL() << "no error";
  } catch (const EStoredFormError& e) {
    EXPECT_STREQ(e.what(), "Part.Mood: value 9 has no identifier");
    EXPECT_EQ(e.Line(), 0);
  }
  s.Part().SetMood(tmCalm);
  s.SetStyles(TFontStyles::FromBits(1u << 6));
  EXPECT_THROW(WriteStoredForm(s, SampleTable()), EStoredFormError);
}

TEST(StoredFormRoundTrip, WriteReadWriteGivesTheSameText) {
  TSample s;
  PinFont(s);
  s.SetFlag(true);
  s.SetCount(std::numeric_limits<int>::min());
  s.SetSmall(0);
  s.SetPercent(100);
  s.SetValue(-1.0 / 7.0);
  s.SetText("line\nfeed, \"quotes\", \xe2\x82\xac, \xf0\x9f\x98\x80, nul \0 end"s);
  s.SetSeparator('\0');
  s.SetColor(0xFFFFFFFFu);
  s.SetMood(tmBusy);
  s.SetStyles({fsBold, fsItalic, fsUnderline, fsStrikeOut});
  s.Part().SetCount(std::numeric_limits<int>::max());
  s.Part().Font().SetStyle({fsUnderline});
  const std::string first = WriteStoredForm(s, SampleTable());

  TSample copy;
  ReadStoredForm(copy, first, SampleTable());
  EXPECT_EQ(WriteStoredForm(copy, SampleTable()), first);
  EXPECT_EQ(copy.Value(), -1.0 / 7.0);
  EXPECT_EQ(copy.Text(), s.Text());
  EXPECT_EQ(copy.Separator(), '\0');
  EXPECT_EQ(copy.Color(), 0xFFFFFFFFu);
  EXPECT_EQ(copy.Part().Font().Name(), "Arial");
}

TEST(StoredFormRoundTrip, SpecialDoublesAndHighBytesReadBackExactly) {
  for (const double value : {5e-324, -0.0, 1e308, std::nan(""), HUGE_VAL, -HUGE_VAL, 0.30000000000000004}) {
    TSample s;
    s.SetValue(value);
    s.SetSeparator('\xff');
    TSample copy;
    ReadStoredForm(copy, WriteStoredForm(s, SampleTable()), SampleTable());
    if (std::isnan(value)) {
      EXPECT_TRUE(std::isnan(copy.Value()));
    } else {
      EXPECT_EQ(copy.Value(), value);
      EXPECT_EQ(std::signbit(copy.Value()), std::signbit(value));
    }
    EXPECT_EQ(copy.Separator(), '\xff');
  }
}

TEST(StoredFormRead, AppliesInTheOrderOfTheTextInsideTheLoadingState) {
  TSample s;
  ReadStoredForm(s,
                 R"({"Mood": "tmBusy", "Part": {"Mood": "tmAngry", "Count": 2}, "Count": 4, "Flag": false})",
                 SampleTable());
  const std::vector<std::string> expected = {"Mood(loading)",  "Part.Mood(loading)", "Part.Count(loading)",
                                             "Count(loading)", "Flag(loading)",      "Loaded"};
  EXPECT_EQ(s.log.calls, expected);
  EXPECT_FALSE(s.IsLoading());
  EXPECT_FALSE(s.ComponentState().Contains(csReading));
  EXPECT_EQ(s.Mood(), tmBusy);
  EXPECT_EQ(s.Part().Mood(), tmAngry);
  EXPECT_EQ(s.Count(), 4);
}

TEST(StoredFormRead, AcceptsTheLenientForms) {
  TSample s;
  ReadStoredForm(
      s,
      "\r\n\t{ \"Value\" : 3 , \"Color\": \"clBtnShadow\", \"Styles\": [\"fsItalic\", \"fsBold\", "
      "\"fsItalic\"], \"Separator\": \"\\u00e9\", \"Text\": \"\\ud83d\\ude00\\/\", \"Part\": {} } \n",
      SampleTable());
  EXPECT_EQ(s.Value(), 3.0);
  EXPECT_EQ(s.Color(), clBtnShadow);
  EXPECT_EQ(s.Styles(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(s.Separator(), '\xe9');
  EXPECT_EQ(s.Text(), "\xf0\x9f\x98\x80/");
  ReadStoredForm(s, R"({"Styles": [], "Color": 4278190080, "Value": -2.5e-3})", SampleTable());
  EXPECT_TRUE(s.Styles().Empty());
  EXPECT_EQ(s.Color(), 0xFF000000u);
  EXPECT_EQ(s.Value(), -0.0025);
}

TEST(StoredFormRead, EmptyObjectAppliesNothingButStillLoads) {
  TSample s;
  ReadStoredForm(s, "{}", SampleTable());
  EXPECT_EQ(s.log.calls, std::vector<std::string>{"Loaded"});
}

TEST(StoredFormRead, RefusalsNameLineColumnAndPath) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "line 1, column 1: expected a JSON object, found the end of the text"},
      {"[1]", "line 1, column 1: expected a JSON object, found an array"},
      {"{} x", "line 1, column 4: unexpected 'x' after the end of the stored form"},
      {"{\"Count\": 1,}", "line 1, column 13: expected a property name (a string), found '}'"},
      {"{\"Count\" 1}", "line 1, column 10: Count: expected ':' after the property name, found a number"},
      {"{\"Count\": 1 \"Flag\": true}", "line 1, column 13: expected ',' or '}', found a string"},
      {"{\"Count\": 1", "line 1, column 12: expected ',' or '}', found the end of the text"},
      {"{\n  \"Part\": {\n    \"Nope\": 1\n  }\n}", "line 3, column 5: Part.Nope: unknown property"},
      {"{\"a b\": 1}", "line 1, column 2: \"a b\": unknown property"},
      {"{\"Count\": 1, \"Count\": 2}", "line 1, column 14: Count: property given twice"},
      {"{\"Count\": \"3\"}", "line 1, column 11: Count: expected an integer, found a string"},
      {"{\"Count\": 1.0}", "line 1, column 11: Count: expected an integer, found \"1.0\""},
      {"{\"Count\": 2147483648}",
       "line 1, column 11: Count: value \"2147483648\" is out of range -2147483648..2147483647"},
      {"{\"Count\": 99999999999999999999}",
       "line 1, column 11: Count: value \"99999999999999999999\" is out of range -2147483648..2147483647"},
      {"{\"Small\": 256}", "line 1, column 11: Small: value \"256\" is out of range 0..255"},
      {"{\"Percent\": -1}", "line 1, column 13: Percent: value \"-1\" is out of range 0..100"},
      {"{\"Flag\": null}", "line 1, column 10: Flag: expected true or false, found null"},
      {"{\"Flag\": 1}", "line 1, column 10: Flag: expected true or false, found a number"},
      {"{\"Flag\": tru}", "line 1, column 10: Flag: expected true or false, found \"tru\""},
      {"{\"Value\": 1e400}", "line 1, column 11: Value: number \"1e400\" is out of the range of Double"},
      {"{\"Value\": -1e-400}", "line 1, column 11: Value: number \"-1e-400\" is out of the range of Double"},
      {"{\"Value\": \"1\"}", "line 1, column 11: Value: expected a number, found the string \"1\""},
      {"{\"Value\": .5}", "line 1, column 11: Value: expected a number, found '.'"},
      {"{\"Value\": 01}", "line 1, column 12: expected ',' or '}', found a number"},
      {"{\"Value\": 1.}", "line 1, column 11: Value: invalid number"},
      {"{\"Text\": 5}", "line 1, column 10: Text: expected a string, found a number"},
      {"{\"Text\": \"abc}", "line 1, column 10: Text: unterminated string"},
      {"{\"Text\": \"a\tb\"}",
       "line 1, column 12: Text: control character in a string (write it as an escape)"},
      {"{\"Text\": \"a\\qb\"}", "line 1, column 12: Text: invalid escape \\'q'"},
      {"{\"Text\": \"\\ude00\"}", "line 1, column 11: Text: \\u escape of a lone low surrogate"},
      {"{\"Text\": \"\\ud83dx\"}",
       "line 1, column 11: Text: \\u escape of a high surrogate without its low half"},
      {"{\"Text\": \"\\u12G4\"}", "line 1, column 15: Text: expected four hexadecimal digits after \\u"},
      {"{\"Text\": \"\xff\"}", "line 1, column 11: Text: invalid UTF-8 in a string"},
      {"{\"Text\": \"\xc0\xaf\"}", "line 1, column 11: Text: invalid UTF-8 in a string"},
      {"{\"Separator\": \"ab\"}",
       "line 1, column 15: Separator: expected a string of one character (code 0..255), found \"ab\""},
      {"{\"Separator\": \"\xe2\x82\xac\"}",
       "line 1, column 15: Separator: expected a string of one character (code 0..255), found "
       "\"\xe2\x82\xac\""},
      {"{\"Separator\": \"\"}",
       "line 1, column 15: Separator: expected a string of one character (code 0..255), found \"\""},
      {"{\"Color\": \"clPink\"}", "line 1, column 11: Color: unknown colour name \"clPink\""},
      {"{\"Color\": -1}", "line 1, column 11: Color: value \"-1\" is out of range 0..4294967295"},
      {"{\"Color\": 4294967296}",
       "line 1, column 11: Color: value \"4294967296\" is out of range 0..4294967295"},
      {"{\"Color\": true}",
       "line 1, column 11: Color: expected a colour (an integer or a colour name), found true"},
      {"{\"Mood\": \"tmSleepy\"}", "line 1, column 10: Mood: unknown identifier \"tmSleepy\""},
      {"{\"Mood\": 1}", "line 1, column 10: Mood: expected an identifier (a string), found a number"},
      {"{\"Styles\": \"fsBold\"}",
       "line 1, column 12: Styles: expected an array of identifiers, found a string"},
      {"{\"Styles\": [\"fsBold\", ]}",
       "line 1, column 23: Styles: expected an identifier (a string), found ']'"},
      {"{\"Styles\": [\"fsBold\" \"fsItalic\"]}",
       "line 1, column 22: Styles: expected ',' or ']', found a string"},
      {"{\n  \"Part\": {\n    \"Font\": {\n      \"Style\": [\"fsBold\", \"fsBlink\"]\n    }\n  }\n}",
       "line 4, column 27: Part.Font.Style: unknown identifier \"fsBlink\""},
      {"{\"Part\": 3}", "line 1, column 10: Part: expected an object, found a number"},
      {"{\"Part\": {\"Count\": 1}, \"Part\": {}}", "line 1, column 24: Part: property given twice"},
      {"{\"Part\": {\"Count\": 1,}}",
       "line 1, column 22: Part: expected a property name (a string), found '}'"},
  };
  for (const auto& [text, message] : cases) EXPECT_EQ(Refusal(text), message) << text;
}

TEST(StoredFormRead, ColumnsCountCharactersNotBytes) {
  EXPECT_EQ(Refusal("{\"Text\": \"\xc3\xa9\xe2\x82\xac\", \"Nope\": 1}"),
            "line 1, column 16: Nope: unknown property");
  EXPECT_EQ(Refusal("{\r\n\"Text\": \"\",\r\n  \"Nope\": 1}"), "line 3, column 3: Nope: unknown property");
}

TEST(StoredFormRead, PlacesNameTheLineAndColumnOfEveryValue) {
  const TStoredPlaces places = StoredFormPlaces(
      "{\"Text\": \"\xc3\xa9\", \"Count\": 1,\n  \"Part\": {\"Font\": {\"Height\": -13}},\n \"Flag\": true}",
      SampleTable());
  const std::vector<std::tuple<std::string, int, int>> expected = {
      {"Text", 1, 10}, {"Count", 1, 24}, {"Part.Font.Height", 2, 31}, {"Flag", 3, 10}};
  ASSERT_EQ(places.size(), expected.size());
  for (std::size_t i = 0; i < places.size(); ++i) {
    EXPECT_EQ(std::tie(places[i].path, places[i].line, places[i].column), expected[i]) << i;
  }
}

TEST(StoredFormRead, LongOrOddTextInMessagesIsShortenedAndEscaped) {
  const std::string longName(1000, 'x');
  EXPECT_EQ(Refusal("{\"" + longName + "\": 1}"),
            "line 1, column 2: \"" + std::string(40, 'x') + "\"...: unknown property");
  EXPECT_EQ(Refusal("{\"a\\nb\": 1}"), "line 1, column 2: \"a\\nb\": unknown property");
  EXPECT_EQ(Refusal("{\"Count\": 1" + std::string(100, '0') + "}"),
            "line 1, column 11: Count: value \"1" + std::string(39, '0') +
                "\"... is out of range -2147483648..2147483647");
}

TEST(StoredFormRead, ARefusedReadChangesNothing) {
  TSample s;
  s.SetCount(8);
  s.log.calls.clear();
  const std::string before = WriteStoredForm(s, SampleTable());
  // Everything is valid except the very last property.
  const std::string text = R"({"Count": 9, "Flag": true, "Part": {"Count": 5}, "Mood": "tmBusy", "Nope": 1})";
  EXPECT_THROW(ReadStoredForm(s, text, SampleTable()), EStoredFormError);
  EXPECT_TRUE(s.log.calls.empty());
  EXPECT_FALSE(s.IsLoading());
  EXPECT_EQ(WriteStoredForm(s, SampleTable()), before);
}

TEST(StoredFormRead, ASetterThatThrowsStopsTheApplicationButLoadedRuns) {
  TSample s;
  try {
    ReadStoredForm(s, "{\"Flag\": true,\n \"Count\": 13, \"Mood\": \"tmBusy\"}", SampleTable());
    FAIL() << "no error";
  } catch (const EStoredFormError& e) {
    EXPECT_STREQ(e.what(), "line 2, column 11: Count: thirteen is refused");
    EXPECT_EQ(e.Path(), "Count");
    EXPECT_EQ(e.Line(), 2);
    EXPECT_EQ(e.Column(), 11);
    try {
      std::rethrow_if_nested(e);
      FAIL() << "the setter's error is not nested";
    } catch (const ENoxError& inner) {
      EXPECT_STREQ(inner.what(), "thirteen is refused");
    }
  }
  EXPECT_EQ(s.log.calls, (std::vector<std::string>{"Flag(loading)", "Loaded"}));
  EXPECT_TRUE(s.Flag());
  EXPECT_EQ(s.Mood(), tmCalm);
  EXPECT_FALSE(s.IsLoading());
}

// A node whose "Child" is itself: every level of nesting in the text is one more object.
class TNode : public TPersistent {
 public:
  int Depth() const { return m_depth; }
  void SetDepth(int v) { m_depth = v; }

 private:
  int m_depth = 0;
};

const TStoredTable& NodeTable() {
  static TStoredTable table;
  if (table.Properties().empty()) {
    table = TStoredTableOf<TNode>()
                .Integer("Depth", &TNode::Depth, &TNode::SetDepth)
                .Object(
                    "Child", [](TNode& n) -> TNode& { return n; }, table);
  }
  return table;
}

std::string NestedNodes(int levels) {
  std::string text;
  for (int i = 1; i < levels; ++i) text += "{\"Child\": ";
  text += "{\"Depth\": " + std::to_string(levels) + "}";
  text += std::string(static_cast<std::size_t>(levels - 1), '}');
  return text;
}

TEST(StoredFormLimits, NestingIsLimitedWhenReadingAndWriting) {
  TNode node;
  ReadStoredProperties(node, NestedNodes(kStoredFormMaxDepth), NodeTable());
  EXPECT_EQ(node.Depth(), kStoredFormMaxDepth);
  try {
    ReadStoredProperties(node, NestedNodes(kStoredFormMaxDepth + 1), NodeTable());
    FAIL() << "no error";
  } catch (const EStoredFormError& e) {
    EXPECT_EQ(e.Column(), 1 + 10 * kStoredFormMaxDepth);
    EXPECT_EQ(e.Reason(), "objects nested deeper than 64 levels");
  }
  // The self-nesting table never runs out of things to write.
  EXPECT_THROW(WriteStoredForm(node, NodeTable()), EStoredFormError);
}

TEST(StoredFormLimits, TextSizeIsLimited) {
  const std::string huge(kStoredFormMaxSize + 1, ' ');
  EXPECT_EQ(Refusal(huge), "line 1, column 1: the stored form is larger than 64 MiB");
}

TEST(StoredFormLimits, ManyLongArraysStayCheap) {
  std::string text = "{\"Styles\": [";
  for (int i = 0; i < 200000; ++i) text += "\"fsBold\",";
  text += "\"fsItalic\"]}";
  TSample s;
  ReadStoredForm(s, text, SampleTable());
  EXPECT_EQ(s.Styles(), (TFontStyles{fsBold, fsItalic}));
}

// Random damage to a valid form: each result is a clean read or an EStoredFormError, never another
// exception or a crash (the sanitizer run catches what this cannot see).
TEST(StoredFormRobustness, DamagedFormsAreReadOrRefused) {
  TSample original;
  PinFont(original);
  original.SetText("t\xc3\xa9xt \\ \"q\"");
  original.SetStyles({fsBold});
  original.Part().SetCount(-4);
  const std::string valid = WriteStoredForm(original, SampleTable());
  std::mt19937 random(20240611);
  const std::string alphabet = "{}[]\":,\\ \n0123456789-+.eEtrufalsn\xc3\xa9\xff\x01u";
  int refused = 0;
  for (int round = 0; round < 4000; ++round) {
    std::string text = valid;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !text.empty(); ++e) {
      const std::size_t at = random() % text.size();
      const char c = alphabet[random() % alphabet.size()];
      switch (random() % 4) {
        case 0:
          text[at] = c;
          break;
        case 1:
          text.insert(at, 1, c);
          break;
        case 2:
          text.erase(at, 1);
          break;
        default:
          text.resize(at);
          break;
      }
    }
    TSample s;
    try {
      ReadStoredForm(s, text, SampleTable());
      EXPECT_FALSE(s.IsLoading());
    } catch (const EStoredFormError& e) {
      ++refused;
      EXPECT_GE(e.Line(), 1);
      EXPECT_GE(e.Column(), 1);
      EXPECT_TRUE(s.log.calls.empty()) << text;
    }
  }
  EXPECT_GT(refused, 3000);
}

TEST(StoredTable, MisuseIsCaughtWhenTheTableIsBuilt) {
  EXPECT_THROW(TStoredTableOf<TSample>().Integer("Count", &TSample::Count, &TSample::SetCount).Default("x"),
               std::logic_error);
  EXPECT_THROW(TStoredTableOf<TSample>().Enum("Mood", &TSample::Mood, &TSample::SetMood).Default(3),
               std::logic_error);
  EXPECT_THROW(TStoredTableOf<TSample>()
                   .Integer("Count", &TSample::Count, &TSample::SetCount)
                   .Boolean("Count", &TSample::Flag, &TSample::SetFlag),
               std::logic_error);
  EXPECT_THROW(TStoredTableOf<TSample>().Boolean("Flag", &TSample::Flag, &TSample::SetFlag).Range(0, 1),
               std::logic_error);
  EXPECT_THROW(TStoredTableOf<TSample>().Default(1), std::logic_error);
  EXPECT_THROW(TStoredTableOf<TSample>().Integer("Small", &TSample::Small, &TSample::SetSmall).Default(256),
               std::logic_error);
}

TEST(StoredTable, ANotWrittenPropertyIsReadButNeverWritten) {
  static const TStoredTable table = TStoredTableOf<TPart>()
                                        .Integer("Count", &TPart::Count, &TPart::SetCount)
                                        .NotWritten()
                                        .Enum("Mood", &TPart::Mood, &TPart::SetMood);
  TPart part;
  ReadStoredProperties(part, R"({"Count": 12})", table);
  EXPECT_EQ(part.Count(), 12);
  EXPECT_EQ(WriteStoredForm(part, table), "{\n  \"Mood\": \"tmCalm\"\n}\n");
}

TEST(StoredTable, ATableServesOnlyItsOwnClass) {
  TPart part;
  EXPECT_THROW(WriteStoredForm(part, SampleTable()), std::logic_error);
  EXPECT_THROW(ReadStoredProperties(part, "{}", SampleTable()), std::logic_error);
  EXPECT_NO_THROW(CheckStoredForm(R"({"Count": 1})", SampleTable()));
  EXPECT_THROW(CheckStoredForm(R"({"Count": true})", SampleTable()), EStoredFormError);
}

}  // namespace
}  // namespace nox

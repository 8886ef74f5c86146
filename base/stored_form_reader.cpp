// Reading stored forms: the text is checked against the tables into a list of values to apply
// (nothing is touched while checking), then the list is applied in text order.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <string>
#include <system_error>
#include <vector>

#include "base/color_names.h"
#include "base/stored_form.h"
#include "base/stored_form_json.h"

namespace nox {

namespace {

// One property of the text, checked and converted.
struct TPlannedValue {
  const TStoredProperty* property = nullptr;
  std::size_t offset = 0;  // of the value in the text
  std::string path;
  TStoredValue value;
  std::vector<TPlannedValue> members;  // skObject
};
using TPlan = std::vector<TPlannedValue>;

std::string JoinPath(const std::string& prefix, std::string_view name) {
  return prefix.empty() ? std::string(name) : prefix + "." + std::string(name);
}

// An unknown name as it appears in a path: as written when it looks like a property name, quoted
// (escaped, shortened) when it could garble the message.
std::string NameForPath(std::string_view name) {
  const bool plain = !name.empty() && name.size() <= 40 && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
  return plain ? std::string(name) : detail::QuoteForMessage(name);
}

class TFormReader {
 public:
  explicit TFormReader(std::string_view text) : m_text(text), m_scan(text) {}

  TPlan Read(const TStoredTable& table) {
    if (m_text.size() > kStoredFormMaxSize) Fail(0, "", "the stored form is larger than 64 MiB");
    try {
      if (m_scan.Peek() != '{')
        Fail(m_scan.Offset(), "", "expected a JSON object, found " + m_scan.DescribeNext());
      TPlan plan = ReadObject(table, "", 1);
      if (!m_scan.AtEnd()) {
        Fail(m_scan.Offset(), "",
             "unexpected " + m_scan.DescribeNext() + " after the end of the stored form");
      }
      return plan;
    } catch (const detail::EJsonSyntax& e) {
      Fail(e.Offset(), "", e.what());
    }
  }

  EStoredFormError Error(std::size_t offset, const std::string& path, const std::string& reason) const {
    const TStoredPlace place = Place(offset, path);
    return EStoredFormError(path, place.line, place.column, reason);
  }

  TStoredPlace Place(std::size_t offset, const std::string& path) const {
    TStoredPlace place{path};
    detail::LineAndColumn(m_text, offset, place.line, place.column);
    return place;
  }

 private:
  [[noreturn]] void Fail(std::size_t offset, const std::string& path, const std::string& reason) const {
    throw Error(offset, path, reason);
  }

  // At '{'.
  TPlan ReadObject(const TStoredTable& table, const std::string& prefix, int depth) {
    if (depth > kStoredFormMaxDepth) {
      Fail(m_scan.Offset(), prefix,
           "objects nested deeper than " + std::to_string(kStoredFormMaxDepth) + " levels");
    }
    m_scan.Advance();
    TPlan plan;
    std::vector<bool> seen(table.Properties().size(), false);
    if (m_scan.Peek() == '}') {
      m_scan.Advance();
      return plan;
    }
    while (true) {
      if (m_scan.Peek() != '"') {
        Fail(m_scan.Offset(), prefix, "expected a property name (a string), found " + m_scan.DescribeNext());
      }
      const std::size_t keyOffset = m_scan.Offset();
      const std::string name = ReadStringAt(prefix);
      const TStoredProperty* property = table.Find(name);
      if (property == nullptr) {
        Fail(keyOffset, JoinPath(prefix, NameForPath(name)), "unknown property");
      }
      const std::string path = JoinPath(prefix, name);
      const auto index = static_cast<std::size_t>(property - table.Properties().data());
      if (seen[index]) Fail(keyOffset, path, "property given twice");
      seen[index] = true;
      if (m_scan.Peek() != ':') {
        Fail(m_scan.Offset(), path, "expected ':' after the property name, found " + m_scan.DescribeNext());
      }
      m_scan.Advance();
      plan.push_back(ReadValue(*property, path, depth));
      const char next = m_scan.Peek();
      if (next == '}') {
        m_scan.Advance();
        return plan;
      }
      if (next != ',') Fail(m_scan.Offset(), prefix, "expected ',' or '}', found " + m_scan.DescribeNext());
      m_scan.Advance();
    }
  }

  TPlannedValue ReadValue(const TStoredProperty& property, const std::string& path, int depth) {
    TPlannedValue planned;
    planned.property = &property;
    planned.path = path;
    const char c = m_scan.Peek();
    planned.offset = m_scan.Offset();
    try {
      switch (property.kind) {
        case skBoolean:
          planned.value = ReadBoolean(path);
          break;
        case skInteger:
          planned.value = ReadInteger(path, property.minimum, property.maximum, "an integer");
          break;
        case skDouble:
          planned.value = ReadDouble(path);
          CheckAccepted(property, std::get<double>(planned.value), planned.offset, path);
          break;
        case skString:
          if (c != '"') Expected(path, "a string");
          planned.value = m_scan.ReadString();
          break;
        case skChar:
          planned.value = ReadChar(path);
          break;
        case skColor:
          planned.value = ReadColor(path);
          break;
        case skEnum:
          planned.value = static_cast<std::int64_t>(ReadIdentifier(path, property.identifiers));
          break;
        case skSet:
          planned.value = ReadSet(path, property.identifiers);
          break;
        case skObject:
          if (c != '{') Expected(path, "an object");
          planned.members = ReadObject(*property.table, path, depth + 1);
          break;
      }
    } catch (const detail::EJsonSyntax& e) {
      Fail(e.Offset(), path, e.what());
    }
    return planned;
  }

  [[noreturn]] void Expected(const std::string& path, const std::string& what) {
    Fail(m_scan.Offset(), path, "expected " + what + ", found " + m_scan.DescribeNext());
  }

  std::string ReadStringAt(const std::string& path) {
    try {
      return m_scan.ReadString();
    } catch (const detail::EJsonSyntax& e) {
      Fail(e.Offset(), path, e.what());
    }
  }

  bool ReadBoolean(const std::string& path) {
    const char c = m_scan.Peek();
    if (c == 't' || c == 'f') {
      const std::size_t offset = m_scan.Offset();
      const std::string_view word = m_scan.ReadWord();
      if (word == "true") return true;
      if (word == "false") return false;
      Fail(offset, path, "expected true or false, found " + detail::QuoteForMessage(word));
    }
    Expected(path, "true or false");
  }

  std::int64_t ReadInteger(const std::string& path, std::int64_t minimum, std::int64_t maximum,
                           const std::string& what) {
    const char c = m_scan.Peek();
    if (c != '-' && !(c >= '0' && c <= '9')) Expected(path, what);
    const std::size_t offset = m_scan.Offset();
    const detail::TJsonScanner::TNumber number = m_scan.ReadNumber();
    if (!number.integral)
      Fail(offset, path, "expected " + what + ", found " + detail::QuoteForMessage(number.text));
    std::int64_t value = 0;
    const auto result = std::from_chars(number.text.data(), number.text.data() + number.text.size(), value);
    if (result.ec != std::errc() || value < minimum || value > maximum) {
      Fail(offset, path,
           "value " + detail::QuoteForMessage(number.text) + " is out of range " + std::to_string(minimum) +
               ".." + std::to_string(maximum));
    }
    return value;
  }

  double ReadDouble(const std::string& path) {
    const char c = m_scan.Peek();
    const std::size_t offset = m_scan.Offset();
    if (c == '"') {
      const std::string text = m_scan.ReadString();
      if (text == "NaN") return std::nan("");
      if (text == "Infinity") return HUGE_VAL;
      if (text == "-Infinity") return -HUGE_VAL;
      Fail(offset, path, "expected a number, found the string " + detail::QuoteForMessage(text));
    }
    if (c != '-' && !(c >= '0' && c <= '9')) Expected(path, "a number");
    const detail::TJsonScanner::TNumber number = m_scan.ReadNumber();
    double value = 0;
    const auto result = std::from_chars(number.text.data(), number.text.data() + number.text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
      Fail(offset, path, "number " + detail::QuoteForMessage(number.text) + " is out of the range of Double");
    }
    return value;
  }

  void CheckAccepted(const TStoredProperty& property, double value, std::size_t offset,
                     const std::string& path) const {
    if (!property.accepts || property.accepts(value)) return;
    const std::string text = std::isnan(value)   ? "NaN"
                             : std::isinf(value) ? (value > 0 ? "Infinity" : "-Infinity")
                                                 : detail::FormatDouble(value);
    Fail(offset, path, "value " + text + " is not accepted: " + property.acceptsRule);
  }

  // One code point of 0..255; U+0080..U+00FF stand for the bytes 128..255.
  std::int64_t ReadChar(const std::string& path) {
    if (m_scan.Peek() != '"') Expected(path, "a string of one character");
    const std::size_t offset = m_scan.Offset();
    const std::string text = m_scan.ReadString();
    if (text.size() == 1 && static_cast<unsigned char>(text[0]) < 0x80)
      return static_cast<unsigned char>(text[0]);
    if (text.size() == 2 &&
        (static_cast<unsigned char>(text[0]) == 0xC2 || static_cast<unsigned char>(text[0]) == 0xC3)) {
      return ((static_cast<unsigned char>(text[0]) & 0x1F) << 6) |
             (static_cast<unsigned char>(text[1]) & 0x3F);
    }
    Fail(offset, path,
         "expected a string of one character (code 0..255), found " + detail::QuoteForMessage(text));
  }

  std::int64_t ReadColor(const std::string& path) {
    if (m_scan.Peek() == '"') {
      const std::size_t offset = m_scan.Offset();
      const std::string name = m_scan.ReadString();
      if (const auto color = ColorFromName(name)) return std::int64_t{*color};
      Fail(offset, path, "unknown colour name " + detail::QuoteForMessage(name));
    }
    return ReadInteger(path, 0, 0xFFFFFFFF, "a colour (an integer or a colour name)");
  }

  std::size_t ReadIdentifier(const std::string& path, TIdentifiers identifiers) {
    if (m_scan.Peek() != '"') Expected(path, "an identifier (a string)");
    const std::size_t offset = m_scan.Offset();
    const std::string name = m_scan.ReadString();
    for (std::size_t i = 0; i < identifiers.size(); ++i) {
      if (identifiers[i] == name) return i;
    }
    Fail(offset, path, "unknown identifier " + detail::QuoteForMessage(name));
  }

  std::int64_t ReadSet(const std::string& path, TIdentifiers identifiers) {
    if (m_scan.Peek() != '[') Expected(path, "an array of identifiers");
    m_scan.Advance();
    std::uint32_t bits = 0;
    if (m_scan.Peek() == ']') {
      m_scan.Advance();
      return bits;
    }
    while (true) {
      const std::size_t offset = m_scan.Offset();
      const std::size_t index = ReadIdentifier(path, identifiers);
      if (index >= 32) Fail(offset, path, "identifier beyond the 32 elements a set holds");
      bits |= std::uint32_t{1} << index;
      const char next = m_scan.Peek();
      if (next == ']') {
        m_scan.Advance();
        return bits;
      }
      if (next != ',') Fail(m_scan.Offset(), path, "expected ',' or ']', found " + m_scan.DescribeNext());
      m_scan.Advance();
    }
  }

  std::string_view m_text;
  detail::TJsonScanner m_scan;
};

// The plan holds its values in text order.
void AddPlaces(const TPlan& plan, detail::TTextPosition& position, TStoredPlaces& places) {
  for (const TPlannedValue& entry : plan) {
    if (entry.property->kind == skObject) {
      AddPlaces(entry.members, position, places);
      continue;
    }
    position.MoveTo(entry.offset);
    places.push_back({entry.path, position.Line(), position.Column()});
  }
}

void Apply(TObject& target, const TPlan& plan, const TFormReader& reader) {
  for (const TPlannedValue& entry : plan) {
    const TStoredProperty& property = *entry.property;
    if (property.kind == skObject) {
      TObject& part = property.part(target);
      if (!property.table->Describes(part))
        detail::TableMisuse(property.name, "the nested table does not describe the part");
      Apply(part, entry.members, reader);
      continue;
    }
    try {
      property.set(target, entry.value);
    } catch (const std::exception& e) {
      std::throw_with_nested(reader.Error(entry.offset, entry.path, e.what()));
    }
  }
}

void RequireTable(const TObject& object, const TStoredTable& table) {
  if (!table.Describes(object)) {
    detail::TableMisuse("", "the table does not describe a " + std::string(object.ClassName()));
  }
}

}  // namespace

void CheckStoredForm(std::string_view text, const TStoredTable& table) { TFormReader(text).Read(table); }

TStoredPlaces StoredFormPlaces(std::string_view text, const TStoredTable& table) {
  TFormReader reader(text);
  TStoredPlaces places;
  detail::TTextPosition position(text);
  AddPlaces(reader.Read(table), position, places);
  return places;
}

TStoredPlace PlaceOf(const TStoredPlaces& places, std::string_view path) {
  for (const TStoredPlace& place : places) {
    if (place.path == path) return place;
  }
  return {std::string(path), 0, 0};
}

void ReadStoredProperties(TObject& object, std::string_view text, const TStoredTable& table) {
  RequireTable(object, table);
  TFormReader reader(text);
  const TPlan plan = reader.Read(table);
  Apply(object, plan, reader);
}

void ReadStoredForm(TComponent& component, std::string_view text, const TStoredTable& table) {
  RequireTable(component, table);
  TFormReader reader(text);
  const TPlan plan = reader.Read(table);
  component.BeginLoading();
  try {
    Apply(component, plan, reader);
  } catch (...) {
    try {
      component.Loaded();
    } catch (...) {  // the setter's error is the one to report
    }
    throw;
  }
  component.Loaded();
}

}  // namespace nox

// Writing stored forms: the table's properties in order, defaults left out, in one fixed layout.

#include <cmath>
#include <string>

#include "base/stored_form.h"
#include "base/stored_form_json.h"

namespace nox {

namespace {

// Where a property stands: its name and the place of the object that holds it. Built as a string
// only for an error, so that writing thousands of properties joins no paths.
struct TPlace {
  const TPlace* parent = nullptr;  // null: the top object (no name)
  const std::string* name = nullptr;
};

std::string PathOf(const TPlace& place) {
  if (place.name == nullptr) return {};
  const std::string prefix = place.parent != nullptr ? PathOf(*place.parent) : std::string();
  return prefix.empty() ? *place.name : prefix + "." + *place.name;
}

[[noreturn]] void Unwritable(const TPlace& place, const std::string& reason) {
  throw EStoredFormError(PathOf(place), 0, 0, reason);
}

// Doubles compare by value and sign, so that -0 is written where the default is 0.
bool SameValue(const TStoredValue& a, const TStoredValue& b) {
  if (std::holds_alternative<double>(a) && std::holds_alternative<double>(b)) {
    const double x = std::get<double>(a);
    const double y = std::get<double>(b);
    if (std::isnan(x) || std::isnan(y)) return std::isnan(x) && std::isnan(y);
    return x == y && std::signbit(x) == std::signbit(y);
  }
  return a == b;
}

std::string FormatIdentifier(const TIdentifiers& identifiers, std::int64_t ordinal, const TPlace& place) {
  if (ordinal < 0 || static_cast<std::uint64_t>(ordinal) >= identifiers.size()) {
    Unwritable(place, "value " + std::to_string(ordinal) + " has no identifier");
  }
  std::string out;
  detail::AppendJsonString(out, identifiers[static_cast<std::size_t>(ordinal)]);
  return out;
}

std::string FormatValue(const TStoredProperty& property, const TStoredValue& value, const TPlace& place) {
  switch (property.kind) {
    case skBoolean:
      return std::get<bool>(value) ? "true" : "false";
    case skInteger:
    case skColor:
      return std::to_string(std::get<std::int64_t>(value));
    case skDouble: {
      const double d = std::get<double>(value);
      if (std::isnan(d)) return "\"NaN\"";
      if (std::isinf(d)) return d > 0 ? "\"Infinity\"" : "\"-Infinity\"";
      return detail::FormatDouble(d);
    }
    case skString: {
      // Stray bytes are written as the characters they draw as, so the text reads back drawing the same.
      const std::string& text = std::get<std::string>(value);
      std::string out;
      detail::AppendJsonString(out, detail::IsValidUtf8(text) ? text : detail::DrawnTextAsUtf8(text));
      return out;
    }
    case skChar: {
      // Bytes 128..255 are written as the code points U+0080..U+00FF, so that the text stays UTF-8.
      const auto code = static_cast<unsigned>(std::get<std::int64_t>(value));
      std::string utf8;
      if (code < 0x80) {
        utf8 += static_cast<char>(code);
      } else {
        utf8 += static_cast<char>(0xC0 | (code >> 6));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
      }
      std::string out;
      detail::AppendJsonString(out, utf8);
      return out;
    }
    case skEnum:
      return FormatIdentifier(property.identifiers, std::get<std::int64_t>(value), place);
    case skSet: {
      const auto bits = static_cast<std::uint32_t>(std::get<std::int64_t>(value));
      std::string out = "[";
      for (int i = 0; i < 32; ++i) {
        if ((bits & (std::uint32_t{1} << i)) == 0) continue;
        if (out.size() > 1) out += ", ";
        out += FormatIdentifier(property.identifiers, i, place);
      }
      return out + "]";
    }
    case skObject:
      break;
  }
  return "null";  // not reached: objects are written by AppendObject
}

// Appends the object at the given indentation level; appends nothing and returns false when none of
// its properties is written. Written straight into `out`: what turns out empty is cut off again.
bool AppendObject(std::string& out, const TObject& object, const TStoredTable& table, const TPlace& place,
                  int level) {
  // A table that nests itself would otherwise recurse without end.
  if (level >= kStoredFormMaxDepth) {
    Unwritable(place, "objects nested deeper than " + std::to_string(kStoredFormMaxDepth) + " levels");
  }
  const std::size_t start = out.size();
  const auto indent = static_cast<std::size_t>(2 * (level + 1));
  out += "{\n";
  bool any = false;
  for (const TStoredProperty& property : table.Properties()) {
    if (!property.written) continue;
    const TPlace here{&place, &property.name};
    const std::size_t entry = out.size();
    if (any) out += ",\n";
    out.append(indent, ' ');
    detail::AppendJsonString(out, property.name);
    out += ": ";
    if (property.kind == skObject) {
      // The accessor hands out the owned part for reading and writing; here it is only read.
      TObject& part = property.part(const_cast<TObject&>(object));
      if (!property.table->Describes(part))
        detail::TableMisuse(property.name, "the nested table does not describe the part");
      if (!AppendObject(out, part, *property.table, here, level + 1)) {
        out.resize(entry);
        continue;
      }
    } else {
      const TStoredValue current = property.get(object);
      if (property.declaredDefault && SameValue(current, *property.declaredDefault)) {
        out.resize(entry);
        continue;
      }
      out += FormatValue(property, current, here);
    }
    any = true;
  }
  if (!any) {
    out.resize(start);
    return false;
  }
  out += "\n";
  out.append(static_cast<std::size_t>(2 * level), ' ');
  out += "}";
  return true;
}

}  // namespace

std::string WriteStoredForm(const TObject& object, const TStoredTable& table) {
  if (!table.Describes(object)) {
    detail::TableMisuse("", "the table does not describe a " + std::string(object.ClassName()));
  }
  std::string out;
  if (!AppendObject(out, object, table, TPlace{}, 0)) out = "{}";
  out += "\n";
  return out;
}

}  // namespace nox

#pragma once
// Stored forms: a control's published properties written to and read from JSON text.
//
// A control describes its published properties once, in a table (TStoredTableOf<C>): name, kind,
// getter, setter and the declared default. From the table:
//   WriteStoredForm   the object as a JSON object of name -> value, in the table's order;
//   CheckStoredForm   checks a text against the table and changes nothing;
//   StoredFormPlaces  the properties a text gives, with the place of each value;
//   ReadStoredForm    checks the whole text, then applies it to a component inside its loading state.
// TStoredTableCopy gives a table other declared defaults: a reference object's values, or none.
//
// Written form (stable, so that write, read, write gives the same text):
//   - two-space indentation, one property per line, "name": value, a final line feed;
//   - a property equal to its declared default is omitted; one without a declared default is always
//     written; one marked NotWritten never is;
//   - Boolean true/false; Integer and TColor as JSON integers (colours as 0..4294967295, system
//     colours included); Double in the shortest form that reads back to the same bits, NaN and the
//     infinities as the strings "NaN", "Infinity", "-Infinity"; String as a JSON string (UTF-8; a
//     byte outside any UTF-8 sequence is written as the character the platform draws for it, so
//     "25\xB0C" is stored as "25°C"); Char as a one-character string, bytes 128..255 as the code points
//     U+0080..U+00FF; enumeration values as their identifiers ("maPan"); sets as one-line arrays of
//     identifiers in ordinal order (["fsBold", "fsItalic"]);
//   - a nested object (a font, a property object) as a nested JSON object; when none of its
//     properties is written the nested object is omitted too.
//
// Reading accepts what writing produces and also: properties in any order, integers for Double
// properties, colour names of platform/color.h ("clRed", "clBtnFace") for TColor properties,
// identifiers of a set in any order (repeats allowed), an absent or empty nested object (the owned
// object is left as it is). It refuses, with EStoredFormError naming the line and column and the
// property path ("Scale1X.Font.Style"): malformed JSON, a top level that is not an object, an
// unknown property, a property given twice in one object, a value of the wrong type (null included),
// an unknown identifier or colour name, an integer outside the property's range, a Double its
// property does not accept (Accepting), a number beyond the
// range of Double (too large, or so small that it would read as zero), invalid UTF-8, a Char string
// that is not exactly one character of 0..255, nesting deeper than kStoredFormMaxDepth, a text
// longer than kStoredFormMaxSize.
//
// Lines and columns count from 1; a column counts characters (UTF-8 code points), a tab as one.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "base/Nox_noxbase.h"
#include "platform/control.h"
#include "platform/set.h"

namespace nox {

constexpr int kStoredFormMaxDepth = 64;                        // nesting of JSON objects
constexpr std::size_t kStoredFormMaxSize = 64u * 1024 * 1024;  // bytes of stored text

// A stored form that cannot be read or an object that cannot be written.
class EStoredFormError : public ENoxError {
 public:
  // line and column 0: no position (an error found while writing). path empty: no property.
  EStoredFormError(std::string path, int line, int column, std::string reason);

  const std::string& Path() const { return m_path; }
  int Line() const { return m_line; }
  int Column() const { return m_column; }
  const std::string& Reason() const { return m_reason; }

 private:
  std::string m_path;
  int m_line;
  int m_column;
  std::string m_reason;
};

enum TStoredKind : std::uint8_t {
  skBoolean,
  skInteger,
  skDouble,
  skString,
  skChar,
  skColor,
  skEnum,
  skSet,
  skObject
};

// A property value as the framework handles it: Boolean as bool; Integer, TColor, Char (its byte
// 0..255), enumeration (its ordinal) and set (its bits) as int64; Double as double; String as string.
using TStoredValue = std::variant<bool, std::int64_t, double, std::string>;

// The identifiers of an enumeration's values in ordinal order.
using TIdentifiers = std::span<const std::string_view>;

class TStoredTable;

// One published property. Tables are built with TStoredTableOf; the accessors take the object the
// table describes.
struct TStoredProperty {
  std::string name;
  TStoredKind kind = skInteger;
  std::int64_t minimum = 0;  // skInteger: accepted range
  std::int64_t maximum = 0;
  std::function<bool(double)> accepts;              // skDouble: the values taken; none: all
  std::string acceptsRule;                          // skDouble: what accepts takes, for messages
  TIdentifiers identifiers;                         // skEnum, skSet
  std::optional<TStoredValue> declaredDefault;      // none: always written
  bool written = true;                              // false: read when present, never written
  std::function<TStoredValue(const TObject&)> get;  // all but skObject
  std::function<void(TObject&, const TStoredValue&)> set;
  std::function<TObject&(TObject&)> part;  // skObject: the owned object
  const TStoredTable* table = nullptr;     // skObject: its properties; must outlive this table
};

// The published properties of one class, in stored order.
class TStoredTable {
 public:
  const std::vector<TStoredProperty>& Properties() const { return m_properties; }
  // nullptr when there is no property of that name.
  const TStoredProperty* Find(std::string_view name) const;
  // Whether object is of the class the table was built for.
  bool Describes(const TObject& object) const { return m_describes && m_describes(object); }

 protected:
  std::vector<TStoredProperty> m_properties;
  std::function<bool(const TObject&)> m_describes;
};

namespace detail {
template <class T>
struct IsStoredSet : std::false_type {};
template <class E>
struct IsStoredSet<TSet<E>> : std::true_type {
  using Element = E;
};
template <class G, class C>
using GetterResult = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;
[[noreturn]] void TableMisuse(std::string_view property, std::string_view what);
}  // namespace detail

// Builds the table of class C. Getters are callables on const C& (usually member pointers such as
// &C::PosX), setters callables on (C&, value) (such as &C::SetPosX); the value type follows the
// getter's result. Enumerations and sets find their identifiers through IdentifiersOf(E), declared
// beside the enumeration (base/stored_form_identifiers.h for the library's and the platform's).
// Default, Range, Accepting and NotWritten apply to the property added last. Misuse (a default of the wrong
// kind or outside the range, two properties of one name) throws std::logic_error when the table is
// built.
//
//   static const TStoredTable table = TStoredTableOf<TCrossHair>()
//       .Double("PosX", &TCrossHair::PosX, &TCrossHair::SetPosX)
//       .Enum("Mode", &TCrossHair::Mode, &TCrossHair::SetMode).Default(chOff)
//       .Integer("Layer", &TCrossHair::Layer, &TCrossHair::SetLayer).Range(1, 16);
template <class C>
class TStoredTableOf : public TStoredTable {
 public:
  TStoredTableOf() {
    m_describes = [](const TObject& o) { return dynamic_cast<const C*>(&o) != nullptr; };
  }

  template <class G, class S>
  TStoredTableOf& Boolean(std::string_view name, G get, S set) {
    static_assert(std::is_same_v<detail::GetterResult<G, C>, bool>, "Boolean needs a bool getter");
    return AddScalar<bool>(name, skBoolean, get, set);
  }

  // The accepted range is that of the getter's type (0..255 for a byte), unless Range narrows it.
  template <class G, class S>
  TStoredTableOf& Integer(std::string_view name, G get, S set) {
    using T = detail::GetterResult<G, C>;
    static_assert(std::is_integral_v<T> && !std::is_same_v<T, bool>, "Integer needs an integer getter");
    static_assert(std::in_range<std::int64_t>(std::numeric_limits<T>::max()), "Integer holds up to int64");
    AddScalar<T>(name, skInteger, get, set);
    Last().minimum = static_cast<std::int64_t>(std::numeric_limits<T>::min());
    Last().maximum = static_cast<std::int64_t>(std::numeric_limits<T>::max());
    return *this;
  }

  template <class G, class S>
  TStoredTableOf& Double(std::string_view name, G get, S set) {
    static_assert(std::is_floating_point_v<detail::GetterResult<G, C>>, "Double needs a floating getter");
    return AddScalar<double>(name, skDouble, get, set);
  }

  template <class G, class S>
  TStoredTableOf& String(std::string_view name, G get, S set) {
    static_assert(std::is_same_v<detail::GetterResult<G, C>, std::string>, "String needs a string getter");
    return AddScalar<std::string>(name, skString, get, set);
  }

  template <class G, class S>
  TStoredTableOf& Char(std::string_view name, G get, S set) {
    static_assert(std::is_same_v<detail::GetterResult<G, C>, char>, "Char needs a char getter");
    return AddScalar<char>(name, skChar, get, set);
  }

  template <class G, class S>
  TStoredTableOf& Color(std::string_view name, G get, S set) {
    static_assert(std::is_same_v<detail::GetterResult<G, C>, TColor>, "Color needs a TColor getter");
    return AddScalar<TColor>(name, skColor, get, set);
  }

  template <class G, class S>
  TStoredTableOf& Enum(std::string_view name, G get, S set) {
    using E = detail::GetterResult<G, C>;
    static_assert(std::is_enum_v<E>, "Enum needs an enumeration getter");
    return Enum(name, get, set, IdentifiersOf(E{}));
  }
  template <class G, class S>
  TStoredTableOf& Enum(std::string_view name, G get, S set, TIdentifiers identifiers) {
    using E = detail::GetterResult<G, C>;
    static_assert(std::is_enum_v<E>, "Enum needs an enumeration getter");
    AddScalar<E>(name, skEnum, get, set);
    Last().identifiers = identifiers;
    return *this;
  }

  template <class G, class S>
  TStoredTableOf& Set(std::string_view name, G get, S set) {
    using T = detail::GetterResult<G, C>;
    static_assert(detail::IsStoredSet<T>::value, "Set needs a TSet getter");
    return Set(name, get, set, IdentifiersOf(typename detail::IsStoredSet<T>::Element{}));
  }
  template <class G, class S>
  TStoredTableOf& Set(std::string_view name, G get, S set, TIdentifiers identifiers) {
    using T = detail::GetterResult<G, C>;
    static_assert(detail::IsStoredSet<T>::value, "Set needs a TSet getter");
    if (identifiers.size() > 32) detail::TableMisuse(name, "a set holds at most 32 elements");
    AddScalar<T>(name, skSet, get, set);
    Last().identifiers = identifiers;
    return *this;
  }

  // An owned object whose properties are stored in place, as a nested JSON object: part is a member
  // function returning a reference to it (&C::Font) or a callable C& -> Sub&.
  template <class Sub>
  TStoredTableOf& Object(std::string_view name, Sub& (C::*part)(), const TStoredTable& table) {
    return Object(
        name, [part](C& c) -> Sub& { return (c.*part)(); }, table);
  }
  template <class F>
  TStoredTableOf& Object(std::string_view name, F part, const TStoredTable& table) {
    static_assert(std::is_invocable_v<F, C&>, "Object needs a callable C& -> Sub&");
    TStoredProperty p = NewProperty(name, skObject);
    p.part = [part](TObject& o) -> TObject& { return std::invoke(part, static_cast<C&>(o)); };
    p.table = &table;
    m_properties.push_back(std::move(p));
    return *this;
  }

  // The properties of a base class's table, appended in its order (for the standard properties
  // every control keeps).
  template <class B>
  TStoredTableOf& Include(const TStoredTableOf<B>& base) {
    static_assert(std::is_base_of_v<B, C>, "Include needs the table of a base class");
    for (const TStoredProperty& p : base.Properties()) {
      if (Find(p.name) != nullptr) detail::TableMisuse(p.name, "empty or repeated name");
      m_properties.push_back(p);
    }
    return *this;
  }

  // Adds the properties add(*this) adds: those made in a loop.
  template <class F>
  TStoredTableOf& With(F add) {
    add(*this);
    return *this;
  }

  // The declared default of the last property: a value of its kind (an enumeration value, a TSet,
  // a number, a text, a char).
  template <class V>
  TStoredTableOf& Default(const V& value) {
    Last().declaredDefault = DefaultValue(Last(), value);
    return *this;
  }

  // The last property is read when the text has it but never written (a property that acts rather
  // than holds, such as a layout choice).
  TStoredTableOf& NotWritten() {
    Last().written = false;
    return *this;
  }

  // The accepted range of the last property, an Integer.
  TStoredTableOf& Range(std::int64_t minimum, std::int64_t maximum) {
    if (Last().kind != skInteger || minimum > maximum)
      detail::TableMisuse(Last().name, "Range needs an Integer");
    Last().minimum = minimum;
    Last().maximum = maximum;
    return *this;
  }

  // The values the last property, a Double, accepts; rule says which in words ("a finite number"),
  // for the refusal of any other.
  TStoredTableOf& Accepting(bool (*accepts)(double), std::string_view rule) {
    if (Last().kind != skDouble) detail::TableMisuse(Last().name, "Accepting needs a Double");
    Last().accepts = accepts;
    Last().acceptsRule = std::string(rule);
    return *this;
  }

 private:
  TStoredProperty& Last() {
    if (m_properties.empty()) detail::TableMisuse("", "Default or Range before any property");
    return m_properties.back();
  }

  TStoredProperty NewProperty(std::string_view name, TStoredKind kind) {
    if (name.empty() || Find(name) != nullptr) detail::TableMisuse(name, "empty or repeated name");
    TStoredProperty p;
    p.name = std::string(name);
    p.kind = kind;
    return p;
  }

  // T is the value type of the property as the class sees it.
  template <class T, class G, class S>
  TStoredTableOf& AddScalar(std::string_view name, TStoredKind kind, G get, S set) {
    TStoredProperty p = NewProperty(name, kind);
    p.get = [get](const TObject& o) { return ToStored<T>(std::invoke(get, static_cast<const C&>(o))); };
    p.set = [set](TObject& o, const TStoredValue& v) {
      std::invoke(set, static_cast<C&>(o), FromStored<T>(v));
    };
    m_properties.push_back(std::move(p));
    return *this;
  }

  template <class T>
  static TStoredValue ToStored(const T& value) {
    if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, std::string>) {
      return value;
    } else if constexpr (std::is_same_v<T, char>) {
      return std::int64_t{static_cast<unsigned char>(value)};
    } else if constexpr (std::is_floating_point_v<T>) {
      return static_cast<double>(value);
    } else if constexpr (detail::IsStoredSet<T>::value) {
      return std::int64_t{value.Bits()};
    } else {
      return static_cast<std::int64_t>(value);  // integers, colours, enumerations
    }
  }

  // The reader has checked the value against the property's kind and range.
  template <class T>
  static T FromStored(const TStoredValue& value) {
    if constexpr (std::is_same_v<T, bool>) {
      return std::get<bool>(value);
    } else if constexpr (std::is_same_v<T, std::string>) {
      return std::get<std::string>(value);
    } else if constexpr (std::is_floating_point_v<T>) {
      return static_cast<T>(std::get<double>(value));
    } else if constexpr (detail::IsStoredSet<T>::value) {
      return T::FromBits(static_cast<std::uint32_t>(std::get<std::int64_t>(value)));
    } else {
      return static_cast<T>(std::get<std::int64_t>(value));
    }
  }

  template <class V>
  static TStoredValue DefaultValue(const TStoredProperty& p, const V& value) {
    const auto require = [&p](bool fits) {
      if (!fits) detail::TableMisuse(p.name, "the default does not fit the property's kind");
    };
    if constexpr (std::is_same_v<V, bool>) {
      require(p.kind == skBoolean);
      return value;
    } else if constexpr (std::is_same_v<V, char>) {
      require(p.kind == skChar);
      return std::int64_t{static_cast<unsigned char>(value)};
    } else if constexpr (std::is_enum_v<V>) {
      require(p.kind == skEnum && static_cast<std::size_t>(value) < p.identifiers.size());
      return static_cast<std::int64_t>(value);
    } else if constexpr (detail::IsStoredSet<V>::value) {
      require(p.kind == skSet);
      return std::int64_t{value.Bits()};
    } else if constexpr (std::is_integral_v<V>) {
      if (p.kind == skDouble) return static_cast<double>(value);
      require((p.kind == skColor && std::in_range<TColor>(value)) ||
              (p.kind == skInteger && std::in_range<std::int64_t>(value) &&
               static_cast<std::int64_t>(value) >= p.minimum &&
               static_cast<std::int64_t>(value) <= p.maximum));
      return static_cast<std::int64_t>(value);
    } else if constexpr (std::is_floating_point_v<V>) {
      require(p.kind == skDouble);
      return static_cast<double>(value);
    } else {
      static_assert(std::is_convertible_v<V, std::string_view>, "unsupported default type");
      require(p.kind == skString);
      return std::string(std::string_view(value));
    }
  }
};

// A copy of a table, its nested tables copied too, with other declared defaults: the values of
// reference (an object the table describes), so that writing leaves out what equals reference; or,
// without a reference, none, so that writing gives every property.
class TStoredTableCopy : public TStoredTable {
 public:
  TStoredTableCopy(const TStoredTable& table, const TObject* reference);

 private:
  std::vector<std::unique_ptr<TStoredTableCopy>> m_nested;  // the copies m_properties point to
};

// The stored form of object, described by table (which must describe it).
// Throws EStoredFormError (path, no position) for a value that has no stored form: an enumeration
// value or set element without an identifier, nesting deeper than kStoredFormMaxDepth.
std::string WriteStoredForm(const TObject& object, const TStoredTable& table);

// Checks text against table; throws EStoredFormError at the first problem in text order.
void CheckStoredForm(std::string_view text, const TStoredTable& table);

// Where a property of a text stands: its path ("Scale1X.RangeLow") and the line and column of its
// value.
struct TStoredPlace {
  std::string path;
  int line = 0;
  int column = 0;
};
using TStoredPlaces = std::vector<TStoredPlace>;

// The properties text gives, nested objects' members included (not the objects themselves), in
// text order. Checks text as CheckStoredForm does.
TStoredPlaces StoredFormPlaces(std::string_view text, const TStoredTable& table);
// The place of path in places; line and column 0 when text does not give it.
TStoredPlace PlaceOf(const TStoredPlaces& places, std::string_view path);

// Checks the whole text first (a refused text changes nothing), then applies it: BeginLoading,
// the properties in the order of the text (a nested object's when it comes), then Loaded.
// When a setter throws, the properties before it stay applied, Loaded still runs (so that the
// component leaves its loading state; an error from Loaded is then dropped), and the setter's error
// is raised as EStoredFormError at that property, with the setter's exception nested
// (std::rethrow_if_nested). An error thrown by Loaded after a complete application propagates as is.
// Nested objects are not components: they get no loading state of their own.
void ReadStoredForm(TComponent& component, std::string_view text, const TStoredTable& table);

// As ReadStoredForm for an object that is not a component: no loading state, no Loaded.
void ReadStoredProperties(TObject& object, std::string_view text, const TStoredTable& table);

}  // namespace nox

#pragma once
// Typed values read from a fuzzer's input bytes, for the targets that drive an API with them.
//
// Every read consumes bytes from the front; once the input is used up, reads give 0, false or an
// empty text, so a target never reads past its input and a short input simply ends its run.
// Numbers are biased towards the values that break code: the edges of int and double, NaN, the
// infinities, denormals and the small integers that sizes and indexes usually are.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace nox::fuzz {

class TFuzzInput {
 public:
  TFuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

  bool Empty() const { return m_pos >= m_size; }

  std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  bool Bool() { return (Byte() & 1) != 0; }
  // Little-endian; the reads are sequenced so that every compiler takes the bytes in one order.
  std::uint16_t U16() {
    const unsigned low = Byte();
    return static_cast<std::uint16_t>(low | (unsigned{Byte()} << 8));
  }
  std::uint32_t U32() {
    const std::uint32_t low = U16();
    return low | (std::uint32_t{U16()} << 16);
  }
  std::uint64_t U64() {
    const std::uint64_t low = U32();
    return low | (std::uint64_t{U32()} << 32);
  }

  // lo..hi, both included (lo <= hi).
  int IntIn(int lo, int hi) {
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
    return static_cast<int>(lo + static_cast<std::int64_t>(U32() % span));
  }

  // Any int: mostly small, sometimes an edge of the int range, sometimes any 32 bits.
  int Int() {
    const std::uint8_t kind = Byte();
    switch (kind % 8) {
      case 0:
        return std::numeric_limits<int>::min();
      case 1:
        return std::numeric_limits<int>::max();
      case 2:
        return static_cast<int>(U32());
      case 3:
        return IntIn(-70000, 70000);
      default:
        return IntIn(-20, 300);
    }
  }

  // Any double: a value from the table of troublesome ones, a small integer, or any 64 bits.
  double Double() {
    const std::uint8_t kind = Byte();
    if (kind < 96) return kSpecial[kind % kSpecial.size()];
    if (kind < 176) return static_cast<double>(IntIn(-1000, 1000));
    if (kind < 224) return static_cast<double>(static_cast<std::int32_t>(U32())) / 64.0;
    const std::uint64_t bits = U64();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  // Up to maxLength bytes (any byte values, invalid UTF-8 included).
  std::string Text(std::size_t maxLength) {
    const std::size_t length = Byte() % (maxLength + 1);
    std::string text;
    for (std::size_t i = 0; i < length && !Empty(); ++i) text.push_back(static_cast<char>(Byte()));
    return text;
  }

  // A value of an enumeration with count values; now and then one just outside it, which setters
  // must ignore or repair.
  template <class E>
  E Enum(int count) {
    const std::uint8_t b = Byte();
    return static_cast<E>(b < 240 ? b % count : b);
  }

 private:
  static constexpr double kInf = std::numeric_limits<double>::infinity();
  static constexpr std::array<double, 32> kSpecial = {
      0.0,
      -0.0,
      1.0,
      -1.0,
      0.5,
      100.0,
      1e-100,
      1e-101,
      1e-10,
      1e-300,
      std::numeric_limits<double>::denorm_min(),
      -std::numeric_limits<double>::denorm_min(),
      std::numeric_limits<double>::min(),
      1e15,
      4.5e15,
      9007199254740993.0,
      1e308,
      -1e308,
      std::numeric_limits<double>::max(),
      -std::numeric_limits<double>::max(),
      kInf,
      -kInf,
      std::numeric_limits<double>::quiet_NaN(),
      -std::numeric_limits<double>::quiet_NaN(),
      2147483647.5,
      -2147483648.5,
      86400.0,
      -693593.0,
      3000000.0,
      2958465.0,
      1e-8,
      45000.25,
  };

  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

}  // namespace nox::fuzz

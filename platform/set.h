#pragma once
// A small set of enumeration values (at most 32), the way style and shift-state sets are stored.

#include <cstdint>
#include <initializer_list>

namespace nox {

template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E v : values) m_bits |= Bit(v);
  }
  static constexpr TSet FromBits(std::uint32_t bits) {
    TSet s;
    s.m_bits = bits;
    return s;
  }

  constexpr bool Contains(E v) const { return (m_bits & Bit(v)) != 0; }
  constexpr bool Empty() const { return m_bits == 0; }
  constexpr std::uint32_t Bits() const { return m_bits; }
  constexpr TSet& Include(E v) {
    m_bits |= Bit(v);
    return *this;
  }
  constexpr TSet& Exclude(E v) {
    m_bits &= ~Bit(v);
    return *this;
  }
  constexpr TSet operator|(TSet o) const { return FromBits(m_bits | o.m_bits); }
  constexpr TSet operator&(TSet o) const { return FromBits(m_bits & o.m_bits); }
  constexpr TSet operator-(TSet o) const { return FromBits(m_bits & ~o.m_bits); }
  friend constexpr bool operator==(TSet, TSet) = default;

 private:
  static constexpr std::uint32_t Bit(E v) { return std::uint32_t{1} << static_cast<unsigned>(v); }
  std::uint32_t m_bits = 0;
};

}  // namespace nox

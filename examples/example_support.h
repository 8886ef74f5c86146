#pragma once
// What the examples share: where they write their pictures, and a seeded noise source that gives
// the same numbers on every machine (so the pictures can be compared with the golden ones).

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

namespace example {

// The picture `name` in the folder given as the program's argument (the working folder without one).
inline std::string PicturePath(int argc, char** argv, const std::string& name) {
  return (argc > 1 ? std::string(argv[1]) + "/" : std::string()) + name + ".png";
}

class TNoise {
 public:
  explicit TNoise(std::uint64_t seed) : m_state(seed) {}

  // Uniform in [0, 1).
  double Uniform() {
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(m_state >> 11) * 0x1p-53;
  }
  // Standard normal (Box-Muller).
  double Gaussian() {
    const double radius = std::sqrt(-2 * std::log(1 - Uniform()));
    return radius * std::cos(2 * std::numbers::pi * Uniform());
  }

 private:
  std::uint64_t m_state;
};

}  // namespace example

#pragma once
// Which mark types were already drawn near each pixel during one rendering, so that a mark of the
// same type drawn again within the minimum distance can be left out.
//
// The map covers the control (width x height pixels) plus a border of `distance` pixels on every
// side. A mark whose position lies outside the control has no cell and is never suppressed.

#include <cstdint>
#include <vector>

namespace nox::detail {

class TDuplicateMarkMap {
 public:
  // Forgets every mark and sizes the map for a control of width x height pixels (negative sizes
  // count as 0) and a distance of 1..3 pixels.
  void Reset(int width, int height, int distance);

  // Whether a mark of this type was already drawn within the distance of (x, y) in both x and y.
  // If not, records the mark for every pixel within the distance and returns false.
  bool SeenOrRecord(int x, int y, std::uint8_t markType);

 private:
  std::vector<std::int16_t> m_cells;  // row by row; the mark type, or -1 for none
  int m_columns = 0;
  int m_rows = 0;
  int m_distance = 1;
};

}  // namespace nox::detail

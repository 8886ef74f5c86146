#pragma once
// Where the pixels of a figure's outline ring lie along the way of a dash pattern, for a dashed pen
// at a device scale: its outline is a ring of device pixels, and a pixel is painted when
// PenInk::DashOn says so for its position, the rule by which a dashed line at the scale is drawn.
// Positions count device steps (the larger of the moves along x and y, as a line's steps), so the
// pattern, scaled back by the pen's scale, runs along the ring as it runs along a line.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/raster_canvas.h"
#include "platform/raster_ellipse.h"

namespace nox::detail {

// A rectangle's frame between two boxes, clockwise from the top left corner as the 1-pixel frame:
// the top band left to right (both corners), the right band down, the bottom band right to left,
// the left band up. A pixel takes the position of the outer edge's pixel across the band from it.
class FrameRingPath {
 public:
  FrameRingPath(const Box& outer, const Box& inner) : m_outer(outer), m_inner(inner) {}

  std::int64_t PositionOf(std::int64_t x, std::int64_t y) const {
    const std::int64_t l = m_outer.left, t = m_outer.top, r = m_outer.right - 1, b = m_outer.bottom - 1;
    const std::int64_t w = r - l, h = b - t;
    if (y < m_inner.top) return x - l;
    if (x >= m_inner.right) return w + (y - t);
    if (y >= m_inner.bottom) return w + h + (r - x);
    return 2 * w + h + (b - y);
  }

 private:
  Box m_outer, m_inner;
};

// An ellipse's ring between two boxes, counter-clockwise on screen from the rightmost point as the
// 1-pixel outline: a pixel takes the position of the point of the ring's middle ellipse in its
// direction (at the same parameter angle), measured along that ellipse in device steps.
class EllipseRingPath {
 public:
  EllipseRingPath(const Box& outer, const Box& inner) {
    // The middle ellipse through the pixel centres half way between the two boxes' outermost pixels.
    const auto half = [](std::int64_t outerSize, std::int64_t innerSize) {
      return std::max(0.5, static_cast<double>(outerSize - 1 + std::max<std::int64_t>(innerSize - 1, 0)) / 4);
    };
    m_cx = static_cast<double>(outer.left + outer.right) / 2;
    m_cy = static_cast<double>(outer.top + outer.bottom) / 2;
    m_a = half(outer.right - outer.left, inner.right - inner.left);
    m_b = half(outer.bottom - outer.top, inner.bottom - inner.top);
    // Samples a quarter of a step apart or closer: the sum of their steps is the ellipse's length
    // in steps to well within a step.
    const auto samples = static_cast<std::size_t>(std::ceil(8 * std::numbers::pi * (m_a + m_b))) + 8;
    m_length.resize(samples + 1);
    double x = m_a, y = 0, length = 0;
    for (std::size_t k = 1; k <= samples; ++k) {
      const double t = 2 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(samples);
      const double nx = m_a * std::cos(t), ny = m_b * std::sin(t);
      length += std::max(std::abs(nx - x), std::abs(ny - y));
      m_length[k] = length;
      x = nx;
      y = ny;
    }
  }

  std::int64_t PositionOf(std::int64_t x, std::int64_t y) const {
    // The parameter angle of the pixel's centre, upward from the rightmost point.
    double t = std::atan2((m_cy - (static_cast<double>(y) + 0.5)) / m_b,
                          (static_cast<double>(x) + 0.5 - m_cx) / m_a);
    if (t < 0) t += 2 * std::numbers::pi;
    const double at = t / (2 * std::numbers::pi) * static_cast<double>(m_length.size() - 1);
    const auto k = std::min(static_cast<std::size_t>(at), m_length.size() - 2);
    const double length = m_length[k] + (m_length[k + 1] - m_length[k]) * (at - static_cast<double>(k));
    return static_cast<std::int64_t>(std::floor(length));
  }

 private:
  double m_cx = 0, m_cy = 0, m_a = 0, m_b = 0;
  std::vector<double> m_length;  // length in steps up to sample k of the ellipse, evenly spread in angle
};

}  // namespace nox::detail

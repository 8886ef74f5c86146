// What assistive technology announces for a chart: its caption, and the ranges it shows.

#include <cstdio>
#include <string>
#include <vector>

#include "chart/Nox_grafon.h"

namespace nox {

namespace {

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", v);
  return text;
}

std::string AxisText(const char* name, const TScaleProps& axis) {
  return std::string(name) + " from " + Number(axis.RangeLow()) + " to " + Number(axis.RangeHigh()) +
         (axis.Logarithmic() ? " (logarithmic)" : "");
}

}  // namespace

std::string TCustomGrafon::AccessibleName() const { return m_caption.empty() ? "Chart" : m_caption; }

std::string TCustomGrafon::AccessibleDescription() const {
  // The layers whose axes are shown; layer 1 when none is.
  std::vector<int> layers;
  for (int l = 1; l <= kLayerCount; ++l) {
    if (ScaleXOf(l).Visible() || ScaleYOf(l).Visible()) layers.push_back(l);
  }
  if (layers.empty()) layers.push_back(1);
  std::string text;
  for (const int l : layers) {
    if (!text.empty()) text += "; ";
    if (layers.size() > 1) text += "layer " + std::to_string(l) + ": ";
    text += AxisText("x", ScaleXOf(l)) + ", " + AxisText("y", ScaleYOf(l));
  }
  return text;
}

}  // namespace nox

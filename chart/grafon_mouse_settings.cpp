// The mouse settings' rules: values out of range or not finite are refused or limited.

#include "chart/grafon_mouse_settings.h"

#include <algorithm>
#include <cmath>

namespace nox {

namespace {
constexpr int kMaxReadoutRadius = 100;
}  // namespace

void TGrafonMouseSettings::SetMouseAction(TMouseActMode value) {
  if (value >= kMouseActModeCount) return;
  m_mouseAction = value;
}

void TGrafonMouseSettings::SetPanGridDx(double value) {
  if (std::isfinite(value)) m_panGridDx = value;
}

void TGrafonMouseSettings::SetPanGridDy(double value) {
  if (std::isfinite(value)) m_panGridDy = value;
}

void TGrafonMouseSettings::SetPanGridOffsX(double value) {
  if (std::isfinite(value)) m_panGridOffsX = value;
}

void TGrafonMouseSettings::SetPanGridOffsY(double value) {
  if (std::isfinite(value)) m_panGridOffsY = value;
}

bool TGrafonMouseSettings::LayerMouseActive(int layer) const {
  return layer >= 1 && layer <= kLayerCount && m_layerMouseActive[static_cast<std::size_t>(layer - 1)];
}

void TGrafonMouseSettings::SetLayerMouseActive(int layer, bool value) {
  if (layer < 1 || layer > kLayerCount) return;
  m_layerMouseActive[static_cast<std::size_t>(layer - 1)] = value;
}

void TGrafonMouseSettings::SetReadoutRadius(int value) {
  m_readoutRadius = std::clamp(value, 0, kMaxReadoutRadius);
}

}  // namespace nox

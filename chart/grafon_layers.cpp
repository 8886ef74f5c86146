// The layers' own rules: the confinement box takes finite values only; a property object that is
// set tells the control.

#include "chart/grafon_layers.h"

#include <cmath>

namespace nox {

void TGrafonLayers::SetConfinement(double xLow, double yLow, double xHigh, double yHigh) {
  if (!std::isfinite(xLow) || !std::isfinite(yLow) || !std::isfinite(xHigh) || !std::isfinite(yHigh)) return;
  m_confinement = {xLow, yLow, xHigh, yHigh};
}

void TGrafonLayers::AssignScaleProps(TScaleProps& target, const TScaleProps& value) {
  target.Assign(value);
  ScalePropsAssigned();
}

}  // namespace nox

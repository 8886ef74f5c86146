#include "chart/joint_layers.h"

#include <string>

#include "chart/Nox_grafon.h"

namespace nox {

namespace {

void CheckLayer(int layer) {
  if (layer < 1 || layer > kLayerCount)
    throw ENoxGrafonError("Layer " + std::to_string(layer) + " is out of range");
}

}  // namespace

TJointLayers::TJointLayers(TCustomGrafon* owner) : m_owner(owner) { Clear(); }

void TJointLayers::Clear() {
  for (int l = 1; l <= kLayerCount; ++l) {
    m_xControl[static_cast<std::size_t>(l - 1)] = l;
    m_yControl[static_cast<std::size_t>(l - 1)] = l;
  }
}

int TJointLayers::XControlledBy(int layer) const {
  CheckLayer(layer);
  return m_xControl[static_cast<std::size_t>(layer - 1)];
}

int TJointLayers::YControlledBy(int layer) const {
  CheckLayer(layer);
  return m_yControl[static_cast<std::size_t>(layer - 1)];
}

void TJointLayers::SetXControlledBy(int layer, int destination) {
  SetControlledBy(m_xControl, true, layer, destination);
}

void TJointLayers::SetYControlledBy(int layer, int destination) {
  SetControlledBy(m_yControl, false, layer, destination);
}

void TJointLayers::SetControlledBy(TTable& table, bool isX, int layer, int destination) {
  CheckLayer(layer);
  if (destination < 1 || destination > kLayerCount) {
    throw ENoxGrafonError("Destination layer " + std::to_string(destination) + " is out of range");
  }
  auto at = [&table](int l) -> int& { return table[static_cast<std::size_t>(l - 1)]; };
  if (destination == layer) {
    at(layer) = layer;
    return;
  }
  if (at(destination) != destination) {
    throw ENoxGrafonError("Destination layer " + std::to_string(destination) + " is already joined");
  }
  CheckFollowers(table, layer);
  at(layer) = destination;
  if (m_owner != nullptr) {
    // The joined axis takes its controller's range at once; the other axis keeps its own.
    const TScaleProps& dx = m_owner->ScaleXOf(isX ? destination : layer);
    const TScaleProps& dy = m_owner->ScaleYOf(isX ? layer : destination);
    m_owner->ApplyLayerRange(layer, false, false, dx.RangeLow(), dy.RangeLow(), dx.RangeHigh(),
                             dy.RangeHigh());
  }
  if (OnChange) OnChange(this);
}

void TJointLayers::CheckFollowers(const TTable& table, int layer) {
  std::string followers;
  for (int k = 1; k <= kLayerCount; ++k) {
    if (k == layer || table[static_cast<std::size_t>(k - 1)] != layer) continue;
    if (!followers.empty()) followers += ", ";
    followers += std::to_string(k);
  }
  if (!followers.empty()) {
    throw ENoxGrafonError("Layer " + std::to_string(layer) + " is joined by other layers (" + followers +
                          ")");
  }
}

void TJointLayers::SetXControlledByAsStored(int layer, int destination) {
  CheckLayer(layer);
  CheckLayer(destination);
  m_xControl[static_cast<std::size_t>(layer - 1)] = destination;
}

void TJointLayers::SetYControlledByAsStored(int layer, int destination) {
  CheckLayer(layer);
  CheckLayer(destination);
  m_yControl[static_cast<std::size_t>(layer - 1)] = destination;
}

void TJointLayers::CheckXJoin(int layer) const {
  if (XControlledBy(layer) != layer) CheckFollowers(m_xControl, layer);
}

void TJointLayers::CheckYJoin(int layer) const {
  if (YControlledBy(layer) != layer) CheckFollowers(m_yControl, layer);
}

void TJointLayers::Assign(const TPersistent& Source) {
  const auto* source = dynamic_cast<const TJointLayers*>(&Source);
  if (source == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  m_xControl = source->m_xControl;
  m_yControl = source->m_yControl;
}

}  // namespace nox

// Writing the composed control to a PNG file (screenshots, golden images).

#include "chart/Nox_grafon.h"

namespace nox {

void TCustomGrafon::SaveToPngFile(const std::string& path) {
  // The picture being composed is not finished; composing another one inside it would run the
  // handler that asked again, and again.
  if (m_composing) throw ENoxGrafonError("The chart cannot be saved while it is being painted.");
  const bool changed = ComposeSettled();
  DrawCrossHairs(0, 0, m_controlImage);
  m_controlImage.SaveToPngFile(path);
  // An event handler changed the chart meanwhile: the screen shows it too.
  if (changed) Repaint();
}

}  // namespace nox

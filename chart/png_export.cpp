// Writing the composed control to a PNG file (screenshots, golden images).

#include "chart/Nox_grafon.h"

namespace nox {

void TCustomGrafon::SaveToPngFile(const std::string& path) {
  ComposeControlImage();
  DrawCrossHairs(0, 0, m_controlImage);
  m_controlImage.SaveToPngFile(path);
}

}  // namespace nox

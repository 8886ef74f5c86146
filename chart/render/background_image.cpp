#include "chart/render/background_image.h"

namespace nox {

std::string FileNamePart(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

void TBakGndImg::Changed() {
  if (OnChange) OnChange(this);
}

void TBakGndImg::SetName(const std::string& value) {
  m_name = m_includePath ? value : FileNamePart(value);
  Changed();
}

void TBakGndImg::SetIncludePath(bool value) {
  m_includePath = value;
  if (!value) m_name = FileNamePart(m_name);
  Changed();
}

void TBakGndImg::SetFillMode(TBkgFill value) {
  if (value >= kBkgFillCount) return;
  m_fillMode = value;
  Changed();
}

void TBakGndImg::SetAreaMode(TBGAreaMode value) {
  if (value >= kBGAreaModeCount) return;
  m_areaMode = value;
  Changed();
}

void TBakGndImg::SetAreaColor(TColor value) {
  m_areaColor = value;
  Changed();
}

void TBakGndImg::SetAreaLeft(double value) {
  m_areaLeft = value;
  Changed();
}

void TBakGndImg::SetAreaRight(double value) {
  m_areaRight = value;
  Changed();
}

void TBakGndImg::SetAreaTop(double value) {
  m_areaTop = value;
  Changed();
}

void TBakGndImg::SetAreaBottom(double value) {
  m_areaBottom = value;
  Changed();
}

void TBakGndImg::ResetDefaults() {
  m_name.clear();
  m_includePath = false;
  m_fillMode = bfStretch;
  m_areaMode = bamNone;
  m_areaColor = 0xDDDDDD;
  m_areaLeft = -1.0;
  m_areaRight = 1.0;
  m_areaTop = 1.0;
  m_areaBottom = -1.0;
}

void TBakGndImg::Assign(const TPersistent& Source) {
  const auto* source = dynamic_cast<const TBakGndImg*>(&Source);
  if (source == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  m_name = source->m_name;
  m_includePath = source->m_includePath;
  m_fillMode = source->m_fillMode;
  m_areaMode = source->m_areaMode;
  m_areaColor = source->m_areaColor;
  m_areaLeft = source->m_areaLeft;
  m_areaRight = source->m_areaRight;
  m_areaTop = source->m_areaTop;
  m_areaBottom = source->m_areaBottom;
}

}  // namespace nox

#include "base/Nox_noxbase.h"
#include "base/assign_to.h"

namespace nox {

void TCrossHair::Changed() {
  if (OnChange) OnChange(this);
}

void TCrossHair::SetPosX(double value) {
  m_posX = value;
  Changed();
}
void TCrossHair::SetPosY(double value) {
  m_posY = value;
  Changed();
}
void TCrossHair::SetColor(TColor value) {
  m_color = value;
  Changed();
}
void TCrossHair::SetMode(TCrossHMode value) {
  m_mode = value;
  Changed();
}
void TCrossHair::SetLineType(TPenStyle value) {
  m_lineType = value;
  Changed();
}
void TCrossHair::SetLineWid(int value) {
  m_lineWid = value;
  Changed();
}
void TCrossHair::SetLayer(int value) {
  m_layer = value < 1 ? 1 : (value > 16 ? 16 : value);
  Changed();
}

void TCrossHair::Assign(const TPersistent& Source) {
  if (const auto* other = dynamic_cast<const TCrossHair*>(&Source)) {
    m_posX = other->m_posX;
    m_posY = other->m_posY;
    m_color = other->m_color;
    m_mode = other->m_mode;
    m_lineType = other->m_lineType;
    m_lineWid = other->m_lineWid;
    m_layer = other->m_layer;
    OnChange = other->OnChange;
    return;
  }
  TPersistent::Assign(Source);
}

void TCrossHair::AssignTo(TPersistent& Dest) const { detail::AssignToSameClass(*this, Dest); }

}  // namespace nox

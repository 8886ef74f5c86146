#include "base/Nox_noxbase.h"
#include "base/assign_to.h"

namespace nox {

TCustomTextLabel::TCustomTextLabel() = default;

void TCustomTextLabel::Changed() {
  if (OnChange) OnChange(this);
}

void TCustomTextLabel::SetPosX(double value) {
  m_posX = value;
  Changed();
}
void TCustomTextLabel::SetPosY(double value) {
  m_posY = value;
  Changed();
}
void TCustomTextLabel::SetLayer(int value) {
  if (value < 1 || value > 16) return;
  m_layer = value;
  Changed();
}
void TCustomTextLabel::SetShadowDx(int value) {
  m_shadowDx = value;
  Changed();
}
void TCustomTextLabel::SetShadowDy(int value) {
  m_shadowDy = value;
  Changed();
}
void TCustomTextLabel::SetColorShadow(TColor value) {
  m_colorShadow = value;
  Changed();
}
void TCustomTextLabel::SetAlignment(TAlignment value) {
  m_alignment = value;
  Changed();
}
void TCustomTextLabel::SetVerticalAlignment(TVerticalAlignment value) {
  m_verticalAlignment = value;
  Changed();
}
void TCustomTextLabel::SetAttachToData(TTxtLblAttachMode value) {
  m_attachToData = value;
  Changed();
}
void TCustomTextLabel::SetColorBkg(TColor value) {
  m_colorBkg = value;
  Changed();
}
void TCustomTextLabel::SetColorBorder(TColor value) {
  m_colorBorder = value;
  Changed();
}
void TCustomTextLabel::SetTransparent(bool value) {
  m_transparent = value;
  Changed();
}
void TCustomTextLabel::SetFont(const TFont& value) {
  m_font.Assign(value);
  Changed();
}
void TCustomTextLabel::SetCaption(const std::string& value) {
  m_caption = value;
  // Compared as unsigned bytes: the lead bytes of UTF-8 sequences are not control characters.
  for (char& c : m_caption) {
    if (static_cast<unsigned char>(c) < 32 && c != '\n') c = ' ';
  }
  Changed();
}
void TCustomTextLabel::SetMode(TTxtLblMode value) {
  m_mode = value;
  Changed();
}
void TCustomTextLabel::SetVisible(bool value) {
  m_visible = value;
  Changed();
}

void TCustomTextLabel::Assign(const TPersistent& Source) {
  if (const auto* other = dynamic_cast<const TCustomTextLabel*>(&Source)) {
    m_posX = other->m_posX;
    m_posY = other->m_posY;
    m_layer = other->m_layer;
    m_shadowDx = other->m_shadowDx;
    m_shadowDy = other->m_shadowDy;
    m_colorShadow = other->m_colorShadow;
    m_alignment = other->m_alignment;
    m_verticalAlignment = other->m_verticalAlignment;
    m_attachToData = other->m_attachToData;
    m_colorBkg = other->m_colorBkg;
    m_colorBorder = other->m_colorBorder;
    m_transparent = other->m_transparent;
    m_font.Assign(other->m_font);
    m_caption = other->m_caption;
    m_mode = other->m_mode;
    m_visible = other->m_visible;
    OnChange = other->OnChange;
    return;
  }
  TPersistent::Assign(Source);
}

void TCustomTextLabel::AssignTo(TPersistent& Dest) const { detail::AssignToSameClass(*this, Dest); }

}  // namespace nox

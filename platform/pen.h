#pragma once
// The pen a canvas draws lines and outlines with.

#include <cstdint>

#include "platform/color.h"
#include "platform/object.h"

namespace nox {

// psDash, psDot, psDashDot and psDashDotDot are cosmetic patterns of 1-pixel pens (dash 18 on 6 off,
// dot 3 on 3 off, dash-dot 9 6 3 6, dash-dot-dot 9 3 3 3 3 3); a pen wider than 1 draws them solid.
// psClear draws nothing; psInsideFrame is solid and keeps a wide outline inside the figure's box.
enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// pmCopy paints the pen colour; pmXor combines it with what is there, so drawing twice restores it.
enum TPenMode : std::uint8_t { pmCopy, pmXor };

class TPen : public TPersistent {
 public:
  std::string_view ClassName() const override { return "TPen"; }

  TColor Color() const { return m_color; }
  void SetColor(TColor value);
  TPenStyle Style() const { return m_style; }
  void SetStyle(TPenStyle value);
  // Width in pixels; 0 draws like 1, a negative value is ignored.
  int Width() const { return m_width; }
  void SetWidth(int value);
  TPenMode Mode() const { return m_mode; }
  void SetMode(TPenMode value);

  void Assign(const TPersistent& Source) override;

  TNotifyEvent OnChange;

 private:
  void Changed();

  TColor m_color = clBlack;     // = clBlack
  TPenStyle m_style = psSolid;  // = psSolid
  int m_width = 1;              // = 1, pixels
  TPenMode m_mode = pmCopy;     // = pmCopy
};

}  // namespace nox

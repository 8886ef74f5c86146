#pragma once
// The brush a canvas fills with.

#include <cstdint>

#include "platform/color.h"
#include "platform/object.h"

namespace nox {

// bsClear leaves the inside of figures and the cell behind text untouched.
// As on the platform, choosing bsClear sets the colour to clWhite, and setting a colour on a clear
// brush makes it solid again; code that caches the brush colour reads it back after a style change.
enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

class TBrush : public TPersistent {
 public:
  std::string_view ClassName() const override { return "TBrush"; }

  TColor Color() const { return m_color; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return m_style; }
  void SetStyle(TBrushStyle value);

  void Assign(const TPersistent& Source) override;

  TNotifyEvent OnChange;

 private:
  void Changed();

  TColor m_color = clWhite;       // = clWhite
  TBrushStyle m_style = bsSolid;  // = bsSolid
};

}  // namespace nox

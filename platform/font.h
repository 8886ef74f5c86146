#pragma once
// Font descriptor: what text is drawn with. Size is in points, Height in pixels at PixelsPerInch:
// a negative Height is the character (em) height, a positive one the cell height (ascent + descent).
// Size = -MulDiv(Height, 72, PixelsPerInch); setting Size sets Height = -MulDiv(Size, PixelsPerInch, 72).
// Changing PixelsPerInch keeps Height, so the pixel size stays and Size reads differently.

#include <cstdint>
#include <string>

#include "platform/color.h"
#include "platform/object.h"
#include "platform/set.h"

namespace nox {

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

class TFont : public TPersistent {
 public:
  // A new font: "MS Sans Serif", 8 points at the screen's pixels per inch, clWindowText, no style.
  TFont();
  std::string_view ClassName() const override { return "TFont"; }

  const std::string& Name() const { return m_name; }
  void SetName(const std::string& value);
  int Size() const;
  void SetSize(int points);
  int Height() const { return m_height; }
  void SetHeight(int pixels);
  TFontStyles Style() const { return m_style; }
  void SetStyle(TFontStyles value);
  TColor Color() const { return m_color; }
  void SetColor(TColor value);
  int PixelsPerInch() const { return m_pixelsPerInch; }
  // Values below 1 are ignored.
  void SetPixelsPerInch(int value);

  // Copies name, height, style, colour and pixels per inch from another TFont; then notifies.
  void Assign(const TPersistent& Source) override;

  TNotifyEvent OnChange;

 private:
  void Changed();

  std::string m_name = "MS Sans Serif";
  int m_height = -11;
  TFontStyles m_style;
  TColor m_color = clWindowText;
  int m_pixelsPerInch = 96;
};

// a * b / c rounded half away from zero, computed without overflow; -1 when c is 0.
int MulDiv(int a, int b, int c);

}  // namespace nox

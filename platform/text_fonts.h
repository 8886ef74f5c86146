#pragma once
// Where the faces for text come from.
//
// A TFont name resolves to a face file. Names of the classic desktop fonts resolve to the
// metric-compatible Liberation faces: "Arial", "Helvetica", "MS Sans Serif", "System", "Tahoma",
// "Verdana", "Segoe UI" and the generic "sans-serif" to Liberation Sans; "Times New Roman", "Times"
// and "serif" to Liberation Serif; "Courier New", "Courier" and "monospace" to Liberation Mono.
// Names are compared without regard to case. Any other name goes to fontconfig's best match.
// Liberation Sans is the last resort; only when no face at all can be loaded does text raise
// EFontError. fsBold and fsItalic pick the matching face file of the family.
//
// With a font folder set, faces are taken only from that folder: a family is looked for as
// "<Family>-<Style>.ttf" (the family name without spaces, Style one of Regular, Bold, Italic,
// BoldItalic; the names above map to LiberationSans, LiberationSerif, LiberationMono), and the
// folder's LiberationSans files stand in for every family the folder lacks. This keeps pixels
// independent of the fonts installed on the machine; the tests rely on it.
//
// Sizes: a negative TFont Height is the em size in pixels, a positive one the cell height (ascent +
// descent, met as closely as whole-pixel ascent and descent allow), and Height 0 is the size of a
// new TFont, 8 points at the font's PixelsPerInch. |Height| is clamped to 1000 pixels. Metrics are
// those of the classic drawing device: ascent and descent are the face's Windows ascent and descent
// scaled to the em size, each rounded; there is no kerning.

#include <string>

#include "platform/object.h"

namespace nox {

// No face could be loaded for a font: the message names the font and what was tried.
class EFontError : public Exception {
 public:
  using Exception::Exception;
};

// Sets the font folder; an empty path means the installed fonts. The initial value is the
// environment variable NOX_FONT_DIR, or empty. Changing it drops every cached face and glyph.
void SetFontDirectory(const std::string& path);
std::string FontDirectory();

}  // namespace nox

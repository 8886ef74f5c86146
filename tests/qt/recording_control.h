#pragma once
// A control for the widget tests: it paints a pattern in which every pixel has its own colour
// (so a shifted, cropped or resampled picture cannot pass for the real one) and writes down every
// event it receives, in order, as text such as "down mbLeft ssShift|ssLeft 10,20".

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/control.h"

namespace nox::test {

// The colour the pattern gives a pixel; the seed changes every pixel.
inline TColor PatternColor(int x, int y, int seed) {
  const int red = (x * 37 + seed * 101) & 0xFF;
  const int green = (y * 59 + seed * 23) & 0xFF;
  const int blue = ((x ^ y) * 11 + x / 7) & 0xFF;
  return static_cast<TColor>(red | (green << 8) | (blue << 16));
}

inline std::string ShiftText(TShiftState shift) {
  static constexpr const char* kNames[] = {"ssShift", "ssAlt",    "ssCtrl",  "ssLeft",
                                           "ssRight", "ssMiddle", "ssDouble"};
  std::string text;
  for (int i = 0; i < 7; ++i) {
    if (!shift.Contains(static_cast<TShiftStateFlag>(i))) continue;
    if (!text.empty()) text += '|';
    text += kNames[i];
  }
  return text.empty() ? "-" : text;
}

inline std::string ButtonText(TMouseButton button) {
  return button == mbLeft ? "mbLeft" : button == mbRight ? "mbRight" : "mbMiddle";
}

class TRecordingControl : public TControl {
 public:
  explicit TRecordingControl(int width = 120, int height = 80) : TControl(nullptr) {
    SetBounds(0, 0, width, height);
    OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
      Record("down " + ButtonText(b) + " " + ShiftText(s) + " " + Coordinates(x, y));
    };
    OnMouseMove = [this](TObject*, TShiftState s, int x, int y) {
      Record("move " + ShiftText(s) + " " + Coordinates(x, y));
    };
    OnMouseUp = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
      Record("up " + ButtonText(b) + " " + ShiftText(s) + " " + Coordinates(x, y));
    };
    OnDblClick = [this](TObject*) { Record("dblclick"); };
    OnMouseEnter = [this](TObject*) { Record("enter"); };
    OnMouseLeave = [this](TObject*) { Record("leave"); };
    OnKeyDown = [this](TObject*, std::uint16_t& key, TShiftState s) {
      Record("keydown " + std::to_string(key) + " " + ShiftText(s));
    };
    OnKeyUp = [this](TObject*, std::uint16_t& key, TShiftState s) {
      Record("keyup " + std::to_string(key) + " " + ShiftText(s));
    };
    OnKeyPress = [this](TObject*, char& key) { Record("keypress " + std::to_string(static_cast<int>(key))); };
    OnMouseWheel = [this](TObject*, TShiftState s, int delta, TPoint p, bool& handled) {
      Record("wheel " + ShiftText(s) + " " + std::to_string(delta) + " " + Coordinates(p.X, p.Y));
      handled = WheelHandled;
    };
  }

  int DialogCode() const override { return Code; }

  // Everything received since the last call, and forgets it.
  std::vector<std::string> TakeEvents() {
    std::vector<std::string> taken;
    taken.swap(Events);
    return taken;
  }
  // Only the events whose text starts with this word.
  std::vector<std::string> TakeEvents(const std::string& kind) {
    std::vector<std::string> matching;
    for (const std::string& e : TakeEvents()) {
      if (e.rfind(kind, 0) == 0) matching.push_back(e);
    }
    return matching;
  }

  std::vector<std::string> Events;
  int PaintCount = 0;
  int Seed = 0;              // changes the painted pattern
  int Code = 0;              // the DialogCode answer
  bool WheelHandled = true;  // what OnMouseWheel answers
  bool PaintThrows = false;  // Paint fails as a chart with an unmappable axis does

 protected:
  void Paint() override {
    ++PaintCount;
    if (PaintThrows) throw std::runtime_error("paint broke");
    TBitmap& image = ScreenImage();
    image.Fill(clWhite);
    for (int y = 0; y < image.Height(); ++y) {
      for (int x = 0; x < image.Width(); ++x) image.SetPixel(x, y, PatternColor(x, y, Seed));
    }
  }

 private:
  void Record(std::string text) { Events.push_back(std::move(text)); }
  static std::string Coordinates(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

}  // namespace nox::test

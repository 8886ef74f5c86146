#pragma once
// Enumerations of the windowing layer: text alignment, mouse buttons, shift state and cursors.

#include <cstdint>

#include "platform/set.h"

namespace nox {

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse or key event; ssDouble marks the press of a double click.
enum TShiftStateFlag : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

// Cursor identifiers: the platform's own are zero and below; 1 and above index the application's
// cursor table, which a control fills with THost::RegisterCursor.
using TCursor = std::int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Virtual key codes used by key events.
constexpr std::uint16_t vkTab = 9;
constexpr std::uint16_t vkReturn = 13;
constexpr std::uint16_t vkEscape = 27;
constexpr std::uint16_t vkLeft = 37;
constexpr std::uint16_t vkUp = 38;
constexpr std::uint16_t vkRight = 39;
constexpr std::uint16_t vkDown = 40;

// Answers to the dialog-code query: which keys a control wants to receive itself.
constexpr int dlgcWantArrows = 1;
constexpr int dlgcWantTab = 2;

}  // namespace nox

#pragma once
// Enumerations of the windowing layer: text alignment, mouse buttons, shift state, cursors, and a
// control's place in its parent and its dragging.

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
constexpr TCursor crDrag = -12;
constexpr TCursor crNo = -18;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// How a host lays a control out in its parent. alNone: by the control's own bounds (and Anchors);
// alTop, alBottom, alLeft, alRight: along that side of the room the controls aligned before it
// left, across all of that room; alClient: all the room that is left; alCustom: left to the
// program.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
constexpr int kAlignCount = alCustom + 1;

// The sides of its parent a control keeps its distance to when the parent is resized; with both
// sides of an axis it stretches, with neither it keeps its place relative to the parent's centre.
enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
constexpr int kAnchorKindCount = akBottom + 1;
using TAnchors = TSet<TAnchorKind>;

// What dragging the control means: drag and drop, or docking.
enum TDragKind : std::uint8_t { dkDrag, dkDock };
constexpr int kDragKindCount = dkDock + 1;
// dmAutomatic: a left-button drag on the control drags the control (its left-button mouse
// gestures end there); dmManual: only the program starts a drag.
enum TDragMode : std::uint8_t { dmManual, dmAutomatic };
constexpr int kDragModeCount = dmAutomatic + 1;
// Where a dragged object is, for a control asked whether it would take it.
enum TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

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

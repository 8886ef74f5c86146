#pragma once
// Translation of Qt's input vocabulary into the controls' own: mouse buttons, shift states,
// virtual key codes and typed characters.

#include <QString>
#include <Qt>
#include <cstdint>
#include <optional>

#include "platform/ui_types.h"

namespace nox::detail {

// Shift, Ctrl and Alt from the modifiers; ssLeft, ssRight and ssMiddle from the buttons held.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

// The control's name for a Qt mouse button; nothing for buttons controls do not know (back,
// forward and the other extra buttons).
std::optional<TMouseButton> MouseButtonOf(Qt::MouseButton button);

// The virtual key code of a Qt key: letters 'A'..'Z' (whatever the case typed), digits '0'..'9',
// arrows, Tab (Backtab too), Return and Enter, Escape, Space, Backspace, Insert, Delete, Home, End,
// Page Up/Down, Shift, Ctrl, Alt, Pause, Caps Lock and F1..F24. 0 for every other key: such keys
// (including shifted punctuation, which Qt names by the character) reach a control only as typed
// characters.
std::uint16_t VirtualKeyOf(int qtKey);

// The character a key press typed, when it is a single ASCII character (control characters such
// as Return, Tab, Escape, Backspace and Ctrl+letter included); 0 when the press typed nothing or
// something a single narrow character cannot hold.
char TypedCharOf(const QString& text);

}  // namespace nox::detail

#pragma once

#include <Qt>

class QKeyEvent;

namespace vokamo {

// The virtual key code the drill understands for a Qt key (Windows codes:
// 8 BackSpace, 13 Enter, 27 Esc, 46 Delete, 96..105 keypad digits, 106..111
// keypad operators, 65..90 letters, 48..57 main-row digits). Keys the drill
// has no use for and that have no code give 0.
int VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
int VirtualKeyCode(const QKeyEvent& event);

// The code for a key's release. A keypad key is named by what it types
// with Num Lock on, whatever Num Lock says now: the lock may have changed
// while the key was held, and the release must still reach the key that
// the press lit (7 pressed, Home released).
int ReleasedKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
int ReleasedKeyCode(const QKeyEvent& event);

// The single-byte character a key press types, or 0 when it types nothing
// printable (control keys, text outside ASCII).
char TypedCharacter(const QKeyEvent& event);

}  // namespace vokamo

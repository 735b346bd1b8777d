#include "ui/drillwindow/UiKeyMap.h"

#include <QKeyEvent>

#include "core/drill/DrillScreen.h"

namespace vokamo {

namespace {

// With Num Lock on the keypad sends digits and operators; with Num Lock off
// the digit keys arrive as cursor keys and the decimal point as Delete.
int KeypadCode(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vk::Numpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return vk::Multiply;
        case Qt::Key_Plus:
            return vk::Add;
        case Qt::Key_Minus:
            return vk::Subtract;
        case Qt::Key_Period:
        case Qt::Key_Comma:  // keypads of comma-decimal layouts
        case Qt::Key_Delete:
            return vk::Decimal;
        case Qt::Key_Slash:
            return vk::Divide;
        case Qt::Key_Enter:
        case Qt::Key_Return:
            return vk::Return;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Clear:
            return 12;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_PageUp:
            return 33;
        default:
            return 0;
    }
}

// The digit a keypad key types with Num Lock on, for its Num Lock off face.
int KeypadDigitFace(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Insert:
            return vk::Numpad0;
        case Qt::Key_End:
            return vk::Numpad0 + 1;
        case Qt::Key_Down:
            return vk::Numpad0 + 2;
        case Qt::Key_PageDown:
            return vk::Numpad0 + 3;
        case Qt::Key_Left:
            return vk::Numpad0 + 4;
        case Qt::Key_Clear:
            return vk::Numpad0 + 5;
        case Qt::Key_Right:
            return vk::Numpad0 + 6;
        case Qt::Key_Home:
            return vk::Numpad0 + 7;
        case Qt::Key_Up:
            return vk::Numpad0 + 8;
        case Qt::Key_PageUp:
            return vk::Numpad0 + 9;
        default:
            return 0;
    }
}

int MainCode(int qtKey) {
    // Qt's codes for letters and digits are their upper-case ASCII codes,
    // exactly like the Windows virtual keys.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace:
            return vk::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vk::Return;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return vk::Escape;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return vk::Delete;
        case Qt::Key_NumLock:
            return 144;
        // Shifted main-row digits (US layout) keep the digit's code.
        case Qt::Key_ParenRight:
            return '0';
        case Qt::Key_Exclam:
            return '1';
        case Qt::Key_At:
            return '2';
        case Qt::Key_NumberSign:
            return '3';
        case Qt::Key_Dollar:
            return '4';
        case Qt::Key_Percent:
            return '5';
        case Qt::Key_AsciiCircum:
            return '6';
        case Qt::Key_Ampersand:
            return '7';
        case Qt::Key_Asterisk:
            return '8';
        case Qt::Key_ParenLeft:
            return '9';
        // The main-row punctuation keys are the OEM codes, never the keypad
        // ones: a main-row "-" is not keypad "-".
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 186;
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 188;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 189;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 190;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 191;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 222;
        default:
            return 0;
    }
}

}  // namespace

int VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (int code = KeypadCode(qtKey)) return code;
    }
    return MainCode(qtKey);
}

int VirtualKeyCode(const QKeyEvent& event) {
    return VirtualKeyCode(event.key(), event.modifiers());
}

int ReleasedKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (int digit = KeypadDigitFace(qtKey)) return digit;
    }
    return VirtualKeyCode(qtKey, modifiers);
}

int ReleasedKeyCode(const QKeyEvent& event) {
    return ReleasedKeyCode(event.key(), event.modifiers());
}

char TypedCharacter(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() != 1) return 0;
    const char16_t c = text.at(0).unicode();
    if (c < 0x20 || c > 0x7E) return 0;
    return static_cast<char>(c);
}

}  // namespace vokamo

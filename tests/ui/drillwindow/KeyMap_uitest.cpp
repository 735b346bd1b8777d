#include <gtest/gtest.h>

#include <QKeyEvent>

#include "CaseName.h"
#include "core/drill/DrillScreen.h"
#include "ui/drillwindow/UiKeyMap.h"

namespace vokamo {
namespace {

struct KeyCase {
    const char* what;
    int key;
    bool keypad;
    QString text;
    int code;
    char typed;
};

class KeyMapTable : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyMapTable, GivesTheWindowsCodeAndTheTypedCharacter) {
    const KeyCase& c = GetParam();
    QKeyEvent event(QEvent::KeyPress, c.key, c.keypad ? Qt::KeypadModifier : Qt::NoModifier, c.text);
    EXPECT_EQ(VirtualKeyCode(event), c.code) << c.what;
    EXPECT_EQ(TypedCharacter(event), c.typed) << c.what;
}

const QString None;

INSTANTIATE_TEST_SUITE_P(
    DrillKeys, KeyMapTable,
    ::testing::Values(KeyCase{"BackSpace", Qt::Key_Backspace, false, QStringLiteral("\b"), vk::Back, 0},
                      KeyCase{"Return", Qt::Key_Return, false, QStringLiteral("\r"), vk::Return, 0},
                      KeyCase{"keypad Enter", Qt::Key_Enter, true, QStringLiteral("\r"), vk::Return, 0},
                      KeyCase{"Esc", Qt::Key_Escape, false, QStringLiteral("\x1b"), vk::Escape, 0},
                      KeyCase{"Delete", Qt::Key_Delete, false, QStringLiteral("\x7f"), vk::Delete, 0},
                      KeyCase{"keypad 0", Qt::Key_0, true, QStringLiteral("0"), vk::Numpad0, '0'},
                      KeyCase{"keypad 7", Qt::Key_7, true, QStringLiteral("7"), 103, '7'},
                      KeyCase{"keypad 9", Qt::Key_9, true, QStringLiteral("9"), 105, '9'},
                      KeyCase{"keypad *", Qt::Key_Asterisk, true, QStringLiteral("*"), vk::Multiply, '*'},
                      KeyCase{"keypad +", Qt::Key_Plus, true, QStringLiteral("+"), vk::Add, '+'},
                      KeyCase{"keypad -", Qt::Key_Minus, true, QStringLiteral("-"), vk::Subtract, '-'},
                      KeyCase{"keypad decimal point", Qt::Key_Period, true, QStringLiteral("."), vk::Decimal,
                              '.'},
                      KeyCase{"keypad Delete, Num Lock off", Qt::Key_Delete, true, None, vk::Decimal, 0},
                      KeyCase{"keypad /", Qt::Key_Slash, true, QStringLiteral("/"), vk::Divide, '/'},
                      KeyCase{"main-row -", Qt::Key_Minus, false, QStringLiteral("-"), 189, '-'},
                      KeyCase{"main-row /", Qt::Key_Slash, false, QStringLiteral("/"), 191, '/'},
                      KeyCase{"main-row 1", Qt::Key_1, false, QStringLiteral("1"), '1', '1'},
                      KeyCase{"main-row 0", Qt::Key_0, false, QStringLiteral("0"), '0', '0'},
                      KeyCase{"letter a", Qt::Key_A, false, QStringLiteral("a"), 'A', 'a'},
                      KeyCase{"letter Z with shift", Qt::Key_Z, false, QStringLiteral("Z"), 'Z', 'Z'},
                      KeyCase{"apostrophe", Qt::Key_Apostrophe, false, QStringLiteral("'"), 222, '\''},
                      KeyCase{"space", Qt::Key_Space, false, QStringLiteral(" "), 32, ' '},
                      KeyCase{"kana text is not a byte", Qt::Key_unknown, false, QStringLiteral("あ"), 0, 0},
                      KeyCase{"shift alone", Qt::Key_Shift, false, None, 16, 0}),
    [](const auto& info) { return test::CaseBytes(info.param.what); });

}  // namespace
}  // namespace vokamo

#include <QTest>

#include "DrillWindowFixture.h"

namespace vokamo::test {
namespace {

const QColor Pink(0xFF80FF), Salmon(0xFF8080), Light(0xD3CFC9), Dark(0xCDADA7);

class KeyDrillTest : public DrillWindowTest {
protected:
    void SetUp() override {
        Load({{1, "ライオンが眠る", "", "@lion sleeps", "lion = ライオン"},
              {1, "お茶は熱い", "", "@Tea is hot", ""}});
    }
    bool AllKeysEnabled(bool enabled) {
        for (const char* name :
             {"pnlKeyD", "pnlKeyM", "pnlKeyS", "pnlKey7", "pnlKey8", "pnlKey9", "pnlKeyP", "pnlKey4",
              "pnlKey5", "pnlKey6", "pnlKey1", "pnlKey2", "pnlKey3", "pnlEnter", "pnlKeyBS", "pnlKeyDel"})
            if (Panel(name)->isEnabled() != enabled) return false;
        return true;
    }
};

TEST_F(KeyDrillTest, AWholeSetTypedOnTheKeypadAndTheMainRow) {
    st.HintMode = 1;
    window->StartDrill();
    EXPECT_TRUE(AllKeysEnabled(false));
    Tick(DrillTimer::Start, 3);

    // First word, with the first-letter hint in grey.
    EXPECT_TRUE(window->findChild<QWidget*>("pnlMusi")->isVisible());
    EXPECT_FALSE(window->findChild<QWidget*>("pnlSel")->isVisible());
    EXPECT_TRUE(AllKeysEnabled(true));
    EXPECT_EQ(Text("w2"), QStringLiteral("l---"));
    EXPECT_EQ(Label("w2")->palette().color(QPalette::WindowText), QColor(0x808080));
    EXPECT_EQ(Text("w3"), QStringLiteral("(    ) sleeps "));
    EXPECT_EQ(Panel("pnlKeyD")->Caption(), QStringLiteral("a"));
    EXPECT_EQ(Panel("pnlKey7")->Caption(), QStringLiteral("o"));
    EXPECT_EQ(Panel("pnlKeyS")->Caption(), QStringLiteral("i"));
    EXPECT_EQ(Panel("pnlEnter")->Caption(), QStringLiteral("Enter"));
    EXPECT_GE(KeyTagShowing("l"), 5);
    EXPECT_GE(KeyTagShowing("n"), 5);
    Screenshot("key_hint");

    // Editing keys.
    TypeOnMainRow("x");
    EXPECT_EQ(Text("w2"), QStringLiteral("x"));
    EXPECT_EQ(Label("w2")->palette().color(QPalette::WindowText), QColor(Qt::black));
    Stroke(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(Text("w2"), QString());
    TypeOnMainRow("zz");
    Stroke(Qt::Key_0, Qt::KeypadModifier, QStringLiteral("0"));
    EXPECT_EQ(Text("w2"), QStringLiteral("z"));
    Stroke(Qt::Key_Delete, Qt::NoModifier, QString());
    EXPECT_EQ(Text("w2"), QString());
    TypeOnMainRow("q");
    Press(Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    EXPECT_EQ(Text("w2"), QString());
    EXPECT_EQ(Panel("pnlKeyDel")->Colour(), Salmon);
    Release(Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    EXPECT_EQ(Panel("pnlKeyDel")->Colour(), Light);
    // Keypad "7" and "-" type the letters of their keys, highlighted while held.
    Press(Qt::Key_7, Qt::KeypadModifier, QStringLiteral("7"));
    EXPECT_EQ(Panel("pnlKey7")->Colour(), Salmon);
    Release(Qt::Key_7, Qt::KeypadModifier, QStringLiteral("7"));
    EXPECT_EQ(Panel("pnlKey7")->Colour(), Light);
    Press(Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-"));
    EXPECT_EQ(Panel("pnlKeyS")->Colour(), Salmon);
    Release(Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-"));
    EXPECT_EQ(Panel("pnlKeyS")->Colour(), Dark);
    EXPECT_EQ(Text("w2"), QStringLiteral("oi"));
    Stroke(Qt::Key_Delete, Qt::NoModifier, QString());

    // A wrong word, then its correction.
    TypeOnKeypad("loin");
    EXPECT_EQ(Text("w2"), QStringLiteral("loin"));
    Press(Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
    EXPECT_EQ(Panel("pnlEnter")->Colour(), Salmon);
    Release(Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
    EXPECT_EQ(Panel("pnlEnter")->Colour(), Dark);
    EXPECT_TRUE(Played("oldng.wav", SoundMode::Background));
    EXPECT_EQ(Text("w3"), QStringLiteral("(lion) sleeps "));
    EXPECT_EQ(Label("w3")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(Text("lblMes"), QStringLiteral("直しです"));
    EXPECT_EQ(Text("a0"), QStringLiteral(" loin"));
    EXPECT_TRUE(AllKeysEnabled(true));
    Tick(DrillTimer::NG);
    Screenshot("key_wrong");
    Tick(DrillTimer::NG, 8);

    TypeOnKeypad("lion");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_TRUE(Played("piyo.wav", SoundMode::Background));
    EXPECT_TRUE(AllKeysEnabled(false));
    EXPECT_EQ(Text("w3"), QStringLiteral("lion sleeps "));
    EXPECT_EQ(Text("a0"), QStringLiteral(" loin"));
    PassOkPause();

    // Second question on the main row: the capital comes by itself.
    EXPECT_EQ(Text("w1"), QStringLiteral("お茶は熱い"));
    TypeOnMainRow("tea");
    EXPECT_EQ(Text("w2"), QStringLiteral("Tea"));
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    PassOkPause();

    // End of the first pass: the score, then the review of the wrong one.
    EXPECT_TRUE(Label("lblTen")->isVisible());
    EXPECT_EQ(Text("lblTen"), QStringLiteral("50"));
    EXPECT_EQ(Text("lblMes"), QStringLiteral("復習です"));
    Screenshot("set_end_keys");
    TypeOnKeypad("lion");
    Stroke(Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
    EXPECT_EQ(window->Timer(DrillTimer::OK).interval(), 10);
    PassOkPause();
    EXPECT_TRUE(window->Timer(DrillTimer::Start).isActive());
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(KeyDrillTest, KeysClickedWithTheMouse) {
    Start();
    sound.played.clear();
    UiPanel* o = Panel("pnlKey7");
    QTest::mousePress(o, Qt::LeftButton);
    EXPECT_EQ(o->Colour(), Pink);
    QTest::mouseRelease(o, Qt::LeftButton);
    EXPECT_EQ(o->Colour(), Light);
    EXPECT_EQ(Text("w2"), QStringLiteral("o"));
    EXPECT_EQ(sound.played, (std::vector<PlayedSound>{{"button2.wav", SoundMode::Wait}}));

    Click(Panel("pnlKeyBS"));
    EXPECT_EQ(Text("w2"), QString());
    Click(Panel("pnlKeyD"));
    Click(Panel("pnlKeyM"));
    Click(Panel("pnlKeyDel"));
    EXPECT_EQ(Text("w2"), QString());
    EXPECT_TRUE(Played("button.wav", SoundMode::Wait));

    Click(Panel("pnlKeyD"));
    UiPanel* enter = Panel("pnlEnter");
    QTest::mousePress(enter, Qt::LeftButton);
    QTest::mouseRelease(enter, Qt::LeftButton);
    EXPECT_EQ(enter->Colour(), Dark);
    EXPECT_EQ(Text("lblMes"), QStringLiteral("直しです"));
    EXPECT_TRUE(AllKeysEnabled(true));

    static const std::array<const char*, 13> names{"pnlKeyD", "pnlKeyM", "pnlKeyS", "pnlKey7", "pnlKey8",
                                                   "pnlKey9", "pnlKeyP", "pnlKey4", "pnlKey5", "pnlKey6",
                                                   "pnlKey1", "pnlKey2", "pnlKey3"};
    for (const char* letter : {"l", "i", "o", "n"}) Click(Panel(names[KeyTagShowing(letter)]));
    EXPECT_EQ(Text("w2"), QStringLiteral("lion"));
    QTest::mousePress(enter, Qt::LeftButton);
    QTest::mouseRelease(enter, Qt::LeftButton);
    // A right word disables the keys; the key let go still gets its colour back.
    EXPECT_FALSE(enter->isEnabled());
    EXPECT_EQ(enter->Colour(), Dark);
    EXPECT_EQ(Text("w3"), QStringLiteral("lion sleeps "));
}

TEST_F(KeyDrillTest, DisabledKeysTakeNoClicks) {
    window->StartDrill();
    sound.played.clear();
    Click(Panel("pnlKey7"));
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(Panel("pnlKey7")->Colour(), Light);
}

TEST_F(KeyDrillTest, FlashShowsTheWholeSentenceInGreenForTwoTicks) {
    st.FlashTime = 3;
    Start();
    EXPECT_EQ(Text("w3"), QStringLiteral("lion sleeps "));
    EXPECT_EQ(Label("w3")->palette().color(QPalette::WindowText), QColor(0x008000));
    EXPECT_TRUE(window->Timer(DrillTimer::Flash).isActive());
    EXPECT_EQ(window->Timer(DrillTimer::Flash).interval(), 600);
    Tick(DrillTimer::Flash, 2);
    EXPECT_EQ(Text("w3"), QStringLiteral("(    ) sleeps "));
    EXPECT_FALSE(window->Timer(DrillTimer::Flash).isActive());
}

}  // namespace
}  // namespace vokamo::test

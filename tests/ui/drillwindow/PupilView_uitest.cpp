// What a pupil sees between the answers: a correction that stays, keys that
// type what the answer holds, no highlight left from an earlier question,
// nothing left from an earlier drill, and a drill that says it is over.
#include <QFrame>
#include <QTest>

#include "DrillWindowFixture.h"

namespace vokamo::test {
namespace {

const QColor Light(0xD3CFC9);

QColor Background(QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

class CorrectionDuringFlash : public DrillWindowTest, public ::testing::WithParamInterface<int> {};

// A kind without explanations: the red word is the only place the answer
// shows, and the flash's last tick must not take it away.
TEST_P(CorrectionDuringFlash, StaysRedAfterTheFlashTime) {
    Load({{1, "私もそれが好きです。", "", "I @also like it", ""}}, GetParam());
    Start();
    ASSERT_TRUE(window->Timer(DrillTimer::Flash).isActive());
    TypeOnMainRow("is");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    Tick(DrillTimer::Flash, 2);
    Tick(DrillTimer::NG, 9);
    EXPECT_TRUE(Text("w3").contains(QStringLiteral("(also)"))) << Text("w3").toStdString();
    EXPECT_EQ(Label("w3")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(Text("lblMes"), QStringLiteral("直しです"));
    if (GetParam() == 3) Screenshot("correction_after_flash");
    TypeOnMainRow("also");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(Text("w3"), QStringLiteral("I also like it "));
}

INSTANTIATE_TEST_SUITE_P(FlashTimes, CorrectionDuringFlash, ::testing::Values(1, 3, 20));

// The answer as it is written can be typed on the main keyboard; the
// keypad's decimal point still clears, and a mark the word does not hold
// types nothing.
TEST_F(DrillWindowTest, MainKeyboardTypesTheMarksAWordHolds) {
    Load({{1, "わたしはブラウンさんを知りません。", "", "I @don't know @Mr. Brown", ""}});
    Start();
    TypeOnMainRow("don");
    Stroke(Qt::Key_Apostrophe, Qt::NoModifier, QStringLiteral("'"));
    Stroke(Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
    TypeOnMainRow("t");
    EXPECT_EQ(Text("w2"), QStringLiteral("don't"));
    Stroke(Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    EXPECT_EQ(Text("w2"), QString());
    TypeOnMainRow("don");
    Stroke(Qt::Key_Apostrophe, Qt::NoModifier, QStringLiteral("'"));
    TypeOnMainRow("t");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(Label("w3")->palette().color(QPalette::WindowText), QColor(Qt::black));
    PassOkPause();
    TypeOnMainRow("mr");
    Stroke(Qt::Key_Comma, Qt::NoModifier, QStringLiteral(","));
    Stroke(Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
    EXPECT_EQ(Text("w2"), QStringLiteral("Mr."));
    Screenshot("typed_marks");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(Text("w3"), QStringLiteral("I don't know Mr. Brown "));
    EXPECT_EQ(Text("a0").simplified(), QStringLiteral("don't Mr."));
}

// Keys lit by main-row characters (whose release names no key) are dark
// again on the next blank and the next question.
TEST_F(DrillWindowTest, NextQuestionShowsNoHighlightOfTheLast) {
    Load({{1, "ライオン", "", "@lion @sleeps", ""},
          {0, "ねこ", "cat dog bird", "It is a @cat .", ""},
          {0, "いぬ", "cat dog bird", "It is a @dog .", ""}});
    Start();
    Stroke(Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    Stroke(Qt::Key_Delete, Qt::NoModifier, QString());
    TypeOnMainRow("lion");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    PassOkPause();
    EXPECT_EQ(Panel("pnlKey7")->Colour(), Light);
    TypeOnMainRow("sleeps");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    PassOkPause();
    // Two choice questions: the pick of the first, lit by a main-row digit,
    // must not stand lit on the second.
    for (int question = 0; question < 2; ++question) {
        for (int k = 0; k < ChoiceButtonCount; ++k)
            EXPECT_EQ(Panel(("s" + std::to_string(k)).c_str())->Colour(), Light) << "question " << question;
        const QString right =
            Text("w1") == QStringLiteral("ねこ") ? QStringLiteral("cat") : QStringLiteral("dog");
        int number = 0;
        for (int k = 0; k < ChoiceButtonCount; ++k)
            if (ChoiceShowing(right) == Panel(("s" + std::to_string(k)).c_str())) number = k + 1;
        ASSERT_GT(number, 0);
        Stroke(Qt::Key_0 + number, Qt::NoModifier, QString::number(number));
        PassOkPause();
    }
}

// A new drill, even on another record, starts from an empty window: no
// explanation, sentence or answer of the drill left behind.
TEST_F(DrillWindowTest, NewDrillShowsNothingOfTheLastOne) {
    Load({{0, "ねこ", "cat dog", "It is a @cat .", "2匹なので複数形の cats。"}});
    const QColor noteColour = Background(window->findChild<QFrame*>("pnlDisp"));
    Start();
    Click(ChoiceShowing("dog"));
    ASSERT_FALSE(Text("lblAnsAbout").isEmpty());
    Stroke(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    window->StartDrill();
    Tick(DrillTimer::Start);
    for (const char* name : {"w1", "w2", "w3", "a0", "lblAnsAbout"})
        EXPECT_TRUE(Text(name).isEmpty() || !Label(name)->isVisible()) << name;
    EXPECT_NE(Text("lblMes"), QStringLiteral("直しです"));
    EXPECT_EQ(Background(window->findChild<QFrame*>("pnlDisp")), noteColour);
    Screenshot("new_drill_banner");
}

// After the congratulation the message panel, in its own colours, says the
// drill is over and how to go back, readable and inside the panel.
TEST_F(DrillWindowTest, DrillOverSaysHowToGoBack) {
    Load({{0, "ねこ", "cat dog", "It is a @cat .", ""}});
    st.RecordOff = 1;  // each item once: one set and the drill is over
    QFrame* pnlMes = window->findChild<QFrame*>("pnlMes");
    const QColor panelColour = Background(pnlMes);
    const QColor textColour = Label("lblMes")->palette().color(QPalette::WindowText);
    Start();
    const QString asking = Text("lblMes");
    Click(ChoiceShowing("cat"));
    PassOkPause();
    Tick(DrillTimer::Start, 3);
    ASSERT_TRUE(omedeto->isVisible());
    EXPECT_FALSE(Text("lblMes").isEmpty());
    EXPECT_NE(Text("lblMes"), asking);
    EXPECT_TRUE(Text("lblMes").contains(QStringLiteral("Esc")));
    EXPECT_EQ(Background(pnlMes), panelColour);
    EXPECT_EQ(Label("lblMes")->palette().color(QPalette::WindowText), textColour);
    EXPECT_GE(Label("lblMes")->font().pixelSize(), 12);
    for (const QRect& line : LineRects(Label("lblMes"))) EXPECT_TRUE(pnlMes->contentsRect().contains(line));
    Screenshot("drill_over");
}

}  // namespace
}  // namespace vokamo::test

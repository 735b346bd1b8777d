// What a pupil sees between the answers: a correction that stays, keys that
// type what the answer holds, no highlight or text left from before, and a
// drill that says it is over.
#include <QFrame>
#include <QTest>

#include "CaseName.h"
#include "DrillWindowFixture.h"

namespace vokamo::test {
namespace {

QColor Background(QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

class CorrectionDuringFlash : public DrillWindowTest, public ::testing::WithParamInterface<int> {};

// Without an explanation the red word is the only place the answer shows.
TEST_P(CorrectionDuringFlash, StaysRedAfterTheFlashTime) {
    Load({{1, "私もそれが好きです。", "", "I @also like it", ""}}, GetParam());
    Start();
    ASSERT_TRUE(window->Timer(DrillTimer::Flash).isActive());
    Enter("is");
    Tick(DrillTimer::Flash, 2);
    Tick(DrillTimer::NG, 9);
    EXPECT_EQ(Text("w3"), QStringLiteral("I (also) like it "));
    EXPECT_EQ(Label("w3")->palette().color(QPalette::WindowText), QColor(Qt::red));
    if (GetParam() == 3) Screenshot("correction_after_flash");
}

INSTANTIATE_TEST_SUITE_P(FlashTimes, CorrectionDuringFlash, ::testing::Values(1, 3, 20), test::CaseName());

// The answer as written can be typed on the main keyboard; the keypad's
// decimal point still clears, and a mark the word lacks types nothing.
TEST_F(DrillWindowTest, MainKeyboardTypesTheMarksAWordHolds) {
    Load({{1, "ブラウンさんを知りません。", "", "I @don't know @Mr. Brown", ""}});
    Start();
    const auto mark = [this](int key, const char* text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Stroke(key, mods, QString::fromLatin1(text));
    };
    TypeOnMainRow("don");
    mark(Qt::Key_Apostrophe, "'");
    mark(Qt::Key_Period, ".");
    EXPECT_EQ(Text("w2"), QStringLiteral("don'"));
    mark(Qt::Key_Period, ".", Qt::KeypadModifier);
    EXPECT_EQ(Text("w2"), QString());
    TypeOnMainRow("don");
    mark(Qt::Key_Apostrophe, "'");
    Enter("t");
    PassOkPause();
    TypeOnMainRow("mr");
    mark(Qt::Key_Comma, ",");
    mark(Qt::Key_Period, ".");
    Screenshot("typed_marks");
    Enter("");
    EXPECT_EQ(Text("w3"), QStringLiteral("I don't know Mr. Brown "));
}

// Keys and choices lit by main-row characters (whose release names no key)
// are dark again on the next blank and the next question.
TEST_F(DrillWindowTest, NextQuestionShowsNoHighlightOfTheLast) {
    Load({{1, "ライオンが眠る", "", "@lion @sleeps", ""},
          {0, "ねこ", "cat", "a @cat", ""},
          {0, "いぬ", "dog", "a @dog", ""}});
    Start();
    Stroke(Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    Stroke(Qt::Key_Delete, Qt::NoModifier, QString());
    Enter("lion");
    PassOkPause();
    EXPECT_EQ(Panel("pnlKey7")->Colour(), QColor(0xD3CFC9));
    Enter("sleeps");
    PassOkPause();
    Stroke(Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    PassOkPause();
    EXPECT_EQ(Text("w1"), QStringLiteral("いぬ"));
    EXPECT_EQ(Panel("s0")->Colour(), QColor(0xD3CFC9));
}

// A new drill, even on another record, shows nothing of the last one.
TEST_F(DrillWindowTest, NewDrillShowsNothingOfTheLastOne) {
    Load({{0, "ねこ", "cat dog", "It is a @cat .", "2匹なので複数形の cats。"}});
    const QColor noteColour = Background(window->findChild<QFrame*>("pnlDisp"));
    Start();
    Click(ChoiceShowing("dog"));
    Stroke(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    window->StartDrill();
    Tick(DrillTimer::Start);
    for (const char* name : {"w1", "w2", "w3", "a0", "lblAnsAbout", "lblMes"})
        EXPECT_TRUE(Text(name).isEmpty() || !Label(name)->isVisible()) << name;
    EXPECT_EQ(Background(window->findChild<QFrame*>("pnlDisp")), noteColour);
    Screenshot("new_drill_banner");
}

// After the congratulation the message panel, in its own colours, says the
// drill is over and how to go back, readable and inside the panel.
TEST_F(DrillWindowTest, DrillOverSaysHowToGoBack) {
    Load({{0, "ねこ", "cat dog", "It is a @cat .", ""}});
    st.RecordOff = 1;  // each item once: one set and the drill is over
    QFrame* pnlMes = window->findChild<QFrame*>("pnlMes");
    const QColor designed = Background(pnlMes);
    Start();
    const QString asking = Text("lblMes");
    Click(ChoiceShowing("cat"));
    PassOkPause();
    Tick(DrillTimer::Start, 3);
    ASSERT_TRUE(omedeto->isVisible());
    EXPECT_NE(Text("lblMes"), asking);
    EXPECT_TRUE(Text("lblMes").contains(QStringLiteral("Esc")));
    EXPECT_EQ(Background(pnlMes), designed);
    EXPECT_GE(Label("lblMes")->font().pixelSize(), 12);
    for (const QRect& line : LineRects(Label("lblMes"))) EXPECT_TRUE(pnlMes->contentsRect().contains(line));
    Screenshot("drill_over");
}

}  // namespace
}  // namespace vokamo::test

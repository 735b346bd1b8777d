#include <QTest>

#include "DrillWindowFixture.h"

namespace vokamo::test {
namespace {

const QColor Pink(0xFF80FF), Salmon(0xFF8080), Light(0xD3CFC9);

class ChoiceDrillTest : public DrillWindowTest {
protected:
    void SetUp() override {
        Load({{0, "ねこ", "cat dog bird", "It is a @cat .", "cat = ねこ"},
              {0, "いぬ", "cat dog bird", "It is a @dog .", "dog = いぬ"},
              {0, "探す", "look_for run eat", "I @look_for my key", "look for = 探す"}});
    }
    // The 1-based number of the button that shows the text.
    int NumberOf(const QString& caption) {
        for (int k = 0; k < ChoiceButtonCount; ++k)
            if (ChoiceShowing(caption) == Panel(("s" + std::to_string(k)).c_str())) return k + 1;
        return 0;
    }
};

TEST_F(ChoiceDrillTest, AWholeSetPickedWithMouseAndDigitKeys) {
    window->StartDrill();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), mainWindow->pos());
    Tick(DrillTimer::Start);
    EXPECT_TRUE(Label("lblDName")->isVisible());
    EXPECT_EQ(Text("lblDName"), QStringLiteral("動物の英語"));
    EXPECT_EQ(Text("lblTestCnt"), QStringLiteral("第 1 回"));
    EXPECT_TRUE(Played("change.wav", SoundMode::Wait));
    Screenshot("banner");
    Tick(DrillTimer::Start, 2);
    EXPECT_FALSE(Label("lblDName")->isVisible());

    // First question: picked wrong with the mouse, then right.
    EXPECT_EQ(Text("w1"), QStringLiteral("ねこ"));
    EXPECT_EQ(Text("w3"), QStringLiteral("It is a (       ) . "));
    EXPECT_EQ(Text("lblTitle"), QStringLiteral("第1課"));
    EXPECT_EQ(Text("lblMes"), QStringLiteral("答を入れてください"));
    EXPECT_TRUE(window->findChild<QWidget*>("pnlSel")->isVisible());
    EXPECT_FALSE(window->findChild<QWidget*>("pnlMusi")->isVisible());
    ASSERT_NE(ChoiceShowing("cat"), nullptr);
    ASSERT_NE(ChoiceShowing("dog"), nullptr);
    ASSERT_NE(ChoiceShowing("bird"), nullptr);
    EXPECT_FALSE(Panel("s3")->isVisible());
    Screenshot("choice_question");

    sound.played.clear();
    Click(ChoiceShowing("dog"));
    EXPECT_TRUE(Played("button2.wav", SoundMode::Wait));
    EXPECT_TRUE(Played("oldng.wav", SoundMode::Wait));
    EXPECT_EQ(Text("w2"), QStringLiteral("dog"));
    EXPECT_EQ(Text("w3"), QStringLiteral("It is a (cat) . "));
    EXPECT_EQ(Label("w3")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(Text("lblMes"), QStringLiteral("直しです"));
    EXPECT_EQ(Text("lblAnsAbout"), QStringLiteral("cat = ねこ"));
    EXPECT_EQ(Text("a0"), QStringLiteral("dog"));
    EXPECT_TRUE(window->Timer(DrillTimer::NG).isActive());
    EXPECT_EQ(window->Timer(DrillTimer::NG).interval(), 300);
    Tick(DrillTimer::NG);
    Screenshot("choice_wrong");
    Tick(DrillTimer::NG, 8);
    EXPECT_FALSE(window->Timer(DrillTimer::NG).isActive());

    Click(ChoiceShowing("cat"));
    EXPECT_TRUE(Played("piyo.wav", SoundMode::Wait));
    EXPECT_EQ(Text("a0"), QStringLiteral("dog"));  // the first pick stays
    EXPECT_FALSE(Panel("s0")->isVisible());
    EXPECT_TRUE(window->Timer(DrillTimer::OK).isActive());
    EXPECT_EQ(window->Timer(DrillTimer::OK).interval(), 100);
    PassOkPause();
    EXPECT_FALSE(window->Timer(DrillTimer::OK).isActive());
    EXPECT_TRUE(Label("i0")->isVisible());

    // Second question: a main-row digit; its highlight outlives the key.
    EXPECT_EQ(Text("w1"), QStringLiteral("いぬ"));
    const int dog = NumberOf("dog");
    ASSERT_GT(dog, 0);
    UiPanel* dogButton = ChoiceShowing("dog");
    Press(Qt::Key_0 + dog, Qt::NoModifier, QString::number(dog));
    EXPECT_EQ(dogButton->Colour(), Salmon);
    Release(Qt::Key_0 + dog, Qt::NoModifier, QString::number(dog));
    EXPECT_EQ(dogButton->Colour(), Salmon);
    EXPECT_EQ(Text("a1"), QStringLiteral("dog"));
    PassOkPause();

    // Third question: a keypad digit, cleared on release.
    EXPECT_EQ(Text("w1"), QStringLiteral("探す"));
    const int lookFor = NumberOf("look for");
    ASSERT_GT(lookFor, 0);
    UiPanel* lookForButton = ChoiceShowing("look for");
    Press(Qt::Key_0 + lookFor, Qt::KeypadModifier, QString::number(lookFor));
    EXPECT_EQ(lookForButton->Colour(), Salmon);
    Release(Qt::Key_0 + lookFor, Qt::KeypadModifier, QString::number(lookFor));
    EXPECT_EQ(lookForButton->Colour(), Light);
    EXPECT_EQ(Text("w3"), QStringLiteral("I (look for) my key "));
    PassOkPause();

    // End of the first pass: score shown, the wrong question comes back.
    EXPECT_TRUE(Label("lblTen")->isVisible());
    EXPECT_FALSE(Text("lblTen").isEmpty());
    EXPECT_EQ(Text("lblMes"), QStringLiteral("復習です"));
    EXPECT_EQ(Text("w1"), QStringLiteral("ねこ"));
    for (const char* mark : {"i0", "i1", "i2"}) EXPECT_TRUE(Label(mark)->isVisible()) << mark;
    Screenshot("set_end_choice");
    Click(ChoiceShowing("cat"));
    EXPECT_EQ(window->Timer(DrillTimer::OK).interval(), 10);
    PassOkPause();
    // A pass without wrong answers: the next set's banner is on its way.
    EXPECT_TRUE(window->Timer(DrillTimer::Start).isActive());
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(ChoiceDrillTest, DigitNineAndZeroNeverPick) {
    Start();
    Stroke(Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
    Stroke(Qt::Key_0, Qt::NoModifier, QStringLiteral("0"));
    EXPECT_EQ(Text("w2"), QString());
    EXPECT_FALSE(Label("a0")->isVisible());
    // Every key stroke clicks to its end while choosing.
    EXPECT_TRUE(Played("button2.wav", SoundMode::Wait));
}

TEST_F(ChoiceDrillTest, MouseHighlightFollowsPressAndRelease) {
    Start();
    UiPanel* button = Panel("s1");
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_EQ(button->Colour(), Pink);
    // Let go outside: no pick, the colour comes back.
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(button->Colour(), Light);
    EXPECT_EQ(Text("w2"), QString());
}

}  // namespace
}  // namespace vokamo::test

// What arrives around the drill's own pace: a click that follows the closing
// of the window, a timer started again while it still runs, a keypad key
// whose name changes between press and release.
#include <QGuiApplication>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QToolButton>

#include "DrillWindowFixture.h"

namespace vokamo::test {
namespace {

const QColor Salmon(0xFF8080), Light(0xD3CFC9);

// The drill window's back button lies right over the main window's quit
// button: the second click of a double click on it must not quit.
TEST_F(DrillWindowTest, ClickRightAfterLeavingDoesNotReachTheMainWindow) {
    Load({{0, "ねこ", "cat dog", "It is a @cat .", ""}});
    QStyleHints* hints = QGuiApplication::styleHints();
    const int systemInterval = hints->mouseDoubleClickInterval();
    hints->setMouseDoubleClickInterval(300);
    auto* quit = new QPushButton(QStringLiteral("quit"), mainWindow.get());
    quit->setGeometry(17, 7, 36, 36);
    quit->show();
    int quits = 0;
    QObject::connect(quit, &QPushButton::clicked, [&quits] { ++quits; });

    for (const bool byButton : {true, false}) {
        Start();
        ASSERT_TRUE(window->isVisible());
        if (byButton) {
            Click(window->findChild<QToolButton*>("btnEsc"));
        } else {
            Stroke(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        }
        ASSERT_FALSE(window->isVisible());
        QTest::mouseClick(quit, Qt::LeftButton);
        QTest::mouseDClick(quit, Qt::LeftButton);
        EXPECT_EQ(quits, 0) << (byButton ? "btnEsc" : "Esc key");
        QTest::qWait(400);
        QTest::mouseClick(quit, Qt::LeftButton);
        EXPECT_EQ(quits, 1) << (byButton ? "btnEsc" : "Esc key");
        quits = 0;
    }
    hints->setMouseDoubleClickInterval(systemInterval);
}

// A timer the drill starts again while it is still running counts its
// interval from the new start.
TEST_F(DrillWindowTest, FlashOfTheNextQuestionStandsItsWholeTime) {
    // Flash time 5: the whole sentence stands for two ticks of one second.
    Load({{1, "ライオン", "", "@lion", ""}, {1, "トラ", "", "@tiger", ""}}, 5);
    Start();
    QTimer& flash = window->Timer(DrillTimer::Flash);
    ASSERT_TRUE(flash.isActive());
    ASSERT_EQ(flash.interval(), 1000);
    // Answered while its own flash still runs; the next question follows.
    const bool lionFirst = Text("w1") == QStringLiteral("ライオン");
    TypeOnMainRow(lionFirst ? "lion" : "tiger");
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QTest::qWait(400);
    PassOkPause();
    ASSERT_EQ(Text("w1"), lionFirst ? QStringLiteral("トラ") : QStringLiteral("ライオン"));
    ASSERT_TRUE(flash.isActive());
    EXPECT_GT(flash.remainingTime(), 850);
}

TEST_F(DrillWindowTest, SadFaceStartsAgainAfterASecondWrongPick) {
    Load({{0, "ねこ", "cat dog cow", "It is a @cat .", ""}});
    Start();
    QTimer& ng = window->Timer(DrillTimer::NG);
    Click(ChoiceShowing("dog"));
    ASSERT_TRUE(ng.isActive());
    QTest::qWait(200);
    Click(ChoiceShowing("cow"));
    EXPECT_GT(ng.remainingTime(), 250);
}

// Num Lock changes while a keypad key is held: the key is released under
// its other name (7 pressed, Home released), and its highlight still goes.
struct TwoFaces {
    int digit;        // Qt::Key_1 .. Qt::Key_9
    int cursorFace;   // the same key with Num Lock off
    const char* key;  // the keypad key it types on
};

class KeypadReleaseTest : public DrillWindowTest, public ::testing::WithParamInterface<TwoFaces> {};

TEST_P(KeypadReleaseTest, HighlightGoesWhateverTheKeyIsCalledAtRelease) {
    const TwoFaces& k = GetParam();
    const QString digit(QChar(u'0' + (k.digit - Qt::Key_0)));
    Load({{1, "ライオン", "", "@lion", ""}});
    Start();
    Press(k.digit, Qt::KeypadModifier, digit);
    ASSERT_EQ(Panel(k.key)->Colour(), Salmon);
    Release(k.cursorFace, Qt::KeypadModifier, QString());
    EXPECT_EQ(Panel(k.key)->Colour(), Light);
}

INSTANTIATE_TEST_SUITE_P(NumLock, KeypadReleaseTest,
                         ::testing::Values(TwoFaces{Qt::Key_1, Qt::Key_End, "pnlKey1"},
                                           TwoFaces{Qt::Key_2, Qt::Key_Down, "pnlKey2"},
                                           TwoFaces{Qt::Key_3, Qt::Key_PageDown, "pnlKey3"},
                                           TwoFaces{Qt::Key_4, Qt::Key_Left, "pnlKey4"},
                                           TwoFaces{Qt::Key_5, Qt::Key_Clear, "pnlKey5"},
                                           TwoFaces{Qt::Key_6, Qt::Key_Right, "pnlKey6"},
                                           TwoFaces{Qt::Key_7, Qt::Key_Home, "pnlKey7"},
                                           TwoFaces{Qt::Key_8, Qt::Key_Up, "pnlKey8"},
                                           TwoFaces{Qt::Key_9, Qt::Key_PageUp, "pnlKey9"}));

}  // namespace
}  // namespace vokamo::test

// What arrives around the drill's own pace: a click that follows the closing
// of the window, a timer started again while it still runs, a keypad key
// whose name changes between press and release.
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "CaseName.h"
#include "DrillWindowFixture.h"

namespace vokamo::test {
namespace {

const QColor Salmon(0xFF8080), Light(0xD3CFC9);

// The drill window's back button lies right over the main window's quit
// button: a second click on it, quick or slow, must not quit, however the
// drill window was closed.
TEST_F(DrillWindowTest, ClickSoonAfterLeavingDoesNotReachTheMainWindow) {
    Load({{0, "ねこ", "cat dog", "It is a @cat .", ""}});
    auto* quit = new QPushButton(QStringLiteral("quit"), mainWindow.get());
    quit->setGeometry(17, 7, 36, 36);
    quit->show();
    int quits = 0;
    QObject::connect(quit, &QPushButton::clicked, [&quits] { ++quits; });

    for (const char* way : {"btnEsc", "Esc key", "close box"}) {
        SCOPED_TRACE(way);
        quits = 0;
        Start();
        ASSERT_TRUE(window->isVisible());
        QElapsedTimer sinceLeaving;
        sinceLeaving.start();
        if (way[0] == 'b') {
            Click(window->findChild<QToolButton*>("btnEsc"));
        } else if (way[0] == 'E') {
            Stroke(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        } else {
            window->close();
        }
        ASSERT_FALSE(window->isVisible());
        QTest::mouseDClick(quit, Qt::LeftButton);
        // A slow second click, on either side of the usual double-click
        // interval; only a loaded machine can make it later than meant.
        for (const int at : {450, 550}) {
            QTest::qWait(std::max<int>(0, at - static_cast<int>(sinceLeaving.elapsed())));
            QTest::mouseClick(quit, Qt::LeftButton);
            if (sinceLeaving.elapsed() < 900) {
                EXPECT_EQ(quits, 0) << at;
            }
        }
        QTest::qWait(std::max<int>(0, 1100 - static_cast<int>(sinceLeaving.elapsed())));
        const int before = quits;
        QTest::mouseClick(quit, Qt::LeftButton);
        EXPECT_EQ(quits, before + 1) << "a second after";
    }
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
                                           TwoFaces{Qt::Key_9, Qt::Key_PageUp, "pnlKey9"}),
                         [](const auto& info) { return std::string(info.param.key); });

}  // namespace
}  // namespace vokamo::test

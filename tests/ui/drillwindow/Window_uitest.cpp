#include <QTest>
#include <QToolButton>

#include "CaseName.h"
#include "DrillWindowFixture.h"
#include "TestSupport.h"
#include "core/data/SjisText.h"

namespace vokamo::test {
namespace {

class DrillWindowLayoutTest : public DrillWindowTest {
protected:
    void SetUp() override { Load({{0, "ねこ", "cat dog", "It is a @cat .", "cat = ねこ"}}); }
};

struct Place {
    const char* name;
    QRect rect;  // in the parent's client pixels
};

class DrillWindowPlaces : public DrillWindowLayoutTest, public ::testing::WithParamInterface<Place> {};

TEST_P(DrillWindowPlaces, ControlStandsAtItsDesignPlace) {
    const Place& p = GetParam();
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(p.name));
    ASSERT_NE(widget, nullptr) << p.name;
    EXPECT_EQ(widget->geometry(), p.rect) << p.name;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, DrillWindowPlaces,
    ::testing::Values(Place{"SpeedBar", {5, 3, 706, 45}}, Place{"btnEsc", {13, 5, 36, 36}},
                      Place{"pnlHint", {558, 2, 70, 19}}, Place{"pnlOrder", {630, 3, 73, 19}},
                      Place{"pnlFlash", {557, 23, 87, 19}}, Place{"pnlRec", {646, 23, 57, 19}},
                      Place{"pnlQues", {4, 55, 473, 121}}, Place{"imgFace", {7, 68, 32, 32}},
                      Place{"Panel3", {4, 180, 473, 308}}, Place{"lblTitle", {20, 23, 258, 26}},
                      Place{"lblTen", {378, 15, 78, 58}}, Place{"pnlInf", {480, 55, 233, 167}},
                      Place{"pnlDisp", {9, 8, 217, 119}}, Place{"lblAnsAbout", {5, 7, 206, 96}},
                      Place{"lblDName", {5, 19, 199, 20}}, Place{"lblTestCnt", {45, 51, 123, 20}},
                      Place{"pnlMes", {10, 130, 215, 33}}, Place{"lblMes", {16, 4, 176, 24}},
                      Place{"pnlSel", {483, 224, 231, 268}}, Place{"s0", {4, 4, 225, 29}},
                      Place{"s8", {4, 236, 225, 29}}, Place{"pnlMusi", {481, 224, 229, 268}},
                      Place{"pnlMe", {18, 12, 44, 44}}, Place{"pnlKeyD", {68, 12, 44, 44}},
                      Place{"pnlKeyM", {118, 12, 44, 44}}, Place{"pnlKeyS", {168, 12, 44, 44}},
                      Place{"pnlKey7", {18, 62, 44, 44}}, Place{"pnlKey9", {118, 62, 44, 44}},
                      Place{"pnlKeyP", {168, 62, 44, 94}}, Place{"pnlKey4", {18, 112, 44, 44}},
                      Place{"pnlKey6", {118, 112, 44, 44}}, Place{"pnlKey1", {18, 162, 44, 44}},
                      Place{"pnlKey3", {118, 162, 44, 44}}, Place{"pnlEnter", {168, 162, 44, 94}},
                      Place{"pnlKeyBS", {18, 212, 94, 44}}, Place{"pnlKeyDel", {118, 212, 44, 44}}),
    test::CaseName());

TEST_F(DrillWindowLayoutTest, WindowKeepsTheKeyboardForItself) {
    EXPECT_EQ(window->size(), QSize(719, 496));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantory"));
    EXPECT_FALSE(window->testAttribute(Qt::WA_InputMethodEnabled));
    for (QWidget* child : window->findChildren<QWidget*>())
        EXPECT_EQ(child->focusPolicy(), Qt::NoFocus) << child->objectName().toStdString();
    EXPECT_EQ(window->findChild<QToolButton*>("btnEsc")->toolTip(), QStringLiteral("章の目次に戻る"));

    // Shown by the start button, and again after the main window had the
    // keys, the drill window takes them back.
    window->StartDrill();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), window.get());
    mainWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow.get()));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), window.get());
}

TEST_F(DrillWindowLayoutTest, FontSizesInPointsBecomePixels) {
    DrillScreen screen = machine->Screen();
    screen.w1 = {Sjis("ねこ"), ColourBlack, 16, true};
    screen.w3 = {"It is a cat.", ColourRed, 14, true};
    screen.s[0] = {"apple pie", KeyNormalLight, 11, true, true};
    screen.lblTen = {"80", ColourBlack, 0, true};
    window->Render(screen);
    EXPECT_EQ(Label("w1")->font().pixelSize(), 21);
    EXPECT_EQ(Label("w3")->font().pixelSize(), 19);
    EXPECT_EQ(Label("w3")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(Panel("s0")->CaptionLabel()->font().pixelSize(), 15);
    // The score keeps its own red, large, underlined look.
    EXPECT_EQ(Label("lblTen")->font().pixelSize(), 32);
    EXPECT_TRUE(Label("lblTen")->font().underline());
    EXPECT_EQ(Label("lblTen")->palette().color(QPalette::WindowText), QColor(Qt::red));
    screen.w1.fontPt = 0;
    window->Render(screen);
    EXPECT_EQ(Label("w1")->font().pixelSize(), 19);
}

TEST_F(DrillWindowLayoutTest, TimersFollowTheScreen) {
    DrillScreen screen = machine->Screen();
    QTimer& ok = window->Timer(DrillTimer::OK);
    screen.tmrOK = {true, 100};
    window->Render(screen);
    EXPECT_TRUE(ok.isActive());
    EXPECT_EQ(ok.interval(), 100);
    screen.tmrOK = {true, 10};
    window->Render(screen);
    EXPECT_EQ(ok.interval(), 10);
    screen.tmrOK.enabled = false;
    window->Render(screen);
    EXPECT_FALSE(ok.isActive());
    screen.tmrFlash = {true, 400};
    window->Render(screen);
    EXPECT_TRUE(window->Timer(DrillTimer::Flash).isActive());
    EXPECT_EQ(window->Timer(DrillTimer::Flash).interval(), 400);
}

TEST_F(DrillWindowLayoutTest, EscKeyLeavesWithoutClearing) {
    Start();
    ASSERT_TRUE(window->isVisible());
    mainWindow->hide();
    Stroke(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_EQ(display.cells, 1);
    EXPECT_EQ(Text("w1"), QStringLiteral("ねこ"));
    // A new drill shows the window again.
    window->StartDrill();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(DrillWindowLayoutTest, CloseBoxLeavesLikeEsc) {
    window->StartDrill();
    ASSERT_TRUE(window->Timer(DrillTimer::Start).isActive());
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(display.cells, 1);
    for (DrillTimer t : {DrillTimer::Start, DrillTimer::OK, DrillTimer::NG, DrillTimer::Flash})
        EXPECT_FALSE(window->Timer(t).isActive());
}

TEST_F(DrillWindowLayoutTest, EscButtonClearsAndLeaves) {
    Start();
    Click(ChoiceShowing("dog"));
    ASSERT_EQ(Text("a0"), QStringLiteral("dog"));
    sound.played.clear();
    Click(window->findChild<QToolButton*>("btnEsc"));
    EXPECT_TRUE(Played("button.wav", SoundMode::Wait));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(display.cells, 1);
    EXPECT_EQ(Text("w1"), QString());
    EXPECT_EQ(Text("a0"), QString());
    EXPECT_EQ(Text("lblAnsAbout"), QString());
}

TEST_F(DrillWindowLayoutTest, NothingLeftToAskShowsTheCongratulation) {
    st.ItemState.fill(2);
    Start();
    EXPECT_TRUE(omedeto->isVisible());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(Played("huku.wav", SoundMode::Background));
    EXPECT_TRUE(errors.messages.empty());
}

TEST(OmedetoTest, PicturesDriftLeftAndWrapAround) {
    TfrmOmedeto dialog;
    EXPECT_EQ(dialog.size(), QSize(333, 131));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("やったね。(^_^)v"));
    auto* img1 = dialog.findChild<QLabel*>("img1");
    auto* img2 = dialog.findChild<QLabel*>("img2");
    ASSERT_TRUE(img1 && img2);
    EXPECT_EQ(img1->geometry(), QRect(49, 3, 32, 32));
    EXPECT_EQ(img2->geometry(), QRect(265, 43, 32, 32));
    dialog.Timer1Timer();
    EXPECT_EQ(img1->x(), 44);
    EXPECT_EQ(img2->x(), 257);
    // img1: 49 - 5*8 = 9 < 10 wraps to 260; img2: 265 - 8*31 = 17 < 20 wraps to 255.
    for (int n = 1; n < 8; ++n) dialog.Timer1Timer();
    EXPECT_EQ(img1->x(), 260);
    for (int n = 8; n < 31; ++n) dialog.Timer1Timer();
    EXPECT_EQ(img2->x(), 255);
}

TEST(OmedetoTest, OkClosesTheDialogOnly) {
    TfrmOmedeto dialog;
    dialog.ShowInFront();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    QTest::mouseClick(dialog.findChild<QWidget*>("btnOk"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    auto* label = dialog.findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("おめでとう、よくできました。"));
    EXPECT_EQ(label->pos(), QPoint(17, 103));
    EXPECT_EQ(dialog.findChild<QWidget*>("btnOk")->geometry(), QRect(265, 102, 53, 25));
    EXPECT_TRUE(dialog.grab().save(QString::fromStdString(ShotPath("drill_omedeto.png"))));
}

}  // namespace
}  // namespace vokamo::test

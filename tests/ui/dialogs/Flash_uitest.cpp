#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "DialogTestSupport.h"
#include "Fakes.h"
#include "ui/dialogs/Flash.h"
#include "ui/widgets/UiPanel.h"

namespace vokamo {
namespace {

class FlashTest : public ::testing::Test {
protected:
    void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center()); }
    QString Shown() const { return flash.ValuePanel()->text(); }

    ProgramState st;
    test::RecordingSoundPlayer sound;
    test::RecordingMainDisplay main;
    test::RecordingErrorBox errors;
    TfrmFlash flash{st, sound, main, errors};
};

TEST_F(FlashTest, OpensSilentlyWithTheCurrentTimeAndStepsUp) {
    st.FlashTime = 5;
    flash.ShowAndLoad();
    EXPECT_TRUE(flash.isVisible());
    EXPECT_EQ(flash.size(), QSize(313, 218));
    EXPECT_EQ(flash.windowTitle(), QStringLiteral("フラッシュする時間の設定"));
    EXPECT_EQ(Shown(), QStringLiteral("5"));
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(
        flash.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
        QStringLiteral(
            "フラッシュカードは一定時間、答を表示する機能です。表示時間の設定がが０のときは解答を表示しま"
            "せん。数値は単なる目安で秒ではありません。選択肢問題のとき、フラッシュ機能はありません。"));
    Click(flash.UpPanel());
    EXPECT_EQ(st.FlashTime, 6);
    EXPECT_EQ(Shown(), QStringLiteral("6"));
    Click(flash.DownPanel());
    Click(flash.DownPanel());
    EXPECT_EQ(st.FlashTime, 4);
    EXPECT_EQ(Shown(), QStringLiteral("4"));
    EXPECT_EQ(main.redraws, 0);
    EXPECT_TRUE(sound.played.empty());
    test::SaveScreenshot(&flash, QStringLiteral("flash"));
}

TEST_F(FlashTest, HeldAtTwentyAndAtZero) {
    st.FlashTime = 20;
    flash.ShowAndLoad();
    Click(flash.UpPanel());
    EXPECT_EQ(st.FlashTime, 20);
    EXPECT_EQ(Shown(), QStringLiteral("20"));
    for (int i = 0; i < 25; ++i) Click(flash.DownPanel());
    EXPECT_EQ(st.FlashTime, 0);
    EXPECT_EQ(Shown(), QStringLiteral("0"));
}

TEST_F(FlashTest, OkHidesAndRedrawsAndReopeningShowsTheNewValue) {
    flash.ShowAndLoad();
    Click(flash.UpPanel());
    Click(flash.OkButton());
    EXPECT_FALSE(flash.isVisible());
    EXPECT_EQ(main.redraws, 1);
    st.FlashTime = 12;  // e.g. another record was opened meanwhile
    flash.ShowAndLoad();
    EXPECT_EQ(Shown(), QStringLiteral("12"));
    flash.close();  // the close box redraws as OK does
    EXPECT_EQ(main.redraws, 2);
    flash.ShowAndLoad();
    QTest::keyClick(flash.OkButton(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(flash.isVisible());
    EXPECT_EQ(main.redraws, 3);
}

}  // namespace
}  // namespace vokamo

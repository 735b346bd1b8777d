#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "DialogTestSupport.h"
#include "Fakes.h"
#include "ui/dialogs/Option.h"

namespace vokamo {
namespace {

using test::PlayedSound;

class OptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::FillCodedData(st, 4, 2, 40);
        st.Rng.SetClock([] { return 31337u; });
    }
    // Clicks on the radio's indicator, which is inside its hit area whatever
    // the length of its text.
    void ClickRadio(OptionSetting which, int index) {
        QRadioButton* r = opt.Item(which, index);
        QTest::mouseClick(r, Qt::LeftButton, Qt::NoModifier, QPoint(6, r->height() / 2));
    }
    void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center()); }

    ProgramState st;
    test::RecordingSoundPlayer sound;
    test::RecordingMainDisplay main;
    test::RecordingErrorBox errors;
    TfrmOption opt{st, sound, main, errors};
};

TEST_F(OptionTest, OpeningPlaysTheButtonSoundAndLoadsTheSettings) {
    st.HintMode = 1;
    st.RandomOrder = 0;
    st.RecordOff = 1;
    opt.ShowAndLoad();
    EXPECT_TRUE(opt.isVisible());
    EXPECT_EQ(opt.size(), QSize(423, 279));
    EXPECT_EQ(opt.windowTitle(), QStringLiteral("オプション"));
    EXPECT_EQ(sound.played, (std::vector<PlayedSound>{{"button.wav", SoundMode::Background}}));
    EXPECT_TRUE(opt.Item(OptionSetting::HintMode, 1)->isChecked());
    EXPECT_TRUE(opt.Item(OptionSetting::RandomOrder, 0)->isChecked());
    EXPECT_TRUE(opt.Item(OptionSetting::RecordOff, 1)->isChecked());
    EXPECT_EQ(opt.Item(OptionSetting::RandomOrder, 1)->text(), QStringLiteral("ランダム順"));
    // Loading is not a click: nothing changed.
    EXPECT_EQ(st.HintMode, 1);
    EXPECT_EQ(st.RecordOff, 1);
    test::SaveScreenshot(&opt, QStringLiteral("option"));
}

TEST_F(OptionTest, RadioClickTakesEffectAtOnceAndCancelRestoresWithDataOrder) {
    opt.ShowAndLoad();
    ClickRadio(OptionSetting::RandomOrder, 1);
    EXPECT_EQ(st.RandomOrder, 1);
    ClickRadio(OptionSetting::HintMode, 1);
    ClickRadio(OptionSetting::RecordOff, 1);
    EXPECT_EQ(st.HintMode, 1);
    EXPECT_EQ(st.RecordOff, 1);
    std::reverse(st.ItemOrder.begin(), st.ItemOrder.begin() + st.ItemCount);
    Click(opt.CancelButton());
    EXPECT_FALSE(opt.isVisible());
    EXPECT_EQ(st.RandomOrder, 0);
    EXPECT_EQ(st.HintMode, 0);
    EXPECT_EQ(st.RecordOff, 0);
    EXPECT_TRUE(test::OrderIsIdentity(st));
    EXPECT_EQ(main.redraws, 1);
    EXPECT_EQ(sound.played.size(), 1u);  // only the opening sound
}

TEST_F(OptionTest, OkWithoutChangeInRandomOrderDrawsANewOrder) {
    st.RandomOrder = 1;
    opt.ShowAndLoad();
    Click(opt.OkButton());
    EXPECT_FALSE(opt.isVisible());
    EXPECT_EQ(st.RandomOrder, 1);
    EXPECT_TRUE(test::OrderIsPermutation(st));
    EXPECT_FALSE(test::OrderIsIdentity(st));
    EXPECT_EQ(main.redraws, 1);
}

TEST_F(OptionTest, OkKeepsTheClickedSettings) {
    opt.ShowAndLoad();
    ClickRadio(OptionSetting::RecordOff, 1);
    ClickRadio(OptionSetting::RecordOff, 0);
    ClickRadio(OptionSetting::HintMode, 1);
    Click(opt.OkButton());
    EXPECT_EQ(st.RecordOff, 0);
    EXPECT_EQ(st.HintMode, 1);
    EXPECT_TRUE(test::OrderIsIdentity(st));
    EXPECT_EQ(main.redraws, 1);
}

TEST_F(OptionTest, ClosingByTheWindowBoxKeepsTheSettingsLikeOk) {
    opt.ShowAndLoad();
    ClickRadio(OptionSetting::RandomOrder, 1);
    opt.close();
    EXPECT_EQ(st.RandomOrder, 1);
    EXPECT_FALSE(test::OrderIsIdentity(st));
    EXPECT_TRUE(test::OrderIsPermutation(st));
    EXPECT_EQ(main.redraws, 1);
}

TEST_F(OptionTest, EscCancelsAndEnterKeeps) {
    opt.ShowAndLoad();
    ClickRadio(OptionSetting::RecordOff, 1);
    QTest::keyClick(opt.Item(OptionSetting::RecordOff, 1), Qt::Key_Escape);
    EXPECT_FALSE(opt.isVisible());
    EXPECT_EQ(st.RecordOff, 0);
    opt.ShowAndLoad();
    ClickRadio(OptionSetting::RecordOff, 1);
    QTest::keyClick(opt.Item(OptionSetting::RecordOff, 1), Qt::Key_Return);
    EXPECT_FALSE(opt.isVisible());
    EXPECT_EQ(st.RecordOff, 1);
    EXPECT_EQ(main.redraws, 2);
}

TEST_F(OptionTest, TheCancelCopyIsTakenAnewAtEveryOpening) {
    opt.ShowAndLoad();
    ClickRadio(OptionSetting::HintMode, 1);
    Click(opt.OkButton());
    opt.ShowAndLoad();
    EXPECT_TRUE(opt.Item(OptionSetting::HintMode, 1)->isChecked());
    ClickRadio(OptionSetting::HintMode, 0);
    Click(opt.CancelButton());
    EXPECT_EQ(st.HintMode, 1);
    EXPECT_EQ(main.redraws, 2);
}

// A setting can change while the dialog is closed (another record opened):
// the next opening shows it, not the check left from the last one.
TEST_F(OptionTest, AValueChangedBehindTheDialogIsShownAndSurvivesCancel) {
    st.RecordOff = true;
    opt.ShowAndLoad();
    Click(opt.OkButton());
    st.RecordOff = false;
    opt.ShowAndLoad();
    EXPECT_TRUE(opt.Item(OptionSetting::RecordOff, 0)->isChecked());
    EXPECT_FALSE(opt.Item(OptionSetting::RecordOff, 1)->isChecked());
    Click(opt.CancelButton());
    EXPECT_FALSE(st.RecordOff);
}

}  // namespace
}  // namespace vokamo

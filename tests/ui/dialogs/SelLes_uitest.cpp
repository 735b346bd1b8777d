#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "DialogTestSupport.h"
#include "Fakes.h"
#include "core/data/SjisText.h"
#include "ui/dialogs/SelLes.h"
#include "ui/widgets/UiPanel.h"

namespace vokamo {
namespace {

using test::PlayedSound;

const QColor InRange(0, 128, 192);
const QColor OutOfRange(192, 192, 192);

class SelLesTest : public ::testing::Test {
protected:
    void Open(int lessons, int codes) {
        test::FillCodedData(st, lessons, codes, 40);
        sel.ShowAndFill();
    }
    void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center()); }
    int VisiblePanels() const {
        int n = 0;
        for (int i = 0; i < MaxGroups; ++i) n += sel.GroupPanel(i)->isVisibleTo(&sel) ? 1 : 0;
        return n;
    }

    ProgramState st;
    test::RecordingSoundPlayer sound;
    test::RecordingMainDisplay main;
    test::RecordingErrorBox errors;
    TfrmSel sel{st, sound, main, errors};
};

TEST_F(SelLesTest, OpensWithOnePanelPerLessonAndTheTallHeightFromTen) {
    Open(12, 3);
    EXPECT_TRUE(sel.isVisible());
    EXPECT_EQ(sel.windowTitle(), QStringLiteral("学習範囲の指定"));
    EXPECT_EQ(sel.height(), 476);
    EXPECT_EQ(sel.width(), 393);
    EXPECT_EQ(VisiblePanels(), 12);
    EXPECT_EQ(sel.GroupPanel(0)->Caption(), QStringLiteral("レッスン1"));
    EXPECT_EQ(sel.GroupPanel(11)->Caption(), QStringLiteral("レッスン12"));
    EXPECT_EQ(sel.GroupPanel(11)->geometry(), QRect(13, 8 + 22 * 11, 185, 21));
    EXPECT_EQ(sel.GroupPanel(4)->Colour(), InRange);
    EXPECT_TRUE(sound.played.empty());  // the main window opens it silently
    test::SaveScreenshot(&sel, QStringLiteral("selles_12_lessons"));

    // Reopened with nine groups: short window, the other panels hidden.
    test::FillCodedData(st, 9, 3, 40);
    st.LessonSelected[2] = 0;
    sel.ShowAndFill();
    EXPECT_EQ(sel.height(), 250);
    EXPECT_EQ(VisiblePanels(), 9);
    EXPECT_EQ(sel.GroupPanel(2)->Colour(), OutOfRange);
    test::SaveScreenshot(&sel, QStringLiteral("selles_9_lessons"));
}

TEST_F(SelLesTest, ClickingAPanelTwiceRestoresFlagAndColourAndRedrawsEachTime) {
    Open(5, 3);
    Click(sel.GroupPanel(3));
    EXPECT_EQ(st.LessonSelected[3], 0);
    EXPECT_EQ(sel.GroupPanel(3)->Colour(), OutOfRange);
    // The main window follows before OK.
    EXPECT_EQ(main.labelsAndCells, 1);
    EXPECT_EQ(main.redraws, 0);
    Click(sel.GroupPanel(3));
    EXPECT_EQ(st.LessonSelected[3], 1);
    EXPECT_EQ(sel.GroupPanel(3)->Colour(), InRange);
    EXPECT_EQ(main.labelsAndCells, 2);
    EXPECT_EQ(sound.played, (std::vector<PlayedSound>{{"button.wav", SoundMode::Background},
                                                      {"button.wav", SoundMode::Background}}));
}

TEST_F(SelLesTest, ClearAllThenOkLeavesNothingInRange) {
    Open(6, 3);
    Click(sel.AllOffPanel());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(sel.GroupPanel(i)->Colour(), OutOfRange) << i;
    EXPECT_EQ(main.labelsAndCells, 1);
    Click(sel.OkButton());
    EXPECT_FALSE(sel.isVisible());
    EXPECT_EQ(main.redraws, 1);
    EXPECT_EQ(sound.played.size(), 2u);
    for (int i = 0; i < st.ItemCount; ++i) EXPECT_FALSE(ItemInRange(st, i)) << i;

    // Select all brings every group back.
    sel.ShowAndFill();
    Click(sel.AllOnPanel());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(st.LessonSelected[i], 1) << i;
    EXPECT_EQ(sel.GroupPanel(5)->Colour(), InRange);
    EXPECT_EQ(main.labelsAndCells, 2);
}

TEST_F(SelLesTest, FocusOnCodesShowsAndChangesCodesOnly) {
    st.FocusOnCode = 1;
    Open(12, 4);
    EXPECT_EQ(VisiblePanels(), 4);
    EXPECT_EQ(sel.height(), 250);
    EXPECT_EQ(sel.GroupPanel(1)->Caption(), QStringLiteral("コード2"));
    Click(sel.GroupPanel(1));
    Click(sel.AllOffPanel());
    Click(sel.GroupPanel(3));
    EXPECT_EQ(st.CodeSelected, (std::array<bool, MaxGroups>{false, false, false, true}));
    for (int i = 0; i < 12; ++i) EXPECT_EQ(st.LessonSelected[i], 1) << i;
    test::SaveScreenshot(&sel, QStringLiteral("selles_codes"));
}

TEST_F(SelLesTest, KindOneWithFocusLeftOnCodesShowsLessons) {
    test::FillCodedData(st, 3, 0, 9);
    st.DataKind = DataKind::Lessons;
    st.FocusOnCode = 1;
    sel.ShowAndFill();
    EXPECT_EQ(VisiblePanels(), 3);
    Click(sel.GroupPanel(0));
    EXPECT_EQ(st.LessonSelected[0], 0);
}

TEST_F(SelLesTest, ClosingByTheWindowBoxRedrawsLikeOk) {
    Open(3, 3);
    Click(sel.GroupPanel(0));
    sel.close();
    EXPECT_FALSE(sel.isVisible());
    EXPECT_EQ(main.redraws, 1);
    EXPECT_EQ(st.LessonSelected[0], 0);  // nothing undone
    // A second close of a hidden window does not redraw again.
    sel.close();
    EXPECT_EQ(main.redraws, 1);
}

TEST_F(SelLesTest, PressOutsideAPanelIsNoClick) {
    Open(3, 3);
    UiPanel* p = sel.GroupPanel(1);
    QSignalSpy spy(p, &UiPanel::clicked);
    QTest::mousePress(p, Qt::LeftButton, Qt::NoModifier, p->rect().center());
    QTest::mouseRelease(p, Qt::LeftButton, Qt::NoModifier, QPoint(p->width() + 30, 5));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(st.LessonSelected[1], 1);
    QTest::mouseClick(p, Qt::RightButton, Qt::NoModifier, p->rect().center());
    EXPECT_EQ(spy.count(), 0);
}

}  // namespace
}  // namespace vokamo

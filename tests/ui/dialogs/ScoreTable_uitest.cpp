#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "DialogTestSupport.h"
#include "Fakes.h"
#include "core/data/SjisText.h"
#include "ui/dialogs/ScoreTable.h"
#include "ui/platform/UiText.h"

namespace vokamo {
namespace {

class ScoreTableTest : public ::testing::Test {
protected:
    QString Cell(int row, int col) const {
        const QTableWidgetItem* it = table.Grid()->item(row, col);
        return it ? it->text() : QString();
    }
    QString Name(int row) const { return table.Grid()->verticalHeaderItem(row)->text(); }
    QStringList Row(int row) const { return {Cell(row, 0), Cell(row, 1), Cell(row, 2), Cell(row, 3)}; }

    ProgramState st;
    test::RecordingSoundPlayer sound;
    test::RecordingMainDisplay main;
    test::RecordingErrorBox errors;
    TfrmScoreTable table{st, sound, main, errors};
};

TEST_F(ScoreTableTest, ShowsOneRowPerLessonWithTheTallies) {
    test::FillCodedData(st, 3, 2, 0);
    auto add = [&](int lesson, int state, int tries) {
        const int i = st.ItemCount++;
        st.ItemLesson[i] = lesson;
        st.ItemState[i] = state;
        st.ItemTries[i] = tries;
    };
    add(0, 2, 2);
    add(0, 1, 1);
    add(0, -1, 0);
    add(1, 1, 3);
    table.FillAndShow();
    EXPECT_TRUE(table.isVisible());
    EXPECT_EQ(table.size(), QSize(334, 291));
    EXPECT_EQ(table.windowTitle(), QStringLiteral("成績集計表"));
    QTableWidget* g = table.Grid();
    EXPECT_EQ(g->geometry(), QRect(5, 7, 316, 210));
    EXPECT_EQ(g->columnCount(), 4);
    EXPECT_EQ(g->verticalHeader()->width(), 60);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(g->columnWidth(c), 60) << c;
    EXPECT_EQ(g->horizontalHeaderItem(0)->text(), QStringLiteral("題数"));
    EXPECT_EQ(g->horizontalHeaderItem(1)->text(), QStringLiteral("習得数"));
    EXPECT_EQ(g->horizontalHeaderItem(2)->text(), QStringLiteral("習得率"));
    EXPECT_EQ(g->horizontalHeaderItem(3)->text(), QStringLiteral("評価"));
    ASSERT_EQ(g->rowCount(), 3);
    EXPECT_EQ(Name(0), QStringLiteral("レッスン1"));
    EXPECT_EQ(Row(0), (QStringList{"3", "1", "33", "100"}));
    EXPECT_EQ(Row(1), (QStringList{"1", "0", "0", "33"}));
    EXPECT_EQ(Row(2), (QStringList{"0", "0", "0", "0"}));
    EXPECT_FALSE(g->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(sound.played.empty());  // the main window plays the opening sound
    test::SaveScreenshot(&table, QStringLiteral("scoretable"));
}

TEST_F(ScoreTableTest, RefilledAtEveryOpeningAndGroupedByCodeWhileFocused) {
    test::FillCodedData(st, 12, 3, 36);
    table.FillAndShow();
    EXPECT_EQ(table.Grid()->rowCount(), 12);
    test::SaveScreenshot(&table, QStringLiteral("scoretable_12_lessons"));
    table.close();
    EXPECT_EQ(main.redraws, 1);

    st.FocusOnCode = 1;
    st.ItemState[0] = 2;
    st.ItemTries[0] = 2;
    table.FillAndShow();
    ASSERT_EQ(table.Grid()->rowCount(), 3);  // rows of the larger table are gone
    EXPECT_EQ(Name(2), QStringLiteral("コード3"));
    EXPECT_EQ(Row(0), (QStringList{"12", "1", "8", "100"}));
    EXPECT_EQ(Row(1), (QStringList{"12", "0", "0", "0"}));
}

// A name wider than its column ends at a whole character; the whole name
// is the tool-tip.
TEST_F(ScoreTableTest, LongGroupNamesEndAtACharacter) {
    test::FillCodedData(st, 2, 0, 4);
    st.LessonNames[0] = Sjis("Lesson1 学校の生活");
    table.FillAndShow();
    const QString whole = ToQt(st.LessonNames[0]);
    EXPECT_EQ(table.Grid()->verticalHeaderItem(0)->toolTip(), whole);
    EXPECT_LT(QFontMetrics(table.Grid()->verticalHeader()->font()).horizontalAdvance(Name(0)),
              table.Grid()->verticalHeader()->width());
    EXPECT_TRUE(whole.startsWith(Name(0).chopped(1)) && Name(0).endsWith(QChar(0x2026)))
        << Name(0).toStdString();
    test::SaveScreenshot(&table, QStringLiteral("scoretable_long_names"));
}

TEST_F(ScoreTableTest, OkClosesAndRedraws) {
    test::FillCodedData(st, 2, 0, 4);
    st.DataKind = DataKind::Lessons;
    st.FocusOnCode = 1;  // left on by an earlier record: still lessons
    table.FillAndShow();
    EXPECT_EQ(table.Grid()->rowCount(), 2);
    QTest::mouseClick(table.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(table.isVisible());
    EXPECT_EQ(main.redraws, 1);
}

TEST_F(ScoreTableTest, KindZeroShowsOneRowForAllQuestions) {
    st.DataKind = DataKind::Plain;
    st.LessonCount = 1;
    st.LessonNames[0] = Sjis("全問題");
    st.ItemCount = 6;
    for (int i = 0; i < 6; ++i) st.ItemState[i] = -1;
    table.FillAndShow();
    ASSERT_EQ(table.Grid()->rowCount(), 1);
    EXPECT_EQ(Name(0), QStringLiteral("全問題"));
    EXPECT_EQ(Row(0), (QStringList{"6", "0", "0", "0"}));
}

}  // namespace
}  // namespace vokamo

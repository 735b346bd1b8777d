#include "core/records/ScoreDisplay.h"

#include <gtest/gtest.h>

#include <vector>

#include "CaseName.h"
#include "core/data/SjisText.h"

namespace vokamo {
namespace {

// A state of the given kind whose groups hold the given numbers of items,
// item by item in group order.
ProgramState StateWithGroups(int kind, const std::vector<int>& groupSizes, bool byCode = false) {
    ProgramState st;
    st.DataKind = *DataKindFromNumber(kind);
    st.TypeCode = kind;
    st.RecordOpen = 1;
    st.Title = Sjis("中学英単語");
    st.PlayerName = Sjis("太郎");
    const int groups = static_cast<int>(groupSizes.size());
    st.LessonCount = byCode ? 1 : groups;
    st.CodeCount = kind > 1 ? (byCode ? groups : 1) : 0;
    st.FocusOnCode = byCode ? 1 : 0;
    for (int g = 0; g < MaxGroups; ++g) {
        st.LessonNames[g] = Sjis("課") + std::to_string(g);
        st.CodeNames[g] = Sjis("型") + std::to_string(g);
        st.LessonSelected[g] = 1;
        st.CodeSelected[g] = 1;
    }
    int item = 0;
    for (int g = 0; g < groups; ++g)
        for (int n = 0; n < groupSizes[g]; ++n, ++item) {
            st.ItemLesson[item] = byCode ? 0 : g;
            st.ItemCode[item] = byCode ? g : 0;
            st.ItemState[item] = -1;
        }
    st.ItemCount = item;
    return st;
}

MainScreen Redrawn(ProgramState& st) {
    MainScreen screen;
    CountGroups(st);
    FullRedraw(st, screen);
    return screen;
}

struct LayoutCase {
    const char* name;
    std::vector<int> groups;
    std::vector<int> firstRows;
    int rows;
    int origin;
    int pitch;
};

class GridLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(GridLayout, RowsLabelsAndCellsLineUp) {
    const LayoutCase& c = GetParam();
    ProgramState st = StateWithGroups(1, c.groups);
    const MainScreen screen = Redrawn(st);
    ASSERT_EQ(st.BarCount, static_cast<int>(c.groups.size()));
    EXPECT_EQ(st.BarRows, c.rows);
    EXPECT_EQ(std::vector<int>(st.BarFirstRow.begin(), st.BarFirstRow.begin() + st.BarCount), c.firstRows);
    for (int g = 0; g < st.BarCount; ++g) {
        EXPECT_TRUE(screen.labels[g].visible);
        EXPECT_EQ(screen.labels[g].top, c.origin + c.firstRows[g] * c.pitch) << "group " << g;
        EXPECT_EQ(screen.labels[g].caption, Sjis("課") + std::to_string(g));
    }
    for (int g = st.BarCount; g < MaxGroups; ++g) EXPECT_FALSE(screen.labels[g].visible);

    // Each group's first cell sits on its label's row; its 56th starts the
    // next row at the left edge.
    ASSERT_EQ(screen.cells.size(), static_cast<size_t>(st.ItemCount));
    size_t first = 0;
    for (int g = 0; g < st.BarCount; ++g) {
        if (c.groups[g] == 0) continue;
        const Cell& cell = screen.cells[first];
        EXPECT_EQ(cell.x, GridLeft);
        EXPECT_EQ(cell.y, screen.labels[g].top);
        if (c.groups[g] > 55) {
            EXPECT_EQ(screen.cells[first + 54].x, GridLeft + 54 * 10);
            EXPECT_EQ(screen.cells[first + 55].x, GridLeft);
            EXPECT_EQ(screen.cells[first + 55].y, cell.y + c.pitch);
        }
        first += static_cast<size_t>(c.groups[g]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridLayout,
    ::testing::Values(
        LayoutCase{"Exactly55", {55, 3}, {0, 1}, 2, 132, 21},
        LayoutCase{"Fifty6", {56, 3}, {0, 2}, 3, 132, 21},
        LayoutCase{"OneHundred11", {111, 3}, {0, 3}, 4, 132, 21},
        LayoutCase{"EmptyGroupTakesARow", {0, 5}, {0, 1}, 2, 132, 21},
        LayoutCase{"FourteenRows", {56, 56, 56, 56, 56, 56, 1, 1}, {0, 2, 4, 6, 8, 10, 12, 13}, 14, 132, 21},
        LayoutCase{
            "FifteenRows", {56, 56, 56, 56, 56, 56, 1, 1, 1}, {0, 2, 4, 6, 8, 10, 12, 13, 14}, 15, 82, 18}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScoreDisplay, CellColoursFollowTheItemState) {
    ProgramState st = StateWithGroups(1, {6});
    const int states[] = {-1, 0, 1, 2, 3, -7};
    for (int i = 0; i < 6; ++i) st.ItemState[i] = states[i];
    const MainScreen screen = Redrawn(st);
    const std::vector<uint32_t> fills = {0xFFFFFF, 0x0000FF, 0xFFFF00, 0xFF0000, 0xFFFFFF, 0xFFFFFF};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(screen.cells[i].fill, fills[i]) << "state " << states[i];
        EXPECT_EQ(screen.cells[i], (Cell{GridLeft + i * 10, 132, 8, 16, fills[i], InRangeBorder}));
    }
}

TEST(ScoreDisplay, DeselectedLessonIsSilverWithWhiteBorders) {
    ProgramState st = StateWithGroups(1, {2, 2});
    st.LessonSelected[1] = 0;
    const MainScreen screen = Redrawn(st);
    EXPECT_EQ(screen.labels[0].colour, SelectedLabelColour);
    EXPECT_EQ(screen.labels[1].colour, DeselectedLabelColour);
    EXPECT_EQ(screen.cells[1].border, InRangeBorder);
    EXPECT_EQ(screen.cells[2].border, OutOfRangeBorder);
    EXPECT_EQ(screen.cells[3].border, OutOfRangeBorder);
}

// Grouped by code, a cell still leaves the range when its lesson is
// deselected, and the labels follow the code flags.
TEST(ScoreDisplay, ByCodeTheRangeStillConsidersLessons) {
    ProgramState st = StateWithGroups(2, {3, 3}, true);
    st.LessonCount = 2;
    st.ItemLesson[2] = 1;
    st.LessonSelected[1] = 0;
    st.CodeSelected[1] = 0;
    const MainScreen screen = Redrawn(st);
    EXPECT_EQ(screen.labels[0].caption, Sjis("型0"));
    EXPECT_EQ(screen.labels[0].colour, SelectedLabelColour);
    EXPECT_EQ(screen.labels[1].colour, DeselectedLabelColour);
    const std::vector<uint32_t> borders = {InRangeBorder,    InRangeBorder,    OutOfRangeBorder,
                                           OutOfRangeBorder, OutOfRangeBorder, OutOfRangeBorder};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(screen.cells[i].border, borders[i]) << i;
}

// The focus switch stays on when a record without codes is opened: the
// bars are still the lessons, with every item placed.
TEST(ScoreDisplay, KindsWithoutCodesGroupByLessonWhateverTheFocus) {
    for (int kind : {0, 1}) {
        ProgramState st = StateWithGroups(kind, kind == 0 ? std::vector<int>{70} : std::vector<int>{4, 5});
        if (kind == 0) st.LessonNames[0] = Sjis("全問題");
        st.FocusOnCode = 1;
        const MainScreen screen = Redrawn(st);
        EXPECT_EQ(st.FocusOnCode, 1);
        EXPECT_EQ(st.BarCount, kind == 0 ? 1 : 2);
        EXPECT_EQ(screen.cells.size(), static_cast<size_t>(st.ItemCount));
        EXPECT_TRUE(screen.labels[0].visible);
        if (kind == 0) {
            EXPECT_EQ(screen.labels[0].caption, Sjis("全問題"));
            EXPECT_EQ(st.BarRows, 2);
        }
        EXPECT_FALSE(screen.btnExChange);
    }
}

struct StatusCase {
    int recordOff, hintMode, randomOrder, flashTime;
    const char *rec, *hint, *order, *flash;
};

class StatusPanels : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusPanels, ShowTheSettings) {
    const StatusCase& c = GetParam();
    ProgramState st = StateWithGroups(0, {1});
    st.RecordOff = c.recordOff;
    st.HintMode = c.hintMode;
    st.RandomOrder = c.randomOrder;
    st.FlashTime = c.flashTime;
    MainScreen screen;
    ShowStatus(st, screen);
    EXPECT_EQ(screen.pnlRec, Sjis(c.rec));
    EXPECT_EQ(screen.pnlHint, Sjis(c.hint));
    EXPECT_EQ(screen.pnlOrder, Sjis(c.order));
    EXPECT_EQ(screen.pnlFlash, Sjis(c.flash));
    EXPECT_EQ(screen.lblTitle, Sjis("中学英単語"));
    EXPECT_EQ(screen.lblPlayer, Sjis("太郎"));
    EXPECT_TRUE(screen.statusVisible && screen.lblTitleVisible && screen.lblPlayerVisible);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StatusPanels,
    ::testing::Values(StatusCase{0, 0, 0, 0, "記録ON", "普通表示", "並び順", "ﾌﾗｯｼｭ表示0"},
                      StatusCase{1, 1, 1, 3, "記録OFF", "１字表示", "ﾗﾝﾀﾞﾑ順", "ﾌﾗｯｼｭ表示3"},
                      StatusCase{0, 1, 0, 20, "記録ON", "１字表示", "並び順", "ﾌﾗｯｼｭ表示20"}),
    [](const auto& info) {
        const StatusCase& c = info.param;
        return "Off" + std::to_string(c.recordOff) + "Hint" + std::to_string(c.hintMode) + "Random" +
               std::to_string(c.randomOrder) + "Flash" + std::to_string(c.flashTime);
    });

TEST(ScoreDisplay, FullRedrawSetsTheDataButtonsByKind) {
    for (int kind = 0; kind <= 3; ++kind) {
        ProgramState st = StateWithGroups(kind, {2, 2});
        const MainScreen screen = Redrawn(st);
        EXPECT_EQ(screen.btnSel, kind > 0) << kind;
        EXPECT_EQ(screen.btnExChange, kind > 1) << kind;
    }
}

// Changing a flag and drawing again (no new layout) recolours in place and
// never adds cells.
TEST(ScoreDisplay, RedrawRecoloursWithoutMovingCells) {
    ProgramState st = StateWithGroups(1, {3, 3});
    MainScreen screen = Redrawn(st);
    const auto before = screen.cells;
    st.LessonSelected[0] = 0;
    st.ItemState[4] = 2;
    RedrawRecord(st, screen);
    ASSERT_EQ(screen.cells.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(screen.cells[i].x, before[i].x);
        EXPECT_EQ(screen.cells[i].y, before[i].y);
    }
    EXPECT_EQ(screen.cells[0].border, OutOfRangeBorder);
    EXPECT_EQ(screen.cells[4].fill, LearnedColour);
    EXPECT_EQ(screen.labels[0].colour, DeselectedLabelColour);
    EXPECT_EQ(st.BarItemCount[0], 3);  // running positions end as the counts
}

TEST(ScoreDisplay, NothingIsDrawnWithoutARecord) {
    ProgramState st = StateWithGroups(1, {3});
    st.RecordOpen = 0;
    MainScreen screen;
    RedrawRecord(st, screen);
    EXPECT_TRUE(screen.cells.empty());
    EXPECT_FALSE(screen.statusVisible);
}

}  // namespace
}  // namespace vokamo

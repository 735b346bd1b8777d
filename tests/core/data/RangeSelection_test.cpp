#include "core/data/RangeSelection.h"

#include <gtest/gtest.h>

#include "CaseName.h"
#include "core/data/SjisText.h"
#include "core/drill/DrillImpl.h"

namespace vokamo {
namespace {

// Four lessons and three codes, all in range, as after creating a record.
class RangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        st.DataKind = DataKind::Mixed;
        st.LessonCount = 4;
        st.CodeCount = 3;
        for (int i = 0; i < 4; ++i) st.LessonNames[i] = Sjis("課") + std::to_string(i);
        for (int i = 0; i < 3; ++i) st.CodeNames[i] = Sjis("コード") + std::to_string(i);
        for (int i = 0; i < 4; ++i) st.LessonSelected[i] = 1;
        for (int i = 0; i < 3; ++i) st.CodeSelected[i] = 1;
    }
    ProgramState st;
};

TEST_F(RangeTest, ToggleTwiceRestoresTheFlag) {
    ToggleRangeGroup(st, 2);
    EXPECT_EQ(st.LessonSelected[2], 0);
    EXPECT_FALSE(RangeGroupSelected(st, 2));
    ToggleRangeGroup(st, 2);
    EXPECT_EQ(st.LessonSelected[2], 1);
    EXPECT_EQ(st.LessonSelected, (std::array<bool, MaxGroups>{true, true, true, true}));
}

TEST_F(RangeTest, StrayFlagValueCountsAsSelectedAndAClickClearsIt) {
    st.LessonSelected[1] = 7;
    EXPECT_TRUE(RangeGroupSelected(st, 1));
    ToggleRangeGroup(st, 1);
    EXPECT_EQ(st.LessonSelected[1], 0);
}

TEST_F(RangeTest, ClearAllAndSelectAllCoverOnlyTheGroups) {
    st.LessonSelected[10] = 1;  // beyond LessonCount: not ours to touch
    ClearAllRangeGroups(st);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(st.LessonSelected[i], 0) << i;
    EXPECT_EQ(st.LessonSelected[10], 1);
    st.LessonSelected[10] = 0;
    SelectAllRangeGroups(st);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(st.LessonSelected[i], 1) << i;
    EXPECT_EQ(st.LessonSelected[4], 0);
    EXPECT_EQ(st.LessonSelected[10], 0);
    // Codes were never the subject.
    EXPECT_EQ(st.CodeSelected, (std::array<bool, MaxGroups>{true, true, true}));
}

TEST_F(RangeTest, ClearAllLeavesNoItemInRange) {
    st.ItemCount = 8;
    for (int i = 0; i < 8; ++i) {
        st.ItemLesson[i] = i % 4;
        st.ItemCode[i] = i % 3;
    }
    for (int i = 0; i < 8; ++i) {
        st.ItemState[i] = -1;
        st.ItemOrder[i] = i;
    }
    EXPECT_EQ(PickSet(st, 100), 8);
    ClearAllRangeGroups(st);
    for (int i = 0; i < 8; ++i) EXPECT_FALSE(ItemInRange(st, i)) << i;
    // The next drill finds nothing to ask.
    st.PickPos = st.PickStart = 0;
    EXPECT_EQ(PickSet(st, 100), 0);
}

TEST_F(RangeTest, FocusOnCodesWorksOnTheCodeFlagsAndLeavesLessonsAlone) {
    st.FocusOnCode = 1;
    ASSERT_TRUE(GroupsByCode(st));
    EXPECT_EQ(RangeGroupCount(st), 3);
    EXPECT_EQ(RangeGroupName(st, 1), Sjis("コード1"));
    ToggleRangeGroup(st, 0);
    ClearAllRangeGroups(st);
    ToggleRangeGroup(st, 2);
    EXPECT_EQ(st.CodeSelected, (std::array<bool, MaxGroups>{false, false, true}));
    EXPECT_EQ(st.LessonSelected, (std::array<bool, MaxGroups>{true, true, true, true}));
    // An index beyond the three codes changes nothing.
    ToggleRangeGroup(st, 3);
    EXPECT_EQ(st.CodeSelected[3], 0);
}

struct FocusCase {
    int32_t kind;
    int32_t focus;
    bool onCodes;
};

class RangeFocusTest : public RangeTest, public ::testing::WithParamInterface<FocusCase> {};

// A focus switch left on by an earlier record of kind 2 or 3 must not turn
// the lessons of a kind 0 or 1 file into an empty list of codes.
TEST_P(RangeFocusTest, LessonsUnlessFocusOnCodesWithCodedData) {
    const FocusCase c = GetParam();
    st.DataKind = *DataKindFromNumber(c.kind);
    st.FocusOnCode = c.focus;
    if (c.kind < 2) st.CodeCount = 0;
    EXPECT_EQ(GroupsByCode(st), c.onCodes);
    EXPECT_EQ(RangeGroupCount(st), c.onCodes ? 3 : 4);
    ToggleRangeGroup(st, 0);
    EXPECT_EQ(st.LessonSelected[0], c.onCodes ? 1 : 0);
    EXPECT_EQ(st.CodeSelected[0], c.onCodes ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(RangeKinds, RangeFocusTest,
                         ::testing::Values(FocusCase{0, 1, false}, FocusCase{1, 1, false},
                                           FocusCase{1, 0, false}, FocusCase{2, 0, false},
                                           FocusCase{2, 1, true}, FocusCase{3, 1, true},
                                           FocusCase{3, 0, false}),
                         [](const auto& info) {
                             return "Kind" + std::to_string(info.param.kind) + "Focus" +
                                    std::to_string(info.param.focus);
                         });

TEST_F(RangeTest, CountsBeyondTheTablesAreHeld) {
    st.LessonCount = 45;
    EXPECT_EQ(RangeGroupCount(st), MaxGroups);
    SelectAllRangeGroups(st);  // must not write past the table
    EXPECT_EQ(st.LessonSelected[MaxGroups - 1], 1);
    st.LessonCount = -3;
    EXPECT_EQ(RangeGroupCount(st), 0);
    EXPECT_EQ(RangeGroupName(st, 0), "");
}

}  // namespace
}  // namespace vokamo

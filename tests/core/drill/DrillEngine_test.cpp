#include <gtest/gtest.h>

#include "CaseName.h"
#include "core/drill/DrillImpl.h"
#include "core/state/ProgramState.h"

namespace vokamo {
namespace {

class PickSetTest : public ::testing::Test {
protected:
    void Items(int n, int kind = 0) {
        st.ItemCount = n;
        st.DataKind = *DataKindFromNumber(kind);
        for (int i = 0; i < n; ++i) st.ItemOrder[i] = i;
        st.ItemState.fill(-1);
        st.LessonSelected.fill(1);
        st.CodeSelected.fill(1);
    }
    std::vector<int> Picked(int count) const {
        return std::vector<int>(st.SetItems.begin(), st.SetItems.begin() + count);
    }
    ProgramState st;
};

TEST_F(PickSetTest, FirstCycleTakesNewAndWrongThenRightOnceItemsInTheSecond) {
    Items(600);
    st.ItemState.fill(2);
    for (int i : {100, 200, 300, 400, 500}) st.ItemState[i] = i == 300 ? 0 : -1;
    for (int i = 20; i < 50; ++i) st.ItemState[i] = 1;
    st.PickStart = 30;
    const int count = PickSet(st, 0);
    ASSERT_EQ(count, 10);
    EXPECT_EQ(Picked(count), (std::vector<int>{100, 200, 300, 400, 500, 30, 31, 32, 33, 34}));
    EXPECT_EQ(st.PickStart, 30);
    EXPECT_EQ(st.PickPos, 35);
}

TEST_F(PickSetTest, ScoreBelowSeventyPicksAgainFromTheStartOfTheLastScan) {
    Items(30);
    st.PickStart = 4;
    st.PickPos = 14;
    EXPECT_EQ(PickSet(st, 69), 10);
    EXPECT_EQ(st.SetItems[0], 4);
    EXPECT_EQ(st.PickPos, 14);

    st.PickStart = 4;
    st.PickPos = 14;
    EXPECT_EQ(PickSet(st, 70), 10);
    EXPECT_EQ(st.SetItems[0], 14);
    EXPECT_EQ(st.PickStart, 14);
    EXPECT_EQ(st.PickPos, 24);
}

TEST_F(PickSetTest, ScanFollowsTheItemOrderAndWrapsAround) {
    Items(12);
    for (int i = 0; i < 12; ++i) st.ItemOrder[i] = 11 - i;
    st.PickPos = 8;
    const int count = PickSet(st, 100);
    EXPECT_EQ(Picked(count), (std::vector<int>{3, 2, 1, 0, 11, 10, 9, 8, 7, 6}));
    EXPECT_EQ(st.PickPos, 6);
}

TEST_F(PickSetTest, LearnedItemsAreNeverPicked) {
    Items(5);
    st.ItemState.fill(2);
    EXPECT_EQ(PickSet(st, 0), 0);
    st.ItemState[3] = 1;
    EXPECT_EQ(PickSet(st, 0), 1);
    EXPECT_EQ(st.SetItems[0], 3);
}

TEST_F(PickSetTest, SmallSetTakesEachItemOnce) {
    Items(3);
    st.ItemState[1] = 1;
    const int count = PickSet(st, 0);
    EXPECT_EQ(Picked(count), (std::vector<int>{0, 2, 1}));
}

TEST_F(PickSetTest, OnlyItemsInRangeArePicked) {
    Items(6, 2);
    st.ItemLesson = {0, 1, 0, 1, 0, 1};
    st.ItemCode = {0, 0, 1, 1, 0, 0};
    st.LessonSelected.fill(0);
    st.LessonSelected[0] = 1;
    st.CodeSelected.fill(0);
    st.CodeSelected[0] = 1;
    const int count = PickSet(st, 0);
    EXPECT_EQ(Picked(count), (std::vector<int>{0, 4}));
    // Kind 1 has no second code to select by.
    st.DataKind = DataKind::Lessons;
    const int byLesson = PickSet(st, 0);
    EXPECT_EQ(Picked(byLesson), (std::vector<int>{0, 2, 4}));
}

TEST_F(PickSetTest, WithoutRecordingEachItemIsAskedOncePerRun) {
    Items(15);
    st.RecordOff = 1;
    st.ItemState.fill(2);
    EXPECT_EQ(PickSet(st, 100), 10);
    EXPECT_EQ(PickSet(st, 100), 5);
    EXPECT_EQ(st.SetItems[0], 10);
    st.PickPos = 0;
    st.PickStart = 0;
    EXPECT_EQ(PickSet(st, 0), 0);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(st.AskedThisRun[i], 1);
}

TEST_F(PickSetTest, NoItemsGiveAnEmptySetInsteadOfAnEndlessScan) {
    Items(0);
    EXPECT_EQ(PickSet(st, 0), 0);
    Items(4);
    st.PickPos = 9;  // left over from a longer file
    EXPECT_EQ(PickSet(st, 100), 4);
    EXPECT_EQ(st.SetItems[0], 0);
}

struct JudgeCase {
    std::string given, expected;
    bool right;
};

class JudgeTest : public ::testing::TestWithParam<JudgeCase> {};

TEST_P(JudgeTest, ComparesWholeStringsIgnoringTheCaseOfLatinLetters) {
    const JudgeCase c = GetParam();
    EXPECT_EQ(Judge(c.given, c.expected), c.right) << c.given << " / " << c.expected;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JudgeTest,
    ::testing::Values(JudgeCase{"Apple", "apple", true}, JudgeCase{"TOKYO", "Tokyo", true},
                      JudgeCase{"apple ", "apple", false}, JudgeCase{" apple", "apple", false},
                      JudgeCase{"look for", "look for", true}, JudgeCase{"look_for", "look for", false},
                      JudgeCase{"", "", true}, JudgeCase{"it's", "its", false},
                      // "ア" (83 41) and "ャ" (83 61): second bytes are not letters.
                      JudgeCase{"\x83\x41", "\x83\x61", false}, JudgeCase{"\x83\x41x", "\x83\x41X", true}),
    [](const auto& info) {
        return test::CaseBytes(info.param.given) + "_" + test::CaseBytes(info.param.expected);
    });

}  // namespace
}  // namespace vokamo

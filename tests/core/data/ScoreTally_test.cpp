#include "core/data/ScoreTally.h"

#include <gtest/gtest.h>

#include "core/data/SjisText.h"

namespace vokamo {
namespace {

// A small kind-2 file: three lessons and two codes. Items are added one by
// one with their progress.
class ScoreTallyTest : public ::testing::Test {
protected:
    void SetUp() override {
        st.DataKind = DataKind::LessonsCodes;
        st.LessonCount = 3;
        st.LessonNames[0] = Sjis("第1課");
        st.LessonNames[1] = Sjis("第2課");
        st.LessonNames[2] = Sjis("第3課");
        st.CodeCount = 2;
        st.CodeNames[0] = Sjis("名詞");
        st.CodeNames[1] = Sjis("動詞");
    }
    void AddItem(int lesson, int code, int state, int tries) {
        const int i = st.ItemCount++;
        st.ItemLesson[i] = lesson;
        st.ItemCode[i] = code;
        st.ItemState[i] = state;
        st.ItemTries[i] = tries;
    }
    // The four number cells of a row as the learner reads them.
    static std::array<std::string, 4> Numbers(const GroupTally& g) {
        const SummaryRow r = SummaryGroupRow(g);
        return {r[1], r[2], r[3], r[4]};
    }
    using Row = std::array<std::string, 4>;
    ProgramState st;
};

TEST_F(ScoreTallyTest, ExampleGroupsOfTheTable) {
    // Lesson 0: learned after 2 tries, right once after 1 try, never asked.
    AddItem(0, 0, 2, 2);
    AddItem(0, 0, 1, 1);
    AddItem(0, 1, -1, 0);
    // Lesson 1: wrong twice then right once.
    AddItem(1, 1, 1, 3);
    // Lesson 2 has no items.
    const ScoreSummary s = TallyScores(st);
    ASSERT_EQ(s.Count, 3);
    EXPECT_EQ(Numbers(s.Groups[0]), (Row{"3", "1", "33", "100"}));
    EXPECT_EQ(Numbers(s.Groups[1]), (Row{"1", "0", "0", "33"}));
    EXPECT_EQ(Numbers(s.Groups[2]), (Row{"0", "0", "0", "0"}));
    EXPECT_EQ(SummaryGroupRow(s.Groups[1])[0], Sjis("第2課"));
}

TEST_F(ScoreTallyTest, WrongAnswersLowerTheEvaluationAndStateZeroGivesNoPoints) {
    AddItem(0, 0, 0, 4);  // last answer wrong
    AddItem(0, 0, 2, 3);  // learned after one wrong answer
    const ScoreSummary s = TallyScores(st);
    EXPECT_EQ(s.Groups[0].Points, 2);
    EXPECT_EQ(s.Groups[0].Tries, 7);
    EXPECT_EQ(Numbers(s.Groups[0]), (Row{"2", "1", "50", "28"}));
}

TEST_F(ScoreTallyTest, ErasedRecordShowsOnlyTheItemCounts) {
    for (int i = 0; i < 7; ++i) AddItem(i % 3, i % 2, -1, 0);
    const ScoreSummary s = TallyScores(st);
    EXPECT_EQ(Numbers(s.Groups[0]), (Row{"3", "0", "0", "0"}));
    EXPECT_EQ(Numbers(s.Groups[1]), (Row{"2", "0", "0", "0"}));
    EXPECT_EQ(Numbers(s.Groups[2]), (Row{"2", "0", "0", "0"}));
}

TEST_F(ScoreTallyTest, GroupsByCodeWhileTheFocusIsOnCodes) {
    AddItem(0, 1, 2, 2);
    AddItem(2, 1, 2, 2);
    AddItem(1, 0, -1, 0);
    st.FocusOnCode = 1;
    const ScoreSummary s = TallyScores(st);
    ASSERT_EQ(s.Count, 2);
    EXPECT_EQ(s.Groups[0].Name, Sjis("名詞"));
    EXPECT_EQ(Numbers(s.Groups[0]), (Row{"1", "0", "0", "0"}));
    EXPECT_EQ(Numbers(s.Groups[1]), (Row{"2", "2", "100", "100"}));
}

TEST_F(ScoreTallyTest, KindOneWithTheFocusLeftOnCodesStillGroupsByLesson) {
    st.DataKind = DataKind::Lessons;
    st.CodeCount = 0;
    st.FocusOnCode = 1;
    AddItem(0, 0, 2, 2);
    AddItem(2, 0, 1, 1);
    const ScoreSummary s = TallyScores(st);
    ASSERT_EQ(s.Count, 3);
    EXPECT_EQ(s.Groups[2].Name, Sjis("第3課"));
    EXPECT_EQ(Numbers(s.Groups[0]), (Row{"1", "1", "100", "100"}));
    EXPECT_EQ(Numbers(s.Groups[2]), (Row{"1", "0", "0", "100"}));
}

TEST_F(ScoreTallyTest, KindZeroHasOneRowForAllQuestions) {
    st.DataKind = DataKind::Plain;
    st.LessonCount = 1;
    st.LessonNames[0] = Sjis("全問題");
    st.CodeCount = 0;
    st.FocusOnCode = 1;  // left on by an earlier record
    for (int i = 0; i < 5; ++i) AddItem(0, 0, i == 0 ? 2 : -1, i == 0 ? 2 : 0);
    const ScoreSummary s = TallyScores(st);
    ASSERT_EQ(s.Count, 1);
    EXPECT_EQ(SummaryGroupRow(s.Groups[0])[0], Sjis("全問題"));
    EXPECT_EQ(Numbers(s.Groups[0]), (Row{"5", "1", "20", "100"}));
}

TEST_F(ScoreTallyTest, EveryItemCountsWhetherInRangeOrNot) {
    st.LessonSelected = {};
    st.CodeSelected = {};
    AddItem(1, 0, 1, 1);
    EXPECT_EQ(TallyScores(st).Groups[1].Items, 1);
}

TEST_F(ScoreTallyTest, OutOfTableValuesNeitherCrashNorOverflow) {
    // Values a hand-edited record or a damaged file could bring in.
    AddItem(0, 0, 2, 2'000'000'000);
    AddItem(0, 0, 2, 2'000'000'000);
    AddItem(25, 0, 2, 2);  // a lesson with no row
    AddItem(-1, 0, 2, 2);
    st.LessonCount = 99;
    const ScoreSummary s = TallyScores(st);
    EXPECT_EQ(s.Count, MaxGroups);
    EXPECT_EQ(s.Groups[0].Tries, 4'000'000'000LL);
    EXPECT_EQ(s.Groups[0].Items, 2);
    EXPECT_EQ(EvaluationText(s.Groups[0]), "0");  // 400 / 4e9 truncates
    int total = 0;
    for (const auto& g : s.Groups) total += g.Items;
    EXPECT_EQ(total, 2);
}

}  // namespace
}  // namespace vokamo

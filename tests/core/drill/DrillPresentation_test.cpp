#include "CaseName.h"
#include "DrillFixture.h"
#include "core/data/SjisText.h"

namespace vokamo::test {
namespace {

class DrillPresentationTest : public DrillTest {};

TEST_F(DrillPresentationTest, FontSizesFollowTheLengthsOfTheTexts) {
    LoadData(1, {{"I @like apples", "短い問い", "", "", 0, 1},
                 {"this is a rather long sentence to @type", "これは少し長めの問いです", "", "", 0, 1}});
    StartAndOpenFirstSet();
    EXPECT_EQ(Scr().w1.fontPt, 16);
    EXPECT_EQ(Scr().w2.fontPt, 18);
    EXPECT_EQ(Scr().w3.fontPt, 18);
    EXPECT_EQ(Scr().a[0].fontPt, 14);
    EXPECT_TRUE(Scr().w1.visible && Scr().w2.visible && Scr().w3.visible);
    AnswerRight();
    EXPECT_EQ(Scr().w1.fontPt, 12);
    EXPECT_EQ(Scr().w3.fontPt, 14);
    EXPECT_EQ(Scr().a[1].fontPt, 14);
}

TEST_F(DrillPresentationTest, LongSentenceIsCutTo180Bytes) {
    std::string answer = "abcdefghijklm @end ";
    for (int w = 0; w < 16; ++w) answer += "abcdefghijklm ";
    LoadData(1, {{answer, "長文", "", "", 0, 1}});
    StartAndOpenFirstSet();
    EXPECT_EQ(Scr().w3.text.size(), 180u);
    EXPECT_EQ(Scr().w3.text.substr(0, 14), "abcdefghijklm ");
}

TEST_F(DrillPresentationTest, ShortNoteIsLargerAndAnEmptyNoteLeavesTheAreaAsItWas) {
    LoadData(1, {{"a @cat", "猫", "", "", 0, 1}});
    StartAndOpenFirstSet();
    TypeAndEnter("dog");
    EXPECT_EQ(Scr().lblAnsAbout.fontPt, 14);
    EXPECT_EQ(Scr().lblAnsAbout.text, "");
    EXPECT_EQ(Scr().pnlDispColour, 0x0000A0u);
    EXPECT_EQ(U(Scr().lblMes.text), "直しです");
    EXPECT_EQ(Scr().lblMes.colour, ColourWhite);
}

struct TitleCase {
    int kind;
    int focusOnCode;
    std::string title;
};

class TitleTest : public DrillTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(TitleTest, NamesTheLessonOrTheCodeOfTheItem) {
    const TitleCase c = GetParam();
    st.FocusOnCode = c.focusOnCode;
    LoadData(c.kind, {{"a @cat", "猫", "cat dog", "", 1, 0}});
    // The bars are the lessons unless the focus is on codes in a kind that has them.
    st.BarLabels = c.focusOnCode == 1 && c.kind >= 2 ? st.CodeNames : st.LessonNames;
    StartAndOpenFirstSet();
    EXPECT_EQ(U(Scr().lblTitle.text), c.title);
    EXPECT_TRUE(Scr().lblTitle.visible);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TitleTest,
                         ::testing::Values(TitleCase{0, 0, "全問題"}, TitleCase{0, 1, "全問題"},
                                           TitleCase{1, 0, "第2課"}, TitleCase{1, 1, "第2課"},
                                           TitleCase{2, 0, "第2課"}, TitleCase{2, 1, "コード0"},
                                           TitleCase{3, 1, "コード0"}),
                         [](const auto& info) {
                             return "Kind" + std::to_string(info.param.kind) + "Focus" +
                                    std::to_string(info.param.focusOnCode);
                         });

TEST_F(DrillPresentationTest, ResultColumnIsRedInAReviewPass) {
    LoadData(1, {{"a @cat", "猫", "", "", 0, 1}, {"a @dog", "犬", "", "", 0, 1}});
    StartAndOpenFirstSet();
    TypeAndEnter("cot");
    RunNgPause();
    TypeAndEnter("cat");
    RunOkPause();
    AnswerRight();
    EXPECT_EQ(st.ReviewPass, 1);
    EXPECT_EQ(st.SetIndex, 0);
    EXPECT_EQ(Scr().a[0].text, " cot");
    EXPECT_EQ(Scr().i[0], Picture::NG);
    EXPECT_EQ(Scr().i[1], Picture::OK);
    EXPECT_EQ(st.SetScore, 50);
    TypeAndEnter("cat");
    EXPECT_EQ(Scr().a[0].text, " cat");
    EXPECT_EQ(Scr().a[0].colour, ColourRed);
    EXPECT_EQ(RunOkPause(), 9);
    EXPECT_EQ(Scr().i[0], Picture::OK);
    EXPECT_TRUE(Scr().tmrStart.enabled);
    EXPECT_EQ(st.ItemState[0], 0);
    EXPECT_EQ(st.ItemState[1], 1);
}

}  // namespace
}  // namespace vokamo::test

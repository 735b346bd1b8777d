#include "CaseName.h"
#include "DrillFixture.h"
#include "core/data/SjisText.h"

namespace vokamo::test {
namespace {

using Mode = SoundMode;

const std::vector<TestItem> ThreeWords = {
    {"I @like apples", "りんごが好き", "", "", 0, 1},
    {"a @big dog", "大きな犬", "", "", 0, 1},
    {"@Tokyo is large", "東京は大きい", "", "", 1, 1},
};

class DrillFlowTest : public DrillTest {};

TEST_F(DrillFlowTest, StartShowsTheWindowAndTheBannerThenTheFirstQuestion) {
    LoadData(0, ThreeWords);
    st.PickPos = 2;
    st.PickStart = 1;
    st.SetScore = 80;
    st.SetNo = 5;
    Machine().StartDrill();
    EXPECT_TRUE(Scr().visible);
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{"button.wav", Mode::Background}}));
    EXPECT_EQ(st.PickPos, 0);
    EXPECT_EQ(st.PickStart, 0);
    EXPECT_EQ(st.SetScore, 0);
    EXPECT_EQ(st.SetNo, 0);
    EXPECT_EQ(Scr().tmrStart, (TimerView{true, 1000}));
    EXPECT_FALSE(Scr().pnlRec.visible);
    for (const auto& key : Scr().keys) EXPECT_FALSE(key.enabled);

    StartTicks(1);
    EXPECT_EQ(U(Scr().lblTestCnt.text), "第 1 回");
    EXPECT_TRUE(Scr().lblTestCnt.visible);
    EXPECT_EQ(U(Scr().lblDName.text), "テスト問題集");
    EXPECT_TRUE(Scr().lblDName.visible);
    EXPECT_EQ(U(Scr().pnlRec.caption), "記録ON");
    EXPECT_TRUE(Scr().pnlRec.visible);
    EXPECT_EQ(U(Scr().pnlHint.caption), "普通表示");
    EXPECT_EQ(U(Scr().pnlOrder.caption), "並び順");
    EXPECT_EQ(U(Scr().pnlFlash.caption), "ﾌﾗｯｼｭ表示0");
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{"change.wav", Mode::Wait}}));

    StartTicks(1);
    EXPECT_TRUE(Scr().lblTestCnt.visible);
    EXPECT_FALSE(Scr().w1.visible);

    StartTicks(1);
    EXPECT_FALSE(Scr().lblTestCnt.visible);
    EXPECT_FALSE(Scr().lblDName.visible);
    EXPECT_FALSE(Scr().tmrStart.enabled);
    EXPECT_EQ(st.SetSize, 3);
    EXPECT_EQ(U(Scr().w1.text), "りんごが好き");
    EXPECT_EQ(Scr().w3.text, "I (    ) apples ");
    EXPECT_EQ(Scr().w3.colour, ColourBlack);
    EXPECT_EQ(U(Scr().lblMes.text), "答を入れてください");
    EXPECT_EQ(Scr().pnlMesColour, 0x377073u);
    EXPECT_EQ(U(Scr().lblTitle.text), "全問題");
    EXPECT_TRUE(Scr().pnlMusiVisible);
    EXPECT_FALSE(Scr().pnlSelVisible);
    for (const auto& key : Scr().keys) EXPECT_TRUE(key.enabled);
}

TEST_F(DrillFlowTest, BannerShowsTheSettingsInForce) {
    LoadData(0, ThreeWords);
    st.RecordOff = 1;
    st.HintMode = 1;
    st.RandomOrder = 1;
    st.FlashTime = 12;
    Machine().StartDrill();
    StartTicks(1);
    EXPECT_EQ(U(Scr().pnlRec.caption), "記録OFF");
    EXPECT_EQ(U(Scr().pnlHint.caption), "１字表示");
    EXPECT_EQ(U(Scr().pnlOrder.caption), "ﾗﾝﾀﾞﾑ順");
    EXPECT_EQ(U(Scr().pnlFlash.caption), "ﾌﾗｯｼｭ表示12");
}

TEST_F(DrillFlowTest, KindZeroSetAnsweredRightThroughoutGoesToTheNextBanner) {
    LoadData(0, ThreeWords);
    StartAndOpenFirstSet();
    TakeSounds();

    TypeAndEnter("like");
    EXPECT_EQ(Scr().w3.text, "I like apples ");
    EXPECT_EQ(Scr().a[0].text, " like");
    EXPECT_EQ(Scr().a[0].colour, ColourBlack);
    EXPECT_EQ(Scr().tmrOK, (TimerView{true, 100}));
    EXPECT_TRUE(Played("piyo.wav", Mode::Background));
    for (const auto& key : Scr().keys) EXPECT_FALSE(key.enabled);

    // The face waits for the ninth tick; then the slot is finished.
    for (int t = 0; t < 8; ++t) Machine().Tick(DrillTimer::OK);
    EXPECT_EQ(Scr().i[0], Picture::None);
    Machine().Tick(DrillTimer::OK);
    EXPECT_FALSE(Scr().tmrOK.enabled);
    EXPECT_EQ(Scr().i[0], Picture::OK);
    EXPECT_EQ(st.RightCount, 1);
    EXPECT_EQ(Scr().lblOks.text, "1");
    EXPECT_EQ(st.ItemState[0], 1);
    EXPECT_EQ(st.ItemTries[0], 1);
    EXPECT_EQ(st.SetIndex, 1);
    EXPECT_EQ(U(Scr().w1.text), "大きな犬");
    EXPECT_EQ(Scr().w2.text, "");
    EXPECT_TRUE(Played("piyo1.wav", Mode::Background));

    AnswerRight();
    AnswerRight();
    EXPECT_EQ(st.RightCount, 3);
    EXPECT_EQ(st.SetScore, 100);
    EXPECT_EQ(Scr().lblTen.text, "100");
    EXPECT_TRUE(Scr().lblTen.visible);
    EXPECT_EQ(st.ReviewPass, 0);
    EXPECT_FALSE(Played("huku.wav", Mode::Background));
    EXPECT_TRUE(Scr().tmrStart.enabled);
    EXPECT_EQ(Scr().i, (std::array<Picture, 10>{Picture::OK, Picture::OK, Picture::OK}));

    // One second later the next banner, two more and the next set.
    StartTicks(1);
    EXPECT_EQ(U(Scr().lblTestCnt.text), "第 2 回");
    StartTicks(2);
    EXPECT_FALSE(Scr().lblTen.visible);
    EXPECT_EQ(Scr().a[0].text, "");
    EXPECT_EQ(Scr().i[0], Picture::None);
    EXPECT_EQ(st.SetSize, 3);
    EXPECT_EQ(U(Scr().w1.text), "りんごが好き");
}

TEST_F(DrillFlowTest, NothingLeftToAskCongratulatesAfterTheBanner) {
    LoadData(1, ThreeWords);
    st.ItemState.fill(2);
    Machine().StartDrill();
    StartTicks(1);
    EXPECT_EQ(U(Scr().lblTestCnt.text), "第 1 回");
    StartTicks(1);
    EXPECT_EQ(Scr().congratulations, 0);
    TakeSounds();
    StartTicks(1);
    EXPECT_EQ(Scr().congratulations, 1);
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{"huku.wav", Mode::Background}}));
    EXPECT_EQ(st.SetSize, 0);
    EXPECT_FALSE(Scr().w1.visible);
    EXPECT_FALSE(Scr().tmrStart.enabled);
    EXPECT_TRUE(Scr().visible);
}

TEST_F(DrillFlowTest, WrongAnswerAnimatesTheFaceAndKeepsTheQuestionOpen) {
    LoadData(0, ThreeWords);
    StartAndOpenFirstSet();
    TypeAndEnter("lkie");
    EXPECT_EQ(Scr().tmrNG, (TimerView{true, 300}));
    const std::vector<Picture> faces = {Picture::Sad,     Picture::Sad,     Picture::VerySad,
                                        Picture::VerySad, Picture::Sad,     Picture::Sad,
                                        Picture::VerySad, Picture::VerySad, Picture::Sad};
    for (size_t t = 0; t < faces.size(); ++t) {
        Machine().Tick(DrillTimer::NG);
        EXPECT_EQ(Scr().imgFace, faces[t]) << "tick " << t;
    }
    EXPECT_FALSE(Scr().tmrNG.enabled);
    EXPECT_EQ(st.SetIndex, 0);
    EXPECT_EQ(U(Scr().w1.text), "りんごが好き");
}

TEST_F(DrillFlowTest, EscKeyLeavesWithoutClearingAndBtnEscClears) {
    LoadData(0, ThreeWords);
    StartAndOpenFirstSet();
    TypeAndEnter("like");
    RunOkPause();
    TakeSounds();
    Machine().FormKeyDown(27);
    EXPECT_FALSE(Scr().visible);
    EXPECT_EQ(Scr().leaves, 1);
    EXPECT_EQ(Scr().a[0].text, " like");
    EXPECT_EQ(Scr().i[0], Picture::OK);
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{"button2.wav", Mode::Background}}));

    // Back again: a new drill from position 0, set number 1.
    Machine().StartDrill();
    StartTicks(1);
    EXPECT_EQ(U(Scr().lblTestCnt.text), "第 1 回");
    StartTicks(2);
    // Items never asked come before the one answered right once.
    EXPECT_EQ(st.SetItems[0], 1);
    EXPECT_EQ(st.SetItems[2], 0);
    TypeAndEnter("big");
    RunOkPause();
    EXPECT_EQ(st.ItemState[1], 1);
    TakeSounds();
    Machine().btnEscClick();
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{"button.wav", Mode::Wait}}));
    EXPECT_FALSE(Scr().visible);
    EXPECT_EQ(Scr().leaves, 2);
    EXPECT_EQ(Scr().w1.text, "");
    EXPECT_EQ(Scr().w3.text, "");
    EXPECT_EQ(Scr().a[0].text, "");
    EXPECT_EQ(Scr().i[0], Picture::None);
    EXPECT_EQ(Scr().lblAnsAbout.text, "");
    EXPECT_EQ(Scr().pnlDispColour, 0x0000A0u);
}

// A whole drill of every data kind: each item needs two right first-pass
// answers, so two sets, then the congratulation.
class WholeDrillTest : public DrillTest, public ::testing::WithParamInterface<int> {};

TEST_P(WholeDrillTest, RunsFromStartToTheCongratulation) {
    const int kind = GetParam();
    std::vector<TestItem> items = {
        {"I @like apples", "りんごが好き", "like love", "好き", 0, 0},
        {"a @big dog", "大きな犬", "", "", 1, 1},
        {"@Tokyo is @large", "東京は大きい", "", "形容詞", 1, 1},
        {"look @for it", "それを探す", "of for to", "", 0, 0},
    };
    LoadData(kind, items);
    StartAndOpenFirstSet();
    for (int guard = 0; guard < 40 && Scr().congratulations == 0; ++guard) {
        if (Scr().tmrStart.enabled) {
            StartTicks(3);
            continue;
        }
        AnswerRight();
    }
    EXPECT_EQ(Scr().congratulations, 1);
    EXPECT_EQ(st.SetNo, 3);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(st.ItemState[i], 2) << "item " << i;
        EXPECT_EQ(st.ItemTries[i], 2) << "item " << i;
    }
    EXPECT_EQ(st.RightCount, 8);
    EXPECT_EQ(st.WrongCount, 0);
    EXPECT_EQ(sound.played.back(), (PlayedSound{"huku.wav", Mode::Background}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, WholeDrillTest, ::testing::Values(0, 1, 2, 3), test::CaseName());

}  // namespace
}  // namespace vokamo::test

#include "CaseName.h"
#include "DrillFixture.h"
#include "core/data/SjisText.h"

namespace vokamo::test {
namespace {

using Mode = SoundMode;

const char* const Animals[] = {"cat", "dog", "pig", "cow", "hen", "fox", "owl", "bat",
                               "ant", "bee", "elk", "yak", "emu", "ram", "eel"};

std::vector<TestItem> AnimalItems(int n) {
    std::vector<TestItem> items;
    for (int i = 0; i < n; ++i)
        items.push_back({std::string("it is a @") + Animals[i], "動物", std::string(Animals[i]) + " zzz",
                         "動物の名前", 0, 0});
    return items;
}

class DrillChoiceTest : public DrillTest {
protected:
    int ButtonReading(const std::string& text) {
        for (int k = 0; k < ChoiceButtonCount; ++k)
            if (Scr().s[k].visible && Scr().s[k].caption == text) return k;
        return -1;
    }
};

TEST_F(DrillChoiceTest, QuestionShowsBlankChoicesAndThePrompt) {
    LoadData(3, {{"I @look_for my key", "探す", "Look_for look_at look_after", "", 0, 0}});
    StartAndOpenFirstSet();
    EXPECT_EQ(st.CurQuestionType, QuestionType::Choice);
    EXPECT_EQ(Scr().w3.text, "I (       ) my key ");
    EXPECT_TRUE(Scr().pnlSelVisible);
    EXPECT_FALSE(Scr().pnlMusiVisible);
    EXPECT_EQ(U(Scr().lblMes.text), "答を入れてください");
    std::vector<std::string> captions;
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(Scr().s[k].visible && Scr().s[k].enabled);
        EXPECT_EQ(Scr().s[k].fontPt, 14);
        captions.push_back(Scr().s[k].caption);
    }
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, (std::vector<std::string>{"Look for", "look after", "look at"}));
    for (int k = 3; k < ChoiceButtonCount; ++k) EXPECT_FALSE(Scr().s[k].visible || Scr().s[k].enabled);

    // Case is ignored; the answer is revealed and the buttons go away.
    TakeSounds();
    Machine().ChoiceClick(ButtonReading("Look for"));
    EXPECT_EQ(TakeSounds(),
              (std::vector<PlayedSound>{{"button2.wav", Mode::Wait}, {"piyo.wav", Mode::Wait}}));
    EXPECT_EQ(Scr().w3.text, "I (look for) my key ");
    EXPECT_EQ(Scr().w2.text, "Look for");
    EXPECT_EQ(Scr().a[0].text, "Look for");
    EXPECT_EQ(Scr().tmrOK, (TimerView{true, 100}));
    for (const auto& button : Scr().s) EXPECT_FALSE(button.visible || button.enabled);
}

TEST_F(DrillChoiceTest, LongChoicesAreCutAndGetTheSmallFont) {
    const std::string longWord(70, 'x');
    LoadData(3, {{"@short", "長さ", "short " + longWord + " abcdefg_hijklmn abcdefg_hijklmno", "", 0, 0}});
    StartAndOpenFirstSet();
    EXPECT_NE(ButtonReading(std::string(60, 'x')), -1);
    EXPECT_EQ(Scr().s[ButtonReading(std::string(60, 'x'))].fontPt, 11);
    EXPECT_EQ(Scr().s[ButtonReading("abcdefg hijklmn")].fontPt, 14);
    EXPECT_EQ(Scr().s[ButtonReading("abcdefg hijklmno")].fontPt, 11);
    EXPECT_EQ(Scr().s[ButtonReading("short")].fontPt, 14);
}

TEST_F(DrillChoiceTest, WrongPicksKeepTheFirstAnswerAndRestartTheSadFace) {
    LoadData(3, {{"it is a @cat", "猫", "cat dog", "これは猫という動物です", 0, 0}});
    StartAndOpenFirstSet();
    TakeSounds();
    Machine().ChoiceClick(ButtonReading("dog"));
    EXPECT_EQ(TakeSounds(),
              (std::vector<PlayedSound>{{"button2.wav", Mode::Wait}, {"oldng.wav", Mode::Wait}}));
    EXPECT_EQ(Scr().w3.text, "it is a (cat) ");
    EXPECT_EQ(Scr().w3.colour, ColourRed);
    EXPECT_EQ(U(Scr().lblMes.text), "直しです");
    EXPECT_EQ(Scr().pnlMesColour, 0xE8A6CAu);
    EXPECT_EQ(U(Scr().lblAnsAbout.text), "これは猫という動物です");
    EXPECT_EQ(Scr().lblAnsAbout.fontPt, 12);
    EXPECT_EQ(Scr().pnlDispColour, 0xD3CFC9u);
    EXPECT_EQ(st.SetWrong[0], 1);
    EXPECT_TRUE(Scr().tmrNG.enabled);
    for (int t = 0; t < 3; ++t) Machine().Tick(DrillTimer::NG);

    Machine().ChoiceClick(ButtonReading("dog"));
    EXPECT_EQ(TakeSounds(),
              (std::vector<PlayedSound>{{"button2.wav", Mode::Wait}, {"oldng.wav", Mode::Wait}}));
    Machine().Tick(DrillTimer::NG);
    EXPECT_EQ(Scr().imgFace, Picture::Sad);
    EXPECT_EQ(Scr().a[0].text, "dog");

    Machine().ChoiceClick(ButtonReading("cat"));
    EXPECT_EQ(Scr().a[0].text, "dog");
    EXPECT_EQ(Scr().w3.colour, ColourBlack);
    EXPECT_EQ(Scr().lblAnsAbout.text, "");
    EXPECT_EQ(Scr().pnlDispColour, 0x0000A0u);
    RunOkPause();
    EXPECT_EQ(Scr().i[0], Picture::NG);
    EXPECT_EQ(st.ItemState[0], 0);
    EXPECT_EQ(st.WrongCount, 1);
    EXPECT_EQ(Scr().lblNgs.text, "1");
}

TEST_F(DrillChoiceTest, DigitsPickAndKeypadKeyUpRestoresTheColour) {
    LoadData(3, {{"it is a @cat", "猫", "cat dog pig hen cow fox owl bat ant", "", 0, 0}});
    StartAndOpenFirstSet();
    TakeSounds();
    Machine().FormKeyDown(57);
    Machine().FormKeyPress('9');
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{"button2.wav", Mode::Wait}}));
    EXPECT_EQ(Scr().a[0].text, "");

    const int right = ButtonReading("cat");
    const int wrong = right == 0 ? 1 : 0;
    Machine().FormKeyPress(static_cast<char>('1' + wrong));
    EXPECT_EQ(Scr().s[wrong].colour, KeyKeyboardDown);
    EXPECT_EQ(Scr().a[0].text, Scr().s[wrong].caption);
    // A main-row key-up leaves the highlight; the keypad's restores it.
    Machine().FormKeyUp(49 + wrong);
    EXPECT_EQ(Scr().s[wrong].colour, KeyKeyboardDown);
    Machine().FormKeyUp(97 + wrong);
    EXPECT_EQ(Scr().s[wrong].colour, KeyNormalLight);

    Machine().ChoiceMouseDown(8);
    EXPECT_EQ(Scr().s[8].colour, KeyMouseDown);
    Machine().ChoiceMouseUp(8);
    EXPECT_EQ(Scr().s[8].colour, KeyNormalLight);

    if (right == 8) {
        Machine().ChoiceClick(8);
    } else {
        Machine().FormKeyPress(static_cast<char>('1' + right));
    }
    EXPECT_EQ(Scr().w3.text, "it is a (cat) ");
    EXPECT_TRUE(Scr().tmrOK.enabled);
}

// A set of ten choice questions with some answered wrong, the review pass,
// and where the next set is picked from.
class ReviewPassTest : public DrillChoiceTest, public ::testing::WithParamInterface<int> {};

TEST_P(ReviewPassTest, WrongSlotsComeBackAndTheScoreDecidesTheNextPick) {
    const int wrong = GetParam();
    LoadData(3, AnimalItems(15));
    StartAndOpenFirstSet();
    ASSERT_EQ(st.SetSize, 10);
    for (int k = 0; k < 10; ++k) {
        if (k < wrong) {
            Machine().ChoiceClick(ButtonReading("zzz"));
            RunNgPause();
        }
        Machine().ChoiceClick(ButtonReading(Animals[k]));
        EXPECT_EQ(RunOkPause(), 9);
    }
    EXPECT_EQ(st.SetScore, (10 - wrong) * 10);
    EXPECT_EQ(Scr().lblTen.text, std::to_string((10 - wrong) * 10));
    EXPECT_EQ(st.ReviewPass, 1);
    EXPECT_TRUE(Played("huku.wav", Mode::Background));
    for (int k = 0; k < 10; ++k) EXPECT_EQ(Scr().i[k], k < wrong ? Picture::NG : Picture::OK);
    EXPECT_EQ(st.WrongCount, wrong);
    EXPECT_EQ(st.RightCount, 10 - wrong);

    // Only the wrong slots, with the review message, red lines, short pauses.
    for (int k = 0; k < wrong; ++k) {
        EXPECT_EQ(st.SetIndex, k);
        EXPECT_EQ(U(Scr().lblMes.text), "復習です");
        EXPECT_EQ(Scr().pnlMesColour, 0xE8A6CAu);
        Machine().ChoiceClick(ButtonReading(Animals[k]));
        EXPECT_EQ(Scr().a[k].colour, ColourRed);
        EXPECT_EQ(Scr().tmrOK.interval, 10);
        EXPECT_EQ(RunOkPause(), 9);
        EXPECT_EQ(Scr().i[k], Picture::OK);
    }
    EXPECT_TRUE(Scr().tmrStart.enabled);
    EXPECT_EQ(st.SetScore, (10 - wrong) * 10);
    EXPECT_EQ(st.WrongCount, wrong);
    EXPECT_EQ(st.RightCount, 10 - wrong);
    for (int k = 0; k < wrong; ++k) EXPECT_EQ(st.ItemState[k], 0);

    StartTicks(3);
    const std::array<int32_t, 10> repeated{0, 1, 2, 3, 10, 11, 12, 13, 14, 4};
    const std::array<int32_t, 10> goesOn{10, 11, 12, 13, 14, 0, 1, 2, 3, 4};
    EXPECT_EQ(st.SetItems, wrong == 4 ? repeated : goesOn);
    EXPECT_EQ(st.PickStart, wrong == 4 ? 0 : 10);
}

INSTANTIATE_TEST_SUITE_P(ScoreSixtyRepeatsSeventyGoesOn, ReviewPassTest, ::testing::Values(3, 4),
                         test::CaseName());

}  // namespace
}  // namespace vokamo::test

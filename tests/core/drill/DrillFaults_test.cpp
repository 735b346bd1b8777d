#include <cstdio>

#include "DrillFixture.h"
#include "core/data/DataCheck.h"
#include "core/data/SjisText.h"
#include "core/state/Errors.h"

namespace vokamo::test {
namespace {

using Mode = SoundMode;

class DrillSafetyTest : public DrillTest {
protected:
    int ButtonReading(const std::string& text) {
        for (int k = 0; k < ChoiceButtonCount; ++k)
            if (Scr().s[k].visible && Scr().s[k].caption == text) return k;
        return -1;
    }
    bool AnyTimerRunning() {
        return Scr().tmrStart.enabled || Scr().tmrOK.enabled || Scr().tmrNG.enabled || Scr().tmrFlash.enabled;
    }
    void TickEverything(int times) {
        for (int t = 0; t < times; ++t)
            for (DrillTimer timer : {DrillTimer::Start, DrillTimer::OK, DrillTimer::NG, DrillTimer::Flash})
                Machine().Tick(timer);
    }
};

TEST_F(DrillSafetyTest, DigitsDuringThePauseAfterARightChoiceAreRefused) {
    LoadData(3, {{"a @cat", "猫", "cat dog", "", 0, 0}, {"a @dog", "犬", "cat dog", "", 0, 0}});
    StartAndOpenFirstSet();
    Machine().ChoiceClick(ButtonReading("cat"));
    TakeSounds();
    for (char digit : std::string("12")) {
        Machine().FormKeyDown(digit);
        Machine().FormKeyPress(digit);
    }
    EXPECT_EQ(TakeSounds(),
              (std::vector<PlayedSound>{{"button2.wav", Mode::Wait}, {"button2.wav", Mode::Wait}}));
    EXPECT_EQ(Scr().a[0].text, "cat");
    EXPECT_EQ(st.SetWrong[0], 0);
    EXPECT_FALSE(Scr().tmrNG.enabled);
    RunOkPause();
    EXPECT_EQ(Scr().i[0], Picture::OK);
    EXPECT_EQ(st.RightCount, 1);
    // The next question takes answers again.
    Machine().FormKeyPress(static_cast<char>('1' + ButtonReading("dog")));
    EXPECT_EQ(Scr().a[1].text, "dog");
}

TEST_F(DrillSafetyTest, LettersAndEnterDuringThePauseAfterARightWordAreRefused) {
    LoadData(1, {{"a @big @dog", "大きな犬", "", "", 0, 1}});
    StartAndOpenFirstSet();
    TypeAndEnter("big");
    TakeSounds();
    TypeAndEnter("zz");
    Machine().FormKeyDown(8);
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{"button2.wav", Mode::Background},
                                                      {"button2.wav", Mode::Background}}));
    EXPECT_EQ(Scr().a[0].text, " big");
    EXPECT_EQ(st.SetWrong[0], 0);
    RunOkPause();
    // Nothing typed in the pause reaches the next blank.
    TypeAndEnter("dog");
    EXPECT_EQ(Scr().a[0].text, " big dog");
    RunOkPause();
    EXPECT_EQ(Scr().i[0], Picture::OK);
}

TEST_F(DrillSafetyTest, LeavingDuringTheRightPauseRecordsTheSlotAndStopsEveryTimer) {
    LoadData(1, {{"a @cat", "猫", "", "", 0, 1}, {"a @dog", "犬", "", "", 0, 1}});
    st.FlashTime = 20;
    StartAndOpenFirstSet();
    TypeAndEnter("cat");
    for (int t = 0; t < 3; ++t) Machine().Tick(DrillTimer::OK);
    Machine().btnEscClick();
    EXPECT_FALSE(AnyTimerRunning());
    EXPECT_EQ(st.RightCount, 1);
    EXPECT_EQ(st.ItemState[0], 1);
    EXPECT_EQ(st.ItemTries[0], 1);
    EXPECT_EQ(st.ItemState[1], -1);

    // Late ticks change nothing in the hidden window.
    TakeSounds();
    TickEverything(20);
    EXPECT_EQ(st.SetIndex, 0);
    EXPECT_EQ(Scr().w1.text, "");
    EXPECT_EQ(st.RightCount, 1);
    EXPECT_TRUE(TakeSounds().empty());
}

TEST_F(DrillSafetyTest, LeavingWithBlanksStillToTypeRecordsNothing) {
    LoadData(1, {{"a @big @dog", "大きな犬", "", "", 0, 1}});
    StartAndOpenFirstSet();
    TypeAndEnter("big");
    Machine().FormKeyDown(27);
    EXPECT_FALSE(AnyTimerRunning());
    EXPECT_EQ(st.RightCount, 0);
    EXPECT_EQ(st.ItemState[0], -1);
}

TEST_F(DrillSafetyTest, LeavingDuringTheWrongPauseRecordsNothing) {
    LoadData(1, {{"a @cat", "猫", "", "", 0, 1}});
    StartAndOpenFirstSet();
    TypeAndEnter("cot");
    Machine().FormKeyDown(27);
    EXPECT_FALSE(AnyTimerRunning());
    EXPECT_EQ(st.WrongCount, 0);
    EXPECT_EQ(st.ItemState[0], -1);
}

TEST_F(DrillSafetyTest, AnswersTypedDuringTheNextBannerCannotReachTheLeftSet) {
    LoadData(1, {{"a @cat", "猫", "", "", 0, 1}, {"a @dog", "犬", "", "", 0, 1}});
    StartAndOpenFirstSet();
    TypeAndEnter("cot");
    Machine().FormKeyDown(27);
    Machine().StartDrill();
    StartTicks(1);
    TakeSounds();
    TypeAndEnter("cat");
    EXPECT_FALSE(Scr().tmrOK.enabled);
    EXPECT_FALSE(Played("piyo.wav", Mode::Background));
    StartTicks(2);
    EXPECT_EQ(st.RightCount, 0);
    EXPECT_EQ(st.WrongCount, 0);
    EXPECT_EQ(U(Scr().w1.text), "猫");
    EXPECT_EQ(Scr().w2.text, "");
}

TEST_F(DrillSafetyTest, BannerLeftHalfWayStartsFromItsBeginningNextTime) {
    LoadData(0, {{"a @cat", "猫", "", "", 0, 1}});
    Machine().StartDrill();
    StartTicks(2);
    Machine().btnEscClick();
    EXPECT_FALSE(Scr().tmrStart.enabled);
    Machine().StartDrill();
    StartTicks(2);
    EXPECT_EQ(st.SetSize, 0);
    EXPECT_TRUE(Scr().lblTestCnt.visible);
    StartTicks(1);
    EXPECT_EQ(st.SetSize, 1);
}

TEST_F(DrillSafetyTest, QuestionOfAnUnknownTypeIsAskedByTyping) {
    LoadData(3, {{"a @cat", "猫", "cat dog", "", 0, 1}});
    st.ItemCode[0] = 2;
    StartAndOpenFirstSet();
    EXPECT_EQ(st.CurQuestionType, QuestionType::KeyInput);
    EXPECT_TRUE(Scr().pnlMusiVisible);
    EXPECT_FALSE(Scr().pnlSelVisible);
    TypeAndEnter("cat");
    RunOkPause();
    EXPECT_EQ(st.ItemState[0], 1);
}

TEST_F(DrillSafetyTest, FlashOfAFinishedQuestionNeverDrawsOverTheNextOne) {
    LoadData(3, {{"a @cat", "猫", "", "", 0, 1}, {"a @dog", "犬", "cat dog", "", 0, 0}});
    st.FlashTime = 20;
    StartAndOpenFirstSet();
    EXPECT_TRUE(Scr().tmrFlash.enabled);
    TypeAndEnter("cat");
    RunOkPause();
    EXPECT_EQ(st.CurQuestionType, QuestionType::Choice);
    EXPECT_FALSE(Scr().tmrFlash.enabled);
    TickEverything(2);
    EXPECT_EQ(Scr().w3.text, "a (       ) ");
}

TEST_F(DrillSafetyTest, DataFileGoneAtASetStartAsksNothingStale) {
    LoadData(1, {{"a @cat", "猫", "", "", 0, 1}, {"a @dog", "犬", "", "", 0, 1}});
    StartAndOpenFirstSet();
    AnswerRight();
    AnswerRight();
    ASSERT_TRUE(Scr().tmrStart.enabled);
    std::remove(st.DataPath.c_str());
    StartTicks(2);
    EXPECT_THROW(Machine().Tick(DrillTimer::Start), VokamoError);
    EXPECT_EQ(st.SetSize, 0);
    EXPECT_FALSE(Scr().tmrStart.enabled);
    // Nothing can be answered or recorded any more; the learner leaves.
    TypeAndEnter("cat");
    EXPECT_FALSE(Scr().tmrOK.enabled);
    EXPECT_EQ(st.RightCount, 2);
    Machine().btnEscClick();
    EXPECT_FALSE(Scr().visible);
}

TEST_F(DrillSafetyTest, WithoutRecordingEveryItemIsAskedOnceAndNothingIsStored) {
    st.RecordOff = 1;
    LoadData(
        0, {{"a @cat", "猫", "", "", 0, 1}, {"a @dog", "犬", "", "", 0, 1}, {"a @pig", "豚", "", "", 0, 1}});
    StartAndOpenFirstSet();
    EXPECT_EQ(st.SetSize, 3);
    for (int k = 0; k < 3; ++k) AnswerRight();
    EXPECT_EQ(st.RightCount, 3);
    StartTicks(3);
    EXPECT_EQ(Scr().congratulations, 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(st.ItemState[i], -1);
        EXPECT_EQ(st.ItemTries[i], 0);
    }
    Machine().btnEscClick();
    Machine().StartDrill();
    StartTicks(3);
    EXPECT_EQ(Scr().congratulations, 2);
}

// Every warning of the checker leaves a file a pupil can finish: each item
// is answered right twice, marks typed on their keys, and the drill ends
// with the congratulation instead of coming round again.
TEST_F(DrillSafetyTest, AFileWithWarningsOnlyIsDrilledToTheCongratulation) {
    LoadData(3, {{"This is my @bag.", "かばん", "", "", 0, 1},
                 {"I @like it .", "好き", "", "", 0, 1},
                 {"I @like it .", "好き（もう一度）", "", "", 1, 1},
                 {"@I @look_for it.", "探す", "look_for look_at", "", 0, 0},
                 {"Say @ please", "言って", "", "", 1, 1},
                 {"@It's mine.", "わたしのです", "", "", 1, 1}});
    const std::vector<Problem> problems = CheckDataFile(st.DataPath);
    EXPECT_GE(problems.size(), 4u);
    for (const Problem& p : problems) EXPECT_TRUE(p.warning) << p.line << ": " << p.ja;

    auto typeWord = [&](const std::string& word) {
        for (char ch : word) {
            if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')) {
                Machine().FormKeyPress(ch);
                continue;
            }
            int tag = -1;
            for (int t = 0; t < KeyCount; ++t)
                if (Scr().keys[t].caption == std::string(1, ch) && Scr().keys[t].enabled) tag = t;
            ASSERT_GE(tag, 0) << "no key for " << ch << " in " << word;
            Machine().KeyClick(tag);
        }
        Machine().FormKeyDown(13);
        Machine().FormKeyUp(13);
        RunOkPause();
    };
    Machine().StartDrill();
    for (int set = 0; set < 20 && Scr().congratulations == 0; ++set) {
        StartTicks(3);
        for (int k = 0; k < st.SetSize; ++k) {
            if (st.CurQuestionType == QuestionType::Choice) {
                AnswerRight();
                continue;
            }
            for (const std::string& w : BlankWords()) typeWord(w);
        }
    }
    EXPECT_EQ(Scr().congratulations, 1);
    EXPECT_EQ(st.WrongCount, 0);
    for (int i = 0; i < st.ItemCount; ++i) EXPECT_EQ(st.ItemState[i], 2) << "item " << i;
}

}  // namespace
}  // namespace vokamo::test

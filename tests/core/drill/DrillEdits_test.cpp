// Drills on files that were edited by hand or while the drill ran: a record
// with settings out of range or of another kind than its data, and a
// question file changed between two sets.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <filesystem>

#include "DrillFixture.h"
#include "TestSupport.h"
#include "core/data/DataChange.h"
#include "core/data/SjisText.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordFixtures.h"
#include "core/state/Errors.h"

namespace vokamo::test {
namespace {

const std::vector<TestItem> CatAndDog = {{"a @cat", "猫", "", "", 0, 1}, {"a @dog", "犬", "", "", 1, 1}};

// A record for the fixture's kind-1 data written by hand: its settings line
// and the tries of both items are given.
class HandEditedRecordTest : public DrillTest {
protected:
    void OpenWith(const std::string& settings, int32_t tries) {
        LoadData(1, CatAndDog);
        record = dir + "/edited.ret";
        const std::string item = std::to_string(tries) + ",-1";
        WriteBytes(record, CrLf({st.DataPath, "T", "Taro", "1,2," + settings, "2", "1", "1", item, item}));
        OpenRecord(st, record);
    }
    std::string record;
};

struct Settings {
    const char* name;
    std::string line;  // RecordOff,FlashTime,RandomOrder,HintMode as written by hand
    int32_t tries;
    // What they mean.
    int32_t recordOff, flashTime, randomOrder, hintMode;
    int flashInterval;  // ms, 0 when no flash runs
    int32_t triesAfter;
};

void PrintTo(const Settings& s, std::ostream* os) {
    *os << s.name;
}

class SettingsTest : public HandEditedRecordTest, public testing::WithParamInterface<Settings> {};

TEST_P(SettingsTest, MeanTheNearestValueThroughAWholeDrill) {
    const Settings& s = GetParam();
    OpenWith(s.line, s.tries);
    EXPECT_EQ(st.RecordOff, s.recordOff);
    EXPECT_EQ(st.FlashTime, s.flashTime);
    EXPECT_EQ(st.RandomOrder, s.randomOrder);
    EXPECT_EQ(st.HintMode, s.hintMode);

    StartAndOpenFirstSet();
    EXPECT_EQ(U(Scr().pnlRec.caption), s.recordOff ? "記録OFF" : "記録ON");
    EXPECT_EQ(U(Scr().pnlHint.caption), s.hintMode ? "１字表示" : "普通表示");
    EXPECT_EQ(U(Scr().pnlOrder.caption), s.randomOrder ? "ﾗﾝﾀﾞﾑ順" : "並び順");
    EXPECT_EQ(Scr().tmrFlash.enabled, s.flashInterval > 0);
    if (s.flashInterval > 0) {
        EXPECT_EQ(Scr().tmrFlash.interval, s.flashInterval);
    }

    const int first = st.SetItems[0];
    RunFlash();
    AnswerRight();
    EXPECT_EQ(st.ItemTries[first], s.triesAfter);
    EXPECT_EQ(st.ItemState[first], s.recordOff ? -1 : 1);

    // The next save writes what the settings meant.
    WriteRecordFile(st);
    const std::string saved = ReadBytes(record);
    const std::string line4 = "1,2," + std::to_string(s.recordOff) + "," + std::to_string(s.flashTime) + "," +
                              std::to_string(s.randomOrder) + "," + std::to_string(s.hintMode) + "\r\n";
    EXPECT_NE(saved.find(line4), std::string::npos) << saved;
}

INSTANTIATE_TEST_SUITE_P(
    HandEdited, SettingsTest,
    testing::Values(Settings{"Plain", "0,3,0,0", 4, 0, 3, 0, 0, 600, 5},
                    Settings{"LongestFlashTime", "0,2147483647,0,0", 0, 0, 20, 0, 0, 4000, 1},
                    Settings{"FlashJustTooLong", "0,21,0,0", 0, 0, 20, 0, 0, 4000, 1},
                    Settings{"NegativeFlashTime", "0,-3,0,0", 0, 0, 0, 0, 0, 0, 1},
                    Settings{"RandomOrderFive", "0,0,5,0", 0, 0, 0, 1, 0, 0, 1},
                    Settings{"RandomOrderNegative", "0,0,-3,0", 0, 0, 0, 0, 0, 0, 1},
                    Settings{"RecordingOffSeven", "7,0,0,0", 2, 1, 0, 0, 0, 0, 2},
                    Settings{"HintModeNine", "0,0,0,9", 0, 0, 0, 0, 1, 0, 1},
                    Settings{"TriesAtTheirMaximum", "0,0,0,0", INT32_MAX, 0, 0, 0, 0, 0, INT32_MAX}),
    [](const testing::TestParamInfo<Settings>& info) { return std::string(info.param.name); });

// A set that is over is announced while the next set's banner shows (the
// record is then saved), not only when the drill window is left.
TEST_F(HandEditedRecordTest, AFinishedSetIsAnnouncedAtTheNextBanner) {
    OpenWith("0,0,0,0", 0);
    StartAndOpenFirstSet();
    EXPECT_EQ(Scr().finishedSets, 0);  // the first banner ends no set
    for (int slot = 0; slot < 2; ++slot) AnswerRight();
    ASSERT_TRUE(Scr().tmrStart.enabled);
    EXPECT_EQ(Scr().finishedSets, 0);
    StartTicks(1);
    EXPECT_EQ(Scr().finishedSets, 1);
    EXPECT_EQ(st.ItemTries[0], 1);  // its results are in the state by then
}

TEST_F(HandEditedRecordTest, GroupsARecordOfAnotherKindDoesNotHoldStartSelected) {
    // Another record, of kind 2, left its selection behind: no code selected.
    st.CodeSelected.fill(0);
    st.LessonSelected.fill(0);
    for (const int recordKind : {1, 0}) {
        SCOPED_TRACE(recordKind);
        machine.reset();
        LoadData(2, CatAndDog);
        record = dir + "/other.ret";
        WriteBytes(record, recordKind == 1 ? CrLf({st.DataPath, "T", "Taro", "1,2,0,0,0,0", "2", "1", "0",
                                                   "0,-1", "0,-1"})
                                           : CrLf({st.DataPath, "T", "Taro", "0,2,0,0,0,0", "0,-1", "0,-1"}));
        st.CodeSelected.fill(0);
        OpenRecord(st, record);
        EXPECT_EQ(st.DataKind, DataKind::LessonsCodes);
        // The lessons the record holds keep its choice; the rest start in range.
        EXPECT_EQ(st.LessonSelected[0], 1);
        EXPECT_EQ(st.LessonSelected[1], recordKind == 1 ? 0 : 1);
        EXPECT_EQ(st.CodeSelected[0], 1);
        EXPECT_EQ(st.CodeSelected[1], 1);
        StartAndOpenFirstSet();
        EXPECT_EQ(Scr().congratulations, 0);
        EXPECT_GE(st.SetSize, 1);
    }
}

// The question file as it is edited between two sets of a drill.
struct Edit {
    const char* name;
    std::function<void(const std::string& path)> apply;
    bool goesOn;  // the shape stayed: the drill reads the file again
};

void PrintTo(const Edit& e, std::ostream* os) {
    *os << e.name;
}

class DataChangeTest : public DrillTest, public testing::WithParamInterface<Edit> {};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST_P(DataChangeTest, IsNoticedBeforeTheNextSetAndNothingUnaskedIsScored) {
    const Edit& e = GetParam();
    LoadData(
        1, {{"a @cat", "猫", "", "", 0, 1}, {"a @dog", "犬", "", "", 0, 1}, {"a @pig", "豚", "", "", 1, 1}});
    st.LessonSelected[1] = 0;  // two of the three items are asked
    StartAndOpenFirstSet();
    AnswerRight();
    AnswerRight();
    ASSERT_TRUE(Scr().tmrStart.enabled);
    const auto states = st.ItemState;
    const auto tries = st.ItemTries;
    const QuestionData table = st;

    e.apply(st.DataPath);
    StartTicks(2);
    if (e.goesOn) {
        Machine().Tick(DrillTimer::Start);
        ASSERT_TRUE(Scr().visible);
        EXPECT_EQ(BlankWords(), std::vector<std::string>{"cow"});
        AnswerRight();
        EXPECT_EQ(st.ItemState[0], 2);
        return;
    }
    try {
        Machine().Tick(DrillTimer::Start);
        FAIL() << "the drill went on";
    } catch (const VokamoError& error) {
        EXPECT_NE(std::string(error.what()).find("drill.dat"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(Scr().visible);
    EXPECT_EQ(Scr().congratulations, 0);
    EXPECT_EQ(st.ItemState, states);
    EXPECT_EQ(st.ItemTries, tries);
    EXPECT_TRUE(SameShape(st, table));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, DataChangeTest,
    testing::Values(Edit{"TextChangedKeepingSizeAndTime",
                         [](const std::string& path) {
                             struct stat before {};
                             ::stat(path.c_str(), &before);
                             WriteBytes(path, Replaced(ReadBytes(path), "@cat", "@cow"));
                             const struct timespec times[2] = {before.st_atim, before.st_mtim};
                             ::utimensat(AT_FDCWD, path.c_str(), times, 0);
                         },
                         true},
                    Edit{"OtherCopyPutInItsPlace",
                         [](const std::string& path) {
                             WriteBytes(path + ".new", Replaced(ReadBytes(path), "@cat", "@cow"));
                             std::rename((path + ".new").c_str(), path.c_str());
                         },
                         true},
                    Edit{"LineInserted",
                         [](const std::string& path) {
                             WriteBytes(path, Replaced(ReadBytes(path), "a @dog", "a @bird\r\na @dog"));
                         },
                         false},
                    Edit{"CutShort",
                         [](const std::string& path) {
                             const std::string bytes = ReadBytes(path);
                             WriteBytes(path, bytes.substr(0, bytes.find("a @dog")));
                         },
                         false},
                    Edit{"AnotherBook",
                         [](const std::string& path) {
                             WriteBytes(path + ".new", DataBytes(EvenShape(1, 3, 2, 0)));
                             std::rename((path + ".new").c_str(), path.c_str());
                         },
                         false}),
    [](const testing::TestParamInfo<Edit>& info) { return std::string(info.param.name); });

// A file with such an item is refused; should one still reach the drill (here
// in a review pass), the drill ends with a message instead of asking it set
// after set.
TEST_F(DrillTest, AQuestionWithNothingToAnswerEndsTheDrill) {
    LoadData(1, {{"a @cat", "猫", "", "", 0, 1}, {"a @dog", "犬", "", "", 0, 1}});
    StartAndOpenFirstSet();
    TypeAndEnter("cow");
    RunNgPause();
    AnswerRight();
    st.SetTextA[0] = "no blank here";
    TypeAndEnter("dog");
    EXPECT_THROW(RunOkPause(), LimitError);
    EXPECT_FALSE(Scr().visible);
    EXPECT_FALSE(Scr().tmrStart.enabled || Scr().tmrOK.enabled || Scr().tmrNG.enabled);
    EXPECT_EQ(st.ItemState[1], 1);
    EXPECT_EQ(st.ItemState[0], 0);
}

}  // namespace
}  // namespace vokamo::test

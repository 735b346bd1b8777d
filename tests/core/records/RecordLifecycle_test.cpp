#include "core/records/RecordLifecycle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "CaseName.h"
#include "Fakes.h"
#include "RecordFixtures.h"
#include "TestSupport.h"
#include "core/data/DataChange.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/records/CheckedFiles.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordLocking.h"
#include "core/records/RecordName.h"
#include "core/state/Errors.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;
using test::EvenShape;

// A pupil has "old.ret" (kind 2, 8 items) open with a result not saved
// yet; another record and another data file lie in the same folder.
class RecordLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = test::MakeTempDir();
        oldData = test::WriteDataFile(dir, "old.dat", EvenShape(2, 8, 2, 2));
        test::WriteBytes(dir + "/old.ret", test::RecordBytesFor(oldData, EvenShape(2, 8, 2, 2)));
        newData = test::WriteDataFile(dir, "new.dat", EvenShape(1, 12, 3, 0));
        test::WriteBytes(dir + "/new.ret", test::RecordBytesFor(newData, EvenShape(1, 12, 3, 0)));
        OpenRecord(st, dir + "/old.ret");
        st.ItemState[0] = 2;
        st.FocusOnCode = 1;
    }

    // The record open before is still open, with its own data and results,
    // and has been saved.
    void ExpectOldRecordKept() {
        EXPECT_EQ(st.RecordOpen, 1);
        EXPECT_EQ(st.RecordPath, dir + "/old.ret");
        EXPECT_EQ(st.DataPath, oldData);
        EXPECT_EQ(st.DataKind, DataKind::LessonsCodes);
        EXPECT_EQ(st.ItemCount, 8);
        EXPECT_EQ(st.CodeCount, 2);
        EXPECT_EQ(st.ItemState[0], 2);
        EXPECT_EQ(st.PlayerName, "Taro, Jr.");
        EXPECT_NE(test::ReadBytes(dir + "/old.ret").find("\r\n0,2\r\n"), std::string::npos);
    }

    std::string dir, oldData, newData;
    ProgramState st;
    test::ScriptedFileChooser files;
    test::ScriptedNamePrompt names;
    test::RecordingErrorBox errors;
};

TEST_F(RecordLifecycleTest, OpenSavesFirstThenOpensTheChosenRecord) {
    files.answers = {dir + "/new.ret"};
    EXPECT_TRUE(OpenRecordStep(st, files));
    EXPECT_EQ(files.asked,
              (std::vector<std::pair<std::string, std::string>>{{"成績を選んでください。", "成績 (*.ret)"}}));
    EXPECT_EQ(st.RecordPath, dir + "/new.ret");
    EXPECT_EQ(st.ItemCount, 12);
    EXPECT_EQ(st.FocusOnCode, 1);  // the switch is not reset by an open
    EXPECT_NE(test::ReadBytes(dir + "/old.ret").find("\r\n0,2\r\n"), std::string::npos);
}

TEST_F(RecordLifecycleTest, CancelledOpenKeepsTheOpenRecord) {
    EXPECT_FALSE(OpenRecordStep(st, files));
    ExpectOldRecordKept();
}

TEST_F(RecordLifecycleTest, FailedOpenKeepsTheOpenRecord) {
    test::WriteBytes(dir + "/new.ret", "broken\r\n");
    files.answers = {dir + "/new.ret"};
    EXPECT_THROW(OpenRecordStep(st, files), ConversionError);
    ExpectOldRecordKept();
    EXPECT_EQ(test::ReadBytes(dir + "/new.ret"), "broken\r\n");
}

TEST_F(RecordLifecycleTest, OpenStopsWhenTheOpenRecordCannotBeSaved) {
    st.RecordPath = dir + "/missing folder/old.ret";
    files.answers = {dir + "/new.ret"};
    EXPECT_THROW(OpenRecordStep(st, files), FileError);
    EXPECT_TRUE(files.asked.empty());
    EXPECT_EQ(st.ItemCount, 8);
}

TEST_F(RecordLifecycleTest, CreateAsksInOrderAndOpensTheNewRecord) {
    files.answers = {newData};
    names.answers = {Sjis("花子"), Sjis("はなこ")};
    EXPECT_TRUE(CreateRecordStep(st, files, names, errors, dir));
    EXPECT_EQ(files.asked.at(0).first, "取り組む問題を選んでください。");
    EXPECT_TRUE(files.asked.at(0).second.starts_with("問題 (*.dat)"));
    using Asked = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(names.asked, (Asked{{"VokamoforWindows", "あなたの名前を入れてください。"},
                                  {"VokamoforWindows", "成績に名前を付けてください。"}}));
    EXPECT_EQ(st.RecordOpen, 1);
    EXPECT_EQ(st.DataChosen, 1);
    EXPECT_EQ(st.PlayerName, Sjis("花子"));
    EXPECT_EQ(st.RecordPath, dir + "/" + Sjis("はなこ.ret"));
    EXPECT_EQ(st.DataPath, newData);
    EXPECT_EQ(st.ItemCount, 12);
    EXPECT_EQ(st.RandomOrder + st.FlashTime + st.RecordOff + st.HintMode, 0);
    EXPECT_EQ(st.LessonSelected[1], 1);
    EXPECT_EQ(st.ItemState[0], -1);
    EXPECT_TRUE(errors.messages.empty());
    // The old record was saved; the new one is written only at the next
    // save, in the folder its name was checked in.
    EXPECT_NE(test::ReadBytes(dir + "/old.ret").find("\r\n0,2\r\n"), std::string::npos);
    const std::string onDisk = dir + "/" + FsPath(Sjis("はなこ.ret"));
    EXPECT_FALSE(fs::exists(onDisk));
    SaveIfOpen(st);
    EXPECT_TRUE(fs::exists(onDisk));
}

// Whichever step the pupil cancels at, her open record stays open and
// paired with its own question data.
class CreateCancelled : public RecordLifecycleTest, public ::testing::WithParamInterface<int> {};

TEST_P(CreateCancelled, KeepsTheOpenRecord) {
    const int answeredPrompts = GetParam();
    files.answers = {newData};
    if (answeredPrompts >= 1) names.answers.push_back(Sjis("花子"));
    if (answeredPrompts >= 2) names.answers.push_back("");
    EXPECT_FALSE(CreateRecordStep(st, files, names, errors, dir));
    ExpectOldRecordKept();
    EXPECT_EQ(st.DataChosen, 1);
    EXPECT_EQ(names.asked.size(), static_cast<size_t>(answeredPrompts == 0 ? 1 : 2));
}

INSTANTIATE_TEST_SUITE_P(AtEachPrompt, CreateCancelled, ::testing::Values(0, 1, 2), test::CaseName());

TEST_F(RecordLifecycleTest, CancelledDataDialogBeforeAnyChoiceStops) {
    EXPECT_FALSE(CreateRecordStep(st, files, names, errors, dir));
    EXPECT_TRUE(names.asked.empty());
    ExpectOldRecordKept();
}

// Once data has been chosen in this run, cancelling the data dialog goes on
// with the question data that is loaded.
TEST_F(RecordLifecycleTest, CancelledDataDialogAfterAChoiceUsesTheLoadedData) {
    st.DataChosen = 1;
    names.answers = {"Ken", "ken2"};
    EXPECT_TRUE(CreateRecordStep(st, files, names, errors, dir));
    EXPECT_EQ(st.DataPath, oldData);
    EXPECT_EQ(st.ItemCount, 8);
    EXPECT_EQ(st.RecordPath, dir + "/ken2.ret");
    EXPECT_EQ(st.ItemState[0], -1);
}

TEST_F(RecordLifecycleTest, FailedDataFileStopsBeforeThePrompts) {
    test::WriteBytes(dir + "/bad.dat", "x\r\nT 1 many\r\n");
    files.answers = {dir + "/bad.dat"};
    EXPECT_THROW(CreateRecordStep(st, files, names, errors, dir), ConversionError);
    EXPECT_TRUE(names.asked.empty());
    ExpectOldRecordKept();
    EXPECT_EQ(st.DataChosen, 0);
}

// A table chosen in the data dialog: a bad one is refused before the
// prompts with nothing written and the open record kept; a good one becomes
// the question file beside it, whose path the new record keeps, and its
// warnings are shown.
TEST_F(RecordLifecycleTest, ChosenTableBecomesTheQuestionFileBesideIt) {
    test::WriteBytes(dir + "/bad.csv", "問題文,意味\r\nI @go,行く,extra\r\n");
    files.answers = {dir + "/bad.csv"};
    EXPECT_THROW(CreateRecordStep(st, files, names, errors, dir), VokamoError);
    EXPECT_TRUE(names.asked.empty());
    ExpectOldRecordKept();
    EXPECT_FALSE(fs::exists(dir + "/bad.dat"));

    test::WriteBytes(dir + "/words.tsv", "課\t問題文\t意味\nL1\tI @go\t行く\nL2\tThis is my @bag.\tかばん\n");
    files.answers = {dir + "/words.tsv"};
    names.answers = {Sjis("花子"), "hanako"};
    EXPECT_TRUE(CreateRecordStep(st, files, names, errors, dir));
    EXPECT_EQ(st.DataPath, dir + "/words.dat");
    EXPECT_EQ(st.DataKind, DataKind::Lessons);
    EXPECT_EQ(st.ItemCount, 2);
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_NE(errors.messages[0].find("B3"), std::string::npos) << errors.messages[0];

    // With the warnings window: asked by cell before anything is written;
    // stopping keeps what was open and writes nothing, taking it makes the
    // record and counts the new file as checked.
    test::WriteBytes(dir + "/more.csv", "問題文,意味\nI @go,行く\nIt is @red.,赤\n");
    CheckedFiles checked("");
    test::ScriptedFindingsPrompt prompt;
    DataWarningGate gate{prompt, checked};
    const std::string before = st.DataPath;
    files.answers = {dir + "/more.csv"};
    EXPECT_FALSE(CreateRecordStep(st, files, names, errors, dir, nullptr, &gate));
    EXPECT_FALSE(fs::exists(dir + "/more.dat"));
    EXPECT_EQ(st.DataPath, before);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].first, "more.csv");
    ASSERT_EQ(prompt.shown[0].second.size(), 1u);
    EXPECT_EQ(prompt.shown[0].second[0].place, "A3");
    EXPECT_FALSE(prompt.shown[0].second[0].fix.empty());
    files.answers = {dir + "/more.csv"};
    names.answers = {Sjis("花子"), "hanako2"};
    prompt.answers = {true};
    EXPECT_TRUE(CreateRecordStep(st, files, names, errors, dir, nullptr, &gate));
    EXPECT_EQ(st.DataPath, dir + "/more.dat");
    EXPECT_TRUE(checked.Unchanged(dir + "/more.dat"));
    EXPECT_EQ(errors.messages.size(), 1u);
}

TEST_F(RecordLifecycleTest, RefusedRecordNamesAreAskedAgain) {
    files.answers = {newData};
    names.answers = {"Ken", "new", "../x", "ken"};
    EXPECT_TRUE(CreateRecordStep(st, files, names, errors, dir));
    EXPECT_EQ(names.asked.size(), 4u);
    ASSERT_EQ(errors.messages.size(), 2u);
    EXPECT_NE(errors.messages[0].find("new"), std::string::npos);
    EXPECT_EQ(st.RecordPath, dir + "/ken.ret");
    EXPECT_EQ(test::ReadBytes(dir + "/new.ret"), test::RecordBytesFor(newData, EvenShape(1, 12, 3, 0)));
}

TEST_F(RecordLifecycleTest, NoRecordOpenAndCancelledNameKeepsTheChosenData) {
    ProgramState fresh;
    files.answers = {newData};
    names.answers = {"Ken"};
    EXPECT_FALSE(CreateRecordStep(fresh, files, names, errors, dir));
    EXPECT_EQ(fresh.RecordOpen, 0);
    EXPECT_EQ(fresh.DataChosen, 1);
    EXPECT_EQ(fresh.DataPath, newData);
}

TEST_F(RecordLifecycleTest, RefreshKeepsStateWhenTheDataFileVanished) {
    fs::remove(oldData);
    EXPECT_THROW(RefreshDataHeader(st), FileError);
    SaveIfOpen(st);
    ExpectOldRecordKept();
}

// One record, one program: the lock follows the open record, a record that
// another program has open is refused naming it, and a refused or failed
// open keeps both the open record and its lock.
TEST_F(RecordLifecycleTest, EachOpenRecordIsLockedToThisProgram) {
    test::FakeRecordLocks locks;
    RecordLockKeeper keeper(locks);
    const std::string newRecord = dir + "/new.ret";
    files.answers = {dir + "/old.ret"};
    ASSERT_TRUE(OpenRecordStep(st, files, &keeper));
    EXPECT_EQ(locks.held, (std::set<std::string>{dir + "/old.ret"}));

    locks.others = {newRecord};
    files.answers = {newRecord};
    try {
        OpenRecordStep(st, files, &keeper);
        ADD_FAILURE() << "a record in use was opened";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(newRecord + "」は、ほかのVokamoで使われています"),
                  std::string::npos)
            << e.what();
    }
    ExpectOldRecordKept();
    EXPECT_EQ(locks.held, (std::set<std::string>{dir + "/old.ret"}));

    // The same record again keeps its lock; a broken one does not take one.
    files.answers = {dir + "/old.ret"};
    EXPECT_TRUE(OpenRecordStep(st, files, &keeper));
    locks.others.clear();
    test::WriteBytes(newRecord, "broken\r\n");
    files.answers = {newRecord};
    EXPECT_THROW(OpenRecordStep(st, files, &keeper), ConversionError);
    EXPECT_EQ(locks.held, (std::set<std::string>{dir + "/old.ret"}));

    // A new record takes the lock of its name; a name in use is asked again.
    locks.others = {dir + "/ken.ret"};
    files.answers = {newData};
    names.answers = {"Ken", "ken", "ken2"};
    EXPECT_TRUE(CreateRecordStep(st, files, names, errors, dir, &keeper));
    EXPECT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(locks.held, (std::set<std::string>{dir + "/ken2.ret"}));
}

// The save at the end: every way through the questions after a failure.
struct EndCase {
    const char* name;
    std::vector<FailedSaveChoice> choices;
    std::vector<bool> confirms;
    bool elsewhere;  // a writable place is offered when asked
    bool repaired;   // the folder comes back after the first question
    bool saved;      // SaveAtEnd's answer
    size_t questions;
};

class SaveAtEndTest : public RecordLifecycleTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(SaveAtEndTest, NeverEndsUnsavedWithoutASecondChoice) {
    const EndCase& c = GetParam();
    fs::create_directories(dir + "/usb");
    st.RecordPath = dir + "/usb/old.ret";
    fs::remove_all(dir + "/usb");  // the stick was pulled out
    test::ScriptedSaveFailurePrompt prompt;
    prompt.choices.assign(c.choices.begin(), c.choices.end());
    prompt.confirms.assign(c.confirms.begin(), c.confirms.end());
    if (c.elsewhere) prompt.places = {std::nullopt, dir + "/saved"};
    if (c.repaired) prompt.choices.push_front(FailedSaveChoice::TryAgain);
    if (c.repaired) prompt.onAsk = [&] { fs::create_directories(dir + "/usb"); };
    test::FakeRecordLocks locks;
    RecordLockKeeper keeper(locks);

    EXPECT_EQ(SaveAtEnd(st, prompt, &keeper), c.saved);
    EXPECT_EQ(prompt.asked.size(), c.questions);
    EXPECT_NE(prompt.asked.at(0).find("見つかりません"), std::string::npos) << prompt.asked[0];
    EXPECT_NE(prompt.asked.at(0).find(FailedSaveQuestion), std::string::npos);
    const std::string where = c.elsewhere ? dir + "/saved.ret" : c.repaired ? dir + "/usb/old.ret" : "";
    if (!where.empty()) {
        EXPECT_EQ(st.RecordPath, where);
        EXPECT_NE(test::ReadBytes(where).find("\r\n0,2\r\n"), std::string::npos);
    }
    if (c.elsewhere) {
        EXPECT_EQ(locks.held, (std::set<std::string>{where}));
    }
    if (!c.saved) {
        EXPECT_FALSE(prompt.confirmations.empty());
    }
}

using C = FailedSaveChoice;
INSTANTIATE_TEST_SUITE_P(
    Paths, SaveAtEndTest,
    ::testing::Values(EndCase{"TryAgainOnceRepaired", {}, {}, false, true, true, 1},
                      EndCase{"AnotherPlace", {C::SaveElsewhere, C::SaveElsewhere}, {}, true, false, true, 2},
                      EndCase{"EndingNeedsConfirming",
                              {C::EndWithoutSaving, C::TryAgain, C::EndWithoutSaving},
                              {false, true},
                              false,
                              false,
                              false,
                              3}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    const char* utf8;
    bool ok;
};

class RecordNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(RecordNames, OnlyPlainNewFileNamesPass) {
    const std::string dir = test::MakeTempDir();
    test::WriteBytes(dir + "/" + FsPath(Sjis("太郎")) + ".ret", "x");
    const std::string problem = RecordNameProblem(Sjis(GetParam().utf8), dir);
    EXPECT_EQ(problem.empty(), GetParam().ok) << problem;
}

INSTANTIATE_TEST_SUITE_P(Table, RecordNames,
                         ::testing::Values(NameCase{"hanako", true}, NameCase{"花子", true},
                                           NameCase{"ソ表能", true},  // second bytes 0x5C, like a backslash
                                           NameCase{"a b", true}, NameCase{"太郎", false},
                                           NameCase{"a/b", false}, NameCase{"/etc", false},
                                           NameCase{".hidden", false}, NameCase{"..", false},
                                           NameCase{"tab\tname", false}, NameCase{"del\x7f", false}),
                         [](const auto& info) { return test::CaseIdentifier(info.param.utf8); });

TEST(NameField, CountsShiftJisBytes) {
    EXPECT_TRUE(NameFieldAccepts("abcdefghijkl"));
    EXPECT_FALSE(NameFieldAccepts("abcdefghijklm"));
    EXPECT_TRUE(NameFieldAccepts("あいうえおか"));
    EXPECT_FALSE(NameFieldAccepts("あいうえおかa"));
    EXPECT_TRUE(NameFieldAccepts("ｱｲｳｴｵｶｷｸｹｺｻｼ"));  // half-width katakana: one byte each
    EXPECT_FALSE(NameFieldAccepts("😀"));
    EXPECT_FALSE(NameFieldAccepts("한"));
}

// A whole school day of one record: created under a bare name, saved,
// reopened (its lock is the one already held), reached through a link,
// copied with its folder, and given a name as long as the file system takes.
TEST(RecordRoundTrip, CreatedRecordReopensAndTravelsWithItsFolder) {
    const std::string dir = test::MakeTempDir();
    const fs::path oldCwd = fs::current_path();
    fs::create_directories(dir + "/class");
    fs::current_path(dir + "/class");
    const std::string data = test::WriteDataFile(dir + "/class", "eigo.dat", EvenShape(1, 6, 2, 0));
    test::FakeRecordLocks locks;
    RecordLockKeeper keeper(locks);
    ProgramState st;
    test::ScriptedFileChooser files;
    test::ScriptedNamePrompt names;
    test::RecordingErrorBox errors;
    files.answers = {data};
    names.answers = {"Hanako", "hanako"};
    ASSERT_TRUE(CreateRecordStep(st, files, names, errors, ".", &keeper));
    st.ItemState[0] = 2;
    SaveIfOpen(st);
    const std::string record = dir + "/class/hanako.ret";
    EXPECT_EQ(test::ReadBytes(record).substr(0, 10), "eigo.dat\r\n");  // the bare name

    files.answers = {record};
    ASSERT_TRUE(OpenRecordStep(st, files, &keeper));
    EXPECT_EQ(locks.held, (std::set<std::string>{record}));
    EXPECT_EQ(st.ItemState[0], 2);

    // Through a link: the same record (its lock), and the save reaches it.
    fs::create_directories(dir + "/desk");
    fs::create_symlink(record, dir + "/desk/mine.ret");
    files.answers = {dir + "/desk/mine.ret"};
    ASSERT_TRUE(OpenRecordStep(st, files, &keeper));
    EXPECT_EQ(locks.held, (std::set<std::string>{record}));
    st.ItemState[1] = 1;
    SaveIfOpen(st);
    EXPECT_TRUE(fs::is_symlink(dir + "/desk/mine.ret"));
    EXPECT_NE(test::ReadBytes(record).find("\r\n0,2\r\n0,1\r\n"), std::string::npos);

    // The copied folder drills its own copy of the question file.
    fs::copy(dir + "/class", dir + "/copy", fs::copy_options::recursive);
    test::WriteDataFile(dir + "/class", "eigo.dat", EvenShape(1, 9, 2, 0));
    OpenRecord(st, dir + "/copy/hanako.ret");
    EXPECT_EQ(st.DataPath, dir + "/copy/eigo.dat");
    EXPECT_EQ(st.ItemCount, 6);

    // A name as long as a file name can be: its lock and its temporary file
    // still fit, and stay apart from those of a name that starts the same.
    const std::string longName = std::string(251, 'n') + ".ret";
    const std::string twin = std::string(251, 'n').replace(250, 1, "m") + ".ret";
    for (const char* suffix : {".vokamo-lock", ".vokamo-tmp-XXXXXX"}) {
        EXPECT_LE(SideFileName(longName, suffix).size(), 255u);
        EXPECT_NE(SideFileName(longName, suffix), SideFileName(twin, suffix));
        EXPECT_TRUE(SideFileName(longName, suffix).ends_with(suffix));
    }
    st.RecordPath = dir + "/copy/" + longName;
    SaveIfOpen(st);
    SaveIfOpen(st);
    ProgramState again;
    OpenRecord(again, st.RecordPath);
    EXPECT_EQ(again.ItemState[1], 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir + "/copy"), fs::directory_iterator()), 3);
    fs::current_path(oldCwd);
}

// A record that no longer matches its question file (a teacher inserted an
// item, renamed the book, changed its kind) is named with both counts
// before anything is scored; the pupil may stop, and nothing changes.
struct MismatchCase {
    const char* name;
    test::DataShape now;
    bool asked;
};

class RecordMismatch : public ::testing::TestWithParam<MismatchCase> {};

TEST_P(RecordMismatch, PupilIsToldWithBothCountsAndMayStop) {
    const MismatchCase& c = GetParam();
    const std::string dir = test::MakeTempDir();
    const auto before = EvenShape(1, 60, 3, 0);
    const std::string data = test::WriteDataFile(dir, "eigo.dat", before);
    test::WriteBytes(dir + "/r.ret", test::RecordBytesFor(data, before));
    test::WriteDataFile(dir, "eigo.dat", c.now);
    for (const bool goOn : {false, true}) {
        ProgramState st;
        test::ScriptedGoOnPrompt ask;
        ask.answers = {goOn};
        EXPECT_EQ(OpenRecord(st, dir + "/r.ret", &ask), goOn || !c.asked);
        ASSERT_EQ(ask.asked.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_NE(ask.asked[0].find(" 60 問"), std::string::npos) << ask.asked[0];
            EXPECT_NE(ask.asked[0].find(" " + std::to_string(c.now.itemLesson.size()) + " 問"),
                      std::string::npos);
        }
        EXPECT_EQ(st.RecordOpen, goOn || !c.asked ? 1 : 0);
    }
}

test::DataShape Renamed() {
    auto shape = EvenShape(1, 60, 3, 0);
    shape.title = "別の本";
    return shape;
}

INSTANTIATE_TEST_SUITE_P(Table, RecordMismatch,
                         ::testing::Values(MismatchCase{"Same", EvenShape(1, 60, 3, 0), false},
                                           MismatchCase{"ItemInserted", EvenShape(1, 61, 3, 0), true},
                                           MismatchCase{"ItemRemoved", EvenShape(1, 59, 3, 0), true},
                                           MismatchCase{"Retitled", Renamed(), true},
                                           MismatchCase{"OtherKind", EvenShape(2, 60, 3, 2), true}),
                         [](const auto& info) { return std::string(info.param.name); });

// After the question file changed shape in the middle of a drill, the
// message's advice works: opening the same record again (its lock is the
// one held) lets the drill go on with the new file.
TEST_F(RecordLifecycleTest, AdviceAfterAShapeChangeWorks) {
    test::FakeRecordLocks locks;
    test::ScriptedGoOnPrompt ask;
    RecordLockKeeper keeper(locks, &ask);
    files.answers = {dir + "/old.ret"};
    ASSERT_TRUE(OpenRecordStep(st, files, &keeper, nullptr, &ask));
    test::WriteDataFile(dir, "old.dat", EvenShape(2, 9, 2, 2));
    try {
        FollowDataFile(st);
        ADD_FAILURE() << "a changed shape went unnoticed";
    } catch (const DataChangedError& e) {
        EXPECT_NE(std::string(e.what()).find("成績を開く"), std::string::npos) << e.what();
    }
    ask.answers = {true};
    files.answers = {dir + "/old.ret"};
    ASSERT_TRUE(OpenRecordStep(st, files, &keeper, nullptr, &ask));
    EXPECT_EQ(ask.asked.size(), 1u);
    EXPECT_EQ(st.ItemCount, 9);
    EXPECT_NO_THROW(FollowDataFile(st));
}

}  // namespace
}  // namespace vokamo

namespace vokamo {
namespace {

// A teacher's file with the hidden-period trap, from creating a record to
// opening it again: the warnings come before the record is made, stopping
// keeps what was open, and an open asks again only after the file changed.
TEST(DataWarnings, AreShownAtCreationAndAgainOnlyAfterAChange) {
    const std::string dir = test::MakeTempDir();
    const std::string data = dir + "/bag.dat";
    const std::string trap = "memo\nバッグ 10 2\nThis is my @bag.\nかばん\nI @like it .\n好き\n";
    test::WriteBytes(data, trap);
    const std::string store = dir + "/config/checked-files";
    CheckedFiles checked(store);
    test::ScriptedFindingsPrompt prompt;
    DataWarningGate gate{prompt, checked};
    test::ScriptedFileChooser files;
    test::ScriptedNamePrompt names;
    test::RecordingErrorBox errors;
    ProgramState st;

    // Stopped at the warnings: nothing is asked after, nothing is chosen.
    files.answers = {data};
    EXPECT_FALSE(CreateRecordStep(st, files, names, errors, dir, nullptr, &gate));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].first, "bag.dat");
    ASSERT_EQ(prompt.shown[0].second.size(), 1u);
    const Finding& f = prompt.shown[0].second[0];
    EXPECT_EQ(f.place, "3 行目");
    EXPECT_NE(f.what.find("bag."), std::string::npos) << f.what;
    EXPECT_NE(f.fix.find("「@bag .」"), std::string::npos) << f.fix;
    EXPECT_TRUE(names.asked.empty());
    EXPECT_EQ(st.DataChosen, 0);
    EXPECT_FALSE(fs::exists(store));

    // Taken as it is: the record is made, and the file remembered.
    files.answers = {data};
    names.answers = {Sjis("花子"), "hanako"};
    prompt.answers = {true};
    const std::string record = dir + "/hanako.ret";
    ASSERT_TRUE(CreateRecordStep(st, files, names, errors, dir, nullptr, &gate));
    st.RecordPath = record;
    SaveIfOpen(st);
    EXPECT_TRUE(fs::exists(store));

    // Opened again, in a new run, with the same file: nothing to show.
    CheckedFiles nextRun(store);
    DataWarningGate nextGate{prompt, nextRun};
    ProgramState other;
    files.answers = {record};
    EXPECT_TRUE(OpenRecordStep(other, files, nullptr, &nextGate));
    EXPECT_EQ(prompt.shown.size(), 2u);

    // The teacher adds an item with the same trap: asked again; stopping
    // keeps the record that was open, and the next open asks once more.
    test::WriteBytes(data, "memo\nバッグ 10 2\nThis is my @bag.\nかばん\nIt's @red.\n赤\n");
    other.ItemState[0] = 2;
    files.answers = {record};
    EXPECT_FALSE(OpenRecordStep(other, files, nullptr, &nextGate));
    ASSERT_EQ(prompt.shown.size(), 3u);
    EXPECT_EQ(prompt.shown[2].second.size(), 2u);
    EXPECT_EQ(other.ItemState[0], 2);
    EXPECT_EQ(other.RecordPath, record);
    files.answers = {record};
    prompt.answers = {true};
    EXPECT_TRUE(OpenRecordStep(other, files, nullptr, &nextGate));
    EXPECT_EQ(other.ItemState[0], 2);
    EXPECT_EQ(prompt.shown.size(), 4u);

    // Fixed: a clean file shows nothing, at creation nor at open.
    test::WriteBytes(data, "memo\nバッグ 10 2\nThis is my @bag .\nかばん\nI @like it .\n好き\n");
    files.answers = {record, data};
    names.answers = {Sjis("太郎"), "taro"};
    EXPECT_TRUE(OpenRecordStep(other, files, nullptr, &nextGate));
    EXPECT_TRUE(CreateRecordStep(other, files, names, errors, dir, nullptr, &nextGate));
    EXPECT_EQ(prompt.shown.size(), 4u);
    EXPECT_TRUE(errors.messages.empty());
}

}  // namespace
}  // namespace vokamo

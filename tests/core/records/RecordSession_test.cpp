#include "core/records/RecordSession.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "CaseName.h"
#include "Fakes.h"
#include "RecordFixtures.h"
#include "TestSupport.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordRescue.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;

// What the main window forwards to the session; a signal counts the times
// the windows are told to close.
using Ev = void (*)(RecordSession&, int& closes);
namespace E {
constexpr Ev DrillLeft = [](RecordSession& s, int&) { s.DrillLeft(); };
constexpr Ev Quit = [](RecordSession& s, int&) { s.Quit(); };
constexpr Ev Signal = [](RecordSession& s, int& closes) { closes += s.EndRequested(); };
constexpr Ev ManagerMayAsk = [](RecordSession& s, int&) { s.SessionManagerSave(true); };
constexpr Ev ManagerSilent = [](RecordSession& s, int&) { s.SessionManagerSave(false); };
constexpr Ev LastMoment = [](RecordSession& s, int&) { s.LastMoment(); };
constexpr Ev SetFinished = [](RecordSession& s, int&) { s.SetFinished(); };
}  // namespace E

struct SessionCase {
    const char* name;
    bool guards;       // locks and the failed-save questions wired in, as the program does
    bool stickPulled;  // the record's folder is gone before the events
    bool rescue;       // asked, the pupil saves elsewhere (else she ends unsaved)
    std::vector<Ev> events;
    const char* savedTo;  // "usb/taro.ret", "rescued.ret" or nothing
    size_t errors;        // messages shown
    size_t questions;     // failed-save questions asked
    int closes;           // signals answered by closing the windows
    bool lockKept;
};

class RecordSessionPolicy : public ::testing::TestWithParam<SessionCase> {};

// Every way the record's session can end, with the save working or failing:
// what lands on disk and what the window is asked to show.
TEST_P(RecordSessionPolicy, NoSessionIsLostAndNothingIsAskedTwice) {
    const SessionCase& c = GetParam();
    const std::string dir = test::MakeTempDir();
    const auto shape = test::EvenShape(1, 6, 2, 0);
    fs::create_directories(dir + "/usb");
    test::WriteBytes(dir + "/usb/taro.ret",
                     test::RecordBytesFor(test::WriteDataFile(dir, "eigo.dat", shape), shape));

    ProgramState st;
    test::RecordingErrorBox errors;
    test::FakeRecordLocks locks;
    test::ScriptedSaveFailurePrompt prompt;
    test::ScriptedFileChooser files;
    RecordSession session(st, errors);
    if (c.guards) session.SetGuards(locks, prompt);
    files.answers = {dir + "/usb/taro.ret"};
    ASSERT_TRUE(session.Open(files));
    st.ItemTries[0] = 7;  // a drill not saved yet, with recording on
    st.RecordOff = false;
    if (c.stickPulled) fs::rename(dir + "/usb", dir + "/pulled");
    if (c.rescue) prompt.choices = {FailedSaveChoice::SaveElsewhere};
    if (c.rescue) prompt.places = {dir + "/rescued"};

    int closes = 0;
    for (Ev e : c.events) e(session, closes);

    for (const char* place : {"usb/taro.ret", "rescued.ret"}) {
        const bool saved = fs::exists(dir + "/" + place) && [&] {
            ProgramState disk;
            OpenRecord(disk, dir + "/" + place);
            return disk.ItemTries[0] == 7;
        }();
        EXPECT_EQ(saved, std::string(c.savedTo) == place) << place;
    }
    EXPECT_EQ(errors.messages.size(), c.errors);
    EXPECT_EQ(prompt.asked.size(), c.questions);
    EXPECT_EQ(closes, c.closes);
    EXPECT_EQ(!locks.held.empty(), c.lockKept);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Events, RecordSessionPolicy,
    ::testing::Values(
        //          name                           guards stick  rescue events                                                       savedTo        err q  close lock
        SessionCase{"DrillLeftSaves",              true, false, false, {E::DrillLeft},                                              "usb/taro.ret", 0, 0, 0, true},
        SessionCase{"DrillLeftFailureIsShown",     true, true,  false, {E::DrillLeft},                                              "",             1, 0, 0, true},
        // A signal closes the windows: the drill window's save stays quiet
        // and the main window's closing asks.
        SessionCase{"SignalThenFailureAsksOnce",   true, true,  true,  {E::Signal, E::DrillLeft, E::Quit, E::Signal, E::LastMoment}, "rescued.ret",  0, 1, 1, false},
        SessionCase{"SignalSaves",                 true, false, false, {E::Signal, E::Signal, E::DrillLeft, E::Quit, E::LastMoment}, "usb/taro.ret", 0, 0, 1, false},
        // The quit button and the closing it causes: one question, and once
        // settled nothing asks or saves again.
        SessionCase{"QuitFailureSavedElsewhere",   true, true,  true,  {E::Quit, E::Quit, E::LastMoment, E::Signal},                "rescued.ret",  0, 1, 0, false},
        SessionCase{"QuitEndsUnsavedWhenConfirmed", true, true, false, {E::Quit, E::Quit, E::ManagerMayAsk},                        "",             0, 1, 0, true},
        SessionCase{"QuitWithoutPromptShowsOnce",  false, true, false, {E::Quit, E::Quit},                                          "",             1, 0, 0, false},
        SessionCase{"QuitWithoutPromptSaves",      false, false, false, {E::Quit},                                                  "usb/taro.ret", 0, 0, 0, false},
        // The session manager's request settles nothing: the logout may be
        // cancelled, and the quit asks again.
        SessionCase{"ManagerMayAskThenQuitAsks",   true, true,  false, {E::ManagerMayAsk, E::Quit},                                 "",             0, 2, 0, true},
        SessionCase{"ManagerSilentLeavesItToTheEnd", true, true, true, {E::ManagerSilent, E::Quit},                                 "rescued.ret",  0, 1, 0, true},
        SessionCase{"ManagerSaves",                true, false, false, {E::ManagerSilent},                                          "usb/taro.ret", 0, 0, 0, true},
        SessionCase{"LastMomentSavesAndLetsGo",    true, false, false, {E::LastMoment, E::Quit},                                    "usb/taro.ret", 0, 0, 0, false},
        // A finished set is saved quietly; its failure waits for the drill's end.
        SessionCase{"SetFinishedSaves",            true, false, false, {E::SetFinished},                                            "usb/taro.ret", 0, 0, 0, true},
        SessionCase{"SetFinishedFailureIsQuiet",   true, true,  false, {E::SetFinished, E::DrillLeft},                              "",             1, 0, 0, true}),
    test::CaseName());
// clang-format on

// A record of six items on a stick, opened by a session with its guards, a
// drill not saved yet.
struct OpenSession {
    OpenSession() {
        const auto shape = test::EvenShape(1, 6, 2, 0);
        fs::create_directories(dir + "/usb");
        test::WriteBytes(record, test::RecordBytesFor(test::WriteDataFile(dir, "eigo.dat", shape), shape));
        session.SetGuards(locks, prompt);
        files.answers = {record};
        EXPECT_TRUE(session.Open(files));
        st.ItemTries[0] = 7;
    }
    int32_t TriesOnDisk(const std::string& path) {
        ProgramState disk;
        OpenRecord(disk, path);
        return disk.ItemTries[0];
    }
    std::string dir = test::MakeTempDir();
    std::string record = dir + "/usb/taro.ret";
    ProgramState st;
    test::RecordingErrorBox errors;
    test::FakeRecordLocks locks;
    test::ScriptedSaveFailurePrompt prompt;
    test::ScriptedFileChooser files;
    RecordSession session{st, errors};
};

// A signal while the failed-save question shows: nobody will answer, and a
// SIGKILL may follow. The record goes whole to an emergency copy in the
// user's data folder, the question closes, nothing more is asked, and the
// next start tells of the copy once.
TEST(RecordSessionEnd, SignalDuringTheQuestionLeavesAnEmergencyCopy) {
    OpenSession s;
    const std::string rescue = s.dir + "/data/vokamo/rescue";
    EXPECT_EQ(s.session.SignalArrived(rescue), std::nullopt);  // no question shown: nothing to do
    fs::rename(s.dir + "/usb", s.dir + "/pulled");
    std::optional<std::string> done;
    s.prompt.onAsk = [&] { done = s.session.SignalArrived(rescue); };
    s.prompt.choices = {FailedSaveChoice::TryAgain};  // what nobody clicks
    s.session.Quit();
    EXPECT_EQ(s.prompt.asked.size(), 1u);
    EXPECT_EQ(s.prompt.closed, 1);
    EXPECT_TRUE(s.prompt.confirmations.empty());
    EXPECT_FALSE(s.session.EndRequested());  // the end is under way
    ASSERT_TRUE(done);

    std::vector<std::string> copies;
    for (const auto& e : fs::directory_iterator(rescue))
        if (e.path().extension() == ".ret") copies.push_back(e.path().string());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_NE(done->find(copies[0]), std::string::npos) << *done;
    EXPECT_EQ(s.TriesOnDisk(copies[0]), 7);
    const auto notices = TakeRescueNotices(rescue);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find(s.record), std::string::npos) << notices[0];
    EXPECT_NE(notices[0].find(copies[0]), std::string::npos) << notices[0];
    EXPECT_TRUE(TakeRescueNotices(rescue).empty());
    EXPECT_TRUE(fs::exists(copies[0]));

    // A record name as long as a file name can be still gets its copy.
    ProgramState longName = s.st;
    longName.RecordPath = s.dir + "/pulled/" + std::string(251, 'n') + ".ret";
    EXPECT_EQ(s.TriesOnDisk(WriteRescueCopy(longName, rescue)), 7);

    const char* before = std::getenv("XDG_DATA_HOME");
    const std::string saved = before ? before : "";
    ::setenv("XDG_DATA_HOME", (s.dir + "/data").c_str(), 1);
    EXPECT_EQ(RescueFolder(), rescue);
    if (before)
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

// The display lost: the toolkit ends the process with exit() from inside
// the event loop, and the drill reaches the record on the way out.
TEST(RecordSessionEnd, ExitFromOutsideTheLoopSavesTheRecord) {
    OpenSession s;
    EXPECT_EXIT(
        {
            s.session.SaveAlsoAtExit();
            std::exit(1);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ(s.TriesOnDisk(s.record), 7);
}

}  // namespace
}  // namespace vokamo

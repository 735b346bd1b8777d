#include "core/records/RecordSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "CaseName.h"
#include "Fakes.h"
#include "RecordFixtures.h"
#include "TestSupport.h"
#include "core/records/RecordFile.h"

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
    st.ItemTries[0] = 7;  // a drill not saved yet
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
        SessionCase{"LastMomentSavesAndLetsGo",    true, false, false, {E::LastMoment, E::Quit},                                    "usb/taro.ret", 0, 0, 0, false}),
    test::CaseName());
// clang-format on

}  // namespace
}  // namespace vokamo

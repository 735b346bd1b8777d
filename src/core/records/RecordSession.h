#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/platform/Platform.h"
#include "core/records/RecordLifecycle.h"
#include "core/state/ProgramState.h"

namespace vokamo {

// The open record's life, from its open or creation to the program's end:
// which event saves it, what a failed save leads to, and the lock that keeps
// it to this program. The main window only forwards its events here and
// shows what comes back (messages go to the ErrorBox, questions after a
// failed save to the SaveFailurePrompt), so that no session is lost however
// the program ends, and that promise can be checked without windows.
class RecordSession {
public:
    RecordSession(ProgramState& st, ErrorBox& errors);
    ~RecordSession();
    RecordSession(const RecordSession&) = delete;
    RecordSession& operator=(const RecordSession&) = delete;

    // Locks each record opened or created from now on, and asks the pupil
    // what to do when the save at the end fails. Without them a failure at
    // the end is only shown, once. goOn asks before a record is used where
    // no lock can be had, or opened while it no longer matches its question
    // file (without, the first is refused and the second opens as it is).
    void SetGuards(RecordLocks& locks, SaveFailurePrompt& prompt, GoOnPrompt* goOn = nullptr);
    // Shows a question file's warnings before a record is made from it, or
    // opened with it after the file changed.
    void SetDataWarningGate(FindingsPrompt& prompt, CheckedFiles& checked) {
        gate_.emplace(DataWarningGate{prompt, checked});
    }

    // The open and create buttons (OpenRecordStep, CreateRecordStep): true
    // when another record is now open and is to be shown. A failure throws
    // for the caller's error box and keeps the record that was open.
    bool Open(FileChooser& files);
    bool Create(FileChooser& files, NamePrompt& names, const std::string& sjisFolder = ".");

    // The learner has left the drill window: saved at once, so that an end
    // the program does not see coming loses at most one drill. A failure is
    // shown, except while the session ends: the save at the end asks then.
    void DrillLeft();

    // A set of ten is over: saved at once and quietly (a failure is left to
    // the save when the drill is left, which shows it), so that kill -9 or a
    // power cut loses at most the set being answered. Nothing is written
    // while recording is off or once the end is settled.
    void SetFinished();

    // The quit button, and the main window closing. The first of them to
    // fail with a prompt at hand asks until the record is saved or the
    // pupil confirms ending without it; the end is then settled and later
    // events save nothing more.
    void Quit();

    // SIGTERM, SIGHUP or SIGINT: true when the windows are to be closed now
    // (their closing saves the drill and the record); false for a signal
    // while the end is already under way.
    bool EndRequested();

    // The session manager asks for the data to be kept. With mayAsk the
    // pupil is asked after a failure, but the logout may still be cancelled,
    // so this settles nothing; without, a failure is left to the save at
    // the end.
    void SessionManagerSave(bool mayAsk);

    // The application's last moment: the record is saved unless the end was
    // settled, and its lock is let go. Nothing can be shown any more.
    void LastMoment();

    // Makes LastMoment run also when the process ends through exit() from
    // outside the event loop: the toolkit does so when the display is lost
    // (the X server died, a remote session dropped). Registered with atexit
    // once per process; it acts only while this session lives, and the
    // save itself is made once whichever way comes first.
    void SaveAlsoAtExit();

    // A termination signal, as soon as it arrives (also inside a question's
    // own event loop). While the failed-save question or its file dialog is
    // shown nobody will answer, and a SIGKILL may follow: the record is
    // written as an emergency copy to rescueFolder (RecordRescue), the
    // question is closed, and the end asks nothing more. Returns what was
    // done, for the program's error output; nullopt when no question was shown.
    std::optional<std::string> SignalArrived(const std::string& rescueFolder);

    // The end is under way: a signal was served or the end was settled.
    bool Ending() const { return endingSession_ || endSettled_; }

private:
    class AskingPrompt;
    RecordLockKeeper* Locks() { return locks_ ? &*locks_ : nullptr; }

    ProgramState& st_;
    ErrorBox& errors_;
    std::optional<RecordLockKeeper> locks_;
    std::unique_ptr<AskingPrompt> prompt_;  // the pupil's prompt, closed when a signal comes
    GoOnPrompt* goOn_ = nullptr;
    std::optional<DataWarningGate> gate_;
    bool quitSaveFailed_ = false;  // shown once; quitting again does not repeat it
    bool endSettled_ = false;      // the save at the end was made or declined
    bool endingSession_ = false;   // a signal is closing the windows
};

}  // namespace vokamo

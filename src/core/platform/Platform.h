#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vokamo {

// Interfaces the core calls and the Qt layer implements. Tests use recording
// fakes (tests/Fakes.h).

enum class SoundMode { Wait, Background };

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays a sound file by bare name ("piyo.wav"). Wait returns when the
    // sound has ended; Background returns at once. Never fails.
    virtual void Play(const std::string& name, SoundMode mode) = 0;
};

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void ShowHelp(const std::string& fileName) = 0;  // "vk40.HLP"
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // title and filter in UTF-8. Returns the chosen path in Shift-JIS, or
    // nullopt when cancelled.
    virtual std::optional<std::string> ChooseFile(const std::string& title, const std::string& filter) = 0;
};

class NamePrompt {
public:
    virtual ~NamePrompt() = default;
    // caption and prompt in UTF-8; the answer in Shift-JIS, empty when
    // cancelled.
    virtual std::string Ask(const std::string& caption, const std::string& prompt) = 0;
};

class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void ShowError(const std::string& utf8Message) = 0;
};

// The lock that keeps a record to one program; let go when destroyed.
class RecordLock {
public:
    virtual ~RecordLock() = default;
};

// What became of the lock file beside a record.
enum class LockFileState {
    Taken,       // made; this program holds it
    InUse,       // another running program holds it
    CannotMake,  // the folder takes no new file: the record is used without one
    StaleKept,   // one is there from a program that no longer runs, and cannot be removed
};

class RecordLocks {
public:
    virtual ~RecordLocks() = default;
    // Takes the lock file beside the record at fsRecordPath (a real,
    // absolute file-system path). nullptr unless state is Taken. A lock left
    // behind by a program that no longer runs is taken over where it can be
    // removed.
    virtual std::unique_ptr<RecordLock> Lock(const std::string& fsRecordPath, LockFileState& state) = 0;
};

// A question the pupil answers with go on or stop.
class GoOnPrompt {
public:
    virtual ~GoOnPrompt() = default;
    // utf8Message says what is wrong and asks; true when she goes on.
    virtual bool AskGoOn(const std::string& utf8Message) = 0;
};

// One thing to know about a question file before pupils use it, in Japanese
// (UTF-8): where it is ("12 行目", a spreadsheet cell such as "B7", or empty
// for the whole file), what is wrong, and how to put it right.
struct Finding {
    std::string place;
    std::string what;
    std::string fix;
};

class FindingsPrompt {
public:
    virtual ~FindingsPrompt() = default;
    // Lists the findings of the file `fileName` (UTF-8, as the user knows
    // it). True when the user chooses to use the file as it is, false when
    // the user stops (or closes the window).
    virtual bool UseDespiteFindings(const std::string& fileName, const std::vector<Finding>& findings) = 0;
};

// What the pupil decides when the record could not be saved at the end.
enum class FailedSaveChoice { TryAgain, SaveElsewhere, EndWithoutSaving };

class SaveFailurePrompt {
public:
    virtual ~SaveFailurePrompt() = default;
    // utf8Message says what failed; the answer is the pupil's choice.
    virtual FailedSaveChoice AskAfterFailedSave(const std::string& utf8Message) = 0;
    // The second, explicit choice that ending without saving needs: true
    // only when the pupil confirms it.
    virtual bool ConfirmEndWithoutSaving(const std::string& utf8Message) = 0;
    // A new place for the record: a Shift-JIS path, nullopt when cancelled.
    virtual std::optional<std::string> ChooseSaveFile(const std::string& title,
                                                      const std::string& filter) = 0;
    // Closes the question or file dialog shown now, unanswered: the program
    // is being ended and nobody will answer any more.
    virtual void CloseQuestion() {}
};

}  // namespace vokamo

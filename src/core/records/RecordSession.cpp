#include "core/records/RecordSession.h"

#include <cstdlib>
#include <exception>

#include "core/records/RecordFile.h"
#include "core/records/RecordRescue.h"

namespace vokamo {

// The pupil's prompt as the session uses it: it knows whether a question is
// shown, and once the program is being ended it answers every question
// itself (end without saving here; the record has gone to its emergency
// copy) and opens no file dialog.
class RecordSession::AskingPrompt : public SaveFailurePrompt {
public:
    explicit AskingPrompt(SaveFailurePrompt& pupil) : pupil_(pupil) {}

    FailedSaveChoice AskAfterFailedSave(const std::string& utf8Message) override {
        if (interrupted_) return FailedSaveChoice::EndWithoutSaving;
        const Showing showing(asking_);
        const FailedSaveChoice choice = pupil_.AskAfterFailedSave(utf8Message);
        return interrupted_ ? FailedSaveChoice::EndWithoutSaving : choice;
    }
    bool ConfirmEndWithoutSaving(const std::string& utf8Message) override {
        if (interrupted_) return true;
        const Showing showing(asking_);
        const bool end = pupil_.ConfirmEndWithoutSaving(utf8Message);
        return interrupted_ || end;
    }
    std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter) override {
        if (interrupted_) return std::nullopt;
        const Showing showing(asking_);
        auto path = pupil_.ChooseSaveFile(title, filter);
        if (interrupted_) return std::nullopt;
        return path;
    }
    void CloseQuestion() override {
        interrupted_ = true;
        pupil_.CloseQuestion();
    }
    bool Asking() const { return asking_; }

private:
    struct Showing {
        explicit Showing(bool& flag) : flag_(flag) { flag_ = true; }
        ~Showing() { flag_ = false; }
        bool& flag_;
    };
    SaveFailurePrompt& pupil_;
    bool asking_ = false;
    bool interrupted_ = false;
};

namespace {

// The session whose record the process's exit saves; none after it ended.
RecordSession* exitSession = nullptr;

void SaveAtProcessExit() {
    if (exitSession) exitSession->LastMoment();
}

// A save whose failure is decided by the caller; the message when it failed.
std::optional<std::string> TrySave(ProgramState& st) {
    try {
        SaveIfOpen(st);
        return std::nullopt;
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
}

}  // namespace

RecordSession::RecordSession(ProgramState& st, ErrorBox& errors) : st_(st), errors_(errors) {}

RecordSession::~RecordSession() {
    if (exitSession == this) exitSession = nullptr;
}

void RecordSession::SetGuards(RecordLocks& locks, SaveFailurePrompt& prompt, GoOnPrompt* goOn) {
    locks_.emplace(locks, goOn);
    prompt_ = std::make_unique<AskingPrompt>(prompt);
    goOn_ = goOn;
}

bool RecordSession::Open(FileChooser& files) {
    return OpenRecordStep(st_, files, Locks(), gate_ ? &*gate_ : nullptr, goOn_);
}

bool RecordSession::Create(FileChooser& files, NamePrompt& names, const std::string& sjisFolder) {
    return CreateRecordStep(st_, files, names, errors_, sjisFolder, Locks(), gate_ ? &*gate_ : nullptr);
}

void RecordSession::DrillLeft() {
    if (const auto failure = TrySave(st_); failure && !endingSession_) errors_.ShowError(*failure);
}

void RecordSession::SetFinished() {
    if (endSettled_ || !st_.RecordOpen || st_.RecordOff) return;
    TrySave(st_);
}

void RecordSession::Quit() {
    if (endSettled_) return;
    if (prompt_) {
        endSettled_ = true;
        SaveAtEnd(st_, *prompt_, Locks());
        return;
    }
    if (quitSaveFailed_) return;
    if (const auto failure = TrySave(st_)) {
        quitSaveFailed_ = true;
        errors_.ShowError(*failure);
    }
}

bool RecordSession::EndRequested() {
    if (Ending()) return false;
    endingSession_ = true;
    return true;
}

void RecordSession::SessionManagerSave(bool mayAsk) {
    if (endSettled_) return;
    if (mayAsk && prompt_)
        SaveAtEnd(st_, *prompt_, Locks());
    else
        TrySave(st_);
}

void RecordSession::LastMoment() {
    if (!endSettled_) {
        endSettled_ = true;
        TrySave(st_);
    }
    locks_.reset();
}

void RecordSession::SaveAlsoAtExit() {
    static const bool registered = std::atexit(SaveAtProcessExit) == 0;
    if (registered) exitSession = this;
}

std::optional<std::string> RecordSession::SignalArrived(const std::string& rescueFolder) {
    if (!prompt_ || !prompt_->Asking()) return std::nullopt;
    std::string done;
    try {
        done = "成績を保存できないまま終わるため、非常用の写しを「" + WriteRescueCopy(st_, rescueFolder) +
               "」に保存しました。";
    } catch (const std::exception& e) {
        done = std::string("非常用の写しも保存できませんでした: ") + e.what();
    }
    prompt_->CloseQuestion();
    return done;
}

}  // namespace vokamo

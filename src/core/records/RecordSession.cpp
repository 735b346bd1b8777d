#include "core/records/RecordSession.h"

#include <exception>

#include "core/records/RecordFile.h"

namespace vokamo {

namespace {

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

void RecordSession::SetGuards(RecordLocks& locks, SaveFailurePrompt& prompt, GoOnPrompt* goOn) {
    locks_.emplace(locks, goOn);
    prompt_ = &prompt;
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

}  // namespace vokamo

#include "core/records/RecordLifecycle.h"

#include "core/data/DataCheck.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/data/TableImport.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordName.h"
#include "core/records/TableChoice.h"
#include "core/state/Errors.h"
#include "core/state/FileGuard.h"

namespace vokamo {

namespace {

// Lets go of a lock taken for a record that did not become the open one.
struct TakenLock {
    RecordLockKeeper* locks;
    bool kept = false;
    ~TakenLock() {
        if (locks && !kept) locks->Drop();
    }
    void Keep() {
        if (locks) locks->Keep();
        kept = true;
    }
};

std::string InUseMessage(const std::string& sjisPath) {
    return "成績「" + PathForMessage(sjisPath) +
           "」は、ほかのVokamoで使われています。そちらを終わってから開いてください。";
}

}  // namespace

bool RecordLockKeeper::Take(const std::string& sjisPath) {
    taken_ = Locks{};
    taken_.key = RealRecordPath(FsPath(sjisPath));
    if (held_.key == taken_.key && !held_.key.empty()) return true;
    LockFileState fileState = LockFileState::CannotMake;
    taken_.file = locks_.Lock(taken_.key, fileState);
    if (fileState == LockFileState::InUse) throw FileError(InUseMessage(sjisPath));
    RecordFileHold::Result holdState = RecordFileHold::Result::Unavailable;
    taken_.hold = RecordFileHold::Take(taken_.key, holdState);
    if (holdState == RecordFileHold::Result::InUse) throw FileError(InUseMessage(sjisPath));
    // Either lock alone keeps a second program off; a record that does not
    // exist yet gets the lock on its file at its first save.
    if (fileState == LockFileState::Taken || holdState != RecordFileHold::Result::Unavailable) return true;
    std::string why =
        fileState == LockFileState::StaleKept
            ? "前に使ったVokamoの印のファイルが残っていて、消せません。"
            : "フォルダーにも成績のファイルにも、ほかのVokamoが同時に開かないようにする印を付けられません。";
    const std::string message = "成績「" + PathForMessage(sjisPath) + "」: " + why + "\n" + SharedUseWarning +
                                "。\nこのまま開きますか？";
    if (ask_ && ask_->AskGoOn(message)) return true;
    taken_ = Locks{};
    return false;
}

void RecordLockKeeper::Keep() {
    if (taken_.key.empty() || taken_.key == held_.key) return;
    held_ = std::move(taken_);
    taken_ = Locks{};
}

void RecordLockKeeper::Drop() {
    taken_ = Locks{};
}

bool AcceptDataWarnings(const std::string& sjisDataPath, DataWarningGate& gate, bool onlyWhenChanged) {
    const std::string fsPath = FsPath(sjisDataPath);
    if (onlyWhenChanged && gate.checked.Unchanged(fsPath)) return true;
    const std::vector<Finding> findings = WarningFindings(CheckDataFile(fsPath));
    if (!findings.empty() && !gate.prompt.UseDespiteFindings(
                                 SjisToUtf8Lossy(sjisDataPath.substr(sjisDataPath.rfind('/') + 1)), findings))
        return false;
    gate.checked.Remember(fsPath);
    return true;
}

bool OpenRecordStep(ProgramState& st, FileChooser& files, RecordLockKeeper* locks, DataWarningGate* gate,
                    GoOnPrompt* ask) {
    SaveIfOpen(st);
    const auto path = files.ChooseFile(RecordDialogTitle, RecordDialogFilter);
    if (!path) return false;
    TakenLock lock{locks};
    if (locks && !locks->Take(*path)) return false;
    ProgramState next = st;
    if (!OpenRecord(next, *path, ask)) return false;
    if (gate && !AcceptDataWarnings(next.DataPath, *gate, true)) return false;
    st = std::move(next);
    lock.Keep();
    return true;
}

bool CreateRecordStep(ProgramState& st, FileChooser& files, NamePrompt& names, ErrorBox& errors,
                      const std::string& sjisFolder, RecordLockKeeper* locks, DataWarningGate* gate) {
    SaveIfOpen(st);
    ProgramState next = st;
    if (const auto path = files.ChooseFile(DataDialogTitle, DataDialogFilter)) {
        const bool table = IsTablePath(*path);
        if (table) {
            // A table's warnings are shown by cell before its question file
            // is written; stopping there is a cancel of the data dialog.
            const auto dat = DataFileFromTable(*path, errors, gate ? &gate->prompt : nullptr,
                                               gate ? &gate->checked : nullptr);
            if (!dat) return false;
            next.DataPath = *dat;
        } else {
            next.DataPath = *path;
        }
        ReadDataHeader(next);
        if (gate && !table && !AcceptDataWarnings(next.DataPath, *gate, false)) return false;
        next.DataChosen = true;
    }
    if (!next.DataChosen) return false;

    auto cancelled = [&] {
        // The open record keeps its own data; with none open, the data just
        // chosen stays loaded for the next creation.
        if (st.RecordOpen)
            st.DataChosen = next.DataChosen;
        else
            st = std::move(next);
        return false;
    };

    const std::string player = names.Ask(NamePromptCaption, PlayerNamePrompt);
    if (player.empty()) return cancelled();
    // The name is checked and the record placed in one and the same folder.
    auto inFolder = [&](const std::string& name) {
        return sjisFolder == "." ? RecordFileName(name) : sjisFolder + "/" + RecordFileName(name);
    };
    std::string recordName;
    TakenLock lock{locks};
    for (;;) {
        recordName = names.Ask(NamePromptCaption, RecordNamePrompt);
        if (recordName.empty()) return cancelled();
        std::string problem = RecordNameProblem(recordName, FsPath(sjisFolder));
        if (problem.empty() && locks) {
            try {
                if (!locks->Take(inFolder(recordName))) continue;
            } catch (const FileError& e) {
                problem = e.what();
            }
        }
        if (problem.empty()) break;
        errors.ShowError(problem);
    }

    next.PlayerName = player;
    next.RecordPath = inFolder(recordName);
    InitialiseRecord(next);
    next.RecordOpen = true;
    next.PickPos = 0;
    next.PickStart = 0;
    BuildItemOrder(next);
    st = std::move(next);
    lock.Keep();
    return true;
}

bool SaveAtEnd(ProgramState& st, SaveFailurePrompt& prompt, RecordLockKeeper* locks) {
    std::string failure;
    auto trySave = [&] {
        try {
            SaveIfOpen(st);
            return true;
        } catch (const std::exception& e) {
            failure = e.what();
            return false;
        }
    };
    if (trySave()) return true;
    for (;;) {
        switch (prompt.AskAfterFailedSave(failure + "\n\n" + FailedSaveQuestion)) {
            case FailedSaveChoice::TryAgain:
                if (trySave()) return true;
                break;
            case FailedSaveChoice::SaveElsewhere: {
                auto path = prompt.ChooseSaveFile(SaveElsewhereTitle, RecordDialogFilter);
                if (!path) break;
                if (!path->ends_with(".ret")) *path += ".ret";
                TakenLock lock{locks};
                try {
                    if (locks && !locks->Take(*path)) break;
                } catch (const FileError& e) {
                    failure = e.what();
                    break;
                }
                const std::string before = st.RecordPath;
                st.RecordPath = *path;
                if (trySave()) {
                    lock.Keep();
                    return true;
                }
                st.RecordPath = before;
                break;
            }
            case FailedSaveChoice::EndWithoutSaving:
                if (prompt.ConfirmEndWithoutSaving(EndWithoutSavingQuestion)) return false;
                break;
        }
    }
}

void RefreshDataHeader(ProgramState& st) {
    ProgramState next = st;
    ReadDataHeader(next);
    st = std::move(next);
}

}  // namespace vokamo

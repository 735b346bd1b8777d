#include "core/records/RecordLifecycle.h"

#include "core/data/DataFile.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordName.h"

namespace vokamo {

bool OpenRecordStep(ProgramState& st, FileChooser& files) {
    SaveIfOpen(st);
    const auto path = files.ChooseFile(RecordDialogTitle, RecordDialogFilter);
    if (!path) return false;
    OpenRecord(st, *path);
    return true;
}

bool CreateRecordStep(ProgramState& st, FileChooser& files, NamePrompt& names, ErrorBox& errors,
                      const std::string& fsFolder) {
    SaveIfOpen(st);
    ProgramState next = st;
    if (const auto path = files.ChooseFile(DataDialogTitle, DataDialogFilter)) {
        next.DataPath = *path;
        ReadDataHeader(next);
        next.DataChosen = 1;
    }
    if (next.DataChosen != 1) return false;

    auto cancelled = [&] {
        // The open record keeps its own data; with none open, the data just
        // chosen stays loaded for the next creation.
        if (st.RecordOpen == 1)
            st.DataChosen = next.DataChosen;
        else
            st = std::move(next);
        return false;
    };

    const std::string player = names.Ask(NamePromptCaption, PlayerNamePrompt);
    if (player.empty()) return cancelled();
    std::string recordName;
    for (;;) {
        recordName = names.Ask(NamePromptCaption, RecordNamePrompt);
        if (recordName.empty()) return cancelled();
        const std::string problem = RecordNameProblem(recordName, fsFolder);
        if (problem.empty()) break;
        errors.ShowError(problem);
    }

    next.PlayerName = player;
    next.RecordPath = RecordFileName(recordName);
    InitialiseRecord(next);
    next.RecordOpen = 1;
    next.PickPos = 0;
    next.PickStart = 0;
    BuildItemOrder(next);
    st = std::move(next);
    return true;
}

void RefreshDataHeader(ProgramState& st) {
    ProgramState next = st;
    ReadDataHeader(next);
    st = std::move(next);
}

}  // namespace vokamo

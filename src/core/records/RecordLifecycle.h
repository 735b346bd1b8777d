#pragma once

#include <string>

#include "core/platform/Platform.h"
#include "core/records/CheckedFiles.h"
#include "core/records/RecordLocking.h"
#include "core/state/ProgramState.h"

namespace vokamo {

// The record steps of the main window's open and create buttons. Both save
// the open record first and then work on a copy of the state, so that a
// cancel or a failure at any point leaves the record that was open still
// open, paired with its own question data (a failure throws VokamoError
// for the caller's error box).

// The locks of the open record, so that no second program works on it: a
// lock file beside it and a lock on the record file itself, both keyed by
// the record's real path (RealRecordPath), however it was chosen. Held from
// the record's open or creation until another record takes its place or the
// program ends.
class RecordLockKeeper {
public:
    // ask: where neither lock can be had, the pupil is warned and asked
    // whether to go on (without, such a record is refused).
    explicit RecordLockKeeper(RecordLocks& locks, GoOnPrompt* ask = nullptr) : locks_(locks), ask_(ask) {}
    // Takes the locks of the record at sjisPath beside the ones held
    // (nothing to take when it is the record held). Throws FileError when
    // another program has that record open; false when the pupil chose not
    // to go on without a lock.
    bool Take(const std::string& sjisPath);
    // The locks taken last become the ones held; those held before are let go.
    void Keep();
    // Lets go of the locks taken last: the record they were for did not open.
    void Drop();

private:
    struct Locks {
        std::unique_ptr<RecordLock> file;
        std::unique_ptr<RecordFileHold> hold;
        std::string key;
    };
    RecordLocks& locks_;
    GoOnPrompt* ask_;
    Locks held_, taken_;
};

// The warnings of a question file, shown before a record is made from it,
// and before a record is opened whose question file has changed since its
// warnings were last shown (or was never looked at on this machine).
struct DataWarningGate {
    FindingsPrompt& prompt;
    CheckedFiles& checked;
};

// True when the question file at sjisDataPath may be used: it has no
// warnings, it is the version whose warnings were taken before (only when
// `onlyWhenChanged`), or the user chose to use it as it is. A file that may
// be used is remembered as checked.
bool AcceptDataWarnings(const std::string& sjisDataPath, DataWarningGate& gate, bool onlyWhenChanged);

// Chooses and opens a record. True when another record is now open. With a
// lock keeper, a record that another program has open is refused. With a
// gate, the pupil who stops at the warnings keeps the record that was open.
// With `ask`, a record that no longer matches its question file is opened
// only when the pupil goes on (see OpenRecord).
bool OpenRecordStep(ProgramState& st, FileChooser& files, RecordLockKeeper* locks = nullptr,
                    DataWarningGate* gate = nullptr, GoOnPrompt* ask = nullptr);

// Chooses a question data file, asks for the player name and the record
// name and initialises the new record in sjisFolder (its file is written at
// the next save; "." keeps the bare name, relative to the working folder at
// save time). A record name that is not a plain file name or whose file
// already exists there is refused with a message and asked for again. True
// when the new record is now open. With a gate, a chosen file with warnings
// is shown first; stopping there is a cancel of the data dialog.
bool CreateRecordStep(ProgramState& st, FileChooser& files, NamePrompt& names, ErrorBox& errors,
                      const std::string& sjisFolder = ".", RecordLockKeeper* locks = nullptr,
                      DataWarningGate* gate = nullptr);

// Saves the open record when the program ends. A failed save is never
// passed over: the pupil may try again or store the record under another
// name or in another folder, and only a confirmed second choice ends
// without saving. True when the record is saved (or none is open), false
// when the pupil chose to end without saving.
bool SaveAtEnd(ProgramState& st, SaveFailurePrompt& prompt, RecordLockKeeper* locks = nullptr);

// Reads the header of the open record's question data file again; a failed
// read leaves st as it was.
void RefreshDataHeader(ProgramState& st);

// Texts of the dialogs (UTF-8).
inline constexpr const char* RecordDialogTitle = "成績を選んでください。";
inline constexpr const char* RecordDialogFilter = "成績 (*.ret)";
inline constexpr const char* DataDialogTitle = "取り組む問題を選んでください。";
// Question files, and beside them the tables teachers save from a
// spreadsheet, which become question files when chosen.
inline constexpr const char* DataDialogFilter = "問題 (*.dat);;表計算の表 (*.csv *.tsv)";
inline constexpr const char* NamePromptCaption = "VokamoforWindows";
inline constexpr const char* PlayerNamePrompt = "あなたの名前を入れてください。";
inline constexpr const char* RecordNamePrompt = "成績に名前を付けてください。";
inline constexpr const char* FailedSaveQuestion =
    "このまま終わると、今回の学習の結果が失われます。\n"
    "もう一度保存するか、別の名前や場所に保存してください。";
inline constexpr const char* EndWithoutSavingQuestion =
    "成績を保存しないで終わると、今回の学習の結果は失われます。\n本当に保存しないで終わりますか？";
inline constexpr const char* SharedUseWarning = "ほかの人が同時に使うと、結果が失われることがあります";
inline constexpr const char* SaveElsewhereTitle = "成績を保存する名前と場所を選んでください。";

}  // namespace vokamo

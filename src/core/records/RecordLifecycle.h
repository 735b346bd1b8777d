#pragma once

#include <string>

#include "core/platform/Platform.h"
#include "core/state/ProgramState.h"

namespace vokamo {

// The record steps of the main window's open and create buttons. Both save
// the open record first and then work on a copy of the state, so that a
// cancel or a failure at any point leaves the record that was open still
// open, paired with its own question data (a failure throws VokamoError
// for the caller's error box).

// Chooses and opens a record. True when another record is now open.
bool OpenRecordStep(ProgramState& st, FileChooser& files);

// Chooses a question data file, asks for the player name and the record
// name and initialises the new record (its file is written at the next
// save). A record name that is not a plain file name or whose file already
// exists in fsFolder is refused with a message and asked for again. True
// when the new record is now open.
bool CreateRecordStep(ProgramState& st, FileChooser& files, NamePrompt& names, ErrorBox& errors,
                      const std::string& fsFolder = ".");

// Reads the header of the open record's question data file again; a failed
// read leaves st as it was.
void RefreshDataHeader(ProgramState& st);

// Texts of the dialogs (UTF-8).
inline constexpr const char* RecordDialogTitle = "成績を選んでください。";
inline constexpr const char* RecordDialogFilter = "成績 (*.ret)";
inline constexpr const char* DataDialogTitle = "取り組む問題を選んでください。";
inline constexpr const char* DataDialogFilter = "問題 (*.dat)";
inline constexpr const char* NamePromptCaption = "VokamoforWindows";
inline constexpr const char* PlayerNamePrompt = "あなたの名前を入れてください。";
inline constexpr const char* RecordNamePrompt = "成績に名前を付けてください。";

}  // namespace vokamo

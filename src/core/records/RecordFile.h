#pragma once

#include <functional>
#include <string>

#include "core/platform/Platform.h"
#include "core/state/ProgramState.h"

namespace vokamo {

// Byte capacities of the record file's lines.
inline constexpr int RecordReadLineBytes = 80;    // settings, count, flag and item lines
inline constexpr int RecordWriteLineBytes = 120;  // settings, count and flag lines
inline constexpr int RecordItemLineBytes = 20;    // an item line and each of its numbers
inline constexpr int PlayerNameLineBytes = 255;   // the player name as read

// Reads the learner record file st.RecordPath (Shift-JIS path) into st:
// DataPath, Title, PlayerName, the six settings of line 4, DataKind, the
// lesson and code blocks and the item lines. It does not read the question
// data file and does not touch RecordOpen. Throws FileError,
// ConversionError or LimitError; st is then partly filled, so callers read
// into a copy (see OpenRecord).
void ReadRecordFile(ProgramState& st);

// Lets a test break a save between writing the temporary file and renaming
// it over the stored record, or stand in for a folder that refuses new
// files. Production code passes nothing.
struct RecordWriteHooks {
    std::function<void(const std::string& tempPath)> beforeRename;
    // Replaces mkstemp: returns the descriptor, or -1 with errno set.
    std::function<int(std::string& tempTemplate)> makeTemp;
    // Runs after the new bytes were written over the record in place and
    // before they are synced; a throw stands for a write that failed there.
    std::function<void()> afterInPlaceWrite;
};

// Writes st as the record file st.RecordPath, or where that link leads
// (RealRecordPath). The file is replaced atomically: a temporary file
// ".<name>.vokamo-tmp-XXXXXX" (SideFileName) in the same folder is written,
// flushed, synced and renamed over the old one; when
// anything fails the old file stays as it was, the temporary file is
// removed and FileError is thrown. Where the folder takes no new file but
// the record itself may be changed, the record is rewritten in place, with
// its old bytes written back when the new ones cannot be. Temporary files
// of this record that an interrupted save left behind are removed first.
// Line 1 holds the question file's bare name when it lies in the record's
// own folder (unless the record stores it by its whole path already), its
// whole path otherwise. While this program holds the
// record's lock (RecordFileHold), the new file takes it over.
void WriteRecordFile(const ProgramState& st, const RecordWriteHooks& hooks = {});

// Removes the temporary files that interrupted saves of the record at
// fsRecordPath (a file-system path) left in its folder.
void RemoveLeftoverTemps(const std::string& fsRecordPath);

// Settings 0, all lessons and codes of the loaded question data selected,
// every item never answered. Uses the question data already in st.
void InitialiseRecord(ProgramState& st);

// Opens the record at sjisPath together with its question data file. Line 1
// names that file; a relative name is taken from the record's folder, and
// when the named file does not exist the file of the same name in the
// record's folder is used, provided its title, type code and item count are
// the record's (otherwise FileError names both files). DataPath holds the
// file used, so the next save stores that one. The
// record and the data are read into a copy of st and handed over only when
// both reads succeeded, so a failure leaves st exactly as it was (and the
// previously open record still open). On success RecordOpen is 1,
// RecordPath is sjisPath, PickPos and PickStart are 0 and ItemOrder is
// rebuilt. Items that the data file has beyond the record's item lines
// start never answered. A stored Windows path ("C:\\VOKAMO\\X.DAT") stands
// for the file of its bare name beside the record; there, and wherever the
// named file is missing, a name that differs only in letter case is taken.
// When the question file's item count, title or type code is no longer the
// record's, `ask` tells the pupil (with both counts) and the record opens
// only when she goes on; false then, with st untouched. Without `ask` it
// opens as it is.
bool OpenRecord(ProgramState& st, const std::string& sjisPath, GoOnPrompt* ask = nullptr);

// The question data file a record names on its line 1 (`stored`, as the
// record holds it): a relative name is taken from the record's folder, and
// when the named file does not exist the file of the same name in the
// record's folder is used (`substituted`), also one whose name differs only
// in letter case; a Windows path ("C:\\...") always stands for its bare name
// there (sjisPath is the stored path when nothing is found). The record's
// folder is that of the file itself when the record is a link. Shift-JIS
// paths.
struct FoundDataFile {
    std::string sjisPath;
    bool substituted = false;
};
FoundDataFile FindDataFile(const std::string& sjisRecordPath, const std::string& stored);

// The refusal of a substituted file that is another book than the record's.
std::string OtherBookMessage(const std::string& sjisRecord, const std::string& sjisStored,
                             const std::string& sjisFound);

// Where the lock of the record at fsRecordPath lives (".<name>.vokamo-lock"
// beside it); a file-system path.
std::string RecordLockPath(const std::string& fsRecordPath);

// Saves the open record, if any.
void SaveIfOpen(const ProgramState& st);

}  // namespace vokamo

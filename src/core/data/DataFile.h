#pragma once

#include <string>
#include <vector>

#include "core/state/ProgramState.h"

namespace vokamo {

// Reads the header part of the question data file st.DataPath (a Shift-JIS
// path as stored in the record) into the question table. Throws FileError,
// ConversionError or LimitError; on any failure the counts (ItemCount,
// LessonCount, CodeCount, HeaderLines) are 0 and nothing half-read is left.
void ReadDataHeader(ProgramState& st);

// The two texts of an item that tell a teacher which word it asks (Shift-JIS).
struct ItemTexts {
    std::string answer;    // the answer line, "@" words and all
    std::string question;  // the prompt, most often the Japanese meaning
};

// Reads the question table of the file at sjisPath and, in the same pass,
// the answer and question line of every item. Throws like ReadDataHeader;
// table and texts change only when the whole file was read.
void ReadDataWithTexts(const std::string& sjisPath, QuestionData& table, std::vector<ItemTexts>& texts);

// Fills ItemOrder: identity, or a random permutation when RandomOrder is 1.
// Always draws the shuffle.
void BuildItemOrder(ProgramState& st);

// Reads the texts of SetItems[0..n-1] into SetTextA..D by slot, in one pass
// over the whole file.
void LoadSetTexts(ProgramState& st, int n);

// DataKind for a type code: its remainder by 10, with the sign of the type
// code (so -3 gives -3, which the reader refuses).
int32_t DataKindOf(int32_t typeCode);

// The file system path (UTF-8) for a Shift-JIS path of the program.
std::string FsPath(const std::string& sjisPath);

}  // namespace vokamo

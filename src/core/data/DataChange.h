#pragma once

#include <string>

#include "core/state/Errors.h"
#include "core/state/ProgramState.h"

namespace vokamo {

// The question data file changed during a drill in a way that moves its
// items: the drill cannot go on with the table it has.
class DataChangedError : public FileError {
public:
    explicit DataChangedError(const std::string& sjisPath);
};

// True when both tables lay out the same book: the same title, type code,
// counts, names and lesson and code of every item, so that the items' texts
// stand on the same lines.
bool SameShape(const QuestionData& a, const QuestionData& b);

// True when st.DataPath on disk is no longer the version the table was read
// from (another file, another size or other times), or is gone.
bool DataFileChanged(const ProgramState& st);

// Called before each set is read. When st.DataPath is no longer the version
// its header was read from (another file, another size or other times), the
// header is read again: with the same shape the table takes it over and the
// drill goes on with the new texts; otherwise DataChangedError is thrown and
// st stays as it was. A file that cannot be opened any more throws the
// FileError of the reader.
void FollowDataFile(ProgramState& st);

}  // namespace vokamo

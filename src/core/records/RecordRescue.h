#pragma once

#include <string>
#include <vector>

#include "core/state/ProgramState.h"

namespace vokamo {

// The folder for emergency copies of records: $XDG_DATA_HOME/vokamo/rescue,
// or ~/.local/share/vokamo/rescue. Empty when neither variable is set.
std::string RescueFolder();

// Writes the open record as an emergency copy into `folder` (made when
// missing), for a program that must end while its record cannot be saved
// where it belongs: "<name>-<date>-<time>.ret", with a note beside it that
// the next start reads. Returns the copy's path (file system); throws
// FileError when even that fails.
std::string WriteRescueCopy(const ProgramState& st, const std::string& folder);

// The messages (Japanese, UTF-8) for the emergency copies written since the
// last start, one each; the notes are removed, so each is told once.
std::vector<std::string> TakeRescueNotices(const std::string& folder);

}  // namespace vokamo

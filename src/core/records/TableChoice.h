#pragma once

#include <string>

#include "core/platform/Platform.h"

namespace vokamo {

// A word table chosen where a question file is asked for: it is turned into
// the question file beside it (same name, ".dat"), which is then used as if
// it had been chosen. What the check of that file finds is shown; a table
// that cannot become a question file is refused (VokamoError) with every
// fault and its cell, and nothing is written. A question file of that name
// is replaced only when it was made from a table of that name before.
// Returns the Shift-JIS path of the question file.
std::string DataFileFromTable(const std::string& sjisTablePath, ErrorBox& errors);

}  // namespace vokamo

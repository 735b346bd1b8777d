#pragma once

#include <optional>
#include <string>

#include "core/platform/Platform.h"
#include "core/records/CheckedFiles.h"

namespace vokamo {

// A word table chosen where a question file is asked for: it is turned into
// the question file beside it (same name, ".dat"), which is then used as if
// it had been chosen. A table that cannot become a question file is refused
// (VokamoError) with every fault and its cell, and nothing is written. The
// warnings of the check, each named by its cell with its fix, go to
// `prompt` before anything is written: the user who stops there leaves
// everything as it was (nullopt). Without a prompt they are shown through
// `errors` once the file is written. A question file of that name is
// replaced only when it was made from a table of that name before; the
// file written counts as checked in `checked`. Returns the Shift-JIS path
// of the question file.
std::optional<std::string> DataFileFromTable(const std::string& sjisTablePath, ErrorBox& errors,
                                             FindingsPrompt* prompt = nullptr,
                                             CheckedFiles* checked = nullptr);

}  // namespace vokamo

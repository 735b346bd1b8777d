#pragma once

#include <string>

namespace vokamo {

// Messages of the record file (UTF-8). Paths are given in Shift-JIS as the
// program keeps them; err is an errno value.
std::string OpenFailedMessage(const std::string& sjisPath, int err);
std::string ReadFailedMessage(const std::string& sjisPath, int err);
std::string WriteFailedMessage(const std::string& sjisPath, int err);
// A count on line `line` that breaks the table limit.
std::string CountLimitMessage(const std::string& sjisPath, int line, const char* what, long value,
                              long limit);
// A field on line `line` that is no number: the program's own text with the
// place and what belongs there.
std::string RecordNumberMessage(const std::string& sjisPath, int line, const std::string& sjisText,
                                const char* what);

}  // namespace vokamo

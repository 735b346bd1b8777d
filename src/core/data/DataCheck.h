#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/platform/Platform.h"
#include "core/state/Errors.h"

namespace vokamo {

enum class ReportLanguage { Japanese, English };

// Japanese unless the locale says another language: the first of LC_ALL,
// LC_MESSAGES and LANG that is set decides, as for every program.
ReportLanguage LanguageFromLocale();

// Reads the question data file at fsPath (a file-system path) with the
// program's own reader and lists every problem it can find, in line order:
// errors (the program would refuse the file) and warnings (the file loads,
// but a pupil will meet trouble). itemCount, when given, receives the number
// of items the header promises (0 when the header cannot be read).
std::vector<Problem> CheckDataFile(const std::string& fsPath, int* itemCount = nullptr);

// The warnings among problems as the window lists them: place, message and
// fix in Japanese.
std::vector<Finding> WarningFindings(const std::vector<Problem>& problems);

// "file:line: error: message fix", the line left out when the problem
// concerns the whole file.
std::string ReportLine(const std::string& file, const Problem& p, ReportLanguage language);

// Checks every file and writes the report to out. Returns the exit status:
// 0 when every file is clean, 1 when there are warnings only, 2 with errors.
int CheckDataFiles(const std::vector<std::string>& fsPaths, ReportLanguage language, std::ostream& out);

}  // namespace vokamo

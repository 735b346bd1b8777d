#pragma once

#include <optional>

#include "core/data/DataCheck.h"

namespace vokamo {

// The word-table uses of the command line, which open no window:
//   --import TABLE [-o FILE.dat] [--title T] [--code N] [--force]
//   --export FILE.dat [-o TABLE.csv] [--force]
//   --template KIND [-o FILE] [--dat] [--force]
// nullopt when none of them is asked for; else the exit status: 0 done,
// 1 done with warnings, 2 refused, 64 a mistake in the options.
std::optional<int> RunTableCommands(int argc, char** argv, ReportLanguage language);

// The lines --help gives these options.
const char* TableCommandsHelp(ReportLanguage language);

}  // namespace vokamo

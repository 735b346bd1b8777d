#pragma once

#include "CommandLine.h"

namespace vokamo {

// The word-table commands of the command line, which open no window:
//   --import TABLE [-o FILE.dat] [--title T] [--code N] [--force]
//   --export FILE.dat [-o TABLE.csv] [--force]
//   --template KIND [-o FILE] [--dat] [--force]
// Exit status: 0 done, 1 done with warnings, 2 nothing written, 64 a
// mistake in the options.
int RunImport(const CommandContext& c);
int RunExport(const CommandContext& c);
int RunTemplate(const CommandContext& c);

}  // namespace vokamo

#pragma once

#include "CommandLine.h"

namespace vokamo {

// The teacher's class overview from the command line:
//   --class [FOLDER...]  opens the window on the folders (without a folder:
//                        the one used last, else the working folder)
//   --csv FILE, --csv-hard FILE, --pdf FILE
//                        write the class tables, the hardest words, the
//                        printed pages ("-" for the standard output with the
//                        CSV), and open no window (no display needed)
// Exit status: 0 when every record was read, 1 when some were listed as
// unreadable, 2 when a file could not be written; the window's own status
// otherwise.
int RunClassCommand(const CommandContext& c);

}  // namespace vokamo

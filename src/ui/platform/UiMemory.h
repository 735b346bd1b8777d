#pragma once

namespace vokamo {

// Hands back to the system what a finished piece of work (a file dialog)
// left behind: freed heap, and the pages of program code and of read-only
// data files (fonts, the MIME and icon caches) that it touched. Those pages
// stay in the system's file cache; whatever the program uses again comes back
// on its next touch, so the resident set shrinks to what is really in use.
// Pages that hold data of the program's own (written after loading) are never
// touched.
void GiveBackMemory();

}  // namespace vokamo

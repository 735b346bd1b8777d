#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace vokamo {

// Finding the records of a class: every "*.ret" in the folders a teacher
// names and in their subfolders, without ever opening anything that is not
// a plain file of a record's size, and without following a folder twice.

// How far a scan goes. A class stick holds a folder per pupil, perhaps one
// per class above them; deeper trees are somebody's whole disk.
struct ScanLimits {
    int maxDepth = 6;                     // subfolder levels below a folder given
    size_t maxEntries = 200000;           // directory entries looked at in all
    size_t maxRecords = 5000;             // records taken in all
    std::atomic<bool>* cancel = nullptr;  // set from another thread to stop early
};

// A "*.ret" that may be a record: a regular file of a sensible size.
struct FoundRecord {
    std::string fsPath;   // as the file system spells it
    std::string relPath;  // from the folder given (UTF-8 as far as the name is)
    int folder = 0;       // index of the folder given
};

// Something the scan met and did not take, with why, in Japanese.
struct ScanNote {
    std::string relPath;  // from the folder given; the folder itself when it is about the folder
    std::string reason;   // UTF-8
    int folder = 0;
};

struct ScanResult {
    std::vector<FoundRecord> records;  // sorted by folder, then path
    std::vector<ScanNote> notes;
    bool cancelled = false;
};

// Scans fsFolders. A folder that cannot be opened, a link that leads back
// into a folder already seen, a subfolder deeper than the limit, and a
// "*.ret" that is not a regular file or is larger than any record become
// notes; everything else that is not named "*.ret" (in any letter case) is
// passed over in silence, as are the program's own lock and temporary files.
ScanResult ScanFolders(const std::vector<std::string>& fsFolders, const ScanLimits& limits = {});

}  // namespace vokamo

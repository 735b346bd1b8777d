#pragma once

#include <memory>
#include <string>

namespace vokamo {

// Where the record at fsPath (a file-system path, relative to the current
// folder or absolute) really lives: absolute, with every symbolic link on
// the way resolved, the last part included, also when the record does not
// exist yet. Locks and saves both go by this path, so a record reached
// through a link and through its target is one record, and a record
// created under a bare name is the file a later open chooses.
std::string RealRecordPath(const std::string& fsPath);

// The name of a file that belongs to the record file `fileName` (a bare
// name): "." + fileName + suffix, hidden beside it. When that would pass the
// file-name limit of the file system, the record's name is cut and a short
// hash of the whole name keeps it apart from other records; the suffix
// always stays whole, so it can end in a mkstemp pattern.
std::string SideFileName(const std::string& fileName, const std::string& suffix);

// The lock on the record file itself (an open file description lock): it
// keeps a second program off the record also where no lock file can be made
// beside it. Held from the record's open until another record takes its
// place; a save that replaces the file hands the lock over to the new one.
class RecordFileHold {
public:
    enum class Result {
        Held,         // this program has the record to itself
        InUse,        // another program holds it
        Unavailable,  // no lock can be had on this file (read-only, or no locks there)
        Pending,      // the record does not exist yet: its first save takes the lock
    };

    // Takes the lock on the record at realPath (from RealRecordPath).
    // nullptr with InUse; otherwise a hold, registered so that saves of that
    // path keep it (Unavailable holds nothing but still says so).
    static std::unique_ptr<RecordFileHold> Take(const std::string& realPath, Result& result);
    ~RecordFileHold();
    RecordFileHold(const RecordFileHold&) = delete;
    RecordFileHold& operator=(const RecordFileHold&) = delete;

    Result State() const { return state_; }

private:
    RecordFileHold(std::string path, int fd, Result state);
    friend bool LockReplacement(const std::string& realPath, int fd);
    friend bool HandOverHold(const std::string& realPath, int fd);

    std::string path_;
    int fd_;
    Result state_;
};

// For the record writer: when this program holds the record at realPath,
// locks the replacement being written (fd) before it is renamed into place,
// so that no other program can take the new file in between. True when the
// replacement is locked.
bool LockReplacement(const std::string& realPath, int fd);
// After the rename: the hold keeps fd (the record's new file) and lets go
// of the old one. True when fd was taken over (the caller must not close it).
bool HandOverHold(const std::string& realPath, int fd);

}  // namespace vokamo

#pragma once

#include <string>

#include "core/platform/Platform.h"

namespace vokamo {

// Record locks as lock files beside the records (".<name>.vokamo-lock",
// shortened by SideFileName where the name is long). A lock whose program
// no longer runs on this computer is taken over at once, or reported as
// StaleKept where the folder does not let it be removed. The holder
// touches its lock every minute, so a lock from another computer on a
// shared folder counts as left behind once it has not been touched for
// StaleMinutes.
class UiRecordLocks : public RecordLocks {
public:
    static constexpr int StaleMinutes = 5;

    std::unique_ptr<RecordLock> Lock(const std::string& fsRecordPath, LockFileState& state) override;

    // Where the lock of the record at fsRecordPath lives.
    static std::string LockPath(const std::string& fsRecordPath);
};

}  // namespace vokamo

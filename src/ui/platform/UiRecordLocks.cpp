#include "ui/platform/UiRecordLocks.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QLockFile>
#include <QTimer>

#include "core/records/RecordFile.h"

namespace vokamo {

namespace {

constexpr int TouchEveryMs = 60 * 1000;

class UiRecordLock : public RecordLock {
public:
    explicit UiRecordLock(const std::string& path) : file(QString::fromStdString(path)), path_(path) {
        file.setStaleLockTime(UiRecordLocks::StaleMinutes * 60 * 1000);
        QObject::connect(&touch_, &QTimer::timeout, &touch_,
                         [this] { ::utimensat(AT_FDCWD, path_.c_str(), nullptr, 0); });
    }
    void StartTouching() { touch_.start(TouchEveryMs); }

    QLockFile file;

private:
    std::string path_;
    QTimer touch_;
};

}  // namespace

std::string UiRecordLocks::LockPath(const std::string& fsRecordPath) {
    return RecordLockPath(fsRecordPath);
}

std::unique_ptr<RecordLock> UiRecordLocks::Lock(const std::string& fsRecordPath, bool& inUse) {
    auto lock = std::make_unique<UiRecordLock>(LockPath(fsRecordPath));
    inUse = false;
    if (lock->file.tryLock(0)) {
        lock->StartTouching();
        return lock;
    }
    inUse = lock->file.error() == QLockFile::LockFailedError;
    return nullptr;
}

}  // namespace vokamo

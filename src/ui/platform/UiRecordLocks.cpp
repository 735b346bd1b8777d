#include "ui/platform/UiRecordLocks.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTimer>
#include <cerrno>

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

// A lock file that outlived its program: the program it names is gone from
// this computer, or (from another computer) it has not been touched for
// StaleMinutes.
bool IsLeftBehind(QLockFile& file, const std::string& path) {
    qint64 pid = 0;
    QString host, app;
    if (!file.getLockInfo(&pid, &host, &app)) return false;
    if (host == QSysInfo::machineHostName() && pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 &&
        errno == ESRCH)
        return true;
    const QFileInfo info(QString::fromStdString(path));
    return info.lastModified().msecsTo(QDateTime::currentDateTime()) >
           qint64(UiRecordLocks::StaleMinutes) * 60 * 1000;
}

}  // namespace

std::string UiRecordLocks::LockPath(const std::string& fsRecordPath) {
    return RecordLockPath(fsRecordPath);
}

std::unique_ptr<RecordLock> UiRecordLocks::Lock(const std::string& fsRecordPath, LockFileState& state) {
    const std::string path = LockPath(fsRecordPath);
    auto lock = std::make_unique<UiRecordLock>(path);
    if (lock->file.tryLock(0)) {
        lock->StartTouching();
        state = LockFileState::Taken;
        return lock;
    }
    state = LockFileState::CannotMake;
    if (lock->file.error() != QLockFile::LockFailedError) return nullptr;
    // QLockFile takes over a lock left behind only where it can remove it;
    // in a folder that has turned read-only it stays, and it keeps nobody
    // off: the record's own lock does that.
    state = IsLeftBehind(lock->file, path) ? LockFileState::StaleKept : LockFileState::InUse;
    return nullptr;
}

}  // namespace vokamo

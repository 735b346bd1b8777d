#include "core/records/RecordLocking.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>

namespace vokamo {

namespace fs = std::filesystem;

namespace {

// Links followed for one record before it is taken as it stands (the
// system's own limit for a path).
constexpr int MaxLinks = 40;
constexpr size_t HashChars = 16;

// The records this program holds, by real path, so that a save finds the
// hold of the file it replaces. Never destroyed: the save at the process's
// exit (the display lost) runs after the statics made before it are gone.
std::map<std::string, RecordFileHold*>& Holds() {
    static auto* holds = new std::map<std::string, RecordFileHold*>;
    return *holds;
}

uint64_t NameHash(const std::string& text) {
    uint64_t h = 14695981039346656037ull;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool LockWhole(int fd, short type) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

}  // namespace

std::string RealRecordPath(const std::string& fsPath) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(fsPath), ec);
    if (ec) return fsPath;
    // A link whose target does not exist yet still leads to that target: the
    // first save creates it there.
    for (int i = 0; i < MaxLinks; ++i) {
        const fs::file_status s = fs::symlink_status(p, ec);
        if (ec || !fs::is_symlink(s)) break;
        const fs::path target = fs::read_symlink(p, ec);
        if (ec) break;
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    const fs::path real = fs::weakly_canonical(p, ec);
    return ec ? p.lexically_normal().string() : real.string();
}

std::string SideFileName(const std::string& fileName, const std::string& suffix) {
    std::string plain = "." + fileName + suffix;
    if (plain.size() <= NAME_MAX) return plain;
    char hash[HashChars + 2];
    std::snprintf(hash, sizeof hash, "~%016llx", static_cast<unsigned long long>(NameHash(fileName)));
    const size_t room = NAME_MAX - 1 - suffix.size() - (sizeof hash - 1);
    size_t keep = std::min(room, fileName.size());
    while (keep > 0 && IsContinuation(fileName[keep])) --keep;
    return "." + fileName.substr(0, keep) + hash + suffix;
}

RecordFileHold::RecordFileHold(std::string path, int fd, Result state)
    : path_(std::move(path)), fd_(fd), state_(state) {}

RecordFileHold::~RecordFileHold() {
    auto found = Holds().find(path_);
    if (found != Holds().end() && found->second == this) Holds().erase(found);
    if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<RecordFileHold> RecordFileHold::Take(const std::string& realPath, Result& result) {
    auto keep = [&](int fd, Result state) {
        result = state;
        std::unique_ptr<RecordFileHold> hold(new RecordFileHold(realPath, fd, state));
        Holds().emplace(realPath, hold.get());
        return hold;
    };
    // O_NONBLOCK: a FIFO in the record's place must not hold the program;
    // the reader refuses it right after.
    constexpr int Flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    bool readOnly = false;
    int fd = ::open(realPath.c_str(), O_RDWR | Flags);
    if (fd < 0 && errno == ENOENT) return keep(-1, Result::Pending);
    if (fd < 0) {
        // A record the pupil may not change can still be held for reading,
        // which keeps off any program that would write it.
        readOnly = true;
        fd = ::open(realPath.c_str(), O_RDONLY | Flags);
        if (fd < 0) return keep(-1, Result::Unavailable);
    }
    struct stat sb {};
    if (::fstat(fd, &sb) != 0 || !S_ISREG(sb.st_mode)) {
        ::close(fd);
        return keep(-1, Result::Pending);
    }
    if (!LockWhole(fd, readOnly ? F_RDLCK : F_WRLCK)) {
        const int err = errno;
        ::close(fd);
        if (err == EAGAIN || err == EACCES) {
            result = Result::InUse;
            return nullptr;
        }
        // No locks on this file system (some network and FUSE folders).
        return keep(-1, Result::Unavailable);
    }
    return keep(fd, readOnly ? Result::Unavailable : Result::Held);
}

bool LockReplacement(const std::string& realPath, int fd) {
    if (Holds().count(realPath) == 0) return false;
    return LockWhole(fd, F_WRLCK);
}

bool HandOverHold(const std::string& realPath, int fd) {
    const auto found = Holds().find(realPath);
    if (found == Holds().end()) return false;
    RecordFileHold& hold = *found->second;
    if (hold.fd_ >= 0) ::close(hold.fd_);
    hold.fd_ = fd;
    hold.state_ = RecordFileHold::Result::Held;
    return true;
}

}  // namespace vokamo

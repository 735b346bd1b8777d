#include "core/state/FileGuard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/data/SjisText.h"
#include "core/state/Errors.h"

namespace vokamo {

namespace {

FileStamp StampFrom(const struct stat& sb) {
    FileStamp s;
    s.device = static_cast<uint64_t>(sb.st_dev);
    s.inode = static_cast<uint64_t>(sb.st_ino);
    s.size = static_cast<int64_t>(sb.st_size);
    s.modifiedNs = static_cast<int64_t>(sb.st_mtim.tv_sec) * 1000000000 + sb.st_mtim.tv_nsec;
    s.changedNs = static_cast<int64_t>(sb.st_ctim.tv_sec) * 1000000000 + sb.st_ctim.tv_nsec;
    return s;
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

int OpenForReading(const std::string& fsPath, const std::string& utf8Shown, uint64_t maxBytes,
                   FileStamp* stamp) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a
    // writer that never comes. It is switched off again for a regular file.
    const int fd = ::open(fsPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat sb {};
    if (::fstat(fd, &sb) != 0) {
        const int err = errno;
        ::close(fd);
        errno = err;
        return -1;
    }
    const std::string shown = ShortenForMessage(utf8Shown);
    if (S_ISDIR(sb.st_mode)) {
        ::close(fd);
        throw FileError("「" + shown + "」はフォルダーです。ファイルを選んでください。");
    }
    if (!S_ISREG(sb.st_mode)) {
        ::close(fd);
        throw FileError("「" + shown +
                        "」はふつうのファイルではないので読めません（装置や名前付きパイプなどです）。");
    }
    if (static_cast<uint64_t>(sb.st_size) > maxBytes) {
        ::close(fd);
        throw FileError(TooLargeMessage(utf8Shown, static_cast<uint64_t>(sb.st_size), maxBytes));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (stamp) *stamp = StampFrom(sb);
    return fd;
}

ReadEnd ReadBounded(int fd, uint64_t maxBytes, std::string& bytes, int& err) {
    char buf[64 * 1024];
    for (;;) {
        // Never more than one byte past the limit, whatever the file's size
        // said: files in /proc say 0 and hold far more.
        const uint64_t room = maxBytes + 1 - bytes.size();
        const ssize_t n = ::read(fd, buf, static_cast<size_t>(std::min<uint64_t>(sizeof buf, room)));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err = errno;
            return ReadEnd::Failed;
        }
        if (n == 0) return ReadEnd::Whole;
        bytes.append(buf, static_cast<size_t>(n));
        if (bytes.size() > maxBytes) return ReadEnd::TooLarge;
    }
}

FileStamp StampOf(int fd) {
    struct stat sb {};
    if (::fstat(fd, &sb) != 0) return {};
    return StampFrom(sb);
}

std::optional<FileStamp> StampOfPath(const std::string& fsPath) {
    struct stat sb {};
    if (::stat(fsPath.c_str(), &sb) != 0) return std::nullopt;
    return StampFrom(sb);
}

std::string TooLargeMessage(const std::string& utf8Shown, uint64_t size, uint64_t maxBytes) {
    return "ファイル「" + ShortenForMessage(utf8Shown) + "」は大きすぎるので読めません（" +
           std::to_string(size) + " バイト。" + std::to_string(maxBytes) + " バイトまでです）。";
}

std::string ShortenForMessage(std::string_view utf8, size_t maxBytes) {
    if (utf8.size() <= maxBytes) return std::string(utf8);
    static constexpr std::string_view Ellipsis = "…";
    const size_t keep = maxBytes > Ellipsis.size() ? maxBytes - Ellipsis.size() : 0;
    size_t head = keep / 2;
    while (head > 0 && IsContinuation(utf8[head])) --head;
    size_t tail = utf8.size() - (keep - keep / 2);
    while (tail < utf8.size() && IsContinuation(utf8[tail])) ++tail;
    std::string out(utf8.substr(0, head));
    out += Ellipsis;
    out += utf8.substr(tail);
    return out;
}

std::string PathForMessage(const std::string& sjisPath) {
    return ShortenForMessage(SjisToUtf8Lossy(sjisPath));
}

}  // namespace vokamo

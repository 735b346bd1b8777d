#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vokamo {

// The largest record the program agrees to read. The fullest record the
// tables allow takes about 60 KB; the limit leaves room for long lines that
// the reader cuts, and keeps an endless or runaway file from being read.
// (Question files have MaxTextFileBytes, core/data/FileText.h.)
inline constexpr uint64_t MaxRecordFileBytes = 1u << 20;

// Paths and other texts quoted in a message keep their start and their end
// (where the file name is) and lose the middle beyond this many bytes.
inline constexpr size_t MessageTextBytes = 240;

// One version of a file on disk. An editor that saves by renaming changes
// the inode, an edit in place changes the size or the times, and the change
// time cannot be set back by copying tools that keep the modification time.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// Opens fsPath (a file-system path) for reading, as a descriptor that reads
// without blocking on nothing: a FIFO or a device never holds the program.
// Returns -1 with errno set when the system refuses to open it (the caller
// words that message). Throws FileError, naming utf8Shown, when it is not a
// regular file or is larger than maxBytes. *stamp receives the file's stamp.
int OpenForReading(const std::string& fsPath, const std::string& utf8Shown, uint64_t maxBytes,
                   FileStamp* stamp = nullptr);

// How a bounded read ended.
enum class ReadEnd { Whole, Failed, TooLarge };

// Reads what is left of fd into bytes, and stops once more than maxBytes
// have come: the size was checked at the open, but a file may still grow
// while it is read. On Failed, err holds the errno of the failed read.
ReadEnd ReadBounded(int fd, uint64_t maxBytes, std::string& bytes, int& err);

// The stamp of an open descriptor, or of a path (nullopt when it cannot be
// looked at).
FileStamp StampOf(int fd);
std::optional<FileStamp> StampOfPath(const std::string& fsPath);

// The message a reader gives when a file grew past maxBytes while it was
// read (it was checked when it was opened).
std::string TooLargeMessage(const std::string& utf8Shown, uint64_t size, uint64_t maxBytes);

// utf8 as it may stand in a message: up to maxBytes, longer texts keep their
// start and end around "…". Never cuts a UTF-8 character.
std::string ShortenForMessage(std::string_view utf8, size_t maxBytes = MessageTextBytes);

// A Shift-JIS path of the program as it stands in a message: UTF-8, shortened.
std::string PathForMessage(const std::string& sjisPath);

}  // namespace vokamo

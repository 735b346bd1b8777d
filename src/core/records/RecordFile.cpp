#include "core/records/RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/state/Errors.h"
#include "core/data/DataFile.h"
#include "core/data/LineReader.h"
#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/records/RecordText.h"

namespace vokamo {

namespace {

std::string ReadWholeFile(const std::string& sjisPath) {
    const std::string path = FsPath(sjisPath);
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw FileError(OpenFailedMessage(sjisPath, errno));
    std::string bytes;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed) throw FileError(ReadFailedMessage(sjisPath, err));
    return bytes;
}

// The lines of a record file: Shift-JIS as the program writes it, CR (with
// the LF after it) ends a line, 0x1A ends the file, and past the end every
// line is empty. Numbers that are no numbers are refused with their place.
class RecordLines {
public:
    RecordLines(std::string bytes, std::string sjisPath)
        : in_(DecodeFileText(std::move(bytes), false)), path_(std::move(sjisPath)) {}

    std::string Next() { return in_.ReadLine(std::string::npos); }
    // A line read into a field of n bytes: the rest of the line is skipped.
    std::string Next(size_t n) { return in_.ReadLine(n); }

    int32_t Number(const std::string& text, const char* what) const {
        try {
            return ToInt(text);
        } catch (const ConversionError&) {
            throw ConversionError(RecordNumberMessage(path_, in_.LineNumber(), text, what),
                                  Problem{false, in_.LineNumber(), NotANumberText(text), NotANumberText(text)});
        }
    }

    int LineNo() const { return in_.LineNumber(); }
    const std::string& Path() const { return path_; }

private:
    LineReader in_;
    std::string path_;
};

std::string Field(const std::vector<std::string>& parts, size_t i) {
    return i < parts.size() ? parts[i] : "";
}

int32_t ReadCount(RecordLines& src, int32_t limit, const char* what) {
    const int32_t n = src.Number(src.Next(RecordReadLineBytes), what);
    if (n < 0 || n > limit) throw LimitError(CountLimitMessage(src.Path(), src.LineNo(), what, n, limit));
    return n;
}

void ReadFlags(RecordLines& src, std::array<int32_t, MaxGroups>& flags, int32_t count, const char* what) {
    for (int32_t i = 0; i < count; ++i) flags[i] = src.Number(src.Next(RecordReadLineBytes), what);
}

std::string Cut(std::string text, size_t n) {
    if (text.size() > n) text.resize(n);
    return text;
}

std::string NumberLine(int32_t v) {
    return Cut(std::to_string(v), RecordWriteLineBytes);
}

std::string ItemLine(int32_t tries, int32_t state) {
    return Cut(Cut(std::to_string(tries), RecordItemLineBytes) + "," +
                   Cut(std::to_string(state), RecordItemLineBytes),
               RecordItemLineBytes);
}

std::string RecordBytes(const ProgramState& st) {
    std::string out;
    auto line = [&out](const std::string& text) {
        out += text;
        out += "\r\n";
    };
    line(st.DataPath);
    line(SjisCut(st.Title, TitleBytes));
    line(st.PlayerName);
    line(Cut(std::to_string(st.TypeCode) + "," + std::to_string(st.ItemCount) + "," +
                 std::to_string(st.RecordOff) + "," + std::to_string(st.FlashTime) + "," +
                 std::to_string(st.RandomOrder) + "," + std::to_string(st.HintMode),
             RecordWriteLineBytes));
    if (st.DataKind > 0) {
        const int32_t lessons = std::clamp(st.LessonCount, 0, MaxGroups);
        line(NumberLine(lessons));
        for (int32_t i = 0; i < lessons; ++i) line(NumberLine(st.LessonSelected[i]));
    }
    if (st.DataKind > 1) {
        const int32_t codes = std::clamp(st.CodeCount, 0, MaxGroups);
        line(NumberLine(codes));
        for (int32_t i = 0; i < codes; ++i) line(NumberLine(st.CodeSelected[i]));
    }
    const int32_t items = std::clamp(st.ItemCount, 0, MaxItems);
    for (int32_t i = 0; i < items; ++i) line(ItemLine(st.ItemTries[i], st.ItemState[i]));
    return out;
}

// Permissions for the replacement: those of the file it replaces, so that a
// record shared in a class folder stays readable by whoever could read it.
mode_t ReplacementMode(const std::string& path) {
    struct stat sb {};
    if (::stat(path.c_str(), &sb) == 0) return sb.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

void ReadRecordFile(ProgramState& st) {
    RecordLines src(ReadWholeFile(st.RecordPath), st.RecordPath);
    st.DataPath = src.Next();
    st.Title = SjisCut(src.Next(), TitleBytes);
    st.PlayerName = src.Next();

    const auto settings = SplitCommas(src.Next(RecordReadLineBytes));
    st.TypeCode = src.Number(Field(settings, 0), "種別コード");
    const int32_t items = src.Number(Field(settings, 1), "問題数");
    st.RecordOff = src.Number(Field(settings, 2), "成績を残さない設定（0 か 1）");
    st.FlashTime = src.Number(Field(settings, 3), "フラッシュ時間");
    st.RandomOrder = src.Number(Field(settings, 4), "出題順の設定（0 か 1）");
    st.HintMode = src.Number(Field(settings, 5), "ヒントの設定（0 か 1）");
    if (items < 0 || items > MaxItems)
        throw LimitError(CountLimitMessage(src.Path(), src.LineNo(), "問題数", items, MaxItems));
    st.ItemCount = items;
    st.DataKind = st.TypeCode % 10;

    if (st.DataKind > 0) {
        st.LessonCount = ReadCount(src, MaxGroups, "課の数");
        ReadFlags(src, st.LessonSelected, st.LessonCount, "課を選ぶ印（0 か 1）");
    }
    if (st.DataKind > 1) {
        st.CodeCount = ReadCount(src, MaxGroups, "コードの数");
        ReadFlags(src, st.CodeSelected, st.CodeCount, "コードを選ぶ印（0 か 1）");
    }
    for (int32_t i = 0; i < st.ItemCount; ++i) {
        const auto parts = SplitCommas(src.Next(RecordReadLineBytes));
        st.ItemTries[i] = src.Number(Field(parts, 0), "問題の回数");
        st.ItemState[i] = src.Number(Field(parts, 1), "問題の成績");
    }
}

void WriteRecordFile(const ProgramState& st, const RecordWriteHooks& hooks) {
    const std::string path = FsPath(st.RecordPath);
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string temp = (folder / (target.filename().string() + ".tmp-XXXXXX")).string();

    const int fd = ::mkstemp(temp.data());
    if (fd < 0) throw FileError(WriteFailedMessage(st.RecordPath, errno));
    auto fail = [&](int err, bool open) {
        if (open) ::close(fd);
        ::unlink(temp.c_str());
        throw FileError(WriteFailedMessage(st.RecordPath, err));
    };
    if (::fchmod(fd, ReplacementMode(path)) != 0) fail(errno, true);
    if (!WriteAll(fd, RecordBytes(st))) fail(errno, true);
    if (::fsync(fd) != 0) fail(errno, true);
    if (::close(fd) != 0) fail(errno, false);
    try {
        if (hooks.beforeRename) hooks.beforeRename(temp);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) fail(errno, false);
    // The rename itself lives in the folder: sync it too, so that a power
    // cut right after a save cannot bring the old record back.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void InitialiseRecord(ProgramState& st) {
    st.RandomOrder = 0;
    st.RecordOff = 0;
    st.HintMode = 0;
    st.FlashTime = 0;
    if (st.DataKind == 0) st.LessonSelected[0] = 1;
    if (st.DataKind > 0)
        for (int32_t i = 0; i < std::clamp(st.LessonCount, 0, MaxGroups); ++i) st.LessonSelected[i] = 1;
    if (st.DataKind > 1)
        for (int32_t i = 0; i < std::clamp(st.CodeCount, 0, MaxGroups); ++i) st.CodeSelected[i] = 1;
    for (int32_t i = 0; i < std::clamp(st.ItemCount, 0, MaxItems); ++i) {
        st.ItemTries[i] = 0;
        st.ItemState[i] = -1;
    }
}

void OpenRecord(ProgramState& st, const std::string& sjisPath) {
    ProgramState next = st;
    next.RecordPath = sjisPath;
    ReadRecordFile(next);
    const int32_t recordItems = next.ItemCount;
    ReadDataHeader(next);
    for (int32_t i = std::max(recordItems, 0); i < std::min(next.ItemCount, MaxItems); ++i) {
        next.ItemTries[i] = 0;
        next.ItemState[i] = -1;
    }
    next.RecordOpen = 1;
    next.PickPos = 0;
    next.PickStart = 0;
    BuildItemOrder(next);
    st = std::move(next);
}

void SaveIfOpen(const ProgramState& st) {
    if (st.RecordOpen == 1) WriteRecordFile(st);
}

}  // namespace vokamo

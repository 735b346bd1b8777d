#include "core/records/RecordFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/data/DataFile.h"
#include "core/data/LineReader.h"
#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/records/RecordLocking.h"
#include "core/records/RecordText.h"
#include "core/settings/Settings.h"
#include "core/state/Errors.h"
#include "core/state/FileGuard.h"

namespace vokamo {

namespace {

std::string ReadWholeFile(const std::string& sjisPath) {
    const std::string path = FsPath(sjisPath);
    const std::string shown = SjisToUtf8Lossy(sjisPath);
    const int fd = OpenForReading(path, shown, MaxRecordFileBytes);
    if (fd < 0) throw FileError(OpenFailedMessage(sjisPath, errno));
    std::string bytes;
    int err = 0;
    const ReadEnd end = ReadBounded(fd, MaxRecordFileBytes, bytes, err);
    ::close(fd);
    if (end == ReadEnd::Failed) throw FileError(ReadFailedMessage(sjisPath, err));
    if (end == ReadEnd::TooLarge) throw FileError(TooLargeMessage(shown, bytes.size(), MaxRecordFileBytes));
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
            throw ConversionError(
                RecordNumberMessage(path_, in_.LineNumber(), text, what),
                Problem{false, in_.LineNumber(), NotANumberText(text), NotANumberText(text), {}, {}});
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

// A flag of a record edited by hand takes the nearest of its two meanings:
// 5 is on, -3 is off. The next save writes it back as 0 or 1.
bool Flag(int32_t value) {
    return value > 0;
}

void ReadFlags(RecordLines& src, std::array<bool, MaxGroups>& flags, int32_t count, const char* what) {
    for (int32_t i = 0; i < count; ++i) flags[i] = Flag(src.Number(src.Next(RecordReadLineBytes), what));
}

std::string Cut(std::string text, size_t n) {
    if (text.size() > n) text.resize(n);
    return text;
}

std::string NumberLine(int32_t v) {
    return Cut(std::to_string(v), RecordWriteLineBytes);
}

// A flag as the record holds it.
std::string FlagText(bool flag) {
    return flag ? "1" : "0";
}

// The record's own type code decides only which blocks follow it; the data
// file read afterwards decides the kind. A last digit no kind has reads the
// blocks of the nearest kind, as it always did.
DataKind BlocksOfKindNumber(int32_t number) {
    if (const auto kind = DataKindFromNumber(number)) return *kind;
    return number < 0 ? DataKind::Plain : DataKind::Mixed;
}

std::string ItemLine(int32_t tries, int32_t state) {
    return Cut(Cut(std::to_string(tries), RecordItemLineBytes) + "," +
                   Cut(std::to_string(state), RecordItemLineBytes),
               RecordItemLineBytes);
}

// Line 1 as the record file at realRecord holds it now; empty when there is
// none (a new record) or it cannot be read.
std::string StoredFirstLine(const std::string& realRecord) {
    const int fd = ::open(realRecord.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return {};
    std::string bytes;
    int err = 0;
    struct stat sb {};
    if (::fstat(fd, &sb) == 0 && S_ISREG(sb.st_mode)) ReadBounded(fd, MaxRecordFileBytes, bytes, err);
    ::close(fd);
    return bytes.substr(0, bytes.find('\r'));
}

// Line 1: the question file beside the record is stored by its bare name,
// so that a copy of the whole folder drills its own copy of the file (the
// reader takes a bare name from the record's folder). A record that stores
// this very file by its whole path keeps it so (saving it unchanged gives
// the same file); any other file keeps its whole path.
std::string StoredDataPath(const std::string& sjisDataPath, const std::string& realRecord) {
    const size_t slash = sjisDataPath.rfind('/');
    if (slash == std::string::npos || slash + 1 == sjisDataPath.size()) return sjisDataPath;
    std::error_code ec;
    const auto data = std::filesystem::absolute(FsPath(sjisDataPath), ec);
    if (ec) return sjisDataPath;
    const auto dataFolder = std::filesystem::weakly_canonical(data.parent_path(), ec);
    if (ec || dataFolder != std::filesystem::path(realRecord).parent_path()) return sjisDataPath;
    if (StoredFirstLine(realRecord) == sjisDataPath) return sjisDataPath;
    return sjisDataPath.substr(slash + 1);
}

std::string RecordBytes(const ProgramState& st, const std::string& realRecord) {
    std::string out;
    auto line = [&out](const std::string& text) {
        out += text;
        out += "\r\n";
    };
    line(StoredDataPath(st.DataPath, realRecord));
    line(SjisCut(st.Title, TitleBytes));
    line(st.PlayerName);
    line(Cut(std::to_string(st.TypeCode) + "," + std::to_string(st.ItemCount) + "," + FlagText(st.RecordOff) +
                 "," + std::to_string(st.FlashTime) + "," + FlagText(st.RandomOrder) + "," +
                 FlagText(st.HintMode),
             RecordWriteLineBytes));
    if (HasLessons(st.DataKind)) {
        const int32_t lessons = std::clamp(st.LessonCount, 0, MaxGroups);
        line(NumberLine(lessons));
        for (int32_t i = 0; i < lessons; ++i) line(FlagText(st.LessonSelected[i]));
    }
    if (HasCodes(st.DataKind)) {
        const int32_t codes = std::clamp(st.CodeCount, 0, MaxGroups);
        line(NumberLine(codes));
        for (int32_t i = 0; i < codes; ++i) line(FlagText(st.CodeSelected[i]));
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

bool WriteAll(int fd, const std::string& bytes, off_t at = -1) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            at < 0 ? ::write(fd, bytes.data() + done, bytes.size() - done)
                   : ::pwrite(fd, bytes.data() + done, bytes.size() - done, at + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

constexpr const char* TempMark = ".vokamo-tmp-";
constexpr const char* TempPattern = "XXXXXX";  // what mkstemp fills in

std::string TempNameOf(const std::string& record) {
    return SideFileName(record, std::string(TempMark) + TempPattern);
}

// A name mkstemp made for a save of `record`: ours, or the one saves used
// before temporary files were hidden ("<record>.tmp-XXXXXX").
bool IsTempOf(const std::string& name, const std::string& record) {
    const size_t random = std::strlen(TempPattern);
    for (const std::string& pattern : {TempNameOf(record), record + ".tmp-" + TempPattern})
        if (name.size() == pattern.size() &&
            name.compare(0, pattern.size() - random, pattern, 0, pattern.size() - random) == 0)
            return true;
    return false;
}

// Rewrites the record where it stands, for a folder that takes no new
// file. The old bytes stay in memory until the new ones are on the disk and
// are written back when the new ones cannot be. Returns 0 or the errno of
// the failure.
int RewriteInPlace(const std::string& path, const std::string& bytes, const RecordWriteHooks& hooks) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat sb {};
    if (::fstat(fd, &sb) != 0 || !S_ISREG(sb.st_mode)) {
        ::close(fd);
        return EISDIR;
    }
    std::string old(static_cast<size_t>(sb.st_size), '\0');
    size_t got = 0;
    while (got < old.size()) {
        const ssize_t n = ::pread(fd, old.data() + got, old.size() - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    old.resize(got);
    int err = 0;
    try {
        if (!WriteAll(fd, bytes, 0) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
            err = errno;
        else if (hooks.afterInPlaceWrite)
            hooks.afterInPlaceWrite();
    } catch (const std::exception&) {
        err = EIO;
    }
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (err != 0 && WriteAll(fd, old, 0) && ::ftruncate(fd, static_cast<off_t>(old.size())) == 0) ::fsync(fd);
    if (::close(fd) != 0 && err == 0) err = errno;
    return err;
}

// The folder of a Shift-JIS path with its final '/', or "" for a bare name.
// '/' is never the second byte of a character.
std::string FolderOf(const std::string& sjisPath) {
    const size_t slash = sjisPath.rfind('/');
    return slash == std::string::npos ? std::string() : sjisPath.substr(0, slash + 1);
}

// The last part of a stored path, after a '/' or a Windows '\\' (which can
// be the second byte of a character, so the path is read character-wise).
std::string BareName(const std::string& sjisPath) {
    size_t start = 0;
    for (size_t i = 0; i < sjisPath.size(); i += SjisCharLen(sjisPath, i))
        if (SjisCharLen(sjisPath, i) == 1 && (sjisPath[i] == '/' || sjisPath[i] == '\\')) start = i + 1;
    return sjisPath.substr(start);
}

// False only when nothing is there; a file that is there but cannot be
// looked at is reported by the read that follows.
bool Exists(const std::string& sjisPath) {
    struct stat sb {};
    return ::stat(FsPath(sjisPath).c_str(), &sb) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

// A path written on Windows: a drive ("C:") or '\\' between its parts.
bool IsWindowsPath(const std::string& sjisPath) {
    if (sjisPath.size() >= 2 && sjisPath[1] == ':' && std::isalpha(static_cast<unsigned char>(sjisPath[0])))
        return true;
    for (size_t i = 0; i < sjisPath.size(); i += SjisCharLen(sjisPath, i))
        if (SjisCharLen(sjisPath, i) == 1 && sjisPath[i] == '\\') return true;
    return false;
}

// Letters compared without case, only where they are letters: the second
// byte of a double-byte character may look like one.
bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size();) {
        const size_t n = SjisCharLen(a, i);
        if (n == 1) {
            if (std::tolower(static_cast<unsigned char>(a[i])) !=
                std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        } else if (a.compare(i, n, b, i, n) != 0) {
            return false;
        }
        i += n;
    }
    return true;
}

// The file named sjisBare in the record's folder: of that exact name, or
// else one that differs only in the case of its letters (Windows does not
// tell them apart, so a record from there may spell it either way).
std::optional<std::string> FindBeside(const std::string& sjisFolder, const std::string& sjisBare) {
    if (Exists(sjisFolder + sjisBare)) return sjisFolder + sjisBare;
    const std::string fsFolder = sjisFolder.empty() ? "." : FsPath(sjisFolder);
    DIR* dir = ::opendir(fsFolder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* e = ::readdir(dir)) {
        const auto name = Utf8ToSjis(e->d_name);
        if (name && SameIgnoringCase(*name, sjisBare)) {
            found = sjisFolder + *name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// The folder a relative question file is taken from (Shift-JIS, with its
// final '/'): the folder of the record file itself, past any link.
std::string RecordFolder(const std::string& sjisPath, const std::string& realPath) {
    const std::string chosen = FolderOf(sjisPath);
    const auto realFolder = Utf8ToSjis(std::filesystem::path(realPath).parent_path().string());
    if (!realFolder) return chosen;
    std::error_code ec;
    const auto chosenReal = std::filesystem::weakly_canonical(
        std::filesystem::absolute(chosen.empty() ? "." : FsPath(chosen), ec), ec);
    // The folder as it was chosen, unless the record lives elsewhere.
    if (!ec && chosenReal == std::filesystem::path(realPath).parent_path()) return chosen;
    return *realFolder + "/";
}

std::string MismatchMessage(const std::string& sjisRecord, const ProgramState& data,
                            const std::string& recordTitle, int32_t recordType, int32_t recordItems) {
    std::string text = "成績「" + PathForMessage(sjisRecord) + "」と問題ファイル「" +
                       PathForMessage(data.DataPath) + "」が合っていません。\n" + "問題の数: 成績は " +
                       std::to_string(recordItems) + " 問、問題ファイルは " + std::to_string(data.ItemCount) +
                       " 問です。\n";
    if (recordTitle != data.Title)
        text += "題名: 成績は「" + PathForMessage(recordTitle) + "」、問題ファイルは「" +
                PathForMessage(data.Title) + "」です。\n";
    if (recordType != data.TypeCode)
        text += "種類: 成績は " + std::to_string(recordType) + "、問題ファイルは " +
                std::to_string(data.TypeCode) + " です。\n";
    return text +
           "問題ファイルが書き換えられたため、これまでの成績が別の問題の成績になったり、"
           "覚えた問題がまた出たりすることがあります。\nこのまま続けますか？";
}

}  // namespace

std::string OtherBookMessage(const std::string& record, const std::string& stored, const std::string& found) {
    return "成績「" + PathForMessage(record) + "」の問題ファイル「" + PathForMessage(stored) +
           "」が見つかりません。同じフォルダーの「" + PathForMessage(found) +
           "」は題名、種類または問題数が違う別の問題なので、この成績には使えません。";
}

FoundDataFile FindDataFile(const std::string& sjisRecordPath, const std::string& stored) {
    // A class folder copied elsewhere keeps the old absolute path on line 1,
    // and a relative one means the record's own folder (the folder of the
    // file itself when the record is a link), never wherever the program
    // was started from. A record from Windows names a drive or uses '\':
    // only its bare name can mean anything here.
    FoundDataFile found;
    const std::string folder = RecordFolder(sjisRecordPath, RealRecordPath(FsPath(sjisRecordPath)));
    const bool foreign = IsWindowsPath(stored);
    found.sjisPath = !foreign && !stored.empty() && stored[0] != '/' ? folder + stored : stored;
    if (foreign || !Exists(found.sjisPath)) {
        const std::string bare = BareName(stored);
        const auto beside = bare.empty() ? std::nullopt : FindBeside(folder, bare);
        if (beside && *beside != found.sjisPath) {
            found.sjisPath = *beside;
            found.substituted = true;
        }
    }
    return found;
}

std::string RecordLockPath(const std::string& fsRecordPath) {
    const std::filesystem::path record(fsRecordPath);
    const std::string name = SideFileName(record.filename().string(), ".vokamo-lock");
    return record.has_parent_path() ? (record.parent_path() / name).string() : name;
}

void RemoveLeftoverTemps(const std::string& fsRecordPath) {
    const std::filesystem::path target(fsRecordPath);
    const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
    const std::string record = target.filename().string();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> leftovers;
    while (const dirent* e = ::readdir(dir))
        if (IsTempOf(e->d_name, record)) leftovers.emplace_back(e->d_name);
    ::closedir(dir);
    for (const auto& name : leftovers) ::unlink((folder + "/" + name).c_str());
}

void ReadRecordFile(ProgramState& st) {
    RecordLines src(ReadWholeFile(st.RecordPath), st.RecordPath);
    st.DataPath = src.Next();
    st.Title = SjisCut(src.Next(), TitleBytes);
    // The name field takes 12 bytes; a longer line was edited by hand and is
    // kept only as far as a label can show it.
    st.PlayerName = SjisCut(src.Next(), PlayerNameLineBytes);

    const auto settings = SplitCommas(src.Next(RecordReadLineBytes));
    st.TypeCode = src.Number(Field(settings, 0), "種別コード");
    const int32_t items = src.Number(Field(settings, 1), "問題数");
    // Settings out of their range mean the nearest value the options offer.
    // Below the shortest flash is no flash (0), as a new record has it.
    st.RecordOff = Flag(src.Number(Field(settings, 2), "成績を残さない設定（0 か 1）"));
    st.FlashTime = std::clamp(src.Number(Field(settings, 3), "フラッシュ時間"), MinFlashTime, MaxFlashTime);
    st.RandomOrder = Flag(src.Number(Field(settings, 4), "出題順の設定（0 か 1）"));
    st.HintMode = Flag(src.Number(Field(settings, 5), "ヒントの設定（0 か 1）"));
    if (items < 0 || items > MaxItems)
        throw LimitError(CountLimitMessage(src.Path(), src.LineNo(), "問題数", items, MaxItems));
    st.ItemCount = items;
    st.DataKind = BlocksOfKindNumber(DataKindOf(st.TypeCode));

    if (HasLessons(st.DataKind)) {
        st.LessonCount = ReadCount(src, MaxGroups, "課の数");
        ReadFlags(src, st.LessonSelected, st.LessonCount, "課を選ぶ印（0 か 1）");
    }
    if (HasCodes(st.DataKind)) {
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
    // Through a link to its target: the link stays, the target gets the results.
    const std::string path = RealRecordPath(FsPath(st.RecordPath));
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.parent_path();
    std::string temp = (folder / TempNameOf(target.filename().string())).string();
    RemoveLeftoverTemps(path);
    const std::string bytes = RecordBytes(st, path);

    const int fd = hooks.makeTemp ? hooks.makeTemp(temp) : ::mkstemp(temp.data());
    if (fd < 0) {
        const int err = errno;
        // A folder that takes no new file may still let the record be
        // changed: a plain rewrite then keeps the session.
        struct stat sb {};
        if (::stat(path.c_str(), &sb) != 0 || !S_ISREG(sb.st_mode))
            throw FileError(WriteFailedMessage(st.RecordPath, err));
        const int inPlace = RewriteInPlace(path, bytes, hooks);
        if (inPlace != 0) throw FileError(WriteFailedMessage(st.RecordPath, inPlace));
        return;
    }
    bool open = true;
    auto fail = [&](int err) {
        if (open) ::close(fd);
        ::unlink(temp.c_str());
        throw FileError(WriteFailedMessage(st.RecordPath, err));
    };
    // The new file is locked before it takes the record's place, so that no
    // second program can slip in between the rename and the lock.
    const bool locked = LockReplacement(path, fd);
    if (::fchmod(fd, ReplacementMode(path)) != 0) fail(errno);
    if (!WriteAll(fd, bytes)) fail(errno);
    if (::fsync(fd) != 0) fail(errno);
    if (!locked) {
        open = false;
        if (::close(fd) != 0) fail(errno);
    }
    try {
        if (hooks.beforeRename) hooks.beforeRename(temp);
    } catch (...) {
        if (open) ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) fail(errno);
    if (open && !HandOverHold(path, fd)) ::close(fd);
    // The rename itself lives in the folder: sync it too, so that a power
    // cut right after a save cannot bring the old record back.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void InitialiseRecord(ProgramState& st) {
    st.RandomOrder = false;
    st.RecordOff = false;
    st.HintMode = false;
    st.FlashTime = 0;
    if (!HasLessons(st.DataKind)) st.LessonSelected[0] = true;
    if (HasLessons(st.DataKind))
        for (int32_t i = 0; i < std::clamp(st.LessonCount, 0, MaxGroups); ++i) st.LessonSelected[i] = true;
    if (HasCodes(st.DataKind))
        for (int32_t i = 0; i < std::clamp(st.CodeCount, 0, MaxGroups); ++i) st.CodeSelected[i] = true;
    for (int32_t i = 0; i < std::clamp(st.ItemCount, 0, MaxItems); ++i) {
        st.ItemTries[i] = 0;
        st.ItemState[i] = -1;
    }
}

bool OpenRecord(ProgramState& st, const std::string& sjisPath, GoOnPrompt* ask) {
    ProgramState next = st;
    next.RecordPath = sjisPath;
    const std::string real = RealRecordPath(FsPath(sjisPath));
    RemoveLeftoverTemps(real);
    // The record sets the counts of the blocks it holds; a record of another
    // kind than its data holds fewer (or none).
    next.LessonCount = 0;
    next.CodeCount = 0;
    ReadRecordFile(next);
    const int32_t recordItems = next.ItemCount;
    const int32_t recordLessons = next.LessonCount;
    const int32_t recordCodes = next.CodeCount;
    const std::string recordTitle = next.Title;
    const int32_t recordType = next.TypeCode;

    const std::string stored = next.DataPath;
    const FoundDataFile found = FindDataFile(sjisPath, stored);
    next.DataPath = found.sjisPath;
    if (IsWindowsPath(stored) && !found.substituted)
        throw FileError("成績「" + PathForMessage(sjisPath) + "」の問題ファイル「" + PathForMessage(stored) +
                        "」が見つかりません。成績と同じフォルダーにも「" + PathForMessage(BareName(stored)) +
                        "」がありません。");
    ReadDataHeader(next);
    if (found.substituted &&
        (next.Title != recordTitle || next.TypeCode != recordType || next.ItemCount != recordItems))
        throw FileError(OtherBookMessage(sjisPath, stored, next.DataPath));
    // Progress is kept by item number: when the file gained or lost items
    // since the last save, results may now stand on other items. The pupil
    // hears it before anything is scored.
    if (ask && (next.Title != recordTitle || next.TypeCode != recordType || next.ItemCount != recordItems) &&
        !ask->AskGoOn(MismatchMessage(sjisPath, next, recordTitle, recordType, recordItems)))
        return false;
    for (int32_t i = std::max(recordItems, 0); i < std::min(next.ItemCount, MaxItems); ++i) {
        next.ItemTries[i] = 0;
        next.ItemState[i] = -1;
    }
    // Groups the record does not hold start in the range, as in a new record,
    // never with the flags an earlier record left behind.
    if (HasLessons(next.DataKind))
        for (int32_t i = recordLessons; i < std::clamp(next.LessonCount, 0, MaxGroups); ++i)
            next.LessonSelected[i] = true;
    if (HasCodes(next.DataKind))
        for (int32_t i = recordCodes; i < std::clamp(next.CodeCount, 0, MaxGroups); ++i)
            next.CodeSelected[i] = true;
    next.RecordOpen = true;
    next.PickPos = 0;
    next.PickStart = 0;
    BuildItemOrder(next);
    st = std::move(next);
    return true;
}

void SaveIfOpen(const ProgramState& st) {
    if (st.RecordOpen) WriteRecordFile(st);
}

}  // namespace vokamo

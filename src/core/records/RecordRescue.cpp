#include "core/records/RecordRescue.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordText.h"
#include "core/state/Errors.h"
#include "core/state/FileGuard.h"
#include "core/state/UserFolders.h"

namespace vokamo {

namespace fs = std::filesystem;

namespace {

constexpr const char* NoteSuffix = ".note";
constexpr uint64_t MaxNoteBytes = 16 * 1024;
constexpr size_t MaxStemBytes = 200;

std::string Stamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

std::string ReadNote(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return {};
    std::string bytes;
    int err = 0;
    ReadBounded(fd, MaxNoteBytes, bytes, err);
    ::close(fd);
    return bytes.substr(0, std::min<size_t>(bytes.size(), MaxNoteBytes));
}

}  // namespace

std::string RescueFolder() {
    const std::string folder = ProgramDataFolder();
    return folder.empty() ? folder : folder + "/rescue";
}

std::string WriteRescueCopy(const ProgramState& st, const std::string& folder) {
    if (folder.empty()) throw FileError("非常用の保存先が決まっていません（HOME が空です）。");
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string original = FsPath(st.RecordPath);
    std::string stem = fs::path(original).stem().string();
    if (stem.empty()) stem = "seiseki";
    // The copy's name adds the time, a number and ".note" for its note: a
    // record name near the file-name limit is cut (never inside a UTF-8
    // character) so that both still fit.
    if (stem.size() > MaxStemBytes) {
        size_t keep = MaxStemBytes;
        while (keep > 0 && (static_cast<unsigned char>(stem[keep]) & 0xC0) == 0x80) --keep;
        stem.resize(keep);
    }
    std::string copy = (fs::path(folder) / (stem + "-" + Stamp() + ".ret")).string();
    for (int n = 2; fs::exists(copy, ec); ++n)
        copy = (fs::path(folder) / (stem + "-" + Stamp() + "-" + std::to_string(n) + ".ret")).string();
    const auto sjisCopy = Utf8ToSjis(copy);
    if (!sjisCopy)
        throw FileError("非常用の保存先「" + ShortenForMessage(copy) + "」の名前は成績に使えません。");
    ProgramState rescued = st;
    rescued.RecordPath = *sjisCopy;
    // A question file named relative to the working folder would be looked
    // for beside the copy: the copy names it by its whole path.
    if (!rescued.DataPath.empty() && rescued.DataPath[0] != '/') {
        if (const auto here = Utf8ToSjis(fs::current_path(ec).string()); here && !ec)
            rescued.DataPath = *here + "/" + rescued.DataPath;
    }
    WriteRecordFile(rescued);
    // The note only says where the record belonged; a note that cannot be
    // written loses the message at the next start, never the copy.
    const std::string note = SjisToUtf8Lossy(st.RecordPath) + "\n" + copy + "\n";
    const int fd = ::open((copy + NoteSuffix).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(fd, note.data(), note.size());
        ::fsync(fd);
        ::close(fd);
    }
    return copy;
}

std::vector<std::string> TakeRescueNotices(const std::string& folder) {
    std::vector<std::string> notices;
    if (folder.empty()) return notices;
    std::vector<std::string> notes;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name.size() > 5 && name.ends_with(NoteSuffix)) notes.push_back(folder + "/" + name);
        }
        ::closedir(dir);
    }
    std::sort(notes.begin(), notes.end());
    for (const std::string& note : notes) {
        const std::string text = ReadNote(note);
        const size_t end = text.find('\n');
        const std::string record = text.substr(0, end);
        const std::string copy = note.substr(0, note.size() - std::string(NoteSuffix).size());
        notices.push_back("前回、成績「" + ShortenForMessage(record) +
                          "」を保存できないまま Vokamo が終わりました。そのときの結果は「" +
                          ShortenForMessage(copy) +
                          "」に写してあります。「成績を開く」でこのファイルを開くと、続きから学習できます。");
        ::unlink(note.c_str());
    }
    return notices;
}

}  // namespace vokamo

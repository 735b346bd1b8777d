#include "core/classview/ClassSummary.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <tuple>

#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/records/RecordFile.h"
#include "core/state/Errors.h"
#include "core/state/FileGuard.h"

namespace vokamo {

namespace {

std::string Utf8(const std::string& sjis) {
    return SjisToUtf8Lossy(sjis);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The program keeps paths in Shift-JIS; a name no Shift-JIS can hold keeps
// its own bytes, which the file layer hands on unchanged.
std::string SjisPathOf(const std::string& fsPath) {
    return Utf8ToSjis(fsPath).value_or(fsPath);
}

// A question file read once for all the records that name it.
struct DataEntry {
    bool read = false;
    std::string error;
    QuestionData data;
    std::vector<ItemTexts> texts;
};

struct BookKey {
    std::string title;
    int32_t typeCode = 0;
    int32_t items = 0;
    bool operator<(const BookKey& o) const {
        return std::tie(title, typeCode, items) < std::tie(o.title, o.typeCode, o.items);
    }
};

// The record at found.fsPath as a row of its book, or the reason it is none.
class ClassReader {
public:
    explicit ClassReader(ClassOverview& out) : out_(out) {}

    void Read(const FoundRecord& found) {
        const bool inUse = RecordInUse(found.fsPath, StaleLockMinutes);
        try {
            ReadOne(found, inUse);
        } catch (const VokamoError& e) {
            out_.unread.push_back({found.relPath, e.what(), found.folder, inUse});
        } catch (const std::exception&) {
            out_.unread.push_back({found.relPath, "成績を読めませんでした。", found.folder, inUse});
        }
    }

    void Finish() {
        std::sort(out_.books.begin(), out_.books.end(), [](const ClassBook& a, const ClassBook& b) {
            return std::tie(a.title, a.fileName) < std::tie(b.title, b.fileName);
        });
        for (ClassBook& book : out_.books) book.hardest = RankHardest(book);
    }

private:
    static constexpr int StaleLockMinutes = 5;

    DataEntry& Data(const std::string& sjisDataPath) {
        DataEntry& entry = data_[sjisDataPath];
        if (entry.read) return entry;
        entry.read = true;
        try {
            ReadDataWithTexts(sjisDataPath, entry.data, entry.texts);
        } catch (const VokamoError& e) {
            entry.error = e.what();
        }
        return entry;
    }

    void ReadOne(const FoundRecord& found, bool inUse) {
        ProgramState st;
        st.RecordPath = SjisPathOf(found.fsPath);
        ReadRecordFile(st);
        const FoundDataFile file = FindDataFile(st.RecordPath, st.DataPath);
        const DataEntry& entry = Data(file.sjisPath);
        if (!entry.error.empty()) throw FileError("問題ファイルを読めません。" + entry.error);
        const QuestionData& data = entry.data;
        if (data.Title != st.Title || data.TypeCode != st.TypeCode || data.ItemCount != st.ItemCount) {
            if (file.substituted)
                throw FileError(OtherBookMessage(st.RecordPath, st.DataPath, file.sjisPath));
            throw FileError("問題ファイル「" + PathForMessage(file.sjisPath) +
                            "」は、この成績の問題と題名、種類または問題数が違います。問題ファイルが書き換えら"
                            "れたか、別の問題ファイルに置き換えられています。");
        }

        PupilRow row;
        row.pupil = Utf8(st.PlayerName);
        row.sjisPupil = st.PlayerName;
        row.fileName = BaseName(found.relPath);
        row.relPath = found.relPath;
        row.fsPath = found.fsPath;
        row.folder = found.folder;
        row.inUse = inUse;
        struct stat sb {};
        if (::stat(found.fsPath.c_str(), &sb) == 0) row.savedSeconds = sb.st_mtim.tv_sec;
        row.saved = IsoLocalTime(row.savedSeconds);
        row.RecordOff = st.RecordOff;
        row.FlashTime = st.FlashTime;
        row.RandomOrder = st.RandomOrder;
        row.HintMode = st.HintMode;
        row.LessonSelected = st.LessonSelected;
        row.CodeSelected = st.CodeSelected;
        // Groups the record does not hold are in the range, as the program
        // opens them.
        if (HasLessons(data.DataKind))
            for (int32_t i = std::max(st.LessonCount, 0); i < std::min(data.LessonCount, MaxGroups); ++i)
                row.LessonSelected[i] = true;
        if (HasCodes(data.DataKind))
            for (int32_t i = std::max(st.CodeCount, 0); i < std::min(data.CodeCount, MaxGroups); ++i)
                row.CodeSelected[i] = true;
        if (!HasLessons(data.DataKind)) row.LessonSelected[0] = true;
        row.tries.assign(st.ItemTries.begin(), st.ItemTries.begin() + data.ItemCount);
        row.states.assign(st.ItemState.begin(), st.ItemState.begin() + data.ItemCount);
        CountRecord(data, row);

        const BookKey key{data.Title, data.TypeCode, data.ItemCount};
        auto [it, added] = bookIndex_.try_emplace(key, out_.books.size());
        if (added) {
            ClassBook book;
            book.fileName = Utf8(BaseName(file.sjisPath));
            book.title = Utf8(data.Title);
            book.sjisDataPath = file.sjisPath;
            book.data = data;
            book.texts = entry.texts;
            out_.books.push_back(std::move(book));
        }
        out_.books[it->second].rows.push_back(std::move(row));
    }

    ClassOverview& out_;
    std::map<std::string, DataEntry> data_;
    std::map<BookKey, size_t> bookIndex_;
};

bool InRange(const QuestionData& data, const PupilRow& row, int item) {
    if (!HasLessons(data.DataKind)) return true;
    const int lesson = data.ItemLesson[item];
    if (lesson < 0 || lesson >= MaxGroups || !row.LessonSelected[lesson]) return false;
    if (HasCodes(data.DataKind)) {
        const int code = data.ItemCode[item];
        if (code < 0 || code >= MaxGroups || !row.CodeSelected[code]) return false;
    }
    return true;
}

}  // namespace

double HardWord::AttemptsPerLearner() const {
    if (learnedBy == 0) return 0.0;
    return static_cast<double>(learnerAttempts * 10 / learnedBy) / 10.0;
}

void CountRecord(const QuestionData& data, PupilRow& row) {
    row.learned = row.rightOnce = row.wrong = row.never = 0;
    row.attempts = 0;
    row.rangeItems = row.rangeLearned = 0;
    const int items =
        std::min<int>(static_cast<int>(row.states.size()), std::clamp(data.ItemCount, 0, MaxItems));
    for (int i = 0; i < items; ++i) {
        const int32_t state = row.states[static_cast<size_t>(i)];
        row.attempts += row.tries[static_cast<size_t>(i)];
        switch (state) {
            case 2:
                ++row.learned;
                break;
            case 1:
                ++row.rightOnce;
                break;
            case 0:
                ++row.wrong;
                break;
            default:
                ++row.never;
                break;
        }
        if (InRange(data, row, i)) {
            ++row.rangeItems;
            if (state == 2) ++row.rangeLearned;
        }
    }
    row.learnedInRangePercent = row.rangeItems == 0 ? 0 : row.rangeLearned * 100 / row.rangeItems;
}

std::vector<HardWord> RankHardest(const ClassBook& book) {
    const QuestionData& data = book.data;
    const int items = std::clamp(data.ItemCount, 0, MaxItems);
    std::vector<HardWord> words(static_cast<size_t>(items));
    for (int i = 0; i < items; ++i) {
        HardWord& w = words[static_cast<size_t>(i)];
        w.item = i;
        if (static_cast<size_t>(i) < book.texts.size()) {
            w.answer = AnswerWords(book.texts[static_cast<size_t>(i)].answer);
            w.meaning = Utf8(book.texts[static_cast<size_t>(i)].question);
        }
        const int lesson = data.ItemLesson[static_cast<size_t>(i)];
        if (lesson >= 0 && lesson < MaxGroups) w.lesson = Utf8(data.LessonNames[static_cast<size_t>(lesson)]);
    }
    for (const PupilRow& row : book.rows) {
        const int n = std::min<int>(items, static_cast<int>(row.states.size()));
        for (int i = 0; i < n; ++i) {
            HardWord& w = words[static_cast<size_t>(i)];
            const int32_t state = row.states[static_cast<size_t>(i)];
            if (state == 0) ++w.wrongNow;
            if (state == 2) {
                ++w.learnedBy;
                w.learnerAttempts += row.tries[static_cast<size_t>(i)];
            }
        }
    }
    // Compared as fractions, so that equal ratios tie exactly.
    std::stable_sort(words.begin(), words.end(), [](const HardWord& a, const HardWord& b) {
        if (a.wrongNow != b.wrongNow) return a.wrongNow > b.wrongNow;
        const int64_t left = a.learnerAttempts * std::max(b.learnedBy, 1);
        const int64_t right = b.learnerAttempts * std::max(a.learnedBy, 1);
        if (left != right) return left > right;
        return a.item < b.item;
    });
    return words;
}

ProgramState PupilState(const ClassBook& book, const PupilRow& row) {
    ProgramState st;
    static_cast<QuestionData&>(st) = book.data;
    st.DataPath = book.sjisDataPath;
    st.RecordPath = SjisPathOf(row.fsPath);
    st.PlayerName = row.sjisPupil;
    st.RecordOpen = true;
    st.RecordOff = row.RecordOff;
    st.FlashTime = row.FlashTime;
    st.RandomOrder = row.RandomOrder;
    st.HintMode = row.HintMode;
    st.LessonSelected = row.LessonSelected;
    st.CodeSelected = row.CodeSelected;
    for (size_t i = 0; i < row.states.size() && i < MaxItems; ++i) {
        st.ItemTries[i] = row.tries[i];
        st.ItemState[i] = row.states[i];
    }
    return st;
}

bool RecordInUse(const std::string& fsRecordPath, int staleMinutes) {
    const std::string lock = RecordLockPath(fsRecordPath);
    struct stat sb {};
    if (::lstat(lock.c_str(), &sb) != 0) return false;
    const time_t now = std::time(nullptr);
    if (now - sb.st_mtim.tv_sec > static_cast<time_t>(staleMinutes) * 60) return false;
    // The lock names its holder: process number, program, computer. A
    // holder on this computer that has ended leaves nobody using the record.
    std::ifstream in(lock);
    std::string pid, program, host;
    if (S_ISREG(sb.st_mode) && sb.st_size < 4096 && std::getline(in, pid) && std::getline(in, program) &&
        std::getline(in, host)) {
        char here[256] = {};
        ::gethostname(here, sizeof here - 1);
        long number = 0;
        if (host == here && std::sscanf(pid.c_str(), "%ld", &number) == 1 && number > 0 &&
            ::kill(static_cast<pid_t>(number), 0) != 0 && errno == ESRCH)
            return false;
    }
    return true;
}

std::string AnswerWords(const std::string& sjisAnswerLine) {
    std::string out;
    for (const std::string& word : SplitWords(sjisAnswerLine)) {
        if (word.empty() || word[0] != '@') continue;
        std::string shown = word.substr(1);
        // "_" stands for a space; inside a double-byte character it is a byte
        // of that character.
        for (size_t i = 0; i < shown.size(); i += SjisCharLen(shown, i))
            if (shown[i] == '_' && SjisCharLen(shown, i) == 1) shown[i] = ' ';
        if (!out.empty()) out += " / ";
        out += Utf8(shown);
    }
    return out;
}

std::string IsoLocalTime(int64_t secondsSinceEpoch) {
    const time_t t = static_cast<time_t>(secondsSinceEpoch);
    std::tm local{};
    if (!::localtime_r(&t, &local)) return std::string();
    char text[40] = {};
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string out = text;
    // strftime writes the offset as +0900; ISO 8601 readers want +09:00.
    if (out.size() >= 5) out.insert(out.size() - 2, ":");
    return out;
}

std::string ShortLocalTime(int64_t secondsSinceEpoch) {
    const time_t t = static_cast<time_t>(secondsSinceEpoch);
    std::tm local{};
    if (!::localtime_r(&t, &local)) return std::string();
    char text[40] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

ClassOverview ReadClass(const std::vector<std::string>& fsFolders, const ScanLimits& limits,
                        const ClassProgress& progress) {
    ClassOverview out;
    out.folders = fsFolders;
    const ScanResult scan = ScanFolders(fsFolders, limits);
    for (const ScanNote& note : scan.notes)
        out.unread.push_back({note.relPath, note.reason, note.folder, false});
    out.cancelled = scan.cancelled;
    ClassReader reader(out);
    const size_t total = scan.records.size();
    for (size_t i = 0; i < total && !out.cancelled; ++i) {
        if (limits.cancel && limits.cancel->load()) {
            out.cancelled = true;
            break;
        }
        reader.Read(scan.records[i]);
        if (progress) progress(i + 1, total);
    }
    reader.Finish();
    return out;
}

}  // namespace vokamo

#include "core/data/DataFile.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/state/Errors.h"
#include "core/data/LineReader.h"
#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"

namespace vokamo {

namespace {

// Byte capacities of the lines of a question data file.
constexpr size_t HeaderLineBytes = 255;
constexpr size_t CountLineBytes = 255;
constexpr size_t NameLineBytes = 40;
constexpr size_t CodesLineBytes = 255;
constexpr size_t TextLineBytes = 180;
constexpr int MaxKind = 3;
constexpr int MaxChoices = 9;
constexpr int QuestionTypeChoice = 0;
constexpr int QuestionTypeKeyInput = 1;

// Reads one question data file and names it and the line in its refusals.
class DataReader {
public:
    explicit DataReader(const std::string& sjisPath) : path_(sjisPath), in_(FsPath(sjisPath)) {}

    LineReader& In() { return in_; }

    [[noreturn]] void Refuse(const std::string& what) const {
        throw LimitError("問題データファイル '" + SjisToUtf8Lossy(path_) + "' の " +
                         std::to_string(in_.LineNumber()) + " 行目: " + what);
    }

    // A count line: the whole line is the number.
    int32_t ReadCount(const char* what) {
        const int32_t value = ToInt(in_.ReadLine(CountLineBytes));
        if (value < 0 || value > MaxGroups)
            Refuse(std::string(what) + "が " + std::to_string(value) + " です（0 から " +
                   std::to_string(MaxGroups) + " まで）。");
        return value;
    }

    void ReadNames(std::array<std::string, MaxGroups>& names, int32_t count) {
        for (int32_t i = 0; i < count; ++i) names[static_cast<size_t>(i)] = in_.ReadLine(NameLineBytes);
    }

    void CheckIndex(int32_t value, int32_t count, const char* what) const {
        if (value < 0 || value >= count)
            Refuse(std::string(what) + " " + std::to_string(value) + " は一覧（" + std::to_string(count) +
                   " 個）にありません。");
    }

    // Words beyond the split table would silently vanish from the question.
    void CheckWords(std::string_view line, int limit, const char* what) const {
        const int words = CountWords(line);
        if (words > limit)
            Refuse(std::string(what) + "が " + std::to_string(words) + " 個あります（" +
                   std::to_string(limit) + " 個まで）。");
    }

private:
    std::string path_;
    LineReader in_;
};

std::string Part(const std::vector<std::string>& parts, size_t i) {
    return i < parts.size() ? parts[i] : "";
}

void ReadHeaderLine(DataReader& r, QuestionData& t) {
    r.In().SkipLine();
    const std::string line = r.In().ReadLine(HeaderLineBytes);
    r.CheckWords(line, MaxParts, "語");
    const auto parts = SplitWords(line);
    t.Title = SjisCut(Part(parts, 0), TitleBytes);
    t.TypeCode = ToInt(Part(parts, 1));
    t.ItemCount = ToInt(Part(parts, 2));
    t.DataKind = DataKindOf(t.TypeCode);
    if (t.TypeCode < 0 || t.DataKind > MaxKind)
        r.Refuse("種別コード " + std::to_string(t.TypeCode) + " は使えません（一の位は 0 から 3）。");
    if (t.ItemCount < 1 || t.ItemCount > MaxItems)
        r.Refuse("問題数が " + std::to_string(t.ItemCount) + " です（1 から " + std::to_string(MaxItems) +
                 " まで）。");
}

// The lesson and code of one item of kind 2 or 3.
void ReadCodesLine(DataReader& r, QuestionData& t, size_t item) {
    const std::string_view line = r.In().PeekLine(CodesLineBytes);
    r.CheckWords(line, MaxParts, "語");
    const auto parts = SplitWords(line);
    t.ItemLesson[item] = ToInt(Part(parts, 0));
    t.ItemCode[item] = ToInt(Part(parts, 1));
    r.CheckIndex(t.ItemLesson[item], t.LessonCount, "レッスン番号");
    r.CheckIndex(t.ItemCode[item], t.CodeCount, "コード");
    if (t.DataKind == 3 && t.ItemCode[item] != QuestionTypeChoice && t.ItemCode[item] != QuestionTypeKeyInput)
        r.Refuse("問題形式 " + std::to_string(t.ItemCode[item]) +
                 " は使えません（0 は選択、1 はキー入力）。");
}

void CheckAnswerLine(DataReader& r) {
    r.CheckWords(r.In().PeekLine(TextLineBytes), MaxParts, "解答行の語");
}

void ReadItems(DataReader& r, QuestionData& t) {
    LineReader& in = r.In();
    for (int32_t i = 0; i < t.ItemCount; ++i) {
        const size_t item = static_cast<size_t>(i);
        switch (t.DataKind) {
            case 0:
                t.ItemLesson[item] = 0;
                t.ItemCode[item] = 0;
                CheckAnswerLine(r);
                in.SkipLine();
                break;
            case 1:
                t.ItemLesson[item] = ToInt(in.ReadLine(CodesLineBytes));
                r.CheckIndex(t.ItemLesson[item], t.LessonCount, "レッスン番号");
                CheckAnswerLine(r);
                in.SkipLines(2);
                break;
            case 2:
                ReadCodesLine(r, t, item);
                CheckAnswerLine(r);
                in.SkipLines(2);
                break;
            default:
                ReadCodesLine(r, t, item);
                in.SkipLine();
                r.CheckWords(in.PeekLine(TextLineBytes), MaxChoices, "選択肢");
                CheckAnswerLine(r);
                in.SkipLine();
                break;
        }
    }
}

void ReadTable(const std::string& sjisPath, QuestionData& t) {
    DataReader r(sjisPath);
    ReadHeaderLine(r, t);
    if (t.DataKind == 0) {
        t.LessonCount = 1;
        t.LessonNames[0] = Sjis("全問題");
        t.CodeCount = 0;
        t.HeaderLines = 0;
    } else {
        t.LessonCount = r.ReadCount("レッスン数");
        r.ReadNames(t.LessonNames, t.LessonCount);
        t.CodeCount = 0;
        if (t.DataKind >= 2) {
            t.CodeCount = r.ReadCount("コード数");
            r.ReadNames(t.CodeNames, t.CodeCount);
        }
        t.HeaderLines = t.DataKind == 1 ? t.LessonCount + 1 : t.LessonCount + t.CodeCount + 2;
    }
    ReadItems(r, t);
}

}  // namespace

int32_t DataKindOf(int32_t typeCode) {
    return typeCode % 10;
}

void ReadDataHeader(ProgramState& st) {
    // Read into a copy first, so that a refused file never leaves half of
    // itself in the program state. The copy starts from what is loaded: kind 1
    // has no second codes, and what the table held stays.
    QuestionData t = st;
    st.ItemCount = 0;
    st.LessonCount = 0;
    st.CodeCount = 0;
    st.HeaderLines = 0;
    ReadTable(st.DataPath, t);
    static_cast<QuestionData&>(st) = t;
    if (t.DataKind == 0) st.LessonSelected[0] = 1;
}

void BuildItemOrder(ProgramState& st) {
    const std::vector<int32_t> order = Shuffle(st.Rng, st.ItemCount);
    for (int32_t i = 0; i < st.ItemCount && i < MaxItems; ++i)
        st.ItemOrder[static_cast<size_t>(i)] = st.RandomOrder == 1 ? order[static_cast<size_t>(i)] : i;
}

void LoadSetTexts(ProgramState& st, int n) {
    if (n < 1 || n > SetCapacity) throw std::invalid_argument("set size out of range");
    auto a = st.SetTextA;
    auto b = st.SetTextB;
    auto c = st.SetTextC;
    auto d = st.SetTextD;

    DataReader r(st.DataPath);
    LineReader& in = r.In();
    in.SkipLines(2);
    if (st.DataKind > 0) in.SkipLines(st.HeaderLines);
    for (int32_t item = 0; item < st.ItemCount; ++item) {
        std::string answer, choices, question, explanation;
        bool wanted = false;
        for (int j = 0; j < n; ++j) wanted = wanted || st.SetItems[static_cast<size_t>(j)] == item;
        auto text = [&](std::string& into) {
            if (wanted)
                into = in.ReadLine(TextLineBytes);
            else
                in.SkipLine();
        };
        if (st.DataKind > 0) in.SkipLine();
        if (st.DataKind == 3) {
            text(question);
            text(choices);
            text(answer);
            text(explanation);
        } else {
            text(answer);
            text(question);
            if (st.DataKind > 0) text(explanation);
        }
        if (!wanted) continue;
        // The file may have been edited since its header was read.
        if (CountWords(answer) > MaxParts) r.Refuse("解答行の語が多すぎます（18 個まで）。");
        if (st.DataKind == 3 && CountWords(choices) > MaxChoices)
            r.Refuse("選択肢が多すぎます（9 個まで）。");
        for (size_t j = 0; j < static_cast<size_t>(n); ++j) {
            if (st.SetItems[j] != item) continue;
            a[j] = answer;
            c[j] = question;
            d[j] = explanation;
            if (st.DataKind == 3) b[j] = choices;
        }
    }
    st.SetTextA = std::move(a);
    st.SetTextB = std::move(b);
    st.SetTextC = std::move(c);
    st.SetTextD = std::move(d);
}

std::string FsPath(const std::string& sjisPath) {
    // Plain ASCII reads the same in both encodings.
    if (std::all_of(sjisPath.begin(), sjisPath.end(),
                    [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }))
        return sjisPath;
    // A path that is not valid Shift-JIS is handed on as it is: the open then
    // fails with a message instead of opening some other file.
    if (auto utf8 = SjisToUtf8(sjisPath)) return *utf8;
    return sjisPath;
}

}  // namespace vokamo

#include "core/data/DataFile.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/data/DataCheck.h"
#include "core/data/DataReader.h"
#include "core/data/FsNames.h"
#include "core/data/ItemCheck.h"
#include "core/data/LineReader.h"
#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/state/Errors.h"
#include "core/state/FileGuard.h"

namespace vokamo {

namespace {

// Byte capacities of the lines of a question data file.
constexpr size_t HeaderLineBytes = 255;
constexpr size_t CountLineBytes = 255;
constexpr size_t NameLineBytes = 40;
constexpr size_t CodesLineBytes = 255;
constexpr size_t TextLineBytes = 180;

std::string Part(const std::vector<std::string>& parts, size_t i) {
    return i < parts.size() ? parts[i] : "";
}

std::string Num(long n) {
    return std::to_string(n);
}

// Words beyond the split table would silently vanish.
void CheckWords(DataReader& r, const Field& f, const Said& what) {
    const int words = CountWords(f.text);
    if (words > MaxParts)
        r.Error(f.line, {what.ja + "が " + Num(words) + " 個あります（" + Num(MaxParts) + " 個まで）。",
                         "the line has " + Num(words) + " " + what.en + " (" + Num(MaxParts) + " at most)."});
}

void CheckIndex(DataReader& r, int line, int32_t value, int32_t count, const char* ja, const char* en) {
    if (value >= 0 && value < count) return;
    const Said what{ja, en};
    const std::string range = count > 0 ? "0 から " + Num(count - 1) + " まで" : "使える番号はありません";
    r.Error(line,
            {what.ja + " " + Num(value) + " は一覧（" + Num(count) +
                 " 個）にありません。番号は 0 から数えます（" + range + "）。",
             what.en + " " + Num(value) + " is not in the list (" + Num(count) + " names, numbered from 0)."},
            false,
            {value == count ? "1 から数えているときは、番号をすべて 1 ずつ小さくしてください。" : "",
             value == count ? "if you counted from 1, make every number one smaller." : ""});
}

void ReadHeaderLine(DataReader& r, QuestionData& t) {
    r.SkipMemoLine();
    const Field f = r.Next(HeaderLineBytes);
    CheckWords(r, f, {"語", "words"});
    CheckCut(r, f, HeaderLineBytes);
    const auto parts = SplitWords(f.text);
    static const Said headerLayout{
        "ヘッダー行には「題名 種別コード "
        "問題数」を半角の空白で区切って書きます。題名には空白を入れられません。",
        " The header line holds the title, the type code and the number of items, separated by half-width "
        "spaces; the title cannot hold a space."};
    static const Said noLayout;
    r.AtItem(-1, 0, headerLayout);
    t.Title = SjisCut(Part(parts, 0), TitleBytes);
    if (r.Checking() && Part(parts, 0).size() > static_cast<size_t>(TitleBytes))
        r.Warn(f.line,
               {"題名は " + Num(TitleBytes) + " バイトまでなので、「" + Shown(t.Title) + "」までになります。",
                "the title keeps only " + Num(TitleBytes) + " bytes: \"" + Shown(t.Title) + "\"."},
               {"題名を短くしてください（全角 60 字まで）。",
                "make the title shorter (60 full-width characters)."});
    t.TypeCode = r.Number(Part(parts, 1), f.line, {"種別コード", "the type code"}, true);
    t.ItemCount = r.Number(Part(parts, 2), f.line, {"問題数", "the number of items"}, true);
    if (HasTab(WithoutTrailingBlanks(f.text))) r.Warn(f.line, TabOnLine, TabFix);
    const std::optional<DataKind> kind = DataKindFromNumber(DataKindOf(t.TypeCode));
    if (t.TypeCode < 0 || !kind)
        r.Error(f.line,
                {"種別コード " + Num(t.TypeCode) + " は使えません（一の位は 0 から 3）。",
                 "the type code " + Num(t.TypeCode) + " cannot be used (its last digit is 0 to 3)."},
                true);
    t.DataKind = kind.value_or(DataKind::Plain);
    if (t.ItemCount < 1 || t.ItemCount > MaxItems)
        r.Error(f.line,
                {"問題数が " + Num(t.ItemCount) + " です（1 から " + Num(MaxItems) + " まで）。",
                 "the number of items is " + Num(t.ItemCount) + " (1 to " + Num(MaxItems) + ")."},
                true);
    r.AtItem(-1, 0, noLayout);
}

// A count line: the whole line is the number.
int32_t ReadCount(DataReader& r, const Said& what) {
    const Field f = r.Next(CountLineBytes);
    const int32_t value =
        r.Number(f.text, f.line, {what.ja + "（0 から " + Num(MaxGroups) + "）", what.en}, true);
    if (value < 0 || value > MaxGroups)
        r.Error(f.line,
                {what.ja + "が " + Num(value) + " です（0 から " + Num(MaxGroups) + " まで）。",
                 what.en + " is " + Num(value) + " (0 to " + Num(MaxGroups) + ")."},
                true);
    return value;
}

void ReadNames(DataReader& r, std::array<std::string, MaxGroups>& names, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const Field f = r.Next(NameLineBytes);
        if (r.Checking() && f.whole.size() > NameLineBytes)
            r.Warn(f.line,
                   {"名前は " + Num(NameLineBytes) + " バイトまでなので、「" + Shown(f.text) +
                        "」までになります。",
                    "names keep only " + Num(NameLineBytes) + " bytes: \"" + Shown(f.text) + "\"."},
                   {"名前を短くしてください（全角 20 字まで）。",
                    "make the name shorter (20 full-width characters)."});
        if (HasTab(f.text)) r.Warn(f.line, TabOnLine, TabFix);
        names[static_cast<size_t>(i)] = std::string(f.text);
    }
}

// How the items of a kind are laid out, for the hint when a line is missing.
const Said& ItemLayout(DataKind kind) {
    static const Said plain{"1 問は 2 行です（解答、問題文）。", " Each item has 2 lines: answer, question."};
    static const Said lessons{"1 問は 4 行です（レッスン番号、解答、問題文、解説）。",
                              " Each item has 4 lines: lesson number, answer, question, explanation."};
    static const Said codes{"1 問は 4 行です（「レッスン番号 コード」、解答、問題文、解説）。",
                            " Each item has 4 lines: \"lesson code\", answer, question, explanation."};
    static const Said mixed{
        "1 問は 5 行です（「レッスン番号 問題形式」、問題文、選択肢、解答、解説）。",
        " Each item has 5 lines: \"lesson type\", question, choices, answer, explanation."};
    switch (kind) {
        case DataKind::Plain:
            return plain;
        case DataKind::Lessons:
            return lessons;
        case DataKind::LessonsCodes:
            return codes;
        case DataKind::Mixed:
            return mixed;
    }
    return plain;
}

// True when the item is answered by choosing; its texts then carry a
// choices line that holds the answers.
bool IsChoiceItem(const QuestionData& t, size_t item) {
    return QuestionTypeOfItem(t.DataKind, t.ItemCode[item]) == QuestionType::Choice;
}

// The lesson and code of one item of data with second codes. False when
// the item's question type is unknown, so its texts cannot be judged.
bool ReadCodesLine(DataReader& r, QuestionData& t, size_t item) {
    const Field f = r.Next(CodesLineBytes);
    CheckWords(r, f, {"語", "words"});
    const auto parts = SplitWords(f.text);
    const int n = static_cast<int>(item);
    // A line that is no number here means the items have slipped: what
    // follows could not be judged, so a check ends here too.
    t.ItemLesson[item] = r.ItemNumber(Part(parts, 0), f.line, n, "レッスン番号", "the lesson number", true);
    t.ItemCode[item] = HasTypedItems(t.DataKind)
                           ? r.ItemNumber(Part(parts, 1), f.line, n, "問題形式（0 は選択、1 はキー入力）",
                                          "the question type (0 choice, 1 key input)", true)
                           : r.ItemNumber(Part(parts, 1), f.line, n, "コード", "the code", true);
    CheckIndex(r, f.line, t.ItemLesson[item], t.LessonCount, "レッスン番号", "the lesson number");
    CheckIndex(r, f.line, t.ItemCode[item], t.CodeCount, "コード", "the code");
    if (!QuestionTypeOfItem(t.DataKind, t.ItemCode[item])) {
        r.Error(f.line, {"問題形式 " + Num(t.ItemCode[item]) + " は使えません（0 は選択、1 はキー入力）。",
                         "the question type " + Num(t.ItemCode[item]) +
                             " cannot be used (0 is multiple choice, 1 is key input)."});
        return false;
    }
    return true;
}

// The text lines of the next item, in the order the kind lays them out.
ItemFields ReadItemTexts(DataReader& r, DataKind kind, bool choice) {
    ItemFields f;
    f.kind = kind;
    f.choice = choice;
    if (HasTypedItems(kind)) {
        f.question = r.Next(TextLineBytes);
        f.choices = r.Next(TextLineBytes);
        f.answer = r.Next(TextLineBytes);
        f.explanation = r.Next(TextLineBytes);
    } else {
        f.answer = r.Next(TextLineBytes);
        f.question = r.Next(TextLineBytes);
        if (HasExplanations(kind)) f.explanation = r.Next(TextLineBytes);
    }
    return f;
}

void ReadItems(DataReader& r, QuestionData& t, std::vector<ItemTexts>* keep) {
    const Said& layout = ItemLayout(t.DataKind);
    for (int32_t i = 0; i < t.ItemCount; ++i) {
        const size_t item = static_cast<size_t>(i);
        r.AtItem(i, t.ItemCount, layout);
        if (!HasLessons(t.DataKind) && r.In().Exhausted()) {
            // Kind 0 has no number lines to stop at: the missing items would
            // load empty, with nothing a pupil could answer.
            r.Error(r.In().LineNumber() + 1,
                    {"ファイルはここで終わっています。ヘッダーの問題数は " + Num(t.ItemCount) +
                         " ですが、問題は " + Num(i) + " 問分しかありません。",
                     "the file ends here. The header says " + Num(t.ItemCount) +
                         " items, but the file holds only " + Num(i) + "."},
                    true,
                    {"2 行目の問題数を " + Num(i) + " に直してください。",
                     "change the number of items on line 2 to " + Num(i) + "."});
        }
        bool known = true;
        if (HasCodes(t.DataKind)) {
            known = ReadCodesLine(r, t, item);
        } else if (HasLessons(t.DataKind)) {
            const Field f = r.Next(CodesLineBytes);
            t.ItemLesson[item] = r.ItemNumber(f.text, f.line, i, "レッスン番号", "the lesson number", true);
            CheckIndex(r, f.line, t.ItemLesson[item], t.LessonCount, "レッスン番号", "the lesson number");
        } else {
            t.ItemLesson[item] = 0;
            t.ItemCode[item] = 0;
        }
        const ItemFields texts = ReadItemTexts(r, t.DataKind, IsChoiceItem(t, item));
        if (known) CheckItem(r, texts);
        if (keep) keep->push_back({std::string(texts.answer.text), std::string(texts.question.text)});
    }
}

void ReadTable(DataReader& r, QuestionData& t, std::vector<ItemTexts>* keep = nullptr) {
    ReadHeaderLine(r, t);
    if (!HasLessons(t.DataKind)) {
        t.LessonCount = 1;
        t.LessonNames[0] = Sjis("全問題");
        t.CodeCount = 0;
        t.HeaderLines = 0;
    } else {
        t.LessonCount = ReadCount(r, {"レッスン数", "the number of lessons"});
        ReadNames(r, t.LessonNames, t.LessonCount);
        t.CodeCount = 0;
        if (HasCodes(t.DataKind)) {
            t.CodeCount = ReadCount(r, {"コード数", "the number of codes"});
            ReadNames(r, t.CodeNames, t.CodeCount);
        }
        t.HeaderLines = HasCodes(t.DataKind) ? t.LessonCount + t.CodeCount + 2 : t.LessonCount + 1;
    }
    ReadItems(r, t, keep);
    if (r.Checking() && !r.In().AtEnd()) {
        // Lines after the last item are never read; more often than not they
        // are items the header does not count.
        const Field rest = r.Next(TextLineBytes);
        if (!rest.whole.empty() || !r.In().AtEnd())
            r.Warn(rest.line,
                   {"問題は " + Num(t.ItemCount) +
                        " 問で終わりのはずですが、まだ行があります。ここから後は読まれません。"
                        "ヘッダーの問題数を確かめてください。",
                    "the header says " + Num(t.ItemCount) +
                        " items, but more lines follow; they are never read. Check the number of items "
                        "in the header."},
                   {"2 行目の問題数を、書いた問題の数に直してください。",
                    "make the number of items on line 2 the number of items written."});
    }
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
    // Taken before the read: a change while it reads makes the stamp older
    // than the text, and the next look reads the file again.
    t.DataStamp = StampOfPath(FsPath(st.DataPath));
    DataReader r(FsPath(st.DataPath), SjisToUtf8Lossy(st.DataPath), nullptr);
    ReadTable(r, t);
    static_cast<QuestionData&>(st) = t;
    if (!HasLessons(t.DataKind)) st.LessonSelected[0] = true;
}

void ReadDataWithTexts(const std::string& sjisPath, QuestionData& table, std::vector<ItemTexts>& texts) {
    QuestionData t;
    std::vector<ItemTexts> kept;
    t.DataStamp = StampOfPath(FsPath(sjisPath));
    DataReader r(FsPath(sjisPath), SjisToUtf8Lossy(sjisPath), nullptr);
    ReadTable(r, t, &kept);
    table = std::move(t);
    texts = std::move(kept);
}

void BuildItemOrder(ProgramState& st) {
    const std::vector<int32_t> order = Shuffle(st.Rng, st.ItemCount);
    for (int32_t i = 0; i < st.ItemCount && i < MaxItems; ++i)
        st.ItemOrder[static_cast<size_t>(i)] = st.RandomOrder ? order[static_cast<size_t>(i)] : i;
}

void LoadSetTexts(ProgramState& st, int n) {
    if (n < 1 || n > SetCapacity) throw std::invalid_argument("set size out of range");
    auto a = st.SetTextA;
    auto b = st.SetTextB;
    auto c = st.SetTextC;
    auto d = st.SetTextD;

    DataReader r(FsPath(st.DataPath), SjisToUtf8Lossy(st.DataPath), nullptr);
    LineReader& in = r.In();
    in.SkipLines(2);
    if (HasLessons(st.DataKind)) in.SkipLines(st.HeaderLines);
    for (int32_t item = 0; item < st.ItemCount; ++item) {
        bool wanted = false;
        for (int j = 0; j < n; ++j) wanted = wanted || st.SetItems[static_cast<size_t>(j)] == item;
        if (HasLessons(st.DataKind)) in.SkipLine();
        const ItemFields f = ReadItemTexts(r, st.DataKind, IsChoiceItem(st, static_cast<size_t>(item)));
        if (!wanted) continue;
        // The file may have been edited since its header was read.
        CheckItem(r, f);
        for (size_t j = 0; j < static_cast<size_t>(n); ++j) {
            if (st.SetItems[j] != item) continue;
            a[j] = std::string(f.answer.text);
            c[j] = std::string(f.question.text);
            d[j] = std::string(f.explanation.text);
            if (HasTypedItems(st.DataKind)) b[j] = std::string(f.choices.text);
        }
    }
    st.SetTextA = std::move(a);
    st.SetTextB = std::move(b);
    st.SetTextC = std::move(c);
    st.SetTextD = std::move(d);
}

std::vector<Problem> CheckDataFile(const std::string& fsPath, int* itemCount) {
    std::vector<Problem> report;
    QuestionData t;
    try {
        DataReader r(fsPath, fsPath, &report);
        ReadTable(r, t);
    } catch (const DataReader::Stop&) {
    } catch (const VokamoError& e) {
        report.push_back(e.Where() ? *e.Where() : Problem{false, 0, e.what(), e.what(), {}, {}});
    }
    std::stable_sort(report.begin(), report.end(), [](const Problem& a, const Problem& b) {
        return a.line != b.line ? a.line < b.line : a.warning < b.warning;
    });
    if (itemCount) *itemCount = t.ItemCount;
    return report;
}

std::string FsPath(const std::string& sjisPath) {
    // Plain ASCII reads the same in both encodings.
    if (std::all_of(sjisPath.begin(), sjisPath.end(),
                    [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }))
        return sjisPath;
    // A path that is not valid Shift-JIS is handed on as it is: the open then
    // fails with a message instead of opening some other file.
    if (auto utf8 = SjisToUtf8(sjisPath)) return NameOnDisk(sjisPath, *utf8);
    return sjisPath;
}

}  // namespace vokamo

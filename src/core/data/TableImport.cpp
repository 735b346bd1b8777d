#include "core/data/TableImport.h"

#include <csv.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <stdexcept>

#include "core/data/DataFile.h"
#include "core/data/DataReader.h"
#include "core/data/FileText.h"
#include "core/data/SjisText.h"
#include "core/state/FileGuard.h"
#include "core/state/ProgramState.h"

namespace vokamo {

namespace {

enum Column {
    Lesson,
    Code,
    Type,
    Sentence,
    Meaning,
    Explanation,
    Choices,
    Title,
    TypeCode,
    Memo,
    LessonList,
    CodeList,
    ColumnCount
};

// The names a header cell may give a column, compared with letter case and
// surrounding spaces ignored. The first name of each is the one we write.
struct ColumnName {
    Column column;
    const char* name;
};
constexpr std::array<ColumnName, 29> ColumnNames{{
    {Lesson, "課"},           {Lesson, "lesson"},
    {Lesson, "レッスン"},     {Code, "コード"},
    {Code, "code"},           {Type, "形式"},
    {Type, "問題形式"},       {Type, "type"},
    {Sentence, "問題文"},     {Sentence, "sentence"},
    {Sentence, "英文"},       {Meaning, "意味"},
    {Meaning, "meaning"},     {Meaning, "日本語"},
    {Explanation, "解説"},    {Explanation, "explanation"},
    {Choices, "選択肢"},      {Choices, "choices"},
    {Title, "題名"},          {Title, "title"},
    {TypeCode, "種別コード"}, {TypeCode, "type code"},
    {TypeCode, "種類コード"}, {Memo, "メモ"},
    {Memo, "memo"},           {LessonList, "課の一覧"},
    {LessonList, "lessons"},  {CodeList, "コードの一覧"},
    {CodeList, "codes"},
}};

const char* WrittenName(Column c) {
    for (const ColumnName& n : ColumnNames)
        if (n.column == c) return n.name;
    return "";
}

// Byte limits of the question file's lines.
constexpr size_t TextBytes = ItemTextBytes;
constexpr size_t GroupNameBytes = 40;
constexpr size_t TitleLimit = TitleBytes;

std::string Num(long n) {
    return std::to_string(n);
}

TableProblem Fault(TableFault fault, int row, int column, std::string ja, std::string en) {
    return {fault, false, row, column, std::move(ja), std::move(en)};
}

[[noreturn]] void Refuse(TableFault fault, int row, int column, const std::string& ja,
                         const std::string& en) {
    throw TableError(Fault(fault, row, column, CellName(row, column) + ja, CellName(row, column) + en));
}

std::string Utf8(std::string_view sjis) {
    return SjisToUtf8Lossy(sjis);
}

// A header cell as it is compared: UTF-8, no surrounding spaces (half or
// full width), ASCII letters small, "_" as a space.
std::string Normalised(std::string_view sjis) {
    std::string s = Utf8(sjis);
    auto trim = [&] {
        for (bool again = true; again;) {
            again = false;
            for (const std::string_view sp : {" ", "\t", "\xE3\x80\x80"}) {
                if (s.starts_with(sp)) s.erase(0, sp.size()), again = true;
                if (s.ends_with(sp)) s.erase(s.size() - sp.size()), again = true;
            }
        }
    };
    trim();
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == '_') c = ' ';
    }
    return s;
}

std::optional<Column> ColumnOf(std::string_view sjis) {
    const std::string n = Normalised(sjis);
    for (const ColumnName& c : ColumnNames)
        if (n == c.name) return c.column;
    return std::nullopt;
}

std::string KnownNames() {
    return "課、コード、形式、問題文、意味、解説、選択肢、題名、種別コード、メモ、課の一覧、コードの一覧";
}

// A whole number with spaces around it allowed, as teachers type them.
std::optional<long> WholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty() || text.size() > 9) return std::nullopt;
    bool negative = false;
    if (text.front() == '-' || text.front() == '+') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    long v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

// A cell that becomes one line of the question file.
void CheckLine(std::string_view text, int row, int column, size_t capacity, const char* what) {
    if (text.find('\t') != std::string_view::npos)
        Refuse(TableFault::Tab, row, column, " にタブがあります。半角スペースに直してください。",
               " holds a tab; replace it by a half-width space.");
    if (text.find_first_of("\r\n") != std::string_view::npos)
        Refuse(TableFault::LineBreak, row, column,
               " のセルの中に改行があります。問題ファイルの 1 行になるので、改行を取ってください"
               "（Alt+Enter の改行も）。",
               " holds a line break; it becomes one line of the question file, so take the break out.");
    if (capacity > 0 && text.size() > capacity)
        Refuse(TableFault::TooLong, row, column,
               std::string(" の") + what + "は " + Num(static_cast<long>(text.size())) + " バイトあります（" +
                   Num(static_cast<long>(capacity)) + " バイト、全角で " +
                   Num(static_cast<long>(capacity / 2)) + " 文字まで）。短くしてください。",
               " is " + Num(static_cast<long>(text.size())) + " bytes long (" +
                   Num(static_cast<long>(capacity)) + " at most); shorten it.");
}

struct Cell {
    std::string text;
    int row = 0;
    int column = 0;
};

// One line of the question file and the cell it came from.
struct Lines {
    ImportedData data;
    void Add(std::string_view text, int row = 0, int column = 0) {
        data.dat.append(text);
        data.dat += "\r\n";
        data.lineCells.push_back({row, column});
    }
};

// Lessons or codes: the names in file order, and each item's number.
struct Groups {
    std::vector<Cell> names;
    std::vector<int32_t> ofItem;
};

// Resolves the values of a lesson or code column. With a list column the
// names come from it and a value is a name from it or a number from 1;
// without one the values are names in order of first appearance, or, when
// every value is a number, numbers from 1 (named after `numbered`).
Groups ResolveGroups(const std::vector<Cell>& values, const std::vector<Cell>& list, bool hasList,
                     const char* what, const char* whatEn, const char* numberedBefore,
                     const char* numberedAfter, int header) {
    Groups g;
    if (hasList) {
        g.names = list;
        if (g.names.size() > static_cast<size_t>(MaxGroups))
            Refuse(TableFault::TooManyGroups, g.names[MaxGroups].row, g.names[MaxGroups].column,
                   std::string(" で") + what + "の一覧が " + Num(MaxGroups) + " 個を超えています。",
                   std::string(": more than ") + Num(MaxGroups) + " " + whatEn + " names.");
        for (const Cell& n : g.names) CheckLine(n.text, n.row, n.column, GroupNameBytes, "名前");
    }
    bool allNumbers = !hasList && !values.empty();
    for (const Cell& v : values) allNumbers = allNumbers && WholeNumber(v.text).has_value();
    if (allNumbers) {
        long highest = 0;
        for (const Cell& v : values) {
            const long n = *WholeNumber(v.text);
            if (n < 1 || n > MaxGroups)
                Refuse(TableFault::BadValue, v.row, v.column,
                       std::string(" の") + what + "の番号 " + Num(n) + " は使えません（1 から " +
                           Num(MaxGroups) + " まで。1 から数えます）。",
                       std::string(": the ") + whatEn + " number " + Num(n) + " cannot be used (1 to " +
                           Num(MaxGroups) + ", counted from 1).");
            highest = std::max(highest, n);
        }
        for (long n = 1; n <= highest; ++n)
            g.names.push_back({Sjis(numberedBefore) + Num(n) + Sjis(numberedAfter), 0, header});
        for (const Cell& v : values) g.ofItem.push_back(static_cast<int32_t>(*WholeNumber(v.text) - 1));
        return g;
    }
    for (const Cell& v : values) {
        if (v.text.empty())
            Refuse(TableFault::BadValue, v.row, v.column, std::string(" の") + what + "が空です。",
                   std::string(": the ") + whatEn + " is empty.");
        auto found =
            std::find_if(g.names.begin(), g.names.end(), [&](const Cell& n) { return n.text == v.text; });
        if (found != g.names.end()) {
            g.ofItem.push_back(static_cast<int32_t>(found - g.names.begin()));
            continue;
        }
        if (hasList) {
            const auto n = WholeNumber(v.text);
            if (n && *n >= 1 && *n <= static_cast<long>(g.names.size())) {
                g.ofItem.push_back(static_cast<int32_t>(*n - 1));
                continue;
            }
            Refuse(TableFault::BadValue, v.row, v.column,
                   std::string(" の") + what + "「" + Shown(v.text) + "」は" + what +
                       "の一覧にありません（番号なら 1 から " + Num(static_cast<long>(g.names.size())) +
                       " まで）。",
                   std::string(": the ") + whatEn + " \"" + Shown(v.text) + "\" is not in the list of " +
                       whatEn + " names (numbers go from 1 to " + Num(static_cast<long>(g.names.size())) +
                       ").");
        }
        if (g.names.size() == static_cast<size_t>(MaxGroups))
            Refuse(TableFault::TooManyGroups, v.row, v.column,
                   std::string(" で") + what + "が " + Num(MaxGroups) + " 種類を超えます（" + Num(MaxGroups) +
                       " 種類まで）。",
                   std::string(": more than ") + Num(MaxGroups) + " different " + whatEn + " names.");
        CheckLine(v.text, v.row, v.column, GroupNameBytes, "名前");
        g.names.push_back(v);
        g.ofItem.push_back(static_cast<int32_t>(g.names.size() - 1));
    }
    return g;
}

// The question type of a kind-3 item: a name from the code list, a number
// from 1, or the words for choice and key input; empty: key input when the
// item has no choices.
int32_t QuestionTypeCode(const Cell& v, bool noChoices, const std::vector<Cell>& names) {
    if (v.text.empty()) return noChoices ? 1 : 0;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i].text == v.text) return static_cast<int32_t>(i);
    if (const auto n = WholeNumber(v.text); n && *n >= 1 && *n <= static_cast<long>(names.size()))
        return static_cast<int32_t>(*n - 1);
    const std::string word = Normalised(v.text);
    for (const char* w : {"選択", "選択問題", "choice", "multiple choice"})
        if (word == w) return 0;
    for (const char* w : {"入力", "キー入力", "入力問題", "input", "key input"})
        if (word == w) return 1;
    Refuse(TableFault::BadValue, v.row, v.column,
           " の形式「" + Shown(v.text) +
               "」がわかりません。「選択」か「入力」と書きます（空なら、選択肢がある問題は選択）。",
           ": the type \"" + Shown(v.text) +
               "\" is unknown; write \"choice\" or \"input\" (empty: choice when the item has choices).");
}

}  // namespace

ImportedData BuildDataFile(const TableCells& cells, const ImportOptions& options) {
    const std::vector<std::string> none;
    const std::vector<std::string>& header = cells.rows.empty() ? none : cells.rows[0];
    std::array<int, ColumnCount> at;
    at.fill(-1);
    size_t named = 0;
    for (size_t c = 0; c < header.size(); ++c) named += ColumnOf(header[c]).has_value();
    if (named == 0)
        Refuse(TableFault::NoHeader, 1, 1,
               ": 1 行目に列の名前がありません。1 "
               "行目には「問題文」「意味」などの列の名前を書きます（使える名前: " +
                   KnownNames() + "）。",
               ": row 1 names no column. Row 1 holds the column names, such as sentence and meaning (also "
               "lesson, "
               "code, type, explanation, choices, title, type code, memo, lessons, codes).");
    // Columns without a name are allowed while they stay empty: spreadsheets
    // save the empty columns beside the table.
    size_t width = 0;
    for (size_t c = 0; c < header.size(); ++c) {
        const int column = static_cast<int>(c) + 1;
        if (Normalised(header[c]).empty()) continue;
        width = c + 1;
        const auto kind = ColumnOf(header[c]);
        if (!kind)
            Refuse(
                TableFault::UnknownColumn, 1, column,
                " の列の名前「" + Shown(header[c]) + "」がわかりません（使える名前: " + KnownNames() + "）。",
                ": the column name \"" + Shown(header[c]) +
                    "\" is unknown (use lesson, code, type, sentence, meaning, explanation, choices, title, "
                    "type code, memo, lessons, codes).");
        if (at[*kind] >= 0)
            Refuse(TableFault::RepeatedColumn, 1, column,
                   " の列「" + Shown(header[c]) + "」は " + CellName(1, at[*kind] + 1) +
                       " と同じ列です。一つにしてください。",
                   ": the column \"" + Shown(header[c]) + "\" is the same as " + CellName(1, at[*kind] + 1) +
                       "; keep one.");
        at[*kind] = static_cast<int>(c);
    }
    for (const Column needed : {Sentence, Meaning})
        if (at[needed] < 0)
            Refuse(TableFault::MissingColumn, 1, 1,
                   std::string(": 「") + WrittenName(needed) +
                       "」の列がありません。1 行目に列の名前を書いてください。",
                   std::string(": there is no column \"") + (needed == Sentence ? "sentence" : "meaning") +
                       "\"; name it in row 1.");
    const int kind = at[Choices] >= 0 || at[Type] >= 0                                ? 3
                     : at[Code] >= 0                                                  ? 2
                     : at[Lesson] >= 0 || at[Explanation] >= 0 || at[LessonList] >= 0 ? 1
                                                                                      : 0;
    if (kind == 3 && at[Code] >= 0)
        Refuse(TableFault::BadValue, 1, at[Code] + 1,
               ": 選択肢のある表（種別 3）では、コードの代わりに「形式」の列に「選択」か「入力」を書きます。",
               ": a table with choices (kind 3) has no code column; write choice or input in a \"type\" "
               "column.");

    // The rows: items, and the values written once.
    std::array<std::vector<Cell>, ColumnCount> values;
    std::array<std::optional<Cell>, ColumnCount> once;
    int items = 0;
    for (size_t r = 1; r < cells.rows.size(); ++r) {
        const std::vector<std::string>& row = cells.rows[r];
        const int rowNo = static_cast<int>(r) + 1;
        if (std::all_of(row.begin(), row.end(), [](const std::string& s) { return s.empty(); })) continue;
        for (size_t c = 0; c < row.size(); ++c) {
            if (row[c].empty() || (c < header.size() && !Normalised(header[c]).empty())) continue;
            if (c >= width)
                Refuse(TableFault::TooManyFields, rowNo, static_cast<int>(c) + 1,
                       ": この行は 1 行目の列より多くのセルがあります（列は " +
                           Num(static_cast<long>(width)) +
                           " 個）。区切りの , が多すぎないか、引用符で囲むべき , がないか確かめてください。",
                       ": this row has more cells than row 1 has columns (" + Num(static_cast<long>(width)) +
                           "); look for an extra separator, or a comma that should be inside quotes.");
            Refuse(TableFault::UnnamedColumn, 1, static_cast<int>(c) + 1,
                   ": この列には値があるのに、1 行目に列の名前がありません。",
                   ": this column holds values but row 1 gives it no name.");
        }
        if (row.size() < width)
            Refuse(TableFault::TooFewFields, rowNo, static_cast<int>(row.size()) + 1,
                   ": この行はセルが " + Num(static_cast<long>(row.size())) + " 個しかありません（列は " +
                       Num(static_cast<long>(width)) +
                       " 個）。区切りが足りないか、セルの中の改行が引用符で囲まれていません。",
                   ": this row has only " + Num(static_cast<long>(row.size())) + " cells (" +
                       Num(static_cast<long>(width)) +
                       " columns); a separator is missing, or a line break inside a cell is not quoted.");
        auto cell = [&](Column c) {
            const size_t i = static_cast<size_t>(at[c]);
            return Cell{at[c] >= 0 && i < row.size() ? row[i] : std::string(), rowNo, at[c] + 1};
        };
        for (const Column c : {Title, TypeCode, Memo}) {
            const Cell v = cell(c);
            if (at[c] < 0 || v.text.empty()) continue;
            if (!once[c]) {
                once[c] = v;
            } else if (once[c]->text != v.text) {
                Refuse(TableFault::Conflict, v.row, v.column,
                       std::string(" の") + WrittenName(c) + "が " + CellName(once[c]->row, once[c]->column) +
                           " と違います。" + WrittenName(c) + "は一つだけです。",
                       ": differs from " + CellName(once[c]->row, once[c]->column) + "; there is only one.");
            }
        }
        for (const Column c : {LessonList, CodeList})
            if (at[c] >= 0) values[c].push_back(cell(c));
        bool item = false;
        for (const Column c : {Lesson, Code, Type, Sentence, Meaning, Explanation, Choices})
            item = item || !cell(c).text.empty();
        if (!item) continue;
        if (++items > MaxItems)
            Refuse(
                TableFault::TooManyItems, rowNo, 1,
                ": 問題が " + Num(MaxItems) + " 問を超えました（" + Num(MaxItems) +
                    " 問まで）。表を分けてください。",
                ": more than " + Num(MaxItems) + " items (" + Num(MaxItems) + " at most); split the table.");
        for (const Column c : {Lesson, Code, Type, Sentence, Meaning, Explanation, Choices}) {
            if (at[c] < 0) continue;
            const Cell v = cell(c);
            if (c >= Sentence) CheckLine(v.text, v.row, v.column, TextBytes, "文");
            values[c].push_back(v);
        }
    }
    if (items == 0)
        Refuse(TableFault::NoItems, 2, 1, ": 2 行目から下に問題がありません。",
               ": there are no items below row 1.");
    for (const Column c : {LessonList, CodeList}) {
        std::vector<Cell>& list = values[c];
        while (!list.empty() && list.back().text.empty()) list.pop_back();
    }

    // The title, the type code and line 1.
    std::string title = options.title;
    CellRef titleCell;
    if (!title.empty() && (title.size() > TitleLimit || title.find_first_of(" \t\r\n") != std::string::npos))
        throw TableError(
            Fault(TableFault::BadValue, 0, 0,
                  "題名（--title）には半角スペースを入れられず、" + Num(TitleLimit) + " バイトまでです。",
                  "the title (--title) cannot hold a half-width space and keeps " + Num(TitleLimit) +
                      " bytes at most."));
    if (title.empty() && once[Title]) {
        title = once[Title]->text;
        titleCell = {once[Title]->row, once[Title]->column};
    }
    if (!title.empty()) {
        CheckLine(title, titleCell.row, titleCell.column, TitleLimit, "題名");
        if (title.find(' ') != std::string::npos)
            throw TableError(
                Fault(TableFault::BadValue, titleCell.row, titleCell.column,
                      CellName(titleCell.row, titleCell.column) +
                          " 題名に半角スペースは使えません。全角スペースか _ にしてください。",
                      CellName(titleCell.row, titleCell.column) +
                          " the title cannot hold a half-width space; use _ or a full-width space."));
    } else {
        // From the file name: what a half-width space would break becomes a
        // full-width one, and the name is cut to what the title keeps.
        std::string stem = options.tableName;
        if (const size_t dot = stem.rfind('.'); dot != std::string::npos && dot > 0) stem.resize(dot);
        for (size_t i = 0; i < stem.size(); i += SjisCharLen(stem, i))
            if (stem[i] == ' ') stem.replace(i, 1, Sjis("　")), ++i;
        title = SjisCut(stem.empty() ? Sjis("問題") : stem, TitleLimit);
    }
    long typeCode = kind;
    CellRef codeCell;
    if (options.typeCode) {
        typeCode = *options.typeCode;
    } else if (once[TypeCode]) {
        const Cell& v = *once[TypeCode];
        codeCell = {v.row, v.column};
        const auto n = WholeNumber(v.text);
        if (!n)
            Refuse(TableFault::BadValue, v.row, v.column,
                   " の種別コード「" + Shown(v.text) + "」は数ではありません。",
                   ": the type code \"" + Shown(v.text) + "\" is no number.");
        typeCode = *n;
    }
    if (typeCode < 0 || typeCode % 10 != kind)
        throw TableError(
            Fault(TableFault::BadValue, codeCell.row, codeCell.column,
                  CellName(codeCell.row, codeCell.column) + (codeCell.row ? " " : "") + "種別コード " +
                      Num(typeCode) + " は使えません。この表の列からは種別 " + Num(kind) +
                      " になるので、一の位を " + Num(kind) +
                      " にします（選択肢・形式の列で 3、コードの列で 2、課・解説の列で 1、ほかは 0）。",
                  CellName(codeCell.row, codeCell.column) + (codeCell.row ? " " : "") + "the type code " +
                      Num(typeCode) + " cannot be used: the columns make this table kind " + Num(kind) +
                      ", so its last digit must be " + Num(kind) +
                      " (choices or type: 3, code: 2, lesson or explanation: 1, else 0)."));
    Lines out;
    if (once[Memo]) {
        CheckLine(once[Memo]->text, once[Memo]->row, once[Memo]->column, 0, "メモ");
        out.Add(once[Memo]->text, once[Memo]->row, once[Memo]->column);
    } else if (at[Memo] >= 0) {
        // A memo column left empty is an empty first line, as it was.
        out.Add("", 1, at[Memo] + 1);
    } else if (!options.memo.empty()) {
        out.Add(options.memo);
    } else {
        out.Add(Sjis("Vokamo 問題データ（") + options.tableName + Sjis(" から作りました）"));
    }
    out.Add(title + " " + Num(typeCode) + " " + Num(items), titleCell.row ? titleCell.row : codeCell.row,
            titleCell.row ? titleCell.column : codeCell.column);

    // Lessons and codes.
    Groups lessons, codes;
    const size_t count = static_cast<size_t>(items);
    if (kind >= 1) {
        if (at[Lesson] >= 0) {
            lessons = ResolveGroups(values[Lesson], values[LessonList], at[LessonList] >= 0, "課", "lesson",
                                    "第", "課", at[Lesson] + 1);
        } else if (at[LessonList] >= 0 && !values[LessonList].empty()) {
            lessons = ResolveGroups({}, values[LessonList], true, "課", "lesson", "第", "課", 0);
            lessons.ofItem.assign(count, 0);
        } else {
            lessons.names = {{Sjis("全問題"), 0, 0}};
            lessons.ofItem.assign(count, 0);
        }
        out.Add(Num(static_cast<long>(lessons.names.size())), 1, at[Lesson] + 1);
        for (const Cell& n : lessons.names) out.Add(n.text, n.row, n.column);
    }
    if (kind == 2) {
        codes = ResolveGroups(values[Code], values[CodeList], at[CodeList] >= 0, "コード", "code", "コード",
                              "", at[Code] + 1);
    } else if (kind == 3) {
        if (at[CodeList] >= 0 && !values[CodeList].empty())
            codes.names = values[CodeList];
        else
            codes.names = {{Sjis("選択問題"), 0, 0}, {Sjis("入力問題"), 0, 0}};
        for (const Cell& n : codes.names) CheckLine(n.text, n.row, n.column, GroupNameBytes, "名前");
        for (size_t i = 0; i < count; ++i) {
            const Cell type = at[Type] >= 0 ? values[Type][i] : Cell{};
            const bool noChoices = at[Choices] < 0 || values[Choices][i].text.empty();
            codes.ofItem.push_back(QuestionTypeCode(type, noChoices, codes.names));
        }
    }
    if (kind >= 2) {
        out.Add(Num(static_cast<long>(codes.names.size())), 1, at[kind == 2 ? Code : Type] + 1);
        for (const Cell& n : codes.names) out.Add(n.text, n.row, n.column);
    }

    // The items, in the layout of their kind.
    auto text = [&](Column c, size_t i) { return at[c] >= 0 ? values[c][i] : Cell{}; };
    for (size_t i = 0; i < count; ++i) {
        const Cell sentence = text(Sentence, i);
        const Cell meaning = text(Meaning, i);
        const Cell explanation = text(Explanation, i);
        const int row = sentence.row;
        if (kind == 1) out.Add(Num(lessons.ofItem[i]), row, at[Lesson] >= 0 ? at[Lesson] + 1 : 1);
        if (kind >= 2)
            out.Add(Num(lessons.ofItem[i]) + " " + Num(codes.ofItem[i]), row,
                    at[kind == 2 ? Code : Type] >= 0 ? at[kind == 2 ? Code : Type] + 1 : 1);
        if (kind == 3) {
            const Cell choices = text(Choices, i);
            out.Add(meaning.text, row, meaning.column);
            out.Add(choices.text, row, choices.column ? choices.column : sentence.column);
            out.Add(sentence.text, row, sentence.column);
        } else {
            out.Add(sentence.text, row, sentence.column);
            out.Add(meaning.text, row, meaning.column);
        }
        if (kind >= 1)
            out.Add(explanation.text, row, explanation.column ? explanation.column : meaning.column);
    }
    out.data.items = items;
    return std::move(out.data);
}

namespace {

std::string FolderOf(const std::string& fsPath) {
    const size_t slash = fsPath.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : fsPath.substr(0, slash);
}

// A temporary file beside the target, removed unless it is kept.
struct TempFile {
    std::string path;
    bool kept = false;
    ~TempFile() {
        if (!path.empty() && !kept) ::unlink(path.c_str());
    }
};

[[noreturn]] void WriteFailed(const std::string& fsPath, int err) {
    throw FileError("ファイル '" + ShortenForMessage(fsPath) + "' を書けません（" + JapaneseReason(err) +
                    "）。");
}

void WriteTemp(TempFile& temp, const std::string& fsPath, const std::string& bytes) {
    std::string name = FolderOf(fsPath) + "/.vokamo-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) WriteFailed(fsPath, errno);
    temp.path = name;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : EIO;
            ::close(fd);
            WriteFailed(fsPath, err);
        }
        done += static_cast<size_t>(n);
    }
    // Question files and tables are read by others: not only by their owner.
    ::fchmod(fd, 0644);
    if (::fsync(fd) != 0 || ::close(fd) != 0) WriteFailed(fsPath, errno);
}

void PlaceTemp(TempFile& temp, const std::string& fsPath, bool replace) {
    if (replace) {
        if (::rename(temp.path.c_str(), fsPath.c_str()) != 0) WriteFailed(fsPath, errno);
    } else {
        // A link is refused when the name is taken, even by a file made a
        // moment ago: nothing is ever overwritten by accident.
        if (::link(temp.path.c_str(), fsPath.c_str()) != 0) WriteFailed(fsPath, errno);
        ::unlink(temp.path.c_str());
    }
    temp.kept = true;
}

std::string FirstLine(const std::string& sjis) {
    return sjis.substr(0, sjis.find_first_of("\r\n"));
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

TableProblem FromProblem(const Problem& p, const ImportedData& data) {
    TableProblem t{TableFault::DataFile, p.warning, 0, 0, p.ja, p.en, p.fixJa, p.fixEn};
    if (p.line > 0 && static_cast<size_t>(p.line) <= data.lineCells.size()) {
        const CellRef c = data.lineCells[static_cast<size_t>(p.line) - 1];
        t.row = c.row;
        t.column = c.column;
    }
    const std::string cell = CellName(t.row, t.column);
    if (!cell.empty()) {
        t.ja = cell + ": " + t.ja;
        t.en = cell + ": " + t.en;
    }
    return t;
}

}  // namespace

ImportReport ImportTableFile(
    const std::string& fsTable, const std::string& shownTable, const std::string& fsDat,
    const ImportOptions& options, ExistingFile existing,
    const std::function<bool(const std::vector<TableProblem>&)>& useDespiteWarnings) {
    ImportReport report;
    try {
        const TableCells cells = ReadTableFile(fsTable, shownTable);
        const ImportedData data = BuildDataFile(cells, options);
        report.items = data.items;
        // The question file's own check runs on the file as it will stand.
        TempFile temp;
        WriteTemp(temp, fsDat, data.dat);
        for (const Problem& p : CheckDataFile(temp.path)) report.problems.push_back(FromProblem(p, data));
        std::stable_sort(report.problems.begin(), report.problems.end(),
                         [](const TableProblem& a, const TableProblem& b) {
                             return a.row != b.row ? a.row < b.row : a.column < b.column;
                         });
        if (std::any_of(report.problems.begin(), report.problems.end(),
                        [](const TableProblem& p) { return !p.warning; }))
            return report;
        bool replace = existing == ExistingFile::Replace;
        bool identical = false;
        if (::access(fsDat.c_str(), F_OK) == 0 && existing != ExistingFile::Replace) {
            std::string old;
            try {
                old = ReadFileBytes(fsDat, fsDat);
            } catch (const VokamoError&) {
            }
            identical = old == data.dat;
            replace = identical || (existing == ExistingFile::ReplaceOwn && !old.empty() &&
                                    FirstLine(DecodeFileText(old, true).sjis) == FirstLine(data.dat));
            if (!replace) {
                const std::string name = ShortenForMessage(BaseName(fsDat));
                report.problems.push_back(
                    Fault(TableFault::Exists, 0, 0,
                          "問題ファイル「" + name + "」がもうあり、中身が違うので書きません。" +
                              (existing == ExistingFile::Keep
                                   ? "置き換えるなら --force を付けてください。"
                                   : "別の問題ファイルです。表の名前を変えてから選んでください。"),
                          "the question file \"" + name + "\" exists and differs; it is not written" +
                              (existing == ExistingFile::Keep ? " (add --force to replace it)."
                                                              : " (rename the table).")));
                return report;
            }
        }
        if (useDespiteWarnings && !report.problems.empty() && !useDespiteWarnings(report.problems)) {
            report.stopped = true;
            return report;
        }
        if (!identical) PlaceTemp(temp, fsDat, replace);
        report.written = true;
    } catch (const TableError& e) {
        report.problems.insert(report.problems.begin(), e.Where());
    } catch (const VokamoError& e) {
        report.problems.insert(report.problems.begin(),
                               Fault(TableFault::DataFile, 0, 0, e.what(), e.what()));
    }
    return report;
}

std::string TableReportLine(const std::string& file, const TableProblem& p, ReportLanguage language) {
    const bool ja = language == ReportLanguage::Japanese;
    const std::string& fix = ja ? p.fixJa : p.fixEn;
    return file + ": " + (p.warning ? (ja ? "警告" : "warning") : (ja ? "エラー" : "error")) + ": " +
           (ja ? p.ja : p.en) + (fix.empty() ? "" : (ja ? "" : " ") + fix);
}

namespace {

// Rows of UTF-8 cells as a spreadsheet opens them.
std::string CsvText(const std::vector<std::vector<std::string>>& rows) {
    std::string out = "\xEF\xBB\xBF";
    for (const auto& row : rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0) out += ',';
            const size_t need = csv_write(nullptr, 0, row[c].data(), row[c].size());
            std::string quoted(need, '\0');
            csv_write(quoted.data(), quoted.size(), row[c].data(), row[c].size());
            out += quoted;
        }
        out += "\r\n";
    }
    return out;
}

bool UsableNames(const std::array<std::string, MaxGroups>& names, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const std::string& n = names[static_cast<size_t>(i)];
        if (n.empty()) return false;
        for (int32_t k = 0; k < i; ++k)
            if (names[static_cast<size_t>(k)] == n) return false;
    }
    return true;
}

}  // namespace

std::string ExportTable(const std::string& sjisDatPath) {
    auto st = std::make_unique<ProgramState>();
    st->DataPath = sjisDatPath;
    ReadDataHeader(*st);
    const FileText text =
        DecodeFileText(ReadFileBytes(FsPath(sjisDatPath), PathForMessage(sjisDatPath)), true);
    const std::string memo = text.sjis.substr(0, text.sjis.find_first_of(text.lfLines ? "\n" : "\r"));
    const DataKind kind = st->DataKind;
    const size_t count = static_cast<size_t>(st->ItemCount);
    // A list column ends at its last name: an empty last name would not
    // come back, and the items' numbers would then point past the list.
    if ((st->LessonCount > 0 && HasLessons(kind) &&
         st->LessonNames[static_cast<size_t>(st->LessonCount - 1)].empty()) ||
        (st->CodeCount > 0 && HasCodes(kind) &&
         st->CodeNames[static_cast<size_t>(st->CodeCount - 1)].empty()))
        throw VokamoError(
            "「" + PathForMessage(sjisDatPath) +
            "」は最後の課かコードの名前が空なので、表にすると同じに戻せません。名前を付けてから書き出して"
            "ください。");
    std::vector<std::array<std::string, 4>> texts(count);  // sentence, meaning, choices, explanation
    for (size_t first = 0; first < count; first += SetCapacity) {
        const size_t n = std::min<size_t>(SetCapacity, count - first);
        for (size_t j = 0; j < n; ++j) st->SetItems[j] = static_cast<int32_t>(first + j);
        LoadSetTexts(*st, static_cast<int>(n));
        for (size_t j = 0; j < n; ++j)
            texts[first + j] = {st->SetTextA[j], st->SetTextC[j], HasTypedItems(kind) ? st->SetTextB[j] : "",
                                st->SetTextD[j]};
    }

    std::vector<Column> columns;
    if (HasLessons(kind)) columns.push_back(Lesson);
    if (HasCodes(kind)) columns.push_back(HasTypedItems(kind) ? Type : Code);
    columns.insert(columns.end(), {Sentence, Meaning});
    if (HasTypedItems(kind)) columns.push_back(Choices);
    if (HasExplanations(kind)) columns.push_back(Explanation);
    columns.insert(columns.end(), {Title, TypeCode, Memo});
    if (HasLessons(kind)) columns.push_back(LessonList);
    if (HasCodes(kind)) columns.push_back(CodeList);

    const bool lessonNames = UsableNames(st->LessonNames, st->LessonCount);
    const bool codeNames = UsableNames(st->CodeNames, st->CodeCount);
    const size_t rows =
        std::max({count, static_cast<size_t>(st->LessonCount), static_cast<size_t>(st->CodeCount)});
    std::vector<std::vector<std::string>> table(rows + 1);
    for (const Column c : columns) table[0].push_back(WrittenName(c));
    for (size_t r = 0; r < rows; ++r) {
        const bool item = r < count;
        auto group = [&](const std::array<std::string, MaxGroups>& names, bool byName, int32_t value) {
            if (!item) return std::string();
            return byName ? Utf8(names[static_cast<size_t>(value)]) : Num(value + 1);
        };
        for (const Column c : columns) {
            std::string v;
            switch (c) {
                case Lesson:
                    v = group(st->LessonNames, lessonNames, st->ItemLesson[r]);
                    break;
                case Code:
                case Type:
                    v = group(st->CodeNames, codeNames, st->ItemCode[r]);
                    break;
                case Sentence:
                    v = item ? Utf8(texts[r][0]) : "";
                    break;
                case Meaning:
                    v = item ? Utf8(texts[r][1]) : "";
                    break;
                case Choices:
                    v = item ? Utf8(texts[r][2]) : "";
                    break;
                case Explanation:
                    v = item ? Utf8(texts[r][3]) : "";
                    break;
                case Title:
                    v = r == 0 ? Utf8(st->Title) : "";
                    break;
                case TypeCode:
                    v = r == 0 ? Num(st->TypeCode) : "";
                    break;
                case Memo:
                    v = r == 0 ? Utf8(memo) : "";
                    break;
                case LessonList:
                    v = r < static_cast<size_t>(st->LessonCount) ? Utf8(st->LessonNames[r]) : "";
                    break;
                case CodeList:
                    v = r < static_cast<size_t>(st->CodeCount) ? Utf8(st->CodeNames[r]) : "";
                    break;
                case ColumnCount:
                    break;
            }
            table[r + 1].push_back(std::move(v));
        }
    }
    return CsvText(table);
}

std::string TemplateTable(int kind) {
    switch (kind) {
        case 0:
            return CsvText({{"問題文", "意味"},
                            {"I @am a student.", "私は生徒です。"},
                            {"She @likes music very much.", "彼女は音楽がとても好きです。"}});
        case 1:
            return CsvText(
                {{"課", "問題文", "意味", "解説"},
                 {"Lesson1", "I have a @test today.", "今日はテストがあります。", "test = テスト、試験。"},
                 {"Lesson2", "My @sister is ten.", "私の妹は10歳です。", "sister = 姉、妹。"}});
        case 2:
            return CsvText(
                {{"課", "コード", "問題文", "意味", "解説"},
                 {"Unit1", "名詞", "My @hobby is reading.", "私の趣味は読書です。", "hobby = 趣味。"},
                 {"Unit1", "動詞", "Nice to @meet you.", "はじめまして。", "meet = 会う。"}});
        case 3:
            return CsvText(
                {{"課", "形式", "問題文", "意味", "選択肢", "解説"},
                 {"Part1", "選択", "I am @looking_for my key.", "私はかぎを探しています。",
                  "looking_for looking_at looking_after", "look for ～ = ～を探す。"},
                 {"Part1", "入力", "I @get up at six.", "私は6時に起きます。", "", "get up = 起きる。"}});
        default:
            throw std::invalid_argument("no such kind");
    }
}

std::string DataPathBesideTable(const std::string& tablePath) {
    const size_t slash = tablePath.rfind('/');
    const size_t dot = tablePath.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return tablePath + ".dat";
    return tablePath.substr(0, dot) + ".dat";
}

bool IsTablePath(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return false;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext == "csv" || ext == "tsv";
}

void WriteWholeFile(const std::string& fsPath, const std::string& bytes, bool replace) {
    TempFile temp;
    WriteTemp(temp, fsPath, bytes);
    if (!replace && ::access(fsPath.c_str(), F_OK) == 0)
        throw FileError("ファイル '" + ShortenForMessage(fsPath) +
                        "' はもうあるので書きません。置き換えるなら --force を付けてください。");
    PlaceTemp(temp, fsPath, replace);
}

}  // namespace vokamo

#include "core/data/TableReader.h"

#include <csv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>

#include "core/data/FileText.h"
#include "core/data/SjisText.h"
#include "core/state/FileGuard.h"
#include "core/state/ProgramState.h"

namespace vokamo {

namespace {

size_t Utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The length of the UTF-8 character at text[i], 0 when it is none.
size_t Utf8CharAt(std::string_view text, size_t i) {
    const size_t len = Utf8Length(static_cast<unsigned char>(text[i]));
    if (len == 0 || i + len > text.size()) return 0;
    for (size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    const auto b0 = static_cast<unsigned char>(text[i]);
    const auto b1 = len > 1 ? static_cast<unsigned char>(text[i + 1]) : 0;
    if ((b0 == 0xE0 && b1 < 0xA0) || (b0 == 0xED && b1 >= 0xA0) || (b0 == 0xF0 && b1 < 0x90) ||
        (b0 == 0xF4 && b1 >= 0x90))
        return 0;
    return len;
}

// Valid UTF-8; a text cut at the read limit may end inside a character.
bool IsUtf8(std::string_view text, bool whole) {
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t len = Utf8CharAt(text, i);
        if (len == 0) return !whole && i + Utf8Length(static_cast<unsigned char>(text[i])) > text.size();
        i += len;
    }
    return true;
}

// A file saved as UTF-16 without its BOM: every other byte of its ASCII is 0.
bool LooksLikeUtf16(std::string_view bytes) {
    const size_t n = std::min<size_t>(bytes.size(), 2000) & ~size_t{1};
    if (n < 4) return false;
    size_t even = 0, odd = 0;
    for (size_t i = 0; i < n; i += 2) {
        even += bytes[i] == '\0';
        odd += bytes[i + 1] == '\0';
    }
    const size_t pairs = n / 2;
    return std::max(even, odd) * 10 >= pairs * 3 && std::min(even, odd) * 10 < pairs;
}

TableProblem At(TableFault fault, int row, int column, std::string ja, std::string en) {
    return {fault, false, row, column, std::move(ja), std::move(en)};
}

std::string CodePoint(uint32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", cp);
    return buf;
}

uint32_t CodePointOf(std::string_view utf8) {
    const auto b0 = static_cast<unsigned char>(utf8[0]);
    const size_t len = utf8.size();
    uint32_t cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1Fu) : len == 3 ? (b0 & 0x0Fu) : (b0 & 0x07u);
    for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3Fu);
    return cp;
}

const char* const GarbledJa =
    "の文字が読めません（文字化けか、表ではないファイルです）。表計算ソフトで「CSV」として保存し直して"
    "ください。";
const char* const GarbledEn =
    " holds bytes that are no text (garbled, or the file is no table); save it again "
    "as CSV from the spreadsheet.";

// A cell of a UTF-8 table in Shift-JIS; refuses what Shift-JIS cannot hold.
std::string CellFromUtf8(std::string_view utf8, int row, int column) {
    std::string sjis;
    sjis.reserve(utf8.size());
    if (Utf8ToSjisFast(utf8, sjis)) return sjis;
    const std::string cell = CellName(row, column);
    for (size_t i = 0; i < utf8.size();) {
        const size_t len = Utf8CharAt(utf8, i);
        if (len == 0)
            throw TableError(At(TableFault::Garbled, row, column, cell + GarbledJa, cell + GarbledEn));
        const std::string_view ch = utf8.substr(i, len);
        if (len > 1 && !Utf8ToSjis(ch)) {
            const std::string code = CodePoint(CodePointOf(ch));
            throw TableError(
                At(TableFault::NotInShiftJis, row, column,
                   cell + " の「" + std::string(ch) + "」（" + code +
                       "）は問題ファイルに書けない文字です（Shift-JIS "
                       "にありません）。ほかの文字に直してください。",
                   cell + " holds \"" + std::string(ch) + "\" (" + code +
                       "), which a question file cannot hold (it is not in Shift-JIS); replace it."));
        }
        i += len;
    }
    throw TableError(At(TableFault::Garbled, row, column, cell + GarbledJa, cell + GarbledEn));
}

void CheckControls(std::string_view sjis, int row, int column) {
    for (const char c : sjis) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 0x20 && b != 0x7F) || c == '\t' || c == '\r' || c == '\n') continue;
        const std::string cell = CellName(row, column);
        throw TableError(At(TableFault::ControlCharacter, row, column,
                            cell + " に制御文字（" + CodePoint(b) +
                                "）があります。表ではないファイルか、壊れたファイルです。",
                            cell + " holds the control character " + CodePoint(b) +
                                "; the file is no table, or it is damaged."));
    }
}

char GuessSeparator(std::string_view text, bool tabSeparated) {
    if (tabSeparated) return '\t';
    size_t comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\r' || c == '\n') break;
        comma += c == ',';
        semicolon += c == ';';
        tab += c == '\t';
    }
    // A comma inside a header cell is far likelier than a tab: a tie is a
    // tab-separated table ("Unicode text" does not quote such cells).
    if (tab > 0 && tab >= comma && tab >= semicolon) return '\t';
    if (semicolon > comma) return ';';
    return ',';
}

// What the parser's callbacks build.
struct Collector {
    TableCells* cells;
    bool utf8;
    std::vector<std::string> row;
    int lastEnd = 0;
    std::optional<TableProblem> problem;

    int NextRow() const { return static_cast<int>(cells->rows.size()) + 1; }
    int NextColumn() const { return static_cast<int>(row.size()) + 1; }
};

TableProblem TooLongCell(int row, int column) {
    const std::string cell = CellName(row, column);
    const std::string kb = std::to_string(MaxCellBytes / 1024);
    return At(
        TableFault::LongCell, row, column,
        cell + " が長すぎます（" + kb +
            " KB を超えています）。引用符（\"）の閉じ忘れか、表ではないファイルです。",
        cell + " is too long (more than " + kb + " KB): a quote (\") left open, or the file is no table.");
}

void OnField(void* text, size_t len, void* data) {
    auto& c = *static_cast<Collector*>(data);
    if (c.problem) return;
    if (len > MaxCellBytes) {
        c.problem = TooLongCell(c.NextRow(), c.NextColumn());
        return;
    }
    const std::string_view raw(static_cast<const char*>(text), text ? len : 0);
    const int row = c.NextRow();
    const int column = c.NextColumn();
    try {
        CheckControls(raw, row, column);
        std::string sjis;
        if (c.utf8) {
            sjis = CellFromUtf8(raw, row, column);
        } else {
            if (!SjisToUtf8(raw))
                throw TableError(At(TableFault::Garbled, row, column, CellName(row, column) + GarbledJa,
                                    CellName(row, column) + GarbledEn));
            sjis = std::string(raw);
        }
        c.row.push_back(std::move(sjis));
    } catch (const TableError& e) {
        c.problem = e.Where();
    }
}

void OnRowEnd(int end, void* data) {
    auto& c = *static_cast<Collector*>(data);
    const int before = c.lastEnd;
    c.lastEnd = end;
    if (c.problem) return;
    // Every CR and LF outside a row is reported on its own, so the LF of a
    // CR LF comes as an empty row of its own: it is none.
    if (c.row.empty() && end == '\n' && before == '\r') return;
    c.cells->rows.push_back(std::move(c.row));
    c.row.clear();
    if (static_cast<int>(c.cells->rows.size()) > MaxTableRows)
        c.problem = At(TableFault::TooManyRows, c.NextRow() - 1, 1,
                       "表の行が " + std::to_string(MaxTableRows) + " 行を超えています。問題は " +
                           std::to_string(MaxItems) + " 問までです。",
                       "the table has more than " + std::to_string(MaxTableRows) +
                           " rows; a question file holds " + std::to_string(MaxItems) + " items at most.");
}

int NoSpace(unsigned char) {
    return 0;
}

// The parser, freed however the parse ends.
struct Parser {
    csv_parser p{};
    Parser() {
        if (csv_init(&p, CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL) != 0) throw std::bad_alloc();
    }
    ~Parser() { csv_free(&p); }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
};

}  // namespace

std::string CellName(int row, int column) {
    if (row <= 0) return {};
    std::string letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row);
}

TableError::TableError(TableProblem p)
    : VokamoError(p.ja, Problem{p.warning, p.row, p.ja, p.en, {}, {}}), problem_(std::move(p)) {}

TableCells ParseTable(const std::string& bytes, bool whole, bool tabSeparated) {
    std::string_view text = bytes;
    std::string converted;
    bool utf8 = true;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    } else if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        converted = Utf16ToUtf8(text.substr(2), text[0] == '\xFE');
        text = converted;
    } else if (LooksLikeUtf16(text)) {
        throw TableError(
            At(TableFault::Utf16WithoutBom, 1, 1,
               "A1: このファイルは UTF-16（「Unicode テキスト」）で、始めの印（BOM）がないので読めません。"
               "表計算ソフトで「CSV UTF-8」か「CSV」として保存し直してください。",
               "A1: the file is UTF-16 (\"Unicode text\") without its byte order mark; save it "
               "again as \"CSV UTF-8\" or \"CSV\" from the spreadsheet."));
    } else {
        utf8 = IsUtf8(text, whole);
    }
    TableCells cells;
    cells.separator = GuessSeparator(text, tabSeparated);
    Collector c{&cells, utf8, {}, 0, std::nullopt};
    Parser parser;
    csv_set_delim(&parser.p, static_cast<unsigned char>(cells.separator));
    csv_set_space_func(&parser.p, NoSpace);
    constexpr size_t Chunk = 64 * 1024;
    for (size_t pos = 0; pos < text.size() && !c.problem; pos += Chunk) {
        const size_t n = std::min(Chunk, text.size() - pos);
        const size_t done = csv_parse(&parser.p, text.data() + pos, n, OnField, OnRowEnd, &c);
        if (c.problem) break;
        if (done != n) {
            const std::string cell = CellName(c.NextRow(), c.NextColumn());
            c.problem =
                At(TableFault::StrayQuote, c.NextRow(), c.NextColumn(),
                   cell +
                       " の引用符（\"）の使い方が正しくありません。引用符で囲んだセルの中の \" は "
                       "\"\" と二つ重ね、囲みの \" の後ろには区切りか改行だけを置きます。",
                   cell +
                       ": a quote (\") is out of place. Inside a quoted cell a quote is written "
                       "twice (\"\"), and only a separator or a line end may follow the closing one.");
            break;
        }
        if (parser.p.entry_pos > MaxCellBytes) c.problem = TooLongCell(c.NextRow(), c.NextColumn());
    }
    if (!c.problem && whole && csv_fini(&parser.p, OnField, OnRowEnd, &c) != 0 && !c.problem) {
        const std::string cell = CellName(c.NextRow(), c.NextColumn());
        c.problem =
            At(TableFault::OpenQuote, c.NextRow(), c.NextColumn(),
               cell + " で始まる引用符（\"）が閉じられていません。セルの終わりに \" を足してください。",
               cell + ": the quote (\") that opens this cell is never closed; add a \" at its end.");
    }
    if (c.problem) throw TableError(*c.problem);
    if (!whole) {
        const std::string mb = std::to_string(MaxTableFileBytes / (1024 * 1024));
        throw TableError(
            At(TableFault::TooBig, 0, 0,
               "ファイルが大きすぎます（" + mb + " MB まで）。単語の表ではないようです。",
               "the file is too big (" + mb + " MB at most); it does not look like a word table."));
    }
    return cells;
}

TableCells ReadTableFile(const std::string& fsPath, const std::string& shownPath) {
    const std::string shown = ShortenForMessage(shownPath);
    const int fd = OpenForReading(fsPath, shown, std::numeric_limits<uint64_t>::max());
    if (fd < 0) {
        const int err = errno;
        throw FileError("ファイル '" + shown + "' を開けません（" + JapaneseReason(err) + "）。");
    }
    std::string bytes;
    int err = 0;
    const ReadEnd end = ReadBounded(fd, MaxTableFileBytes, bytes, err);
    ::close(fd);
    if (end == ReadEnd::Failed)
        throw FileError("ファイル '" + shown + "' を読めません（" + JapaneseReason(err) + "）。");
    const bool tsv = fsPath.size() >= 4 && (fsPath.ends_with(".tsv") || fsPath.ends_with(".TSV"));
    if (end == ReadEnd::TooLarge) bytes.resize(MaxTableFileBytes);
    return ParseTable(bytes, end == ReadEnd::Whole, tsv);
}

}  // namespace vokamo

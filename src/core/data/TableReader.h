#pragma once

#include <string>
#include <vector>

#include "core/state/Errors.h"

namespace vokamo {

// A teacher's word list as a spreadsheet saves it: comma, semicolon or tab
// separated, fields quoted the usual way, in UTF-8 (with or without a BOM),
// UTF-16 with a BOM, or Shift-JIS. Every problem names its cell the way the
// spreadsheet shows it, so the teacher can go straight to it.

// What kind of fault a problem is, so that callers (and tests) need not
// read the words.
enum class TableFault {
    NoHeader,          // row 1 names no column
    UnknownColumn,     // a column name the program does not know
    RepeatedColumn,    // a column named twice
    MissingColumn,     // a column every item needs is not there
    UnnamedColumn,     // a column with data but no name
    TooFewFields,      // a row with fewer cells than the header
    TooManyFields,     // a row with more cells than the header
    OpenQuote,         // a quoted cell that is never closed
    StrayQuote,        // a quote where none may stand
    LongCell,          // a runaway cell
    TooManyRows,       // more rows than any question file
    Garbled,           // bytes that are no text in the file's encoding
    ControlCharacter,  // a control character: binary noise
    Utf16WithoutBom,   // UTF-16 that cannot be told from noise
    NotInShiftJis,     // a character a question file cannot hold
    TooBig,            // a file too big to be a word table
    Tab,               // a tab inside a cell
    LineBreak,         // a line break inside a cell
    TooLong,           // a text longer than its line in the question file
    BadValue,          // a lesson, code, type, title or type code that cannot be used
    TooManyGroups,     // more than 20 lessons or codes
    TooManyItems,      // more than 600 items
    NoItems,           // no item at all
    Conflict,          // a second, different title, type code or memo
    Exists,            // the question file is there already
    DataFile,          // found by the question file's own check
};

// One thing wrong in a table: its kind, the cell (row and column from 1; row
// 0 when it concerns the whole table), whether it stops the import, and the
// words, which name the cell themselves.
struct TableProblem {
    TableFault fault = TableFault::DataFile;
    bool warning = false;
    int row = 0;
    int column = 0;
    std::string ja;
    std::string en;
    std::string fixJa = {};  // how to put it right, when the words give it apart
    std::string fixEn = {};
};

// "B7": the column in letters, then the row. Empty for row 0; the column
// letter alone is left out when the column is 0.
std::string CellName(int row, int column);

// A refusal met while a table is read or turned into a question file.
class TableError : public VokamoError {
public:
    explicit TableError(TableProblem p);
    const TableProblem& Where() const { return problem_; }

private:
    TableProblem problem_;
};

// The cells of a table in Shift-JIS, row by row as the spreadsheet numbers
// them (rows[0] is row 1; an empty line is an empty row). Line breaks and
// tabs inside a cell are kept for the caller to judge; every other control
// character, and anything that is no text in the file's encoding, is refused.
struct TableCells {
    std::vector<std::vector<std::string>> rows;
    char separator = ',';
};

// Bytes beyond which a table is no word list. A cell that runs past
// MaxCellBytes is refused at its own cell, also in a file too big to read
// whole, so the teacher learns where the runaway cell starts.
inline constexpr size_t MaxTableFileBytes = 8 * 1024 * 1024;
inline constexpr size_t MaxCellBytes = 64 * 1024;
// Far more rows than a question file may hold; empty rows between them
// are still counted.
inline constexpr int MaxTableRows = 5000;

// The cells of `bytes`. `whole` is false when the file was cut at
// MaxTableFileBytes. tabSeparated: the file is named *.tsv. Throws
// TableError.
TableCells ParseTable(const std::string& bytes, bool whole, bool tabSeparated);

// Reads the table file at fsPath (shownPath names it in messages) and
// parses it. Throws FileError or TableError.
TableCells ReadTableFile(const std::string& fsPath, const std::string& shownPath);

}  // namespace vokamo

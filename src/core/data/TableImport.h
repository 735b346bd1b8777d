#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/data/DataCheck.h"
#include "core/data/TableReader.h"

namespace vokamo {

// A word table turned into a question file and back. The header row names
// what each column holds (Japanese or English names); the kind of the
// question file follows from the columns there:
//   選択肢 or 形式 (choices, type): kind 3; コード (code): kind 2;
//   課, 解説 or 課の一覧 (lesson, explanation, lessons): kind 1; else kind 0.
// One row is one item. Lessons and codes are given by name (the list is
// built in the order they first appear) or by number from 1; the columns
// 課の一覧 and コードの一覧 may list the names in their order. 題名, 種別コード
// and メモ (title, type code, memo: line 1 of the file) are written once,
// in the first row below the header.

struct ImportOptions {
    std::string title;                // Shift-JIS; empty: from the table or the file name
    std::optional<int32_t> typeCode;  // empty: from the table, else the kind
    std::string tableName;            // Shift-JIS name of the table file, without folders
    std::string memo;  // Shift-JIS line 1 when the table has no memo; empty: says the table's name
};

// Where a line of the question file came from, to name the cell when the
// question file's own check finds fault with that line.
struct CellRef {
    int row = 0;
    int column = 0;
};

struct ImportedData {
    std::string dat;                 // Shift-JIS, CR LF
    std::vector<CellRef> lineCells;  // [line - 1]
    int items = 0;
};

// The question file of a parsed table. Throws TableError at the first fault.
ImportedData BuildDataFile(const TableCells& cells, const ImportOptions& options);

// What becomes of a question file that is there already.
enum class ExistingFile {
    Keep,        // refused, unless it holds exactly what the table gives
    Replace,     // replaced
    ReplaceOwn,  // replaced when its first line is the one the table gives
};

struct ImportReport {
    std::vector<TableProblem> problems;  // errors and warnings, the table's first
    bool written = false;                // the question file holds the table
    bool stopped = false;                // the warnings were shown and the user stopped
    int items = 0;
};

// Reads the table at fsTable, turns it into a question file, checks that
// file as the checker would (naming the table's cells) and, when nothing
// stops it, writes it to fsDat (through a temporary file, so a failure
// leaves what was there). File errors are reported as problems too. When
// the check finds only warnings, useDespiteWarnings (if given) is asked
// first, and nothing is written when it says no.
ImportReport ImportTableFile(
    const std::string& fsTable, const std::string& shownTable, const std::string& fsDat,
    const ImportOptions& options, ExistingFile existing,
    const std::function<bool(const std::vector<TableProblem>&)>& useDespiteWarnings = {});

// "file: error: B7 ...": the problems' words already name their cells.
std::string TableReportLine(const std::string& file, const TableProblem& p, ReportLanguage language);

// The table of the question file at sjisDatPath (as the program keeps
// paths): UTF-8 with a BOM, comma separated, CR LF, every field quoted.
// Importing it gives the same file byte for byte. Throws VokamoError when the
// program would refuse the file.
std::string ExportTable(const std::string& sjisDatPath);

// A ready table for a kind (0..3): its header row and two example rows, as
// ExportTable writes tables. Throws std::invalid_argument for another kind.
std::string TemplateTable(int kind);

// The table name of the question file beside a chosen table: the same name
// with ".dat" for its ending (Shift-JIS or file-system path alike).
std::string DataPathBesideTable(const std::string& tablePath);

// Whether a chosen file is a table rather than a question file.
bool IsTablePath(const std::string& path);

// Writes bytes to fsPath through a temporary file beside it. With replace
// false an existing file is never touched (FileError). Throws FileError.
void WriteWholeFile(const std::string& fsPath, const std::string& bytes, bool replace);

}  // namespace vokamo

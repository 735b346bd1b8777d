// The word-table reader and the question file made from a table, on
// arbitrary bytes: a table is either refused at a cell of its own, or gives
// a question file whose every line names a cell.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/data/SjisText.h"
#include "core/data/TableImport.h"
#include "core/state/ProgramState.h"

using namespace vokamo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TableCells cells;
    try {
        cells = ParseTable(bytes, true, size > 0 && data[0] == 't');
    } catch (const TableError& e) {
        if (e.Where().row < 0 || e.Where().ja.empty()) std::abort();
        return 0;
    }
    for (const auto& row : cells.rows)
        for (const std::string& cell : row)
            if (cell.size() > MaxCellBytes || !SjisToUtf8(cell)) std::abort();
    ImportOptions options;
    options.tableName = "t.csv";
    try {
        const ImportedData out = BuildDataFile(cells, options);
        size_t lines = 0;
        for (size_t at = out.dat.find("\r\n"); at != std::string::npos; at = out.dat.find("\r\n", at + 2))
            ++lines;
        if (lines != out.lineCells.size() || out.items < 1 || out.items > MaxItems) std::abort();
    } catch (const TableError& e) {
        if (e.Where().ja.empty() ||
            (e.Where().row > 0 && e.Where().row > static_cast<int>(cells.rows.size()) + 1))
            std::abort();
    }
    return 0;
}

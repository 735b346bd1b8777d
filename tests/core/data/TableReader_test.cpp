#include "core/data/TableReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data/SjisText.h"

namespace vokamo {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Rows are numbered as the spreadsheet shows them, whatever ends the lines
// (CR LF from Windows, LF from Linux, CR alone from old Macs), with empty
// lines as empty rows and a quoted line break kept inside its cell.
TEST(TableReaderTest, RowsAreCountedAsTheSpreadsheetShowsThem) {
    const Rows expected = {{"a", "b"}, {}, {"x\ny", "z"}, {"c", ""}, {"d", "e"}};
    const std::vector<std::pair<const char*, std::string>> forms = {
        {"CR LF", "a,b\r\n\r\n\"x\ny\",z\r\nc,\r\nd,e\r\n"},
        {"LF", "a,b\n\n\"x\ny\",z\nc,\nd,e\n"},
        {"CR alone", "a,b\r\r\"x\ny\",z\rc,\rd,e\r"},
        {"no line end at the end", "a,b\r\n\r\n\"x\ny\",z\r\nc,\r\nd,e"},
    };
    for (const auto& [what, text] : forms) {
        SCOPED_TRACE(what);
        EXPECT_EQ(ParseTable(text, true, false).rows, expected);
    }
}

// The separator is the one the header row uses; quotes keep separators,
// doubled quotes and spaces as the cell's own text.
TEST(TableReaderTest, SeparatorsAndQuotes) {
    struct Case {
        std::string text;
        bool tsv;
        char separator;
        Rows rows;
    };
    const std::vector<Case> cases = {
        {"a,b;c\n\"1,2\",\" 3 \"\n", false, ',', {{"a", "b;c"}, {"1,2", " 3 "}}},
        {"a;b;c\n1;\"x;\"\"y\"\"\";3\n", false, ';', {{"a", "b", "c"}, {"1", "x;\"y\"", "3"}}},
        {"a\tb,c\n1\t2,3\n", false, '\t', {{"a", "b,c"}, {"1", "2,3"}}},
        {"a,b\n1,2\n", true, '\t', {{"a,b"}, {"1,2"}}},
        {"\"a,b\";c;d\n", false, ';', {{"a,b", "c", "d"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TableCells cells = ParseTable(c.text, true, c.tsv);
        EXPECT_EQ(cells.separator, c.separator);
        EXPECT_EQ(cells.rows, c.rows);
    }
}

// Cells come out in Shift-JIS from every encoding; what Shift-JIS lacks is
// refused at its cell, also when it came as a UTF-16 surrogate pair.
TEST(TableReaderTest, EncodingsAndCellNames) {
    const std::string sjis = Sjis("単語");
    EXPECT_EQ(ParseTable("\xEF\xBB\xBF単語,x\n", true, false).rows, (Rows{{sjis, "x"}}));
    EXPECT_EQ(ParseTable(sjis + ",x\n", true, false).rows, (Rows{{sjis, "x"}}));
    // "a,<U+1F600>" in UTF-16 LE with its BOM.
    const std::string emoji(
        "\xFF\xFE"
        "a\0,\0\x3D\xD8\x00\xDE\n\0",
        12);
    try {
        ParseTable(emoji, true, false);
        ADD_FAILURE() << "a character beyond Shift-JIS was taken";
    } catch (const TableError& e) {
        EXPECT_EQ(e.Where().fault, TableFault::NotInShiftJis);
        EXPECT_EQ(CellName(e.Where().row, e.Where().column), "B1");
    }
    EXPECT_EQ(CellName(7, 2), "B7");
    EXPECT_EQ(CellName(1, 26), "Z1");
    EXPECT_EQ(CellName(12, 27), "AA12");
    EXPECT_EQ(CellName(3, 53), "BA3");
    EXPECT_EQ(CellName(0, 3), "");
}

}  // namespace
}  // namespace vokamo

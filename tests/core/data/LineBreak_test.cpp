#include "core/data/LineBreak.h"

#include <gtest/gtest.h>

#include "CaseName.h"
#include "core/data/SjisText.h"

namespace vokamo {
namespace {

// A line "fits" when it has at most `width` bytes, like a font in which
// every character has the same width.
struct BreakCase {
    const char* what;
    std::string text;
    size_t width;
    int maxLines;
    std::vector<std::string> lines;  // empty: cannot be laid out
};

class LineBreakTable : public ::testing::TestWithParam<BreakCase> {};

TEST_P(LineBreakTable, BreaksOnlyBetweenWholeWordsAndBrackets) {
    const BreakCase& c = GetParam();
    const auto fits = [&c](std::string_view piece) { return piece.size() <= c.width; };
    EXPECT_EQ(BreakLines(c.text, c.maxLines, fits), c.lines) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Drill, LineBreakTable,
    ::testing::Values(
        BreakCase{
            "fits whole: unchanged, trailing space kept", "It is a (cat) . ", 20, 2, {"It is a (cat) . "}},
        BreakCase{"longest first line", "I look for my key ", 12, 2, {"I look for", "my key"}},
        BreakCase{"a blank's spaces are not break points",
                  "I (       ) my key ",
                  10,
                  3,
                  {"I", "(       )", "my key"}},
        BreakCase{"a revealed two-word answer stays whole",
                  "We (look after) her ",
                  12,
                  3,
                  {"We", "(look after)", "her"}},
        BreakCase{"runs of spaces count once", "one   two ", 4, 2, {"one", "two"}},
        BreakCase{"first tries keep their leading space", " bok pen cat ", 8, 2, {" bok pen", "cat"}},
        BreakCase{"a word wider than the room", "extraordinarily long ", 8, 3, {}},
        BreakCase{"more lines than allowed", "a b c d e f ", 3, 2, {}},
        BreakCase{"double-byte text breaks at half-width spaces",
                  Sjis("ねこ いぬ"),
                  4,
                  2,
                  {Sjis("ねこ"), Sjis("いぬ")}},
        BreakCase{"Japanese breaks between characters, never before a closing mark",
                  Sjis("ねこです。いぬ"),
                  8,
                  2,
                  {Sjis("ねこで"), Sjis("す。いぬ")}},
        BreakCase{"no line ends with an opening bracket",
                  Sjis("これは「ねこ」"),
                  8,
                  2,
                  {Sjis("これは"), Sjis("「ねこ」")}},
        BreakCase{"a line feed ends the line",
                  Sjis("おわりです。\nEsc か"),
                  20,
                  2,
                  {Sjis("おわりです。"), Sjis("Esc か")}},
        BreakCase{"an unclosed bracket runs to the end", "(a b c d ", 4, 3, {}}),
    [](const auto& info) { return test::CaseIdentifier(info.param.what); });

}  // namespace
}  // namespace vokamo

#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/data/LineReader.h"
#include "core/state/Errors.h"

namespace vokamo {

// A message in the program's Japanese and, for the checker, in English.
struct Said {
    std::string ja;
    std::string en;
};

// One line of a question data file: the text as its field keeps it, the line
// as the file holds it, and where it stands.
struct Field {
    std::string_view text;
    std::string_view whole;
    int line = 0;
};

// Reads one question data file and says what is wrong with it, naming the
// file and the line. For the program a refusal is thrown at once; for the
// checker (a report is given) every problem is noted, and reading goes on
// as far as the layout of the file is still known.
class DataReader {
public:
    // fsPath is the file-system path, shownPath the name messages give it;
    // report null for the program.
    DataReader(const std::string& fsPath, const std::string& shownPath, std::vector<Problem>* report);

    LineReader& In() { return in_; }
    bool Checking() const { return report_ != nullptr; }

    // Passes over line 1, kept only for the hint when line 2 is no header.
    void SkipMemoLine();

    // The next line as a field of the given capacity.
    Field Next(size_t capacity);

    // A refusal at `line`. With `fatal` false a check goes on after it.
    void Error(int line, const Said& what, bool fatal = false, const Said& fix = {});
    // Trouble a pupil will meet in a file that loads; only a check notes it.
    // `fix` says how to put it right, for the window that lists warnings.
    void Warn(int line, const Said& what, const Said& fix = {});

    // A number field: the whole of `text` must be the number, but spaces and
    // tabs after it are passed over (no editor shows them). `expected` names
    // what stands there ("the number of lessons").
    int32_t Number(std::string_view text, int line, const Said& expected, bool fatal);
    // The same for a field of item `item` (0-based); the words are put
    // together only when the field is refused.
    int32_t ItemNumber(std::string_view text, int line, int item, const char* ja, const char* en, bool fatal);

    // Which item is being read and how many the header promised, for the
    // hint when the file ends too early; item -1 while in the header. The
    // layout, said when a line is out of place, must outlive the reading.
    void AtItem(int item, int itemCount, const Said& layout);

    // Notes that an item's answer and choices repeat an earlier item.
    void NoteItemText(std::string_view key, int line);

    // Thrown in a check after a fatal error, to end the reading.
    struct Stop {};

private:
    [[noreturn]] void Throw(int line, const Said& what, bool conversion);
    Said NumberHint(std::string_view text, int line) const;
    // A character the encoding could not take is already reported on its
    // line; what its stand-in "?" would cause there is not the teacher's.
    bool Replaced(int line) const;
    void Note(Problem p);

    std::string shownPath_;
    std::vector<Problem>* report_;
    LineReader in_;
    int item_ = -1;
    int itemCount_ = 0;
    const Said* layout_ = nullptr;
    std::unordered_map<std::string_view, int> seen_;
    std::vector<int> replacedLines_;
    std::string line1_;
};

// The hint for a missing memo line: line 1 reads as a header line, or line 2
// as an item's sentence. Empty otherwise.
Said MissingMemoHint(std::string_view line1, std::string_view line2);

// The text of a number field without the spaces and tabs after it.
std::string_view WithoutTrailingBlanks(std::string_view text);

// A Shift-JIS text as it may be shown in a message: UTF-8, a tab by name,
// other control characters by their code, long texts shortened.
std::string Shown(std::string_view sjis, size_t maxChars = 40);

// What a teacher reads about a tab on a line, and its fix.
extern const Said TabOnLine;
extern const Said TabFix;
bool HasTab(std::string_view text);

}  // namespace vokamo

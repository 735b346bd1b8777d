#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/classview/ClassSummary.h"
#include "core/data/DataCheck.h"

namespace vokamo {

// What the class overview writes and shows: the CSV files, the column
// headers of its tables, and the printed page. Texts are UTF-8.

inline constexpr int ClassCsvColumns = 11;
inline constexpr int HardCsvColumns = 10;
// How many of the hardest words a printed page holds.
inline constexpr int PrintedHardWords = 10;

// file,title,pupil,record,learned,right_once,wrong,never,attempts,
// learned_in_range_percent,saved -- or the Japanese headers of the same
// meaning.
std::array<std::string, ClassCsvColumns> ClassCsvHeaders(ReportLanguage language);
// file,title,rank,item,answer,meaning,lesson,pupils_wrong,pupils_learned,
// attempts_per_learner -- or the Japanese headers.
std::array<std::string, HardCsvColumns> HardCsvHeaders(ReportLanguage language);

// The class tables as CSV: UTF-8 with a byte order mark (so that Excel reads
// Japanese), CR LF line ends, a header line and a row per record, book after
// book. The record's path is relative to the folder it was found in; with
// several folders given, the folder's name leads it.
std::string ClassCsv(const ClassOverview& overview, ReportLanguage language);
// Every item of every book, hardest first, in the same form.
std::string HardCsv(const ClassOverview& overview, ReportLanguage language);

// One field as CSV writes it: in double quotes, quotes doubled; a text a
// spreadsheet would take for a formula (=, +, -, @ first) is kept as text.
std::string CsvField(const std::string& text, bool number = false);

// The window's columns, in Japanese.
std::vector<std::string> ClassTableHeaders();  // pupil .. saved, then the state
std::vector<std::string> HardTableHeaders();   // rank .. attempts per learner
// The texts of a row of the class table, in the order of its headers.
std::vector<std::string> ClassTableRow(const ClassOverview& overview, const PupilRow& row);
// The texts of the hard-word row of rank (from 1).
std::vector<std::string> HardTableRow(const HardWord& word, int rank);

// The record's path as the tables show it.
std::string RecordShownPath(const ClassOverview& overview, const PupilRow& row);
// A row of the unread list: the path and its reason.
std::string UnreadShownPath(const ClassOverview& overview, const UnreadRecord& unread);

// The mark of a record that a pupil's program has open.
inline constexpr const char* InUseMark = "使用中";
inline constexpr const char* ClassWindowTitle = "クラスの成績";

// The printed class overview as HTML for a text layout engine: one A4 page
// per book with the class table and the ten hardest words; printedAt is the
// date that heads each page.
std::string ClassPrintHtml(const ClassOverview& overview, const std::string& printedAt);

// A number with one decimal ("2.5").
std::string OneDecimal(double value);

}  // namespace vokamo

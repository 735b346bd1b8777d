#include "core/records/TableChoice.h"

#include <functional>

#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/data/TableImport.h"
#include "core/state/Errors.h"
#include "core/state/FileGuard.h"

namespace vokamo {

namespace {

// More would not fit the message box; the teacher fixes these first.
constexpr size_t ShownProblems = 12;

std::string BareName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Listed(const std::vector<TableProblem>& problems, bool warnings) {
    std::string text;
    size_t shown = 0, left = 0;
    for (const TableProblem& p : problems) {
        if (p.warning != warnings) continue;
        if (shown++ < ShownProblems)
            text += "\n・" + p.ja;
        else
            ++left;
    }
    if (left > 0) text += "\n（ほかに " + std::to_string(left) + " 件）";
    return text;
}

}  // namespace

std::optional<std::string> DataFileFromTable(const std::string& sjisTablePath, ErrorBox& errors,
                                             FindingsPrompt* prompt, CheckedFiles* checked) {
    const std::string sjisDat = DataPathBesideTable(sjisTablePath);
    ImportOptions options;
    options.tableName = BareName(sjisTablePath);
    const std::string table = PathForMessage(sjisTablePath);
    // Beside the table as the file system spells it: a folder whose name
    // has more than one spelling for its Shift-JIS bytes is found again.
    const std::string fsTable = FsPath(sjisTablePath);
    const std::string fsDat = DataPathBesideTable(fsTable);
    std::function<bool(const std::vector<TableProblem>&)> ask;
    if (prompt)
        ask = [&](const std::vector<TableProblem>& problems) {
            std::vector<Finding> findings;
            for (const TableProblem& p : problems) {
                if (!p.warning) continue;
                const std::string cell = CellName(p.row, p.column);
                const std::string what =
                    !cell.empty() && p.ja.starts_with(cell + ": ") ? p.ja.substr(cell.size() + 2) : p.ja;
                findings.push_back({cell, what, p.fixJa});
            }
            return findings.empty() ||
                   prompt->UseDespiteFindings(SjisToUtf8Lossy(BareName(sjisTablePath)), findings);
        };
    const ImportReport report =
        ImportTableFile(fsTable, table, fsDat, options, ExistingFile::ReplaceOwn, ask);
    if (report.stopped) return std::nullopt;
    if (!report.written)
        throw VokamoError("表「" + table + "」から問題ファイルを作れませんでした。" +
                          Listed(report.problems, false));
    if (checked) checked->Remember(fsDat);
    if (!prompt && !report.problems.empty())
        errors.ShowError("表「" + table + "」から問題ファイル「" + PathForMessage(sjisDat) +
                         "」を作りました。次のところを直すと、生徒が困りません。" +
                         Listed(report.problems, true));
    return sjisDat;
}

}  // namespace vokamo

#include "core/data/DataCheck.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vokamo {

std::string ReportLine(const std::string& file, const Problem& p, ReportLanguage language) {
    const bool ja = language == ReportLanguage::Japanese;
    std::string line = file;
    if (p.line > 0) line += ":" + std::to_string(p.line);
    line += ": ";
    line += p.warning ? (ja ? "警告" : "warning") : (ja ? "エラー" : "error");
    line += ": ";
    line += ja ? p.ja : p.en;
    const std::string& fix = ja ? p.fixJa : p.fixEn;
    if (!fix.empty()) line += (ja ? "" : " ") + fix;
    return line;
}

ReportLanguage LanguageFromLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        return std::strncmp(value, "ja", 2) == 0 ? ReportLanguage::Japanese : ReportLanguage::English;
    }
    return ReportLanguage::Japanese;
}

std::vector<Finding> WarningFindings(const std::vector<Problem>& problems) {
    std::vector<Finding> out;
    for (const Problem& p : problems)
        if (p.warning)
            out.push_back({p.line > 0 ? std::to_string(p.line) + " 行目" : std::string(), p.ja, p.fixJa});
    return out;
}

int CheckDataFiles(const std::vector<std::string>& fsPaths, ReportLanguage language, std::ostream& out) {
    int status = 0;
    for (const std::string& path : fsPaths) {
        int items = 0;
        const std::vector<Problem> problems = CheckDataFile(path, &items);
        for (const Problem& p : problems) {
            out << ReportLine(path, p, language) << '\n';
            status = std::max(status, p.warning ? 1 : 2);
        }
        if (problems.empty())
            out << path
                << (language == ReportLanguage::Japanese
                        ? ": 問題はありません（" + std::to_string(items) + " 問）"
                        : ": no problems (" + std::to_string(items) + " items)")
                << '\n';
    }
    out.flush();
    return status;
}

}  // namespace vokamo

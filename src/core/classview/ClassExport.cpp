#include "core/classview/ClassExport.h"

#include <csv.h>

#include <cstdio>

namespace vokamo {

namespace {

constexpr const char* Bom = "\xEF\xBB\xBF";

std::string Line(const std::vector<std::string>& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ',';
        out += fields[i];
    }
    return out + "\r\n";
}

std::string FolderName(const std::string& folder) {
    std::string f = folder;
    while (f.size() > 1 && f.back() == '/') f.pop_back();
    const size_t slash = f.rfind('/');
    return slash == std::string::npos ? f : f.substr(slash + 1);
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Cells(const std::vector<std::string>& texts, const char* tag, size_t firstNumber) {
    std::string out = "<tr>";
    for (size_t i = 0; i < texts.size(); ++i) {
        out += std::string("<") + tag + (i >= firstNumber ? " align=\"right\"" : "") + ">" +
               Escape(texts[i]) + "</" + tag + ">";
    }
    return out + "</tr>\n";
}

}  // namespace

std::string OneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::array<std::string, ClassCsvColumns> ClassCsvHeaders(ReportLanguage language) {
    if (language == ReportLanguage::English)
        return {"file",       "title", "pupil", "record",   "learned",
                "right_once", "wrong", "never", "attempts", "learned_in_range_percent",
                "saved"};
    return {"問題ファイル", "題名",   "名前",     "成績ファイル",      "習得数",  "1回正解",
            "最後が誤答",   "未解答", "解答回数", "範囲内の習得率(%)", "最終保存"};
}

std::array<std::string, HardCsvColumns> HardCsvHeaders(ReportLanguage language) {
    if (language == ReportLanguage::English)
        return {"file",    "title",  "rank",         "item",           "answer",
                "meaning", "lesson", "pupils_wrong", "pupils_learned", "attempts_per_learner"};
    return {"問題ファイル", "題名", "順位",         "問題番号",     "答え",
            "意味",         "課",   "誤答中の人数", "習得した人数", "習得した人の平均解答回数"};
}

std::string CsvField(const std::string& text, bool number) {
    std::string src = text;
    // A name typed by a pupil must not turn into a formula in the
    // teacher's spreadsheet.
    if (!number && !src.empty() && (src[0] == '=' || src[0] == '+' || src[0] == '-' || src[0] == '@'))
        src.insert(0, "'");
    std::string out(src.size() * 2 + 2, '\0');
    const size_t n = csv_write(out.data(), out.size(), src.data(), src.size());
    out.resize(n);
    return out;
}

std::string RecordShownPath(const ClassOverview& overview, const PupilRow& row) {
    if (overview.folders.size() <= 1 || row.folder < 0 ||
        static_cast<size_t>(row.folder) >= overview.folders.size())
        return row.relPath;
    return FolderName(overview.folders[static_cast<size_t>(row.folder)]) + "/" + row.relPath;
}

std::string UnreadShownPath(const ClassOverview& overview, const UnreadRecord& unread) {
    const bool several = overview.folders.size() > 1 && unread.folder >= 0 &&
                         static_cast<size_t>(unread.folder) < overview.folders.size();
    if (unread.relPath.empty())
        return unread.folder >= 0 && static_cast<size_t>(unread.folder) < overview.folders.size()
                   ? overview.folders[static_cast<size_t>(unread.folder)]
                   : std::string();
    return several ? FolderName(overview.folders[static_cast<size_t>(unread.folder)]) + "/" + unread.relPath
                   : unread.relPath;
}

std::string ClassCsv(const ClassOverview& overview, ReportLanguage language) {
    std::string out = Bom;
    std::vector<std::string> header;
    for (const std::string& h : ClassCsvHeaders(language)) header.push_back(CsvField(h));
    out += Line(header);
    for (const ClassBook& book : overview.books) {
        for (const PupilRow& row : book.rows) {
            out += Line(
                {CsvField(book.fileName), CsvField(book.title), CsvField(row.pupil),
                 CsvField(RecordShownPath(overview, row)), CsvField(std::to_string(row.learned), true),
                 CsvField(std::to_string(row.rightOnce), true), CsvField(std::to_string(row.wrong), true),
                 CsvField(std::to_string(row.never), true), CsvField(std::to_string(row.attempts), true),
                 CsvField(std::to_string(row.learnedInRangePercent), true), CsvField(row.saved, true)});
        }
    }
    return out;
}

std::string HardCsv(const ClassOverview& overview, ReportLanguage language) {
    std::string out = Bom;
    std::vector<std::string> header;
    for (const std::string& h : HardCsvHeaders(language)) header.push_back(CsvField(h));
    out += Line(header);
    for (const ClassBook& book : overview.books) {
        int rank = 0;
        for (const HardWord& w : book.hardest) {
            out +=
                Line({CsvField(book.fileName), CsvField(book.title), CsvField(std::to_string(++rank), true),
                      CsvField(std::to_string(w.item + 1), true), CsvField(w.answer), CsvField(w.meaning),
                      CsvField(w.lesson), CsvField(std::to_string(w.wrongNow), true),
                      CsvField(std::to_string(w.learnedBy), true),
                      CsvField(OneDecimal(w.AttemptsPerLearner()), true)});
        }
    }
    return out;
}

std::vector<std::string> ClassTableHeaders() {
    const auto csv = ClassCsvHeaders(ReportLanguage::Japanese);
    std::vector<std::string> out(csv.begin() + 2, csv.end());
    out.push_back("状態");
    return out;
}

std::vector<std::string> HardTableHeaders() {
    const auto csv = HardCsvHeaders(ReportLanguage::Japanese);
    return std::vector<std::string>(csv.begin() + 2, csv.end());
}

std::vector<std::string> ClassTableRow(const ClassOverview& overview, const PupilRow& row) {
    return {row.pupil,
            RecordShownPath(overview, row),
            std::to_string(row.learned),
            std::to_string(row.rightOnce),
            std::to_string(row.wrong),
            std::to_string(row.never),
            std::to_string(row.attempts),
            std::to_string(row.learnedInRangePercent),
            ShortLocalTime(row.savedSeconds),
            row.inUse ? InUseMark : ""};
}

std::vector<std::string> HardTableRow(const HardWord& word, int rank) {
    return {std::to_string(rank),
            std::to_string(word.item + 1),
            word.answer,
            word.meaning,
            word.lesson,
            std::to_string(word.wrongNow),
            std::to_string(word.learnedBy),
            OneDecimal(word.AttemptsPerLearner())};
}

std::string ClassPrintHtml(const ClassOverview& overview, const std::string& printedAt) {
    std::string out = "<html><head><meta charset=\"utf-8\"></head><body style=\"font-size: 9pt;\">\n";
    bool first = true;
    const std::vector<std::string> classHeaders = ClassTableHeaders();
    const std::vector<std::string> hardHeaders = HardTableHeaders();
    for (const ClassBook& book : overview.books) {
        out += first ? "<div>" : "<div style=\"page-break-before: always;\">";
        first = false;
        out += "<h2>" + Escape(book.title) + "</h2>\n";
        out += "<p>" + Escape(std::string(ClassWindowTitle)) + "　問題ファイル: " + Escape(book.fileName) +
               "　" + std::to_string(book.rows.size()) + " 人分　" + Escape(printedAt) + "</p>\n";
        out += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">\n";
        out += Cells(classHeaders, "th", classHeaders.size());
        for (const PupilRow& row : book.rows) {
            out += Cells(ClassTableRow(overview, row), "td", 2);
        }
        out += "</table>\n";
        out += "<h3>まちがいの多い単語（上位 " + std::to_string(PrintedHardWords) + "）</h3>\n";
        out += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">\n";
        out += Cells(hardHeaders, "th", hardHeaders.size());
        int rank = 0;
        for (const HardWord& w : book.hardest) {
            if (rank == PrintedHardWords) break;
            out += Cells(HardTableRow(w, ++rank), "td", 5);
        }
        out += "</table></div>\n";
    }
    if (overview.books.empty()) out += "<p>読める成績がありませんでした。</p>\n";
    return out + "</body></html>\n";
}

}  // namespace vokamo

#include "TableCommands.h"

#include <string>
#include <string_view>

#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/data/TableImport.h"
#include "core/state/Errors.h"

namespace vokamo {

namespace {

constexpr int Done = 0;
constexpr int Warned = 1;
constexpr int Refused = 2;

std::string Said(ReportLanguage language, const std::string& ja, const std::string& en) {
    return language == ReportLanguage::Japanese ? ja : en;
}

int UsageError(const CommandContext& c, const std::string& ja, const std::string& en) {
    c.err << "vokamo: " << Said(c.language, ja, en) << "\n\n";
    PrintUsage(c.err, c.language);
    return kUsageError;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithEnding(const std::string& path, const char* ending) {
    const std::string dat = DataPathBesideTable(path);
    return dat.substr(0, dat.size() - 4) + ending;
}

int Written(const CommandContext& c, const std::string& file) {
    c.out << Said(c.language, file + " を書きました", "wrote " + file) << '\n';
    return Done;
}

}  // namespace

int RunImport(const CommandContext& c) {
    const std::string table = c.line.Value("--import");
    ImportOptions options;
    if (c.line.Has("--title")) {
        const auto title = Utf8ToSjis(c.line.Value("--title"));
        if (!title || title->empty())
            return UsageError(c, "--title の題名が空か、Shift-JIS にない文字があります。",
                              "the --title is empty or holds characters Shift-JIS does not have.");
        options.title = *title;
    }
    if (c.line.Has("--code")) {
        try {
            options.typeCode = ToInt(c.line.Value("--code"));
        } catch (const ConversionError&) {
            return UsageError(c, "--code の後には種別コードの数を書きます。",
                              "--code needs the type code, a number.");
        }
    }
    options.tableName = Utf8ToSjis(BaseName(table)).value_or("table.csv");
    const std::string dat = c.line.Has("--output") ? c.line.Value("--output") : DataPathBesideTable(table);
    const ImportReport report = ImportTableFile(
        table, table, dat, options, c.line.Has("--force") ? ExistingFile::Replace : ExistingFile::Keep);
    for (const TableProblem& p : report.problems) c.out << TableReportLine(table, p, c.language) << '\n';
    if (!report.written) {
        c.out << Said(c.language, table + ": 問題ファイルは書いていません。",
                      table + ": no question file was written.")
              << '\n';
        return Refused;
    }
    c.out << Said(c.language, dat + " を書きました（" + std::to_string(report.items) + " 問）",
                  "wrote " + dat + " (" + std::to_string(report.items) + " items)")
          << '\n';
    return report.problems.empty() ? Done : Warned;
}

int RunExport(const CommandContext& c) {
    const std::string dat = c.line.Value("--export");
    // The program keeps its paths in Shift-JIS; a name it cannot write so is
    // one it could never open again either.
    const auto sjis = Utf8ToSjis(dat);
    if (!sjis || FsPath(*sjis) != dat)
        return UsageError(c, "ファイルの名前に Shift-JIS にない文字があります: " + dat,
                          "the file name holds characters Shift-JIS does not have: " + dat);
    const std::string out = c.line.Has("--output") ? c.line.Value("--output") : WithEnding(dat, ".csv");
    try {
        WriteWholeFile(out, ExportTable(*sjis), c.line.Has("--force"));
    } catch (const VokamoError& e) {
        c.err << dat << ": " << e.what() << '\n';
        return Refused;
    }
    return Written(c, out);
}

int RunTemplate(const CommandContext& c) {
    const std::string kind = c.line.Value("--template");
    if (kind.size() != 1 || kind[0] < '0' || kind[0] > '3')
        return UsageError(c, "--template の後には種別（0、1、2、3）を書きます。",
                          "--template needs the kind: 0, 1, 2 or 3.");
    const bool dat = c.line.Has("--dat");
    const std::string out = c.line.Has("--output") ? c.line.Value("--output")
                                                   : "vokamo-template-" + kind + (dat ? ".dat" : ".csv");
    try {
        std::string bytes = TemplateTable(kind[0] - '0');
        if (dat) {
            ImportOptions options;
            options.tableName = Utf8ToSjis(BaseName(out)).value_or("template.dat");
            options.memo = Sjis("Vokamo 問題データ: 種別 ") + kind + Sjis(" のひな形");
            bytes = BuildDataFile(ParseTable(bytes, true, false), options).dat;
        }
        WriteWholeFile(out, bytes, c.line.Has("--force"));
    } catch (const VokamoError& e) {
        c.err << out << ": " << e.what() << '\n';
        return Refused;
    }
    return Written(c, out);
}

}  // namespace vokamo

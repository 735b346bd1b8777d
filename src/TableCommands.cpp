#include "TableCommands.h"

#include <iostream>
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
constexpr int Usage = 64;

struct Options {
    std::string command;  // "--import", "--export" or "--template"
    std::string subject;  // the table, the question file or the kind
    std::string output;
    std::optional<std::string> title;
    std::optional<std::string> code;
    bool force = false;
    bool dat = false;
};

std::string Said(ReportLanguage language, const std::string& ja, const std::string& en) {
    return language == ReportLanguage::Japanese ? ja : en;
}

int UsageError(ReportLanguage language, const std::string& ja, const std::string& en) {
    std::cerr << "vokamo: " << Said(language, ja, en) << '\n' << TableCommandsHelp(language);
    return Usage;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithEnding(const std::string& path, const char* ending) {
    const std::string dat = DataPathBesideTable(path);
    return dat.substr(0, dat.size() - 4) + ending;
}

// A file-system name in the program's Shift-JIS; a name with characters
// Shift-JIS cannot write keeps its ASCII look-alike nowhere, so it is refused.
std::optional<std::string> SjisName(const std::string& utf8) {
    return Utf8ToSjis(utf8);
}

int Import(const Options& o, ReportLanguage language) {
    ImportOptions options;
    if (o.title) {
        const auto title = SjisName(*o.title);
        if (!title || title->empty())
            return UsageError(language, "--title の題名が空か、Shift-JIS にない文字があります。",
                              "the --title is empty or holds characters Shift-JIS does not have.");
        options.title = *title;
    }
    if (o.code) {
        try {
            options.typeCode = ToInt(*o.code);
        } catch (const ConversionError&) {
            return UsageError(language, "--code の後には種別コードの数を書きます。",
                              "--code needs the type code, a number.");
        }
    }
    options.tableName = SjisName(BaseName(o.subject)).value_or("table.csv");
    const std::string dat = o.output.empty() ? DataPathBesideTable(o.subject) : o.output;
    const ImportReport report = ImportTableFile(o.subject, o.subject, dat, options,
                                                o.force ? ExistingFile::Replace : ExistingFile::Keep);
    for (const TableProblem& p : report.problems)
        std::cout << TableReportLine(o.subject, p, language) << '\n';
    if (!report.written) {
        std::cout << Said(language, o.subject + ": 問題ファイルは書いていません。",
                          o.subject + ": no question file was written.")
                  << '\n';
        return Refused;
    }
    std::cout << Said(language, dat + " を書きました（" + std::to_string(report.items) + " 問）",
                      "wrote " + dat + " (" + std::to_string(report.items) + " items)")
              << '\n';
    return report.problems.empty() ? Done : Warned;
}

int Export(const Options& o, ReportLanguage language) {
    const auto sjis = SjisName(o.subject);
    if (!sjis || FsPath(*sjis) != o.subject)
        return UsageError(language, "ファイルの名前に Shift-JIS にない文字があります: " + o.subject,
                          "the file name holds characters Shift-JIS does not have: " + o.subject);
    const std::string out = o.output.empty() ? WithEnding(o.subject, ".csv") : o.output;
    try {
        WriteWholeFile(out, ExportTable(*sjis), o.force);
    } catch (const VokamoError& e) {
        std::cerr << o.subject << ": " << e.what() << '\n';
        return Refused;
    }
    std::cout << Said(language, out + " を書きました", "wrote " + out) << '\n';
    return Done;
}

int Template(const Options& o, ReportLanguage language) {
    if (o.subject.size() != 1 || o.subject[0] < '0' || o.subject[0] > '3')
        return UsageError(language, "--template の後には種別（0、1、2、3）を書きます。",
                          "--template needs the kind: 0, 1, 2 or 3.");
    const int kind = o.subject[0] - '0';
    const std::string out =
        o.output.empty() ? "vokamo-template-" + o.subject + (o.dat ? ".dat" : ".csv") : o.output;
    try {
        std::string bytes = TemplateTable(kind);
        if (o.dat) {
            ImportOptions options;
            options.tableName = SjisName(BaseName(out)).value_or("template.dat");
            options.memo = Sjis("Vokamo 問題データ: 種別 ") + o.subject + Sjis(" のひな形");
            bytes = BuildDataFile(ParseTable(bytes, true, false), options).dat;
        }
        WriteWholeFile(out, bytes, o.force);
    } catch (const VokamoError& e) {
        std::cerr << out << ": " << e.what() << '\n';
        return Refused;
    }
    std::cout << Said(language, out + " を書きました", "wrote " + out) << '\n';
    return Done;
}

}  // namespace

const char* TableCommandsHelp(ReportLanguage language) {
    if (language == ReportLanguage::Japanese)
        return "  --import 表 [-o ファイル.dat] [--title 題名] [--code 種別コード] [--force]\n"
               "                       "
               "表計算ソフトで保存した表（CSV、TSV）から問題データファイルを作ります。\n"
               "                       終了コード: 0 できた、1 警告つきでできた、2 作れなかった\n"
               "  --export ファイル.dat [-o 表.csv] [--force]\n"
               "                       問題データファイルを表（CSV、UTF-8）に書き出します\n"
               "  --template 種別 [-o ファイル] [--dat] [--force]\n"
               "                       種別（0〜3）の表のひな形を書きます。--dat "
               "で問題データファイルのひな形\n"
               "                       --force はあるファイルを置き換えます（付けなければ置き換えません）\n";
    return "  --import TABLE [-o FILE.dat] [--title T] [--code N] [--force]\n"
           "                   make a question data file from a table saved by a spreadsheet (CSV, TSV).\n"
           "                   Exit status: 0 made, 1 made with warnings, 2 not made\n"
           "  --export FILE.dat [-o TABLE.csv] [--force]\n"
           "                   write a question data file as a table (CSV, UTF-8)\n"
           "  --template KIND [-o FILE] [--dat] [--force]\n"
           "                   write a ready table for a kind (0 to 3); --dat writes a question file "
           "instead.\n"
           "                   --force replaces a file that exists (it is never replaced without it)\n";
}

std::optional<int> RunTableCommands(int argc, char** argv, ReportLanguage language) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--import" || a == "--export" || a == "--template") o.command = a;
    }
    if (o.command.empty()) return std::nullopt;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        std::string v;
        if (a == o.command) {
            if (!value(o.subject))
                return UsageError(language, a + " の後にファイルか種別を書いてください。",
                                  a + " needs its file or kind.");
        } else if (a == "-o" || a == "--output") {
            if (!value(o.output))
                return UsageError(language, a + " の後にファイルを書いてください。", a + " needs a file.");
        } else if (a == "--title" && o.command == "--import") {
            if (!value(v))
                return UsageError(language, "--title の後に題名を書いてください。",
                                  "--title needs the title.");
            o.title = v;
        } else if (a == "--code" && o.command == "--import") {
            if (!value(v))
                return UsageError(language, "--code の後に種別コードを書いてください。",
                                  "--code needs the type code.");
            o.code = v;
        } else if (a == "--force") {
            o.force = true;
        } else if (a == "--dat" && o.command == "--template") {
            o.dat = true;
        } else {
            return UsageError(language, "わからないオプションです: " + a, "unknown option: " + a);
        }
    }
    if (o.command == "--import") return Import(o, language);
    if (o.command == "--export") return Export(o, language);
    return Template(o, language);
}

}  // namespace vokamo

#include "CommandLine.h"

#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "ClassCommand.h"
#include "TableCommands.h"
#include "core/data/DataCheck.h"

#ifndef VOKAMO_VERSION
#error "VOKAMO_VERSION is set by the build"
#endif

namespace vokamo {

namespace {

int RunHelp(const CommandContext& c) {
    PrintUsage(c.out, c.language);
    return 0;
}

// The toolkit's version is the one the program runs with, which may be
// newer than the one it was built with.
int RunVersion(const CommandContext& c) {
    c.out << "vokamo " VOKAMO_VERSION " (Qt " << qVersion() << ")\n";
    return 0;
}

int RunCheck(const CommandContext& c) {
    return CheckDataFiles(c.line.Values("--check"), c.language, c.out);
}

// In the order --help lists them.
constexpr OptionSpec kOptions[] = {
    {"--home", "", ValueCount::Optional, "[フォルダー]", "[DIR]",
     "フォルダーで作業し、成績をそこに保存します。フォルダーを\n"
     "書かないときは VOKAMO_HOME、それもなければ ~/Vokamo。\n"
     "はじめての起動でフォルダーを作り、問題ファイルの見本を\n"
     "入れます",
     "work in the folder DIR and keep the records there; without DIR\n"
     "in $VOKAMO_HOME, else in ~/Vokamo. The folder is made with the\n"
     "sample question files on the first start"},
    {"--check", "", ValueCount::OneOrMore, "ファイル...", "FILE...",
     "問題データファイルを調べ、見つけた問題を一行ずつ\n"
     "書き出します（画面は開きません）。\n"
     "終了コード: 0 問題なし、1 警告だけ、2 エラーあり",
     "check question data files and list every problem found, one a\n"
     "line (no window is opened). Exit status: 0 clean, 1 warnings\n"
     "only, 2 errors",
     RunCheck},
    {"--import", "", ValueCount::One, "表", "TABLE",
     "表計算ソフトで保存した表（CSV、TSV）から問題データ\n"
     "ファイルを作ります。まちがいはセル（B7 など）で知らせ、\n"
     "あるときは何も書きません。\n"
     "終了コード: 0 できた、1 警告つきでできた、2 作れなかった",
     "make a question data file from a table saved by a spreadsheet\n"
     "(CSV, TSV); every problem is named by its cell (B7), and nothing\n"
     "is written while there is an error.\n"
     "Exit status: 0 written, 1 written with warnings, 2 not written",
     RunImport},
    {"--export", "", ValueCount::One, "ファイル.dat", "FILE.dat",
     "問題データファイルを表（CSV、UTF-8）に書き出します",
     "write a question data file as a table (CSV, UTF-8)", RunExport},
    {"--template", "", ValueCount::One, "種別", "KIND",
     "種別（0〜3）の表のひな形（1 行目と例の 2 問）を書きます",
     "write a ready table for a kind (0 to 3): the column names and\n"
     "two example rows",
     RunTemplate},
    {"--output", "-o", ValueCount::One, "ファイル", "FILE", "--import、--export、--template が書くファイル",
     "the file --import, --export or --template writes", nullptr, "--import --export --template"},
    {"--title", "", ValueCount::One, "題名", "TITLE", "--import で作る問題ファイルの題名",
     "the title of the question file --import makes", nullptr, "--import"},
    {"--code", "", ValueCount::One, "種別コード", "N", "--import で作る問題ファイルの種別コード",
     "the type code of the question file --import makes", nullptr, "--import"},
    {"--force", "", ValueCount::None, "", "", "あるファイルを置き換えます（付けなければ置き換えません）",
     "replace a file that exists (never replaced without it)", nullptr, "--import --export --template"},
    {"--dat", "", ValueCount::None, "", "", "--template で、表ではなく問題データファイルを書きます",
     "with --template, write a question data file instead of a table", nullptr, "--template"},
    {"--class", "", ValueCount::Many, "[フォルダー...]", "[FOLDER...]",
     "先生用: フォルダーとその下のすべての成績を「クラスの成績」の\n"
     "画面で見ます（書かなければ前回のフォルダーか今のフォルダー）",
     "for teachers: every record in the folders and their subfolders\n"
     "in the class overview window (default: the folder used last,\n"
     "else this one)",
     RunClassCommand},
    {"--csv", "", ValueCount::One, "ファイル", "FILE",
     "クラスの成績を CSV に書き出します（画面は開きません）。\n"
     "終了コード: 0 すべて読めた、1 読めない成績あり、2 書けない",
     "write the class tables as CSV (no window is opened). Exit\n"
     "status: 0 all read, 1 some records unreadable, 2 cannot write",
     RunClassCommand},
    {"--csv-hard", "", ValueCount::One, "ファイル", "FILE",
     "まちがいの多い単語を CSV に書き出します（画面は開きません）",
     "write the hardest words as CSV (no window is opened)", RunClassCommand},
    {"--pdf", "", ValueCount::One, "ファイル", "FILE",
     "クラスの成績を A4 の PDF に書き出します（画面は開きません）",
     "write the class overview as an A4 PDF (no window is opened)", RunClassCommand},
    {"--help", "-h", ValueCount::None, "", "", "このオプションの一覧を表示します", "list these options",
     RunHelp},
    {"--version", "", ValueCount::None, "", "", "バージョンを表示します", "print the version", RunVersion},
};

// The toolkit's own options, each with whether a value follows; they all
// concern the window, and the toolkit reads them from the same command line.
// The session manager restarts a program with -session.
struct ToolkitOption {
    std::string_view name;
    bool takesValue;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"-platform", true},        {"-platformpluginpath", true},
    {"-platformtheme", true},   {"-plugin", true},
    {"-qwindowgeometry", true}, {"-qwindowicon", true},
    {"-qwindowtitle", true},    {"-session", true},
    {"-display", true},         {"-geometry", true},
    {"-style", true},           {"-stylesheet", true},
    {"-reverse", false},        {"-nograb", false},
    {"-dograb", false},         {"-sync", false},
    {"-widgetcount", false},
};

bool LooksLikeOption(std::string_view word) {
    return word.size() > 1 && word.front() == '-';
}

const OptionSpec* FindOption(std::string_view word) {
    for (const OptionSpec& o : kOptions)
        if (word == o.name || (!o.alias.empty() && word == o.alias)) return &o;
    return nullptr;
}

const ToolkitOption* FindToolkitOption(std::string_view word) {
    for (const ToolkitOption& o : kToolkitOptions)
        if (word == o.name) return &o;
    return nullptr;
}

// The columns a text takes in a terminal: the Japanese characters (three
// bytes and more in UTF-8) take two.
std::size_t TerminalWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (const unsigned char c : utf8) {
        if ((c & 0xC0) == 0x80) continue;
        width += c >= 0xE0 ? 2 : 1;
    }
    return width;
}

std::string OptionColumn(const OptionSpec& o, ReportLanguage language) {
    std::string text(o.name);
    const std::string_view value = language == ReportLanguage::Japanese ? o.valueJa : o.valueEn;
    if (!value.empty()) text.append(" ").append(value);
    if (!o.alias.empty()) text = std::string(o.alias) + ", " + text;
    return text;
}

struct UsageProblem {
    std::string ja;
    std::string en;
};

// Reads every word; returns what is wrong with the line, if anything.
std::optional<UsageProblem> Parse(int argc, const char* const* argv, CommandLine& line) {
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        std::optional<std::string> inlineValue;
        if (word.rfind("--", 0) == 0) {
            if (const std::size_t eq = word.find('='); eq != std::string::npos) {
                inlineValue = word.substr(eq + 1);
                word.resize(eq);
            }
        }
        const OptionSpec* option = FindOption(word);
        if (!option) {
            const std::string bare = word.substr(0, word.find('='));
            if (const ToolkitOption* qt = FindToolkitOption(bare)) {
                line.toolkitOptions.push_back(argv[i]);
                if (qt->takesValue && bare == word) {
                    if (i + 1 >= argc)
                        return UsageProblem{word + " の後に値を書いてください。", word + " needs a value."};
                    line.toolkitOptions.push_back(argv[++i]);
                }
                continue;
            }
            if (LooksLikeOption(word))
                return UsageProblem{"知らないオプションです: " + word, "unknown option: " + word};
            return UsageProblem{"オプションではない引数です: " + word, "unexpected argument: " + word};
        }
        const std::string name(option->name);
        line.Add(name);
        if (inlineValue) {
            if (option->values == ValueCount::None)
                return UsageProblem{name + " には値を付けられません: " + argv[i],
                                    name + " takes no value: " + argv[i]};
            line.AddValue(name, *inlineValue);
            continue;
        }
        auto hasNext = [&] { return i + 1 < argc && !LooksLikeOption(argv[i + 1]); };
        switch (option->values) {
            case ValueCount::None:
                break;
            case ValueCount::Optional:
                if (hasNext()) line.AddValue(name, argv[++i]);
                break;
            case ValueCount::One:
            case ValueCount::OneOrMore:
                if (!hasNext() && line.Values(name).empty())
                    return UsageProblem{
                        name + " の後に " + std::string(option->valueJa) + " を書いてください。",
                        name + " must be followed by " + std::string(option->valueEn)};
                [[fallthrough]];
            case ValueCount::Many:
                if (option->values == ValueCount::One) {
                    if (hasNext()) line.AddValue(name, argv[++i]);
                    break;
                }
                while (hasNext()) line.AddValue(name, argv[++i]);
                break;
        }
    }
    for (const OptionSpec& o : kOptions) {
        if (o.onlyWith.empty() || !line.Has(o.name)) continue;
        bool partner = false;
        std::string_view rest = o.onlyWith;
        while (!rest.empty() && !partner) {
            const std::size_t space = rest.find(' ');
            partner = line.Has(rest.substr(0, space));
            rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
        }
        if (!partner) {
            const std::string name(o.name), with(o.onlyWith);
            return UsageProblem{name + " は " + with + " と一緒に使います。",
                                name + " goes with " + with + "."};
        }
    }
    return std::nullopt;
}

}  // namespace

const std::vector<std::string>& CommandLine::Values(std::string_view option) const {
    static const std::vector<std::string> none;
    const auto found = options_.find(option);
    return found == options_.end() ? none : found->second;
}

std::string CommandLine::Value(std::string_view option) const {
    const std::vector<std::string>& values = Values(option);
    return values.empty() ? std::string() : values.front();
}

std::span<const OptionSpec> ProgramOptions() {
    return kOptions;
}

void PrintUsage(std::ostream& out, ReportLanguage language) {
    const bool ja = language == ReportLanguage::Japanese;
    out << (ja ? "使い方: vokamo [オプション]\n"
                 "オプションなしで起動すると、英単語ドリルの画面が開きます。\n"
               : "Usage: vokamo [option...]\n"
                 "Without an option the vocabulary drill window opens.\n")
        << '\n';
    std::size_t column = 0;
    for (const OptionSpec& o : kOptions) column = std::max(column, TerminalWidth(OptionColumn(o, language)));
    column += 2;
    for (const OptionSpec& o : kOptions) {
        const std::string head = OptionColumn(o, language);
        std::string_view help = ja ? o.helpJa : o.helpEn;
        out << "  " << head << std::string(column - TerminalWidth(head), ' ');
        for (bool first = true; !help.empty(); first = false) {
            const std::size_t nl = help.find('\n');
            if (!first) out << std::string(column + 2, ' ');
            out << help.substr(0, nl) << '\n';
            help = nl == std::string_view::npos ? std::string_view() : help.substr(nl + 1);
        }
    }
}

bool DisplayNamed(const CommandLine& line) {
    // A platform chosen on purpose (offscreen, vnc ...) is the toolkit's to try.
    for (const std::string& word : line.toolkitOptions)
        if (word == "-platform" || word.rfind("-platform=", 0) == 0) return true;
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

std::string NoDisplayMessage(ReportLanguage language) {
    if (language == ReportLanguage::Japanese)
        return "画面（ディスプレイ）が見つからないため、Vokamo のウィンドウを開けません。\n"
               "デスクトップの端末やメニューから起動してください。--check など画面を使わない\n"
               "オプションは、このままで使えます（vokamo --help）。\n";
    return "Vokamo cannot open its window: no display was found.\n"
           "Start it from the desktop's menu or a terminal on the desktop. The options that\n"
           "need no window, such as --check, work here (vokamo --help).\n";
}

std::optional<int> RunCommandLine(int argc, const char* const* argv, CommandLine& parsed, std::ostream& out,
                                  std::ostream& err) {
    const ReportLanguage language = LanguageFromLocale();
    if (const std::optional<UsageProblem> problem = Parse(argc, argv, parsed)) {
        err << "vokamo: " << (language == ReportLanguage::Japanese ? problem->ja : problem->en) << "\n\n";
        PrintUsage(err, language);
        return kUsageError;
    }
    const CommandContext context{parsed, language, out, err};
    // With --help or --version anything else on the line is only listed or
    // named, never run.
    if (parsed.Has("--help")) return RunHelp(context);
    if (parsed.Has("--version")) return RunVersion(context);
    const OptionSpec* chosen = nullptr;
    for (const OptionSpec& o : kOptions) {
        if (!o.command || !parsed.Has(o.name)) continue;
        if (!chosen) {
            chosen = &o;
        } else if (o.command != chosen->command) {
            const std::string a(chosen->name), b(o.name);
            err << "vokamo: "
                << (language == ReportLanguage::Japanese ? a + " と " + b + " は一緒に使えません。"
                                                         : a + " and " + b + " cannot be used together.")
                << "\n\n";
            PrintUsage(err, language);
            return kUsageError;
        }
    }
    if (!chosen) return std::nullopt;
    return chosen->command(context);
}

}  // namespace vokamo

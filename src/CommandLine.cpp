#include "CommandLine.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "core/data/DataCheck.h"

namespace vokamo {

namespace {

// Japanese unless the locale says another language: the first of LC_ALL,
// LC_MESSAGES and LANG that is set decides, as for every program.
ReportLanguage LanguageFromLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        return std::strncmp(value, "ja", 2) == 0 ? ReportLanguage::Japanese : ReportLanguage::English;
    }
    return ReportLanguage::Japanese;
}

void PrintHelp(std::ostream& out, ReportLanguage language) {
    if (language == ReportLanguage::Japanese) {
        out << "使い方: vokamo [オプション]\n"
               "オプションなしで起動すると、英単語ドリルの画面が開きます。\n"
               "\n"
               "  --home               "
               "自分のフォルダー（~/Vokamo）で作業します。はじめての起動でフォルダーを作り、\n"
               "                       問題ファイルの見本を入れます\n"
               "  --check ファイル...  問題データファイルを調べ、見つけた問題を一行ずつ書き出します\n"
               "                       （画面は開きません）。終了コード: 0 問題なし、1 警告だけ、2 "
               "エラーあり\n"
               "  --help               このオプションの一覧を表示します\n";
    } else {
        out << "Usage: vokamo [option]\n"
               "Without an option the vocabulary drill window opens.\n"
               "\n"
               "  --home           work in the pupil's own folder (~/Vokamo), made with the sample question\n"
               "                   files on the first start\n"
               "  --check FILE...  check question data files and list every problem found, one a line\n"
               "                   (no window is opened). Exit status: 0 clean, 1 warnings only, 2 errors\n"
               "  --help           list these options\n";
    }
}

}  // namespace

std::optional<int> RunCommandLine(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    const std::string first = argv[1];
    const ReportLanguage language = LanguageFromLocale();
    if (first == "--help" || first == "-h") {
        PrintHelp(std::cout, language);
        return 0;
    }
    if (first != "--check") return std::nullopt;
    std::vector<std::string> files(argv + 2, argv + argc);
    if (files.empty()) {
        std::cerr << (language == ReportLanguage::Japanese
                          ? "--check の後に調べるファイルを書いてください。\n"
                          : "--check needs the files to check.\n");
        PrintHelp(std::cerr, language);
        return 2;
    }
    return CheckDataFiles(files, language, std::cout);
}

}  // namespace vokamo

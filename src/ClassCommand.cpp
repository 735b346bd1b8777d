#include "ClassCommand.h"

#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "core/classview/ClassExport.h"
#include "core/classview/ClassFolder.h"
#include "core/classview/ClassSummary.h"
#include "ui/classwindow/ClassWindow.h"
#include "ui/classwindow/UiClassPrint.h"
#include "ui/platform/UiFonts.h"
#include "ui/platform/UiProgramFiles.h"

namespace vokamo {

namespace {

bool WriteText(const std::string& path, const std::string& text, const CommandContext& c) {
    if (path == "-") {
        c.out << text << std::flush;
        return static_cast<bool>(c.out);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (out) return true;
    c.err << "vokamo: "
          << (c.language == ReportLanguage::Japanese ? "ファイル「" + path + "」を書けません。\n"
                                                     : "cannot write \"" + path + "\".\n");
    return false;
}

std::vector<std::string> FoldersOrDefault(const CommandLine& line) {
    if (!line.Values("--class").empty()) return line.Values("--class");
    const std::string remembered = RememberedClassFolder(ClassFolderMemoryFile());
    return {remembered.empty() ? std::string(".") : remembered};
}

// A timing script's mark: the wall clock when the first class was shown,
// and the processor time the program had used by then.
void MarkFirstClass() {
    if (!std::getenv("VOKAMO_CLASS_SHOWN_MARK")) return;
    timespec now{}, cpu{};
    clock_gettime(CLOCK_REALTIME, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(stderr, "vokamo-class-shown %lld%09ld cpu-us %lld\n", static_cast<long long>(now.tv_sec),
                 now.tv_nsec, static_cast<long long>(cpu.tv_sec) * 1000000 + cpu.tv_nsec / 1000);
}

// The files asked for, without a window.
int Export(const CommandContext& c, const std::vector<std::string>& folders) {
    const ClassOverview overview = ReadClass(folders);
    for (const UnreadRecord& u : overview.unread)
        c.err << UnreadShownPath(overview, u) << ": " << (u.inUse ? std::string(InUseMark) + " " : "")
              << u.reason << "\n";
    bool written = true;
    if (c.line.Has("--csv"))
        written = WriteText(c.line.Value("--csv"), ClassCsv(overview, c.language), c) && written;
    if (c.line.Has("--csv-hard"))
        written = WriteText(c.line.Value("--csv-hard"), HardCsv(overview, c.language), c) && written;
    if (c.line.Has("--pdf")) {
        // The pages are laid out off any screen, with or without a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        int argc = 1;
        char name[] = "vokamo";
        char* argv[] = {name, nullptr};
        QGuiApplication app(argc, argv);
        InstallFontSubstitutions();
        std::string why;
        if (!WriteClassPdf(overview, QString::fromStdString(c.line.Value("--pdf")), &why)) {
            c.err << "vokamo: " << why << "\n";
            written = false;
        }
    }
    if (!written) return 2;
    return overview.unread.empty() ? 0 : 1;
}

}  // namespace

int RunClassCommand(const CommandContext& c) {
    const std::vector<std::string> folders = FoldersOrDefault(c.line);
    if (c.line.Has("--csv") || c.line.Has("--csv-hard") || c.line.Has("--pdf")) return Export(c, folders);
    if (!DisplayNamed(c.line)) {
        c.err << NoDisplayMessage(c.language);
        return 1;
    }

    // The toolkit reads its own options (-platform, -display ...) as the
    // drill program's window does.
    std::vector<std::string> words = {"vokamo"};
    words.insert(words.end(), c.line.toolkitOptions.begin(), c.line.toolkitOptions.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(words.size());
    QApplication app(argc, argv.data());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vokamo.Vokamo.Class"));
    app.setWindowIcon(QIcon(QStringLiteral(":/vokamo.svg")));
    InstallFontSubstitutions();
    InstallQtTranslations(app);
    if (!c.line.Values("--class").empty()) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(folders.front(), ec);
        RememberClassFolder(ClassFolderMemoryFile(),
                            ec ? folders.front() : absolute.lexically_normal().string());
    }
    TfrmClass window(folders, ClassFolderMemoryFile());
    QObject::connect(
        &window, &TfrmClass::Loaded, &window,
        [&window] {
            // Marked once the tables have been painted.
            QTimer::singleShot(0, &window, [] { MarkFirstClass(); });
        },
        Qt::SingleShotConnection);
    window.show();
    return app.exec();
}

}  // namespace vokamo

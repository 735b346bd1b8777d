#include <QApplication>
#include <QIcon>
#include <QTextBrowser>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "CommandLine.h"
#include "core/drill/DrillMachine.h"
#include "core/records/CheckedFiles.h"
#include "core/records/RecordRescue.h"
#include "core/state/ProgramState.h"
#include "ui/dialogs/Flash.h"
#include "ui/dialogs/MyInput.h"
#include "ui/dialogs/Omedeto.h"
#include "ui/dialogs/Option.h"
#include "ui/dialogs/ScoreTable.h"
#include "ui/dialogs/SelLes.h"
#include "ui/drillwindow/QuesPan.h"
#include "ui/mainwindow/StartPan.h"
#include "ui/mainwindow/UiFirstPaint.h"
#include "ui/mainwindow/VKMain.h"
#include "ui/platform/UiErrorBox.h"
#include "ui/platform/UiFileChooser.h"
#include "ui/platform/UiFindingsPrompt.h"
#include "ui/platform/UiFonts.h"
#include "ui/platform/UiHelpViewer.h"
#include "ui/platform/UiProgramFiles.h"
#include "ui/platform/UiRecordLocks.h"
#include "ui/platform/UiSaveFailurePrompt.h"
#include "ui/platform/UiSignalPipe.h"
#include "ui/platform/UiSoundPlayer.h"

namespace {

using namespace vokamo;

// The file dialogs, the help window and the error box want the main window
// as their parent, and the main window needs them when it is built; so it
// is handed these forwarders, which are pointed at the real objects as soon
// as the window exists. The name dialog is made after the main window for
// the same reason.
class LateFileChooser : public FileChooser {
public:
    std::optional<std::string> ChooseFile(const std::string& title, const std::string& filter) override {
        return target ? target->ChooseFile(title, filter) : std::nullopt;
    }
    FileChooser* target = nullptr;
};

class LateHelpViewer : public HelpViewer {
public:
    void ShowHelp(const std::string& fileName) override {
        if (target) target->ShowHelp(fileName);
    }
    HelpViewer* target = nullptr;
};

class LateErrorBox : public ErrorBox {
public:
    void ShowError(const std::string& utf8Message) override {
        if (target) target->ShowError(utf8Message);
    }
    ErrorBox* target = nullptr;
};

class LateNamePrompt : public NamePrompt {
public:
    std::string Ask(const std::string& caption, const std::string& prompt) override {
        return target ? target->Ask(caption, prompt) : std::string();
    }
    NamePrompt* target = nullptr;
};

// The windows that stay hidden at start, with the drill they show. They are
// built right after the main window has first been painted: the pupil sees
// the program at once, and the splash (the first of them to be shown, on the
// main window's first timer tick) and the buttons (after the splash) come
// later anyway. Made in this order, destroyed in the reverse one, before the
// main window.
struct HiddenWindows {
    HiddenWindows(ProgramState& st, SoundPlayer& sound, TfrmMain& frmMain, ErrorBox& errors)
        : frmFlash(st, sound, frmMain, errors, &frmMain),
          frmInput(errors, &frmMain),
          frmOption(st, sound, frmMain, errors, &frmMain),
          frmScoreTable(st, sound, frmMain, errors, &frmMain),
          frmSel(st, sound, frmMain, errors, &frmMain),
          drill(st, sound),
          frmQues(drill, &frmMain, frmMain, frmOmedeto, errors) {}

    TfrmFlash frmFlash;
    TfrmInput frmInput;
    TfrmOmedeto frmOmedeto;  // centred on the screen by itself
    TfrmOption frmOption;
    TfrmScoreTable frmScoreTable;
    TfrmSel frmSel;
    TfrmStartPan frmStartPan;
    DrillMachine drill;
    TfrmQues frmQues;
};

// While the application object is made, the toolkit ends the program with
// a fatal message when it cannot reach the display (an X server that has
// gone, a display name that is wrong). That is the user's situation, not a
// crash: she is told in her language and the program ends with status 1.
QtMessageHandler toolkitMessages = nullptr;

void ReportUnreachableDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        toolkitMessages(type, context, text);
        return;
    }
    std::cerr << NoDisplayMessage(LanguageFromLocale()) << std::flush;
    std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    // Checking question files and the option list need no window, nor a
    // display: they are done before the window system is touched.
    CommandLine line;
    if (const std::optional<int> status = RunCommandLine(argc, argv, line, std::cout, std::cerr))
        return *status;
    if (!DisplayNamed(line)) {
        std::cerr << NoDisplayMessage(LanguageFromLocale());
        return 1;
    }

    toolkitMessages = qInstallMessageHandler(ReportUnreachableDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(toolkitMessages);
    // The menu entry's id: panels and docks match the window to the entry by
    // it (the Wayland app id, and the X11 class through StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vokamo.Vokamo"));
    app.setWindowIcon(QIcon(QStringLiteral(":/vokamo.svg")));
    InstallFontSubstitutions();
    InstallQtTranslations(app);
    // Before the sound player looks for sounds: the working folder's own win.
    const QStringList startProblems =
        EnterWorkFolder(line.Has("--home"), QString::fromLocal8Bit(line.Value("--home")));

    ProgramState st;
    UiSoundPlayer sound;
    LateFileChooser files;
    LateHelpViewer help;
    LateErrorBox errors;
    LateNamePrompt names;

    // The windows are made once and live until the end.
    TfrmMain frmMain(st, sound, help, files, names, errors);
    UiFileChooser fileChooser(&frmMain);
    UiHelpViewer helpViewer(&frmMain);
    UiErrorBox errorBox(&frmMain);
    files.target = &fileChooser;
    help.target = &helpViewer;
    errors.target = &errorBox;
    QObject::connect(&frmMain, &TfrmMain::Closed, &app, &QApplication::quit);
    UiRecordLocks recordLocks;
    UiSaveFailurePrompt savePrompt(&frmMain);
    UiGoOnPrompt goOnPrompt(&frmMain);
    frmMain.SetRecordGuards(recordLocks, savePrompt, &goOnPrompt);
    UiFindingsPrompt findingsPrompt(&frmMain);
    CheckedFiles checkedFiles(DefaultCheckedFilesPath());
    frmMain.SetDataWarningGate(findingsPrompt, checkedFiles);
    UiSignalPipe endSignals({SIGTERM, SIGHUP, SIGINT});
    // A sound being waited for ends at once; the end itself comes from the
    // main loop (Raised), never from inside that wait.
    QObject::connect(&endSignals, &UiSignalPipe::Arrived, [&sound] { sound.EndWaits(); });
    frmMain.ConnectSessionEnd(endSignals);

    std::optional<HiddenWindows> hidden;
    FirstPaintHook buildHidden(frmMain, *frmMain.Timer3, [&] {
        // The sound backend loads on its own thread while the windows are built.
        sound.Start();
        HiddenWindows& w = hidden.emplace(st, sound, frmMain, errors);
        QObject::connect(&frmMain, &TfrmMain::FlashRequested, &w.frmFlash, &TfrmFlash::ShowAndLoad);
        names.target = &w.frmInput;
        QObject::connect(&frmMain, &TfrmMain::OptionRequested, &w.frmOption, &TfrmOption::ShowAndLoad);
        QObject::connect(&frmMain, &TfrmMain::SheetRequested, &w.frmScoreTable, &TfrmScoreTable::FillAndShow);
        QObject::connect(&frmMain, &TfrmMain::SelRequested, &w.frmSel, &TfrmSel::ShowAndFill);
        frmMain.SetStartPan(&w.frmStartPan);
        QObject::connect(&frmMain, &TfrmMain::GoRequested, &w.frmQues, &TfrmQues::StartDrill);
        w.frmStartPan.show();
    });

    frmMain.show();
    const UiSoundPlayer::Problems soundProblems = sound.SoundProblems();
    // Emergency copies an earlier run left when it had to end unsaved.
    QStringList rescued;
    for (const std::string& notice : TakeRescueNotices(RescueFolder()))
        rescued << QString::fromStdString(notice);
    ShowStartProblems(&frmMain, rescued + startProblems +
                                    MissingSoundsProblem(soundProblems.missing, soundProblems.unusable));
    return app.exec();
}

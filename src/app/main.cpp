#include <QApplication>
#include <QTextBrowser>
#include <optional>
#include <string>

#include "app/ProgramState.h"
#include "app/StartPan.h"
#include "app/VKMain.h"
#include "data/ScoreTable.h"
#include "data/SelLes.h"
#include "dialogs/flash.h"
#include "dialogs/option.h"
#include "drill/DrillMachine.h"
#include "drill/omedeto.h"
#include "drillwindow/QuesPan.h"
#include "platform/UiFileChooser.h"
#include "platform/UiFonts.h"
#include "platform/UiHelpViewer.h"
#include "platform/UiSoundPlayer.h"
#include "records/MyInput.h"

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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallFontSubstitutions();

    ProgramState st;
    UiSoundPlayer sound;
    LateFileChooser files;
    LateHelpViewer help;
    LateErrorBox errors;
    LateNamePrompt names;

    // The windows are made once, in this order, and live until the end.
    TfrmMain frmMain(st, sound, help, files, names, errors);
    UiFileChooser fileChooser(&frmMain);
    UiHelpViewer helpViewer(&frmMain);
    UiErrorBox errorBox(&frmMain);
    files.target = &fileChooser;
    help.target = &helpViewer;
    errors.target = &errorBox;

    TfrmFlash frmFlash(st, sound, frmMain, &frmMain);
    QObject::connect(&frmMain, &TfrmMain::FlashRequested, &frmFlash, &TfrmFlash::ShowAndLoad);

    TfrmInput frmInput(&frmMain);
    names.target = &frmInput;

    TfrmOmedeto frmOmedeto;  // centred on the screen by itself
    TfrmOption frmOption(st, sound, frmMain, &frmMain);
    QObject::connect(&frmMain, &TfrmMain::OptionRequested, &frmOption, &TfrmOption::ShowAndLoad);
    TfrmScoreTable frmScoreTable(st, sound, frmMain, &frmMain);
    QObject::connect(&frmMain, &TfrmMain::SheetRequested, &frmScoreTable, &TfrmScoreTable::FillAndShow);
    TfrmSel frmSel(st, sound, frmMain, &frmMain);
    QObject::connect(&frmMain, &TfrmMain::SelRequested, &frmSel, &TfrmSel::ShowAndFill);

    TfrmStartPan frmStartPan;
    frmMain.SetStartPan(&frmStartPan);

    DrillMachine drill(st, sound);
    TfrmQues frmQues(drill, &frmMain, frmMain, frmOmedeto, errors);
    QObject::connect(&frmMain, &TfrmMain::GoRequested, &frmQues, &TfrmQues::StartDrill);

    QObject::connect(&frmMain, &TfrmMain::Closed, &app, &QApplication::quit);
    frmMain.show();
    frmStartPan.show();
    return app.exec();
}

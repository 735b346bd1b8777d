#pragma once

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "core/platform/MainDisplay.h"
#include "core/platform/Platform.h"
#include "core/records/RecordSession.h"
#include "core/records/ScoreDisplay.h"
#include "core/state/ProgramState.h"
#include "ui/platform/UiSignalPipe.h"

namespace vokamo {

// The main window: the speed buttons and the display of the open record,
// painted from a MainScreen. The record's life (open, create, every save)
// belongs to its RecordSession; the window forwards events to it. Windows of
// the drill and the dialogs hang on its signals.
class TfrmMain : public QWidget, public MainDisplay {
    Q_OBJECT

public:
    TfrmMain(ProgramState& st, SoundPlayer& sound, HelpViewer& help, FileChooser& files, NamePrompt& names,
             ErrorBox& errors, QWidget* parent = nullptr);

    // The splash panel that the start-up sequence brings up and closes.
    void SetStartPan(QWidget* startPan) { startPan_ = startPan; }

    // Locks each open record to this program, and asks the pupil what to do
    // when the save at the end fails (without, a failure is only shown);
    // goOn asks before a record is used unlocked or no longer matches its
    // question file.
    void SetRecordGuards(RecordLocks& locks, SaveFailurePrompt& prompt, GoOnPrompt* goOn = nullptr);
    // Shows a question file's warnings before a record is made from it or
    // opened with it after a change (without, they are not shown).
    void SetDataWarningGate(FindingsPrompt& prompt, CheckedFiles& checked);
    // Forwards the ends of the desktop session and of the process to the
    // record session: the pipe's signals close every window (a drill is
    // left, and so saved) and this one; the session manager's request and
    // the application's last moment go to it too.
    void ConnectSessionEnd(UiSignalPipe& endSignals);

    // MainDisplay
    void DrawLabelsAndCells() override;
    void DrawCells() override;
    void RedrawStep() override;
    void SaveAfterDrill() override;
    void SaveAfterSet() override;

    const MainScreen& Screen() const { return screen_; }
    int TickCount() const { return tickCount_; }

    // Handlers, public so that tests and the program can drive them.
    void Timer3Timer();
    void btnOpenClick();
    void btnFileCreateClick();
    void btnGoClick();
    void btnSelClick();
    void btnFlashClick();
    void btnOptionClick();
    void btnExChangeClick();
    void btnEraseClick();
    void btnSheetClick();
    void btnHelpClick();
    void btnReDrawClick();
    void btnQuitClick();
    // The session or the process is ending: leave everything and close.
    void EndSession();
    // The session manager wants the data kept; mayAsk when it lets the
    // program ask the pupil.
    void SaveForSessionManager(bool mayAsk);
    // The application's last moment: saves unless the end was settled.
    void SaveBeforeExit();

    QFrame* SpeedBar;
    QToolButton* btnQuit;
    QToolButton* btnOpen;
    QToolButton* btnFileCreate;
    QToolButton* btnGo;
    QToolButton* btnSel;
    QToolButton* btnFlash;
    QToolButton* btnOption;
    QToolButton* btnExChange;
    QToolButton* btnErase;
    QToolButton* btnSheet;
    QToolButton* btnHelp;
    QToolButton* btnReDraw;
    QLabel* lblProduct;
    QLabel* Label1;
    QLabel* lblTitle;
    QLabel* lblPlayer;
    QLabel* pnlOrder;
    QLabel* pnlFlash;
    QLabel* pnlHint;
    QLabel* pnlRec;
    std::array<QLabel*, MaxGroups> LabelPanels{};  // pnl0 .. pnl19
    QTimer* Timer3;

signals:
    void GoRequested();
    void SelRequested();
    void FlashRequested();
    void OptionRequested();
    void SheetRequested();
    // The window has closed; the program ends with it.
    void Closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    QToolButton* MakeSpeedButton(const char* name, int left, const char* glyph, const char* hint,
                                 void (TfrmMain::*handler)());
    // Reads the data header again, counts the groups, redraws everything and
    // shows the record buttons.
    void ShowRecord();
    // Copies the screen model into the widgets and repaints the grid.
    void ApplyScreen();
    // Runs a handler body through the guard; after a failure the widgets
    // show the screen as the failure left it.
    void Guarded(const std::function<void()>& body);

    ProgramState& st_;
    SoundPlayer& sound_;
    HelpViewer& help_;
    FileChooser& files_;
    NamePrompt& names_;
    ErrorBox& errors_;
    QWidget* startPan_ = nullptr;
    MainScreen screen_;
    int tickCount_ = 0;
    RecordSession session_;
};

}  // namespace vokamo

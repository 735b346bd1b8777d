#pragma once

#include <QFont>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "core/drill/DrillScreen.h"
#include "ui/drillwindow/UiClickGuard.h"

class QLabel;
class QFrame;
class QToolButton;

namespace vokamo {

class DrillMachine;
class ErrorBox;
class MainDisplay;
class TfrmOmedeto;
class UiPanel;

// The drill window. It draws what the drill's screen says and hands every
// click, key and timer tick to the drill; no rule of the drill lives here.
class TfrmQues : public QWidget {
    Q_OBJECT
public:
    TfrmQues(DrillMachine& machine, QWidget* mainWindow, MainDisplay& mainDisplay, TfrmOmedeto& omedeto,
             ErrorBox& errors, QWidget* parent = nullptr);
    ~TfrmQues() override;

    // Copies what differs from the last drawn screen into the widgets and
    // brings the timers in step.
    void Render(const DrillScreen& screen);

    QTimer& Timer(DrillTimer timer);

public slots:
    // The main window's start button.
    void StartDrill();
    void tmrStartTimer();
    void tmrOKTimer();
    void tmrNGTimer();
    void tmrFlashTimer();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct LabelSlot {
        QLabel* label = nullptr;
        QFont design;
        bool autoSize = true;
        // Labels whose colour is part of the window's look, not the drill's.
        bool fixedColour = false;
        // Where a long text may go from the label's place without running
        // under its neighbours; empty for labels that keep one line.
        QSize room;
        int smallest = 6;
        // The question lines: placed, broken and sized together.
        bool flowed = false;
        QPoint place;  // where the design puts it
    };
    struct PanelSlot {
        UiPanel* panel = nullptr;
        QFont design;
        // Choices: where the caption may go, and the face that takes two
        // lines where the design face cannot.
        QRect captionArea;
        QFont alternate;
    };

    void FormShow();
    void ShowInFront();
    // Runs one input of the drill through the guard and draws the screen it
    // leaves, also when it failed (a data file that cannot be read).
    void Input(const std::function<void()>& call);
    void LeaveDrill();

    void BuildTitleBar();
    void BuildQuestionPanel();
    void BuildRecordPanel();
    void BuildInfoPanel();
    void BuildChoicePanel();
    void BuildKeypad();
    LabelSlot MakeLabel(QWidget* parent, const char* name, int x, int y, const QFont& font,
                        const QColor& colour);
    QLabel* MakePicture(QWidget* parent, const char* name, int x, int y, int w, int h);
    UiPanel* MakePanel(QWidget* parent, const char* name, QRect geometry, const QColor& colour);

    void RenderLabel(LabelSlot& slot, const LabelView& view, const LabelView* before);
    void RenderPanel(PanelSlot& slot, const PanelView& view, const PanelView* before);
    void RenderPicture(QLabel* label, Picture picture);
    // Places the prompt, the input line and the sentence in the question
    // panel, each whole and readable, clear of the face and the counters.
    void LayOutQuestion(const DrillScreen& screen);
    void RenderTimer(QTimer& timer, const TimerView& view, const TimerView* before);
    const QPixmap& PictureOf(Picture picture);

    DrillMachine& machine_;
    QWidget* mainWindow_;
    MainDisplay& mainDisplay_;
    TfrmOmedeto& omedeto_;
    ErrorBox& errors_;

    QToolButton* btnEsc = nullptr;
    std::array<PanelSlot, 4> statusPanels_{};  // pnlHint, pnlOrder, pnlFlash, pnlRec
    LabelSlot w1, w2, w3, lblOks, lblNgs;
    QLabel* imgFace = nullptr;
    QFrame* pnlQues_ = nullptr;
    std::array<QWidget*, 4> counters_{};  // Image1, lblOks, Image2, lblNgs
    LabelSlot lblTitle, lblTen;
    std::array<LabelSlot, 10> answerLines_{};
    std::array<QLabel*, 10> markImages_{};
    QFrame* pnlDisp = nullptr;
    LabelSlot lblAnsAbout, lblDName, lblTestCnt, lblMes;
    QFrame* pnlMes = nullptr;
    QFrame* pnlSel = nullptr;
    QFrame* pnlMusi = nullptr;
    std::array<PanelSlot, ChoiceButtonCount> choicePanels_{};
    std::array<PanelSlot, KeyCount> keys_{};

    QTimer tmrStart, tmrOK, tmrNG, tmrFlash;
    std::array<QPixmap, 7> pictures_{};
    std::array<bool, 7> picturesLoaded_{};

    DrillScreen shown_;
    bool drawn_ = false;
    ClickGuard clickGuard_;
};

}  // namespace vokamo

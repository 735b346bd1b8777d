#include "ui/drillwindow/QuesPan.h"

#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include "core/drill/DrillMachine.h"
#include "core/platform/MainDisplay.h"
#include "core/platform/Platform.h"
#include "ui/dialogs/Omedeto.h"
#include "ui/drillwindow/UiKeyMap.h"
#include "ui/platform/UiFonts.h"
#include "ui/platform/UiPictures.h"
#include "ui/platform/UiText.h"
#include "ui/widgets/UiColour.h"
#include "ui/widgets/UiGuard.h"
#include "ui/widgets/UiPanel.h"
#include "ui/widgets/UiTextFit.h"

namespace vokamo {

namespace {

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    if (pal.color(QPalette::Active, QPalette::WindowText) == colour) return;
    pal.setColor(QPalette::All, QPalette::WindowText, colour);
    widget->setPalette(pal);
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    if (pal.color(QPalette::Active, QPalette::Window) == colour) return;
    pal.setColor(QPalette::All, QPalette::Window, colour);
    widget->setPalette(pal);
}

}  // namespace

TfrmQues::TfrmQues(DrillMachine& machine, QWidget* mainWindow, MainDisplay& mainDisplay, TfrmOmedeto& omedeto,
                   ErrorBox& errors, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint),
      machine_(machine),
      mainWindow_(mainWindow),
      mainDisplay_(mainDisplay),
      omedeto_(omedeto),
      errors_(errors) {
    setObjectName(QStringLiteral("frmQues"));
    setWindowTitle(QStringLiteral("Vantory"));
    setFixedSize(719, 496);
    setAutoFillBackground(true);
    SetBackground(this, QColor(0xA9D5D6));
    QFont font(QString::fromUtf8(GothicP));
    font.setPixelSize(12);
    setFont(font);
    // Typed keys must arrive as single-byte characters, never through a
    // Japanese input method, and every key must reach this window.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);

    BuildTitleBar();
    BuildQuestionPanel();
    BuildRecordPanel();
    BuildInfoPanel();
    BuildChoicePanel();
    BuildKeypad();

    connect(btnEsc, &QToolButton::clicked, this, [this] { Input([this] { machine_.btnEscClick(); }); });
    connect(&tmrStart, &QTimer::timeout, this, &TfrmQues::tmrStartTimer);
    connect(&tmrOK, &QTimer::timeout, this, &TfrmQues::tmrOKTimer);
    connect(&tmrNG, &QTimer::timeout, this, &TfrmQues::tmrNGTimer);
    connect(&tmrFlash, &QTimer::timeout, this, &TfrmQues::tmrFlashTimer);
    for (QTimer* timer : {&tmrStart, &tmrOK, &tmrNG, &tmrFlash}) timer->setTimerType(Qt::PreciseTimer);

    Render(machine_.Screen());
}

TfrmQues::~TfrmQues() = default;

QTimer& TfrmQues::Timer(DrillTimer timer) {
    switch (timer) {
        case DrillTimer::Start:
            return tmrStart;
        case DrillTimer::OK:
            return tmrOK;
        case DrillTimer::NG:
            return tmrNG;
        case DrillTimer::Flash:
            return tmrFlash;
    }
    return tmrStart;
}

void TfrmQues::StartDrill() {
    Input([this] { machine_.StartDrill(); });
    if (machine_.Screen().visible) ShowInFront();
}

void TfrmQues::ShowInFront() {
    FormShow();
    show();
    raise();
    activateWindow();
}

void TfrmQues::tmrStartTimer() {
    Input([this] { machine_.Tick(DrillTimer::Start); });
}
void TfrmQues::tmrOKTimer() {
    Input([this] { machine_.Tick(DrillTimer::OK); });
}
void TfrmQues::tmrNGTimer() {
    Input([this] { machine_.Tick(DrillTimer::NG); });
}
void TfrmQues::tmrFlashTimer() {
    Input([this] { machine_.Tick(DrillTimer::Flash); });
}

void TfrmQues::Input(const std::function<void()>& call) {
    const auto render = [this] { Render(machine_.Screen()); };
    Guard(
        errors_,
        [&] {
            call();
            render();
        },
        render);
}

void TfrmQues::keyPressEvent(QKeyEvent* event) {
    const int code = VirtualKeyCode(*event);
    const char ch = TypedCharacter(*event);
    // Like the key-down and character messages of one key stroke: the
    // character follows only if the key-down did not leave the drill.
    const int leavesBefore = machine_.Screen().leaves;
    if (code != 0) Input([this, code] { machine_.FormKeyDown(code); });
    if (ch != 0 && machine_.Screen().leaves == leavesBefore) Input([this, ch] { machine_.FormKeyPress(ch); });
    event->accept();
}

void TfrmQues::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    const int code = ReleasedKeyCode(*event);
    if (code != 0) Input([this, code] { machine_.FormKeyUp(code); });
    event->accept();
}

void TfrmQues::FormShow() {
    // Laid exactly over the main window.
    if (mainWindow_) move(mainWindow_->pos());
}

void TfrmQues::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setFocus(Qt::ActiveWindowFocusReason);
}

void TfrmQues::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) setFocus(Qt::ActiveWindowFocusReason);
}

void TfrmQues::closeEvent(QCloseEvent* event) {
    // The title bar's close box leaves like the Esc key, so that the drill's
    // timers stop and the main window redraws what was learned.
    event->ignore();
    Input([this] { machine_.FormKeyDown(vk::Escape); });
    if (isVisible()) LeaveDrill();
}

void TfrmQues::LeaveDrill() {
    hide();
    // The click that closed this window may be the first of a double click
    // whose second one would land on the main window.
    clickGuard_.Guard(mainWindow_);
    if (mainWindow_) {
        mainWindow_->show();
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
    mainDisplay_.DrawCells();
    mainDisplay_.SaveAfterDrill();
}

const QPixmap& TfrmQues::PictureOf(Picture picture) {
    const auto n = static_cast<size_t>(picture);
    if (!picturesLoaded_[n]) {
        pictures_[n] = DrillPicture(picture, QSize(32, 32));
        picturesLoaded_[n] = true;
    }
    return pictures_[n];
}

void TfrmQues::RenderPicture(QLabel* label, Picture picture) {
    if (picture == Picture::None) {
        label->clear();
        label->hide();
        return;
    }
    label->setPixmap(PictureOf(picture));
    label->show();
}

void TfrmQues::RenderLabel(LabelSlot& slot, const LabelView& view, const LabelView* before) {
    QLabel* label = slot.label;
    const bool fitted = !slot.room.isEmpty();
    if (!slot.flowed) {
        if (!fitted && (!before || before->fontPt != view.fontPt))
            label->setFont(FontAtPoints(slot.design, view.fontPt));
        if (!before || before->text != view.text || before->fontPt != view.fontPt) {
            if (fitted) {
                // The drill's size is the largest the text gets; a longer
                // text is broken into lines, and made smaller only when
                // that is not enough.
                const FittedText fit =
                    FitText(view.text, FontAtPoints(slot.design, view.fontPt), slot.room, slot.smallest);
                label->setFont(fit.font);
                label->setText(fit.text);
            } else {
                label->setText(ToQt(view.text));
            }
            if (slot.autoSize) {
                label->adjustSize();
            } else if (fitted) {
                // A fitted label keeps its design size and grows to hold
                // the lines the fit gave it.
                label->resize(label->size().expandedTo(label->sizeHint()));
            }
        }
    }
    if (!slot.fixedColour && (!before || before->colour != view.colour))
        SetTextColour(label, ToQColor(view.colour));
    if (!before || before->visible != view.visible) label->setVisible(view.visible);
}

void TfrmQues::RenderPanel(PanelSlot& slot, const PanelView& view, const PanelView* before) {
    UiPanel* panel = slot.panel;
    const bool changed = !before || before->caption != view.caption || before->fontPt != view.fontPt;
    if (changed && slot.captionArea.isValid()) {
        // A long choice is read in full: broken into two lines after its
        // number, then smaller, but never too small to read.
        const FittedText fit = FitText(view.caption, FontAtPoints(slot.design, view.fontPt),
                                       slot.captionArea.size(), ReadablePixels, &slot.alternate);
        panel->SetCaption(ToQt(view.caption), fit.text);
        panel->SetCaptionFont(fit.font);
    } else if (changed) {
        panel->SetCaption(ToQt(view.caption));
        panel->SetCaptionFont(FontAtPoints(slot.design, view.fontPt));
    }
    if (!before || before->colour != view.colour) panel->SetColour(ToQColor(view.colour));
    if (!before || before->enabled != view.enabled) panel->setEnabled(view.enabled);
    if (!before || before->visible != view.visible) panel->setVisible(view.visible);
}

void TfrmQues::RenderTimer(QTimer& timer, const TimerView& view, const TimerView* before) {
    if (!view.enabled) {
        timer.stop();
        return;
    }
    // A timer the drill started again, even one that was running all the
    // while, counts its whole interval from now; one that merely stays on
    // keeps its rhythm.
    const bool start = !before || !before->enabled || before->starts != view.starts ||
                       before->interval != view.interval || !timer.isActive();
    if (start) timer.start(std::max(view.interval, 1));
}

void TfrmQues::Render(const DrillScreen& screen) {
    const DrillScreen* before = drawn_ ? &shown_ : nullptr;
    auto was = [before](auto member) { return before ? &(before->*member) : nullptr; };

    const auto moved = [before, &screen](LabelView DrillScreen::*member) {
        return !before || (before->*member).text != (screen.*member).text ||
               (before->*member).fontPt != (screen.*member).fontPt;
    };
    if (moved(&DrillScreen::w1) || moved(&DrillScreen::w2) || moved(&DrillScreen::w3)) LayOutQuestion(screen);
    RenderLabel(w1, screen.w1, was(&DrillScreen::w1));
    RenderLabel(w2, screen.w2, was(&DrillScreen::w2));
    RenderLabel(w3, screen.w3, was(&DrillScreen::w3));
    if (!before || before->imgFace != screen.imgFace) RenderPicture(imgFace, screen.imgFace);
    RenderLabel(lblOks, screen.lblOks, was(&DrillScreen::lblOks));
    RenderLabel(lblNgs, screen.lblNgs, was(&DrillScreen::lblNgs));

    RenderPanel(statusPanels_[0], screen.pnlHint, was(&DrillScreen::pnlHint));
    RenderPanel(statusPanels_[1], screen.pnlOrder, was(&DrillScreen::pnlOrder));
    RenderPanel(statusPanels_[2], screen.pnlFlash, was(&DrillScreen::pnlFlash));
    RenderPanel(statusPanels_[3], screen.pnlRec, was(&DrillScreen::pnlRec));

    RenderLabel(lblTitle, screen.lblTitle, was(&DrillScreen::lblTitle));
    RenderLabel(lblTen, screen.lblTen, was(&DrillScreen::lblTen));
    for (size_t k = 0; k < answerLines_.size(); ++k) {
        RenderLabel(answerLines_[k], screen.a[k], before ? &before->a[k] : nullptr);
        if (!before || before->i[k] != screen.i[k]) RenderPicture(markImages_[k], screen.i[k]);
    }

    if (!before || before->pnlDispColour != screen.pnlDispColour)
        SetBackground(pnlDisp, ToQColor(screen.pnlDispColour));
    RenderLabel(lblAnsAbout, screen.lblAnsAbout, was(&DrillScreen::lblAnsAbout));
    RenderLabel(lblDName, screen.lblDName, was(&DrillScreen::lblDName));
    RenderLabel(lblTestCnt, screen.lblTestCnt, was(&DrillScreen::lblTestCnt));
    if (!before || before->pnlMesColour != screen.pnlMesColour)
        SetBackground(pnlMes, ToQColor(screen.pnlMesColour));
    RenderLabel(lblMes, screen.lblMes, was(&DrillScreen::lblMes));

    if (!before || before->pnlSelVisible != screen.pnlSelVisible) pnlSel->setVisible(screen.pnlSelVisible);
    if (!before || before->pnlMusiVisible != screen.pnlMusiVisible)
        pnlMusi->setVisible(screen.pnlMusiVisible);
    for (size_t k = 0; k < choicePanels_.size(); ++k)
        RenderPanel(choicePanels_[k], screen.s[k], before ? &before->s[k] : nullptr);
    for (size_t k = 0; k < keys_.size(); ++k)
        RenderPanel(keys_[k], screen.keys[k], before ? &before->keys[k] : nullptr);

    RenderTimer(tmrStart, screen.tmrStart, was(&DrillScreen::tmrStart));
    RenderTimer(tmrOK, screen.tmrOK, was(&DrillScreen::tmrOK));
    RenderTimer(tmrNG, screen.tmrNG, was(&DrillScreen::tmrNG));
    RenderTimer(tmrFlash, screen.tmrFlash, was(&DrillScreen::tmrFlash));

    const bool leaving = before && screen.leaves != before->leaves;
    const bool setOver = before && screen.finishedSets != before->finishedSets;
    const bool congratulating = before && screen.congratulations != before->congratulations;
    const bool showing = screen.visible && before && !before->visible;
    shown_ = screen;
    drawn_ = true;

    if (setOver) mainDisplay_.SaveAfterSet();
    if (leaving) LeaveDrill();
    if (showing && !isVisible()) ShowInFront();
    if (congratulating) omedeto_.ShowInFront();
}

}  // namespace vokamo

#include "ui/mainwindow/VKMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <functional>
#include <utility>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

#include "core/records/RecordLifecycle.h"
#include "core/records/RecordRescue.h"
#include "ui/platform/UiFonts.h"
#include "ui/platform/UiText.h"
#include "ui/widgets/UiColour.h"
#include "ui/widgets/UiGuard.h"
#include "ui/widgets/UiScoreGrid.h"

namespace vokamo {

namespace {

constexpr int ClientWidth = 716;
constexpr int ClientHeight = 479;
constexpr int SpeedButtonSize = 36;
constexpr int SpeedButtonTop = 5;
constexpr int GlyphSize = 28;
constexpr int TimerInterval = 100;
constexpr int SplashTick = 1;
constexpr int StartSoundTick = 2;
constexpr int ReadyTick = 13;
constexpr Rgb Navy = 0x000080;

QFont PixelFont(const QFont& base, int pixels) {
    QFont f = base;
    f.setPixelSize(pixels);
    return f;
}

// Runs `work` once, when `widget` is first painted, before its own paint and
// its children's: the place for laying out children by the size of their text,
// since measuring text opens the font database, which before the window is
// mapped would keep the pupil waiting for it.
class BeforeFirstPaint : public QObject {
public:
    BeforeFirstPaint(QWidget* widget, std::function<void()> work) : QObject(widget), work_(std::move(work)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && work_) {
            watched->removeEventFilter(this);
            std::exchange(work_, nullptr)();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> work_;
};

}  // namespace

TfrmMain::TfrmMain(ProgramState& st, SoundPlayer& sound, HelpViewer& help, FileChooser& files,
                   NamePrompt& names, ErrorBox& errors, QWidget* parent)
    : QWidget(parent),
      st_(st),
      sound_(sound),
      help_(help),
      files_(files),
      names_(names),
      errors_(errors),
      session_(st, errors) {
    // FormCreate
    st_.RecordOpen = false;
    st_.DataChosen = false;
    st_.FocusOnCode = false;
    st_.RightCount = 0;
    st_.WrongCount = 0;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vantory"));
    setFixedSize(ClientWidth, ClientHeight);
    setFont(PixelFont(QFont(QString::fromUtf8(MinchoP)), 16));
    SetPanelColours(this, WindowColour, 0x000000);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(ClientWidth / 2, ClientHeight / 2));
    BuildControls();

    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(TimerInterval);
    connect(Timer3, &QTimer::timeout, this, [this] { Guarded([this] { Timer3Timer(); }); });
    Timer3->start();
}

QToolButton* TfrmMain::MakeSpeedButton(const char* name, int left, const char* glyph, const char* hint,
                                       void (TfrmMain::*handler)()) {
    auto* b = new QToolButton(SpeedBar);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, SpeedButtonTop, SpeedButtonSize, SpeedButtonSize);
    b->setAutoRaise(true);
    // The glyph is loaded when the button is first shown (ApplyScreen): the
    // buttons appear only after the splash, and loading the SVG icon engine
    // would otherwise delay the first window.
    b->setProperty("glyph", QString::fromLatin1(glyph));
    b->setIconSize(QSize(GlyphSize, GlyphSize));
    b->setToolTip(QString::fromUtf8(hint));
    b->setFocusPolicy(Qt::NoFocus);
    b->hide();
    connect(b, &QToolButton::clicked, this,
            [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    return b;
}

void TfrmMain::BuildControls() {
    SpeedBar = new QFrame(this);
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setGeometry(6, 2, 707, 45);
    SpeedBar->setFrameStyle(QFrame::Panel | QFrame::Raised);

    btnQuit = MakeSpeedButton("btnQuit", 11, "glyph_quit.svg", "終了", &TfrmMain::btnQuitClick);
    btnOpen = MakeSpeedButton("btnOpen", 47, "glyph_open.svg", "成績を開く", &TfrmMain::btnOpenClick);
    btnFileCreate = MakeSpeedButton("btnFileCreate", 83, "glyph_create.svg", "新しい成績を作る",
                                    &TfrmMain::btnFileCreateClick);
    btnGo = MakeSpeedButton("btnGo", 128, "glyph_go.svg", "問題を始める", &TfrmMain::btnGoClick);
    btnSel = MakeSpeedButton("btnSel", 208, "glyph_sel.svg", "学習範囲の設定", &TfrmMain::btnSelClick);
    btnFlash = MakeSpeedButton("btnFlash", 245, "glyph_flash.svg", "フラッシュカードで解答を表示する時間",
                               &TfrmMain::btnFlashClick);
    btnOption = MakeSpeedButton("btnOption", 282, "glyph_option.svg", "出題オプションの設定",
                                &TfrmMain::btnOptionClick);
    btnExChange = MakeSpeedButton("btnExChange", 318, "glyph_exchange.svg", "着目コードの変更",
                                  &TfrmMain::btnExChangeClick);
    btnErase = MakeSpeedButton("btnErase", 355, "glyph_erase.svg", "成績の消去", &TfrmMain::btnEraseClick);
    btnSheet = MakeSpeedButton("btnSheet", 391, "glyph_sheet.svg", "詳しい成績", &TfrmMain::btnSheetClick);
    btnHelp = MakeSpeedButton("btnHelp", 464, "glyph_help.svg", "ヘルプ", &TfrmMain::btnHelpClick);
    btnReDraw =
        MakeSpeedButton("btnReDraw", 464, "glyph_redraw.svg", "成績の再描画", &TfrmMain::btnReDrawClick);

    Label1 = new QLabel(QStringLiteral("Ver4.0"), SpeedBar);
    Label1->setObjectName(QStringLiteral("Label1"));
    lblProduct = new QLabel(QStringLiteral("Vokamo for Windows"), SpeedBar);
    lblProduct->setObjectName(QStringLiteral("lblProduct"));
    QFont product(QStringLiteral("Times New Roman"));
    product.setPixelSize(21);
    product.setItalic(true);
    lblProduct->setFont(product);
    // Given a size for now: Qt measures a label that was never sized as it
    // is shown.
    Label1->setGeometry(667, 23, 1, 1);
    lblProduct->setGeometry(505, 15, 1, 1);
    new BeforeFirstPaint(SpeedBar, [this] {
        // "Ver4.0" stands whole at the window's own size inside the bar's
        // frame: at its design place when it fits there, else moved left just
        // enough.
        Label1->adjustSize();
        const int verLeft = std::min(667, SpeedBar->contentsRect().right() + 1 - 2 - Label1->width());
        Label1->move(verLeft, 23);
        // The bar was laid out for a face in which the name ends before the
        // version label; narrow ours just enough to keep that.
        QFont fitted = lblProduct->font();
        const int room = verLeft - 505 - 4;
        const int width = QFontMetrics(fitted).horizontalAdvance(lblProduct->text());
        if (width > room) fitted.setStretch(std::max(75, 100 * room / width));
        lblProduct->setFont(fitted);
        lblProduct->move(505, 15);
        lblProduct->adjustSize();
    });

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(30, 59, 346, 20);
    lblTitle->setAlignment(Qt::AlignCenter);
    QFont bold = font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblTitle->hide();

    lblPlayer = new QLabel(this);
    lblPlayer->setObjectName(QStringLiteral("lblPlayer"));
    lblPlayer->setGeometry(375, 56, 162, 22);
    lblPlayer->setAlignment(Qt::AlignCenter);
    QFont player = PixelFont(font(), 21);
    player.setItalic(true);
    lblPlayer->setFont(player);
    QPalette pal = lblPlayer->palette();
    pal.setColor(QPalette::WindowText, ToQColor(Navy));
    lblPlayer->setPalette(pal);
    lblPlayer->hide();

    pnlOrder = MakeScorePanel(this, "pnlOrder", QRect(547, 53, 73, 17), QFrame::Sunken, StatusPanelColour, 0);
    pnlFlash = MakeScorePanel(this, "pnlFlash", QRect(547, 71, 85, 17), QFrame::Sunken, StatusPanelColour, 0);
    pnlHint = MakeScorePanel(this, "pnlHint", QRect(622, 53, 73, 17), QFrame::Sunken, StatusPanelColour, 0);
    pnlRec = MakeScorePanel(this, "pnlRec", QRect(634, 70, 61, 18), QFrame::Sunken, StatusPanelColour, 0);

    for (int i = 0; i < MaxGroups; ++i) {
        const std::string name = "pnl" + std::to_string(i);
        LabelPanels[i] = MakeScorePanel(this, name.c_str(),
                                        QRect(LabelLeft, 89 + i * LabelHeight, LabelWidth, LabelHeight),
                                        QFrame::Raised, SelectedLabelColour, 0xFFFFFF);
    }
}

void TfrmMain::Guarded(const std::function<void()>& body) {
    Guard(errors_, body, [this] { ApplyScreen(); });
}

void TfrmMain::ApplyScreen() {
    const std::pair<QToolButton*, bool> buttons[] = {{btnQuit, screen_.btnQuit},
                                                     {btnOpen, screen_.btnOpen},
                                                     {btnFileCreate, screen_.btnFileCreate},
                                                     {btnGo, screen_.btnGo},
                                                     {btnSel, screen_.btnSel},
                                                     {btnFlash, screen_.btnFlash},
                                                     {btnOption, screen_.btnOption},
                                                     {btnExChange, screen_.btnExChange},
                                                     {btnErase, screen_.btnErase},
                                                     {btnSheet, screen_.btnSheet},
                                                     {btnHelp, screen_.btnHelp},
                                                     {btnReDraw, screen_.btnReDraw}};
    for (const auto& [button, visible] : buttons) {
        if (visible && button->icon().isNull())
            button->setIcon(QIcon(QStringLiteral(":/pictures/") + button->property("glyph").toString()));
        button->setVisible(visible);
    }

    lblTitle->setText(ToQt(screen_.lblTitle));
    lblTitle->setVisible(screen_.lblTitleVisible);
    lblPlayer->setText(ToQt(screen_.lblPlayer));
    lblPlayer->setVisible(screen_.lblPlayerVisible);
    const std::pair<QLabel*, const std::string*> status[] = {{pnlOrder, &screen_.pnlOrder},
                                                             {pnlFlash, &screen_.pnlFlash},
                                                             {pnlHint, &screen_.pnlHint},
                                                             {pnlRec, &screen_.pnlRec}};
    for (const auto& [panel, text] : status) {
        panel->setText(ToQt(*text));
        panel->setVisible(screen_.statusVisible);
    }
    for (int i = 0; i < MaxGroups; ++i) {
        ApplyLabelPanel(LabelPanels[i], screen_.labels[i]);
    }
    update();
}

void TfrmMain::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    PaintCells(painter, screen_.cells);
}

void TfrmMain::Timer3Timer() {
    ++tickCount_;
    if (tickCount_ == SplashTick && startPan_) {
        startPan_->show();
        startPan_->raise();
    }
    if (tickCount_ == StartSoundTick) sound_.Play("huku.wav", SoundMode::Background);
    if (tickCount_ < ReadyTick) return;
    if (startPan_) startPan_->close();
    Timer3->stop();
    screen_.btnQuit = screen_.btnOpen = screen_.btnFileCreate = true;
    if (!screen_.btnReDraw) screen_.btnHelp = true;
    ApplyScreen();
}

void TfrmMain::ShowRecord() {
    if (!st_.RecordOpen) return;
    RefreshDataHeader(st_);
    CountGroups(st_);
    FullRedraw(st_, screen_);
    screen_.btnSheet = screen_.btnErase = screen_.btnGo = screen_.btnFlash = screen_.btnOption = true;
    ApplyScreen();
}

void TfrmMain::btnOpenClick() {
    sound_.Play("button.wav", SoundMode::Background);
    Guarded([this] {
        if (session_.Open(files_)) ShowRecord();
    });
}

void TfrmMain::btnFileCreateClick() {
    sound_.Play("button.wav", SoundMode::Background);
    Guarded([this] {
        if (session_.Create(files_, names_)) ShowRecord();
    });
}

// The drill window plays its own start sound and resets the picking.
void TfrmMain::btnGoClick() {
    emit GoRequested();
}

void TfrmMain::btnSelClick() {
    emit SelRequested();
}

void TfrmMain::btnFlashClick() {
    emit FlashRequested();
}

// The options dialog plays its own sound when it opens.
void TfrmMain::btnOptionClick() {
    emit OptionRequested();
}

void TfrmMain::btnExChangeClick() {
    Guarded([this] {
        st_.FocusOnCode = !st_.FocusOnCode;
        CountGroups(st_);
        FullRedraw(st_, screen_);
        ApplyScreen();
    });
}

void TfrmMain::btnEraseClick() {
    sound_.Play("change.wav", SoundMode::Background);
    for (int i = 0; i < std::min(st_.ItemCount, MaxItems); ++i) {
        st_.ItemTries[i] = 0;
        st_.ItemState[i] = -1;
    }
    RedrawStep();
}

void TfrmMain::btnSheetClick() {
    sound_.Play("button.wav", SoundMode::Background);
    emit SheetRequested();
    RedrawStep();
}

void TfrmMain::btnHelpClick() {
    help_.ShowHelp("vk40.HLP");
    screen_.btnHelp = false;
    screen_.btnReDraw = true;
    ApplyScreen();
}

void TfrmMain::btnReDrawClick() {
    screen_.btnReDraw = false;
    screen_.btnHelp = true;
    ApplyScreen();
    RedrawStep();
}

void TfrmMain::btnQuitClick() {
    sound_.Play("button.wav", SoundMode::Background);
    session_.Quit();
    close();
}

void TfrmMain::SetDataWarningGate(FindingsPrompt& prompt, CheckedFiles& checked) {
    session_.SetDataWarningGate(prompt, checked);
}

void TfrmMain::SetRecordGuards(RecordLocks& locks, SaveFailurePrompt& prompt, GoOnPrompt* goOn) {
    session_.SetGuards(locks, prompt, goOn);
}

void TfrmMain::ConnectSessionEnd(UiSignalPipe& endSignals) {
    connect(&endSignals, &UiSignalPipe::Raised, this, [this] { Guarded([this] { EndSession(); }); });
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        Guarded([this, &manager] { SaveForSessionManager(manager.allowsInteraction()); });
        if (manager.allowsInteraction()) manager.release();
    });
#endif
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TfrmMain::SaveBeforeExit);
    // At once, also inside the loop of a question that is shown: a signal
    // while the pupil is asked about a failed save.
    connect(&endSignals, &UiSignalPipe::Arrived, this, [this] {
        if (const auto done = session_.SignalArrived(RescueFolder()))
            qWarning().noquote() << QString::fromStdString(*done);
    });
    session_.SaveAlsoAtExit();
}

void TfrmMain::EndSession() {
    if (!session_.EndRequested()) return;
    // The drill window leaves like its close box, so a right answer still
    // in its pause is counted, and the drill is saved; open dialogs close
    // as if cancelled.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
    close();
}

void TfrmMain::SaveForSessionManager(bool mayAsk) {
    session_.SessionManagerSave(mayAsk);
}

void TfrmMain::SaveBeforeExit() {
    session_.LastMoment();
}

void TfrmMain::SaveAfterDrill() {
    session_.DrillLeft();
}

void TfrmMain::SaveAfterSet() {
    session_.SetFinished();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // FormClose
    session_.Quit();
    event->accept();
    emit Closed();
}

void TfrmMain::DrawLabelsAndCells() {
    if (!st_.RecordOpen) return;
    vokamo::DrawLabels(st_, screen_);
    vokamo::DrawCells(st_, screen_);
    ApplyScreen();
}

void TfrmMain::DrawCells() {
    if (!st_.RecordOpen) return;
    vokamo::DrawCells(st_, screen_);
    ApplyScreen();
}

void TfrmMain::RedrawStep() {
    sound_.Play("piyo1.wav", SoundMode::Wait);
    RedrawRecord(st_, screen_);
    ApplyScreen();
}

}  // namespace vokamo

#include "ui/dialogs/Flash.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "core/settings/Settings.h"
#include "ui/platform/UiFonts.h"
#include "ui/widgets/UiDialogWindow.h"
#include "ui/widgets/UiGuard.h"
#include "ui/widgets/UiPanel.h"

namespace vokamo {

namespace {

const QColor WindowColour(0xF4, 0xD5, 0xE8);
const QColor ValueColour(0xEE, 0xBD, 0xDC);
const QColor DigitColour(128, 0, 128);

}  // namespace

TfrmFlash::TfrmFlash(ProgramState& st, SoundPlayer& /*sound*/, MainDisplay& main, ErrorBox& errors,
                     QWidget* parent)
    : UiDialogWindow(main, errors, QStringLiteral("フラッシュする時間の設定"), 313, 218, WindowColour,
                     parent),
      st_(st) {
    setObjectName(QStringLiteral("frmFlash"));
    QFont base(QString::fromUtf8(GothicP));
    base.setPixelSize(12);
    setFont(base);

    pnlInf = new QLabel(this);
    pnlInf->setObjectName(QStringLiteral("pnlInf"));
    pnlInf->setGeometry(24, 16, 70, 70);
    pnlInf->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlInf->setLineWidth(2);
    pnlInf->setAlignment(Qt::AlignCenter);
    pnlInf->setAutoFillBackground(true);
    QPalette pal = pnlInf->palette();
    pal.setColor(QPalette::Window, ValueColour);
    pal.setColor(QPalette::WindowText, DigitColour);
    pnlInf->setPalette(pal);
    QFont digits(QStringLiteral("Times New Roman"));
    digits.setStyleHint(QFont::Serif);
    digits.setPixelSize(37);
    pnlInf->setFont(digits);

    pnlUp = new UiPanel(this, QStringLiteral("pnlUp"));
    pnlUp->SetCaption(QStringLiteral("↑"));
    pnlUp->setGeometry(94, 16, 24, 35);
    pnlUp->SetColour(WindowColour);
    connect(pnlUp, &UiPanel::clicked, this, [this] {
        Guard(
            errors_, [this] { pnlUpClick(); }, [this] { ShowValue(); });
    });

    pnlDown = new UiPanel(this, QStringLiteral("pnlDown"));
    pnlDown->SetCaption(QStringLiteral("↓"));
    pnlDown->setGeometry(94, 51, 24, 35);
    pnlDown->SetColour(WindowColour);
    connect(pnlDown, &UiPanel::clicked, this, [this] {
        Guard(
            errors_, [this] { pnlDownClick(); }, [this] { ShowValue(); });
    });

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(196, 36, 90, 30);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guard(errors_, [this] { BitBtn1Click(); }); });
    SetKeyButtons(BitBtn1);

    Label1 = new QLabel(
        QStringLiteral(
            "フラッシュカードは一定時間、答を表示する機能です。表示時間の設定がが０のときは解答を表示"
            "しません。数値は単なる目安で秒ではありません。選択肢問題のとき、フラッシュ機能は"
            "ありません。"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(24, 100, 265, 100);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TfrmFlash::ShowAndLoad() {
    ShowValue();
    ShowInFront();
}

void TfrmFlash::ShowValue() {
    pnlInf->setText(QString::number(st_.FlashTime));
}

void TfrmFlash::pnlUpClick() {
    FlashTimeUp(st_);
    ShowValue();
}

void TfrmFlash::pnlDownClick() {
    FlashTimeDown(st_);
    ShowValue();
}

void TfrmFlash::BitBtn1Click() {
    // The close box ends the same way, so the main window's flash panel
    // always shows the value that is in force.
    close();
}

}  // namespace vokamo

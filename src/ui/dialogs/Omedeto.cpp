#include "ui/dialogs/Omedeto.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "ui/platform/UiFonts.h"
#include "ui/platform/UiPictures.h"

namespace vokamo {

TfrmOmedeto::TfrmOmedeto(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      img1_(new QLabel(this)),
      img2_(new QLabel(this)),
      btnOk(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("frmOmedeto"));
    setWindowTitle(QStringLiteral("やったね。(^_^)v"));
    setModal(false);
    setFixedSize(333, 131);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::All, QPalette::Window, QColor(0xF4D5E8));
    setPalette(pal);

    img1_->setObjectName(QStringLiteral("img1"));
    img1_->setGeometry(49, 3, 32, 32);
    img1_->setPixmap(SvgPicture(QStringLiteral("omedeto1.svg"), QSize(32, 32)));
    img2_->setObjectName(QStringLiteral("img2"));
    img2_->setGeometry(265, 43, 32, 32);
    img2_->setPixmap(SvgPicture(QStringLiteral("omedeto2.svg"), QSize(32, 32)));

    auto* label = new QLabel(QStringLiteral("おめでとう、よくできました。"), this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont font(QString::fromUtf8(MinchoP));
    font.setPixelSize(21);
    font.setStyleHint(QFont::Serif);
    label->setFont(font);
    QPalette labelPal = label->palette();
    labelPal.setColor(QPalette::All, QPalette::WindowText, QColor(0x000080));
    label->setPalette(labelPal);
    label->move(17, 103);
    label->adjustSize();

    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(265, 102, 53, 25);
    btnOk->setDefault(true);
    btnOk->raise();
    connect(btnOk, &QPushButton::clicked, this, &TfrmOmedeto::btnOkClick);

    Timer1.setInterval(200);
    connect(&Timer1, &QTimer::timeout, this, &TfrmOmedeto::Timer1Timer);
    Timer1.start();
}

void TfrmOmedeto::ShowInFront() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
}

void TfrmOmedeto::Timer1Timer() {
    img1_->move(img1_->x() - 5, img1_->y());
    img2_->move(img2_->x() - 8, img2_->y());
    if (img1_->x() < 10) img1_->move(260, img1_->y());
    if (img2_->x() < 20) img2_->move(255, img2_->y());
}

void TfrmOmedeto::btnOkClick() {
    hide();
}

}  // namespace vokamo

#include "ui/mainwindow/StartPan.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include "ui/platform/UiFonts.h"

namespace vokamo {

namespace {

constexpr int ClientWidth = 237;
constexpr int ClientHeight = 99;
const QRect PictureRect(15, 14, 61, 55);

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int pixels, bool italic, QPoint at,
                  const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(pixels);
    f.setItalic(italic);
    f.setBold(true);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    label->move(at);
    label->adjustSize();
    return label;
}

}  // namespace

TfrmStartPan::TfrmStartPan(QWidget* parent) : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmStartPan"));
    setWindowTitle(QStringLiteral("Vantory"));
    setFixedSize(ClientWidth, ClientHeight);
    setFont(QFont(QString::fromUtf8(MinchoP)));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(124, 171, 197));
    setPalette(pal);
    setAutoFillBackground(true);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(ClientWidth / 2, ClientHeight / 2));

    lblProduct =
        MakeLabel(this, "lblProduct", QStringLiteral("Vokamo forWindows"), 16, true, {89, 20}, Qt::black);
    lblVer = MakeLabel(this, "lblVer", QStringLiteral("Ver 4.0"), 14, false, {89, 46}, Qt::black);
    lblCompany = MakeLabel(this, "lblCompany", QStringLiteral("Vantory"), 18, true, {160, 68}, Qt::yellow);
}

void TfrmStartPan::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    QSvgRenderer picture(QStringLiteral(":/pictures/splash.svg"));
    if (picture.isValid()) picture.render(&painter, PictureRect);
}

}  // namespace vokamo

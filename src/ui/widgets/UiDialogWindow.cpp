#include "ui/widgets/UiDialogWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QPushButton>
#include <QScreen>

#include "core/platform/MainDisplay.h"
#include "ui/widgets/UiGuard.h"

namespace vokamo {

void CentreOnScreen(QWidget* window) {
    QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

UiDialogWindow::UiDialogWindow(MainDisplay& main, ErrorBox& errors, const QString& caption, int width,
                               int height, const QColor& background, QWidget* parent)
    : QWidget(parent), main_(main), errors_(errors) {
    setWindowTitle(caption);
    // Fixed border: no resizing, no maximising, as the layouts are absolute.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(width, height);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
    setAutoFillBackground(true);
}

void UiDialogWindow::SetKeyButtons(QPushButton* ok, QPushButton* cancel) {
    ok_ = ok;
    cancel_ = cancel;
}

void UiDialogWindow::ShowInFront() {
    show();
    CentreOnScreen(this);
    raise();
    activateWindow();
}

void UiDialogWindow::Closed() {
    main_.RedrawStep();
}

void UiDialogWindow::keyPressEvent(QKeyEvent* event) {
    // Through the buttons, so that a key does exactly what a click does.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && ok_) {
        ok_->click();
    } else if (event->key() == Qt::Key_Escape && cancel_) {
        cancel_->click();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void UiDialogWindow::closeEvent(QCloseEvent* event) {
    // A window that is already hidden closes again without a word: the main
    // window's closing reaches every dialog.
    const bool wasVisible = isVisible();
    QWidget::closeEvent(event);
    if (wasVisible) Guard(errors_, [this] { Closed(); });
}

}  // namespace vokamo

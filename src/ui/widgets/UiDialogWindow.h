#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QPushButton;

namespace vokamo {

class ErrorBox;
class MainDisplay;

// Puts a top-level window in the middle of the screen it is on.
void CentreOnScreen(QWidget* window);

// The frame the program's small modeless dialogs share: a fixed-size window
// with a plain background, opened centred and in front. Return and the
// keypad's Enter press its OK button, Esc its cancel button where it has
// one. However a shown window closes (OK, cancel, the close box), Closed()
// runs once, through the guard.
class UiDialogWindow : public QWidget {
    Q_OBJECT
protected:
    UiDialogWindow(MainDisplay& main, ErrorBox& errors, const QString& caption, int width, int height,
                   const QColor& background, QWidget* parent);

    // The buttons the keys press; cancel may be null.
    void SetKeyButtons(QPushButton* ok, QPushButton* cancel = nullptr);
    void ShowInFront();
    // By default the main window catches up with what the dialog changed.
    virtual void Closed();

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    MainDisplay& main_;
    ErrorBox& errors_;

private:
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vokamo

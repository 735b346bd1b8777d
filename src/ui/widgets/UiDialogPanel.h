#pragma once

#include <QColor>
#include <QLabel>

class QKeyEvent;
class QWidget;

namespace vokamo {

// A coloured caption panel that also serves as a button: clicked() fires on
// a left-button release inside the panel after a press on it.
class DialogPanel : public QLabel {
    Q_OBJECT
public:
    explicit DialogPanel(QWidget* parent = nullptr);

    void SetColours(const QColor& background, const QColor& text);
    QColor Background() const { return background_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor background_;
    bool pressed_ = false;
};

// Return and the keypad's Enter: the keys that press a window's OK button.
bool IsEnterKey(const QKeyEvent* event);

// Puts a top-level window in the middle of the screen it is on.
void CentreOnScreen(QWidget* window);

// A fixed-size top-level dialog window with a plain background colour.
void SetUpDialogWindow(QWidget* window, const QString& caption, int width, int height,
                       const QColor& background);

}  // namespace vokamo

#pragma once

#include <QColor>
#include <QString>

class QKeyEvent;
class QWidget;

namespace vokamo {

// Return and the keypad's Enter: the keys that press a window's OK button.
bool IsEnterKey(const QKeyEvent* event);

// Puts a top-level window in the middle of the screen it is on.
void CentreOnScreen(QWidget* window);

// A fixed-size top-level dialog window with a plain background colour.
void SetUpDialogWindow(QWidget* window, const QString& caption, int width, int height,
                       const QColor& background);

}  // namespace vokamo

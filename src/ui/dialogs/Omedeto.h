#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QPushButton;

namespace vokamo {

// The congratulation dialog shown when nothing is left to ask. Two small
// pictures drift leftwards at different speeds and wrap around.
class TfrmOmedeto : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOmedeto(QWidget* parent = nullptr);

    // Shown without blocking, centred on the screen, in front of the drill.
    void ShowInFront();

public slots:
    void Timer1Timer();
    void btnOkClick();

private:
    QLabel* img1_;
    QLabel* img2_;
    QPushButton* btnOk;
    QTimer Timer1;
};

}  // namespace vokamo

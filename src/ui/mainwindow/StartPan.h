#pragma once

#include <QLabel>
#include <QWidget>

namespace vokamo {

// The splash panel shown while the program starts; the main window's
// start-up sequence brings it to the front and closes it.
class TfrmStartPan : public QWidget {
    Q_OBJECT

public:
    explicit TfrmStartPan(QWidget* parent = nullptr);

    QLabel* lblProduct;
    QLabel* lblVer;
    QLabel* lblCompany;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vokamo

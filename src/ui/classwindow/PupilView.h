#pragma once

#include <QWidget>

#include "core/state/ProgramState.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace vokamo {

class UiScoreGrid;

// One pupil's record from the class overview, read-only: the score grid as
// the main window draws it and the score table by lesson or by code.
class TfrmPupil : public QWidget {
    Q_OBJECT
public:
    // st: the pupil's record with its question data (see PupilState).
    TfrmPupil(ProgramState st, QWidget* parent = nullptr);

    UiScoreGrid* Grid() const { return grid_; }
    QTableWidget* Table() const { return grdTen; }
    QPushButton* FocusButton() const { return btnExChange; }

private:
    // Draws the grid and fills the table for the current grouping.
    void Show();

    ProgramState st_;
    UiScoreGrid* grid_ = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblStatus = nullptr;
    QTableWidget* grdTen = nullptr;
    QPushButton* btnExChange = nullptr;
};

}  // namespace vokamo

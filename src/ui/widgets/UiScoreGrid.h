#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <vector>

#include "core/records/ScoreDisplay.h"
#include "core/state/Colour.h"

class QPainter;

namespace vokamo {

// The score grid as the main window draws it: one filled cell per item with
// its range border, and a raised label panel per group. The main window and
// the class overview's pupil view draw the same way from the same model.

// Background and text colour of a widget.
void SetPanelColours(QWidget* w, Rgb background, Rgb text);

// A panel of the main window: lowered for the status, raised for a group
// label; 12-pixel centred text, hidden until shown.
QLabel* MakeScorePanel(QWidget* parent, const char* name, QRect geometry, QFrame::Shadow shadow,
                       Rgb background, Rgb text);

// Places, colours and shows or hides a group label panel from its model.
void ApplyLabelPanel(QLabel* panel, const LabelPanel& model);

// Paints the cells: the border colour, then the fill inside it.
void PaintCells(QPainter& painter, const std::vector<Cell>& cells);

// A read-only grid of one record in the main window's coordinates and
// colours, with the window's background.
class UiScoreGrid : public QWidget {
public:
    explicit UiScoreGrid(QWidget* parent = nullptr);
    // Shows the labels and cells of screen; grows to hold every row.
    void Show(const MainScreen& screen);
    const std::vector<Cell>& Cells() const { return cells_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QLabel*, MaxGroups> labels_{};
    std::vector<Cell> cells_;
};

}  // namespace vokamo

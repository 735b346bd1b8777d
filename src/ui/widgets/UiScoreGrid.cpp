#include "ui/widgets/UiScoreGrid.h"

#include <QPainter>
#include <algorithm>
#include <string>

#include "ui/platform/UiFonts.h"
#include "ui/platform/UiText.h"
#include "ui/widgets/UiColour.h"

namespace vokamo {

namespace {

// The main window's client size; a grid with more rows grows below it.
constexpr int GridWidth = 716;
constexpr int GridHeight = 479;
constexpr int GridBottomMargin = 8;

}  // namespace

void SetPanelColours(QWidget* w, Rgb background, Rgb text) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, ToQColor(background));
    pal.setColor(QPalette::WindowText, ToQColor(text));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QLabel* MakeScorePanel(QWidget* parent, const char* name, QRect geometry, QFrame::Shadow shadow,
                       Rgb background, Rgb text) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(geometry);
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setAlignment(Qt::AlignCenter);
    QFont f = parent->font();
    f.setPixelSize(12);
    panel->setFont(f);
    SetPanelColours(panel, background, text);
    panel->hide();
    return panel;
}

void ApplyLabelPanel(QLabel* panel, const LabelPanel& model) {
    panel->setText(ToQt(model.caption));
    panel->move(LabelLeft, model.top);
    SetPanelColours(panel, model.colour, 0xFFFFFF);
    panel->setVisible(model.visible);
}

void PaintCells(QPainter& painter, const std::vector<Cell>& cells) {
    for (const Cell& c : cells) {
        painter.fillRect(QRect(c.x, c.y, c.w, c.h), ToQColor(c.border));
        painter.fillRect(QRect(c.x + 1, c.y + 1, c.w - 2, c.h - 2), ToQColor(c.fill));
    }
}

UiScoreGrid::UiScoreGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("grdPupil"));
    QFont f(QString::fromUtf8(MinchoP));
    f.setPixelSize(16);
    setFont(f);
    SetPanelColours(this, WindowColour, 0x000000);
    setFixedSize(GridWidth, GridHeight);
    for (int i = 0; i < MaxGroups; ++i) {
        const std::string name = "pnl" + std::to_string(i);
        labels_[static_cast<size_t>(i)] = MakeScorePanel(
            this, name.c_str(), QRect(LabelLeft, 89 + i * LabelHeight, LabelWidth, LabelHeight),
            QFrame::Raised, SelectedLabelColour, 0xFFFFFF);
    }
}

void UiScoreGrid::Show(const MainScreen& screen) {
    int bottom = GridHeight;
    for (int i = 0; i < MaxGroups; ++i) {
        ApplyLabelPanel(labels_[static_cast<size_t>(i)], screen.labels[static_cast<size_t>(i)]);
        if (screen.labels[static_cast<size_t>(i)].visible)
            bottom =
                std::max(bottom, screen.labels[static_cast<size_t>(i)].top + LabelHeight + GridBottomMargin);
    }
    cells_ = screen.cells;
    for (const Cell& c : cells_) bottom = std::max(bottom, c.y + c.h + GridBottomMargin);
    setFixedSize(GridWidth, bottom);
    update();
}

void UiScoreGrid::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    PaintCells(painter, cells_);
}

}  // namespace vokamo

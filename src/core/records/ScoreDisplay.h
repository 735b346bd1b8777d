#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/state/Colour.h"
#include "core/state/ProgramState.h"

namespace vokamo {

inline constexpr Rgb WindowColour = 0xA9D5D6;       // (169, 213, 214)
inline constexpr Rgb StatusPanelColour = 0xD2E9EA;  // (210, 233, 234)
inline constexpr Rgb SelectedLabelColour = 0x0080C0;
inline constexpr Rgb DeselectedLabelColour = 0xC0C0C0;
inline constexpr Rgb NeverAnsweredColour = 0xFFFFFF;
inline constexpr Rgb WrongColour = 0x0000FF;
inline constexpr Rgb RightOnceColour = 0xFFFF00;
inline constexpr Rgb LearnedColour = 0xFF0000;
inline constexpr Rgb InRangeBorder = 0x000000;
inline constexpr Rgb OutOfRangeBorder = 0xFFFFFF;

// Grid geometry in client pixels.
inline constexpr int GridLeft = 160;
inline constexpr int CellsPerRow = 55;
inline constexpr int CellWidth = 8;
inline constexpr int CellHeight = 16;
inline constexpr int ColumnPitch = 10;
inline constexpr int ManyRows = 15;  // from this many rows on, the dense layout
inline constexpr int DenseOrigin = 82;
inline constexpr int DensePitch = 18;
inline constexpr int SparseOrigin = 132;
inline constexpr int SparsePitch = 21;
inline constexpr int LabelLeft = 17;
inline constexpr int LabelWidth = 140;
inline constexpr int LabelHeight = 18;

struct Cell {
    int x = 0;
    int y = 0;
    int w = CellWidth;
    int h = CellHeight;
    Rgb fill = NeverAnsweredColour;
    Rgb border = InRangeBorder;
    bool operator==(const Cell&) const = default;
};

struct LabelPanel {
    std::string caption;  // Shift-JIS
    int top = 0;
    Rgb colour = DeselectedLabelColour;
    bool visible = false;
};

// What the main window shows; the window copies it into its widgets and
// paints `cells` on its surface whenever it is painted.
struct MainScreen {
    bool btnQuit = false, btnOpen = false, btnFileCreate = false, btnGo = false, btnSel = false,
         btnFlash = false, btnOption = false, btnExChange = false, btnErase = false, btnSheet = false,
         btnHelp = false, btnReDraw = false;
    std::string lblTitle, lblPlayer;  // Shift-JIS
    bool lblTitleVisible = false, lblPlayerVisible = false;
    std::string pnlOrder, pnlFlash, pnlHint, pnlRec;  // Shift-JIS
    bool statusVisible = false;
    std::array<LabelPanel, MaxGroups> labels{};
    std::vector<Cell> cells;
};

// Items are grouped by second code only while the data has codes (kinds 2
// and 3); otherwise by lesson, whatever FocusOnCode holds.

Rgb StateColour(int32_t itemState);
int GridOrigin(const ProgramState& st);
int GridPitch(const ProgramState& st);

void ShowStatus(const ProgramState& st, MainScreen& screen);
void PrepareGroups(ProgramState& st);
void CountGroups(ProgramState& st);
void LayOutRows(ProgramState& st);
void DrawLabels(ProgramState& st, MainScreen& screen);
void DrawCells(ProgramState& st, MainScreen& screen);
// Clears the grid, prepares the groups, lays out the rows, sets btnSel and
// btnExChange by DataKind, then status, labels and cells.
void FullRedraw(ProgramState& st, MainScreen& screen);
// The drawing half of the redraw step: status, labels and cells when a
// record is open.
void RedrawRecord(ProgramState& st, MainScreen& screen);

}  // namespace vokamo

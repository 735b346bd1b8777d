#include "core/records/ScoreDisplay.h"

#include <algorithm>

#include "core/data/SjisText.h"

namespace vokamo {

namespace {

int Bars(const ProgramState& st) {
    return std::clamp(st.BarCount, 0, MaxGroups);
}

}  // namespace

Rgb StateColour(int32_t itemState) {
    switch (itemState) {
        case 0:
            return WrongColour;
        case 1:
            return RightOnceColour;
        case 2:
            return LearnedColour;
        default:
            return NeverAnsweredColour;
    }
}

int GridOrigin(const ProgramState& st) {
    return st.BarRows >= ManyRows ? DenseOrigin : SparseOrigin;
}
int GridPitch(const ProgramState& st) {
    return st.BarRows >= ManyRows ? DensePitch : SparsePitch;
}

void ShowStatus(const ProgramState& st, MainScreen& screen) {
    screen.lblTitle = st.Title;
    screen.lblPlayer = st.PlayerName;
    screen.lblTitleVisible = true;
    screen.lblPlayerVisible = true;
    screen.pnlRec = Sjis(!st.RecordOff ? "記録ON" : "記録OFF");
    screen.pnlHint = Sjis(!st.HintMode ? "普通表示" : "１字表示");
    screen.pnlOrder = Sjis(!st.RandomOrder ? "並び順" : "ﾗﾝﾀﾞﾑ順");
    screen.pnlFlash = Sjis("ﾌﾗｯｼｭ表示") + std::to_string(st.FlashTime);
    screen.statusVisible = true;
}

void PrepareGroups(ProgramState& st) {
    const bool byCode = GroupsByCode(st);
    st.BarCount = std::clamp(byCode ? st.CodeCount : st.LessonCount, 0, MaxGroups);
    for (int i = 0; i < st.BarCount; ++i) {
        st.BarLabels[i] = byCode ? st.CodeNames[i] : st.LessonNames[i];
        st.BarSelected[i] = byCode ? st.CodeSelected[i] : st.LessonSelected[i];
    }
}

void CountGroups(ProgramState& st) {
    st.BarItemCount.fill(0);
    const int items = std::clamp(st.ItemCount, 0, MaxItems);
    for (int i = 0; i < items; ++i) {
        const int g = ItemGroup(st, i);
        if (g >= 0 && g < MaxGroups) ++st.BarItemCount[g];
    }
}

void LayOutRows(ProgramState& st) {
    int row = 0;
    for (int i = 0; i < Bars(st); ++i) {
        st.BarFirstRow[i] = row;
        const int n = st.BarItemCount[i];
        row += n <= CellsPerRow ? 1 : (n - 1) / CellsPerRow + 1;
    }
    st.BarRows = row;
}

void DrawLabels(ProgramState& st, MainScreen& screen) {
    PrepareGroups(st);
    for (auto& label : screen.labels) label.visible = false;
    const int origin = GridOrigin(st);
    const int pitch = GridPitch(st);
    for (int i = 0; i < Bars(st); ++i) {
        LabelPanel& label = screen.labels[i];
        label.caption = st.BarLabels[i];
        label.top = origin + st.BarFirstRow[i] * pitch;
        label.colour = st.BarSelected[i] ? SelectedLabelColour : DeselectedLabelColour;
        label.visible = true;
    }
}

void DrawCells(ProgramState& st, MainScreen& screen) {
    st.BarItemCount.fill(0);
    screen.cells.clear();
    const int origin = GridOrigin(st);
    const int pitch = GridPitch(st);
    const int items = std::clamp(st.ItemCount, 0, MaxItems);
    for (int i = 0; i < items; ++i) {
        const int g = ItemGroup(st, i);
        if (g < 0 || g >= MaxGroups) continue;
        const int p = st.BarItemCount[g]++;
        const int row = st.BarFirstRow[g] + p / CellsPerRow;
        Cell cell;
        cell.x = GridLeft + (p % CellsPerRow) * ColumnPitch;
        cell.y = origin + row * pitch;
        cell.fill = StateColour(st.ItemState[i]);
        cell.border = ItemInRange(st, i) ? InRangeBorder : OutOfRangeBorder;
        screen.cells.push_back(cell);
    }
}

void FullRedraw(ProgramState& st, MainScreen& screen) {
    screen.cells.clear();
    PrepareGroups(st);
    if (st.BarCount != 0) {
        LayOutRows(st);
    } else {
        st.BarCount = 1;
        st.BarFirstRow[0] = 0;
    }
    screen.btnExChange = HasCodes(st.DataKind);
    screen.btnSel = HasLessons(st.DataKind);
    ShowStatus(st, screen);
    DrawLabels(st, screen);
    DrawCells(st, screen);
}

void RedrawRecord(ProgramState& st, MainScreen& screen) {
    if (!st.RecordOpen) return;
    ShowStatus(st, screen);
    DrawLabels(st, screen);
    DrawCells(st, screen);
}

}  // namespace vokamo

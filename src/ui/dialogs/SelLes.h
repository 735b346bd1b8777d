#pragma once

#include <array>

#include "core/platform/MainDisplay.h"
#include "core/platform/Platform.h"
#include "core/state/ProgramState.h"
#include "ui/widgets/UiDialogWindow.h"

class QLabel;
class QPushButton;

namespace vokamo {

class UiPanel;

// The learning-range window: one panel per lesson (or second code while the
// main window groups by code), each click toggling that group in or out of
// the range. Every change reaches the shared state at once and the main
// window redraws its labels and cells straight away, so the window is
// modeless and nothing is undone when it closes.
class TfrmSel : public UiDialogWindow {
    Q_OBJECT
public:
    TfrmSel(ProgramState& st, SoundPlayer& sound, MainDisplay& main, ErrorBox& errors,
            QWidget* parent = nullptr);

    UiPanel* GroupPanel(int i) const { return panels_[i]; }
    UiPanel* AllOnPanel() const { return pnlAllOn; }
    UiPanel* AllOffPanel() const { return pnlAllOf; }
    QPushButton* OkButton() const { return btnOk; }

public slots:
    // Shows the window and fills it from the current grouping.
    void ShowAndFill();

private:
    void Fill();
    void Recolour();
    void pnl0Click(int tag);
    void pnlAllOnClick();
    void pnlAllOfClick();
    void btnOkClick();

    ProgramState& st_;
    SoundPlayer& sound_;
    std::array<UiPanel*, MaxGroups> panels_{};
    QLabel* Label1 = nullptr;
    UiPanel* pnlAllOn = nullptr;
    UiPanel* pnlAllOf = nullptr;
    QPushButton* btnOk = nullptr;
};

}  // namespace vokamo

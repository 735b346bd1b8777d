#pragma once

namespace vokamo {

// What other windows ask of the main window's record display. TfrmMain
// implements it; tests use a recording fake.
class MainDisplay {
public:
    virtual ~MainDisplay() = default;
    // Draw labels and draw cells (no clearing, no new layout): used while the
    // range dialog changes flags.
    virtual void DrawLabelsAndCells() = 0;
    // Draw cells only: on return from the drill window.
    virtual void DrawCells() = 0;
    // The redraw step: "piyo1.wav" to its end, then, if a record is open,
    // status, labels and cells. Dialogs run it when they close.
    virtual void RedrawStep() = 0;
    // The learner has left the drill window: the record is saved, so that an
    // end the program does not see coming loses at most one drill.
    virtual void SaveAfterDrill() = 0;
    // A set of ten is over (the next one's banner shows): the record is
    // saved quietly, so that a power cut loses at most the set being answered.
    virtual void SaveAfterSet() = 0;
};

}  // namespace vokamo

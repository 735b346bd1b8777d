#pragma once

#include "core/platform/MainDisplay.h"
#include "core/platform/Platform.h"
#include "core/state/ProgramState.h"
#include "ui/widgets/UiDialogWindow.h"

class QPushButton;
class QTableWidget;

namespace vokamo {

// The score summary: one row per lesson (or second code) with the number of
// items, the number learned, the learned rate and the evaluation. It is
// worked out afresh at every opening and does not follow later changes.
class TfrmScoreTable : public UiDialogWindow {
    Q_OBJECT
public:
    // Built like the other dialogs; the sound of opening is the main
    // window's, so this one plays none of its own.
    TfrmScoreTable(ProgramState& st, SoundPlayer& sound, MainDisplay& main, ErrorBox& errors,
                   QWidget* parent = nullptr);

    QTableWidget* Grid() const { return grdTen; }
    QPushButton* OkButton() const { return btnOK; }

public slots:
    // Fills the table from the current progress and shows the window.
    void FillAndShow();

private:
    void Fill();
    void btnOKClick();

    ProgramState& st_;
    QTableWidget* grdTen = nullptr;
    QPushButton* btnOK = nullptr;
};

}  // namespace vokamo

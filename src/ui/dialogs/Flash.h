#pragma once

#include "core/platform/MainDisplay.h"
#include "core/platform/Platform.h"
#include "core/state/ProgramState.h"
#include "ui/widgets/UiDialogWindow.h"

class QLabel;
class QPushButton;

namespace vokamo {

class UiPanel;

// The flash time of key-input questions, stepped with two arrow panels.
// Each step is stored at once; there is nothing to cancel.
class TfrmFlash : public UiDialogWindow {
    Q_OBJECT
public:
    // Opening makes no sound, so the player is not needed beyond building
    // the window like the other dialogs.
    TfrmFlash(ProgramState& st, SoundPlayer& sound, MainDisplay& main, ErrorBox& errors,
              QWidget* parent = nullptr);

    QLabel* ValuePanel() const { return pnlInf; }
    UiPanel* UpPanel() const { return pnlUp; }
    UiPanel* DownPanel() const { return pnlDown; }
    QPushButton* OkButton() const { return BitBtn1; }

public slots:
    // Shows the window with the current flash time.
    void ShowAndLoad();

private:
    void ShowValue();
    void pnlUpClick();
    void pnlDownClick();
    void BitBtn1Click();

    ProgramState& st_;
    QLabel* pnlInf = nullptr;
    UiPanel* pnlUp = nullptr;
    UiPanel* pnlDown = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLabel* Label1 = nullptr;
};

}  // namespace vokamo

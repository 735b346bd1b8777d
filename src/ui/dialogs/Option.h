#pragma once

#include "core/platform/MainDisplay.h"
#include "core/platform/Platform.h"
#include "core/settings/Settings.h"
#include "core/state/ProgramState.h"
#include "ui/widgets/UiDialogWindow.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace vokamo {

// The question options: hint display, question order and recording. A radio
// click changes the setting at once; cancel puts back the values of the
// opening. However the window closes, the question order is rebuilt and the
// main window redrawn, so no change slips past the status panels.
class TfrmOption : public UiDialogWindow {
    Q_OBJECT
public:
    TfrmOption(ProgramState& st, SoundPlayer& sound, MainDisplay& main, ErrorBox& errors,
               QWidget* parent = nullptr);

    // Item 0 or 1 of a radio group (RadioGroup3 hint, RadioGroup2 order,
    // RadioGroup1 recording).
    QRadioButton* Item(OptionSetting which, int index) const;
    QPushButton* OkButton() const { return BitBtn1; }
    QPushButton* CancelButton() const { return BitBtn2; }

public slots:
    // Plays the button sound, shows the window and loads the settings.
    void ShowAndLoad();

protected:
    // Rebuilds the question order before the main window catches up.
    void Closed() override;

private:
    QButtonGroup* MakeRadioGroup(QGroupBox* box, const QString& item0, const QString& item1,
                                 OptionSetting which);
    QButtonGroup* Group(OptionSetting which) const;
    void Load();
    // Checks the radio items that match the stored settings.
    void ShowValues();
    void BitBtn1Click();
    void BitBtn2Click();

    ProgramState& st_;
    SoundPlayer& sound_;
    OptionValues copy_;
    QGroupBox* RadioGroup1 = nullptr;
    QGroupBox* RadioGroup2 = nullptr;
    QGroupBox* RadioGroup3 = nullptr;
    QButtonGroup* group1_ = nullptr;
    QButtonGroup* group2_ = nullptr;
    QButtonGroup* group3_ = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
};

}  // namespace vokamo

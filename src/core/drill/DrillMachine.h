#pragma once

#include <memory>

#include "core/drill/DrillScreen.h"
#include "core/platform/Platform.h"
#include "core/state/ProgramState.h"

namespace vokamo {

// The whole drill (engine, flow, presentation, multiple choice, key input)
// as a state machine over ProgramState and DrillScreen. Inputs are plain
// calls; after each the window copies Screen() into its widgets.
class DrillMachine {
public:
    DrillMachine(ProgramState& st, SoundPlayer& sound);
    ~DrillMachine();
    DrillMachine(const DrillMachine&) = delete;
    DrillMachine& operator=(const DrillMachine&) = delete;

    const DrillScreen& Screen() const;

    // Main window's btnGo: shows the window (FormShow) and starts a drill.
    void StartDrill();

    // Timer ticks (tmrStartTimer, tmrOKTimer, tmrNGTimer, tmrFlashTimer).
    void Tick(DrillTimer timer);

    // Keyboard: virtual key codes and typed characters (single bytes).
    void FormKeyDown(int vk);
    void FormKeyPress(char ch);
    void FormKeyUp(int vk);

    // Mouse on the keypad (tag 0..15) and on the choice buttons (0..8).
    void KeyClick(int tag);
    void KeyMouseDown(int tag);
    void KeyMouseUp(int tag);
    void ChoiceClick(int k);
    void ChoiceMouseDown(int k);
    void ChoiceMouseUp(int k);

    // btnEsc.
    void btnEscClick();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vokamo

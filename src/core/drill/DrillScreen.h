#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/state/Colour.h"

namespace vokamo {

inline constexpr Rgb ColourBlack = 0x000000;
inline constexpr Rgb ColourWhite = 0xFFFFFF;
inline constexpr Rgb ColourRed = 0xFF0000;
inline constexpr Rgb ColourGreen = 0x008000;
inline constexpr Rgb ColourGrey = 0x808080;
inline constexpr Rgb KeyNormalDark = 0xCDADA7;   // pnlKeyD, M, S, P, Enter
inline constexpr Rgb KeyNormalLight = 0xD3CFC9;  // other keys, choice buttons
inline constexpr Rgb KeyMouseDown = 0xFF80FF;
inline constexpr Rgb KeyKeyboardDown = 0xFF8080;

// A label of the drill window. Texts are Shift-JIS. fontPt is the font size
// in points as the drill sets it (0 = the window's design size); the window
// turns points into pixels.
struct LabelView {
    std::string text;
    Rgb colour = ColourBlack;
    int fontPt = 0;
    bool visible = false;
    bool operator==(const LabelView&) const = default;
};

// A panel that serves as a key, a choice button or a status panel.
struct PanelView {
    std::string caption;
    Rgb colour = KeyNormalLight;
    int fontPt = 0;
    bool visible = true;
    bool enabled = false;
    bool operator==(const PanelView&) const = default;
};

enum class Picture { None, Futu, Sad, VerySad, Joy, OK, NG };

struct TimerView {
    bool enabled = false;
    int interval = 0;  // ms
    // Counts every start. A timer started again while it was still running
    // must begin a whole interval afresh, so the window cannot go by
    // `enabled` alone.
    int starts = 0;
    void Start() {
        enabled = true;
        ++starts;
    }
    // The same timer setting; how often it was started is history.
    bool operator==(const TimerView& other) const {
        return enabled == other.enabled && interval == other.interval;
    }
};

enum class DrillTimer { Start, OK, NG, Flash };

// Keypad key tags (index into DrillScreen::keys).
enum KeyTag : int {
    TagKeyD = 0,
    TagKeyM,
    TagKeyS,
    TagKey7,
    TagKey8,
    TagKey9,
    TagKeyP,
    TagKey4,
    TagKey5,
    TagKey6,
    TagKey1,
    TagKey2,
    TagKey3,
    TagEnter = 13,
    TagBS = 14,
    TagDel = 15
};
inline constexpr int KeyCount = 16;
inline constexpr int LetterKeyCount = 13;
inline constexpr int ChoiceButtonCount = 9;

// Virtual key codes the drill understands.
namespace vk {
inline constexpr int Back = 8, Return = 13, Escape = 27, Delete = 46;
inline constexpr int Numpad0 = 96;  // .. Numpad9 = 105
inline constexpr int Multiply = 106, Add = 107, Separator = 108, Subtract = 109, Decimal = 110, Divide = 111;
}  // namespace vk

// Everything the drill window shows. The drill writes it; the window copies
// it into its widgets after every input and keeps its QTimers in step with
// the four timers.
struct DrillScreen {
    bool visible = false;  // the drill window is shown

    // Question panel.
    LabelView w1, w2, w3;
    Picture imgFace = Picture::Futu;
    LabelView lblOks{"0", ColourBlack, 0, true};
    LabelView lblNgs{"0", ColourBlack, 0, true};

    // Status panels of the title bar.
    PanelView pnlHint, pnlOrder, pnlFlash, pnlRec;

    // Answer-record panel.
    LabelView lblTitle;
    LabelView lblTen;
    std::array<LabelView, 10> a{};
    std::array<Picture, 10> i{};  // None = hidden

    // Information panel.
    Rgb pnlDispColour = 0x0000A0;
    LabelView lblAnsAbout{"", ColourBlack, 0, true};
    LabelView lblDName, lblTestCnt;
    Rgb pnlMesColour = 0x408080;
    LabelView lblMes{"", ColourWhite, 0, true};

    // Answer panels: exactly one is visible while a question is shown.
    bool pnlSelVisible = false;
    bool pnlMusiVisible = true;
    std::array<PanelView, ChoiceButtonCount> s{};
    std::array<PanelView, KeyCount> keys{};

    TimerView tmrStart{false, 1000}, tmrOK{false, 100}, tmrNG{false, 300}, tmrFlash{false, 0};

    // Counts up each time the congratulation dialog is to be shown.
    int congratulations = 0;
    // Counts up each time the learner leaves the drill (the main window then
    // redraws its cells).
    int leaves = 0;
    // Counts up each time a set is over and the next one's banner shows
    // (the record is then saved).
    int finishedSets = 0;
};

}  // namespace vokamo

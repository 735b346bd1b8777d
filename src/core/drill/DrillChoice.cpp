#include <algorithm>
#include <string>

#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/drill/DrillImpl.h"

namespace vokamo {

void DrillMachine::Impl::StartChoiceQuestion() {
    ShowTitle();
    AnswerRecorded = 0;
    scr.pnlSelVisible = true;
    HideChoices();
    ClearHighlights();
    ShowPrompt();
    AnswerOpen = 1;
    answerClosed = false;
    questionAsked = true;
    SentenceColor = ColourBlack;
    SplitParts = SplitWords(st.CurTextA);
    WordCount = static_cast<int>(SplitParts.size());
    BuildSentence(SentenceMode::ChoiceBlank);
    ShowChoices(st.CurTextB);
}

void DrillMachine::Impl::HideChoices() {
    for (auto& button : scr.s) {
        button.visible = false;
        button.enabled = false;
    }
}

void DrillMachine::Impl::ShowChoices(const std::string& line) {
    const std::vector<std::string> parts = SplitWords(line);
    // Only nine buttons exist; the first nine choices are the ones offered,
    // so that a tenth can never push the right one off the panel unseen.
    ChoiceCount = std::min(static_cast<int>(parts.size()), ChoiceButtonCount);
    const std::vector<int32_t> order = ShuffleChoices(st.Rng, ChoiceCount);
    for (int k = 0; k < ChoiceCount; ++k) {
        const std::string text = SjisCut(UnderscoreToSpace(parts[order[k]]), ChoiceTextBytes);
        ChoiceTexts[k] = text;
        PanelView& button = scr.s[k];
        button.caption = text;
        button.fontPt = text.size() < 16 ? 14 : 11;
        button.visible = true;
        button.enabled = true;
    }
}

void DrillMachine::Impl::PickChoice(int k) {
    if (k < 0 || k >= ChoiceCount) return;
    const std::string chosen = ChoiceTexts[k];
    ShowFirstAnswer(chosen);
    ShowChosen(chosen);
    if (Judge(chosen, Expected)) {
        ChoiceRight();
    } else {
        ChoiceWrong();
    }
    StartAnswerPause();
}

void DrillMachine::Impl::ChoiceRight() {
    AnswerRecorded = 0;
    answerClosed = true;
    sound.Play("piyo.wav", SoundMode::Wait);
    SplitParts = SplitWords(st.CurTextA);
    WordCount = static_cast<int>(SplitParts.size());
    SentenceColor = ColourBlack;
    BuildSentence(SentenceMode::ChoiceReveal);
    ClearNote();
    HideChoices();
}

void DrillMachine::Impl::ChoiceWrong() {
    sound.Play("oldng.wav", SoundMode::Wait);
    st.SetWrong[st.SetIndex] = true;
    ShowCorrection();
    SplitParts = SplitWords(st.CurTextA);
    WordCount = static_cast<int>(SplitParts.size());
    SentenceColor = ColourRed;
    BuildSentence(SentenceMode::ChoiceReveal);
}

void DrillMachine::Impl::StartAnswerPause() {
    scr.tmrOK.interval = st.ReviewPass ? 10 : 100;
    if (AnswerRecorded == 0) {
        okTicks = 0;
        scr.tmrOK.Start();
    } else {
        ngTicks = 0;
        scr.tmrNG.Start();
    }
}

void DrillMachine::Impl::ChoiceKeyDown(int vk) {
    sound.Play("button2.wav", SoundMode::Wait);
    if (vk == vk::Escape) Leave(false);
}

void DrillMachine::Impl::ChoiceKeyPress(char ch) {
    if (AnswerOpen != 1 || answerClosed) return;
    if (ch < '1' || ch > '8') return;
    const int k = ch - '1';
    scr.s[k].colour = KeyKeyboardDown;
    PickChoice(k);
}

void DrillMachine::Impl::ChoiceKeyUp(int vk) {
    if (vk >= vk::Numpad0 + 1 && vk <= vk::Numpad0 + 9) scr.s[vk - vk::Numpad0 - 1].colour = KeyNormalLight;
}

}  // namespace vokamo

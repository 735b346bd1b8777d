#include <string>

#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/drill/DrillImpl.h"

namespace vokamo {

namespace {

const char* const ChoiceBlank = "(       )";
const char* const KeyBlank = "(    )";

std::string Parenthesised(const std::string& text) {
    return "(" + text + ")";
}

}  // namespace

void DrillMachine::Impl::BuildSentence(SentenceMode mode) {
    std::string line;
    const int parts = static_cast<int>(SplitParts.size());
    for (int w = 0; w < parts; ++w) {
        const std::string& word = SplitParts[w];
        std::string piece;
        if (StartsWithChar(word, "@") != 1) {
            piece = word;
        } else {
            const std::string rest = DropFirstChar(word);
            switch (mode) {
                case SentenceMode::ChoiceBlank:
                    piece = ChoiceBlank;
                    Expected = SjisCut(UnderscoreToSpace(rest), ItemTextBytes);
                    break;
                case SentenceMode::ChoiceReveal:
                    piece = Parenthesised(UnderscoreToSpace(rest));
                    break;
                case SentenceMode::KeyProgress:
                    if (w < WordIndex) {
                        piece = InCorrection == 1 ? Parenthesised(rest) : rest;
                    } else {
                        piece = KeyBlank;
                    }
                    break;
                case SentenceMode::FlashReveal:
                    piece = rest;
                    break;
            }
        }
        line += piece;
        line += ' ';
        if (line.size() >= static_cast<size_t>(ItemTextBytes)) break;
    }
    scr.w3.text = SjisCut(line, ItemTextBytes);
    scr.w3.colour = SentenceColor;
    scr.w3.visible = true;
}

void DrillMachine::Impl::ShowFirstAnswer(const std::string& text) {
    LabelView& line = scr.a[st.SetIndex];
    line.colour = st.ReviewPass ? ColourRed : ColourBlack;
    if (AnswerRecorded == 0) {
        switch (st.CurQuestionType) {
            case QuestionType::Choice:
                line.text = text;
                break;
            case QuestionType::KeyInput:
                FirstAnswers = SjisCut(FirstAnswers + " " + text, ItemTextBytes);
                line.text = FirstAnswers;
                break;
        }
        AnswerRecorded = 1;
    }
    line.visible = true;
}

void DrillMachine::Impl::ShowPrompt() {
    if (st.ReviewPass) {
        scr.lblMes.text = Sjis("復習です");
        scr.pnlMesColour = ReviewColour;
    } else {
        scr.lblMes.text = Sjis("答を入れてください");
        scr.pnlMesColour = PromptColour;
    }
}

void DrillMachine::Impl::ShowCorrection() {
    ShowNote();
    scr.pnlMesColour = ReviewColour;
    scr.lblMes.colour = ColourWhite;
    scr.lblMes.text = Sjis("直しです");
}

void DrillMachine::Impl::ShowNote() {
    scr.lblAnsAbout.fontPt = st.CurTextD.size() < 20 ? 14 : 12;
    if (st.CurTextD.empty()) return;
    scr.lblAnsAbout.text = st.CurTextD;
    scr.pnlDispColour = NoteShownColour;
}

void DrillMachine::Impl::ClearNote() {
    scr.lblAnsAbout.text.clear();
    scr.pnlDispColour = NoteEmptyColour;
}

void DrillMachine::Impl::ShowTitle() {
    const int item = st.SetItems[st.SetIndex];
    const int group = ItemGroup(st, item);
    scr.lblTitle.text = group >= 0 && group < MaxGroups ? st.BarLabels[group] : std::string();
    scr.lblTitle.visible = true;
    scr.pnlSelVisible = st.CurQuestionType == QuestionType::Choice;
    scr.pnlMusiVisible = st.CurQuestionType == QuestionType::KeyInput;
}

void DrillMachine::Impl::ShowQuestionText() {
    scr.w2.fontPt = 18;
    scr.w3.fontPt = st.CurTextA.size() < 32 ? 18 : 14;
    scr.a[st.SetIndex].fontPt = 14;
    scr.w1.fontPt = st.CurTextC.size() < 14 ? 16 : 12;
    scr.w1.text = st.CurTextC;
    scr.w2.text.clear();
    scr.w3.text.clear();
    scr.w1.visible = true;
    scr.w2.visible = true;
    scr.w3.visible = true;
}

void DrillMachine::Impl::ShowHint() {
    if (!st.HintMode || st.CurQuestionType != QuestionType::KeyInput) return;
    scr.w2.colour = ColourGrey;
    scr.w2.text = HintPattern(Expected);
}

void DrillMachine::Impl::ShowTyped() {
    scr.w2.text = TypedText;
}

void DrillMachine::Impl::ShowChosen(const std::string& text) {
    scr.w2.text = text;
}

void DrillMachine::Impl::ClearSetDisplay() {
    scr.w1.text.clear();
    scr.w2.text.clear();
    scr.w3.text.clear();
    scr.lblTen.visible = false;
    for (auto& line : scr.a) line.text.clear();
    scr.i.fill(Picture::None);
}

void DrillMachine::Impl::ShowKeyCaptions() {
    for (int t = 0; t < LetterKeyCount; ++t) scr.keys[t].caption = KeyLetters[t];
}

void DrillMachine::Impl::ClearHighlights() {
    // A key or choice lit for the last question would point at an answer of
    // this one.
    for (int t = 0; t < KeyCount; ++t) scr.keys[t].colour = KeyNormalColour(t);
    for (auto& button : scr.s) button.colour = KeyNormalLight;
}

void DrillMachine::Impl::ShowDrillOver() {
    // Nothing is asked any more: the message says so and shows the way back
    // instead of asking for an answer.
    scr.lblMes.text = Sjis("おわりです。\nEsc か左上のボタンで戻ります");
    scr.lblMes.colour = ColourWhite;
    scr.pnlMesColour = MessageColour;
}

void DrillMachine::Impl::ShowDesignedWindow() {
    DrillScreen designed;
    // What belongs to the whole run rather than to one drill stays: the
    // counters, the settings panels, the timers and the window's own state.
    designed.visible = scr.visible;
    designed.lblOks = scr.lblOks;
    designed.lblNgs = scr.lblNgs;
    designed.pnlHint = scr.pnlHint;
    designed.pnlOrder = scr.pnlOrder;
    designed.pnlFlash = scr.pnlFlash;
    designed.pnlRec = scr.pnlRec;
    designed.tmrStart = scr.tmrStart;
    designed.tmrOK = scr.tmrOK;
    designed.tmrNG = scr.tmrNG;
    designed.tmrFlash = scr.tmrFlash;
    designed.congratulations = scr.congratulations;
    designed.leaves = scr.leaves;
    scr = designed;
    for (int t = 5; t < LetterKeyCount; ++t) KeyLetters[t].clear();
    ShowKeyCaptions();
    scr.keys[TagEnter].caption = "Enter";
    scr.keys[TagBS].caption = "BackSpace";
    scr.keys[TagDel].caption = "Del";
    DisableKeys();
    ClearHighlights();
    for (auto& button : scr.s) {
        button.visible = false;
        button.enabled = false;
    }
}

}  // namespace vokamo

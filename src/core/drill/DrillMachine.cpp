#include "core/drill/DrillMachine.h"

#include <string>

#include "core/data/SjisText.h"
#include "core/drill/DrillImpl.h"

namespace vokamo {

DrillMachine::Impl::Impl(ProgramState& state, SoundPlayer& player) : st(state), sound(player) {
    // The window as it is designed, before anything has been asked.
    scr.pnlHint.caption = Sjis("普通表示");
    scr.pnlOrder.caption = Sjis("ﾗﾝﾀﾞﾑ順");
    scr.pnlFlash.caption = Sjis("ﾌﾗｯｼｭ表示０");
    scr.pnlRec.visible = false;
    SetVowelKeys();
    ShowDesignedWindow();
    scr.lblOks.text = std::to_string(st.RightCount);
    scr.lblNgs.text = std::to_string(st.WrongCount);
}

DrillMachine::DrillMachine(ProgramState& st, SoundPlayer& sound) : impl_(std::make_unique<Impl>(st, sound)) {}

DrillMachine::~DrillMachine() = default;

const DrillScreen& DrillMachine::Screen() const {
    return impl_->scr;
}

void DrillMachine::StartDrill() {
    impl_->StartDrill();
}

void DrillMachine::Tick(DrillTimer timer) {
    Impl& d = *impl_;
    // A tick that was already queued when its timer stopped, or that reaches
    // a hidden window, has nothing left to do.
    if (!d.scr.visible) return;
    switch (timer) {
        case DrillTimer::Start:
            if (d.scr.tmrStart.enabled) d.StartTick();
            break;
        case DrillTimer::OK:
            if (d.scr.tmrOK.enabled) d.OkTick();
            break;
        case DrillTimer::NG:
            if (d.scr.tmrNG.enabled) d.NgTick();
            break;
        case DrillTimer::Flash:
            if (d.scr.tmrFlash.enabled) d.FlashTick();
            break;
    }
}

void DrillMachine::FormKeyDown(int vk) {
    Impl& d = *impl_;
    if (!d.scr.visible) return;
    d.lastKeyDown = vk;
    switch (d.st.CurQuestionType) {
        case QuestionType::Choice:
            d.ChoiceKeyDown(vk);
            break;
        case QuestionType::KeyInput:
            d.KeyInputKeyDown(vk);
            break;
    }
}

void DrillMachine::FormKeyPress(char ch) {
    Impl& d = *impl_;
    if (!d.scr.visible) return;
    switch (d.st.CurQuestionType) {
        case QuestionType::Choice:
            d.ChoiceKeyPress(ch);
            break;
        case QuestionType::KeyInput:
            d.KeyInputKeyPress(ch);
            break;
    }
}

void DrillMachine::FormKeyUp(int vk) {
    Impl& d = *impl_;
    if (!d.scr.visible) return;
    switch (d.st.CurQuestionType) {
        case QuestionType::Choice:
            d.ChoiceKeyUp(vk);
            break;
        case QuestionType::KeyInput:
            d.KeyInputKeyUp(vk);
            break;
    }
}

void DrillMachine::KeyClick(int tag) {
    Impl& d = *impl_;
    if (!d.scr.visible || d.st.CurQuestionType != QuestionType::KeyInput) return;
    if (tag < 0 || tag >= KeyCount || !d.scr.keys[tag].enabled) return;
    if (tag < LetterKeyCount) {
        d.sound.Play("button2.wav", SoundMode::Wait);
        if (!d.answerClosed) d.AppendTyped(d.KeyLetters[tag]);
        return;
    }
    d.sound.Play("button.wav", SoundMode::Wait);
    if (d.answerClosed) return;
    if (tag == TagEnter) {
        d.JudgeTyped();
    } else if (tag == TagDel) {
        d.ClearTyped();
    } else {
        d.BackSpaceTyped();
    }
}

void DrillMachine::KeyMouseDown(int tag) {
    if (tag < 0 || tag >= KeyCount || !impl_->scr.visible) return;
    impl_->scr.keys[tag].colour = vokamo::KeyMouseDown;
}

void DrillMachine::KeyMouseUp(int tag) {
    if (tag < 0 || tag >= KeyCount || !impl_->scr.visible) return;
    impl_->scr.keys[tag].colour = KeyNormalColour(tag);
}

void DrillMachine::ChoiceClick(int k) {
    Impl& d = *impl_;
    if (!d.scr.visible || d.st.CurQuestionType != QuestionType::Choice) return;
    if (k < 0 || k >= ChoiceButtonCount) return;
    const PanelView& button = d.scr.s[k];
    if (!button.visible || !button.enabled) return;
    d.sound.Play("button2.wav", SoundMode::Wait);
    if (!d.answerClosed) d.PickChoice(k);
}

void DrillMachine::ChoiceMouseDown(int k) {
    if (k < 0 || k >= ChoiceButtonCount || !impl_->scr.visible) return;
    impl_->scr.s[k].colour = vokamo::KeyMouseDown;
}

void DrillMachine::ChoiceMouseUp(int k) {
    if (k < 0 || k >= ChoiceButtonCount || !impl_->scr.visible) return;
    impl_->scr.s[k].colour = KeyNormalLight;
}

void DrillMachine::btnEscClick() {
    Impl& d = *impl_;
    if (!d.scr.visible) return;
    d.sound.Play("button.wav", SoundMode::Wait);
    d.Leave(true);
}

}  // namespace vokamo

#include <string>

#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/drill/DrillImpl.h"
#include "core/state/Errors.h"

namespace vokamo {

void DrillMachine::Impl::StartDrill() {
    sound.Play("button.wav", SoundMode::Background);

    // The window is shown (FormShow), with nothing left of an earlier drill
    // or of another record's questions.
    scr.visible = true;
    SentenceColor = ColourWhite;
    SetVowelKeys();
    ShowDesignedWindow();

    st.PickPos = 0;
    st.SetScore = 0;
    st.PickStart = 0;
    st.SetNo = 0;
    // A banner cut short by leaving must not shorten the next one.
    startTicks = 0;
    // Nothing is asked until the first set has been picked.
    answerClosed = true;
    scr.tmrStart.Start();
}

void DrillMachine::Impl::StartTick() {
    ++startTicks;
    if (startTicks == 1) {
        ShowSetBanner();
        if (st.SetNo > 1) ++scr.finishedSets;
        sound.Play("change.wav", SoundMode::Wait);
    } else if (startTicks == 3) {
        scr.imgFace = Picture::Futu;
        startTicks = 0;
        scr.tmrStart.enabled = false;
        HideSetBanner();
        StartSet();
    }
}

void DrillMachine::Impl::ShowSetBanner() {
    ++st.SetNo;
    scr.lblDName.text = st.Title;
    scr.lblDName.visible = true;
    scr.lblTestCnt.text = Sjis("第 ") + std::to_string(st.SetNo) + " " + Sjis("回");
    scr.lblTestCnt.visible = true;

    scr.pnlRec.caption = !st.RecordOff ? Sjis("記録ON") : Sjis("記録OFF");
    scr.pnlHint.caption = !st.HintMode ? Sjis("普通表示") : Sjis("１字表示");
    scr.pnlOrder.caption = !st.RandomOrder ? Sjis("並び順") : Sjis("ﾗﾝﾀﾞﾑ順");
    scr.pnlFlash.caption = Sjis("ﾌﾗｯｼｭ表示") + std::to_string(st.FlashTime);
    scr.pnlRec.visible = true;
    scr.pnlHint.visible = true;
    scr.pnlOrder.visible = true;
    scr.pnlFlash.visible = true;
}

void DrillMachine::Impl::HideSetBanner() {
    scr.lblDName.visible = false;
    scr.lblTestCnt.visible = false;
}

void DrillMachine::Impl::StartSet() {
    try {
        BeginSet();
    } catch (...) {
        // Without the set's texts nothing can be asked: the drill ends, and
        // the caller shows why.
        Leave(true);
        throw;
    }
    ClearSetDisplay();
    if (st.SetSize > 0) {
        ShowQuestion();
        return;
    }
    sound.Play("huku.wav", SoundMode::Background);
    ShowDrillOver();
    ++scr.congratulations;
}

void DrillMachine::Impl::ShowQuestion() {
    LoadQuestion();
    bool blank = false;
    for (const std::string& word : SplitWords(st.CurTextA)) blank = blank || StartsWithChar(word, "@") == 1;
    if (!blank) {
        // Such an item could never be answered, so never learned: the drill
        // would come back to it set after set without end.
        Leave(true);
        throw LimitError("問題「" + SjisToUtf8Lossy(st.CurTextA) +
                         "」には答えるところ（@ の付いた語）がないので、ドリルを終わります。"
                         "問題ファイルを直してください。");
    }
    ShowQuestionText();
    switch (st.CurQuestionType) {
        case QuestionType::Choice:
            StartChoiceQuestion();
            break;
        case QuestionType::KeyInput:
            StartKeyQuestion();
            break;
    }
}

void DrillMachine::Impl::OkTick() {
    if (okTicks == 8) {
        scr.imgFace = Picture::Futu;
        scr.tmrOK.enabled = false;
        switch (st.CurQuestionType) {
            case QuestionType::Choice:
                FinishQuestion();
                break;
            case QuestionType::KeyInput:
                NextWordOrQuestion();
                break;
        }
    }
    ++okTicks;
}

void DrillMachine::Impl::NgTick() {
    AnswerOpen = 1;
    switch (ngTicks) {
        case 0:
        case 4:
            scr.imgFace = Picture::Sad;
            break;
        case 8:
            scr.imgFace = Picture::Sad;
            scr.tmrNG.enabled = false;
            break;
        case 2:
        case 6:
            scr.imgFace = Picture::VerySad;
            break;
        default:
            break;
    }
    ++ngTicks;
}

void DrillMachine::Impl::FlashTick() {
    if (flashArmed == 0) {
        flashArmed = 1;
        return;
    }
    SentenceColor = ColourBlack;
    BuildSentence(SentenceMode::KeyProgress);
    scr.tmrFlash.enabled = false;
}

bool DrillMachine::Impl::BlankLeftFromWordIndex() const {
    for (int w = WordIndex; w < WordCount && w < static_cast<int>(SplitParts.size()); ++w) {
        if (StartsWithChar(SplitParts[w], "@") == 1) return true;
    }
    return false;
}

void DrillMachine::Impl::FinishPendingRight() {
    // The question was answered right and only the pause stood between it
    // and its result. A key-input question with blanks still to type is not
    // answered yet and stays unrecorded, like any question left unanswered.
    if (st.SetIndex < 0 || st.SetIndex >= st.SetSize) return;
    if (st.CurQuestionType == QuestionType::KeyInput && BlankLeftFromWordIndex()) return;
    RecordSlotResult();
}

void DrillMachine::Impl::Leave(bool clearDisplay) {
    // A hidden window has nothing to pace: every timer stops here, and a
    // right answer still in its pause gets its result now.
    const bool pendingRight = scr.tmrOK.enabled;
    scr.tmrStart.enabled = false;
    scr.tmrOK.enabled = false;
    scr.tmrNG.enabled = false;
    scr.tmrFlash.enabled = false;
    if (pendingRight) FinishPendingRight();
    if (clearDisplay) {
        ClearSetDisplay();
        ClearNote();
    }
    scr.visible = false;
    ++scr.leaves;
}

}  // namespace vokamo

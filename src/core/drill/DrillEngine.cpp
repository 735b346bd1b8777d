#include <algorithm>
#include <cstdint>
#include <string>

#include "core/data/DataChange.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/drill/DrillImpl.h"

namespace vokamo {

bool Judge(std::string_view given, std::string_view expected) {
    return SjisLowerAscii(given) == SjisLowerAscii(expected);
}

namespace {

bool Eligible(ProgramState& st, int item, int sweep) {
    if (!ItemInRange(st, item)) return false;
    if (!st.RecordOff) {
        const int state = st.ItemState[item];
        if (state == 2) return false;
        return sweep != 0 || state <= 0;
    }
    if (st.AskedThisRun[item]) return false;
    st.AskedThisRun[item] = true;
    return true;
}

// A count edited by hand up to the largest value stays there.
void AddTry(int32_t& tries) {
    if (tries < INT32_MAX) ++tries;
}

}  // namespace

int PickSet(ProgramState& st, int lastScore) {
    const int itemCount = std::min(st.ItemCount, MaxItems);
    // Without items the scan would never come round to its start.
    if (itemCount <= 0) return 0;
    if (lastScore < RepeatThreshold) st.PickPos = st.PickStart;
    if (st.PickPos < 0 || st.PickPos >= itemCount) st.PickPos = 0;

    int count = 0;
    int sweep = 0;
    bool wrapped = false;
    st.PickStart = st.PickPos;
    while (count < SetCapacity) {
        const int item = st.ItemOrder[st.PickPos];
        const bool valid = item >= 0 && item < itemCount;
        if (valid && Eligible(st, item, sweep)) {
            const auto begin = st.SetItems.begin();
            if (std::find(begin, begin + count, item) == begin + count) st.SetItems[count++] = item;
        }
        if (st.PickPos == itemCount - 1) {
            st.PickPos = 0;
            wrapped = true;
        } else {
            ++st.PickPos;
        }
        if (wrapped && st.PickPos >= st.PickStart) {
            ++sweep;
            wrapped = false;
        }
        if (sweep == 2) break;
    }
    return count;
}

void DrillMachine::Impl::BeginSet() {
    DisableKeys();
    st.SetIndex = 0;
    st.SetWrong.fill(false);
    st.SetSize = PickSet(st, st.SetScore);
    if (st.SetSize > 0) {
        try {
            // The texts must come from the version of the file the table
            // describes; a file changed while it was read is read again.
            for (int attempt = 1;; ++attempt) {
                FollowDataFile(st);
                LoadSetTexts(st, st.SetSize);
                if (!DataFileChanged(st)) break;
                if (attempt == 3) throw DataChangedError(st.DataPath);
            }
        } catch (...) {
            // Stale texts of an earlier set must never be asked (or recorded)
            // under the new set's items.
            st.SetSize = 0;
            throw;
        }
        st.SetRight = 0;
        st.ReviewPass = false;
    }
}

void DrillMachine::Impl::LoadQuestion() {
    const int k = st.SetIndex;
    questionAsked = false;
    st.CurTextC = st.SetTextC[k];
    st.CurTextD = st.SetTextD[k];
    st.CurTextA = st.SetTextA[k];
    if (HasTypedItems(st.DataKind)) st.CurTextB = st.SetTextB[k];
    // The file reader refuses a code that names no question type; should one
    // come through all the same, the item is asked by typing, so that the
    // drill never waits for an answer it has no way to take.
    st.CurQuestionType =
        QuestionTypeOfItem(st.DataKind, st.ItemCode[st.SetItems[k]]).value_or(QuestionType::KeyInput);
}

void DrillMachine::Impl::RecordRight() {
    if (!st.RecordOff) {
        const int item = st.SetItems[st.SetIndex];
        int& state = st.ItemState[item];
        if (state == -1 || state == 0) {
            state = 1;
        } else if (state == 1) {
            state = 2;
        }
        AddTry(st.ItemTries[item]);
    }
    ++st.RightCount;
    scr.lblOks.text = std::to_string(st.RightCount);
}

void DrillMachine::Impl::RecordWrong() {
    if (!st.RecordOff) {
        const int item = st.SetItems[st.SetIndex];
        st.ItemState[item] = 0;
        AddTry(st.ItemTries[item]);
    }
    ++st.WrongCount;
    scr.lblNgs.text = std::to_string(st.WrongCount);
}

void DrillMachine::Impl::RecordSlotResult() {
    const int k = st.SetIndex;
    // A question that never opened a blank was not asked: it has no result.
    // (The review pass skips it, as it was never wrong.)
    if (!st.ReviewPass && !questionAsked) {
        scr.i[k] = Picture::None;
        return;
    }
    if (!st.SetWrong[k]) {
        if (!st.ReviewPass) RecordRight();
        scr.i[k] = Picture::OK;
    } else {
        if (!st.ReviewPass) RecordWrong();
        scr.i[k] = Picture::NG;
    }
}

bool DrillMachine::Impl::SkipOrReopenSlot() {
    st.SkipQuestion = false;
    if (st.ReviewPass) {
        if (!st.SetWrong[st.SetIndex]) {
            st.SkipQuestion = true;
        } else {
            st.SetWrong[st.SetIndex] = false;
        }
    }
    return st.SkipQuestion;
}

void DrillMachine::Impl::FinishQuestion() {
    // A flash still running belongs to the question just finished; its second
    // tick would draw that sentence over the next question or the banner.
    scr.tmrFlash.enabled = false;
    FinishFromResult();
}

void DrillMachine::Impl::FinishFromResult() {
    for (;;) {
        RecordSlotResult();
        ++st.SetIndex;
        if (st.SetIndex >= st.SetSize) {
            EndPass();
            return;
        }
        if (SkipOrReopenSlot()) continue;
        ShowQuestion();
        sound.Play("piyo1.wav", SoundMode::Background);
        return;
    }
}

void DrillMachine::Impl::EndPass() {
    bool anyWrong = false;
    for (int k = 0; k < st.SetSize; ++k) {
        if (st.SetWrong[k]) {
            anyWrong = true;
        } else if (!st.ReviewPass) {
            ++st.SetRight;
        }
    }
    if (!st.ReviewPass) {
        st.SetScore = st.SetRight * 100 / st.SetSize;
        scr.lblTen.text = std::to_string(st.SetScore);
        scr.lblTen.visible = true;
    }
    if (!anyWrong) {
        scr.tmrStart.Start();
        return;
    }
    sound.Play("huku.wav", SoundMode::Background);
    StartReviewPass();
}

void DrillMachine::Impl::StartReviewPass() {
    st.ReviewPass = true;
    st.SetIndex = 0;
    if (SkipOrReopenSlot()) {
        FinishFromResult();
    } else {
        ShowQuestion();
    }
}

}  // namespace vokamo

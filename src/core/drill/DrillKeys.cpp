#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/drill/DrillImpl.h"
#include "core/settings/Settings.h"

namespace vokamo {

namespace {

// The characters of the numeric keypad in key Tag order.
const char KeypadChars[] = "/*-789+456123";

}  // namespace

Rgb KeyNormalColour(int tag) {
    switch (tag) {
        case TagKeyD:
        case TagKeyM:
        case TagKeyS:
        case TagKeyP:
        case TagEnter:
            return KeyNormalDark;
        default:
            return KeyNormalLight;
    }
}

int KeyTagForVirtualKey(int code) {
    switch (code) {
        case vk::Return:
            return TagEnter;
        case vk::Delete:
        case vk::Decimal:
            return TagDel;
        case vk::Numpad0:
            return TagBS;
        case vk::Numpad0 + 1:
            return TagKey1;
        case vk::Numpad0 + 2:
            return TagKey2;
        case vk::Numpad0 + 3:
            return TagKey3;
        case vk::Numpad0 + 4:
            return TagKey4;
        case vk::Numpad0 + 5:
            return TagKey5;
        case vk::Numpad0 + 6:
            return TagKey6;
        case vk::Numpad0 + 7:
            return TagKey7;
        case vk::Numpad0 + 8:
            return TagKey8;
        case vk::Numpad0 + 9:
            return TagKey9;
        case vk::Multiply:
            return TagKeyM;
        case vk::Add:
            return TagKeyP;
        case vk::Subtract:
            return TagKeyS;
        case vk::Divide:
            return TagKeyD;
        default:
            return -1;
    }
}

int KeyTagForChar(char ch) {
    if (ch == '\0') return -1;
    const char* at = std::strchr(KeypadChars, ch);
    return at ? static_cast<int>(at - KeypadChars) : -1;
}

void DrillMachine::Impl::StartKeyQuestion() {
    BeginKeyQuestion();
    PresentNextWord();
}

void DrillMachine::Impl::BeginKeyQuestion() {
    ShowTitle();
    WordIsPlain = 1;
    SplitParts = SplitWords(st.CurTextA);
    WordCount = static_cast<int>(SplitParts.size());
    WordIndex = 0;
    TypedCount = 0;
    InCorrection = 0;
    AnswerRecorded = 0;
    FirstAnswers.clear();
    TypedText.clear();
    StartFlash();
}

void DrillMachine::Impl::StartFlash() {
    if (st.FlashTime > 0) {
        scr.tmrFlash.interval = std::min(st.FlashTime, MaxFlashTime) * 200;
        flashArmed = 0;
        SentenceColor = ColourGreen;
        BuildSentence(SentenceMode::FlashReveal);
        scr.tmrFlash.Start();
    } else {
        SentenceColor = ColourBlack;
        BuildSentence(SentenceMode::KeyProgress);
    }
}

void DrillMachine::Impl::PresentNextWord() {
    FirstUpper = 0;
    Expected = WordIndex < static_cast<int>(SplitParts.size()) ? SplitParts[WordIndex] : std::string();
    if (StartsWithChar(Expected, "@") != 1) {
        WordIsPlain = 1;
        ShowTyped();
        ++WordIndex;
        FinishWord();
        return;
    }
    ShowPrompt();
    ClearHighlights();
    WordIsPlain = 0;
    Expected = DropFirstChar(Expected);
    AnswerOpen = 1;
    answerClosed = false;
    questionAsked = true;
    EnableKeys();
    SetVowelKeys();
    FirstUpper = CheckFirstUpper(Expected);
    const auto extra = ChooseExtraKeys(st.Rng, Expected);
    for (int j = 0; j < ExtraKeyCount; ++j) KeyLetters[5 + j] = extra[j];
    if (WordIndex == 0) scr.pnlMusiVisible = true;
    ShowKeyCaptions();
    ShowHint();
}

void DrillMachine::Impl::AppendTyped(const std::string& s) {
    if (TypedCount == 0) {
        TypedText = FirstUpper == 1 ? SjisUpperAscii(s) : s;
        TypedCount = 1;
    } else if (TypedCount < MaxTyped) {
        TypedText += s;
        ++TypedCount;
    }
    scr.w2.colour = ColourBlack;
    scr.w2.text = TypedText;
}

void DrillMachine::Impl::BackSpaceTyped() {
    if (TypedCount == 0) {
        TypedText.clear();
    } else {
        TypedText = SjisFirstChars(TypedText, static_cast<size_t>(TypedCount - 1));
    }
    if (TypedCount > 0) --TypedCount;
    scr.w2.text = TypedText;
}

void DrillMachine::Impl::ClearTyped() {
    TypedText.clear();
    TypedCount = 0;
    scr.w2.text = TypedText;
}

void DrillMachine::Impl::JudgeTyped() {
    // The flash is over once a word is judged: its last tick must not draw
    // the blanks over the word just shown (in red after a wrong answer).
    scr.tmrFlash.enabled = false;
    DisableKeys();
    ShowFirstAnswer(TypedText);
    if (Judge(TypedText, Expected)) {
        TypedRight();
    } else {
        TypedWrong();
    }
    FinishWord();
}

void DrillMachine::Impl::TypedRight() {
    AnswerRecorded = 0;
    InCorrection = 0;
    answerClosed = true;
    ++WordIndex;
    sound.Play("piyo.wav", SoundMode::Background);
    SentenceColor = ColourBlack;
    BuildSentence(SentenceMode::KeyProgress);
    ClearNote();
}

void DrillMachine::Impl::TypedWrong() {
    InCorrection = 1;
    sound.Play("oldng.wav", SoundMode::Background);
    st.SetWrong[st.SetIndex] = true;
    ShowCorrection();
    ++WordIndex;
    SentenceColor = ColourRed;
    BuildSentence(SentenceMode::KeyProgress);
    --WordIndex;
    EnableKeys();
}

void DrillMachine::Impl::FinishWord() {
    TypedText.clear();
    TypedCount = 0;
    if (WordIsPlain == 1) {
        NextWordOrQuestion();
        return;
    }
    scr.tmrOK.interval = st.ReviewPass ? 10 : 100;
    if (InCorrection == 0) {
        okTicks = 0;
        scr.tmrOK.Start();
    } else {
        ngTicks = 0;
        scr.tmrNG.Start();
    }
}

void DrillMachine::Impl::NextWordOrQuestion() {
    if (WordIndex < WordCount) {
        PresentNextWord();
    } else {
        FinishQuestion();
    }
}

void DrillMachine::Impl::EnableKeys() {
    for (auto& key : scr.keys) key.enabled = true;
}

void DrillMachine::Impl::DisableKeys() {
    for (auto& key : scr.keys) key.enabled = false;
}

void DrillMachine::Impl::SetVowelKeys() {
    static const std::array<const char*, 5> vowels{"a", "e", "i", "o", "u"};
    for (int t = 0; t < 5; ++t) KeyLetters[t] = vowels[t];
}

void DrillMachine::Impl::KeyInputKeyDown(int code) {
    if (AnswerOpen != 1) {
        sound.Play("button.wav", SoundMode::Background);
        if (code == vk::Escape) Leave(false);
        return;
    }
    sound.Play("button2.wav", SoundMode::Background);
    if (code == vk::Escape) {
        Leave(false);
        return;
    }
    if (answerClosed) return;
    switch (code) {
        case vk::Back:
        case vk::Numpad0:
            BackSpaceTyped();
            break;
        case vk::Delete:
            ClearTyped();
            break;
        case vk::Decimal:
            scr.keys[TagDel].colour = KeyKeyboardDown;
            ClearTyped();
            break;
        case vk::Return:
            scr.keys[TagEnter].colour = KeyKeyboardDown;
            JudgeTyped();
            break;
        default:
            break;
    }
}

void DrillMachine::Impl::KeyInputKeyPress(char ch) {
    const int keyDown = lastKeyDown;
    lastKeyDown = 0;
    if (AnswerOpen != 1 || answerClosed) return;
    const int tag = KeyTagForChar(ch);
    if (tag >= 0) {
        scr.keys[tag].colour = KeyKeyboardDown;
        AppendTyped(KeyLetters[tag]);
    } else if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) {
        AppendTyped(std::string(1, ch));
    } else if (TypesItself(ch, keyDown)) {
        AppendTyped(std::string(1, ch));
    }
}

bool DrillMachine::Impl::TypesItself(char ch, int keyDown) const {
    // A pupil who types the answer exactly as it is written must not be
    // marked wrong, so the main keyboard's apostrophe, comma and full stop
    // type themselves into a word that holds them. The keypad's decimal
    // point (a comma on some keypads) keeps clearing the answer, and the
    // characters stay silent in every other word, as they always were.
    if (ch != '\'' && ch != ',' && ch != '.') return false;
    if (keyDown == vk::Decimal) return false;
    return Expected.find(ch) != std::string::npos;
}

void DrillMachine::Impl::KeyInputKeyUp(int code) {
    const int tag = KeyTagForVirtualKey(code);
    if (tag >= 0) scr.keys[tag].colour = KeyNormalColour(tag);
}

}  // namespace vokamo

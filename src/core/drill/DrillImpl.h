#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/drill/DrillMachine.h"
#include "core/drill/DrillScreen.h"
#include "core/platform/Platform.h"
#include "core/state/ProgramState.h"

namespace vokamo {

// The ways the sentence line is drawn.
enum class SentenceMode { ChoiceBlank, ChoiceReveal, KeyProgress, FlashReveal };

inline constexpr Rgb PromptColour = 0x377073;
inline constexpr Rgb ReviewColour = 0xE8A6CA;
inline constexpr Rgb NoteShownColour = 0xD3CFC9;
inline constexpr Rgb NoteEmptyColour = 0x0000A0;
inline constexpr Rgb MessageColour = 0x408080;
inline constexpr int MaxTyped = 30;

// Normal colour of keypad key `tag`.
Rgb KeyNormalColour(int tag);

// The keypad key a virtual key stands for, or -1.
int KeyTagForVirtualKey(int vk);

// The keypad key a typed character stands for ("/*-789+456123"), or -1.
int KeyTagForChar(char ch);

// Answers are compared whole, ignoring the case of A-Z only.
bool Judge(std::string_view given, std::string_view expected);

// Fills st.SetItems from the item order and the progress; returns the count.
int PickSet(ProgramState& st, int lastScore);

struct DrillMachine::Impl {
    Impl(ProgramState& state, SoundPlayer& player);

    ProgramState& st;
    SoundPlayer& sound;
    DrillScreen scr;

    // Sentence line and answering state of the current question.
    std::vector<std::string> SplitParts;
    int WordCount = 0;
    int WordIndex = 0;
    int WordIsPlain = 0;
    int InCorrection = 0;
    std::string Expected;
    std::string TypedText;
    int TypedCount = 0;
    int FirstUpper = 0;
    int AnswerRecorded = 0;
    std::string FirstAnswers;
    Rgb SentenceColor = ColourWhite;
    int AnswerOpen = 0;
    std::array<std::string, ChoiceButtonCount> ChoiceTexts{};
    int ChoiceCount = 0;
    std::array<std::string, LetterKeyCount> KeyLetters{};

    int okTicks = 0;
    int ngTicks = 0;
    int startTicks = 0;
    int flashArmed = 0;

    // Set from a right judgement (and from the start of a drill) until the
    // next blank or question is presented: an answer given meanwhile would be
    // judged against a question that is already done.
    bool answerClosed = true;
    // Set once the current question has opened a blank to the learner.
    bool questionAsked = false;
    // The virtual key of the last key-down: a character that follows it
    // tells by it whether it came from the numeric keypad.
    int lastKeyDown = 0;

    // Engine.
    void BeginSet();
    void LoadQuestion();
    void FinishQuestion();
    void FinishFromResult();
    bool SkipOrReopenSlot();
    void RecordSlotResult();
    void EndPass();
    void StartReviewPass();
    void RecordRight();
    void RecordWrong();

    // Flow.
    void StartDrill();
    void StartTick();
    void ShowSetBanner();
    void HideSetBanner();
    void StartSet();
    void ShowQuestion();
    void OkTick();
    void NgTick();
    void FlashTick();
    void Leave(bool clearDisplay);
    void FinishPendingRight();

    // Presentation.
    void BuildSentence(SentenceMode mode);
    void ShowFirstAnswer(const std::string& text);
    void ShowPrompt();
    void ShowCorrection();
    void ShowNote();
    void ClearNote();
    void ShowTitle();
    void ShowQuestionText();
    void ShowHint();
    void ShowTyped();
    void ShowChosen(const std::string& text);
    void ClearSetDisplay();
    void ShowKeyCaptions();
    void ClearHighlights();
    void ShowDrillOver();
    void ShowDesignedWindow();

    // Multiple choice.
    void StartChoiceQuestion();
    void HideChoices();
    void ShowChoices(const std::string& line);
    void PickChoice(int k);
    void ChoiceRight();
    void ChoiceWrong();
    void StartAnswerPause();
    void ChoiceKeyDown(int vk);
    void ChoiceKeyPress(char ch);
    void ChoiceKeyUp(int vk);

    // Key input.
    void StartKeyQuestion();
    void BeginKeyQuestion();
    void StartFlash();
    void PresentNextWord();
    void AppendTyped(const std::string& s);
    void BackSpaceTyped();
    void ClearTyped();
    void JudgeTyped();
    void TypedRight();
    void TypedWrong();
    void FinishWord();
    void NextWordOrQuestion();
    void EnableKeys();
    void DisableKeys();
    void SetVowelKeys();
    void KeyInputKeyDown(int vk);
    void KeyInputKeyPress(char ch);
    bool TypesItself(char ch, int keyDown) const;
    void KeyInputKeyUp(int vk);
    bool BlankLeftFromWordIndex() const;
};

}  // namespace vokamo

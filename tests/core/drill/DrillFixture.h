#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "Fakes.h"
#include "core/drill/DrillMachine.h"
#include "core/state/ProgramState.h"

namespace vokamo::test {

// One item of a question data file, in UTF-8; `lesson` and `code` are used by
// the kinds that have them.
struct TestItem {
    std::string answer;
    std::string question;
    std::string choices;
    std::string note;
    int lesson = 0;
    int code = 1;
};

// The text of a data file of `kind` (UTF-8, LF): what WriteDataFile stores.
std::string DataFileText(int kind, const std::vector<TestItem>& items, int lessons = 2, int codes = 2);

// A drill on a question data file written into a temp folder, with a fixed
// clock and recording sounds. Every item is new and in range.
class DrillTest : public ::testing::Test {
protected:
    DrillTest();

    // Writes the file (Shift-JIS, CR LF), reads its header, selects every
    // lesson and code and builds the data order.
    void LoadData(int kind, const std::vector<TestItem>& items);

    DrillMachine& Machine();
    const DrillScreen& Scr() { return Machine().Screen(); }

    // btnGo, then the banner's three ticks.
    void StartAndOpenFirstSet();
    void StartTicks(int n);
    // Ticks tmrOK until it stops (or `max` ticks); returns the ticks given.
    int RunOkPause(int max = 50);
    int RunNgPause(int max = 50);
    void RunFlash();
    // Types the characters and presses Enter (key down and up).
    void TypeAndEnter(const std::string& ascii);
    void TypeChars(const std::string& ascii);
    // Clicks the choice button showing `sjisText`; fails the test when none.
    void PickChoiceText(const std::string& sjisText);
    // Answers the current question right through its pause, whatever kind.
    void AnswerRight();
    // Expected answer words (UTF-8 text of the blanks, "@" dropped) of the
    // answer line currently asked.
    std::vector<std::string> BlankWords() const;
    // Sounds played since the last call.
    std::vector<PlayedSound> TakeSounds();
    bool Played(const std::string& name, SoundMode mode) const;

    ProgramState st;
    RecordingSoundPlayer sound;
    std::string dir;
    std::unique_ptr<DrillMachine> machine;
    size_t soundsSeen = 0;
};

// UTF-8 for Shift-JIS screen texts, so failures read well.
std::string U(const std::string& sjis);

}  // namespace vokamo::test

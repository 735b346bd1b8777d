#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/data/Random.h"
#include "core/state/FileGuard.h"
#include "core/state/Kinds.h"

namespace vokamo {

// Limits of the fixed tables.
inline constexpr int MaxItems = 600;
inline constexpr int MaxGroups = 20;
inline constexpr int SetCapacity = 10;
inline constexpr int MaxParts = 18;
inline constexpr int RepeatThreshold = 70;

// Byte capacities of the short texts (Shift-JIS bytes).
inline constexpr int TitleBytes = 120;
inline constexpr int NameBytes = 40;
inline constexpr int ItemTextBytes = 180;
inline constexpr int ChoiceTextBytes = 60;
inline constexpr int PlayerFieldBytes = 12;

// The question data of the loaded file, as ReadDataHeader fills it. Kept as
// a part of its own so that a reader can fill a copy and hand it over whole.
struct QuestionData {
    std::string Title;
    int32_t TypeCode = 0;
    vokamo::DataKind DataKind{vokamo::DataKind::Plain};
    int32_t ItemCount = 0;
    int32_t LessonCount = 0;
    std::array<std::string, MaxGroups> LessonNames{};
    int32_t CodeCount = 0;
    std::array<std::string, MaxGroups> CodeNames{};
    std::array<int32_t, MaxItems> ItemLesson{};
    std::array<int32_t, MaxItems> ItemCode{};
    int32_t HeaderLines = 0;
    // The version of the file the table was read from.
    std::optional<FileStamp> DataStamp;
};

// The one state of a program run. Texts hold Shift-JIS bytes. It is created
// zero-filled by main() and handed by reference to whoever needs it; tests
// build their own.
struct ProgramState : QuestionData {
    // Learner record.
    std::string DataPath;
    std::string RecordPath;
    std::string PlayerName;
    bool RecordOpen = false;
    bool DataChosen = false;

    // Settings (stored in the record).
    bool RecordOff = false;
    int32_t FlashTime = 0;
    bool RandomOrder = false;
    bool HintMode = false;

    // Learning range.
    std::array<bool, MaxGroups> LessonSelected{};
    std::array<bool, MaxGroups> CodeSelected{};

    // Progress.
    std::array<int32_t, MaxItems> ItemTries{};
    std::array<int32_t, MaxItems> ItemState{};

    // Score display grouping.
    bool FocusOnCode = false;
    int32_t BarCount = 0;
    std::array<std::string, MaxGroups> BarLabels{};
    std::array<bool, MaxGroups> BarSelected{};
    std::array<int32_t, MaxGroups> BarItemCount{};
    std::array<int32_t, MaxGroups> BarFirstRow{};
    int32_t BarRows = 0;

    // Question order and picking.
    std::array<int32_t, MaxItems> ItemOrder{};
    int32_t PickPos = 0;
    int32_t PickStart = 0;

    // Run counters.
    int32_t RightCount = 0;
    int32_t WrongCount = 0;

    // The question set in progress and the current question.
    std::array<int32_t, SetCapacity> SetItems{};
    std::array<std::string, SetCapacity> SetTextA{};
    std::array<std::string, SetCapacity> SetTextB{};
    std::array<std::string, SetCapacity> SetTextC{};
    std::array<std::string, SetCapacity> SetTextD{};
    int32_t SetSize = 0;
    int32_t SetIndex = 0;
    std::array<bool, SetCapacity> SetWrong{};
    bool ReviewPass = false;
    bool SkipQuestion = false;
    int32_t SetRight = 0;
    int32_t SetScore = 0;
    int32_t SetNo = 0;
    std::array<bool, MaxItems> AskedThisRun{};
    std::string CurTextA;
    std::string CurTextB;
    std::string CurTextC;
    std::string CurTextD;
    QuestionType CurQuestionType = QuestionType::Choice;

    // Source of every random order (item order, choices, extra keys).
    Random Rng;
};

// True when item i is in the learning range: its lesson selected and, where
// the data has second codes, its code too. Data without lessons has
// everything in range.
bool ItemInRange(const ProgramState& st, int item);

// True when the score display, the range dialog, the score summary and the
// drill's group name go by second code: the focus switch is on codes and the
// data has codes. Data without codes goes by lesson even when the switch
// stayed on codes from an earlier record.
bool GroupsByCode(const ProgramState& st);

// The group (lesson or code) of an item under the current grouping.
int ItemGroup(const ProgramState& st, int item);

}  // namespace vokamo

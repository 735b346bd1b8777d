#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/classview/ClassScan.h"
#include "core/data/DataFile.h"
#include "core/state/ProgramState.h"

namespace vokamo {

// The class overview: the records of a class read side by side, without
// taking their locks and without ever writing them.

// One pupil's record as the class table shows it. Texts are UTF-8.
struct PupilRow {
    std::string pupil;      // the player name
    std::string sjisPupil;  // the same as the record holds it
    std::string fileName;   // the record's file name
    std::string relPath;    // from the folder given
    std::string fsPath;
    int folder = 0;
    int32_t learned = 0;                // state 2
    int32_t rightOnce = 0;              // state 1
    int32_t wrong = 0;                  // state 0: the last answer was wrong
    int32_t never = 0;                  // -1, and anything a hand edit left that is no state
    int64_t attempts = 0;               // sum of the attempt counts
    int32_t rangeItems = 0;             // items in the pupil's learning range
    int32_t rangeLearned = 0;           // of those, learned
    int32_t learnedInRangePercent = 0;  // rangeLearned * 100 / rangeItems, truncated; 0 for none
    int64_t savedSeconds = 0;           // last change of the file, seconds since 1970
    std::string saved;                  // the same in ISO 8601 with the local offset
    bool inUse = false;                 // a pupil's program has it open now

    // What the record holds, for drawing the pupil's grid.
    bool RecordOff = false, RandomOrder = false, HintMode = false;
    int32_t FlashTime = 0;
    std::array<bool, MaxGroups> LessonSelected{};
    std::array<bool, MaxGroups> CodeSelected{};
    std::vector<int32_t> tries;   // per item of the question file
    std::vector<int32_t> states;  // per item of the question file
};

// An item of a question file in the order of the hardest words.
struct HardWord {
    int32_t item = 0;             // item number, from 0
    std::string answer;           // the answer word(s), UTF-8, without "@"
    std::string meaning;          // the question line, UTF-8
    std::string lesson;           // lesson name, UTF-8
    int32_t wrongNow = 0;         // pupils whose last answer was wrong
    int32_t learnedBy = 0;        // pupils who learned it
    int64_t learnerAttempts = 0;  // attempts of the pupils who learned it, summed
    // learnerAttempts / learnedBy, with one decimal; 0 when nobody learned it.
    double AttemptsPerLearner() const;
};

// The records of one question file (the same title, type code and item
// count), with the file's table and item texts.
struct ClassBook {
    std::string fileName;      // the question file's name, UTF-8
    std::string title;         // UTF-8
    std::string sjisDataPath;  // the file read for the table
    QuestionData data;
    std::vector<ItemTexts> texts;
    std::vector<PupilRow> rows;     // in scan order
    std::vector<HardWord> hardest;  // every item, hardest first
};

// A record that could not be summarised, with why (Japanese, UTF-8).
struct UnreadRecord {
    std::string relPath;
    std::string reason;
    int folder = 0;
    bool inUse = false;
};

struct ClassOverview {
    std::vector<std::string> folders;  // as given (file-system paths)
    std::vector<ClassBook> books;      // by title, then file name
    std::vector<UnreadRecord> unread;  // records and folders listed with a reason
    bool cancelled = false;
};

// How far reading has come, for a progress bar; called from the thread that
// reads, as often as a record has been read.
using ClassProgress = std::function<void(size_t done, size_t total)>;

// Reads every record under fsFolders (see ScanFolders), finds each one's
// question file the way the program does when a pupil opens it (moved
// folders included), groups the records by question file and ranks the
// hardest words. A record that cannot be read, whose question file is
// missing or cannot be read, or whose question file is another book
// (title, type code or item count) is listed in `unread` with its reason.
ClassOverview ReadClass(const std::vector<std::string>& fsFolders, const ScanLimits& limits = {},
                        const ClassProgress& progress = {});

// The counts of one record against its question file's table.
void CountRecord(const QuestionData& data, PupilRow& row);

// The items of a book, hardest first: most pupils wrong now, then most
// attempts per pupil who learned the item, then item number.
std::vector<HardWord> RankHardest(const ClassBook& book);

// The state the main window draws for one row: the book's table with the
// pupil's record in it (score grid and score table).
ProgramState PupilState(const ClassBook& book, const PupilRow& row);

// True when the lock beside the record at fsRecordPath shows a pupil's
// program using it: the lock file exists, its holder has touched it within
// staleMinutes, and it is not the lock of a program that no longer runs on
// this computer.
bool RecordInUse(const std::string& fsRecordPath, int staleMinutes);

// The answer words of an answer line ("@" words, "_" a space), UTF-8,
// joined by " / ".
std::string AnswerWords(const std::string& sjisAnswerLine);

// A file time as ISO 8601 in local time with its offset
// ("2026-12-09T16:43:59+09:00").
std::string IsoLocalTime(int64_t secondsSinceEpoch);
// The same as tables show it: "2026-12-09 16:43".
std::string ShortLocalTime(int64_t secondsSinceEpoch);

}  // namespace vokamo

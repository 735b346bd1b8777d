#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/state/ProgramState.h"

namespace vokamo {

// Progress of one group of items for the score summary table.
struct GroupTally {
    std::string Name;     // Shift-JIS
    int32_t Items = 0;    // items of the group
    int32_t Learned = 0;  // items in state 2
    int64_t Tries = 0;    // sum of ItemTries (wide: a hand-edited record may hold anything)
    int64_t Points = 0;   // 2 per learned item, 1 per item right once
};

struct ScoreSummary {
    int Count = 0;  // groups in use, 0..MaxGroups
    std::array<GroupTally, MaxGroups> Groups{};
};

// Tallies every item of the data, in range or not, by its group.
ScoreSummary TallyScores(const ProgramState& st);

// learned * 100 / items, truncated; "0" for an empty group.
std::string LearnedRateText(const GroupTally& g);
// points * 100 / tries, truncated; "0" when nothing was tried.
std::string EvaluationText(const GroupTally& g);

inline constexpr int SummaryColumns = 5;
using SummaryRow = std::array<std::string, SummaryColumns>;

// Row 0 of the table: "", "題数", "習得数", "習得率", "評価" (Shift-JIS).
SummaryRow SummaryHeaderRow();
// The row of one group: name, items, learned, rate, evaluation (Shift-JIS).
SummaryRow SummaryGroupRow(const GroupTally& g);

}  // namespace vokamo

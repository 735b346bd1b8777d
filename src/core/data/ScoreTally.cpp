#include "core/data/ScoreTally.h"

#include <algorithm>

#include "core/data/RangeSelection.h"
#include "core/data/SjisText.h"

namespace vokamo {

ScoreSummary TallyScores(const ProgramState& st) {
    ScoreSummary s;
    s.Count = RangeGroupCount(st);
    for (int g = 0; g < s.Count; ++g) s.Groups[g].Name = RangeGroupName(st, g);

    const int itemCount = std::clamp(st.ItemCount, 0, MaxItems);
    for (int i = 0; i < itemCount; ++i) {
        const int g = ItemGroup(st, i);
        // An item whose group has no row would only corrupt memory; it is
        // not shown anywhere in the table either.
        if (g < 0 || g >= s.Count) continue;
        GroupTally& t = s.Groups[g];
        ++t.Items;
        t.Tries += st.ItemTries[i];
        if (st.ItemState[i] == 2) {
            ++t.Learned;
            t.Points += 2;
        } else if (st.ItemState[i] == 1) {
            t.Points += 1;
        }
    }
    return s;
}

std::string LearnedRateText(const GroupTally& g) {
    if (g.Items == 0) return "0";
    return std::to_string(static_cast<int64_t>(g.Learned) * 100 / g.Items);
}

std::string EvaluationText(const GroupTally& g) {
    if (g.Tries == 0) return "0";
    return std::to_string(g.Points * 100 / g.Tries);
}

SummaryRow SummaryHeaderRow() {
    return {std::string(), Sjis("題数"), Sjis("習得数"), Sjis("習得率"), Sjis("評価")};
}

SummaryRow SummaryGroupRow(const GroupTally& g) {
    return {g.Name, std::to_string(g.Items), std::to_string(g.Learned), LearnedRateText(g),
            EvaluationText(g)};
}

}  // namespace vokamo

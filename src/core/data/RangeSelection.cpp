#include "core/data/RangeSelection.h"

#include <algorithm>

namespace vokamo {

namespace {

void SetAll(ProgramState& st, bool value) {
    auto& flags = RangeFlags(st);
    const int n = RangeGroupCount(st);
    for (int i = 0; i < n; ++i) flags[i] = value;
}

}  // namespace

int RangeGroupCount(const ProgramState& st) {
    // A hand-edited record or a short data file must never make us walk past
    // the tables.
    return std::clamp(GroupsByCode(st) ? st.CodeCount : st.LessonCount, 0, MaxGroups);
}

std::string RangeGroupName(const ProgramState& st, int i) {
    if (i < 0 || i >= RangeGroupCount(st)) return {};
    return GroupsByCode(st) ? st.CodeNames[i] : st.LessonNames[i];
}

std::array<bool, MaxGroups>& RangeFlags(ProgramState& st) {
    return GroupsByCode(st) ? st.CodeSelected : st.LessonSelected;
}

const std::array<bool, MaxGroups>& RangeFlags(const ProgramState& st) {
    return GroupsByCode(st) ? st.CodeSelected : st.LessonSelected;
}

bool RangeGroupSelected(const ProgramState& st, int i) {
    if (i < 0 || i >= MaxGroups) return false;
    return RangeFlags(st)[i];
}

void ToggleRangeGroup(ProgramState& st, int i) {
    if (i < 0 || i >= RangeGroupCount(st)) return;
    auto& flag = RangeFlags(st)[i];
    flag = !flag;
}

void SelectAllRangeGroups(ProgramState& st) {
    SetAll(st, true);
}

void ClearAllRangeGroups(ProgramState& st) {
    SetAll(st, false);
}

}  // namespace vokamo

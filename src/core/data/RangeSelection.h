#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/state/ProgramState.h"

namespace vokamo {

// Number of groups shown (LessonCount or CodeCount, held to 0..MaxGroups).
int RangeGroupCount(const ProgramState& st);

// Name of group i (Shift-JIS), empty outside the groups.
std::string RangeGroupName(const ProgramState& st, int i);

// The flag table the dialog works on: CodeSelected or LessonSelected.
std::array<bool, MaxGroups>& RangeFlags(ProgramState& st);
const std::array<bool, MaxGroups>& RangeFlags(const ProgramState& st);

// True when group i is in the learning range.
bool RangeGroupSelected(const ProgramState& st, int i);

// Toggles group i in or out of the range. An index outside the groups
// changes nothing.
void ToggleRangeGroup(ProgramState& st, int i);

// All groups in range or out of range; flags beyond the group count
// stay as they are.
void SelectAllRangeGroups(ProgramState& st);
void ClearAllRangeGroups(ProgramState& st);

}  // namespace vokamo

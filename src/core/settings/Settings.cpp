#include "core/settings/Settings.h"

#include <algorithm>

#include "core/data/DataFile.h"

namespace vokamo {

namespace {

// The setting behind a radio group, for a const or a changeable state.
template <typename State>
auto& OptionField(State& st, OptionSetting which) {
    switch (which) {
        case OptionSetting::HintMode:
            return st.HintMode;
        case OptionSetting::RandomOrder:
            return st.RandomOrder;
        case OptionSetting::RecordOff:
            break;
    }
    return st.RecordOff;
}

int32_t StepFlashTime(ProgramState& st, int32_t step) {
    // Held on both sides: a record edited by hand may bring a value outside
    // the range, and one click must bring it back in.
    const int64_t next = static_cast<int64_t>(st.FlashTime) + step;
    st.FlashTime = static_cast<int32_t>(std::clamp<int64_t>(next, MinFlashTime, MaxFlashTime));
    return st.FlashTime;
}

}  // namespace

OptionValues TakeOptionValues(const ProgramState& st) {
    return {st.HintMode, st.RandomOrder, st.RecordOff};
}

void SetOption(ProgramState& st, OptionSetting which, int32_t itemIndex) {
    OptionField(st, which) = itemIndex != 0;
}

int32_t OptionValue(const ProgramState& st, OptionSetting which) {
    // The radio item of the setting: 0 for off, 1 for on.
    return OptionField(st, which) ? 1 : 0;
}

void RestoreOptions(ProgramState& st, const OptionValues& copy) {
    st.HintMode = copy.HintMode;
    st.RandomOrder = copy.RandomOrder;
    st.RecordOff = copy.RecordOff;
}

void FinishOptions(ProgramState& st) {
    BuildItemOrder(st);
}

int32_t FlashTimeUp(ProgramState& st) {
    return StepFlashTime(st, 1);
}

int32_t FlashTimeDown(ProgramState& st) {
    return StepFlashTime(st, -1);
}

}  // namespace vokamo

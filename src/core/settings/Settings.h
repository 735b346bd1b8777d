#pragma once

#include <cstdint>

#include "core/state/ProgramState.h"

namespace vokamo {

inline constexpr int32_t MinFlashTime = 0;
inline constexpr int32_t MaxFlashTime = 20;

// The three settings of the options dialog, as taken when it opens so that
// cancel can bring them back.
struct OptionValues {
    bool HintMode = false;
    bool RandomOrder = false;
    bool RecordOff = false;
    bool operator==(const OptionValues&) const = default;
};

OptionValues TakeOptionValues(const ProgramState& st);

// The settings the options dialog's radio groups stand for; a radio item's
// index is the setting's value.
enum class OptionSetting { HintMode, RandomOrder, RecordOff };
void SetOption(ProgramState& st, OptionSetting which, int32_t itemIndex);
int32_t OptionValue(const ProgramState& st, OptionSetting which);

// Cancel: the values of the opening come back.
void RestoreOptions(ProgramState& st, const OptionValues& copy);
// Closing the options, after OK or cancel alike: the question order follows
// RandomOrder again (a new random order is drawn even when nothing changed).
void FinishOptions(ProgramState& st);

// One step of the flash time, held to MinFlashTime..MaxFlashTime; returns
// the new value.
int32_t FlashTimeUp(ProgramState& st);
int32_t FlashTimeDown(ProgramState& st);

}  // namespace vokamo

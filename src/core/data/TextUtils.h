#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/Random.h"

namespace vokamo {

inline constexpr int ExtraKeyCount = 8;
inline constexpr int KeySymbolCount = 25;

// b c d ... z (0..20), then ' , . - (21..24).
extern const std::array<const char*, KeySymbolCount> KeySymbols;

// Splitters: parts between separators, runs of separators count once, a
// trailing run gives one empty last part, an empty text one empty part. At
// most MaxParts (18) parts; the rest is dropped. The number of parts is
// SplitCount + 1 in the old terms, i.e. result.size().
std::vector<std::string> SplitWords(std::string_view text);
std::vector<std::string> SplitCommas(std::string_view text);
// Number of non-empty words between half-width spaces, without the table
// limit: more than MaxParts means SplitWords would drop some.
int CountWords(std::string_view text);

std::string UnderscoreToSpace(std::string_view text);
std::string HintPattern(std::string_view word);
std::string DropFirstChar(std::string_view text);
int StartsWithChar(std::string_view text, std::string_view ch);
int CheckFirstUpper(std::string_view word);

// A permutation of 0..n-1 (n <= 600); reseeds the generator first.
std::vector<int32_t> Shuffle(Random& rng, int n);
// A new random order of n choices (n <= 16).
std::vector<int32_t> ShuffleChoices(Random& rng, int n);
// The eight symbols for the variable keys while `word` is typed, in
// KeySymbols order (they become KeyLetters 5..12).
std::array<std::string, ExtraKeyCount> ChooseExtraKeys(Random& rng, std::string_view word);

}  // namespace vokamo

#include "core/data/TextUtils.h"

#include "core/data/SjisText.h"
#include "core/state/ProgramState.h"

namespace vokamo {

const std::array<const char*, KeySymbolCount> KeySymbols = {"b", "c", "d", "f", "g", "h", "j", "k", "l",
                                                            "m", "n", "p", "q", "r", "s", "t", "v", "w",
                                                            "x", "y", "z", "'", ",", ".", "-"};

namespace {

// Consonants come first in KeySymbols; the punctuation behind them is only
// ever given a key when the word needs it.
constexpr int ConsonantCount = 21;
// Only the start of a word decides its keys.
constexpr size_t KeyScanChars = 50;

// SjisCharLen for the hot loops over whole lines; the header read runs them
// over every line of a 600-item file.
inline size_t CharLen(std::string_view text, size_t pos) {
    const auto b = static_cast<unsigned char>(text[pos]);
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return lead && pos + 1 < text.size() ? 2 : 1;
}

bool IsSingle(std::string_view text, size_t pos, char c) {
    return SjisCharLen(text, pos) == 1 && text[pos] == c;
}

// The one splitter behind SplitWords and SplitCommas. The separator is only
// recognised as a whole character, so a double-byte character whose second
// byte happens to equal it stays in its part. Parts beyond the table are
// dropped.
std::vector<std::string> SplitAt(std::string_view text, char sep) {
    std::vector<std::string> parts(1);
    int count = 0;
    bool inPart = false;
    for (size_t i = 0; i < text.size();) {
        const size_t len = CharLen(text, i);
        if (len == 1 && text[i] == sep) {
            if (inPart) {
                ++count;
                inPart = false;
                if (count < MaxParts) parts.emplace_back();
            }
        } else {
            if (count < MaxParts) parts.back().append(text.substr(i, len));
            inPart = true;
        }
        i += len;
    }
    return parts;
}

int CountWordsAt(std::string_view text, char sep) {
    int words = 0;
    bool inPart = false;
    for (size_t i = 0; i < text.size();) {
        const size_t len = CharLen(text, i);
        if (len == 1 && text[i] == sep) {
            inPart = false;
        } else if (!inPart) {
            inPart = true;
            ++words;
        }
        i += len;
    }
    return words;
}

}  // namespace

std::vector<std::string> SplitWords(std::string_view text) {
    return SplitAt(text, ' ');
}

std::vector<std::string> SplitCommas(std::string_view text) {
    return SplitAt(text, ',');
}

int CountWords(std::string_view text) {
    return CountWordsAt(text, ' ');
}

std::string UnderscoreToSpace(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < out.size(); i += SjisCharLen(out, i))
        if (IsSingle(out, i, '_')) out[i] = ' ';
    return out;
}

std::string HintPattern(std::string_view word) {
    if (word.empty()) return {};
    const size_t first = SjisCharLen(word, 0);
    std::string out(word.substr(0, first));
    out.append(SjisCharCount(word.substr(first)), '-');
    return out;
}

std::string DropFirstChar(std::string_view text) {
    if (text.empty()) return {};
    return std::string(text.substr(SjisCharLen(text, 0)));
}

int StartsWithChar(std::string_view text, std::string_view ch) {
    if (text.empty() || ch.empty()) return 0;
    const std::string_view first = text.substr(0, SjisCharLen(text, 0));
    const std::string_view wanted = ch.substr(0, SjisCharLen(ch, 0));
    return first == wanted ? 1 : 0;
}

int CheckFirstUpper(std::string_view word) {
    if (word.empty() || SjisCharLen(word, 0) != 1) return 0;
    return word[0] >= 'A' && word[0] <= 'Z' ? 1 : 0;
}

std::vector<int32_t> Shuffle(Random& rng, int n) {
    std::vector<int32_t> result;
    if (n <= 0) return result;
    rng.Reseed();
    std::vector<int32_t> pool(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) pool[static_cast<size_t>(i)] = i;
    result.reserve(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        // Drawn below the full n and folded onto what is left, not below
        // `left`: a given seed then gives the same order as it always did.
        const uint32_t left = static_cast<uint32_t>(pool.size());
        const uint32_t r = rng.Below(static_cast<uint32_t>(n)) % left;
        result.push_back(pool[r]);
        pool.erase(pool.begin() + r);
    }
    return result;
}

std::vector<int32_t> ShuffleChoices(Random& rng, int n) {
    return Shuffle(rng, n);
}

std::array<std::string, ExtraKeyCount> ChooseExtraKeys(Random& rng, std::string_view word) {
    std::array<int32_t, KeySymbolCount> marks{};
    const std::string lower = SjisLowerAscii(SjisFirstChars(word, KeyScanChars));
    int count = 0;
    for (size_t i = 0; i < lower.size(); i += SjisCharLen(lower, i)) {
        if (SjisCharLen(lower, i) != 1) continue;
        for (int s = 0; s < KeySymbolCount; ++s) {
            if (KeySymbols[static_cast<size_t>(s)][0] == lower[i] && marks[static_cast<size_t>(s)] == 0) {
                marks[static_cast<size_t>(s)] = 1;
                ++count;
            }
        }
    }
    for (int idx : Shuffle(rng, KeySymbolCount)) {
        if (count >= ExtraKeyCount) break;
        if (marks[static_cast<size_t>(idx)] == 0 && idx < ConsonantCount) {
            marks[static_cast<size_t>(idx)] = 1;
            ++count;
        }
    }
    std::array<std::string, ExtraKeyCount> keys{};
    size_t copied = 0;
    for (size_t s = 0; s < KeySymbols.size() && copied < keys.size(); ++s)
        if (marks[s]) keys[copied++] = KeySymbols[s];
    return keys;
}

}  // namespace vokamo

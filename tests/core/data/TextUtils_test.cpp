#include "core/data/TextUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "CaseName.h"
#include "core/data/SjisText.h"
#include "core/state/ProgramState.h"

namespace vokamo {
namespace {

// Double-byte characters whose second byte looks like ASCII.
const std::string KataA = "\x83\x41";       // ア: second byte "A"
const std::string KataSmallI = "\x83\x42";  // ィ: second byte "B"
const std::string KataSmallA = "\x83\x40";  // ァ: second byte "@"
const std::string KataDa = "\x83\x5F";      // ダ: second byte "_"
const std::string KataSo = "\x83\x5C";      // ソ: second byte "\"

using Parts = std::vector<std::string>;

struct SplitCase {
    const char* name;
    bool commas;
    std::string text;
    Parts parts;
};

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, GivesTheParts) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(c.commas ? SplitCommas(c.text) : SplitWords(c.text), c.parts);
}

Parts Numbered(int from, int to) {
    Parts p;
    for (int i = from; i <= to; ++i) p.push_back(std::to_string(i));
    return p;
}

std::string Joined(int from, int to, char sep) {
    std::string s;
    for (int i = from; i <= to; ++i) s += (i > from ? std::string(1, sep) : "") + std::to_string(i);
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Splitters, SplitTest,
    testing::Values(
        SplitCase{"Empty", false, "", {""}}, SplitCase{"OneWord", false, "go", {"go"}},
        SplitCase{"LeadingRepeatedTrailing", false, "  I  @go ", {"I", "@go", ""}},
        SplitCase{"OnlySpaces", false, "   ", {""}},
        SplitCase{"RunOfTrailingSpacesGivesOneEmpty", false, "a b   ", {"a", "b", ""}},
        SplitCase{"FullWidthSpaceIsNoSeparator",
                  false,
                  "a\x81\x40"
                  "b c",
                  {"a\x81\x40"
                   "b",
                   "c"}},
        SplitCase{"DoubleByteKeptWhole", false, KataA + KataSo + " " + KataDa, {KataA + KataSo, KataDa}},
        SplitCase{"SpaceDoesNotSplitForCommas", true, "a b,c", {"a b", "c"}},
        SplitCase{"SixNumbers", true, "0,1,2,3,4,5", Numbered(0, 5)},
        SplitCase{"EmptyFieldsVanish", true, ",,1,,2,", {"1", "2", ""}},
        SplitCase{"EighteenPartsKept", false, Joined(1, 18, ' '), Numbered(1, 18)},
        SplitCase{"PartsBeyondEighteenDropped", false, Joined(1, 20, ' '), Numbered(1, 18)},
        SplitCase{"EmptyNineteenthDropped", false, Joined(1, 18, ' ') + " ", Numbered(1, 18)},
        SplitCase{"CommasBeyondEighteenDropped", true, Joined(1, 25, ','), Numbered(1, 18)}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(CountWords, CountsWordsNotSeparators) {
    EXPECT_EQ(CountWords(""), 0);
    EXPECT_EQ(CountWords("  a  b "), 2);
    EXPECT_EQ(CountWords(Joined(1, 19, ' ') + "  "), 19);
    EXPECT_EQ(CountWords(KataA + KataSmallA), 1);
}

struct ConvertCase {
    const char* name;
    std::string (*fn)(std::string_view);
    std::string in;
    std::string out;
};

class ConvertTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertTest, Converts) {
    EXPECT_EQ(GetParam().fn(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    TextConversions, ConvertTest,
    testing::Values(ConvertCase{"UnderscoreToSpace", UnderscoreToSpace, "look_for_it", "look for it"},
                    ConvertCase{"UnderscoreInsideDoubleByteStays", UnderscoreToSpace, KataDa + "_" + KataDa,
                                KataDa + " " + KataDa},
                    ConvertCase{"UnderscoreEmpty", UnderscoreToSpace, "", ""},
                    ConvertCase{"HintFiveLetters", HintPattern, "apple", "a----"},
                    ConvertCase{"HintOneLetter", HintPattern, "a", "a"},
                    ConvertCase{"HintEmpty", HintPattern, "", ""},
                    ConvertCase{"HintCountsCharacters", HintPattern, KataA + "ab" + KataDa, KataA + "---"},
                    ConvertCase{"DropAt", DropFirstChar, "@go", "go"},
                    ConvertCase{"DropEmpty", DropFirstChar, "", ""},
                    ConvertCase{"DropWholeDoubleByte", DropFirstChar, KataSmallA + "go", "go"}),
    [](const testing::TestParamInfo<ConvertCase>& info) { return std::string(info.param.name); });

TEST(StartsWithChar, MatchesWholeFirstCharacterOnly) {
    EXPECT_EQ(StartsWithChar("@go", "@"), 1);
    EXPECT_EQ(StartsWithChar("@", "@"), 1);
    EXPECT_EQ(StartsWithChar("go", "@"), 0);
    EXPECT_EQ(StartsWithChar("", "@"), 0);
    EXPECT_EQ(StartsWithChar("Go", "g"), 0);
    // ァ ends in the byte of "@" but is not "@".
    EXPECT_EQ(StartsWithChar(KataSmallA + "go", "@"), 0);
    EXPECT_EQ(StartsWithChar(KataSmallA + "go", KataSmallA), 1);
}

TEST(CheckFirstUpper, OnlyAsciiCapitalsCount) {
    EXPECT_EQ(CheckFirstUpper("Tom"), 1);
    EXPECT_EQ(CheckFirstUpper("tom"), 0);
    EXPECT_EQ(CheckFirstUpper(""), 0);
    EXPECT_EQ(CheckFirstUpper("'Tis"), 0);
    EXPECT_EQ(CheckFirstUpper(KataA), 0);  // second byte "A"
    EXPECT_EQ(CheckFirstUpper("\x82\x60"
                              "b"),
              0);  // full-width Ａ
}

// Random sources with a fixed time of day.
Random FixedClock(uint32_t ms) {
    return Random([ms] { return ms; });
}

class ShuffleTest : public testing::TestWithParam<int> {};

TEST_P(ShuffleTest, GivesEachNumberOnce) {
    const int n = GetParam();
    for (uint32_t ms : {0u, 1u, 4711u, 86399999u}) {
        Random rng = FixedClock(ms);
        auto order = Shuffle(rng, n);
        ASSERT_EQ(order.size(), static_cast<size_t>(n));
        std::sort(order.begin(), order.end());
        for (int i = 0; i < n; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], i);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ShuffleTest, testing::Values(1, 2, 9, 16, 25, 600), test::CaseName());

TEST(Shuffle, DrawsBelowFullCountThenFoldsOntoWhatIsLeft) {
    // Orders worked out by hand from the generator for n = 5.
    Random a = FixedClock(1);
    EXPECT_EQ(Shuffle(a, 5), (std::vector<int32_t>{0, 1, 3, 4, 2}));
    Random b = FixedClock(1000);
    EXPECT_EQ(Shuffle(b, 5), (std::vector<int32_t>{1, 4, 2, 0, 3}));
    Random c = FixedClock(86399999);
    EXPECT_EQ(Shuffle(c, 5), (std::vector<int32_t>{3, 0, 2, 4, 1}));
}

TEST(Shuffle, ReseedsAtEveryCall) {
    Random rng = FixedClock(777);
    const auto first = Shuffle(rng, 40);
    EXPECT_EQ(Shuffle(rng, 40), first);
    EXPECT_EQ(ShuffleChoices(rng, 40), first);
    uint32_t ms = 777;
    Random moving([&ms] { return ms++; });
    EXPECT_NE(Shuffle(moving, 40), Shuffle(moving, 40));
}

TEST(Shuffle, SmallAndEmpty) {
    Random rng = FixedClock(5);
    EXPECT_EQ(Shuffle(rng, 1), std::vector<int32_t>{0});
    EXPECT_TRUE(Shuffle(rng, 0).empty());
}

TEST(Shuffle, SpreadsFirstPlaceOverAllItems) {
    // Over a day's worth of clocks every item must come first sometimes.
    std::set<int32_t> firsts;
    for (uint32_t ms = 0; ms < 86400000u; ms += 86400000u / 2000) {
        Random rng = FixedClock(ms);
        firsts.insert(Shuffle(rng, 10)[0]);
    }
    EXPECT_EQ(firsts.size(), 10u);
}

using Keys = std::array<std::string, ExtraKeyCount>;

int IndexOf(const std::string& symbol) {
    for (int i = 0; i < KeySymbolCount; ++i)
        if (symbol == KeySymbols[static_cast<size_t>(i)]) return i;
    return -1;
}

// Every key distinct, a known symbol, and in table order.
void ExpectWellFormed(const Keys& keys) {
    for (size_t j = 0; j < keys.size(); ++j) {
        ASSERT_GE(IndexOf(keys[j]), 0) << keys[j];
        if (j > 0) {
            EXPECT_LT(IndexOf(keys[j - 1]), IndexOf(keys[j]));
        }
    }
}

class ExtraKeysTest : public testing::TestWithParam<uint32_t> {};

TEST_P(ExtraKeysTest, WordSymbolsFirstThenRandomConsonantsInTableOrder) {
    Random rng = FixedClock(GetParam());
    const Keys keys = ChooseExtraKeys(rng, "bcd");
    ExpectWellFormed(keys);
    EXPECT_EQ(keys[0], "b");
    EXPECT_EQ(keys[1], "c");
    EXPECT_EQ(keys[2], "d");
    for (const auto& k : keys) {
        EXPECT_LT(IndexOf(k), 21) << "punctuation is never added at random";
    }
}

TEST_P(ExtraKeysTest, PunctuationComesAfterConsonants) {
    Random rng = FixedClock(GetParam());
    const Keys keys = ChooseExtraKeys(rng, "Don't");
    ExpectWellFormed(keys);
    EXPECT_EQ(keys[7], "'");
    for (const char* needed : {"d", "n", "t"}) {
        EXPECT_NE(std::find(keys.begin(), keys.end(), needed), keys.end());
    }
}

TEST_P(ExtraKeysTest, ExactlyEightSymbolsGetNoRandomKey) {
    Random rng = FixedClock(GetParam());
    EXPECT_EQ(ChooseExtraKeys(rng, "Mr. Smith-Jones's"), (Keys{"h", "j", "m", "n", "r", "s", "t", "'"}));
}

TEST_P(ExtraKeysTest, NinthSymbolInTableOrderGetsNoKey) {
    Random rng = FixedClock(GetParam());
    EXPECT_EQ(ChooseExtraKeys(rng, "zylkjhgfd"), (Keys{"d", "f", "g", "h", "j", "k", "l", "y"}));
}

TEST_P(ExtraKeysTest, DoubleByteCharactersAndVowelsMarkNothing) {
    Random a = FixedClock(GetParam());
    Random b = FixedClock(GetParam());
    const Keys none = ChooseExtraKeys(a, "");
    ExpectWellFormed(none);
    EXPECT_EQ(ChooseExtraKeys(b, "aeiou" + KataSmallI + KataA + "123"), none);
}

TEST_P(ExtraKeysTest, OnlyTheFirstFiftyCharactersCount) {
    Random a = FixedClock(GetParam());
    Random b = FixedClock(GetParam());
    EXPECT_EQ(ChooseExtraKeys(a, std::string(50, 'a') + "qxz"), ChooseExtraKeys(b, ""));
}

INSTANTIATE_TEST_SUITE_P(Clocks, ExtraKeysTest, testing::Values(0u, 1u, 12345u, 43200000u, 86399999u),
                         test::CaseName());

}  // namespace
}  // namespace vokamo

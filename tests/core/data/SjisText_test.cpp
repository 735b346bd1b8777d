#include "core/data/SjisText.h"

#include <gtest/gtest.h>

namespace vokamo {
namespace {

// "ア" in CP932 is 0x83 0x41: a second byte equal to "A".
const std::string KataA = "\x83\x41";
// "ソ" is 0x83 0x5C; "゜" (0x81 0x4B); "＿" (0x81 0x51); "＠" (0x81 0x97).

TEST(SjisText, CaseMappingLeavesSecondBytesAlone) {
    EXPECT_EQ(SjisLowerAscii("AB" + KataA + "Cz"), "ab" + KataA + "cz");
    EXPECT_EQ(SjisUpperAscii("ab" + KataA + "cZ"), "AB" + KataA + "CZ");
}

TEST(SjisText, CutNeverSplitsACharacter) {
    const std::string s = "a" + KataA + "b";
    EXPECT_EQ(SjisCut(s, 2), "a");
    EXPECT_EQ(SjisCut(s, 3), "a" + KataA);
    EXPECT_EQ(SjisCut(s, 10), s);
    EXPECT_EQ(SjisCharCount(s), 3u);
    // Half-width katakana is one byte.
    EXPECT_EQ(SjisCharCount("\xB1\xB2"), 2u);
}

TEST(SjisText, ConvertsBothWaysAndRefusesWhatCp932CannotHold) {
    const auto sjis = Utf8ToSjis("全問題");
    ASSERT_TRUE(sjis.has_value());
    EXPECT_EQ(sjis->size(), 6u);
    EXPECT_EQ(SjisToUtf8(*sjis).value(), "全問題");
    EXPECT_FALSE(Utf8ToSjis("😀").has_value());
    EXPECT_EQ(SjisToUtf8Lossy("a\x81"), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vokamo

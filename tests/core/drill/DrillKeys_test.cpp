#include "CaseName.h"
#include "DrillFixture.h"
#include "core/data/SjisText.h"

namespace vokamo::test {
namespace {

using Mode = SoundMode;

class DrillKeysTest : public DrillTest {
protected:
    void OpenWith(const std::string& answer, int hint = 0, int flash = 0) {
        st.HintMode = hint;
        st.FlashTime = flash;
        LoadData(1, {{answer, "問い", "", "説明", 0, 1}});
        StartAndOpenFirstSet();
        TakeSounds();
    }
};

TEST_F(DrillKeysTest, WrongFirstWordIsShownInRedAndTheAnswerLineKeepsTheFirstTry) {
    OpenWith("a @book and a @pen");
    EXPECT_EQ(Scr().w3.text, "a (    ) and a (    ) ");
    TypeAndEnter("bok");
    EXPECT_EQ(TakeSounds(),
              (std::vector<PlayedSound>{{"button2.wav", Mode::Background}, {"oldng.wav", Mode::Background}}));
    EXPECT_EQ(Scr().w3.text, "a (book) and a (    ) ");
    EXPECT_EQ(Scr().w3.colour, ColourRed);
    EXPECT_EQ(Scr().a[0].text, " bok");
    EXPECT_EQ(U(Scr().lblMes.text), "直しです");
    EXPECT_EQ(U(Scr().lblAnsAbout.text), "説明");
    EXPECT_EQ(Scr().lblAnsAbout.fontPt, 14);
    EXPECT_EQ(st.SetWrong[0], 1);
    EXPECT_EQ(Scr().tmrNG, (TimerView{true, 300}));
    for (const auto& key : Scr().keys) EXPECT_TRUE(key.enabled);

    TypeAndEnter("book");
    EXPECT_EQ(Scr().w3.text, "a book and a (    ) ");
    EXPECT_EQ(Scr().w3.colour, ColourBlack);
    EXPECT_EQ(Scr().a[0].text, " bok");
    EXPECT_TRUE(Scr().tmrOK.enabled);
    EXPECT_EQ(Scr().lblAnsAbout.text, "");
    for (const auto& key : Scr().keys) EXPECT_FALSE(key.enabled);
    EXPECT_EQ(RunOkPause(), 9);
    EXPECT_EQ(Scr().i[0], Picture::None);
    EXPECT_EQ(U(Scr().lblMes.text), "答を入れてください");
    for (const auto& key : Scr().keys) EXPECT_TRUE(key.enabled);

    TypeAndEnter("pen");
    EXPECT_EQ(Scr().a[0].text, " bok pen");
    EXPECT_EQ(Scr().w3.text, "a book and a pen ");
    RunOkPause();
    EXPECT_EQ(Scr().i[0], Picture::NG);
    EXPECT_EQ(st.ItemState[0], 0);
    EXPECT_EQ(st.ItemTries[0], 1);
    EXPECT_EQ(st.WrongCount, 1);
    EXPECT_EQ(st.RightCount, 0);
}

TEST_F(DrillKeysTest, TypingKeepsThirtyLettersAndCapitalisesTheFirst) {
    OpenWith("@Tokyo is big");
    TypeChars("t");
    EXPECT_EQ(Scr().w2.text, "T");
    TypeChars(std::string(34, 'k'));
    EXPECT_EQ(Scr().w2.text, "T" + std::string(29, 'k'));
    Machine().FormKeyDown(8);
    EXPECT_EQ(Scr().w2.text, "T" + std::string(28, 'k'));
    Machine().FormKeyDown(46);
    EXPECT_EQ(Scr().w2.text, "");
    Machine().FormKeyDown(96);
    EXPECT_EQ(Scr().w2.text, "");
    TypeAndEnter("TOKYO");
    EXPECT_EQ(Scr().w3.text, "Tokyo is big ");
    EXPECT_TRUE(Scr().tmrOK.enabled);
}

TEST_F(DrillKeysTest, HintShowsTheFirstLetterAndHyphensInGreyUntilTyping) {
    OpenWith("an @apple", 1);
    EXPECT_EQ(Scr().w2.text, "a----");
    EXPECT_EQ(Scr().w2.colour, ColourGrey);
    Machine().FormKeyDown(8);
    EXPECT_EQ(Scr().w2.text, "");
    TypeChars("x");
    EXPECT_EQ(Scr().w2.text, "x");
    EXPECT_EQ(Scr().w2.colour, ColourBlack);
}

TEST_F(DrillKeysTest, FlashShowsTheWholeSentenceInGreenForTwoTicks) {
    OpenWith("I @like big_apples", 0, 3);
    EXPECT_EQ(Scr().tmrFlash, (TimerView{true, 600}));
    EXPECT_EQ(Scr().w3.text, "I like big_apples ");
    EXPECT_EQ(Scr().w3.colour, ColourGreen);
    TypeChars("li");
    Machine().Tick(DrillTimer::Flash);
    EXPECT_EQ(Scr().w3.colour, ColourGreen);
    Machine().Tick(DrillTimer::Flash);
    EXPECT_EQ(Scr().w3.text, "I (    ) big_apples ");
    EXPECT_EQ(Scr().w3.colour, ColourBlack);
    EXPECT_FALSE(Scr().tmrFlash.enabled);
    EXPECT_EQ(Scr().w2.text, "li");
}

TEST_F(DrillKeysTest, NoFlashDrawsTheBlanksAtOnce) {
    OpenWith("I @like apples", 0, 0);
    EXPECT_FALSE(Scr().tmrFlash.enabled);
    EXPECT_EQ(Scr().w3.text, "I (    ) apples ");
    EXPECT_EQ(Scr().w3.colour, ColourBlack);
}

TEST_F(DrillKeysTest, KeysCarryTheVowelsAndTheWordsConsonantsInOrder) {
    OpenWith("@strength");
    const std::vector<std::string> vowels = {"a", "e", "i", "o", "u"};
    for (int t = 0; t < 5; ++t) EXPECT_EQ(Scr().keys[t].caption, vowels[t]);
    std::string extra;
    for (int t = 5; t < LetterKeyCount; ++t) extra += Scr().keys[t].caption;
    ASSERT_EQ(extra.size(), 8u);
    EXPECT_TRUE(std::is_sorted(extra.begin(), extra.end()));
    for (char needed : std::string("ghnrst")) EXPECT_NE(extra.find(needed), std::string::npos) << needed;
    EXPECT_EQ(Scr().keys[TagEnter].caption, "Enter");
}

TEST_F(DrillKeysTest, MouseClicksTypeClearAndJudgeWithSoundsToTheirEnd) {
    OpenWith("@ie");
    Machine().KeyMouseDown(TagKeyS);
    EXPECT_EQ(Scr().keys[TagKeyS].colour, KeyMouseDown);
    Machine().KeyMouseUp(TagKeyS);
    EXPECT_EQ(Scr().keys[TagKeyS].colour, KeyNormalDark);
    Machine().KeyClick(TagKeyS);
    Machine().KeyClick(TagKeyS);
    EXPECT_EQ(Scr().w2.text, "ii");
    Machine().KeyClick(TagBS);
    EXPECT_EQ(Scr().w2.text, "i");
    Machine().KeyClick(TagKeyM);
    Machine().KeyClick(TagDel);
    EXPECT_EQ(Scr().w2.text, "");
    Machine().KeyClick(TagKeyS);
    Machine().KeyClick(TagKeyM);
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{"button2.wav", Mode::Wait},
                                                      {"button2.wav", Mode::Wait},
                                                      {"button.wav", Mode::Wait},
                                                      {"button2.wav", Mode::Wait},
                                                      {"button.wav", Mode::Wait},
                                                      {"button2.wav", Mode::Wait},
                                                      {"button2.wav", Mode::Wait}}));
    Machine().KeyClick(TagEnter);
    EXPECT_EQ(TakeSounds(),
              (std::vector<PlayedSound>{{"button.wav", Mode::Wait}, {"piyo.wav", Mode::Background}}));
    // Keys are disabled during the pause: clicks are not taken.
    Machine().KeyClick(TagKeyS);
    EXPECT_TRUE(TakeSounds().empty());
}

TEST_F(DrillKeysTest, BeforeTheFirstQuestionOnlyEscActs) {
    LoadData(1, {{"@cat", "猫", "", "", 0, 1}});
    st.CurQuestionType = QuestionType::KeyInput;
    Machine().StartDrill();
    TakeSounds();
    Machine().FormKeyDown(8);
    Machine().FormKeyPress('a');
    EXPECT_EQ(TakeSounds(), (std::vector<PlayedSound>{{"button.wav", Mode::Background}}));
    Machine().FormKeyDown(27);
    EXPECT_FALSE(Scr().visible);
    EXPECT_EQ(Scr().leaves, 1);
}

// Characters of the keypad (or the main row) type the letter of their key.
struct CharCase {
    char ch;
    int tag;
};

class KeypadCharTest : public DrillKeysTest, public ::testing::WithParamInterface<CharCase> {};

TEST_P(KeypadCharTest, TypesTheLetterOfItsKeyAndHighlightsIt) {
    OpenWith("@brick");
    const CharCase c = GetParam();
    const std::string letter = Scr().keys[c.tag].caption;
    Machine().FormKeyPress(c.ch);
    EXPECT_EQ(Scr().w2.text, letter);
    EXPECT_EQ(Scr().keys[c.tag].colour, KeyKeyboardDown);
}

INSTANTIATE_TEST_SUITE_P(AllThirteen, KeypadCharTest,
                         ::testing::Values(CharCase{'/', TagKeyD}, CharCase{'*', TagKeyM},
                                           CharCase{'-', TagKeyS}, CharCase{'7', TagKey7},
                                           CharCase{'8', TagKey8}, CharCase{'9', TagKey9},
                                           CharCase{'+', TagKeyP}, CharCase{'4', TagKey4},
                                           CharCase{'5', TagKey5}, CharCase{'6', TagKey6},
                                           CharCase{'1', TagKey1}, CharCase{'2', TagKey2},
                                           CharCase{'3', TagKey3}),
                         [](const auto& info) { return test::CaseBytes(std::string(1, info.param.ch)); });

class IgnoredCharTest : public DrillKeysTest, public ::testing::WithParamInterface<char> {};

TEST_P(IgnoredCharTest, TypesNothing) {
    OpenWith("@brick");
    Machine().FormKeyPress(GetParam());
    EXPECT_EQ(Scr().w2.text, "");
}

INSTANTIATE_TEST_SUITE_P(Others, IgnoredCharTest, ::testing::Values('0', '.', ',', '\'', ' ', '@', '\x83'),
                         test::CaseName());

// Key-up gives the key a virtual key stands for its normal colour.
struct KeyUpCase {
    int vk;
    int tag;
};

class KeyUpTest : public DrillKeysTest, public ::testing::WithParamInterface<KeyUpCase> {};

TEST_P(KeyUpTest, RestoresTheNormalColour) {
    OpenWith("@brick");
    const KeyUpCase c = GetParam();
    for (int t = 0; t < KeyCount; ++t) Machine().KeyMouseDown(t);
    Machine().FormKeyUp(c.vk);
    for (int t = 0; t < KeyCount; ++t) {
        const Rgb normal = (t == TagKeyD || t == TagKeyM || t == TagKeyS || t == TagKeyP || t == TagEnter)
                               ? KeyNormalDark
                               : KeyNormalLight;
        EXPECT_EQ(Scr().keys[t].colour, t == c.tag ? normal : KeyMouseDown) << "vk " << c.vk << " key " << t;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyUpTest,
    ::testing::Values(KeyUpCase{13, TagEnter}, KeyUpCase{46, TagDel}, KeyUpCase{110, TagDel},
                      KeyUpCase{96, TagBS}, KeyUpCase{97, TagKey1}, KeyUpCase{98, TagKey2},
                      KeyUpCase{99, TagKey3}, KeyUpCase{100, TagKey4}, KeyUpCase{101, TagKey5},
                      KeyUpCase{102, TagKey6}, KeyUpCase{103, TagKey7}, KeyUpCase{104, TagKey8},
                      KeyUpCase{105, TagKey9}, KeyUpCase{106, TagKeyM}, KeyUpCase{107, TagKeyP},
                      KeyUpCase{109, TagKeyS}, KeyUpCase{111, TagKeyD}, KeyUpCase{108, -1}, KeyUpCase{8, -1},
                      KeyUpCase{65, -1}),
    [](const auto& info) { return "Vk" + std::to_string(info.param.vk); });

// Key-down while a blank is open: what each key does to the typed text.
struct KeyDownCase {
    int vk;
    std::string after;  // w2 after typing "abc" and the key
    int highlighted;    // key coloured #FF8080, or -1
};

class KeyDownTest : public DrillKeysTest, public ::testing::WithParamInterface<KeyDownCase> {};

TEST_P(KeyDownTest, ActsOnTheTypedText) {
    OpenWith("@brick");
    TypeChars("abc");
    TakeSounds();
    const KeyDownCase c = GetParam();
    Machine().FormKeyDown(c.vk);
    EXPECT_EQ(TakeSounds().front(), (PlayedSound{"button2.wav", Mode::Background}));
    EXPECT_EQ(Scr().w2.text, c.after);
    for (int t = 0; t < KeyCount; ++t)
        EXPECT_EQ(Scr().keys[t].colour == KeyKeyboardDown, t == c.highlighted) << "key " << t;
    EXPECT_TRUE(Scr().visible);
}

INSTANTIATE_TEST_SUITE_P(Table, KeyDownTest,
                         ::testing::Values(KeyDownCase{8, "ab", -1}, KeyDownCase{96, "ab", -1},
                                           KeyDownCase{46, "", -1}, KeyDownCase{110, "", TagDel},
                                           KeyDownCase{13, "abc", TagEnter}, KeyDownCase{65, "abc", -1},
                                           KeyDownCase{103, "abc", -1}),
                         [](const auto& info) { return "Vk" + std::to_string(info.param.vk); });

}  // namespace
}  // namespace vokamo::test

#include <gtest/gtest.h>

#include <filesystem>

#include "CaseName.h"
#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/state/Errors.h"

namespace vokamo {
namespace {

// Item i of a generated file has the texts "a<i>", "b<i>", "c<i>", "d<i>"
// (answer, choices, question, explanation) so a slot shows which item it got.
std::string MakeFile(int kind, int items) {
    std::vector<std::string> lines = {"generated",
                                      "Gen " + std::to_string(10 + kind) + " " + std::to_string(items)};
    if (kind > 0) {
        lines.insert(lines.end(), {"2", "L0", "L1"});
        if (kind > 1) lines.insert(lines.end(), {"2", "C0", "C1"});
    }
    for (int i = 0; i < items; ++i) {
        const std::string n = test::LetterNumber(i);
        const std::string code = std::to_string(i % 2) + " " + std::to_string((i / 2) % 2);
        switch (kind) {
            case 0:
                lines.insert(lines.end(), {"@a" + n, "c" + n});
                break;
            case 1:
                lines.insert(lines.end(), {std::to_string(i % 2), "@a" + n, "c" + n, "d" + n});
                break;
            case 2:
                lines.insert(lines.end(), {code, "@a" + n, "c" + n, "d" + n});
                break;
            default:
                lines.insert(lines.end(), {code, "c" + n, "a" + n + " b" + n, "@a" + n, "d" + n});
                break;
        }
    }
    std::string out;
    for (const auto& l : lines) out += Sjis(l) + "\r\n";
    return out;
}

class SetTextsTest : public testing::TestWithParam<int> {
protected:
    void SetUp() override {
        st_.DataPath = test::MakeTempDir() + "/set.dat";
        test::WriteBytes(st_.DataPath, MakeFile(GetParam(), 9));
        ReadDataHeader(st_);
        st_.SetTextB.fill("untouched");
        st_.SetTextA[3] = "older set";
    }
    ProgramState st_;
};

TEST_P(SetTextsTest, FillsSlotsInSetOrderFromOnePass) {
    const int kind = GetParam();
    st_.SetItems = {7, 2, 5, 0, 0, 0, 0, 0, 0, 0};
    LoadSetTexts(st_, 3);
    const int expected[] = {7, 2, 5};
    for (size_t j = 0; j < 3; ++j) {
        const std::string n = test::LetterNumber(expected[j]);
        EXPECT_EQ(st_.SetTextA[j], "@a" + n) << j;
        EXPECT_EQ(st_.SetTextC[j], "c" + n) << j;
        EXPECT_EQ(st_.SetTextD[j], kind == 0 ? "" : "d" + n) << j;
        EXPECT_EQ(st_.SetTextB[j], kind == 3 ? "a" + n + " b" + n : "untouched") << j;
    }
    // Slots behind the set keep what an earlier set left there.
    EXPECT_EQ(st_.SetTextA[3], "older set");
    EXPECT_EQ(st_.SetTextB[3], "untouched");
}

TEST_P(SetTextsTest, FirstAndLastItemsAndRepeatedSlots) {
    st_.SetItems = {8, 0, 8, 0, 0, 0, 0, 0, 0, 0};
    LoadSetTexts(st_, 10);
    EXPECT_EQ(st_.SetTextA[0], "@ai");
    EXPECT_EQ(st_.SetTextA[1], "@aa");
    EXPECT_EQ(st_.SetTextA[2], "@ai");
    EXPECT_EQ(st_.SetTextC[9], "ca");
}

TEST_P(SetTextsTest, UnreadableFileLeavesTheSetAsItWas) {
    st_.SetItems = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    LoadSetTexts(st_, 1);
    const auto before = st_.SetTextA;
    std::filesystem::remove(st_.DataPath);
    st_.SetItems[0] = 4;
    EXPECT_THROW(LoadSetTexts(st_, 1), FileError);
    EXPECT_EQ(st_.SetTextA, before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SetTextsTest, testing::Values(0, 1, 2, 3), test::CaseName());

TEST(SetTexts, ItemTextsKeepTheirFirst180Bytes) {
    ProgramState st;
    st.DataPath = test::MakeTempDir() + "/long.dat";
    // 100 double-byte characters: the cut at 180 bytes falls between two.
    std::string question;
    for (int i = 0; i < 100; ++i) question += Sjis("問");
    const std::string answer = "@" + std::string(29, 'x') + " " + std::string(169, 'y');
    test::WriteBytes(st.DataPath, "c\r\nLong 0 1\r\n" + answer + "\r\n" + question + "\r\n");
    ReadDataHeader(st);
    st.SetItems[0] = 0;
    LoadSetTexts(st, 1);
    EXPECT_EQ(st.SetTextA[0], answer.substr(0, 180));
    EXPECT_EQ(st.SetTextC[0], question.substr(0, 180));
}

TEST(SetTexts, FileEditedSinceItsHeaderWasReadIsRefused) {
    ProgramState st;
    st.DataPath = test::MakeTempDir() + "/edit.dat";
    test::WriteBytes(st.DataPath, MakeFile(3, 3));
    ReadDataHeader(st);
    std::string edited = MakeFile(3, 3);
    edited.replace(edited.find("ab bb"), 5, "a b c d e f g h i j");
    test::WriteBytes(st.DataPath, edited);
    st.SetItems[0] = 1;
    st.SetTextB[0] = "kept";
    try {
        LoadSetTexts(st, 1);
        FAIL() << "accepted ten choices";
    } catch (const LimitError& e) {
        EXPECT_NE(std::string(e.what()).find("選択肢"), std::string::npos) << e.what();
    }
    EXPECT_EQ(st.SetTextB[0], "kept");
}

}  // namespace
}  // namespace vokamo

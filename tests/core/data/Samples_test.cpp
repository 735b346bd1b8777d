#include <gtest/gtest.h>

#include <set>

#include "TestSupport.h"
#include "core/data/DataCheck.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"

namespace vokamo {
namespace {

struct Sample {
    const char* file;
    int kind;
    int minLessons;
    int minCodes;
    int maxCodes;
};

class SampleTest : public testing::TestWithParam<Sample> {
protected:
    void SetUp() override {
        st_.DataPath = test::SamplesDir() + "/" + GetParam().file;
        ReadDataHeader(st_);
    }

    // Calls f(item, answer, choices, question, explanation) for every item.
    template <typename F>
    void ForEachItem(F f) {
        for (int first = 0; first < st_.ItemCount; first += SetCapacity) {
            const int n = std::min(SetCapacity, st_.ItemCount - first);
            for (int j = 0; j < n; ++j) st_.SetItems[static_cast<size_t>(j)] = first + j;
            st_.SetTextB.fill("");
            LoadSetTexts(st_, n);
            for (size_t j = 0; j < static_cast<size_t>(n); ++j)
                f(first + static_cast<int>(j), st_.SetTextA[j], st_.SetTextB[j], st_.SetTextC[j],
                  st_.SetTextD[j]);
        }
    }

    ProgramState st_;
};

std::vector<std::string> AnswerWords(const std::string& answer) {
    std::vector<std::string> words;
    for (const auto& w : SplitWords(answer))
        if (StartsWithChar(w, "@")) words.push_back(DropFirstChar(w));
    return words;
}

// What the on-screen keys can produce.
bool Typeable(const std::string& word) {
    if (word.empty()) return false;
    for (char c : word) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && c != '\'' && c != ',' && c != '.' && c != '-') return false;
    }
    return true;
}

TEST_P(SampleTest, HeaderIsWhatATeacherShips) {
    const Sample& s = GetParam();
    EXPECT_EQ(st_.DataKind, DataKindFromNumber(s.kind));
    EXPECT_GE(st_.ItemCount, 40);
    EXPECT_GE(st_.LessonCount, s.minLessons);
    EXPECT_GE(st_.CodeCount, s.minCodes);
    EXPECT_LE(st_.CodeCount, s.maxCodes);
    EXPECT_FALSE(st_.Title.empty());
    EXPECT_EQ(st_.Title.find(' '), std::string::npos);
    // Every group shown in the grid has items in it.
    std::set<int> lessons, codes;
    for (int i = 0; i < st_.ItemCount; ++i) {
        lessons.insert(st_.ItemLesson[static_cast<size_t>(i)]);
        codes.insert(st_.ItemCode[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(static_cast<int>(lessons.size()), st_.LessonCount);
    if (s.kind >= 2) {
        EXPECT_EQ(static_cast<int>(codes.size()), st_.CodeCount);
    }
}

TEST_P(SampleTest, EveryItemCanBeAnswered) {
    const int kind = GetParam().kind;
    int choiceItems = 0, keyItems = 0, twoBlankKeyItems = 0, spacedChoices = 0;
    ForEachItem([&](int item, const std::string& answer, const std::string& choices,
                    const std::string& question, const std::string& explanation) {
        SCOPED_TRACE("item " + std::to_string(item) + ": " + SjisToUtf8Lossy(answer));
        EXPECT_FALSE(question.empty());
        EXPECT_EQ(explanation.empty(), kind == 0);
        EXPECT_LE(CountWords(answer), MaxParts);
        const auto words = AnswerWords(answer);
        ASSERT_FALSE(words.empty());
        if (kind == 3 && st_.ItemCode[static_cast<size_t>(item)] == 0) {
            ++choiceItems;
            EXPECT_EQ(words.size(), 1u);
            const auto candidates = SplitWords(choices);
            EXPECT_LE(CountWords(choices), 9);
            bool found = false;
            for (const auto& c : candidates) {
                EXPECT_LE(c.size(), static_cast<size_t>(ChoiceTextBytes));
                found = found || SjisLowerAscii(c) == SjisLowerAscii(words.back());
                if (c.find('_') != std::string::npos) ++spacedChoices;
            }
            EXPECT_TRUE(found) << SjisToUtf8Lossy(choices);
        } else {
            ++keyItems;
            if (words.size() >= 2) ++twoBlankKeyItems;
            for (const auto& w : words) EXPECT_TRUE(Typeable(w)) << w;
        }
    });
    if (kind == 3) {
        EXPECT_GE(choiceItems, 10);
        EXPECT_GE(keyItems, 10);
        EXPECT_GE(twoBlankKeyItems, 3);
        EXPECT_GE(spacedChoices, 3);
    }
}

TEST_P(SampleTest, FileIsShiftJisWithCrLfAndNothingIsCut) {
    const std::string bytes = test::ReadBytes(st_.DataPath);
    EXPECT_TRUE(SjisToUtf8(bytes).has_value());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t cr = bytes.find('\r', start);
        ASSERT_NE(cr, std::string::npos);
        ASSERT_EQ(bytes[cr + 1], '\n');
        const std::string line = bytes.substr(start, cr - start);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_LE(line.size(), static_cast<size_t>(ItemTextBytes)) << SjisToUtf8Lossy(line);
        start = cr + 2;
    }
}

// The program's own checker, run as a teacher would before handing a file
// to pupils, has nothing to say about the files we ship.
TEST_P(SampleTest, CheckerFindsNoProblem) {
    for (const Problem& p : CheckDataFile(st_.DataPath))
        ADD_FAILURE() << ReportLine(GetParam().file, p, ReportLanguage::English);
}

INSTANTIATE_TEST_SUITE_P(Shipped, SampleTest,
                         testing::Values(Sample{"kihon0.dat", 0, 1, 0, 0}, Sample{"lesson1.dat", 1, 4, 0, 0},
                                         Sample{"hinshi2.dat", 2, 4, 3, MaxGroups},
                                         Sample{"mix3.dat", 3, 4, 2, 2}),
                         [](const testing::TestParamInfo<Sample>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace vokamo

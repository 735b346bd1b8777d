#include "core/data/DataFile.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/state/Errors.h"

namespace vokamo {
namespace {

// A question data file from UTF-8 lines: Shift-JIS, CR LF.
std::string Doc(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += Sjis(l) + "\r\n";
    return out;
}

std::string Words(int n, const char* word = "w") {
    std::string s;
    for (int i = 0; i < n; ++i) s += (i ? " " : "") + std::string(word);
    return s;
}

class DataFileTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = test::MakeTempDir();
        st_.Rng.SetClock([] { return 4242u; });
    }
    void Write(const std::string& bytes, const std::string& name = "q.dat") {
        st_.DataPath = dir_ + "/" + name;
        test::WriteBytes(st_.DataPath, bytes);
    }
    void Load(const std::vector<std::string>& lines) {
        Write(Doc(lines));
        ReadDataHeader(st_);
    }

    std::string dir_;
    ProgramState st_;
};

const std::vector<std::string> Kind0 = {"free comment",     "基本単語 20 3",       "I @go to school.",
                                        "私は学校へ行く。", "@Good morning.",      "おはよう。",
                                        "She @likes cats.", "彼女はネコが好きだ。"};

const std::vector<std::string> Kind1 = {
    "comment",    "Lesson_book 1 3", "2",     "Lesson 1", "Lesson 2", "1", "@book",
    "本",         "名詞です。",      "0",     "@pen",     "ペン",     "",  "1",
    "I @am Ken.", "私はケンです。",  "be動詞"};

const std::vector<std::string> Kind2 = {
    "comment",     "品詞 12 2",  "2",        "L1", "L2",  "3",         "名詞",     "動詞",     "形容詞",
    "1 2 ignored", "a @big dog", "大きな犬", "",   "0 1", "@run fast", "速く走る", "runは動詞"};

const std::vector<std::string> Kind3 = {"comment",
                                        "Mix 13 3",
                                        "1",
                                        "L1",
                                        "2",
                                        "選択",
                                        "入力",
                                        "0 0",
                                        "探す",
                                        "look_for look_at look_after",
                                        "I @look_for my key.",
                                        "look for で探す",
                                        "0 1",
                                        "本",
                                        "",
                                        "a @book",
                                        "",
                                        "0 0",
                                        "行く",
                                        "go went gone",
                                        "I @go .",
                                        "現在形"};

TEST_F(DataFileTest, KindZeroHasOneLessonForAll) {
    st_.LessonSelected[0] = 0;
    st_.CodeCount = 5;
    Load(Kind0);
    EXPECT_EQ(st_.Title, Sjis("基本単語"));
    EXPECT_EQ(st_.TypeCode, 20);
    EXPECT_EQ(st_.DataKind, DataKind::Plain);
    EXPECT_EQ(st_.ItemCount, 3);
    EXPECT_EQ(st_.LessonCount, 1);
    EXPECT_EQ(st_.LessonNames[0], Sjis("全問題"));
    EXPECT_EQ(st_.LessonSelected[0], 1);
    EXPECT_EQ(st_.CodeCount, 0);
    EXPECT_EQ(st_.HeaderLines, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(st_.ItemLesson[i], 0);
        EXPECT_EQ(st_.ItemCode[i], 0);
    }
}

TEST_F(DataFileTest, KindOneReadsLessonsAndLeavesCodesAlone) {
    st_.ItemCode.fill(7);
    st_.LessonSelected.fill(0);
    st_.CodeSelected.fill(1);
    Load(Kind1);
    EXPECT_EQ(st_.Title, "Lesson_book");
    EXPECT_EQ(st_.DataKind, DataKind::Lessons);
    EXPECT_EQ(st_.LessonCount, 2);
    EXPECT_EQ(st_.LessonNames[1], "Lesson 2");
    EXPECT_EQ(st_.CodeCount, 0);
    EXPECT_EQ(st_.HeaderLines, 3);
    EXPECT_EQ(st_.ItemLesson[0], 1);
    EXPECT_EQ(st_.ItemLesson[1], 0);
    EXPECT_EQ(st_.ItemLesson[2], 1);
    EXPECT_EQ(st_.ItemCode[0], 7);
    EXPECT_EQ(st_.LessonSelected[0], 0);
    EXPECT_EQ(st_.CodeSelected[3], 1);
}

TEST_F(DataFileTest, KindTwoReadsCodesLines) {
    Load(Kind2);
    EXPECT_EQ(st_.DataKind, DataKind::LessonsCodes);
    EXPECT_EQ(st_.LessonCount, 2);
    EXPECT_EQ(st_.CodeCount, 3);
    EXPECT_EQ(st_.CodeNames[2], Sjis("形容詞"));
    EXPECT_EQ(st_.HeaderLines, 7);
    EXPECT_EQ(st_.ItemLesson[0], 1);
    EXPECT_EQ(st_.ItemCode[0], 2);
    EXPECT_EQ(st_.ItemLesson[1], 0);
    EXPECT_EQ(st_.ItemCode[1], 1);
}

TEST_F(DataFileTest, KindThreeSkipsFourTextLines) {
    Load(Kind3);
    EXPECT_EQ(st_.TypeCode, 13);
    EXPECT_EQ(st_.DataKind, DataKind::Mixed);
    EXPECT_EQ(st_.ItemCount, 3);
    EXPECT_EQ(st_.HeaderLines, 5);
    EXPECT_EQ((std::vector<int>{st_.ItemCode[0], st_.ItemCode[1], st_.ItemCode[2]}),
              (std::vector<int>{0, 1, 0}));
}

TEST_F(DataFileTest, HeaderSpacingAndCountSpacesAreAccepted) {
    Load({"c", "  Spaced    11   1    extra words", "   1", "L", "  0", "@x", "x", ""});
    EXPECT_EQ(st_.Title, "Spaced");
    EXPECT_EQ(st_.DataKind, DataKind::Lessons);
    EXPECT_EQ(st_.ItemCount, 1);
}

TEST_F(DataFileTest, LongFieldsAreCutToTheirCapacities) {
    std::string title;
    for (int i = 0; i < 65; ++i) title += "語";  // 130 bytes
    const std::string name(50, 'n');
    Load({"c", title + " 1 1", "1", name, "0", "@x", "x", ""});
    EXPECT_EQ(st_.Title.size(), 120u);
    EXPECT_EQ(st_.Title, SjisCut(Sjis(title), 120));
    EXPECT_EQ(st_.LessonNames[0], std::string(40, 'n'));
}

TEST(DataKind, IsTheRemainderWithTheSignOfTheTypeCode) {
    EXPECT_EQ(DataKindOf(13), 3);
    EXPECT_EQ(DataKindOf(3), 3);
    EXPECT_EQ(DataKindOf(20), 0);
    EXPECT_EQ(DataKindOf(-3), -3);
}

struct Refusal {
    const char* name;
    std::vector<std::string> lines;
    enum Kind { Conversion, Limit } kind;
    std::string message;  // expected within the message (UTF-8)
};

class RefusalTest : public DataFileTest, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, RefusesAndLeavesNothingHalfRead) {
    const Refusal& r = GetParam();
    // What an earlier good file left behind.
    Load(Kind2);
    st_.LessonSelected.fill(0);
    const ProgramState before = st_;
    Write(Doc(r.lines));
    try {
        ReadDataHeader(st_);
        FAIL() << "accepted";
    } catch (const ConversionError& e) {
        EXPECT_EQ(r.kind, Refusal::Conversion) << e.what();
        const std::string msg = e.what();
        EXPECT_NE(msg.find(r.message), std::string::npos) << msg;
        EXPECT_NE(msg.find("q.dat"), std::string::npos) << msg;
    } catch (const LimitError& e) {
        EXPECT_EQ(r.kind, Refusal::Limit) << e.what();
        const std::string msg = e.what();
        EXPECT_NE(msg.find(r.message), std::string::npos) << msg;
        EXPECT_NE(msg.find("q.dat"), std::string::npos) << msg;
    }
    EXPECT_EQ(st_.ItemCount, 0);
    EXPECT_EQ(st_.LessonCount, 0);
    EXPECT_EQ(st_.CodeCount, 0);
    EXPECT_EQ(st_.HeaderLines, 0);
    EXPECT_EQ(st_.Title, before.Title);
    EXPECT_EQ(st_.TypeCode, before.TypeCode);
    EXPECT_EQ(st_.DataKind, before.DataKind);
    EXPECT_EQ(st_.LessonNames, before.LessonNames);
    EXPECT_EQ(st_.CodeNames, before.CodeNames);
    EXPECT_EQ(st_.ItemLesson, before.ItemLesson);
    EXPECT_EQ(st_.ItemCode, before.ItemCode);
    EXPECT_EQ(st_.LessonSelected, before.LessonSelected);
}

const auto Conv = Refusal::Conversion;
const auto Lim = Refusal::Limit;

INSTANTIATE_TEST_SUITE_P(
    BadFiles, RefusalTest,
    testing::Values(
        Refusal{"SpaceInTitle",
                {"c", "My Book 1 1", "1", "L", "0", "@a", "a", ""},
                Conv,
                "'Book' は数値ではありません"},
        Refusal{"SpaceInTitleNumberSecond", {"c", "Word 1 book 2"}, Conv, "'book' は数値ではありません"},
        Refusal{"EmptyHeader", {"c", ""}, Conv, "'' は数値ではありません"},
        Refusal{"WordAfterCount", {"c", "T 1 1", "3 lessons"}, Conv, "'3 lessons' は数値ではありません"},
        Refusal{"ShortFile", {"c", "T 1 3", "1", "L", "0", "@a", "a", ""}, Conv, "'' は数値ではありません"},
        Refusal{"TooManyItems", {"c", "T 0 601"}, Lim, "2 行目: 問題数が 601 です"},
        Refusal{"NoItems", {"c", "T 0 0"}, Lim, "2 行目: 問題数が 0 です"},
        Refusal{"NegativeItems", {"c", "T 0 -4"}, Lim, "問題数が -4 です"},
        Refusal{"KindFour", {"c", "T 14 1"}, Lim, "2 行目: 種別コード 14 は使えません"},
        Refusal{"NegativeTypeCode", {"c", "T -3 1"}, Lim, "種別コード -3 は使えません"},
        Refusal{"TooManyLessons", {"c", "T 1 1", "21"}, Lim, "3 行目: レッスン数が 21 です"},
        Refusal{"NegativeLessons", {"c", "T 1 1", "-1"}, Lim, "3 行目: レッスン数が -1 です"},
        Refusal{"TooManyCodes", {"c", "T 2 1", "1", "L", "21"}, Lim, "5 行目: コード数が 21 です"},
        Refusal{"LessonOutsideList",
                {"c", "T 1 2", "2", "A", "B", "1", "@a", "a", "", "2", "@b", "b", ""},
                Lim,
                "10 行目: レッスン番号 2 は一覧"},
        Refusal{"NegativeLesson",
                {"c", "T 2 1", "1", "L", "1", "C", "-1 0", "@a", "a", ""},
                Lim,
                "7 行目: レッスン番号 -1"},
        Refusal{"CodeOutsideList",
                {"c", "T 2 1", "1", "L", "2", "C", "D", "0 2", "@a", "a", ""},
                Lim,
                "8 行目: コード 2 は一覧"},
        Refusal{"QuestionTypeTwo",
                {"c", "T 3 1", "1", "L", "3", "A", "B", "C", "0 2", "q", "a b", "@a", ""},
                Lim,
                "9 行目: 問題形式 2 は使えません"},
        Refusal{"CodesLineNotNumber",
                {"c", "T 2 1", "1", "L", "1", "C", "0 x", "@a", "a", ""},
                Conv,
                "'x' は数値ではありません"},
        Refusal{"HeaderTooManyWords", {"c", "T 1 1 " + Words(16)}, Lim, "2 行目: 語が 19 個あります"},
        Refusal{"CodesLineTooManyWords",
                {"c", "T 2 1", "1", "L", "1", "C", "0 0 " + Words(17), "@a", "a", ""},
                Lim,
                "7 行目: 語が 19 個あります"},
        Refusal{"AnswerTooManyWords", {"c", "T 0 1", Words(19, "@a")}, Lim, "3 行目: 解答行の語が 19 個"},
        Refusal{"KindThreeAnswerTooManyWords",
                {"c", "T 3 1", "1", "L", "2", "A", "B", "0 1", "q", "", Words(19), ""},
                Lim,
                "11 行目: 解答行の語"},
        Refusal{"TooManyChoices",
                {"c", "T 3 1", "1", "L", "2", "A", "B", "0 0", "q", Words(10, "c"), "@c", ""},
                Lim,
                "10 行目: 選択肢が 10 個あります（9 個まで）"}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

// Only a file without any CR has LF line ends; one CR makes it a file of
// CR lines, and the LFs stay inside them as they always did.
TEST_F(DataFileTest, LfOnlyFileIsOneLineAndFailsOnTheEmptyHeader) {
    Write("comment\nT 0 1\n@a\na\r\n");
    EXPECT_THROW(
        {
            try {
                ReadDataHeader(st_);
            } catch (const ConversionError& e) {
                EXPECT_NE(std::string(e.what()).find("q.dat' の 2 行目: '' は数値ではありません"),
                          std::string::npos)
                    << e.what();
                throw;
            }
        },
        ConversionError);
    EXPECT_EQ(st_.ItemCount, 0);
}

TEST_F(DataFileTest, MissingFileIsAFileErrorNamingIt) {
    st_.DataPath = dir_ + "/" + Sjis("なし.dat");
    st_.ItemCount = 9;
    try {
        ReadDataHeader(st_);
        FAIL() << "read a missing file";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("なし.dat"), std::string::npos) << e.what();
    }
    EXPECT_EQ(st_.ItemCount, 0);
}

TEST_F(DataFileTest, ShiftJisPathsAreOpenedByTheirUtf8Names) {
    test::WriteBytes(dir_ + "/単語テスト.dat", Doc(Kind0));
    st_.DataPath = dir_ + "/" + Sjis("単語テスト.dat");
    ASSERT_EQ(FsPath(st_.DataPath), dir_ + "/単語テスト.dat");
    ReadDataHeader(st_);
    EXPECT_EQ(st_.ItemCount, 3);
    // Bytes that are no Shift-JIS go through untouched.
    EXPECT_EQ(FsPath("a\x81"), "a\x81");
}

TEST_F(DataFileTest, ItemOrderIsIdentityInDataOrderButStillDrawn) {
    Load(Kind0);
    st_.RandomOrder = 0;
    BuildItemOrder(st_);
    EXPECT_EQ((std::vector<int>{st_.ItemOrder[0], st_.ItemOrder[1], st_.ItemOrder[2]}),
              (std::vector<int>{0, 1, 2}));
    Random fresh([] { return 4242u; });
    Shuffle(fresh, 3);
    EXPECT_EQ(st_.Rng.SeedValue(), fresh.SeedValue());
}

TEST_F(DataFileTest, ItemOrderFollowsTheShuffleInRandomOrder) {
    std::vector<std::string> lines = {"c", "T 0 600"};
    for (int i = 0; i < 600; ++i) lines.insert(lines.end(), {"@a", "a"});
    Write(Doc(lines));
    ReadDataHeader(st_);
    st_.RandomOrder = 1;
    BuildItemOrder(st_);
    Random same([] { return 4242u; });
    const auto expected = Shuffle(same, 600);
    for (size_t i = 0; i < 600; ++i) ASSERT_EQ(st_.ItemOrder[i], expected[i]) << i;
}

}  // namespace
}  // namespace vokamo

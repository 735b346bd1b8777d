#include "core/data/DataCheck.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <random>

#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/FileText.h"
#include "core/data/SjisText.h"
#include "core/records/RecordFile.h"

namespace vokamo {
namespace {

std::string Lines(const std::vector<std::string>& lines, const char* end) {
    std::string out;
    for (const auto& l : lines) out += l + end;
    return out;
}

// As teachers' editors on Linux save: UTF-8 and LF.
std::string Utf8Lf(const std::vector<std::string>& lines) {
    return Lines(lines, "\n");
}

// As the program has always read: Shift-JIS and CR LF.
std::string SjisCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += Sjis(l) + "\r\n";
    return out;
}

// As Notepad saves "Unicode": UTF-16 with its BOM, little or big endian.
std::string Utf16(const std::string& utf8, bool bigEndian) {
    iconv_t cd = iconv_open(bigEndian ? "UTF-16BE" : "UTF-16LE", "UTF-8");
    std::string in = utf8;
    std::string out(in.size() * 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return (bigEndian ? "\xFE\xFF" : "\xFF\xFE") + out;
}

std::vector<std::string> Kind1(const std::string& lessonName, const std::vector<std::string>& items,
                               int count = -1) {
    std::vector<std::string> lines = {
        "comment", "単語 11 " + std::to_string(count < 0 ? items.size() / 4 : count), "1", lessonName};
    lines.insert(lines.end(), items.begin(), items.end());
    return lines;
}

std::vector<std::string> Kind3(const std::vector<std::string>& items) {
    std::vector<std::string> lines = {
        "comment", "混合 13 " + std::to_string(items.size() / 5), "1", "L", "2", "選択", "入力"};
    lines.insert(lines.end(), items.begin(), items.end());
    return lines;
}

enum Level { Clean, Warning, Error };

struct Mistake {
    const char* name;
    std::string bytes;
    Level level;
    int line;              // of the first problem; -1 for any
    std::string fragment;  // within its Japanese message
    // Makes bytes too large to hold while the cases are registered.
    std::string (*make)() = nullptr;
};

class TeacherMistake : public testing::TestWithParam<Mistake> {};

// The checker finds the mistake at its line; the program refuses a file with
// an error, at the same line, and loads a file with warnings only.
TEST_P(TeacherMistake, IsFoundAtItsLine) {
    const Mistake& m = GetParam();
    const std::string path = test::MakeTempDir() + "/q.dat";
    test::WriteBytes(path, m.make ? m.make() : m.bytes);
    const std::vector<Problem> problems = CheckDataFile(path);
    ProgramState st;
    st.DataPath = path;
    if (m.level == Clean) {
        EXPECT_TRUE(problems.empty()) << ReportLine("q.dat", problems.front(), ReportLanguage::Japanese);
        EXPECT_NO_THROW(ReadDataHeader(st));
        return;
    }
    ASSERT_FALSE(problems.empty());
    const Problem& p = problems.front();
    const std::string report = ReportLine("q.dat", p, ReportLanguage::Japanese);
    EXPECT_EQ(p.warning, m.level == Warning) << report;
    if (m.line >= 0) {
        EXPECT_EQ(p.line, m.line) << report;
    }
    EXPECT_NE((p.ja + p.fixJa).find(m.fragment), std::string::npos) << report;
    EXPECT_FALSE(p.en.empty());
    // One cause, one message: nothing quotes a stand-in the file never held.
    if (m.bytes.find('?') == std::string::npos) {
        for (const Problem& q : problems) {
            EXPECT_EQ(q.ja.find("「?」"), std::string::npos) << q.ja;
        }
    }
    if (m.level == Warning) {
        for (const Problem& q : problems)
            EXPECT_TRUE(q.warning) << ReportLine("q.dat", q, ReportLanguage::English);
        EXPECT_NO_THROW(ReadDataHeader(st));
        return;
    }
    try {
        ReadDataHeader(st);
        ADD_FAILURE() << "loaded";
    } catch (const VokamoError& e) {
        const std::string msg = e.what();
        EXPECT_NE(msg.find("q.dat"), std::string::npos) << msg;
        if (m.line >= 0) {
            EXPECT_NE(msg.find("の " + std::to_string(m.line) + " 行目: "), std::string::npos) << msg;
        }
        EXPECT_NE(msg.find(m.fragment), std::string::npos) << msg;
    }
    EXPECT_EQ(st.ItemCount, 0);
}

std::string Noise() {
    std::mt19937 rng(7);
    std::string out(4096, '\0');
    for (char& c : out) c = static_cast<char>(rng() & 0xFF);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, TeacherMistake,
    testing::Values(
        Mistake{"Utf8Lf", Utf8Lf(Kind1("第1課", {"0", "I @am Ken.", "私はケンです。", "be動詞"})), Clean, 0,
                ""},
        Mistake{"Utf8BomCrLf",
                "\xEF\xBB\xBF" + Lines(Kind1("第1課", {"0", "I @am Ken.", "私はケンです。", ""}), "\r\n"),
                Clean, 0, ""},
        Mistake{"MoreItemsCountedThanWritten",
                Utf8Lf(Kind1("L", {"0", "I @am Ken.", "私はケンです。", ""}, 3)), Error, 9,
                "問題は 1 問分しかありません"},
        Mistake{
            "ForgottenExplanation",
            Utf8Lf(Kind1("L", {"0", "I @am Ken.", "私はケンです。", "0", "She @has a cat.", "ネコ", ""}, 2)),
            Error, 9, "'She @has a cat.' は数値ではありません"},
        Mistake{"FullWidthDigit", Utf8Lf({"c", "単語 10 ２", "@a", "a"}), Error, 2, "全角"},
        Mistake{"TitleWithSpace", Utf8Lf({"c", "My Book 10 1", "@a", "a"}), Error, 2,
                "'Book' は数値ではありません"},
        Mistake{"ChoiceAnswerNotAmongChoices",
                Utf8Lf(Kind3({"0 0", "探す", "look_at look_after", "I @look_for it.", ""})), Error, 11,
                "「look_for」が 10 行目の選択肢にない"},
        Mistake{"ChoiceWithoutAnswerWord",
                Utf8Lf(Kind3({"0 0", "探す", "look_for look_at", "I look for it.", ""})), Error, 11,
                "@ の付いた答の語がない"},
        Mistake{"DigitInTypedAnswer", Utf8Lf({"c", "T 10 1", "the @2nd day", "二日目"}), Error, 3,
                "「2」はキーで打てない"},
        Mistake{"QuestionMarkInTypedAnswer", Utf8Lf({"c", "T 10 1", "Is it @yours?", "あなたのですか"}),
                Error, 3, "「?」はキーで打てない"},
        Mistake{"FullWidthTypedAnswer", Utf8Lf({"c", "T 10 1", "a @ｂｏｏｋ", "本"}), Error, 3,
                "全角の英数字"},
        Mistake{"AnswerLongerThanTheInputLine", Utf8Lf({"c", "T 10 1", "@" + std::string(31, 'a'), "長い"}),
                Error, 3, "31 文字"},
        Mistake{"MarkWithoutAKey", Utf8Lf({"c", "T 10 1", "a @thumbscrew-like tool", "道具"}), Error, 3,
                "記号 - が要ります"},
        Mistake{"NotInShiftJis", Utf8Lf({"c", "T 10 1", "a @cafe", "カフェ café"}), Error, 4,
                "'é'（U+00E9）は Shift-JIS"},
        Mistake{"NotInShiftJisInABlank", Utf8Lf({"c", "T 10 1", "a @café", "カフェ"}), Error, 3, "'é'"},
        Mistake{"InvisibleVariationSelector", Utf8Lf({"c", "T 10 1", "@a", "はい\uFE0F"}), Error, 4,
                "目に見えない文字 U+FE0F"},
        Mistake{"Utf16LittleEndian",
                Utf16(Utf8Lf(Kind1("第1課", {"0", "I @am Ken.", "私はケンです。", ""})), false), Clean, 0,
                ""},
        Mistake{"Utf16BigEndianCrLf",
                Utf16(Lines(Kind1("第1課", {"1", "I @am Ken.", "私はケンです。", ""}), "\r\n"), true), Error,
                5, "0 から数えます"},
        Mistake{"Utf16NotInShiftJis", Utf16(Utf8Lf({"c", "T 10 1", "@a", "😀"}), false), Error, 4, "U+1F600"},
        Mistake{"TrailingBlanksAfterNumbers",
                Utf8Lf({"c", "T 11 1 ", "1\t", "L", "0  ", "I @am Ken.", "私は", ""}), Clean, 0, ""},
        Mistake{"TrailingTabAfterACode",
                Utf8Lf({"c", "T 12 1", "1", "L", "1", "C", "0 0\t", "I @am Ken.", "私は", ""}), Clean, 0, ""},
        Mistake{"HeaderWithTabs", Utf8Lf({"c", "単語\t10\t1", "@a", "a"}), Error, 2, "タブ"},
        Mistake{"TabBetweenCodes",
                Utf8Lf({"c", "T 12 1", "1", "L", "1", "C", "0\t0", "I @am Ken.", "私は", ""}), Error, 7,
                "半角スペースに直してください"},
        Mistake{"TabBeforeALessonNumber", Utf8Lf(Kind1("L", {"\t0", "I @am Ken.", "私は", ""})), Error, 5,
                "タブ"},
        Mistake{"TabInATypedBlank", Utf8Lf({"c", "T 10 1", "I @am\tKen.", "私は"}), Error, 3,
                "半角スペースに直してください"},
        Mistake{"TabInAQuestion", Utf8Lf({"c", "T 10 1", "I @am Ken.", "私は\tケン"}), Warning, 4, "タブ"},
        Mistake{"LessonsCountedFromOne", Utf8Lf(Kind1("L", {"1", "I @am Ken.", "私は", ""})), Error, 5,
                "0 から数えます"},
        Mistake{"CodesCountedFromOne",
                Utf8Lf({"c", "T 12 1", "1", "L", "1", "C", "0 1", "I @am Ken.", "私は", ""}), Error, 7,
                "1 ずつ小さく"},
        Mistake{"MemoLineForgotten", Utf8Lf({"単語 10 1", "I @am Ken.", "私は"}), Error, 2,
                "1 行目がヘッダー行のようです"},
        Mistake{"MemoLineForgottenKind1", Utf8Lf({"単語 11 1", "1", "L", "0", "I @am Ken.", "私は", ""}),
                Error, 2, "1 行目がヘッダー行のようです"},
        Mistake{"HeaderLineForgotten", Utf8Lf({"メモ", "I @am Ken.", "私は"}), Error, 2,
                "2 行目が問題の英文のようです"},
        Mistake{"BomThenShiftJis", "\xEF\xBB\xBF" + SjisCrLf({"c", "T 10 1", "@a", "日本語"}), Error, 4,
                "BOM"},
        Mistake{"NulByte", std::string("c\r\nT 10 1\r\n@a\r\na") + '\0' + "b\r\n", Error, 4, "NUL"},
        Mistake{"EmptyFile", "", Error, 1, "空です"},
        Mistake{"EndMarkInTheMiddle",
                "c\r\nT 11 2\r\n1\r\nL\r\n0\r\n@a\r\na\r\n\r\n\x1A"
                "0\r\n@b\r\nb\r\n\r\n",
                Error, 9, "1A"},
        Mistake{"KindZeroShorterThanItsCount", Utf8Lf({"c", "T 10 3", "@a", "a"}), Error, 5,
                "問題は 1 問分しか"},
        Mistake{"KindZeroWithAnEmptyItem", Utf8Lf({"c", "T 10 2", "@a", "a", "", ""}), Error, 5,
                "解答行が空"},
        Mistake{"CutCharacterAtTheEnd", Utf8Lf({"c", "T 10 1", "@a", "日本"}).substr(0, 17), Error, 4,
                "途中で切れて"},
        Mistake{"BinaryNoise", Noise(), Error, -1, ""},
        Mistake{"HiddenComma", Utf8Lf({"c", "T 10 1", "Show me your @passport, please.", "見せて"}), Warning,
                3, "「,」は空欄に隠れて"},
        Mistake{"SentenceWithoutBlank", Utf8Lf({"c", "T 10 1", "I am Ken.", "私はケンです。"}), Error, 3,
                "@ の付いた答の語がない"},
        Mistake{"KeyItemWithoutBlankInKind3", Utf8Lf(Kind3({"0 1", "私は", "", "I am Ken.", ""})), Error, 11,
                "答えるところがありません"},
        Mistake{"HiddenPeriod", Utf8Lf({"c", "T 10 1", "This is my @bag.", "かばん"}), Warning, 3,
                "「@bag .」のように、記号の前に半角スペースを入れます"},
        Mistake{"TwoBlanksInAChoiceItem",
                Utf8Lf(Kind3({"0 0", "探す", "look_for look_at", "@I @look_for it.", ""})), Warning, 11,
                "最後の「look_for」だけ"},
        Mistake{"LongQuestionIsCut", Utf8Lf({"c", "T 10 1", "@a", std::string(176, 'q') + "続きの文"}),
                Warning, 4, "「の文」から後ろが切れます"},
        Mistake{"TenMegabyteLineIsCut", "", Warning, 4, "180 バイトまで",
                [] { return Utf8Lf({"c", "T 10 1", "@a", std::string(10 << 20, 'q')}); }},
        Mistake{"LongLessonName", Utf8Lf(Kind1(std::string(41, 'n'), {"0", "@a", "a", ""})), Warning, 4,
                "40 バイト"},
        Mistake{"RepeatedItem", Utf8Lf({"c", "T 10 2", "I @am Ken.", "私は", "I @am Ken.", "ぼくは"}),
                Warning, 5, "3 行目の問題と同じ"},
        Mistake{"LinesAfterTheLastItem", Utf8Lf({"c", "T 10 1", "@a", "a", "@b", "b"}), Warning, 5,
                "まだ行があります"}),
    [](const testing::TestParamInfo<Mistake>& info) { return std::string(info.param.name); });

// A teacher's UTF-8 file and its Shift-JIS twin are the same drill book: the
// same question table, the same texts at every set, the same saved record.
TEST(Encodings, Utf8FileAndItsShiftJisTwinGiveTheSameDataAndRecord) {
    const std::string dir = test::MakeTempDir();
    const std::string sjis = test::ReadBytes(test::SamplesDir() + "/mix3.dat");
    const std::string utf8 = *SjisToUtf8(sjis);
    std::string utf8Lf;
    for (char c : utf8)
        if (c != '\r') utf8Lf += c;

    auto load = [&](const std::string& bytes) {
        ProgramState st;
        st.DataPath = dir + "/mix3.dat";
        st.RecordPath = dir + "/pupil.ret";
        st.PlayerName = Sjis("山田");
        test::WriteBytes(st.DataPath, bytes);
        ReadDataHeader(st);
        InitialiseRecord(st);
        st.ItemState[3] = 2;
        WriteRecordFile(st);
        std::vector<std::string> texts;
        for (int item = 0; item < st.ItemCount; ++item) {
            st.SetItems[0] = item;
            LoadSetTexts(st, 1);
            texts.insert(texts.end(), {st.SetTextA[0], st.SetTextB[0], st.SetTextC[0], st.SetTextD[0]});
        }
        return std::make_tuple(static_cast<QuestionData>(st), texts, test::ReadBytes(st.RecordPath));
    };
    const auto [table, texts, record] = load(sjis);
    ASSERT_EQ(table.ItemCount, 42);
    for (const std::string& twin : {utf8, utf8Lf, "\xEF\xBB\xBF" + utf8Lf}) {
        SCOPED_TRACE(twin.substr(0, 3) == "\xEF\xBB\xBF"    ? "BOM"
                     : twin.find('\r') != std::string::npos ? "CR LF"
                                                            : "LF");
        const auto [t, x, r] = load(twin);
        EXPECT_EQ(t.Title, table.Title);
        EXPECT_EQ(t.TypeCode, table.TypeCode);
        EXPECT_EQ(t.LessonNames, table.LessonNames);
        EXPECT_EQ(t.CodeNames, table.CodeNames);
        EXPECT_EQ(t.ItemLesson, table.ItemLesson);
        EXPECT_EQ(t.ItemCode, table.ItemCode);
        EXPECT_EQ(t.HeaderLines, table.HeaderLines);
        EXPECT_EQ(x, texts);
        EXPECT_EQ(r, record);
    }
}

// The fast conversion agrees with iconv's CP932 for every character that
// Shift-JIS holds, the ones with two codes and the one-way mappings included.
TEST(Encodings, EveryShiftJisCharacterConvertsAsIconvDoes) {
    int checked = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code = {static_cast<char>(lead), static_cast<char>(trail)};
            const auto utf8 = SjisToUtf8(code);
            if (!utf8) continue;
            std::string fast;
            ASSERT_TRUE(Utf8ToSjisFast(*utf8, fast)) << *utf8;
            ASSERT_EQ(fast, *Utf8ToSjis(*utf8)) << *utf8;
            ++checked;
        }
    }
    EXPECT_GT(checked, 7000);
    for (const char* oneWay : {"〜", "‖", "−", "¢", "£", "¬", "—"}) {
        std::string fast;
        EXPECT_TRUE(Utf8ToSjisFast(oneWay, fast)) << oneWay;
        EXPECT_EQ(fast, *Utf8ToSjis(oneWay)) << oneWay;
    }
}

// Every example file of the help is one a teacher may copy as it stands.
TEST(HelpExamples, CheckClean) {
    const std::string help = test::ReadBytes(test::SamplesDir() + "/../resources/help/vk40.html");
    const std::string dir = test::MakeTempDir();
    int examples = 0;
    for (size_t at = help.find("<pre>"); at != std::string::npos; at = help.find("<pre>", at + 1)) {
        const size_t start = at + 5;
        const std::string text = help.substr(start, help.find("</pre>", start) - start);
        // Example files are the blocks whose second line is a header line.
        const size_t second = text.find('\n') + 1;
        const std::string header = text.substr(second, text.find('\n', second) - second);
        if (std::count(header.begin(), header.end(), ' ') != 2 || header.find('<') != std::string::npos)
            continue;
        const std::string path = dir + "/example" + std::to_string(++examples) + ".dat";
        test::WriteBytes(path, text);
        for (const Problem& p : CheckDataFile(path))
            ADD_FAILURE() << header << ": " << p.line << ": " << p.ja;
    }
    EXPECT_GE(examples, 8);
}

}  // namespace
}  // namespace vokamo
